#pragma once

#include "MapTileUrlI.h"

#include <memory>
#include <vector>

class MapServerPrefixI;

// A URL template with the placeholders {x}, {y}, {z} (tile column, row and
// zoom) and {sp} (server prefix), in any case. The template is split once;
// a braced name that is none of these stays in the URL as written, braces
// and all.
class OsmMapTileUrl : public MapTileUrlI
{
public:
    OsmMapTileUrl(const QString& urlTemplate, std::shared_ptr<const MapServerPrefixI> prefix);

    QString GetUrl(const MapTile& tile) const override;

private:
    struct Token
    {
        enum Kind { Text, X, Y, Zoom, ServerPrefix };
        Kind kind = Text;
        QString text;
    };

    void AddText(const QString& text);
    void AddPlaceholder(const QString& name);

    std::vector<Token> m_tokens;
    std::shared_ptr<const MapServerPrefixI> m_prefix;
};
