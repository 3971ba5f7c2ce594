#pragma once

#include <vector>

class OpenTracksModel;
class TracksStateHolderImpl;

// Turns tracks round so that they run the other way over the same period:
// the points come in reverse order and every time t becomes
// first + last - t, so the times still run forward.
class TrackReverser
{
public:
    TrackReverser(OpenTracksModel& model, TracksStateHolderImpl& holder);

    // Each item that does not lie beneath another is reversed as a whole:
    // the order of the children of every file and folder within it, and the
    // points of every segment, with the times mirrored between the item's
    // first and last timed point (points without time keep none). The files
    // become modified, one tree change names the nodes, and a current point
    // in a reversed segment moves to its mirrored index.
    void Reverse(const std::vector<int>& items);

private:
    // Returns the segments of the item, in their old order.
    std::vector<int> ReversePoints(int item);

    OpenTracksModel& m_model;
    TracksStateHolderImpl& m_holder;
};
