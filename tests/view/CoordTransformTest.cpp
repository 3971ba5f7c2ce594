#include "CoordTransform.h"

#include "UpdateCounterImpl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double K = CoordTransform::MetresPerDegree;

// An 800 x 600 window whose origin is not at (0, 0), as a child window's
// rectangle may be.
CoordTransform InWindow(const GeoPoint& centre, double scale)
{
    CoordTransform transform;
    transform.SetViewRect({10, 20, 810, 620});
    transform.SetScale(scale);
    transform.SetCenter(centre);
    return transform;
}

double CosDeg(double degrees)
{
    return std::cos(degrees * std::numbers::pi / 180.0);
}

} // namespace

TEST(CoordTransform, StartsAtTheWidestScaleAndClampsEveryScale)
{
    CoordTransform transform;
    EXPECT_EQ(transform.GetScale(), 24000.0);
    EXPECT_EQ(transform.GetCenter(), (GeoPoint{0, 0}));
    EXPECT_EQ(transform.GetLonFactor(), 1.0);
    transform.SetScale(0.001);
    EXPECT_EQ(transform.GetScale(), 0.02);
    transform.SetScale(1e6);
    EXPECT_EQ(transform.GetScale(), 24000.0);
    transform.SetScale(100.0);
    transform.ZoomBy(4.0);
    EXPECT_DOUBLE_EQ(transform.GetScale(), 25.0);
    transform.ZoomBy(0.5);
    EXPECT_DOUBLE_EQ(transform.GetScale(), 50.0);
    // Zooming by zero would divide by it: the widest scale, not infinity.
    transform.ZoomBy(0.0);
    EXPECT_EQ(transform.GetScale(), 24000.0);
    transform.SetScale(std::nan(""));
    EXPECT_EQ(transform.GetScale(), 24000.0);
}

TEST(CoordTransform, TheCentreLatitudeNeverLeavesThePoles)
{
    CoordTransform transform = InWindow({10, 0}, 100.0);
    transform.SetCenter({10, 95});
    EXPECT_EQ(transform.GetCenter().lat, 90.0);
    transform.SetCenter({10, -200});
    EXPECT_EQ(transform.GetCenter().lat, -90.0);
    // Panning north from the pole keeps it there; longitude is never wrapped.
    transform.SetCenter({179.9, 89.99});
    transform.PanBy(0, -100000);
    EXPECT_EQ(transform.GetCenter().lat, 90.0);
    transform.SetCenter({540.0, 0});
    EXPECT_EQ(transform.GetCenter().lon, 540.0);
}

TEST(CoordTransform, LongitudeFactorComesFromTheLatitudeNearestTheEquator)
{
    EXPECT_EQ(CoordTransform::LonFactor(-5, 5), 1.0);
    EXPECT_EQ(CoordTransform::LonFactor(0, 40), 1.0);
    EXPECT_EQ(CoordTransform::LonFactor(-40, 0), 1.0);
    EXPECT_DOUBLE_EQ(CoordTransform::LonFactor(60, 70), CosDeg(60));
    EXPECT_DOUBLE_EQ(CoordTransform::LonFactor(70, 60), CosDeg(60));
    EXPECT_DOUBLE_EQ(CoordTransform::LonFactor(-70, -60), CosDeg(60));
    EXPECT_NEAR(CoordTransform::LonFactor(60, 70), 0.5, 1e-12);
    EXPECT_EQ(CoordTransform::LonFactor(85, 89), 0.2);
    EXPECT_EQ(CoordTransform::LonFactor(95, 120), 0.2);

    // The transform takes the band between the top and bottom edges of its
    // window: 600 px at 1 km per pixel around 65° N reach 62.3° to 67.7°.
    CoordTransform transform = InWindow({0, 65}, 1000.0);
    const double halfBand = 300 * 1000.0 / K;
    EXPECT_DOUBLE_EQ(transform.GetLonFactor(), CosDeg(65 - halfBand));
    // A view across the equator is not squeezed at all.
    transform.SetCenter({0, 2});
    EXPECT_EQ(transform.GetLonFactor(), 1.0);
}

TEST(CoordTransform, PixelsAndPlacesConvertBothWays)
{
    const GeoPoint centre{14.5, 46.05};
    const CoordTransform transform = InWindow(centre, 2.0);
    // The centre pixel of 10..810 x 20..620.
    EXPECT_EQ(transform.GeoToPixel(centre), (PixelPoint{410, 320}));
    EXPECT_EQ(transform.PixelToGeo({410, 320}), centre);
    const double factor = transform.GetLonFactor();
    ASSERT_LT(factor, 0.75);
    // 100 px east and 50 px south of the centre.
    const GeoPoint g = transform.PixelToGeo({510, 370});
    EXPECT_NEAR((g.lon - centre.lon) * K * factor, 200.0, 1e-6);
    EXPECT_NEAR((centre.lat - g.lat) * K, 100.0, 1e-6);
    EXPECT_EQ(transform.GeoToPixel(g), (PixelPoint{510, 370}));
    for (const PixelPoint p : {PixelPoint{0, 0}, PixelPoint{-300, 900}, PixelPoint{809, 619}})
        EXPECT_EQ(transform.GeoToPixel(transform.PixelToGeo(p)), p) << p.x << "," << p.y;
    EXPECT_EQ(transform.GetViewRectF(), (RectF{10, 20, 810, 620}));
}

TEST(CoordTransform, HalfPixelsRoundAwayOnTheRightAndTowardsTheOriginOnTheLeft)
{
    // 4096 pixels to a degree: every position below is exact in binary.
    CoordTransform transform;
    transform.SetViewRect({0, 0, 100, 100});
    transform.SetScale(K / 4096);
    transform.SetCenter({0, 0});
    ASSERT_EQ(transform.GetLonFactor(), 1.0);
    const auto lonAtX = [](double x) { return (x - 50) / 4096; };
    EXPECT_EQ(transform.GeoToPixelF({lonAtX(-2.5), 0}).x, -2.5);
    EXPECT_EQ(transform.GeoToPixel({lonAtX(-2.5), 0}).x, -2);
    EXPECT_EQ(transform.GeoToPixel({lonAtX(-2.75), 0}).x, -3);
    EXPECT_EQ(transform.GeoToPixel({lonAtX(2.5), 0}).x, 3);
    EXPECT_EQ(transform.GeoToPixel({lonAtX(2.25), 0}).x, 2);
    // 2.5 px above the window (y grows downwards).
    EXPECT_EQ(transform.GeoToPixel({0, 52.5 / 4096}).y, -2);
}

TEST(CoordTransform, ZoomingAtAPointKeepsThePlaceUnderIt)
{
    CoordTransform transform = InWindow({-122.4, 37.8}, 50.0);
    const PixelPoint cursor{700, 100};
    const GeoPoint under = transform.PixelToGeo(cursor);
    transform.ZoomAt(2.0, cursor);
    EXPECT_DOUBLE_EQ(transform.GetScale(), 25.0);
    EXPECT_EQ(transform.GeoToPixel(under), cursor);
    transform.ZoomAt(0.1, cursor);
    EXPECT_DOUBLE_EQ(transform.GetScale(), 250.0);
    EXPECT_EQ(transform.GeoToPixel(under), cursor);
}

TEST(CoordTransform, PanningMovesTheViewEastAndSouth)
{
    CoordTransform transform = InWindow({8.54, 47.37}, 10.0);
    const GeoPoint before = transform.GetCenter();
    const GeoPoint target = transform.PixelToGeo({410 + 30, 320 + 40});
    transform.PanBy(30, 40);
    EXPECT_GT(transform.GetCenter().lon, before.lon);
    EXPECT_LT(transform.GetCenter().lat, before.lat);
    EXPECT_EQ(transform.GeoToPixel(target), (PixelPoint{410, 320}));
}

TEST(CoordTransform, FittingARectangleShowsAllOfItAndFillsOneSide)
{
    // 0.2° of longitude by 0.05° of latitude at 47° N: wide, so the width
    // decides.
    const GeoRect rect{8.4, 47.35, 8.6, 47.40};
    CoordTransform transform;
    transform.SetViewRect({0, 0, 800, 600});
    transform.FitGeoRect(rect, 0.9);
    EXPECT_NEAR(transform.GetCenter().lon, 8.5, 1e-9);
    EXPECT_NEAR(transform.GetCenter().lat, 47.375, 1e-9);
    const PointF west = transform.GeoToPixelF({rect.lon0, rect.lat0});
    const PointF east = transform.GeoToPixelF({rect.lon1, rect.lat1});
    EXPECT_NEAR(east.x - west.x, 0.9 * 800, 0.9 * 800 * 0.002);
    EXPECT_GT(east.y, 0.0);
    EXPECT_LT(west.y, 600.0);
    // The factor settled for the band now in view.
    const double d = transform.GetScale() / K;
    const double lat = transform.GetCenter().lat;
    EXPECT_DOUBLE_EQ(transform.GetLonFactor(), CoordTransform::LonFactor(lat + 300 * d, lat - 300 * d));

    // A tall one: the height decides.
    transform.FitGeoRect({8.5, 47.0, 8.51, 48.0}, 1.0);
    EXPECT_NEAR(transform.GeoToPixelF({8.5, 47.0}).y - transform.GeoToPixelF({8.5, 48.0}).y, 600.0, 0.01);
}

TEST(CoordTransform, FittingAPointOrAnEmptyWindowStaysInRange)
{
    CoordTransform transform;
    transform.SetViewRect({0, 0, 800, 600});
    transform.FitGeoRect({8.5, 47.3, 8.5, 47.3}, 0.9);
    EXPECT_EQ(transform.GetCenter(), (GeoPoint{8.5, 47.3}));
    EXPECT_EQ(transform.GetScale(), 0.25);
    // A horizontal line: its width decides.
    transform.FitGeoRect({8.0, 47.3, 9.0, 47.3}, 1.0);
    EXPECT_NEAR(transform.GeoToPixelF({9.0, 47.3}).x - transform.GeoToPixelF({8.0, 47.3}).x, 800.0, 800 * 0.002);
    // Nothing to fill: the widest scale rather than infinity.
    CoordTransform hidden;
    hidden.FitGeoRect({8.0, 47.0, 9.0, 48.0}, 0.9);
    EXPECT_EQ(hidden.GetScale(), 24000.0);
    EXPECT_FALSE(std::isnan(hidden.GetCenter().lon));
}

TEST(CoordTransform, WatchersReportEachChangeOnce)
{
    CoordTransform transform;
    const std::shared_ptr<UpdateWatcher> first = transform.GetUpdateWatcher();
    EXPECT_FALSE(first->IsUpdated());
    transform.SetViewRect({0, 0, 100, 100});
    const std::shared_ptr<UpdateWatcher> second = transform.GetUpdateWatcher();
    EXPECT_TRUE(first->IsUpdated());
    EXPECT_FALSE(first->IsUpdated());
    EXPECT_FALSE(second->IsUpdated());
    transform.SetScale(10.0);
    transform.PlaceGeoAt({3, 4}, {1, 2});
    EXPECT_TRUE(second->IsUpdated());
    EXPECT_FALSE(second->IsUpdated());
    first->Reset();
    EXPECT_FALSE(first->IsUpdated());
    // Reading does not change the view.
    (void)transform.PixelToGeo({5, 5});
    (void)transform.GeoToPixel({5, 5});
    EXPECT_FALSE(first->IsUpdated());
}
