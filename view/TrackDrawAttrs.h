#pragma once

#include "PaletteI.h"

#include <cstdint>

// How one shown segment is drawn on the map.
struct TrackDrawAttrs
{
    static constexpr uint32_t DefaultColour = 0xC0C0C0;

    int tid = -1;
    // 0 to 3; segments are drawn by ascending level, so 3 ends on top.
    // 0: not selected, 1: selected, 2: selected with arrows, 3: hovered.
    int level = 0;
    int centreWidth = 1;
    // COLORREF.
    uint32_t centreColour = DefaultColour;
    int casingWidth = 1;
    uint32_t casingColour = DefaultColour;
    // May be empty.
    PalettePtr palette;
};

// What the drawing attributes depend on besides the tracks and the user's
// choices over them.
struct TrackDrawOptions
{
    bool mapShown = false;
    bool showArrows = false;
    PalettePtr palette;

    bool operator==(const TrackDrawOptions&) const = default;
};
