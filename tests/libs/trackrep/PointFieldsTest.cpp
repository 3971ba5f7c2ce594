#include "PointFields.h"
#include "IsoTime.h"
#include "OptUnits.h"
#include "StringIds.h"
#include "TimeZones.h"
#include "TrackPointEx.h"
#include "Translator.h"
#include "UnitsDisp.h"

#include <QLocale>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

// Expected texts are worked out by hand: 1609.344 m is a mile and 5,280 ft,
// 1852 m a nautical mile, 36 km/h = 22.37 mph = 10 m/s, 18 km/h = 9.72 kn,
// 0.3048 m/s² is a foot per s², 20 °C = 68 °F.

namespace {

class PointFieldsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        TimeZones::GetInstance().SetTZSettings(TimeZoneSettings(TimeZoneSettings::Utc));
        Use(MeasuringSystem::Metric);
        Use(TemperatureUnits::Celsius);
    }
    void TearDown() override
    {
        Use(MeasuringSystem::Metric);
        Use(TemperatureUnits::Celsius);
        TimeZones::GetInstance().SetTZSettings(TimeZoneSettings());
        QLocale::setDefault(QLocale::c());
    }

    static void Use(MeasuringSystem system)
    {
        OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(system));
    }
    static void Use(TemperatureUnits units)
    {
        OptUnits::GetInstance().GetTemperatureUnitsI().Set(static_cast<int>(units));
    }

    static const PointFieldInfo& Field(int id)
    {
        const PointFieldInfo* field = PointFields::Find(id);
        EXPECT_NE(field, nullptr) << id;
        static const PointFieldInfo none{};
        return field ? *field : none;
    }

    static QString List(int id, const TrackPointEx& point, const PointFieldContext& context = {})
    {
        return PointFields::ListText(Field(id), point, context);
    }
    static QString Sheet(int id, const TrackPointEx& point, const PointFieldContext& context = {})
    {
        return PointFields::SheetText(Field(id), point, context);
    }

    // Every receiver value set, and derived values as the model fills them.
    static TrackPointEx Sample()
    {
        TrackPoint point({-77.031959, 38.89037, 1609.344}, Time(2024, 5, 1, 12));
        TrackPointGpsParams& gps = point.GetGpsParams();
        gps.SetGpsSpeed(36.0);
        gps.SetTemperature(20.0f);
        gps.SetHdop(1.25);
        gps.SetVdop(2.5);
        gps.SetPdop(3.0);
        gps.SetSatCount(9);
        gps.SetFixType(PositionFixType::Fix3D);
        gps.SetGpsAzimuth(359.96);
        gps.SetHeartRate(140);
        gps.SetCadence(85);
        CalcTrackParams calc;
        calc.Dist = 1000.0;
        calc.Speed = 18.0f;
        calc.Accel = 0.5f;
        calc.AccelAbs = 0.75f;
        calc.AccelTang = -0.3048f;
        calc.AccelNorm = 2.5f;
        calc.Heading = 90.0f;
        calc.DistFromStart = 1852.0;
        return TrackPointEx(point, calc);
    }

    static TrackPointEx Bare()
    {
        TrackPoint bare({10, 50, 0}, Time());
        bare.ClearElevation();
        return TrackPointEx(bare);
    }
};

// The places of one view's fields.
template <typename Place> std::vector<int> Places(Place place)
{
    std::vector<int> places;
    for (const PointFieldInfo& field : PointFields::All())
        if (place(field) > 0)
            places.push_back(place(field));
    std::sort(places.begin(), places.end());
    return places;
}

void ExpectOneToN(const std::vector<int>& places, const char* view)
{
    ASSERT_FALSE(places.empty()) << view;
    for (size_t i = 0; i < places.size(); ++i)
        EXPECT_EQ(places[i], static_cast<int>(i) + 1) << view << ": places are 1 to N, each once";
}

} // namespace

TEST_F(PointFieldsTest, NumbersAreUniqueAndFoundAgain)
{
    QSet<int> ids;
    int row = 0;
    for (const PointFieldInfo& field : PointFields::All()) {
        EXPECT_EQ(field.id, row++) << "numbered in table order";
        EXPECT_FALSE(ids.contains(field.id));
        ids.insert(field.id);
        EXPECT_EQ(PointFields::Find(field.id), &field);
    }
    EXPECT_EQ(PointFields::Find(-1), nullptr);
    EXPECT_EQ(PointFields::Find(row), nullptr);
}

TEST_F(PointFieldsTest, ColumnIdsAreTheOnesSavedLayoutsHold)
{
    // What each number in a saved layout means: the column of that title.
    // Layouts saved by earlier versions hold these numbers, so they stay.
    const std::map<int, int> saved = {
        {0, IDS_PTLIST_STATUS},       {1, IDS_PTLIST_NUMBER},     {2, IDS_PTLIST_TIME},
        {3, IDS_PTLIST_LEG_LENGTH},   {4, IDS_PTLIST_SPEED},      {5, IDS_PTLIST_ACCEL},
        {6, IDS_PTLIST_ACCEL_VECTOR}, {7, IDS_PTLIST_ACCEL_TANG}, {8, IDS_PTLIST_ACCEL_RADIAL},
        {9, IDS_PTLIST_HEADING},      {10, IDS_PTLIST_DATE},      {11, IDS_PTLIST_COORDINATES},
        {12, IDS_PTLIST_ELEVATION},   {13, IDS_PTLIST_DATE_TIME}, {14, IDS_PTLIST_ELAPSED},
        {15, IDS_PTLIST_FROM_START},  {16, IDS_PTLIST_GPS_SPEED}, {17, IDS_PTLIST_GPS_HEADING},
        {18, IDS_PTLIST_HDOP},        {19, IDS_PTLIST_VDOP},      {20, IDS_PTLIST_PDOP},
        {21, IDS_PTLIST_HEART_RATE},  {22, IDS_PTLIST_CADENCE},   {23, IDS_PTLIST_TEMPERATURE},
        // Added after the fields that are no column.
        {28, IDS_PTLIST_POWER},
    };
    ASSERT_EQ(PointFields::ListColumns().size(), saved.size());
    for (const PointFieldInfo* field : PointFields::ListColumns()) {
        ASSERT_TRUE(saved.contains(field->id)) << field->id;
        EXPECT_EQ(field->column.titleId, saved.at(field->id)) << field->id;
    }
    // The fields that are no column have numbers after the first columns'.
    for (const PointFieldInfo& field : PointFields::All()) {
        if (field.column.place == 0) {
            EXPECT_GT(field.id, PointField::Temperature);
        }
    }
}

TEST_F(PointFieldsTest, EveryFieldIsShownSomewhereUnderATitle)
{
    const Translator& texts = Translator::GetInstance();
    for (const PointFieldInfo& field : PointFields::All()) {
        SCOPED_TRACE(field.id);
        EXPECT_TRUE(field.column.place > 0 || field.sheet.place > 0 || field.csv.nameId != 0);
        if (field.column.place > 0) {
            EXPECT_FALSE(texts.LoadStr(field.column.titleId).isEmpty());
            EXPECT_GT(field.column.width, 0);
        }
        if (field.sheet.place > 0) {
            EXPECT_FALSE(texts.LoadStr(field.sheet.titleId).isEmpty());
            EXPECT_NE(field.sheet.group, PointSheetGroup::None);
        }
        if (field.csv.nameId != 0) {
            EXPECT_FALSE(texts.LoadStr(field.csv.nameId).isEmpty());
            EXPECT_GE(field.csv.number, 0) << "the export numbers every field it can write";
        }
        if (field.csv.place > 0) {
            EXPECT_NE(field.csv.nameId, 0) << "a CSV column has a header name";
        }
        // A field is a plain value or has texts of its own for its views.
        if (!field.value) {
            EXPECT_TRUE(field.column.place == 0 || field.listText || field.id == PointField::Status)
                << "only the status column is a picture";
            EXPECT_TRUE(field.sheet.place == 0 || field.sheetText);
            EXPECT_TRUE(field.csv.nameId == 0 || field.csvText);
        }
    }
}

TEST_F(PointFieldsTest, EachViewHasItsPlacesOnce)
{
    ExpectOneToN(Places([](const PointFieldInfo& f) { return f.column.place; }), "list");
    ExpectOneToN(Places([](const PointFieldInfo& f) { return f.sheet.place; }), "properties");
    ExpectOneToN(Places([](const PointFieldInfo& f) { return f.csv.place; }), "CSV");
    EXPECT_EQ(PointFields::ListColumns().size(), Places([](const PointFieldInfo& f) { return f.column.place; }).size());
    EXPECT_EQ(PointFields::SheetRows().size(), Places([](const PointFieldInfo& f) { return f.sheet.place; }).size());
    EXPECT_EQ(PointFields::CsvColumns().size(), 17u);
    QSet<int> numbers;
    for (const PointFieldInfo& field : PointFields::All()) {
        if (field.csv.number < 0)
            continue;
        EXPECT_FALSE(numbers.contains(field.csv.number));
        numbers.insert(field.csv.number);
        EXPECT_EQ(PointFields::FindExported(field.csv.number), &field);
    }
    EXPECT_EQ(PointFields::FindExported(-1), nullptr);
}

TEST_F(PointFieldsTest, PropertiesGroupsComeWholeAndInOrder)
{
    // Main, Calculated, GPS, Sensors: each group's rows together.
    int group = 0;
    for (const PointFieldInfo* field : PointFields::SheetRows()) {
        const int next = static_cast<int>(field->sheet.group);
        EXPECT_GE(next, group) << field->id;
        group = next;
        EXPECT_FALSE(Translator::GetInstance().LoadStr(PointFields::SheetGroupTitleId(field->sheet.group)).isEmpty());
    }
    EXPECT_EQ(group, static_cast<int>(PointSheetGroup::Sensors));
    EXPECT_EQ(PointFields::SheetGroupTitleId(PointSheetGroup::None), 0);
}

TEST_F(PointFieldsTest, DecimalsAreSensible)
{
    for (const PointFieldInfo& field : PointFields::All()) {
        SCOPED_TRACE(field.id);
        if (field.style == PointValueStyle::Count) {
            EXPECT_EQ(field.column.decimals, 0);
            EXPECT_EQ(field.csv.decimals, 0);
            continue;
        }
        EXPECT_GE(field.column.decimals, 0);
        EXPECT_LE(field.column.decimals, 3) << "a list cell is narrow";
        EXPECT_GE(field.csv.decimals, 0);
        EXPECT_LE(field.csv.decimals, 8) << "eight decimals of a degree are a millimetre";
        if (field.value && field.column.place > 0 && field.csv.nameId != 0) {
            EXPECT_GE(field.csv.decimals, field.column.decimals) << "the file keeps what the list shows";
        }
    }
}

TEST_F(PointFieldsTest, CsvHeadersNameTheUnitsOfTheMeasuringSystem)
{
    int withUnit = 0;
    for (const PointFieldInfo* field : PointFields::CsvColumns()) {
        SCOPED_TRACE(field->id);
        const QString name = Translator::GetInstance().LoadStr(field->csv.nameId);
        for (const MeasuringSystem system : {MeasuringSystem::Metric, MeasuringSystem::MetricMs,
                                             MeasuringSystem::Imperial, MeasuringSystem::Nautical}) {
            const QString header = PointFields::CsvHeader(*field, system);
            EXPECT_TRUE(header.startsWith(name));
            if (UnitsConv::DependsOnSystem(field->unit)) {
                const QString notation = UnitsDisp::GetUnitNotation(field->unit, system, TemperatureUnits::Celsius);
                EXPECT_TRUE(header.endsWith(QStringLiteral("(") + notation + QStringLiteral(")")))
                    << header.toStdString();
                ++withUnit;
            } else {
                EXPECT_EQ(header, name) << "no unit where the system does not decide it";
            }
        }
    }
    EXPECT_GT(withUnit, 0);
    EXPECT_EQ(PointFields::CsvHeader(Field(PointField::Speed), MeasuringSystem::Imperial),
              Translator::GetInstance().LoadStr(IDS_PTEXPORT_SPEED) + QStringLiteral(" (mph)"));
    EXPECT_TRUE(PointFields::CsvHeader(Field(PointField::Number), MeasuringSystem::Metric).isEmpty());
}

TEST_F(PointFieldsTest, ListTitlesCarryTheUsersUnits)
{
    EXPECT_EQ(PointFields::ListTitleSuffix(Field(PointField::LegLength)), QStringLiteral(" (m)"));
    EXPECT_EQ(PointFields::ListTitleSuffix(Field(PointField::FromStart)), QStringLiteral(" (km)"));
    EXPECT_EQ(PointFields::ListTitleSuffix(Field(PointField::HeartRate)), QStringLiteral(" (bpm)"));
    EXPECT_TRUE(PointFields::ListTitleSuffix(Field(PointField::Heading)).isEmpty());
    Use(MeasuringSystem::Nautical);
    Use(TemperatureUnits::Fahrenheit);
    EXPECT_EQ(PointFields::ListTitleSuffix(Field(PointField::FromStart)), QStringLiteral(" (nmi)"));
    EXPECT_EQ(PointFields::ListTitleSuffix(Field(PointField::Accel)), QStringLiteral(" (ft/s²)"));
    EXPECT_EQ(PointFields::ListTitleSuffix(Field(PointField::Temperature)), QStringLiteral(" (°F)"));
}

TEST_F(PointFieldsTest, ListTextsInMetricUnits)
{
    const TrackPointEx point = Sample();
    EXPECT_EQ(List(PointField::LegLength, point), QStringLiteral("1,000.0"));
    EXPECT_EQ(List(PointField::Speed, point), QStringLiteral("18.0"));
    EXPECT_EQ(List(PointField::GpsSpeed, point), QStringLiteral("36.0"));
    EXPECT_EQ(List(PointField::Elevation, point), QStringLiteral("1,609"));
    EXPECT_EQ(List(PointField::FromStart, point), QStringLiteral("1.85"));
    EXPECT_EQ(List(PointField::Accel, point), QStringLiteral("0.50"));
    EXPECT_EQ(List(PointField::AccelTang, point), QStringLiteral("-0.30"));
    EXPECT_EQ(List(PointField::AccelRadial, point), QStringLiteral("2.50"));
    EXPECT_EQ(List(PointField::Temperature, point), QStringLiteral("20.0"));
    EXPECT_EQ(List(PointField::Hdop, point), QStringLiteral("1.3"));
    EXPECT_EQ(List(PointField::HeartRate, point), QStringLiteral("140"));
    EXPECT_EQ(List(PointField::Heading, point), QStringLiteral("90°"));
    EXPECT_EQ(List(PointField::GpsHeading, point), QStringLiteral("360°"));
    EXPECT_EQ(List(PointField::DateTime, point), QStringLiteral("5/1/24  12:00:00 PM"));
    PointFieldContext context;
    context.index = 41;
    EXPECT_EQ(List(PointField::Number, point, context), QStringLiteral("42"));
    EXPECT_TRUE(List(PointField::Status, point).isEmpty()) << "the status column shows a picture";
    EXPECT_TRUE(List(PointField::Latitude, point).isEmpty()) << "not a column";
}

TEST_F(PointFieldsTest, ListTextsInOtherUnits)
{
    const TrackPointEx point = Sample();
    Use(MeasuringSystem::Imperial);
    EXPECT_EQ(List(PointField::Elevation, point), QStringLiteral("5,280"));
    EXPECT_EQ(List(PointField::GpsSpeed, point), QStringLiteral("22.4"));
    EXPECT_EQ(List(PointField::AccelTang, point), QStringLiteral("-1.00"));
    Use(MeasuringSystem::Nautical);
    EXPECT_EQ(List(PointField::FromStart, point), QStringLiteral("1.00"));
    EXPECT_EQ(List(PointField::Speed, point), QStringLiteral("9.7"));
    Use(MeasuringSystem::MetricMs);
    EXPECT_EQ(List(PointField::GpsSpeed, point), QStringLiteral("10.0"));
    Use(TemperatureUnits::Fahrenheit);
    EXPECT_EQ(List(PointField::Temperature, point), QStringLiteral("68.0"));
}

TEST_F(PointFieldsTest, ListTimesCountFromTheStart)
{
    TrackPointEx point = Sample();
    PointFieldContext context;
    EXPECT_TRUE(List(PointField::Elapsed, point, context).isEmpty()) << "no start, no elapsed time";
    context.start = Time(2024, 4, 30, 10, 56, 56);
    EXPECT_EQ(List(PointField::Elapsed, point, context), QStringLiteral("1d 01:03:04"));
    context.start = Time(2024, 5, 1, 12, 1, 5);
    EXPECT_EQ(List(PointField::Elapsed, point, context), QStringLiteral("-00:01:05"));
    const TrackPointEx untimed = Bare();
    EXPECT_EQ(List(PointField::Time, untimed), QStringLiteral("-"));
    EXPECT_EQ(List(PointField::Date, untimed), QStringLiteral("-"));
    EXPECT_EQ(List(PointField::DateTime, untimed), QStringLiteral("-"));
    EXPECT_TRUE(List(PointField::Elapsed, untimed, context).isEmpty());
}

TEST_F(PointFieldsTest, MissingValuesGiveEmptyTexts)
{
    const TrackPointEx point = Bare();
    for (const int id :
         {PointField::Elevation, PointField::GpsSpeed, PointField::GpsHeading, PointField::Hdop, PointField::Vdop,
          PointField::Pdop, PointField::HeartRate, PointField::Cadence, PointField::Temperature}) {
        EXPECT_TRUE(List(id, point).isEmpty()) << id;
        EXPECT_TRUE(Sheet(id, point).isEmpty()) << id;
    }
    EXPECT_TRUE(Sheet(PointField::Satellites, point).isEmpty());
    EXPECT_TRUE(Sheet(PointField::FixType, point).isEmpty());
    EXPECT_TRUE(Sheet(PointField::DateTime, point).isEmpty());
    // Derived values always exist: zero for a lone point.
    EXPECT_EQ(List(PointField::Speed, point), QStringLiteral("0.0"));
}

TEST_F(PointFieldsTest, PropertiesWriteTheUnitAfterTheValue)
{
    const TrackPointEx point = Sample();
    EXPECT_EQ(Sheet(PointField::Speed, point), QStringLiteral("18.0 km/h"));
    EXPECT_EQ(Sheet(PointField::Elevation, point), QStringLiteral("1,609 m"));
    EXPECT_EQ(Sheet(PointField::FromStart, point), QStringLiteral("1.85 km"));
    EXPECT_EQ(Sheet(PointField::Accel, point), QStringLiteral("0.50 m/s²"));
    EXPECT_EQ(Sheet(PointField::Temperature, point), QStringLiteral("20.0 °C"));
    EXPECT_EQ(Sheet(PointField::HeartRate, point), QStringLiteral("140 bpm"));
    EXPECT_EQ(Sheet(PointField::Cadence, point), QStringLiteral("85 rpm"));
    // Values without a unit with the decimals they have, two at the most.
    EXPECT_EQ(Sheet(PointField::Hdop, point), QStringLiteral("1.25"));
    EXPECT_EQ(Sheet(PointField::Heading, point), QStringLiteral("90°"));
    // Stored as floats, 1.2 and 51.636 carry noise that must not show.
    TrackPoint noisy({-77.031959, 38.89037, 1609.344}, Time(2024, 5, 1, 12));
    noisy.GetGpsParams().SetHdop(1.2);
    CalcTrackParams calc;
    calc.Heading = 51.636044f;
    EXPECT_EQ(Sheet(PointField::Hdop, TrackPointEx(noisy, calc)), QStringLiteral("1.2"));
    EXPECT_EQ(Sheet(PointField::Heading, TrackPointEx(noisy, calc)), QStringLiteral("51.64°"));
    EXPECT_EQ(Sheet(PointField::Satellites, point), QStringLiteral("9"));
    EXPECT_EQ(Sheet(PointField::FixType, point), QStringLiteral("3D"));
    PointFieldContext context;
    context.index = 2;
    EXPECT_EQ(Sheet(PointField::Number, point, context), QStringLiteral("3"));
    EXPECT_TRUE(Sheet(PointField::LegLength, point).isEmpty()) << "not in the properties";
}

TEST_F(PointFieldsTest, PropertiesStatusNamesTheFilterReason)
{
    TrackPointEx point = Sample();
    EXPECT_EQ(Sheet(PointField::Status, point), Translator::GetInstance().LoadStr(IDS_POINT_STATUS_OK));
    point.GetStatus().SetMode(TrackPointStatus::AddedByUser, true);
    EXPECT_EQ(Sheet(PointField::Status, point), Translator::GetInstance().LoadStr(IDS_POINT_ADDED_BY_USER));
    point.GetStatus().SetFilterReason(12);
    EXPECT_TRUE(Sheet(PointField::Status, point).isEmpty()) << "nobody to name the reason";
    PointFieldContext context;
    context.reasonText = [](int key) { return QStringLiteral("reason %1").arg(key); };
    EXPECT_EQ(Sheet(PointField::Status, point, context), QStringLiteral("reason 12"));
}

TEST_F(PointFieldsTest, PropertiesShowFractionsOfASecondOnlyWhenThereAreSome)
{
    TrackPointEx half(TrackPoint({0, 0, 0}, Time(2024, 5, 1, 12) + TimeSpan::FromMicroseconds(500000)));
    TrackPointEx almost(TrackPoint({0, 0, 0}, Time(2024, 5, 1, 12) + TimeSpan::FromMicroseconds(995000)));
    EXPECT_EQ(Sheet(PointField::DateTime, half), QStringLiteral("5/1/24 12:00:00.500 PM"));
    EXPECT_EQ(Sheet(PointField::DateTime, almost), QStringLiteral("5/1/24 12:00:00 PM"));
}

namespace {

TrackPointEx CsvPoint()
{
    TrackPoint point({-8.25, 47.5, 100.0}, IsoTime::Parse("2024-05-01T12:00:00.250Z"));
    TrackPointGpsParams& gps = point.GetGpsParams();
    gps.SetHeartRate(140);
    gps.SetCadence(85);
    gps.SetTemperature(21.5f);
    gps.SetGpsSpeed(36.0);
    gps.SetGpsAzimuth(91.0);
    gps.SetHdop(1.2);
    gps.SetVdop(2.5);
    gps.SetPdop(3.0);
    CalcTrackParams calc;
    calc.Dist = 10;
    calc.Speed = 36;
    calc.Heading = 90.5f;
    calc.DistFromStart = 1609.344;
    calc.Accel = 0.5f;
    calc.AccelAbs = 0.75f;
    calc.AccelTang = -0.25f;
    calc.AccelNorm = 1.0f;
    return TrackPointEx(point, calc);
}

// The fields by the export's numbers; null for a number that is no field.
std::vector<const PointFieldInfo*> Exported(std::initializer_list<int> numbers)
{
    std::vector<const PointFieldInfo*> fields;
    for (const int number : numbers)
        fields.push_back(PointFields::FindExported(number));
    return fields;
}

std::string CsvLine(const std::vector<const PointFieldInfo*>& fields, const TrackPointEx& point,
                    const PointFieldContext& context)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        if (fields[i])
            PointFields::AppendCsv(line, *fields[i], point, context);
    }
    return line;
}

} // namespace

TEST_F(PointFieldsTest, CsvFieldsInTheExportsOrderAndUnits)
{
    // Whatever the user's locale and units: the CSV has its own.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Use(TemperatureUnits::Fahrenheit);
    PointFieldContext context;
    context.start = IsoTime::Parse("2024-05-01T11:00:00Z");
    EXPECT_EQ(CsvLine(PointFields::CsvColumns(), CsvPoint(), context),
              "2024-05-01T12:00:00.250Z,47.50000000,-8.25000000,100.00,36.00,90.5,10.00,1.609,"
              "01:00:00.250,140,85,21.5,36.00,91.0,1.20,2.50,3.00");
    // Feet, mph, miles: 100 m = 328.08 ft, 36 km/h = 22.37 mph, 10 m =
    // 32.81 ft, 1609.344 m = 1 mile.
    context.system = MeasuringSystem::Imperial;
    EXPECT_EQ(CsvLine(PointFields::CsvColumns(), CsvPoint(), context),
              "2024-05-01T12:00:00.250Z,47.50000000,-8.25000000,328.08,22.37,90.5,32.81,1.000,"
              "01:00:00.250,140,85,21.5,22.37,91.0,1.20,2.50,3.00");
    // The fields the export leaves out, and a number that is no field.
    context.system = MeasuringSystem::Metric;
    EXPECT_EQ(CsvLine(Exported({0, 1, 2, 7, 8, 9, 10, 99}), CsvPoint(), context),
              "0,12:00:00.250,2024-05-01,0.500,0.750,-0.250,1.000,");
    context.system = MeasuringSystem::Imperial;
    EXPECT_EQ(CsvLine(Exported({7}), CsvPoint(), context), "1.640") << "0.5 m/s² in ft/s²";
    // Fields the export cannot write give nothing.
    std::string out;
    PointFields::AppendCsv(out, Field(PointField::Number), CsvPoint(), context);
    PointFields::AppendCsv(out, Field(PointField::Coordinates), CsvPoint(), context);
    EXPECT_TRUE(out.empty());
}

TEST_F(PointFieldsTest, CsvMissingValuesAndElapsedTimes)
{
    PointFieldContext context;
    context.start = IsoTime::Parse("2024-05-01T11:00:00Z");
    TrackPoint untimed({2.0, 1.0, 0.0}, Time());
    untimed.ClearElevation();
    const TrackPointEx bare(untimed);
    EXPECT_EQ(CsvLine(PointFields::CsvColumns(), bare, context),
              ",1.00000000,2.00000000,,0.00,0.0,0.00,0.000,,,,,,,,,");

    const std::vector<const PointFieldInfo*> elapsed = {&Field(PointField::Elapsed)};
    const TrackPointEx before(TrackPoint({0, 0, 0}, IsoTime::Parse("2024-05-01T10:59:55Z")));
    const TrackPointEx later(TrackPoint({0, 0, 0}, IsoTime::Parse("2024-05-02T12:03:04Z")));
    EXPECT_EQ(CsvLine(elapsed, before, context), "-00:00:05") << "before the start";
    EXPECT_EQ(CsvLine(elapsed, later, context), "25:03:04") << "beyond a day";
    EXPECT_EQ(CsvLine(elapsed, later, {}), "") << "no start time, no elapsed time";
}
