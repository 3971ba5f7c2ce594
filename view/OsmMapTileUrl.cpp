#include "OsmMapTileUrl.h"

#include "MapServerPrefixI.h"
#include "MapTile.h"
#include "String.h"

OsmMapTileUrl::OsmMapTileUrl(const QString& urlTemplate, std::shared_ptr<const MapServerPrefixI> prefix)
    : m_prefix(std::move(prefix))
{
    qsizetype pos = 0;
    while (pos < urlTemplate.size()) {
        const qsizetype open = urlTemplate.indexOf(QLatin1Char('{'), pos);
        const qsizetype close = open < 0 ? -1 : urlTemplate.indexOf(QLatin1Char('}'), open + 1);
        if (close < 0) {
            AddText(urlTemplate.mid(pos));
            break;
        }
        AddText(urlTemplate.mid(pos, open - pos));
        AddPlaceholder(urlTemplate.mid(open + 1, close - open - 1));
        pos = close + 1;
    }
}

void OsmMapTileUrl::AddText(const QString& text)
{
    if (text.isEmpty())
        return;
    // Runs of literal text (an unknown name between two) make one token.
    if (!m_tokens.empty() && m_tokens.back().kind == Token::Text)
        m_tokens.back().text += text;
    else
        m_tokens.push_back({Token::Text, text});
}

void OsmMapTileUrl::AddPlaceholder(const QString& name)
{
    const QString lower = String::ToLower(name);
    if (lower == u"x")
        m_tokens.push_back({Token::X, {}});
    else if (lower == u"y")
        m_tokens.push_back({Token::Y, {}});
    else if (lower == u"z")
        m_tokens.push_back({Token::Zoom, {}});
    else if (lower == u"sp")
        m_tokens.push_back({Token::ServerPrefix, {}});
    else
        AddText(QLatin1Char('{') + name + QLatin1Char('}'));
}

QString OsmMapTileUrl::GetUrl(const MapTile& tile) const
{
    QString url;
    for (const Token& token : m_tokens) {
        switch (token.kind) {
        case Token::Text:
            url += token.text;
            break;
        case Token::X:
            url += QString::number(tile.x);
            break;
        case Token::Y:
            url += QString::number(tile.y);
            break;
        case Token::Zoom:
            url += QString::number(tile.zoom);
            break;
        case Token::ServerPrefix:
            if (m_prefix)
                url += m_prefix->GetPrefix();
            break;
        }
    }
    return url;
}
