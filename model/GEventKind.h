#pragma once

// The kinds of change announced through the event manager. Kind 0 always
// carries a tree-change record, kind 1 a file's tid, kinds 8 and 9 a pair
// (tid, point index); the others carry nothing.
namespace GEventKind {
// Files, folders or segments were added, removed or restructured.
inline constexpr int TreeChanged = 0;
// A file's name, path or modified flag changed; the payload is its tid.
inline constexpr int FileAttrChanged = 1;
// Points of a track were filtered, restored or deleted.
inline constexpr int PointsChanged = 2;
// Display attributes of tracks (colours) changed.
inline constexpr int DisplayAttrChanged = 3;
// The selection changed, or removed nodes were dropped from it and from the
// current point.
inline constexpr int SelectionChanged = 4;
// Tracks were shown or hidden.
inline constexpr int CheckStateChanged = 5;
inline constexpr int CurrentPointChanged = 6;
// Cursor and point-view changes; part of the point filter, no sender yet.
inline constexpr int PointViewChanged = 7;
// One point was removed or restored by the user.
inline constexpr int PointRemovedRestored = 8;
// One point was added by the user with the mouse.
inline constexpr int PointAdded = 9;
// Other changes of the user's choices; part of the state filter, no sender yet.
inline constexpr int StateOtherChanged = 10;
inline constexpr int ViewSettingsChanged = 11;
// Units or display options changed.
inline constexpr int UnitsChanged = 12;
// The stretch of points chosen on a segment was set, changed or cleared.
inline constexpr int PointRangeChanged = 13;

inline constexpr int Count = 14;
} // namespace GEventKind

// Priority groups: a delivery reaches group 3, then 2, then 1.
namespace GEventGroup {
// The tracks state, so it is current before anybody else reads it.
inline constexpr int State = 3;
// Keepers of derived data: track names and labels, the map's drawing data.
inline constexpr int Derived = 2;
// Panes and views.
inline constexpr int Views = 1;
} // namespace GEventGroup
