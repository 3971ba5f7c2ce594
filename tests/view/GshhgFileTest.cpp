#include "GshhgFile.h"
#include "TestSupport.h"
#include "WorldBasemap.h"
#include "WorldBinShape.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

// The files of the gmt-gshhg-low package; the tests that read them skip
// when it is not installed.
QString GshhgPath(const char* name)
{
    const QString folder = WorldBasemap::FindDataFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QString::fromLatin1(name));
}

#define LOAD_OR_SKIP(file, name, kind)                                                                                 \
    const QString path = GshhgPath(name);                                                                              \
    if (path.isEmpty() || !QFile::exists(path))                                                                        \
        GTEST_SKIP() << "gmt-gshhg-low is not installed";                                                              \
    QString error;                                                                                                     \
    ASSERT_TRUE(file.Load(path, kind, error)) << error.toStdString()

std::map<int, int> PiecesPerLevel(const GshhgFile& file)
{
    std::map<int, int> counts;
    for (const GshhgBin& bin : file.GetBins())
        for (const GshhgSegment& segment : bin.segments)
            ++counts[segment.level];
    return counts;
}

// The degrees from a place to the nearest shoreline point of its bin.
double DistanceToShore(const GshhgFile& file, QPointF place)
{
    double nearest = 1e9;
    for (const GshhgBin& bin : file.GetBins()) {
        if (place.x() < bin.west || place.x() >= bin.west + file.GetBinSize() || place.y() < bin.south
            || place.y() >= bin.south + file.GetBinSize())
            continue;
        for (const GshhgSegment& segment : bin.segments)
            for (const QPointF& p : segment.points)
                nearest = std::min(nearest, std::hypot(p.x() - place.x(), p.y() - place.y()));
    }
    return nearest;
}

} // namespace

// The expected counts were taken with ncdump from the packaged files: the
// levels are bits 6 to 8 of Embedded_npts_levels_exit_entry_for_a_segment;
// level 6 (Antarctica's grounding line, 71 pieces in the crude file) is left
// out.
TEST(GshhgFileTest, CrudeShorelinesHaveTheFilesBinsPolygonsAndPiecesPerLevel)
{
    GshhgFile file;
    LOAD_OR_SKIP(file, "binned_GSHHS_c.nc", GshhgFile::Kind::Shoreline);
    EXPECT_DOUBLE_EQ(file.GetBinSize(), 20.0);
    ASSERT_EQ(file.GetBins().size(), 162u);
    EXPECT_EQ(file.GetPolygonCount(), 1781);
    EXPECT_EQ(PiecesPerLevel(file), (std::map<int, int>{{1, 1084}, {2, 1078}, {3, 25}}));
    // Rows from the north, columns from longitude 0 eastwards.
    EXPECT_DOUBLE_EQ(file.GetBins()[0].west, 0.0);
    EXPECT_DOUBLE_EQ(file.GetBins()[0].south, 70.0);
    EXPECT_DOUBLE_EQ(file.GetBins()[9].west, -180.0);
    EXPECT_DOUBLE_EQ(file.GetBins()[161].south, -90.0);
}

TEST(GshhgFileTest, LowShorelinesHaveFourLevelsAndPassKnownCapes)
{
    GshhgFile file;
    LOAD_OR_SKIP(file, "binned_GSHHS_l.nc", GshhgFile::Kind::Shoreline);
    EXPECT_DOUBLE_EQ(file.GetBinSize(), 10.0);
    EXPECT_EQ(file.GetPolygonCount(), 10717);
    EXPECT_EQ(PiecesPerLevel(file), (std::map<int, int>{{1, 6858}, {2, 4702}, {3, 516}, {4, 11}}));
    // Tarifa, Cape Agulhas and Cape Horn, within the 5 km of the low
    // resolution and a little.
    EXPECT_LT(DistanceToShore(file, {-5.61, 36.00}), 0.08);
    EXPECT_LT(DistanceToShore(file, {20.01, -34.83}), 0.08);
    EXPECT_LT(DistanceToShore(file, {-67.27, -55.98}), 0.08);
    // The middle of the Sahara is far from any shore.
    EXPECT_GT(DistanceToShore(file, {10.0, 23.0}), 3.0);
}

TEST(GshhgFileTest, PiecesStayInsideTheirBins)
{
    GshhgFile file;
    LOAD_OR_SKIP(file, "binned_GSHHS_l.nc", GshhgFile::Kind::Shoreline);
    const double size = file.GetBinSize();
    for (const GshhgBin& bin : file.GetBins())
        for (const GshhgSegment& segment : bin.segments) {
            for (const QPointF& p : segment.points) {
                ASSERT_GE(p.x(), bin.west - 1e-9);
                ASSERT_LE(p.x(), bin.west + size + 1e-9);
                ASSERT_GE(p.y(), bin.south - 1e-9);
                ASSERT_LE(p.y(), bin.south + size + 1e-9);
            }
            ASSERT_EQ(segment.IsClosed(), segment.exit == GshhgSegment::NoSide);
        }
}

TEST(GshhgFileTest, BordersHaveLevelsAndNoCornerLevels)
{
    GshhgFile file;
    LOAD_OR_SKIP(file, "binned_border_c.nc", GshhgFile::Kind::Border);
    ASSERT_EQ(file.GetBins().size(), 162u);
    const std::map<int, int> levels = PiecesPerLevel(file);
    int total = 0;
    for (const auto& [level, count] : levels) {
        EXPECT_GE(level, 1);
        EXPECT_LE(level, 3);
        total += count;
    }
    // N_segments_in_file of the crude border file.
    EXPECT_EQ(total, 1397);
}

TEST(GshhgFileTest, AFileOfAnotherKindOrNoneFailsWithAReason)
{
    GshhgFile file;
    QString error;
    EXPECT_FALSE(file.Load(QDir(MakeTempDir()).filePath(QStringLiteral("none.nc")), GshhgFile::Kind::Shoreline, error));
    EXPECT_FALSE(error.isEmpty());
    const QString borders = GshhgPath("binned_border_c.nc");
    if (borders.isEmpty())
        GTEST_SKIP() << "gmt-gshhg-low is not installed";
    error.clear();
    EXPECT_FALSE(file.Load(borders, GshhgFile::Kind::Shoreline, error));
    EXPECT_TRUE(error.contains(QStringLiteral("Embedded_npts_levels_exit_entry_for_a_segment"))) << error.toStdString();
}

// A 10-degree bin at the origin.
class WorldBinShapeTest : public ::testing::Test
{
protected:
    static GshhgSegment Piece(int level, int entry, int exit, std::vector<QPointF> points)
    {
        GshhgSegment segment;
        segment.level = level;
        segment.entry = entry;
        segment.exit = exit;
        segment.points = std::move(points);
        return segment;
    }

    GshhgBin m_bin{0, 0, {0, 0, 0, 0}, {}};
};

TEST_F(WorldBinShapeTest, APieceAcrossACornerMakesThatCornerLand)
{
    // From the south side to the east side around the south-east corner,
    // which is land.
    m_bin.cornerLevels = {0, 1, 0, 0};
    m_bin.segments.push_back(Piece(1, 0, 1, {{6, 0}, {7, 2}, {10, 4}}));
    const WorldBinShape shape = WorldBinShape::FromShoreline(m_bin, 10);
    EXPECT_TRUE(shape.land.contains(QPointF(9, 1)));
    EXPECT_FALSE(shape.land.contains(QPointF(1, 1)));
    EXPECT_FALSE(shape.land.contains(QPointF(9, 9)));
    // The other way round: all but the corner is land.
    m_bin.cornerLevels = {1, 0, 1, 1};
    const WorldBinShape inverse = WorldBinShape::FromShoreline(m_bin, 10);
    EXPECT_FALSE(inverse.land.contains(QPointF(9, 1)));
    EXPECT_TRUE(inverse.land.contains(QPointF(1, 1)));
    EXPECT_TRUE(inverse.land.contains(QPointF(9, 9)));
}

TEST_F(WorldBinShapeTest, AnIslandWithALakeWithAnIslandInTheSea)
{
    m_bin.segments.push_back(Piece(1, 4, 4, {{1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}}));
    m_bin.segments.push_back(Piece(2, 4, 4, {{3, 3}, {7, 3}, {7, 7}, {3, 7}, {3, 3}}));
    m_bin.segments.push_back(Piece(3, 4, 4, {{4.5, 4.5}, {5.5, 4.5}, {5.5, 5.5}, {4.5, 5.5}, {4.5, 4.5}}));
    const WorldBinShape shape = WorldBinShape::FromShoreline(m_bin, 10);
    EXPECT_FALSE(shape.land.contains(QPointF(0.5, 0.5)));
    EXPECT_TRUE(shape.land.contains(QPointF(2, 2)));
    EXPECT_FALSE(shape.land.contains(QPointF(4, 4)));
    EXPECT_TRUE(shape.land.contains(QPointF(5, 5)));
    // Every shore is a line.
    EXPECT_TRUE(shape.lines.boundingRect().contains(QRectF(1, 1, 8, 8)));
}

TEST_F(WorldBinShapeTest, ABinWithoutShoresIsWhatItsCornersSay)
{
    EXPECT_TRUE(WorldBinShape::FromShoreline(m_bin, 10).land.isEmpty());
    m_bin.cornerLevels = {1, 1, 1, 1};
    EXPECT_TRUE(WorldBinShape::FromShoreline(m_bin, 10).land.contains(QPointF(5, 5)));
}

TEST_F(WorldBinShapeTest, BordersKeepTheLevelsAskedFor)
{
    m_bin.segments.push_back(Piece(1, 4, 4, {{0, 5}, {10, 5}}));
    m_bin.segments.push_back(Piece(2, 4, 4, {{5, 0}, {5, 10}}));
    const WorldBinShape shape = WorldBinShape::FromBorders(m_bin, 10, 1);
    EXPECT_TRUE(shape.land.isEmpty());
    EXPECT_EQ(shape.lines.boundingRect(), QRectF(0, 5, 10, 0));
}
