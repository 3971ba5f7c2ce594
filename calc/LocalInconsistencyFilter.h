#pragma once

class TrackI;

// Finds points that do not fit the shape of their neighbourhood. Points
// within a metre of both neighbours are filtered as "Too close" (15); the
// others are scored in per mille by how far they lie from the curve through
// their neighbours, and those scoring too high are filtered as very local
// (92) or local (91) inconsistencies with the key score * 1000 + code. Every
// surviving point gets its final score as its penalty.
class LocalInconsistencyFilter
{
public:
    // level 0..100 loosens the refinement pass (100 skips it); extended adds
    // a pass aimed at jitter clusters where the receiver stood still.
    explicit LocalInconsistencyFilter(int level = 0, bool extended = false);

    // Marks the points of the track and refreshes it; returns the number of
    // points it filtered.
    int Apply(TrackI& track) const;

    // The score from which the refinement pass takes records out: 200 at
    // level 0, 800 at level 100.
    static int RefinementLimit(int level);

private:
    int m_level;
    bool m_extended;
};
