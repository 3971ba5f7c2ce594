#include "TrackPositionConverter.h"

#include "TrackI.h"
#include "TrackTreeAlg.h"

TrackPositionConverter::TrackPositionConverter(const TrackTreeReaderI& tree, TrackLookup lookup)
    : m_tree(tree)
    , m_lookup(std::move(lookup))
{
}

TrackPosition TrackPositionConverter::Convert(const TrackPosition& from, int toTid) const
{
    if (from.tid == toTid)
        return from;
    const TrackI* track = m_lookup(from.tid);
    if (track == nullptr || from.index < 0 || from.index >= track->GetPointCount())
        return {};
    switch (TrackTreeAlg(&m_tree).GetRelation(from.tid, toTid)) {
    case TrackTreeAlg::RelAncestor: {
        const int index = track->ConvertIndex(from.index, toTid);
        return index < 0 ? TrackPosition() : TrackPosition{toTid, index};
    }
    case TrackTreeAlg::RelDescendant: {
        // Up one composite at a time until the target.
        int index = from.index;
        for (const TrackI* node = track; node->GetTid() != toTid;) {
            index += node->GetParentOffset();
            node = m_lookup(node->GetParentTid());
            if (node == nullptr)
                return {};
        }
        return {toTid, index};
    }
    default:
        return {};
    }
}
