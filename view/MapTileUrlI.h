#pragma once

#include <QString>

struct MapTile;

// Where a layer's tile is fetched from.
class MapTileUrlI
{
public:
    virtual QString GetUrl(const MapTile& tile) const = 0;
    virtual ~MapTileUrlI() = default;
};
