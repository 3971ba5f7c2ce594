#include "GshhgFile.h"

#include <QFile>

#include <netcdf.h>

#include <cstdint>

namespace {

// Steps of a bin's side stored in a point.
constexpr double StepsPerSide = 65535.0;
// Pieces of this level or above are Antarctica's grounding line.
constexpr int FirstGroundingLevel = 5;

// The netCDF variables of one open file, read whole.
class NetCdfReader
{
public:
    explicit NetCdfReader(const QString& path)
    {
        m_open = nc_open(QFile::encodeName(path).constData(), NC_NOWRITE, &m_id) == NC_NOERR;
        m_failed = !m_open;
    }
    ~NetCdfReader()
    {
        if (m_open)
            nc_close(m_id);
    }
    NetCdfReader(const NetCdfReader&) = delete;
    NetCdfReader& operator=(const NetCdfReader&) = delete;

    // Any variable missing or unreadable fails the file; its values are then
    // empty.
    bool Failed() const { return m_failed; }
    const QString& FirstMissing() const { return m_missing; }

    template <typename T> std::vector<T> Read(const char* name)
    {
        int var = 0;
        int dims = 0;
        int dimIds[NC_MAX_VAR_DIMS];
        size_t length = 1;
        if (!m_failed && nc_inq_varid(m_id, name, &var) == NC_NOERR
            && nc_inq_var(m_id, var, nullptr, nullptr, &dims, dimIds, nullptr) == NC_NOERR && dims <= 1) {
            if (dims == 1 && nc_inq_dimlen(m_id, dimIds[0], &length) != NC_NOERR)
                length = 0;
            std::vector<T> values(length);
            if (length > 0 && Get(var, values.data()) == NC_NOERR)
                return values;
        }
        if (!m_failed)
            m_missing = QString::fromLatin1(name);
        m_failed = true;
        return {};
    }

    int ReadScalar(const char* name)
    {
        const std::vector<int> value = Read<int>(name);
        return value.empty() ? 0 : value.front();
    }

private:
    int Get(int var, int* values) { return nc_get_var_int(m_id, var, values); }
    int Get(int var, short* values) { return nc_get_var_short(m_id, var, values); }
    int Get(int var, signed char* values) { return nc_get_var_schar(m_id, var, values); }

    int m_id = 0;
    bool m_open = false;
    bool m_failed = false;
    QString m_missing;
};

// Point i of the file in degrees, inside the bin.
QPointF PointOf(const GshhgBin& bin, double binSize, const std::vector<short>& dx, const std::vector<short>& dy,
                size_t i)
{
    // Stored as signed shorts, meant as unsigned steps.
    const double x = static_cast<uint16_t>(dx[i]) / StepsPerSide;
    const double y = static_cast<uint16_t>(dy[i]) / StepsPerSide;
    return {bin.west + x * binSize, bin.south + y * binSize};
}

} // namespace

bool GshhgFile::Load(const QString& path, Kind kind, QString& error)
{
    NetCdfReader file(path);
    if (file.Failed()) {
        error = QStringLiteral("Cannot open %1.").arg(path);
        return false;
    }
    const int binMinutes = file.ReadScalar("Bin_size_in_minutes");
    const int columns = file.ReadScalar("N_bins_in_360_longitude_range");
    const int binCount = file.ReadScalar("N_bins_in_file");
    const std::vector<int> firstSegment = file.Read<int>("Id_of_first_segment_in_a_bin");
    const std::vector<short> segmentCount = file.Read<short>("N_segments_in_a_bin");
    const std::vector<int> firstPoint = file.Read<int>("Id_of_first_point_in_a_segment");
    const std::vector<short> dx = file.Read<short>("Relative_longitude_from_SW_corner_of_bin");
    const std::vector<short> dy = file.Read<short>("Relative_latitude_from_SW_corner_of_bin");
    const bool shoreline = kind == Kind::Shoreline;
    // Shorelines pack count, level, entry and exit of a piece in one number
    // and the four corner levels of a bin in another; borders keep count
    // and level apart.
    const std::vector<int> packedSegments = shoreline ? file.Read<int>("Embedded_npts_levels_exit_entry_for_a_segment")
                                                      : std::vector<int>();
    const std::vector<short> packedCorners =
        shoreline ? file.Read<short>("Embedded_node_levels_in_a_bin") : std::vector<short>();
    const std::vector<short> pointCount = shoreline ? std::vector<short>() : file.Read<short>("N_points_for_a_segment");
    const std::vector<short> borderLevel =
        shoreline ? std::vector<short>() : file.Read<short>("Hierarchial_level_of_a_segment");
    const int polygons = shoreline ? file.ReadScalar("N_polygons_in_file") : 0;
    if (file.Failed()) {
        error = QStringLiteral("%1 has no %2.").arg(path, file.FirstMissing());
        return false;
    }
    const size_t segments = firstPoint.size();
    if (binMinutes <= 0 || columns <= 0 || binCount != columns * (180 * 60 / binMinutes)
        || firstSegment.size() != static_cast<size_t>(binCount) || segmentCount.size() != firstSegment.size()
        || dx.size() != dy.size() || (shoreline && (packedSegments.size() != segments
                                                    || packedCorners.size() != firstSegment.size()))
        || (!shoreline && (pointCount.size() != segments || borderLevel.size() != segments))) {
        error = QStringLiteral("%1 is not a binned GSHHG file.").arg(path);
        return false;
    }
    m_binSize = binMinutes / 60.0;
    m_polygonCount = polygons;
    m_bins.assign(static_cast<size_t>(binCount), {});
    for (int b = 0; b < binCount; ++b) {
        GshhgBin& bin = m_bins[static_cast<size_t>(b)];
        const double east0 = (b % columns) * m_binSize;
        bin.west = east0 >= 180 ? east0 - 360 : east0;
        bin.south = 90 - (b / columns + 1) * m_binSize;
        if (shoreline) {
            const int corners = packedCorners[static_cast<size_t>(b)];
            bin.cornerLevels = {static_cast<uint8_t>((corners >> 9) & 7), static_cast<uint8_t>((corners >> 6) & 7),
                                static_cast<uint8_t>((corners >> 3) & 7), static_cast<uint8_t>(corners & 7)};
        }
        // Counted in 64 bits: a damaged file may hold any numbers there.
        const int64_t firstIndex = firstSegment[static_cast<size_t>(b)];
        const int64_t countIndex = segmentCount[static_cast<size_t>(b)];
        if (firstIndex < 0 || countIndex < 0 || firstIndex + countIndex > static_cast<int64_t>(segments)) {
            error = QStringLiteral("%1 is damaged: bin %2 has pieces beyond the end.").arg(path).arg(b);
            return false;
        }
        const size_t first = static_cast<size_t>(firstIndex);
        for (size_t s = first; s < first + static_cast<size_t>(countIndex); ++s) {
            GshhgSegment segment;
            int64_t points = 0;
            if (shoreline) {
                const int packed = packedSegments[s];
                points = packed >> 9;
                segment.level = (packed >> 6) & 7;
                segment.entry = (packed >> 3) & 7;
                segment.exit = packed & 7;
            } else {
                points = static_cast<uint16_t>(pointCount[s]);
                segment.level = borderLevel[s];
            }
            const int64_t start = firstPoint[s];
            if (start < 0 || points < 0 || start + points > static_cast<int64_t>(dx.size())) {
                error = QStringLiteral("%1 is damaged: piece %2 has points beyond the end.").arg(path).arg(s);
                return false;
            }
            if (shoreline && segment.level >= FirstGroundingLevel)
                continue;
            segment.points.reserve(static_cast<size_t>(points));
            for (size_t i = static_cast<size_t>(start); i < static_cast<size_t>(start + points); ++i)
                segment.points.push_back(PointOf(bin, m_binSize, dx, dy, i));
            bin.segments.push_back(std::move(segment));
        }
    }
    return true;
}
