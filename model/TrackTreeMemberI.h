#pragma once

#include <memory>

class TrackI;

// A track's place in the tree of open tracks. A composite (file or folder)
// numbers the points of the segments beneath it one after another.
class TrackTreeMemberI
{
public:
    virtual ~TrackTreeMemberI() = default;

    // Appends a part to a composite: a segment, or a composite beneath it
    // whose segments come along. Ignored by a segment.
    virtual void AddPart(const std::shared_ptr<TrackI>& part) = 0;
    // The position that point index of this node has in the numbering of
    // otherTid, a node of this node's subtree; -1 when it has none.
    virtual int ConvertIndex(int index, int otherTid) const = 0;
    // The segment holding point index; -1 when none does.
    virtual int GetSegmentTid(int index) const = 0;
    // Where this track's first point stands in its parent composite.
    virtual int GetParentOffset() const = 0;
    virtual int GetParentTid() const = 0;
    virtual void SetParentOffset(int offset) = 0;
    // Drops all parts of a composite, so that it can be rebuilt. Ignored by
    // a segment.
    virtual void ClearParts() = 0;
};
