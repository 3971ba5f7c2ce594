#pragma once

#include <QString>

// The part of a tile URL that spreads requests over a server's mirrors
// ("a", "b", "c" in "https://{sp}.tile.example.org/...").
class MapServerPrefixI
{
public:
    virtual QString GetPrefix() const = 0;
    virtual ~MapServerPrefixI() = default;
};
