#pragma once

#include "TrackDrawAttrs.h"

#include <boost/signals2/connection.hpp>

#include <vector>

class GEventSubscribeI;
class OpenTracksModel;
class TracksStateI;

// Keeps the drawing attributes of the shown segments, in drawing order,
// and rebuilds them only when something they depend on changed: the tree,
// colours, selection, check states or view settings (announced), the
// options, or the segment under the mouse.
class TrackDrawAttrsImpl
{
public:
    TrackDrawAttrsImpl(const OpenTracksModel& model, const TracksStateI& state, GEventSubscribeI& events);

    const std::vector<TrackDrawAttrs>& Get(const TrackDrawOptions& options);
    void Invalidate() { m_dirty = true; }

private:
    void Rebuild(const TrackDrawOptions& options, int hovered);
    void Collect(int tid, std::vector<int>& segments) const;

    const OpenTracksModel& m_model;
    const TracksStateI& m_state;
    boost::signals2::scoped_connection m_connection;
    std::vector<TrackDrawAttrs> m_attrs;
    bool m_dirty = true;
    TrackDrawOptions m_builtFor;
    int m_builtHovered = -1;
};
