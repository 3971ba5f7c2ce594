#pragma once

#include <QRgb>

// The colour a filtered or removed point is marked with on the map, by the
// family of its reason (the reason key's code, key mod 100): speed, small
// distances, accelerations, spikes, times, local inconsistencies, the user's
// own removals and missing fixes each have one, so that a glance at the map
// tells which rule took a point out.
namespace ReasonColours {

// ARGB.
QRgb Of(int reasonKey);

} // namespace ReasonColours
