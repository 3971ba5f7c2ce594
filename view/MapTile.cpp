#include "MapTile.h"

#include "String.h"

std::string MapTileKey(const MapTile& tile)
{
    constexpr int Radix = 36;
    return String::ItoaA(tile.x, Radix) + '_' + String::ItoaA(tile.y, Radix) + '_' + String::ItoaA(tile.zoom, Radix) +
           '_' + String::ItoaA(tile.layer, Radix);
}
