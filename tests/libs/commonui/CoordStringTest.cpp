#include "UnitsDisp.h"
#include "UnitsTestBase.h"

#include <limits>

// Minutes and seconds are worked out by hand, e.g. for the sample point
// 38.89037, -77.031959: 0.89037 * 60 = 53.4222', 0.4222 * 60 = 25.332";
// 0.031959 * 60 = 1.91754', 0.91754 * 60 = 55.0524".
//
// UTM references were computed apart from GeographicLib, twice, with the
// transverse Mercator series of Snyder ("Map Projections - A Working
// Manual", USGS Professional Paper 1395, eqs. 8-9, 8-10) and of Krüger as
// given by Karney (J. Geodesy 85, 2011, eqs. 35-36), WGS84, k0 = 0.9996.
// The two agree within a millimetre; none of the metres used lies near .5.
//   38.89037, -77.031959    zone 18N  E 323770.006  N 4306573.337
//   -34.603722, -58.381592  zone 21S  E 373318.269  N 6170033.741
//   -41.28646, 174.776236   zone 60S  E 313783.971  N 5427057.313
//   60, 5 (zone 32, Norway) zone 32N  E 276979.926  N 6658157.202
//   0, 0                    zone 31N  E 166021.443  N 0 (a well-known value)
// UPS puts the pole at the false origin 2,000,000 m, 2,000,000 m.

namespace {

constexpr double kSampleLat = 38.89037;
constexpr double kSampleLon = -77.031959;

class CoordStringTest : public UnitsTestBase
{
protected:
    static QString Coord(double lat, double lon, CoordFormat format, CoordSignFormat sign,
                         AngleUnits marks = AngleUnits::Typographic)
    {
        return UnitsDisp::GetCoordString(lat, lon, format, sign, marks);
    }
};

} // namespace

TEST_F(CoordStringTest, SampleInEveryFormatAndSignStyle)
{
    struct Row {
        CoordFormat format;
        CoordSignFormat sign;
        const char16_t* expected;
    };
    const Row rows[] = {
        {CoordFormat::DecimalDegrees, CoordSignFormat::PlusMinus, u"38.890370°, -77.031959°"},
        {CoordFormat::DecimalDegrees, CoordSignFormat::Letters, u"38.890370° N, 77.031959° W"},
        {CoordFormat::DegreesMinutes, CoordSignFormat::PlusMinus, u"38°53.4222′, -77°01.9175′"},
        {CoordFormat::DegreesMinutes, CoordSignFormat::Letters, u"38°53.4222′ N, 77°01.9175′ W"},
        {CoordFormat::DegreesMinutesSeconds, CoordSignFormat::PlusMinus, u"38°53′25.33″, -77°01′55.05″"},
        {CoordFormat::DegreesMinutesSeconds, CoordSignFormat::Letters, u"38°53′25.33″ N, 77°01′55.05″ W"},
        {CoordFormat::Utm, CoordSignFormat::PlusMinus, u"18N, 323770, 4306573"},
        {CoordFormat::Utm, CoordSignFormat::Letters, u"18N, 323770, 4306573"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.format) * 10 + static_cast<int>(row.sign));
        EXPECT_EQ(Coord(kSampleLat, kSampleLon, row.format, row.sign), QString::fromUtf16(row.expected));
    }
}

TEST_F(CoordStringTest, AngleMarkStyles)
{
    EXPECT_EQ(Coord(kSampleLat, kSampleLon, CoordFormat::DegreesMinutesSeconds, CoordSignFormat::Letters,
                    AngleUnits::Keyboard),
              QStringLiteral("38°53'25.33\" N, 77°01'55.05\" W"));
    EXPECT_EQ(Coord(kSampleLat, kSampleLon, CoordFormat::DegreesMinutesSeconds, CoordSignFormat::Letters,
                    AngleUnits::Bare),
              "38 53 25.33 N, 77 01 55.05 W");
    EXPECT_EQ(Coord(kSampleLat, kSampleLon, CoordFormat::DegreesMinutes, CoordSignFormat::PlusMinus,
                    AngleUnits::Bare),
              "38 53.4222, -77 01.9175");
    EXPECT_EQ(Coord(kSampleLat, kSampleLon, CoordFormat::DecimalDegrees, CoordSignFormat::PlusMinus,
                    AngleUnits::Bare),
              "38.890370, -77.031959");
}

TEST_F(CoordStringTest, SouthernAndWesternHemispheres)
{
    // Buenos Aires: 0.603722 * 60 = 36.22332', 0.22332 * 60 = 13.3992";
    // 0.381592 * 60 = 22.89552', 0.89552 * 60 = 53.7312".
    EXPECT_EQ(Coord(-34.603722, -58.381592, CoordFormat::DegreesMinutesSeconds, CoordSignFormat::Letters),
              QStringLiteral("34°36′13.40″ S, 58°22′53.73″ W"));
    EXPECT_EQ(Coord(-34.603722, -58.381592, CoordFormat::DegreesMinutesSeconds, CoordSignFormat::PlusMinus),
              QStringLiteral("-34°36′13.40″, -58°22′53.73″"));
    EXPECT_EQ(Coord(-34.603722, -58.381592, CoordFormat::Utm, CoordSignFormat::Letters),
              "21S, 373318, 6170034");
    // Wellington: 0.28646 * 60 = 17.1876', 0.776236 * 60 = 46.57416'.
    EXPECT_EQ(Coord(-41.28646, 174.776236, CoordFormat::DegreesMinutes, CoordSignFormat::Letters),
              QStringLiteral("41°17.1876′ S, 174°46.5742′ E"));
    EXPECT_EQ(Coord(-41.28646, 174.776236, CoordFormat::DecimalDegrees, CoordSignFormat::PlusMinus),
              QStringLiteral("-41.286460°, 174.776236°"));
    EXPECT_EQ(Coord(-41.28646, 174.776236, CoordFormat::Utm, CoordSignFormat::PlusMinus),
              "60S, 313784, 5427057");
}

TEST_F(CoordStringTest, UtmZoneExceptionsEquatorAndPoles)
{
    EXPECT_EQ(Coord(0.0, 0.0, CoordFormat::Utm, CoordSignFormat::Letters), "31N, 166021, 0");
    // South-west Norway belongs to the widened zone 32, not to zone 31.
    EXPECT_EQ(Coord(60.0, 5.0, CoordFormat::Utm, CoordSignFormat::Letters), "32N, 276980, 6658157");
    // Svalbard: 9°E to 21°E is zone 33 (32X does not exist).
    EXPECT_TRUE(Coord(78.0, 10.0, CoordFormat::Utm, CoordSignFormat::Letters).startsWith("33N, "));
    // Beyond 84°N and 80°S UTM gives way to UPS.
    EXPECT_EQ(Coord(90.0, 0.0, CoordFormat::Utm, CoordSignFormat::Letters), "N, 2000000, 2000000");
    EXPECT_EQ(Coord(-90.0, 0.0, CoordFormat::Utm, CoordSignFormat::Letters), "S, 2000000, 2000000");
}

TEST_F(CoordStringTest, RoundingCarriesIntoTheNextMinuteAndDegree)
{
    // 10.99999999° is 10°59.9999994': four decimals round it to 11°00.0000'.
    EXPECT_EQ(Coord(10.99999999, 20.0, CoordFormat::DegreesMinutes, CoordSignFormat::Letters),
              QStringLiteral("11°00.0000′ N, 20°00.0000′ E"));
    // 10°29'59.999" rounds to 10°30'00.00", and 59'59.9996" to the next degree.
    const double almostHalf = 10.0 + 29.0 / 60.0 + 59.999 / 3600.0;
    const double almostWhole = -(44.0 + 59.0 / 60.0 + 59.9996 / 3600.0);
    EXPECT_EQ(Coord(almostHalf, almostWhole, CoordFormat::DegreesMinutesSeconds, CoordSignFormat::Letters),
              QStringLiteral("10°30′00.00″ N, 45°00′00.00″ W"));
    EXPECT_EQ(Coord(-0.99999999999, 179.9999999999, CoordFormat::DecimalDegrees, CoordSignFormat::PlusMinus),
              QStringLiteral("-1.000000°, 180.000000°"));
}

TEST_F(CoordStringTest, ValueRoundedToZeroHasNoSign)
{
    EXPECT_EQ(Coord(-0.0000001, -0.00000001, CoordFormat::DecimalDegrees, CoordSignFormat::Letters),
              QStringLiteral("0.000000° N, 0.000000° E"));
    EXPECT_EQ(Coord(-0.0000001, -0.00000001, CoordFormat::DegreesMinutesSeconds, CoordSignFormat::PlusMinus),
              QStringLiteral("0°00′00.00″, 0°00′00.00″"));
    // Just large enough to show: the sign stays.
    EXPECT_EQ(Coord(-0.000001, 0.0, CoordFormat::DecimalDegrees, CoordSignFormat::Letters),
              QStringLiteral("0.000001° S, 0.000000° E"));
}

TEST_F(CoordStringTest, InvalidCoordinatesGiveEmptyText)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const CoordFormat format : {CoordFormat::DecimalDegrees, CoordFormat::DegreesMinutes,
                                     CoordFormat::DegreesMinutesSeconds, CoordFormat::Utm}) {
        SCOPED_TRACE(static_cast<int>(format));
        EXPECT_TRUE(Coord(nan, 10.0, format, CoordSignFormat::Letters).isEmpty());
        EXPECT_TRUE(Coord(10.0, inf, format, CoordSignFormat::Letters).isEmpty());
        EXPECT_TRUE(Coord(90.5, 10.0, format, CoordSignFormat::Letters).isEmpty());
        EXPECT_TRUE(Coord(10.0, -180.5, format, CoordSignFormat::Letters).isEmpty());
    }
}

TEST_F(CoordStringTest, CommaDecimalLocaleSeparatesWithSemicolon)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Coord(kSampleLat, kSampleLon, CoordFormat::DecimalDegrees, CoordSignFormat::PlusMinus),
              QStringLiteral("38,890370°; -77,031959°"));
    // No digit grouping: a grouping mark would split the number.
    EXPECT_EQ(Coord(kSampleLat, kSampleLon, CoordFormat::Utm, CoordSignFormat::Letters),
              "18N; 323770; 4306573");
}

TEST_F(CoordStringTest, UserFormatComesFromTheOptions)
{
    OptUnits& options = OptUnits::GetInstance();
    options.GetCoordFormatI().Set(static_cast<int>(CoordFormat::DegreesMinutesSeconds));
    options.GetCoordSignFormatI().Set(static_cast<int>(CoordSignFormat::Letters));
    EXPECT_EQ(UnitsDisp::GetCoordString(kSampleLat, kSampleLon, AngleUnits::Typographic),
              QStringLiteral("38°53′25.33″ N, 77°01′55.05″ W"));
    options.GetCoordFormatI().Set(static_cast<int>(CoordFormat::Utm));
    EXPECT_EQ(UnitsDisp::GetCoordString(kSampleLat, kSampleLon, AngleUnits::Typographic),
              "18N, 323770, 4306573");
    // An unknown stored format falls back to the default, not to garbage.
    options.GetCoordFormatI().Set(42);
    options.GetCoordSignFormatI().Set(0);
    EXPECT_EQ(UnitsDisp::GetCoordString(kSampleLat, kSampleLon, AngleUnits::Typographic),
              QStringLiteral("38°53.4222′, -77°01.9175′"));
}
