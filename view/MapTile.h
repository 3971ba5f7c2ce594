#pragma once

#include <cstdint>
#include <string>

// One web-mercator tile of a map layer: column, row, zoom and the index of
// the layer in the layer list.
struct MapTile
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t zoom = 0;
    int32_t layer = 0;

    bool operator==(const MapTile&) const = default;
};

// The tile's name in the tile cache: the four numbers in base 36 joined by
// "_" ("1z_a_5_0" for x 71, y 10, zoom 5, layer 0).
std::string MapTileKey(const MapTile& tile);
