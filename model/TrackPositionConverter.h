#pragma once

#include <functional>

class TrackI;
class TrackTreeReaderI;

// A point as (node, index in that node's numbering); (-1, -1) for none.
struct TrackPosition
{
    int tid = -1;
    int index = -1;

    bool operator==(const TrackPosition&) const = default;
};

// Carries a point position from the numbering of one node into that of
// another: down into a node beneath through the composite's ConvertIndex, up
// to a node above through the parent offsets.
class TrackPositionConverter
{
public:
    // The track object of a tid, null when there is none.
    using TrackLookup = std::function<const TrackI*(int tid)>;

    TrackPositionConverter(const TrackTreeReaderI& tree, TrackLookup lookup);

    // (-1, -1) when the nodes are not related or the point lies outside.
    TrackPosition Convert(const TrackPosition& from, int toTid) const;

private:
    const TrackTreeReaderI& m_tree;
    TrackLookup m_lookup;
};
