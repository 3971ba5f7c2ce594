#pragma once

#include "ByteArray.h"
#include "GeoTypes.h"
#include "MapTile.h"

#include <QString>

#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// An MBTiles file: map tiles in an SQLite database, with a metadata table
// (name, format, bounds, zoom range). The file's rows count from the south
// (TMS); the callers' tiles count from the north, as everywhere else in the
// program. Read-only; one thread at a time.
class MbTilesFile
{
public:
    struct Metadata
    {
        QString name;
        // The credit the map's makers ask for.
        QString attribution;
        // "png", "jpg", "webp"...
        QString format;
        // West, south, east, north; none when the file does not say.
        std::optional<GeoRect> bounds;
        // From the metadata, else from the tiles there are; -1 without tiles.
        int minZoom = -1;
        int maxZoom = -1;
    };

    enum class Result {
        Found,
        Missing,
        Failed
    };

    MbTilesFile();
    ~MbTilesFile();
    MbTilesFile(const MbTilesFile&) = delete;
    MbTilesFile& operator=(const MbTilesFile&) = delete;

    // False with the reason when the file cannot be read as MBTiles (missing,
    // no database, no tiles table).
    bool Open(const QString& path, QString& error);
    const Metadata& GetMetadata() const { return m_metadata; }

    // The tile's bytes into bytes when found; Missing when the file has no
    // such tile, Failed when it could not be read (a damaged file).
    Result Read(const MapTile& tile, ByteArray& bytes);

private:
    void ReadMetadata();

    struct DatabaseCloser
    {
        void operator()(sqlite3* database) const;
    };
    struct StatementFinalizer
    {
        void operator()(sqlite3_stmt* statement) const;
    };

    std::unique_ptr<sqlite3, DatabaseCloser> m_database;
    // Declared after the database, so that it goes first.
    std::unique_ptr<sqlite3_stmt, StatementFinalizer> m_tileQuery;
    Metadata m_metadata;
};
