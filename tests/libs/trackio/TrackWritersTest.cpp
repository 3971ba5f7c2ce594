#include "CsvTrackWriter.h"
#include "IsoTime.h"
#include "LoadedFile.h"
#include "NmeaLoader.h"
#include "NmeaTestLog.h"
#include "NmeaTrackWriter.h"
#include "PointFieldsId.h"
#include "TestSupport.h"
#include "TrackPointEx.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <optional>

namespace {

TrackPoint MakePoint(double lat, double lon, std::optional<double> ele, const char* iso)
{
    TrackPoint point;
    point.Set2D({lon, lat});
    if (ele)
        point.SetElevation(*ele);
    point.SetTime(iso ? IsoTime::Parse(iso) : Time());
    return point;
}

QString TempFile(const char* name)
{
    return QDir(MakeTempDir()).filePath(QString::fromLatin1(name));
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

std::string Line(const std::string& content)
{
    return WithChecksum(content) + "\r\n";
}

Time ToMilliseconds(const Time& time)
{
    const int64_t us = time.GetMicroseconds();
    return Time::FromMicroseconds((us + 500) / 1000 * 1000);
}

// Points that try the writer: both hemispheres, the poles and the
// antimeridian, minutes that round up to 60, midnight, a filtered point.
TrackData RoundTripPoints()
{
    TrackData points;
    TrackPoint a = MakePoint(47.3769, 8.5417, 470.25, "2024-05-18T07:30:00Z");
    TrackPointGpsParams& gps = a.GetGpsParams();
    gps.SetSatCount(10);
    gps.SetHdop(1.1);
    gps.SetPdop(2.2);
    gps.SetVdop(1.8);
    gps.SetFixType(PositionFixType::Fix3D);
    gps.SetGpsSpeed(41.5);
    gps.SetGpsAzimuth(210.8);
    points.Append(a);
    TrackPoint b = MakePoint(-33.8688, 151.2093, std::nullopt, "2024-05-18T07:30:00.250Z");
    b.GetGpsParams().SetFixType(PositionFixType::Dgps);
    points.Append(b);
    points.Append(MakePoint(0.0, -0.000001, -12.5, "2024-05-18T23:59:59.999Z"));
    points.Append(MakePoint(89.9999999, -179.9999999, 0.0, "2024-05-19T00:00:00.5Z"));
    points.Append(MakePoint(47.99999999, 8.99999999, 1.0, "2024-05-19T00:00:01Z"));
    TrackPoint filtered = MakePoint(47.5, 8.5, 500.0, "2024-05-19T00:00:02.0004Z");
    filtered.GetStatus().SetFilterReason(5);
    points.Append(filtered);
    return points;
}

} // namespace

TEST(NmeaTrackWriter, ParamsOfMessageSets)
{
    NmeaTrackWriter writer;
    EXPECT_EQ(writer.GetMessageSet(), NmeaTrackWriter::MessageRmc | NmeaTrackWriter::MessageGga);
    struct Case
    {
        int messages;
        int params;
        bool okForTrack;
    };
    // Bits: 0 lat/lon, 1 date, 2 time, 3 elevation, 4 satellites, 5 HDOP,
    // 6 PDOP, 7 VDOP.
    const Case cases[] = {
        {0x01, 0b00000111, true},  // RMC
        {0x02, 0b00111101, false}, // GGA: no date
        {0x04, 0b11100000, false}, // GSA
        {0x08, 0b00000101, false}, // GLL
        {0x10, 0b00000110, false}, // ZDA: no position
        {0x12, 0b00111111, true},  // GGA + ZDA
        {0x03, 0b00111111, true},
        {0x1F, 0b11111111, true},
        {0x00, 0, false},
    };
    for (const Case& c : cases) {
        writer.SetMessageSet(c.messages);
        EXPECT_EQ(writer.GetParamsSet(), c.params) << c.messages;
        EXPECT_EQ(NmeaTrackWriter::AreParamsOkForTrack(writer.GetParamsSet()), c.okForTrack) << c.messages;
    }
}

TEST(NmeaTrackWriter, SentenceText)
{
    const TrackData points = RoundTripPoints();
    std::string text;
    NmeaTrackWriter::AppendPoint(text, points.GetTrackPoint(0), 0x1F);
    // 47.3769° = 47° 22.614', 8.5417° = 8° 32.502'; 41.5 km/h = 22.408 kn.
    EXPECT_EQ(text, Line("GPRMC,073000.000,A,4722.61400,N,00832.50200,E,22.408,210.80,180524,,,A")
                        + Line("GPGGA,073000.000,4722.61400,N,00832.50200,E,1,10,1.10,470.25,M,,M,,")
                        + Line("GPGLL,4722.61400,N,00832.50200,E,073000.000,A,A")
                        + Line("GPGSA,A,3,,,,,,,,,,,,,2.20,1.10,1.80")
                        + Line("GPZDA,073000.000,18,05,2024,00,00"));
    text.clear();
    NmeaTrackWriter::AppendPoint(text, points.GetTrackPoint(4), NmeaTrackWriter::MessageGll);
    EXPECT_EQ(text, Line("GPGLL,4800.00000,N,00900.00000,E,000001.000,A,A")) << "59.9999994' carry into the degree";
    text.clear();
    NmeaTrackWriter::AppendPoint(text, points.GetTrackPoint(2), NmeaTrackWriter::MessageGga);
    EXPECT_EQ(text, Line("GPGGA,235959.999,0000.00000,N,00000.00006,W,1,,,-12.50,M,,M,,"));
    text.clear();
    NmeaTrackWriter::AppendPoint(text, points.GetTrackPoint(5), 0x19);
    EXPECT_EQ(text, Line("GPRMC,000002.000,V,4730.00000,N,00830.00000,E,,,190524,,,N")
                        + Line("GPGLL,4730.00000,N,00830.00000,E,000002.000,V,N")
                        + Line("GPZDA,000002.000,19,05,2024,00,00"))
        << "a filtered point is a void fix";
    text.clear();
    NmeaTrackWriter::AppendPoint(text, MakePoint(1.0, 2.0, std::nullopt, nullptr), 0x13);
    EXPECT_EQ(text, Line("GPRMC,,A,0100.00000,N,00200.00000,E,,,,,,A")
                        + Line("GPGGA,,0100.00000,N,00200.00000,E,1,,,,M,,M,,"))
        << "no time: empty time and date, no ZDA";
}

TEST(NmeaTrackWriter, WhatIsWrittenReadsBack)
{
    const TrackData points = RoundTripPoints();
    for (const int messages : {0x1F, 0x03, 0x12, 0x09}) {
        SCOPED_TRACE(messages);
        const QString path = TempFile("out.nmea");
        NmeaTrackWriter writer;
        writer.SetMessageSet(messages);
        ASSERT_EQ(writer.OpenFile(path), TrackSaverI::Success);
        // Two segments into one file, as the export of a folder does.
        TrackData head, tail;
        for (int i = 0; i < points.GetPointCount(); ++i)
            (i < 2 ? head : tail).Append(points.GetTrackPoint(i));
        ASSERT_EQ(writer.Save(head), TrackSaverI::Success);
        ASSERT_EQ(writer.Save(tail), TrackSaverI::Success);
        ASSERT_EQ(writer.Close(), TrackSaverI::Success);

        NmeaLoader loader;
        const LoadedFile file = LoadedFile::ReadFile(loader, path);
        ASSERT_EQ(file.status, TrackLoaderI::Success);
        EXPECT_EQ(loader.GetStats().GetSkipped(), 0);
        ASSERT_EQ(file.PointCount(), points.GetPointCount());
        const TrackData& read = *file.segments.at(0).points;
        const bool hasElevation = (messages & NmeaTrackWriter::MessageGga) != 0;
        const bool hasDate = (messages & (NmeaTrackWriter::MessageRmc | NmeaTrackWriter::MessageZda)) != 0;
        for (int i = 0; i < points.GetPointCount(); ++i) {
            SCOPED_TRACE(i);
            const TrackPoint& in = points.GetTrackPoint(i);
            const TrackPoint& out = read.GetTrackPoint(i);
            // Five decimals of minutes: within 0.5e-5 / 60 degrees.
            EXPECT_NEAR(out.GetLat(), in.GetLat(), 0.5e-5 / 60 + 1e-12);
            EXPECT_NEAR(out.GetLon(), in.GetLon(), 0.5e-5 / 60 + 1e-12);
            if (hasDate) {
                EXPECT_EQ(out.GetTime(), ToMilliseconds(in.GetTime()));
            } else {
                EXPECT_TRUE(out.GetTime().IsNull()) << "no sentence of the set carries a date";
            }
            EXPECT_EQ(out.HasElevation(), hasElevation && in.HasElevation());
            if (out.HasElevation()) {
                EXPECT_NEAR(out.GetElevation(), in.GetElevation(), 0.005);
            }
            EXPECT_EQ(out.IsValid(), in.IsValid());
        }
        EXPECT_EQ(read.GetTrackPoint(5).GetStatus().GetFilterReason(), 1) << "back as \"No GPS\"";
        if (messages == 0x1F) {
            const TrackPointGpsParams& in = points.GetTrackPoint(0).GetGpsParams();
            const TrackPointGpsParams& out = read.GetTrackPoint(0).GetGpsParams();
            EXPECT_EQ(out.GetSatCount(), in.GetSatCount());
            EXPECT_NEAR(out.GetHdop(), in.GetHdop(), 0.005);
            EXPECT_NEAR(out.GetPdop(), in.GetPdop(), 0.005);
            EXPECT_NEAR(out.GetVdop(), in.GetVdop(), 0.005);
            EXPECT_NEAR(out.GetGpsSpeed(), in.GetGpsSpeed(), 0.001);
            EXPECT_NEAR(out.GetGpsAzimuth(), in.GetGpsAzimuth(), 0.005);
            EXPECT_EQ(out.GetFixType(), PositionFixType::Fix3D);
            EXPECT_EQ(read.GetTrackPoint(1).GetGpsParams().GetFixType(), PositionFixType::Dgps);
            EXPECT_FALSE(read.GetTrackPoint(2).GetGpsParams().HasSatCount()) << "no value written, none read";
            EXPECT_FALSE(read.GetTrackPoint(2).GetGpsParams().HasFixType());
        }
    }
}

TEST(TrackWriters, TargetReplacedOnlyWhenComplete)
{
    const QString path = WriteTestFile(TempFile("track.nmea"), "old content");
    TrackData points;
    points.Append(MakePoint(1.0, 2.0, 3.0, "2024-01-01T00:00:00Z"));
    NmeaTrackWriter writer;
    ASSERT_EQ(writer.OpenFile(path), TrackSaverI::Success);
    ASSERT_EQ(writer.Save(points), TrackSaverI::Success);
    EXPECT_EQ(Contents(path), QByteArray("old content")) << "the old file stays while writing";
    ASSERT_EQ(writer.Close(), TrackSaverI::Success);
    EXPECT_TRUE(Contents(path).startsWith("$GPRMC,000000.000,A,0100.00000,N"));
    EXPECT_EQ(writer.Close(), TrackSaverI::CannotWrite);
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{QStringLiteral("track.nmea")})
        << "no temporary file left";
}

TEST(TrackWriters, WriterLetGoWhileOpenWritesTheFile)
{
    // The export calls OpenFile and Save and lets the writer go.
    const QString path = TempFile("points.csv");
    {
        CsvTrackWriter writer;
        writer.SetFieldOrder({PointFieldLatitude});
        ASSERT_EQ(writer.OpenFile(path), TrackSaverI::Success);
        ASSERT_EQ(writer.WriteHeader({"Latitude"}), TrackSaverI::Success);
    }
    EXPECT_EQ(Contents(path), QByteArray("Latitude\r\n"));
}

TEST(TrackWriters, FailuresReported)
{
    NmeaTrackWriter nmea;
    EXPECT_EQ(nmea.Save(TrackData()), TrackSaverI::CannotWrite);
    EXPECT_EQ(nmea.GetErrorDesc(), QStringLiteral("no file is open"));
    EXPECT_EQ(nmea.OpenFile(QDir(MakeTempDir()).filePath(QStringLiteral("no/such/folder/x.nmea"))),
              TrackSaverI::CannotWrite);
    EXPECT_FALSE(nmea.IsOpen());
    EXPECT_FALSE(nmea.GetErrorDesc().isEmpty()) << "the system's reason";
    EXPECT_EQ(nmea.OpenFile(TempFile("x.nmea")), TrackSaverI::Success);
    EXPECT_TRUE(nmea.GetErrorDesc().isEmpty());
    CsvTrackWriter csv;
    EXPECT_EQ(csv.WriteHeader({"a"}), TrackSaverI::CannotWrite);
    EXPECT_EQ(csv.WritePoint(TrackPointEx()), TrackSaverI::CannotWrite);
    EXPECT_EQ(csv.Close(), TrackSaverI::CannotWrite);
}

namespace {

TrackPointEx CsvPoint()
{
    TrackPoint point = MakePoint(47.5, -8.25, 100.0, "2024-05-01T12:00:00.250Z");
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

// The export's order: date/time, latitude, longitude, elevation, speed,
// heading, leg length, from start, elapsed time, heart rate, cadence,
// temperature, GPS speed, GPS heading, HDOP, VDOP, PDOP.
const std::vector<int> ExportOrder = {3, 13, 14, 15, 5, 11, 4, 17, 16, 21, 22, 23, 6, 12, 18, 19, 20};

QByteArray WriteCsv(const std::vector<int>& order, MeasuringSystem system, const Time& start,
                    const std::vector<TrackPointEx>& points)
{
    const QString path = TempFile("out.csv");
    CsvTrackWriter writer;
    writer.SetFieldOrder(order);
    writer.SetMeasuringSystem(system);
    EXPECT_EQ(writer.OpenFile(path), TrackSaverI::Success);
    writer.SetStartTime(start);
    for (const TrackPointEx& point : points)
        EXPECT_EQ(writer.WritePoint(point), TrackSaverI::Success);
    EXPECT_EQ(writer.Close(), TrackSaverI::Success);
    return Contents(path);
}

} // namespace

TEST(CsvTrackWriter, HeaderAsGiven)
{
    const QString path = TempFile("header.csv");
    CsvTrackWriter writer;
    ASSERT_EQ(writer.OpenFile(path), TrackSaverI::Success);
    ASSERT_EQ(writer.WriteHeader({"Date/time", "Elevation (ft)", "Speed (mph)", "Say \"hi\", ok", "", "Temp \xB0"}),
              TrackSaverI::Success);
    ASSERT_EQ(writer.Close(), TrackSaverI::Success);
    EXPECT_EQ(Contents(path), QByteArray("Date/time,Elevation (ft),Speed (mph),\"Say \"\"hi\"\", ok\",,Temp \xB0\r\n"))
        << "Latin-1 text from the narrow conversion is written as it is";
}

TEST(CsvTrackWriter, FieldsInOrderAndUnits)
{
    const Time start = IsoTime::Parse("2024-05-01T11:00:00Z");
    EXPECT_EQ(WriteCsv(ExportOrder, MeasuringSystem::Metric, start, {CsvPoint()}),
              QByteArray("2024-05-01T12:00:00.250Z,47.50000000,-8.25000000,100.00,36.00,90.5,10.00,1.609,"
                         "01:00:00.250,140,85,21.5,36.00,91.0,1.20,2.50,3.00\r\n"));
    // Feet, mph, miles: 100 m = 328.08 ft, 36 km/h = 22.37 mph, 10 m =
    // 32.81 ft, 1609.344 m = 1 mile.
    EXPECT_EQ(WriteCsv(ExportOrder, MeasuringSystem::Imperial, start, {CsvPoint()}),
              QByteArray("2024-05-01T12:00:00.250Z,47.50000000,-8.25000000,328.08,22.37,90.5,32.81,1.000,"
                         "01:00:00.250,140,85,21.5,22.37,91.0,1.20,2.50,3.00\r\n"));
    // The fields the export leaves out, and a number that is no field.
    EXPECT_EQ(WriteCsv({0, 1, 2, 7, 8, 9, 10, 99}, MeasuringSystem::Metric, start, {CsvPoint()}),
              QByteArray("0,12:00:00.250,2024-05-01,0.500,0.750,-0.250,1.000,\r\n"));
    EXPECT_EQ(WriteCsv({7}, MeasuringSystem::Imperial, start, {CsvPoint()}), QByteArray("1.640\r\n"))
        << "0.5 m/s² in ft/s²";
}

TEST(CsvTrackWriter, MissingValuesAndElapsedTimes)
{
    TrackPointEx bare(MakePoint(1.0, 2.0, std::nullopt, nullptr));
    EXPECT_EQ(WriteCsv(ExportOrder, MeasuringSystem::Metric, IsoTime::Parse("2024-05-01T11:00:00Z"), {bare}),
              QByteArray(",1.00000000,2.00000000,,0.00,0.0,0.00,0.000,,,,,,,,,\r\n"));

    const std::vector<int> elapsed = {PointFieldElapsedTime};
    const std::vector<TrackPointEx> points = {TrackPointEx(MakePoint(0, 0, 0.0, "2024-05-01T10:59:55Z")),
                                              TrackPointEx(MakePoint(0, 0, 0.0, "2024-05-02T12:03:04Z"))};
    EXPECT_EQ(WriteCsv(elapsed, MeasuringSystem::Metric, IsoTime::Parse("2024-05-01T11:00:00Z"), points),
              QByteArray("-00:00:05\r\n25:03:04\r\n")) << "before the start, and beyond a day";
    EXPECT_EQ(WriteCsv(elapsed, MeasuringSystem::Metric, Time(), points), QByteArray("\r\n\r\n"))
        << "no start time, no elapsed time";
}
