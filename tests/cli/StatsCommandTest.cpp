#include "CliTestFiles.h"

#include "LoadManager.h"
#include "TestSupport.h"
#include "TimeOrderCheck.h"
#include "TrackTreeAlg.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using StatsCommandTest = CliFileTest;

const QStringList kKeys = {
    QStringLiteral("file"),          QStringLiteral("segment"),         QStringLiteral("points"),
    QStringLiteral("filtered"),      QStringLiteral("distance_m"),      QStringLiteral("duration_s"),
    QStringLiteral("moving_time_s"), QStringLiteral("avg_speed_kmh"),   QStringLiteral("avg_moving_speed_kmh"),
    QStringLiteral("max_speed_kmh"), QStringLiteral("ascent_m"),        QStringLiteral("descent_m"),
    QStringLiteral("min_ele_m"),     QStringLiteral("max_ele_m"),       QStringLiteral("avg_hr"),
    QStringLiteral("max_hr"),        QStringLiteral("avg_cadence"),     QStringLiteral("max_cadence"),
};

std::vector<QJsonObject> Lines(const QString& output)
{
    std::vector<QJsonObject> lines;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8());
        EXPECT_TRUE(document.isObject()) << line.toStdString();
        lines.push_back(document.object());
        // The keys in the documented order, each once.
        QStringList order;
        static const QRegularExpression key(QStringLiteral("\"([a-z_]+)\": "));
        for (const QRegularExpressionMatch& match : key.globalMatch(line))
            order << match.captured(1);
        EXPECT_EQ(order, kKeys) << line.toStdString();
    }
    return lines;
}

} // namespace

TEST_F(StatsCommandTest, AWalkGivesItsDistanceTimesAndSpeedsAndNullsForWhatItLacks)
{
    // 100 m a minute, then a two-minute stop, then 200 m in a minute.
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {100, QStringLiteral("2024-05-01T10:01:00Z")},
                                        {100, QStringLiteral("2024-05-01T10:03:00Z")},
                                        {300, QStringLiteral("2024-05-01T10:04:00Z")}});
    const Outcome run = RunTool({QStringLiteral("stats"), in});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const std::vector<QJsonObject> lines = Lines(run.output);
    ASSERT_EQ(lines.size(), 1u);
    const QJsonObject& line = lines.front();
    EXPECT_EQ(line[QStringLiteral("file")].toString(), in);
    EXPECT_EQ(line[QStringLiteral("segment")].toInt(-1), 0);
    EXPECT_EQ(line[QStringLiteral("points")].toInt(), 4);
    EXPECT_EQ(line[QStringLiteral("filtered")].toInt(-1), 0);
    EXPECT_NEAR(line[QStringLiteral("distance_m")].toDouble(), 300.0, 1e-3);
    EXPECT_NEAR(line[QStringLiteral("duration_s")].toDouble(), 240.0, 1e-6);
    EXPECT_NEAR(line[QStringLiteral("moving_time_s")].toDouble(), 120.0, 1e-6);
    EXPECT_NEAR(line[QStringLiteral("avg_speed_kmh")].toDouble(), 300.0 / 240 * 3.6, 1e-6);
    EXPECT_NEAR(line[QStringLiteral("avg_moving_speed_kmh")].toDouble(), 300.0 / 120 * 3.6, 1e-6);
    EXPECT_NEAR(line[QStringLiteral("max_speed_kmh")].toDouble(), 12.0, 1e-3);
    for (const char* key : {"ascent_m", "descent_m", "min_ele_m", "max_ele_m", "avg_hr", "max_hr", "avg_cadence",
                            "max_cadence"})
        EXPECT_TRUE(line[QLatin1String(key)].isNull()) << key;
}

TEST_F(StatsCommandTest, ARecordingGivesOneLinePerSegmentWithItsKeptPointsFigures)
{
    const QString path = FixturePath(QStringLiteral("fit/python-fitparse/garmin-edge-500-activity.fit"));
    const Outcome run = RunTool({QStringLiteral("stats"), path});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const std::vector<QJsonObject> lines = Lines(run.output);

    LoadedTrackFile loaded = LoadManager().Load(path);
    std::vector<int> segments;
    TrackTreeAlg(loaded.tree.GetReader().get()).GetSubsegmentIds(loaded.fileTid, segments);
    ASSERT_EQ(lines.size(), segments.size());
    for (size_t s = 0; s < segments.size(); ++s) {
        TrackData& data = *loaded.data->Get(segments[s]);
        TimeOrderCheck::Run(data);
        int kept = 0;
        int maxHeartRate = 0;
        double low = 1e9;
        double high = -1e9;
        Time first;
        Time last;
        for (const TrackPoint& point : data.GetPoints()) {
            if (!point.IsValid())
                continue;
            ++kept;
            maxHeartRate = std::max<int>(maxHeartRate, point.GetGpsParams().GetHeartRate());
            low = std::min(low, point.GetElevation());
            high = std::max(high, point.GetElevation());
            first = first.IsNull() ? point.GetTime() : first;
            last = point.GetTime();
        }
        const QJsonObject& line = lines[s];
        EXPECT_EQ(line[QStringLiteral("segment")].toInt(-1), static_cast<int>(s));
        EXPECT_EQ(line[QStringLiteral("points")].toInt(), data.GetPointCount());
        EXPECT_EQ(line[QStringLiteral("filtered")].toInt(), data.GetPointCount() - kept);
        EXPECT_NEAR(line[QStringLiteral("duration_s")].toDouble(), SecondsBetween(first, last), 1e-3);
        EXPECT_EQ(line[QStringLiteral("max_hr")].toInt(), maxHeartRate);
        EXPECT_NEAR(line[QStringLiteral("min_ele_m")].toDouble(), low, 1e-6);
        EXPECT_NEAR(line[QStringLiteral("max_ele_m")].toDouble(), high, 1e-6);
        EXPECT_LE(line[QStringLiteral("moving_time_s")].toDouble(), line[QStringLiteral("duration_s")].toDouble());
    }
}

TEST_F(StatsCommandTest, AFileThatCannotBeReadFailsAfterTheOthersArePrinted)
{
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {10, QStringLiteral("2024-05-01T10:00:10Z")}});
    const QString missing = m_dir + QStringLiteral("/missing.gpx");
    const Outcome run = RunTool({QStringLiteral("stats"), missing, in});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains(missing)) << run.errors.toStdString();
    ASSERT_EQ(Lines(run.output).size(), 1u);
    EXPECT_EQ(Lines(run.output).front()[QStringLiteral("file")].toString(), in);
}

TEST_F(StatsCommandTest, ANegativeOrNonNumericLimitIsABadCommandLine)
{
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")}});
    EXPECT_EQ(RunTool({QStringLiteral("stats"), QStringLiteral("--hysteresis"), QStringLiteral("-1"), in}).status, 2);
    const Outcome run = RunTool({QStringLiteral("stats"), QStringLiteral("--moving-speed"), QStringLiteral("fast"), in});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("--moving-speed"))) << run.errors.toStdString();
    EXPECT_TRUE(run.output.isEmpty());
}
