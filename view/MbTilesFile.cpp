#include "MbTilesFile.h"

#include "OsmLayerCoverage.h"

#include <QFile>
#include <QStringList>

#include <sqlite3.h>

namespace {

QString TextColumn(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text) : QString();
}

// "west,south,east,north"; none unless four numbers in order.
std::optional<GeoRect> ParseBounds(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    double values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (values[0] >= values[2] || values[1] >= values[3])
        return std::nullopt;
    return GeoRect{values[0], values[1], values[2], values[3]};
}

int ZoomOf(const QString& text)
{
    bool ok = false;
    const int zoom = text.toInt(&ok);
    return ok ? zoom : -1;
}

} // namespace

void MbTilesFile::DatabaseCloser::operator()(sqlite3* database) const
{
    sqlite3_close(database);
}

void MbTilesFile::StatementFinalizer::operator()(sqlite3_stmt* statement) const
{
    sqlite3_finalize(statement);
}

MbTilesFile::MbTilesFile() = default;

MbTilesFile::~MbTilesFile() = default;

bool MbTilesFile::Open(const QString& path, QString& error)
{
    m_tileQuery.reset();
    m_database.reset();
    m_metadata = Metadata();
    // SQLite would make an empty database of a missing file.
    if (!QFile::exists(path)) {
        error = QStringLiteral("The file does not exist.");
        return false;
    }
    sqlite3* database = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &database, SQLITE_OPEN_READONLY, nullptr);
    m_database.reset(database);
    sqlite3_stmt* query = nullptr;
    if (opened != SQLITE_OK ||
        sqlite3_prepare_v2(database,
                           "SELECT tile_data FROM tiles WHERE zoom_level = ?1 AND tile_column = ?2 AND tile_row = ?3",
                           -1, &query, nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(database ? sqlite3_errmsg(database) : "The file cannot be opened.");
        m_database.reset();
        return false;
    }
    m_tileQuery.reset(query);
    ReadMetadata();
    return true;
}

void MbTilesFile::ReadMetadata()
{
    sqlite3_stmt* raw = nullptr;
    // The metadata table is optional in practice: the tiles are what counts.
    if (sqlite3_prepare_v2(m_database.get(), "SELECT name, value FROM metadata", -1, &raw, nullptr) == SQLITE_OK) {
        const std::unique_ptr<sqlite3_stmt, StatementFinalizer> query(raw);
        while (sqlite3_step(raw) == SQLITE_ROW) {
            const QString name = TextColumn(raw, 0);
            const QString value = TextColumn(raw, 1);
            if (name == u"name")
                m_metadata.name = value;
            else if (name == u"attribution")
                m_metadata.attribution = value;
            else if (name == u"format")
                m_metadata.format = value;
            else if (name == u"bounds")
                m_metadata.bounds = ParseBounds(value);
            else if (name == u"minzoom")
                m_metadata.minZoom = ZoomOf(value);
            else if (name == u"maxzoom")
                m_metadata.maxZoom = ZoomOf(value);
        }
    }
    if (m_metadata.minZoom >= 0 && m_metadata.maxZoom >= m_metadata.minZoom)
        return;
    if (sqlite3_prepare_v2(m_database.get(), "SELECT MIN(zoom_level), MAX(zoom_level) FROM tiles", -1, &raw, nullptr) !=
        SQLITE_OK)
        return;
    const std::unique_ptr<sqlite3_stmt, StatementFinalizer> query(raw);
    const bool any = sqlite3_step(raw) == SQLITE_ROW && sqlite3_column_type(raw, 0) != SQLITE_NULL;
    m_metadata.minZoom = any ? sqlite3_column_int(raw, 0) : -1;
    m_metadata.maxZoom = any ? sqlite3_column_int(raw, 1) : -1;
}

MbTilesFile::Result MbTilesFile::Read(const MapTile& tile, ByteArray& bytes)
{
    bytes.Clear();
    if (!m_tileQuery || tile.zoom < 0 || tile.zoom > OsmLayerCoverage::MaxGridZoom)
        return Result::Failed;
    sqlite3_stmt* query = m_tileQuery.get();
    sqlite3_reset(query);
    sqlite3_bind_int(query, 1, tile.zoom);
    sqlite3_bind_int(query, 2, tile.x);
    sqlite3_bind_int64(query, 3, (int64_t(1) << tile.zoom) - 1 - tile.y);
    const int step = sqlite3_step(query);
    if (step == SQLITE_DONE)
        return Result::Missing;
    if (step != SQLITE_ROW)
        return Result::Failed;
    const void* data = sqlite3_column_blob(query, 0);
    const int size = sqlite3_column_bytes(query, 0);
    if (!data || size <= 0)
        return Result::Missing;
    bytes.Assign(data, static_cast<size_t>(size));
    sqlite3_reset(query);
    return Result::Found;
}
