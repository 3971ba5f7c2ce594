#include "CsvTrackWriter.h"
#include "IsoTime.h"
#include "LoadedFile.h"
#include "NmeaLoader.h"
#include "NmeaTestLog.h"
#include "NmeaTrackWriter.h"
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
        ASSERT_EQ(writer.OpenFile(path), TrackSaverI::Success);
        ASSERT_EQ(writer.WriteRow({"Latitude"}), TrackSaverI::Success);
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
    EXPECT_EQ(csv.WriteRow({"a"}), TrackSaverI::CannotWrite);
    EXPECT_EQ(csv.Close(), TrackSaverI::CannotWrite);
}

TEST(CsvTrackWriter, RowsAsGiven)
{
    const QString path = TempFile("rows.csv");
    CsvTrackWriter writer;
    ASSERT_EQ(writer.OpenFile(path), TrackSaverI::Success);
    ASSERT_EQ(writer.WriteRow({"Date/time", "Elevation (ft)", "Speed (mph)", "Say \"hi\", ok", "", "Temp \xB0"}),
              TrackSaverI::Success);
    ASSERT_EQ(writer.WriteRow({"2024-05-01T12:00:00.250Z", "-8.25000000", "", "two\nlines"}), TrackSaverI::Success);
    ASSERT_EQ(writer.WriteRow({}), TrackSaverI::Success);
    ASSERT_EQ(writer.Close(), TrackSaverI::Success);
    EXPECT_EQ(Contents(path), QByteArray("Date/time,Elevation (ft),Speed (mph),\"Say \"\"hi\"\", ok\",,Temp \xB0\r\n"
                                         "2024-05-01T12:00:00.250Z,-8.25000000,,\"two\nlines\"\r\n"
                                         "\r\n"))
        << "Latin-1 text from the narrow conversion is written as it is";
}
