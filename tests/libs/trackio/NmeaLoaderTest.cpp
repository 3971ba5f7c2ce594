#include "IsoTime.h"
#include "LoadedFile.h"
#include "NmeaLoader.h"
#include "NmeaTestLog.h"
#include "TestSupport.h"
#include "TrackTree.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>

#include <cstdio>
#include <limits>

#include <gtest/gtest.h>

namespace {

struct NmeaRead
{
    LoadedFile file;
    SentenceStats stats;

    const TrackData& Points() const { return *file.segments.at(0).points; }
    const TrackPoint& Point(int i) const { return Points().GetTrackPoint(i); }
    std::string TimeOf(int i) const { return IsoTime::Format(Point(i).GetTime()); }
};

NmeaRead Read(const QByteArray& bytes)
{
    NmeaLoader loader;
    NmeaRead read{LoadedFile::ReadBytes(loader, bytes), {}};
    read.stats = loader.GetStats();
    return read;
}

NmeaRead Read(const std::vector<std::string>& sentences)
{
    return Read(NmeaLog(sentences));
}

constexpr double Lat1 = 48 + 7.038 / 60;
constexpr double Lon1 = 11 + 31.0 / 60;

} // namespace

TEST(NmeaLoader, SentencesOfOneFixMakeOnePoint)
{
    const NmeaRead r = Read({
        "GPRMC,123519.25,A,4807.038,N,01131.000,E,10.0,45.0,230394,003.1,W",
        "GPGGA,123519.25,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
        "GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1",
        "GPVTG,45.0,T,,M,10.0,N,18.5,K",
    });
    ASSERT_EQ(r.file.status, TrackLoaderI::Success);
    ASSERT_EQ(r.file.PointCount(), 1);
    const TrackPoint& p = r.Point(0);
    EXPECT_NEAR(p.GetLat(), Lat1, 1e-12);
    EXPECT_NEAR(p.GetLon(), Lon1, 1e-12);
    ASSERT_TRUE(p.HasElevation());
    EXPECT_DOUBLE_EQ(p.GetElevation(), 545.4);
    EXPECT_EQ(r.TimeOf(0), "1994-03-23T12:35:19.250Z") << "fractional seconds kept";
    EXPECT_TRUE(p.IsValid());
    const TrackPointGpsParams& gps = p.GetGpsParams();
    EXPECT_EQ(gps.GetSatCount(), 8);
    EXPECT_FLOAT_EQ(gps.GetHdop(), 0.9f) << "GGA came first; GSA's 1.3 does not replace it";
    EXPECT_FLOAT_EQ(gps.GetPdop(), 2.5f);
    EXPECT_FLOAT_EQ(gps.GetVdop(), 2.1f);
    EXPECT_EQ(gps.GetFixType(), PositionFixType::Fix3D);
    EXPECT_FLOAT_EQ(gps.GetGpsSpeed(), 18.52f) << "RMC's 10 knots, the first speed of the fix";
    EXPECT_FLOAT_EQ(gps.GetGpsAzimuth(), 45.0f);
    EXPECT_EQ(r.file.segments.size(), 1u);
    EXPECT_TRUE(r.file.folderPaths.isEmpty()) << "a log is one segment right under the file";
}

TEST(NmeaLoader, EachTimeIsItsOwnPointInEitherSentenceOrder)
{
    const NmeaRead r = Read({
        "GPGGA,120000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPRMC,120000,A,4807.038,N,01131.000,E,,,010624,,",
        "GPRMC,120001,A,4807.040,N,01131.000,E,,,010624,,",
        "GPGGA,120001,4807.040,N,01131.000,E,1,08,0.9,546.0,M,,M,,",
        "GPGGA,120002,4807.042,N,01131.000,E,1,08,0.9,547.0,M,,M,,",
    });
    ASSERT_EQ(r.file.PointCount(), 3);
    EXPECT_EQ(r.TimeOf(0), "2024-06-01T12:00:00Z");
    EXPECT_EQ(r.TimeOf(1), "2024-06-01T12:00:01Z");
    EXPECT_EQ(r.TimeOf(2), "2024-06-01T12:00:02Z") << "the date carries on to a GGA alone";
    EXPECT_DOUBLE_EQ(r.Point(1).GetElevation(), 546.0);
    EXPECT_NEAR(r.Point(2).GetLat(), 48 + 7.042 / 60, 1e-12);
}

TEST(NmeaLoader, RepeatedSentenceWithTheSameTimeIsANewPoint)
{
    // A receiver whose clock stands still still moves: two GGA of the same
    // second are two points, not one with the first's position.
    const NmeaRead r = Read({
        "GPGGA,120000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPGGA,120000,4807.100,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
    });
    ASSERT_EQ(r.file.PointCount(), 2);
    EXPECT_NEAR(r.Point(1).GetLat(), 48 + 7.1 / 60, 1e-12);
}

TEST(NmeaLoader, TimesAFewMillisecondsApartAreOneFix)
{
    // Magellan eXplorist: GLL with a three-digit fraction beside GGA/RMC.
    const NmeaRead r = Read({
        "GPGLL,5313.2228,N,00634.4228,E,200619.295,A",
        "GPGGA,200619.30,5313.2228,N,00634.4228,E,1,05,2.6,00000,M,,,,",
        "GPRMC,200619.30,A,5313.2228,N,00634.4228,E,00.0,000.0,200506,00,W",
        "GPGLL,5313.2228,N,00634.4228,E,200620.303,A",
        "GPGGA,200620.30,5313.2228,N,00634.4228,E,1,05,2.5,00000,M,,,,",
    });
    ASSERT_EQ(r.file.PointCount(), 2);
    EXPECT_EQ(r.TimeOf(0), "2006-05-20T20:06:19.295Z") << "the time of the fix's first sentence";
    EXPECT_TRUE(r.Point(0).HasElevation());
    EXPECT_EQ(r.TimeOf(1), "2006-05-20T20:06:20.303Z");
}

TEST(NmeaLoader, GsaSentBeforeThePositionBelongsToTheNextFix)
{
    const NmeaRead r = Read({
        "GPGSA,A,2,,,,,,,,,,,,,5.0,4.0,3.0",
        "GPRMC,120000,A,4807.038,N,01131.000,E,,,010624,,",
        "GPGGA,120000,4807.038,N,01131.000,E,1,08,,545.4,M,,M,,",
        "GPGSA,A,3,,,,,,,,,,,,,2.0,1.0,1.5",
        "GPRMC,120001,A,4807.038,N,01131.000,E,,,010624,,",
    });
    ASSERT_EQ(r.file.PointCount(), 2);
    EXPECT_FLOAT_EQ(r.Point(0).GetGpsParams().GetPdop(), 5.0f);
    EXPECT_EQ(r.Point(0).GetGpsParams().GetFixType(), PositionFixType::Fix2D);
    EXPECT_FLOAT_EQ(r.Point(1).GetGpsParams().GetPdop(), 2.0f);
    EXPECT_EQ(r.Point(1).GetGpsParams().GetFixType(), PositionFixType::Fix3D);
}

TEST(NmeaLoader, RunOfGsaOfSeveralSystemsGoesToOneFix)
{
    const NmeaRead r = Read({
        "GNRMC,120000,A,4807.038,N,01131.000,E,,,010624,,",
        "GNGSA,A,3,01,02,,,,,,,,,,,2.0,1.0,1.7,1",
        "GNGSA,A,3,65,66,,,,,,,,,,,2.0,1.0,1.7,2",
        "GNRMC,120001,A,4807.038,N,01131.000,E,,,010624,,",
        "GNGSA,A,3,01,02,,,,,,,,,,,3.0,1.1,2.8,1",
        "GNGSA,A,3,65,66,,,,,,,,,,,3.0,1.1,2.8,2",
    });
    ASSERT_EQ(r.file.PointCount(), 2);
    EXPECT_FLOAT_EQ(r.Point(0).GetGpsParams().GetPdop(), 2.0f);
    EXPECT_FLOAT_EQ(r.Point(1).GetGpsParams().GetPdop(), 3.0f) << "not the left-over second GSA of the first fix";
}

TEST(NmeaLoader, SpeedAndCourseFromVtg)
{
    const NmeaRead r = Read({
        "GPGGA,120000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPVTG,271.5,T,,M,10.0,N,18.6,K",
        "GPGGA,120001,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPVTG,90.0,T,,M,10.0,N,,K",
    });
    ASSERT_EQ(r.file.PointCount(), 2);
    EXPECT_FLOAT_EQ(r.Point(0).GetGpsParams().GetGpsSpeed(), 18.6f) << "the receiver's own km/h";
    EXPECT_FLOAT_EQ(r.Point(0).GetGpsParams().GetGpsAzimuth(), 271.5f);
    EXPECT_FLOAT_EQ(r.Point(1).GetGpsParams().GetGpsSpeed(), 18.52f) << "knots when km/h is left out";
}

TEST(NmeaLoader, VoidFixesAreFilteredPoints)
{
    const NmeaRead r = Read({
        "GPRMC,120000,V,4807.038,N,01131.000,E,,,010624,,",
        "GPGGA,120001,4807.038,N,01131.000,E,0,00,,545.4,M,,M,,",
        "GPGLL,4807.038,N,01131.000,E,120002,V",
        "GPRMC,120003,V,,,,,,,010624,,",
        "GPGGA,120004,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPRMC,120004,V,4807.038,N,01131.000,E,,,010624,,",
        "GPRMC,120005,A,4807.038,N,01131.000,E,,,010624,,",
    });
    // 120003 has no position: no point at all.
    ASSERT_EQ(r.file.PointCount(), 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(r.Point(i).IsValid()) << i;
        EXPECT_EQ(r.Point(i).GetStatus().GetFilterReason(), 1) << i;
    }
    EXPECT_EQ(r.TimeOf(3), "2024-06-01T12:00:04Z") << "a void RMC voids the fix its valid GGA belongs to";
    EXPECT_TRUE(r.Point(4).IsValid());
    EXPECT_EQ(r.Point(1).GetGpsParams().GetFixType(), PositionFixType::NoFix);
}

TEST(NmeaLoader, FixQualitiesOfCorrectedFixes)
{
    const NmeaRead r = Read({
        "GPGGA,120000,4807.038,N,01131.000,E,2,08,0.9,545.4,M,,M,,",
        "GPGSA,A,3,,,,,,,,,,,,,2.0,1.0,1.5",
        "GPGGA,120001,4807.038,N,01131.000,E,4,08,0.9,545.4,M,,M,,",
        "GPGGA,120002,4807.038,N,01131.000,E,3,08,0.9,545.4,M,,M,,",
        "GPGGA,120003,4807.038,N,01131.000,E,,08,0.9,545.4,M,,M,,",
    });
    ASSERT_EQ(r.file.PointCount(), 4);
    EXPECT_EQ(r.Point(0).GetGpsParams().GetFixType(), PositionFixType::Dgps);
    EXPECT_EQ(r.Point(1).GetGpsParams().GetFixType(), PositionFixType::Dgps) << "RTK";
    EXPECT_EQ(r.Point(2).GetGpsParams().GetFixType(), PositionFixType::Pps);
    EXPECT_FALSE(r.Point(3).GetGpsParams().HasFixType()) << "an empty quality says nothing";
    EXPECT_TRUE(r.Point(3).IsValid());
}

TEST(NmeaLoader, DateCarriesOverMidnight)
{
    const NmeaRead r = Read({
        "GPRMC,235959,A,4807.038,N,01131.000,E,,,311224,,",
        "GPGGA,000000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPGGA,000000.999,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPGGA,235958,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPGGA,000001,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
    });
    ASSERT_EQ(r.file.PointCount(), 5);
    EXPECT_EQ(r.TimeOf(0), "2024-12-31T23:59:59Z");
    EXPECT_EQ(r.TimeOf(1), "2025-01-01T00:00:00Z") << "over the new year";
    EXPECT_EQ(r.TimeOf(2), "2025-01-01T00:00:00.999Z");
    EXPECT_EQ(r.TimeOf(3), "2025-01-01T23:59:58Z") << "a jump forward is no rollover";
    EXPECT_EQ(r.TimeOf(4), "2025-01-02T00:00:01Z");
}

TEST(NmeaLoader, SmallStepBackStaysOnTheDay)
{
    const NmeaRead r = Read({
        "GPRMC,120005,A,4807.038,N,01131.000,E,,,010624,,",
        "GPGGA,120003,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPGGA,000010,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
    });
    ASSERT_EQ(r.file.PointCount(), 3);
    EXPECT_EQ(r.TimeOf(1), "2024-06-01T12:00:03Z");
    // From noon to ten past midnight is under half a day back: no new day.
    EXPECT_EQ(r.TimeOf(2), "2024-06-01T00:00:10Z");
}

TEST(NmeaLoader, PointsBeforeTheFirstDateGetItBackFilled)
{
    const NmeaRead r = Read({
        "GPGGA,235958,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPGGA,235959.5,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPGGA,000000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPZDA,000001,01,03,2024,00,00",
        "GPGGA,000001,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
    });
    ASSERT_EQ(r.file.PointCount(), 4);
    EXPECT_EQ(r.TimeOf(0), "2024-02-29T23:59:58Z") << "back over midnight into a leap day";
    EXPECT_EQ(r.TimeOf(1), "2024-02-29T23:59:59.500Z");
    EXPECT_EQ(r.TimeOf(2), "2024-03-01T00:00:00Z");
    EXPECT_EQ(r.TimeOf(3), "2024-03-01T00:00:01Z") << "ZDA and GGA of one time make one fix";
}

TEST(NmeaLoader, BackFillKeepsSmallStepsBackOnTheDay)
{
    const NmeaRead r = Read({
        "GPGGA,120005,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPGGA,120003,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPRMC,120010,A,4807.038,N,01131.000,E,,,010624,,",
    });
    ASSERT_EQ(r.file.PointCount(), 3);
    EXPECT_EQ(r.TimeOf(0), "2024-06-01T12:00:05Z") << "later than its successor, but not by half a day";
    EXPECT_EQ(r.TimeOf(1), "2024-06-01T12:00:03Z");
}

TEST(NmeaLoader, LogWithoutAnyDateKeepsPositionsWithoutTimes)
{
    // A time of day on an invented date would be saved as if recorded.
    const NmeaRead r = Read({
        "GPGGA,120000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPGGA,120001,4807.040,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
    });
    ASSERT_EQ(r.file.status, TrackLoaderI::Success);
    ASSERT_EQ(r.file.PointCount(), 2);
    EXPECT_TRUE(r.Point(0).GetTime().IsNull());
    EXPECT_TRUE(r.Point(1).GetTime().IsNull());
    EXPECT_NEAR(r.Point(1).GetLat(), 48 + 7.04 / 60, 1e-12);
}

TEST(NmeaLoader, PositionsWithoutTimeMergeByOrder)
{
    const NmeaRead r = Read({
        "GPRMC,,A,4807.038,N,01131.000,E,,,,,",
        "GPGGA,,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,",
        "GPRMC,,A,4807.040,N,01131.000,E,,,,,",
        "GPGGA,,4807.040,N,01131.000,E,1,08,0.9,546.4,M,,M,,",
    });
    ASSERT_EQ(r.file.PointCount(), 2);
    EXPECT_TRUE(r.Point(0).GetTime().IsNull());
    EXPECT_DOUBLE_EQ(r.Point(1).GetElevation(), 546.4);
}

TEST(NmeaLoader, BadLinesSkippedAndCounted)
{
    QByteArray log = "# a comment\r\n\r\nsome text of a logger\r\n";      // lines 1-3: no sentences
    log += NmeaLog({"GPRMC,120000,A,4807.038,N,01131.000,E,,,010624,,"}); // 4
    log += "$GPRMC,120001,A,4807.038,N,01131.000,E,,,010624,,*00\r\n";   // 5: wrong checksum
    log += NmeaLog({"GPGGA,120002,4807.038,X,01131.000,E,1,08,0.9,1,M,,M,,"}); // 6: hemisphere X
    log += NmeaLog({"GPGSA,A,1,,,,"});                                      // 7: too short
    log += "$GPRMC,120003,A,4807.038,N,01131.000,E,,,010624,,\r\n";        // 8: no checksum, whole
    log += "$GPGGA,120004,4807.038,N,01131.000,E,1,08,0.9,54\r\n";         // 9: no checksum, cut
    log += "$GPBOD,,T,,M,,*\r\n";                                          // 10: broken checksum
    log += NmeaLog({"GPGSV,3,1,09,01,19,319,41", "PGRME,15.0,M,22.5,M,27.0,M"}); // 11-12: not read
    const NmeaRead r = Read(log);
    ASSERT_EQ(r.file.status, TrackLoaderI::Success);
    EXPECT_TRUE(r.file.error.isEmpty());
    ASSERT_EQ(r.file.PointCount(), 2);
    EXPECT_EQ(r.TimeOf(1), "2024-06-01T12:00:03Z");
    EXPECT_EQ(r.stats.lines, 12);
    EXPECT_EQ(r.stats.badChecksum, 1);
    EXPECT_EQ(r.stats.unreadable, 4);
    EXPECT_EQ(r.stats.firstBadLine, 5);
    EXPECT_EQ(r.stats.sentences, 4);
    EXPECT_EQ(r.stats.points, 2);
}

TEST(NmeaLoader, BrokenDateCostsTheDateOnly)
{
    // GPS week rollover: a Telit module wrote "2208-1" for 22.08.2019.
    const NmeaRead r = Read({
        "GPRMC,000231.099,A,4829.0005,N,00022.0015,E,0.15,212.28,2208-1,,,A",
        "GPRMC,000231.42,A,4829.0005,N,00022.0016,E,0.16,212.28,220819,,,A",
    });
    ASSERT_EQ(r.file.PointCount(), 2);
    EXPECT_EQ(r.TimeOf(0), "2019-08-22T00:02:31.099Z") << "back-filled from the next RMC";
    EXPECT_EQ(r.stats.GetSkipped(), 0);
}

TEST(NmeaLoader, BinaryJunkEndsAsNoTrackWithAReason)
{
    QByteArray junk;
    for (int i = 0; i < 5000; ++i)
        junk.append(static_cast<char>((i * 131 + 7) % 256));
    junk.append("$\x01\x02\r\n$GPRMC,12,\x80\x81*00\r\n");
    const NmeaRead r = Read(junk);
    EXPECT_EQ(r.file.status, TrackLoaderI::NoTrack);
    EXPECT_TRUE(r.file.segments.empty()) << "the empty segment is dropped";
    EXPECT_GT(r.stats.GetSkipped(), 0);
    EXPECT_TRUE(r.file.error.contains(QStringLiteral("lines skipped"))) << r.file.error.toStdString();
}

TEST(NmeaLoader, EmptyFileIsNoTrackWithoutReason)
{
    const NmeaRead r = Read(QByteArray());
    EXPECT_EQ(r.file.status, TrackLoaderI::NoTrack);
    EXPECT_TRUE(r.file.error.isEmpty()) << "the status says it all";
}

TEST(NmeaLoader, SentencesWithoutPositionsSayWhy)
{
    const NmeaRead r = Read({"GPWPL,3558.322,N,08708.082,W,GCEBB", "GPGSA,A,3,,,,,,,,,,,,,2.0,1.0,1.5"});
    EXPECT_EQ(r.file.status, TrackLoaderI::NoTrack);
    EXPECT_EQ(r.file.error, QStringLiteral("no sentence with a track point (2 read)"));
}

TEST(NmeaLoader, HugeLineIsSkippedAndTheRestRead)
{
    QByteArray log = NmeaLog({"GPRMC,120000,A,4807.038,N,01131.000,E,,,010624,,"});
    log += QByteArray(200 * 1024, 'x') + "$GPRMC,120001,A,4807.038,N,01131.000,E,,,010624,,\r\n";
    log += NmeaLog({"GPRMC,120002,A,4807.038,N,01131.000,E,,,010624,,"});
    const NmeaRead r = Read(log);
    ASSERT_EQ(r.file.status, TrackLoaderI::Success);
    EXPECT_EQ(r.file.PointCount(), 2);
    EXPECT_EQ(r.stats.unreadable, 1);
    EXPECT_EQ(r.stats.firstBadLine, 2);

    const NmeaRead alone = Read(QByteArray(300 * 1024, '$'));
    EXPECT_EQ(alone.file.status, TrackLoaderI::NoTrack);
    EXPECT_FALSE(alone.file.error.isEmpty());
}

TEST(NmeaLoader, Utf16LogIsRead)
{
    const QString text = QString::fromLatin1(NmeaLog({"GPRMC,120000,A,4807.038,N,01131.000,E,,,010624,,"}));
    QByteArray utf16("\xFF\xFE", 2);
    for (const QChar c : text) {
        utf16.append(static_cast<char>(c.unicode() & 0xFF));
        utf16.append(static_cast<char>(c.unicode() >> 8));
    }
    const NmeaRead r = Read(utf16);
    ASSERT_EQ(r.file.PointCount(), 1);
    EXPECT_EQ(r.TimeOf(0), "2024-06-01T12:00:00Z");
}

namespace {

// Cancels at the given report of progress (the frame's first is the 0 %).
class CancelAtReport : public OperationProgress
{
public:
    explicit CancelAtReport(int report) : m_left(report) {}
    void SetPercent(double percent) override
    {
        OperationProgress::SetPercent(percent);
        if (--m_left <= 0)
            SetCancel();
    }

private:
    int m_left;
};

} // namespace

TEST(NmeaLoader, CancelStopsTheLoadWithoutAReason)
{
    // Junk lines over more than two chunks of reading: cancelled in the
    // middle, the loader has seen lines but must not explain a missing track.
    QByteArray log;
    while (log.size() < 3 * 1024 * 1024)
        log += "junk junk junk junk junk junk junk junk $\r\n";
    QBuffer buffer(&log);
    buffer.open(QIODevice::ReadOnly);
    TrackTree tree;
    TrackDataSetImpl data;
    CancelAtReport progress(3);
    NmeaLoader loader;
    EXPECT_EQ(loader.Read(buffer, QStringLiteral("log.nmea"), *tree.GetCreator(), data, progress),
              TrackLoaderI::Cancelled);
    EXPECT_EQ(progress.GetStatus(), TrackLoaderI::Cancelled);
    EXPECT_GT(loader.GetStats().lines, 0);
    EXPECT_LT(loader.GetStats().lines, log.count('\n'));
    EXPECT_TRUE(loader.GetErrorDesc().isEmpty());
}

namespace {

std::vector<QByteArray> LogsUnder(const QString& folder)
{
    std::vector<QByteArray> logs;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            logs.push_back(file.readAll());
    }
    return logs;
}

// A log of many fixes with the noise real ones carry: sentences in both
// orders, GSA ahead of its fix, bad checksums, junk, a cut line, a midnight.
QByteArray NoisyLog()
{
    std::vector<std::string> sentences;
    for (int i = 0; i < 400; ++i) {
        const int second = 86390 + i;
        char time[16];
        std::snprintf(time, sizeof time, "%02d%02d%02d.00", (second / 3600) % 24, (second / 60) % 60, second % 60);
        const std::string day = second < 86400 ? "130524" : "140524";
        const std::string rmc = std::string("GPRMC,") + time + ",A,4807.0" + std::to_string(i % 10) +
                                ",N,01131.000,E,022.4,084.4," + day + ",003.1,W";
        const std::string gga = std::string("GPGGA,") + time + ",4807.038,N,01131.00" + std::to_string(i % 7) +
                                ",E,1,08,0.9,545.4,M,46.9,M,,";
        if (i % 5 == 0)
            sentences.push_back("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
        sentences.push_back(i % 2 ? rmc : gga);
        sentences.push_back(i % 2 ? gga : rmc);
        if (i % 17 == 0)
            sentences.push_back("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
    }
    QByteArray log = NmeaLog(sentences);
    log.replace(log.size() / 3, 4, "*00\n");
    log.insert(log.size() / 2, "# a comment\r\njunk\r\n" + QByteArray(70000, 'x') + "\r\n");
    return log;
}

} // namespace

TEST(NmeaLoader, ATailReadOnASecondThreadChangesNothing)
{
    std::vector<QByteArray> logs = LogsUnder(FixturePath(QStringLiteral("nmea")));
    ASSERT_GT(logs.size(), 10u);
    for (const QByteArray& log : LogsUnder(QStringLiteral(TRACKIO_TEST_DATA "/regressions/nmea")))
        logs.push_back(log);
    logs.push_back(NoisyLog());
    const QString noisy = QString::fromLatin1(NoisyLog());
    logs.push_back(QByteArray("\xFF\xFE") +
                   QByteArray(reinterpret_cast<const char*>(noisy.utf16()), noisy.size() * 2));
    int taken = 0;
    for (size_t i = 0; i < logs.size(); ++i) {
        SCOPED_TRACE(i);
        NmeaLoader alone;
        alone.SetTailReading(std::numeric_limits<qint64>::max(), 0);
        const LoadedFile expected = LoadedFile::ReadBytes(alone, logs[i]);
        for (const double share : {0.05, 0.2, 0.35, 0.5, 0.65, 0.8, 0.95}) {
            SCOPED_TRACE(share);
            NmeaLoader loader;
            loader.SetTailReading(0, share);
            const LoadedFile read = LoadedFile::ReadBytes(loader, logs[i]);
            taken += loader.TookTail() ? 1 : 0;
            EXPECT_EQ(read.status, expected.status);
            EXPECT_EQ(read.error, expected.error);
            EXPECT_EQ(loader.GetErrorDesc(), alone.GetErrorDesc());
            const SentenceStats& a = loader.GetStats();
            const SentenceStats& b = alone.GetStats();
            EXPECT_EQ(std::vector<long long>({a.lines, a.sentences, a.badChecksum, a.unreadable, a.firstBadLine, a.points}),
                      std::vector<long long>({b.lines, b.sentences, b.badChecksum, b.unreadable, b.firstBadLine, b.points}));
            ASSERT_EQ(read.PointsPerSegment(), expected.PointsPerSegment());
            for (size_t s = 0; s < read.segments.size(); ++s)
                EXPECT_TRUE(read.segments[s].points->GetPoints() == expected.segments[s].points->GetPoints());
        }
    }
    // A tail never taken would prove nothing.
    EXPECT_GT(taken, static_cast<int>(logs.size()) * 2);
}

TEST(NmeaLoader, ALogWithMoreFixesThanRoomMadeForThemLoadsWholeOnTwoThreads)
{
    // GGA alone, some 70 bytes a fix: more fixes than the loader and the
    // tail make room for, in blocks large enough to be mapped in ahead, so
    // both blocks move while being mapped.
    std::vector<std::string> sentences;
    for (int i = 0; sentences.size() < 760000; ++i) {
        const int second = i % 86400;
        char gga[96];
        std::snprintf(gga, sizeof gga, "GPGGA,%02d%02d%02d.00,48%02d.%03d,N,011%02d.%03d,E,1,08,0.9,%d.4,M,46.9,M,,",
                      second / 3600, (second / 60) % 60, second % 60, i % 60, i % 1000, (i / 7) % 60, i % 997, i % 900);
        sentences.emplace_back(gga);
    }
    const QByteArray log = NmeaLog(sentences);
    ASSERT_GT(log.size(), 50000000);
    NmeaLoader alone;
    alone.SetTailReading(std::numeric_limits<qint64>::max(), 0);
    const LoadedFile expected = LoadedFile::ReadBytes(alone, log);
    ASSERT_EQ(expected.status, TrackLoaderI::Success);
    NmeaLoader loader;
    loader.SetTailReading(0, 0.5);
    const LoadedFile read = LoadedFile::ReadBytes(loader, log);
    EXPECT_TRUE(loader.TookTail());
    EXPECT_EQ(read.status, TrackLoaderI::Success);
    ASSERT_EQ(read.PointsPerSegment(), expected.PointsPerSegment());
    EXPECT_EQ(read.PointsPerSegment(), std::vector<int>{760000});
    EXPECT_TRUE(read.segments.front().points->GetPoints() == expected.segments.front().points->GetPoints());
}
