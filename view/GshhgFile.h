#pragma once

#include <QPointF>
#include <QString>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

// A piece of a shoreline or border inside one bin. Shoreline pieces either
// close on themselves or run from one side of the bin to another.
struct GshhgSegment
{
    // Shorelines: 1 land, 2 lake, 3 island in a lake, 4 pond on such an
    // island. Borders: 1 national, 2 internal, 3 maritime.
    int level = 0;
    // The side the piece comes in by and goes out by: 0 south, 1 east,
    // 2 north, 3 west; NoSide for a piece that closes on itself.
    int entry = NoSide;
    int exit = NoSide;
    // Longitude, latitude in degrees.
    std::vector<QPointF> points;

    static constexpr int NoSide = 4;
    bool IsClosed() const { return entry == NoSide; }
};

// One square of the file's grid with the pieces that lie in it.
struct GshhgBin
{
    // South-west corner, degrees.
    double west = 0;
    double south = 0;
    // Shorelines: the level at the south-west, south-east, north-east and
    // north-west corners (what lies there when no piece says otherwise).
    std::array<uint8_t, 4> cornerLevels{};
    std::vector<GshhgSegment> segments;
};

// One of GMT's binned GSHHG files (netCDF): shorelines ("binned_GSHHS_l.nc")
// or borders ("binned_border_l.nc"), the world cut into square bins of
// equal size, each piece stored as 16-bit steps from its bin's corner.
//
// Antarctica is stored twice in the shoreline files: along the ice front
// (flagged pieces, level 1) and along the grounding line (level 6). The ice
// front is what maps show as its coast, and it is what the corner levels
// agree with, so the grounding line is left out.
class GshhgFile
{
public:
    enum class Kind {
        Shoreline,
        Border
    };

    // False with the reason in error when the file is missing or is not a
    // file of that kind.
    bool Load(const QString& path, Kind kind, QString& error);

    // The side of every bin, degrees.
    double GetBinSize() const { return m_binSize; }
    // As the file counts them (shorelines only; 0 for borders).
    int GetPolygonCount() const { return m_polygonCount; }
    // Every bin of the grid, rows from the north, in each row from
    // longitude 0 eastwards.
    const std::vector<GshhgBin>& GetBins() const { return m_bins; }
    // The bins moved out, leaving none.
    std::vector<GshhgBin> TakeBins() { return std::exchange(m_bins, {}); }

private:
    double m_binSize = 0;
    int m_polygonCount = 0;
    std::vector<GshhgBin> m_bins;
};
