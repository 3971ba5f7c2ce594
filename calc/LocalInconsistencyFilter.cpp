#include "LocalInconsistencyFilter.h"

#include "LocalScoring.h"
#include "LocalWorkState.h"
#include "TrackI.h"

namespace {

constexpr double BasicToleranceKm = 0.001;
constexpr double FineToleranceKm = 0.0003;
constexpr double TimeSpanSeconds = 2.0;
constexpr int VeryLocalLimit = 250;
constexpr int LocalLimit = 800;
constexpr int RefinedVeryLocalLimit = 200;
constexpr int MaxRefinementCycles = 20;
constexpr int SkipRefinementLevel = 100;

// The time evaluation starts from the real records, so synthetic records
// live from there to the end of the pass.
void BasicPass(LocalWorkState& state)
{
    state.EvaluateNeighbourhood(BasicToleranceKm);
    state.EvaluateTime(TimeSpanSeconds);
    LocalScoring::ScoreVeryLocal(state);
    state.Select(VeryLocalLimit);
    LocalScoring::ScoreLocal(state);
    state.Select(LocalLimit);
    state.DropSynthetic();
}

void VeryLocalStep(LocalWorkState& state)
{
    LocalScoring::ScoreVeryLocal(state);
    state.Select(RefinedVeryLocalLimit);
}

void RefinementPass(LocalWorkState& state, int level)
{
    const int limit = LocalInconsistencyFilter::RefinementLimit(level);
    VeryLocalStep(state);
    for (int cycle = 0; cycle < MaxRefinementCycles; ++cycle) {
        int taken = 0;
        for (int repeat = 0; repeat < 2; ++repeat) {
            state.EvaluateNeighbourhood(FineToleranceKm);
            LocalScoring::ScoreLocal(state);
            taken += state.Select(limit);
        }
        if (taken == 0)
            break;
        VeryLocalStep(state);
        if (cycle % 2 == 1)
            state.EvaluateTime(TimeSpanSeconds);
    }
    VeryLocalStep(state);
}

} // namespace

LocalInconsistencyFilter::LocalInconsistencyFilter(int level, bool extended)
    : m_level(level), m_extended(extended)
{
}

int LocalInconsistencyFilter::RefinementLimit(int level)
{
    return static_cast<int>(level / 100.0 * 600.0 + 200.0);
}

int LocalInconsistencyFilter::Apply(TrackI& track) const
{
    LocalWorkState state = LocalWorkState::FromTrack(track);
    BasicPass(state);
    if (m_level != SkipRefinementLevel) {
        RefinementPass(state, m_level);
        BasicPass(state);
        RefinementPass(state, m_level);
    }
    if (m_extended) {
        // Where the receiver stood still its scattered fixes make short
        // zigzags that the scorings judge only one at a time: take each such
        // cluster down to one record.
        state.CollapseStops();
        RefinementPass(state, m_level);
        state.CollapseStops();
        RefinementPass(state, m_level);
    }
    state.DropSynthetic();
    return state.WriteBack(track);
}
