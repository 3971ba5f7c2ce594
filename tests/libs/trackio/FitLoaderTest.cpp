// FIT files made byte by byte with FitBuilder, for the cases real files
// seldom show: both byte orders, compressed timestamps, developer fields,
// files laid one after another, damage.
#include "FitLoader.h"
#include "FitBuilder.h"
#include "IsoTime.h"
#include "LoadedFile.h"

#include <gtest/gtest.h>

namespace {

using F = FitBuilder;

constexpr int Record = 20;
constexpr int Event = 21;
constexpr int Lap = 19;
// 631065600 + 1e9 Unix seconds.
constexpr int64_t Timestamp = 1000000000;
constexpr const char* TimestampText = "2021-09-08T01:46:40Z";

// timestamp, lat, lon, altitude, heart rate, cadence, speed, temperature, power
const std::vector<F::Field> kRecordFields = {
    {253, 4, F::Uint32}, {0, 4, F::Sint32}, {1, 4, F::Sint32}, {2, 2, F::Uint16}, {3, 1, F::Uint8},
    {4, 1, F::Uint8},    {6, 2, F::Uint16}, {13, 1, F::Sint8}, {7, 2, F::Uint16},
};
// timestamp, event, event type
const std::vector<F::Field> kEventFields = {{253, 4, F::Uint32}, {0, 1, F::Enum}, {1, 1, F::Enum}};

// A record at 47.5 N, 8.25 E, 100 m (stored (100 + 500) * 5), 150 bpm,
// 90 rpm, 5 m/s (stored in mm/s), -5 degrees, 1,234 W.
std::vector<int64_t> FullRecord(int64_t timestamp, int64_t watts = 1234)
{
    return {timestamp, F::Semicircles(47.5), F::Semicircles(8.25), 3000, 150, 90, 5000, -5, watts};
}

// Records with timestamp and position only, latitude 47 + i/1000.
const std::vector<F::Field> kPlainRecord = {{253, 4, F::Uint32}, {0, 4, F::Sint32}, {1, 4, F::Sint32}};
std::vector<int64_t> Plain(int i)
{
    return {Timestamp + i, F::Semicircles(47.0 + i / 1000.0), F::Semicircles(8.0)};
}

FitBuilder PlainRecords(int count)
{
    FitBuilder fit;
    fit.Define(0, Record, kPlainRecord);
    for (int i = 0; i < count; ++i)
        fit.Data(0, Plain(i));
    return fit;
}

struct Read
{
    LoadedFile file;
    long long skipped = 0;
};

Read ReadFit(const QByteArray& bytes)
{
    FitLoader loader;
    Read read{LoadedFile::ReadBytes(loader, bytes), 0};
    read.skipped = loader.GetSkippedPointCount();
    return read;
}

void ExpectFullRecord(const TrackPoint& point)
{
    EXPECT_NEAR(point.GetLat(), 47.5, 1e-7);
    EXPECT_NEAR(point.GetLon(), 8.25, 1e-7);
    EXPECT_EQ(IsoTime::Format(point.GetTime()), TimestampText);
    ASSERT_TRUE(point.HasElevation());
    EXPECT_DOUBLE_EQ(point.GetElevation(), 100.0);
    const TrackPointGpsParams& gps = point.GetGpsParams();
    EXPECT_EQ(gps.GetHeartRate(), 150);
    EXPECT_EQ(gps.GetCadence(), 90);
    EXPECT_NEAR(gps.GetGpsSpeed(), 18.0, 1e-5) << "5 m/s in km/h";
    ASSERT_TRUE(gps.HasTemperature());
    EXPECT_EQ(gps.GetTemperature(), -5.0f);
    ASSERT_TRUE(point.HasPower());
    EXPECT_EQ(point.GetPower(), 1234);
}

} // namespace

TEST(FitLoader, RecordBecomesAPointWithItsSensorValues)
{
    FitBuilder fit;
    fit.Define(0, Record, kRecordFields);
    fit.Data(0, FullRecord(Timestamp));
    for (const FitBuilder::Header header :
         {FitBuilder::Header::WithChecksum, FitBuilder::Header::ChecksumZero, FitBuilder::Header::Short}) {
        const Read read = ReadFit(fit.File(header));
        ASSERT_EQ(read.file.status, TrackLoaderI::Success) << read.file.error.toStdString();
        ASSERT_EQ(read.file.PointCount(), 1);
        ExpectFullRecord(read.file.First());
    }
}

TEST(FitLoader, PowerIsReadWhereTheRecordHasItAndZeroWattsCount)
{
    FitBuilder fit;
    fit.Define(0, Record, kRecordFields);
    fit.Data(0, FullRecord(Timestamp, 0));
    // 0xFFFF is the field's "invalid": no reading.
    fit.Data(0, FullRecord(Timestamp + 1, 0xFFFF));
    const Read read = ReadFit(fit.File());
    ASSERT_EQ(read.file.PointCount(), 2);
    EXPECT_TRUE(read.file.First().HasPower());
    EXPECT_EQ(read.file.First().GetPower(), 0);
    EXPECT_FALSE(read.file.Last().HasPower());
}

TEST(FitLoader, BigEndianDefinitionReadsTheSame)
{
    FitBuilder fit;
    fit.Define(0, Record, kRecordFields, true);
    fit.Data(0, FullRecord(Timestamp));
    const Read read = ReadFit(fit.File());
    ASSERT_EQ(read.file.status, TrackLoaderI::Success) << read.file.error.toStdString();
    ASSERT_EQ(read.file.PointCount(), 1);
    ExpectFullRecord(read.file.First());
}

TEST(FitLoader, EnhancedFieldsComeFirst)
{
    FitBuilder fit;
    // altitude 2 and enhanced_altitude 78, speed 6 and enhanced_speed 73.
    fit.Define(0, Record,
               {{0, 4, F::Sint32},
                {1, 4, F::Sint32},
                {2, 2, F::Uint16},
                {78, 4, F::Uint32},
                {6, 2, F::Uint16},
                {73, 4, F::Uint32}});
    // 100 m and 10 m/s against 9000 m ((9000 + 500) * 5) and 20 m/s.
    fit.Data(0, {F::Semicircles(1), F::Semicircles(2), 3000, 47500, 10000, 20000});
    // The enhanced values marked invalid leave the plain ones.
    fit.Data(0, {F::Semicircles(1), F::Semicircles(2), 3000, 0xFFFFFFFF, 10000, 0xFFFFFFFF});
    // The nearest double to 132.2 m, not 3161 / 5 - 500, which a saved file
    // would show as 132.20000000000005.
    fit.Data(0, {F::Semicircles(1), F::Semicircles(2), 3161, 0xFFFFFFFF, 10000, 0xFFFFFFFF});
    const Read read = ReadFit(fit.File());
    ASSERT_EQ(read.file.PointCount(), 3);
    EXPECT_DOUBLE_EQ(read.file.First().GetElevation(), 9000.0);
    EXPECT_NEAR(read.file.First().GetGpsParams().GetGpsSpeed(), 72.0, 1e-4);
    EXPECT_DOUBLE_EQ(read.file.segments[0].points->GetPoints()[1].GetElevation(), 100.0);
    EXPECT_NEAR(read.file.Last().GetGpsParams().GetGpsSpeed(), 36.0, 1e-4);
    EXPECT_EQ(read.file.Last().GetElevation(), 132.2);
    EXPECT_TRUE(read.file.First().GetTime().IsNull()) << "no timestamp field, no compressed header";
}

TEST(FitLoader, InvalidValuesAreLeftOut)
{
    FitBuilder fit;
    fit.Define(0, Record, kRecordFields);
    fit.Data(0, {Timestamp, F::Semicircles(47.5), F::Semicircles(8.25), 0xFFFF, 0xFF, 0xFF, 0xFFFF, 0x7F, 0xFFFF});
    // No position (0x7FFFFFFF): not a point.
    fit.Data(0, {Timestamp + 1, 0x7FFFFFFF, 0x7FFFFFFF, 3000, 150, 90, 5000, 20, 100});
    const Read read = ReadFit(fit.File());
    ASSERT_EQ(read.file.PointCount(), 1);
    EXPECT_EQ(read.skipped, 1);
    const TrackPoint& point = read.file.First();
    EXPECT_FALSE(point.HasElevation());
    EXPECT_TRUE(point.GetGpsParams().IsEmpty());
    EXPECT_FALSE(point.HasPower());
}

TEST(FitLoader, CompressedTimestampsCountOnFromTheLastFullOne)
{
    FitBuilder fit;
    fit.Define(0, Record, kPlainRecord);
    fit.Define(1, Record, {{0, 4, F::Sint32}, {1, 4, F::Sint32}});
    // The full timestamp's low five bits are 1000000000 % 32 = 0.
    fit.Data(0, Plain(0));
    fit.CompressedData(1, 7, {F::Semicircles(47.1), F::Semicircles(8)});
    // 30 then 2: the five bits wrap, so 2 is 32 + 2 seconds after the base.
    fit.CompressedData(1, 30, {F::Semicircles(47.2), F::Semicircles(8)});
    fit.CompressedData(1, 2, {F::Semicircles(47.3), F::Semicircles(8)});
    const Read read = ReadFit(fit.File());
    ASSERT_EQ(read.file.PointCount(), 4);
    const TrackData& points = *read.file.segments.front().points;
    EXPECT_EQ(IsoTime::Format(points.GetTrackPoint(0).GetTime()), "2021-09-08T01:46:40Z");
    EXPECT_EQ(IsoTime::Format(points.GetTrackPoint(1).GetTime()), "2021-09-08T01:46:47Z");
    EXPECT_EQ(IsoTime::Format(points.GetTrackPoint(2).GetTime()), "2021-09-08T01:47:10Z");
    EXPECT_EQ(IsoTime::Format(points.GetTrackPoint(3).GetTime()), "2021-09-08T01:47:14Z");
}

TEST(FitLoader, DeveloperFieldsAreSkippedBySize)
{
    FitBuilder fit;
    fit.Define(0, Record, kPlainRecord, false, {3, 1});
    fit.Data(0, Plain(0), QByteArray("\x01\x02\x03\x04", 4));
    fit.Data(0, Plain(1), QByteArray("\xFF\xFF\xFF\xFF", 4));
    const Read read = ReadFit(fit.File());
    ASSERT_EQ(read.file.status, TrackLoaderI::Success) << read.file.error.toStdString();
    ASSERT_EQ(read.file.PointCount(), 2);
    EXPECT_NEAR(read.file.Last().GetLat(), 47.001, 1e-7);
}

TEST(FitLoader, FilesOneAfterAnotherAreOneTrack)
{
    FitBuilder second;
    second.Define(3, Record, kPlainRecord, true);
    second.Data(3, Plain(10));
    const Read read = ReadFit(PlainRecords(2).File() + second.File(FitBuilder::Header::Short));
    ASSERT_EQ(read.file.status, TrackLoaderI::Success) << read.file.error.toStdString();
    EXPECT_EQ(read.file.PointsPerSegment(), std::vector<int>{3});
    EXPECT_NEAR(read.file.Last().GetLat(), 47.01, 1e-7);
}

TEST(FitLoader, TimerStopAndStartBreaksTheSegmentLapsDoNot)
{
    FitBuilder fit;
    fit.Define(0, Record, kPlainRecord);
    fit.Define(1, Event, kEventFields);
    fit.Define(2, Lap, {{253, 4, F::Uint32}});
    fit.Data(0, Plain(0));
    fit.Data(2, {Timestamp + 1});
    fit.Data(0, Plain(2));
    fit.Data(1, {Timestamp + 3, 0, 4}); // timer, stop all
    fit.Data(1, {Timestamp + 9, 0, 0}); // timer, start
    fit.Data(0, Plain(10));
    fit.Data(1, {Timestamp + 11, 0, 1}); // timer, stop
    fit.Data(0, Plain(12));              // still stopped: same segment
    fit.Data(1, {Timestamp + 13, 0, 0});
    fit.Data(1, {Timestamp + 14, 0, 0}); // a start without a stop
    fit.Data(0, Plain(15));
    fit.Data(1, {Timestamp + 16, 3, 0}); // another event's start
    fit.Data(0, Plain(17));
    const Read read = ReadFit(fit.File());
    EXPECT_EQ(read.file.PointsPerSegment(), (std::vector<int>{2, 2, 2}));
}

TEST(FitLoader, TimesFromPowerOnAreMadeUtcByTheCorrelation)
{
    // Timestamps below 0x10000000 count from the device's power-on; the
    // timestamp_correlation message (162) pairs UTC (253) with such a
    // time (1), and may come after the first records.
    FitBuilder fit;
    fit.Define(0, Record, kPlainRecord);
    fit.Define(1, 162, {{253, 4, F::Uint32}, {1, 4, F::Uint32}});
    fit.Data(0, {67, F::Semicircles(47), F::Semicircles(8)});
    fit.Data(1, {Timestamp, 69});
    fit.Data(0, {70, F::Semicircles(47), F::Semicircles(8)});
    const Read read = ReadFit(fit.File());
    ASSERT_EQ(read.file.PointCount(), 2);
    EXPECT_EQ(IsoTime::Format(read.file.First().GetTime()), "2021-09-08T01:46:38Z");
    EXPECT_EQ(IsoTime::Format(read.file.Last().GetTime()), "2021-09-08T01:46:41Z");
    // Without the correlation such a time is no date at all.
    FitBuilder alone;
    alone.Define(0, Record, kPlainRecord);
    alone.Data(0, {67, F::Semicircles(47), F::Semicircles(8)});
    EXPECT_TRUE(ReadFit(alone.File()).file.First().GetTime().IsNull());
}

TEST(FitLoader, CutOffFileKeepsThePointsBeforeTheCut)
{
    const QByteArray whole = PlainRecords(5).File();
    // Each record takes a header byte and 12 bytes; cut inside the fifth.
    const QByteArray cut = whole.left(whole.size() - 2 - 5);
    const Read read = ReadFit(cut);
    EXPECT_EQ(read.file.status, TrackLoaderI::Damaged);
    EXPECT_EQ(read.file.PointCount(), 4);
    EXPECT_TRUE(read.file.error.contains(QStringLiteral("cut off"))) << read.file.error.toStdString();
    // Cut just before the closing checksum: every point is there.
    const Read noCrc = ReadFit(whole.left(whole.size() - 1));
    EXPECT_EQ(noCrc.file.status, TrackLoaderI::Damaged);
    EXPECT_EQ(noCrc.file.PointCount(), 5);
    EXPECT_TRUE(noCrc.file.error.contains(QStringLiteral("before the checksum"))) << noCrc.file.error.toStdString();
}

TEST(FitLoader, BadChecksumKeepsThePointsAndSaysSo)
{
    QByteArray bytes = PlainRecords(3).File();
    bytes[bytes.size() - 1] = static_cast<char>(bytes[bytes.size() - 1] ^ 0x10);
    const Read read = ReadFit(bytes);
    EXPECT_EQ(read.file.status, TrackLoaderI::Damaged);
    EXPECT_EQ(read.file.PointCount(), 3);
    EXPECT_EQ(read.file.error, QStringLiteral("the checksum of the FIT file from byte 0 does not match its content"));
}

TEST(FitLoader, BadHeaderChecksumReadsNothing)
{
    QByteArray bytes = PlainRecords(3).File();
    bytes[12] = static_cast<char>(bytes[12] ^ 0x01);
    const Read read = ReadFit(bytes);
    EXPECT_EQ(read.file.status, TrackLoaderI::ReadError);
    EXPECT_TRUE(read.file.error.contains(QStringLiteral("checksum of the FIT header")))
        << read.file.error.toStdString();
}

TEST(FitLoader, DamageInASecondFileKeepsTheFirst)
{
    const QByteArray first = PlainRecords(2).File();
    QByteArray junk = PlainRecords(1).File();
    junk[9] = 'G'; // ".GIT"
    const Read read = ReadFit(first + junk);
    EXPECT_EQ(read.file.status, TrackLoaderI::Damaged);
    EXPECT_EQ(read.file.PointCount(), 2);
    EXPECT_TRUE(read.file.error.contains(QStringLiteral("from byte %1").arg(first.size())))
        << read.file.error.toStdString();
}

TEST(FitLoader, DataWithoutDefinitionStopsThere)
{
    FitBuilder fit = PlainRecords(2);
    fit.Define(5, Record, kPlainRecord);
    QByteArray bytes = fit.File();
    // Turn the definition's header into a data message of local type 6.
    const qsizetype header = 14 + (1 + 5 + 3 * 3) + 2 * 13;
    ASSERT_EQ(static_cast<unsigned char>(bytes[header]), 0x45);
    bytes[header] = 0x06;
    const Read read = ReadFit(bytes);
    EXPECT_EQ(read.file.status, TrackLoaderI::Damaged);
    EXPECT_EQ(read.file.PointCount(), 2);
    EXPECT_TRUE(read.file.error.contains(QStringLiteral("local type 6, which has no definition")))
        << read.file.error.toStdString();
}

TEST(FitLoader, NoPositionIsNoTrackAndNoFitIsAnError)
{
    FitBuilder fit;
    fit.Define(0, Lap, {{253, 4, F::Uint32}});
    fit.Data(0, {Timestamp});
    EXPECT_EQ(ReadFit(fit.File()).file.status, TrackLoaderI::NoTrack);
    const Read notFit = ReadFit("<gpx/>");
    EXPECT_EQ(notFit.file.status, TrackLoaderI::ReadError);
    EXPECT_EQ(notFit.file.error, QStringLiteral("the file does not start with a FIT header"));
}

TEST(FitLoader, EveryCutOfAFileEndsInAStatus)
{
    // The decoder checks every read against the end: any prefix gives a
    // status, and never more points than the whole file.
    FitBuilder fit;
    fit.Define(0, Record, kRecordFields, true, {2});
    for (int i = 0; i < 3; ++i)
        fit.Data(0, FullRecord(Timestamp + i), QByteArray(2, '\x7F'));
    const QByteArray whole = fit.File();
    for (qsizetype size = 0; size < whole.size(); ++size) {
        const Read read = ReadFit(whole.left(size));
        EXPECT_TRUE(read.file.status == TrackLoaderI::Damaged || read.file.status == TrackLoaderI::ReadError) << size;
        EXPECT_LE(read.file.PointCount(), 3);
    }
}
