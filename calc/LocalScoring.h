#pragma once

class LocalWorkState;

// The two scorings of the local-inconsistency passes. Each sets the state's
// code and gives every real record a fresh score; records it cannot judge
// score 0.
class LocalScoring
{
public:
    static constexpr int VeryLocalCode = 92;
    static constexpr int LocalCode = 91;

    // A record that stands out from its immediate neighbours while they,
    // judged without it, look consistent: a single outlier.
    static void ScoreVeryLocal(LocalWorkState& state);
    // A record off the path of its neighbours, also when one or two of them
    // are off as well: the patterns that skip a neighbour catch pairs.
    static void ScoreLocal(LocalWorkState& state);
};
