#include "CoordTransform.h"
#include "DrawingLayers.h"
#include "TestSupport.h"
#include "WorldBasemap.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// The whole world fits at the coarsest scale of the map window.
constexpr int Width = 1800;
constexpr int Height = 900;

class WorldBasemapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!m_world.IsAvailable())
            GTEST_SKIP() << "gmt-gshhg-low is not installed";
        m_transform.SetViewRect({0, 0, Width, Height});
    }

    QImage Draw()
    {
        QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        EXPECT_TRUE(m_world.Draw(painter, m_transform));
        return image;
    }

    QRgb At(const QImage& image, double lon, double lat) const
    {
        const PixelPoint p = m_transform.GeoToPixel({lon, lat});
        return image.pixel(p.x, p.y);
    }

    WorldBasemap m_world{WorldBasemap::FindDataFolder()};
    CoordTransform m_transform;
};

} // namespace

TEST_F(WorldBasemapTest, TheWholeWorldHasLandWhereLandIs)
{
    m_transform.SetScale(CoordTransform::MaxScale);
    m_transform.SetCenter({0, 0});
    const QImage image = Draw();
    EXPECT_EQ(At(image, 10, 23), WorldBasemap::Land) << "Sahara";
    EXPECT_EQ(At(image, 134, -25), WorldBasemap::Land) << "Australia";
    EXPECT_EQ(At(image, -98, 38), WorldBasemap::Land) << "North America";
    EXPECT_EQ(At(image, 0, -85), WorldBasemap::Land) << "Antarctica";
    EXPECT_EQ(At(image, -30, 0), WorldBasemap::Water) << "Atlantic";
    EXPECT_EQ(At(image, -150, 20), WorldBasemap::Water) << "Pacific";
    EXPECT_EQ(At(image, 80, -20), WorldBasemap::Water) << "Indian Ocean";
}

TEST_F(WorldBasemapTest, LakesAreWaterAndTheirIslandsLand)
{
    m_transform.SetScale(3000);
    m_transform.SetCenter({50.5, 42});
    const QImage caspian = Draw();
    EXPECT_EQ(At(caspian, 50.5, 42), WorldBasemap::Water) << "Caspian Sea";
    EXPECT_EQ(At(caspian, 45.5, 42), WorldBasemap::Land) << "Caucasus";
    // Lake Victoria, with Ukerewe island in it.
    m_transform.SetScale(1000);
    m_transform.SetCenter({33, -1.5});
    const QImage victoria = Draw();
    EXPECT_EQ(At(victoria, 32.5, -0.6), WorldBasemap::Water);
    EXPECT_EQ(At(victoria, 33.1, -3.5), WorldBasemap::Land);
    EXPECT_EQ(At(victoria, 33.05, -2.05), WorldBasemap::Land) << "Ukerewe";
}

TEST_F(WorldBasemapTest, BinsShapedOnTheWayDrawAsIfEachViewCameFirst)
{
    // Central Europe, with shores and national borders, then the Black Sea
    // (the views overlap): bins already shaped and bins shown for the first
    // time side by side, against a map that draws the second view first.
    m_transform.SetScale(3000);
    m_transform.SetCenter({12, 50});
    const QImage west = Draw();
    m_transform.SetCenter({35, 45});
    const QImage east = Draw();

    WorldBasemap fresh{WorldBasemap::FindDataFolder()};
    QImage expected(Width, Height, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::magenta);
    QPainter painter(&expected);
    EXPECT_TRUE(fresh.Draw(painter, m_transform));
    painter.end();
    EXPECT_TRUE(east == expected);

    // Back west: the shapes kept draw the same picture again.
    m_transform.SetCenter({12, 50});
    EXPECT_TRUE(Draw() == west);
}

TEST_F(WorldBasemapTest, TheResolutionFollowsTheScale)
{
    EXPECT_EQ(m_world.ResolutionFor(40000), 'c');
    EXPECT_EQ(m_world.ResolutionFor(3000), 'l');
    EXPECT_EQ(m_world.ResolutionFor(600), 'i');
    // Closer than the finest installed: the finest.
    const char finest = m_world.ResolutionFor(1);
    EXPECT_TRUE(finest == 'i' || finest == 'h' || finest == 'f');
}

TEST(WorldBasemapWithoutData, IsNotAvailableAndDrawsNothing)
{
    WorldBasemap world(MakeTempDir());
    EXPECT_FALSE(world.IsAvailable());
    EXPECT_EQ(world.ResolutionFor(1000), 0);
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    CoordTransform transform;
    transform.SetViewRect({0, 0, 16, 16});
    EXPECT_FALSE(world.Draw(painter, transform));
    painter.end();
    EXPECT_EQ(image.pixel(8, 8), QColor(Qt::magenta).rgba());
}
