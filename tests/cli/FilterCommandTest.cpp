#include "CliCommands.h"

#include "CliTestFiles.h"
#include "GpxBuilder.h"
#include "LoadManager.h"
#include "TestSupport.h"
#include "TrackTreeAlg.h"
#include "ValueFilterRows.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <cmath>

#include <unistd.h>

namespace {

constexpr int kPoints = 12;
constexpr int kSpike = 5;
constexpr int kWithoutTime = 8;

int Filter(const QStringList& args)
{
    return RunCliCommand(QStringLiteral("filter"), args);
}

// A ride east at 5 m/s, one point a second, in two segments: the first
// has a point 300 m off the road and a point without time; the second is
// clean.
QString WriteRide(const QString& dir)
{
    const double metresPerDegreeLon = 111320.0 * std::cos(47.0 * M_PI / 180.0);
    const QDateTime start(QDate(2024, 5, 1), QTime(10, 0), Qt::UTC);
    GpxBuilder gpx;
    for (int segment = 0; segment < 2; ++segment) {
        gpx.Segment();
        for (int i = 0; i < kPoints; ++i) {
            const int second = segment * 100 + i;
            double lat = 47.0;
            if (segment == 0 && i == kSpike)
                lat += 300.0 / 111320.0;
            const double lon = 8.0 + 5.0 * second / metresPerDegreeLon;
            if (segment != 0 || i != kWithoutTime)
                gpx.Add(lat, lon, start.addSecs(second));
            else
                gpx.Add(lat, lon);
        }
    }
    return gpx.Write(QDir(dir).filePath(QStringLiteral("ride.gpx")));
}

QJsonArray ReadSegments(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    EXPECT_TRUE(document.isObject());
    return document.object().value(QStringLiteral("segments")).toArray();
}

// (index, reason) of every filtered point of a report segment.
std::vector<std::pair<int, int>> Filtered(const QJsonObject& segment)
{
    std::vector<std::pair<int, int>> out;
    for (const QJsonValue& value : segment.value(QStringLiteral("filtered")).toArray()) {
        const QJsonObject point = value.toObject();
        out.emplace_back(point.value(QStringLiteral("index")).toInt(), point.value(QStringLiteral("reason")).toInt());
    }
    return out;
}

class FilterCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = MakeTempDir();
        ride = WriteRide(dir);
        report = QDir(dir).filePath(QStringLiteral("report.json"));
    }

    QString dir;
    QString ride;
    QString report;
};

} // namespace

TEST_F(FilterCommandTest, ReportListsEverySegmentWithItsFilteredPoints)
{
    ASSERT_EQ(Filter({ride, QStringLiteral("--spikes"), QStringLiteral("--report"), report}), 0);
    const QJsonArray segments = ReadSegments(report);
    ASSERT_EQ(segments.size(), 2);
    const QJsonObject first = segments[0].toObject();
    EXPECT_EQ(first.value(QStringLiteral("points")).toInt(), kPoints);
    // The time check of the track objects marks the point without time.
    EXPECT_EQ(Filtered(first), (std::vector<std::pair<int, int>>{{kSpike, 10}, {kWithoutTime, 16}}));
    const QJsonArray points = first.value(QStringLiteral("filtered")).toArray();
    EXPECT_EQ(points[0].toObject().value(QStringLiteral("text")).toString(), "Spike");
    EXPECT_EQ(points[1].toObject().value(QStringLiteral("text")).toString(), "No time");
    const QJsonObject second = segments[1].toObject();
    EXPECT_TRUE(Filtered(second).empty());
    EXPECT_NE(first.value(QStringLiteral("tid")).toInt(), second.value(QStringLiteral("tid")).toInt());
    // The keys come in the documented order.
    QFile raw(report);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray text = raw.readAll();
    EXPECT_TRUE(text.startsWith("{\"segments\": [{\"tid\": ")) << text.left(40).toStdString();
    EXPECT_TRUE(text.contains("\"points\": 12, \"filtered\": [{\"index\": 5, \"reason\": 10, \"text\": \"Spike\"}"));
}

TEST_F(FilterCommandTest, ValueRulesCarryTheirOwnText)
{
    // The spike point is reached at over 1000 km/h.
    ASSERT_EQ(Filter({ride, QStringLiteral("--max-speed"), QStringLiteral("50"), QStringLiteral("--report"), report}),
              0);
    const QJsonArray segments = ReadSegments(report);
    ASSERT_EQ(segments.size(), 2);
    const std::vector<std::pair<int, int>> filtered = Filtered(segments[0].toObject());
    ASSERT_EQ(filtered.size(), 2u);
    EXPECT_EQ(filtered[0].first, kSpike);
    EXPECT_EQ(filtered[0].second % 100, 7);
    EXPECT_GE(filtered[0].second, 100);
    const QJsonObject point = segments[0].toObject().value(QStringLiteral("filtered")).toArray()[0].toObject();
    EXPECT_EQ(point.value(QStringLiteral("text")).toString(), "Speed >50 km/h");
    EXPECT_TRUE(Filtered(segments[1].toObject()).empty());
}

TEST_F(FilterCommandTest, DeleteWritesTheSurvivingPoints)
{
    const QString out = QDir(dir).filePath(QStringLiteral("clean.gpx"));
    ASSERT_EQ(Filter({ride, QStringLiteral("--spikes"), QStringLiteral("--delete"), QStringLiteral("-o"), out,
                      QStringLiteral("--report"), report}),
              0);
    // The report still numbers the points as they were.
    EXPECT_EQ(ReadSegments(report)[0].toObject().value(QStringLiteral("points")).toInt(), kPoints);
    const LoadedTrackFile loaded = LoadManager().Load(out);
    ASSERT_EQ(loaded.status, TrackLoaderI::Success);
    std::vector<int> segments;
    TrackTreeAlg(loaded.tree.GetReader().get()).GetSubsegmentIds(loaded.fileTid, segments);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(loaded.data->Get(segments[0])->GetPointCount(), kPoints - 2);
    EXPECT_EQ(loaded.data->Get(segments[1])->GetPointCount(), kPoints);
}

TEST_F(FilterCommandTest, LocalFilterTakesOutPointsStandingWithinAMetre)
{
    // Two points a fifth of a metre apart between two 10 m steps: each is
    // within a metre of the point before and after it.
    const double metresPerDegreeLon = 111320.0 * std::cos(47.0 * M_PI / 180.0);
    const std::vector<double> east = {0, 10, 20, 30, 40, 40.2, 40.4, 40.6, 50, 60, 70, 80, 90, 100};
    const QDateTime start(QDate(2024, 5, 1), QTime(10, 0), Qt::UTC);
    GpxBuilder gpx;
    for (size_t i = 0; i < east.size(); ++i)
        gpx.Add(47.0, 8.0 + east[i] / metresPerDegreeLon, start.addSecs(static_cast<int>(i)));
    const QString path = gpx.Write(QDir(dir).filePath(QStringLiteral("stand.gpx")));

    ASSERT_EQ(Filter({path, QStringLiteral("--local"), QStringLiteral("--report"), report}), 0);
    const QJsonArray segments = ReadSegments(report);
    ASSERT_EQ(segments.size(), 1);
    const std::vector<std::pair<int, int>> filtered = Filtered(segments[0].toObject());
    const auto has = [&filtered](int index, int reason) {
        return std::find(filtered.begin(), filtered.end(), std::make_pair(index, reason)) != filtered.end();
    };
    EXPECT_TRUE(has(5, 15));
    EXPECT_TRUE(has(6, 15));
    // The first and last points are never taken out as too close.
    EXPECT_FALSE(has(0, 15));
    EXPECT_FALSE(has(static_cast<int>(east.size()) - 1, 15));
}

TEST_F(FilterCommandTest, BadArgumentsAndUnreadableFilesFail)
{
    EXPECT_EQ(Filter({}), 2);
    EXPECT_EQ(Filter({ride, QStringLiteral("--bogus")}), 2);
    EXPECT_EQ(Filter({ride, QStringLiteral("--max-speed")}), 2);
    EXPECT_EQ(Filter({ride, QStringLiteral("--max-speed"), QStringLiteral("fast")}), 2);
    EXPECT_EQ(Filter({ride, QStringLiteral("--min-dist"), QStringLiteral("0")}), 2);
    EXPECT_EQ(Filter({ride, ride}), 2);
    EXPECT_EQ(Filter({QDir(dir).filePath(QStringLiteral("missing.gpx")), QStringLiteral("--report"), report}), 1);
    EXPECT_FALSE(QFile::exists(report));
}

TEST_F(FilterCommandTest, EveryValueOptionOfTheUsageMakesItsRule)
{
    // A limit of a millionth and one of a million mark different points,
    // whichever way the rule limits; an option that the filter did not read
    // would give the same report twice.
    const CliCommand* command = FindCliCommand(QStringLiteral("filter"));
    ASSERT_NE(command, nullptr);
    int valueOptions = 0;
    for (const CliOption& option : command->options) {
        const QString name = QLatin1String(option.name);
        if (option.IsFlag() || name == QLatin1String("-o") || name == QLatin1String("--report"))
            continue;
        ++valueOptions;
        std::string reports[2];
        const char* limits[2] = {"0.000001", "1000000"};
        for (int i = 0; i < 2; ++i) {
            ASSERT_EQ(Filter({ride, name, QLatin1String(limits[i]), QStringLiteral("--report"), report}), 0)
                << option.name;
            reports[i] = QJsonDocument(ReadSegments(report)).toJson(QJsonDocument::Compact).toStdString();
        }
        EXPECT_NE(reports[0], reports[1]) << option.name;
    }
    EXPECT_EQ(valueOptions, ValueFilterRows::Count);
}

TEST_F(FilterCommandTest, AReportOntoTheInputOrTheOutputIsRefusedBeforeAnythingIsWritten)
{
    QFile original(ride);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    const QString sub = QDir(dir).filePath(QStringLiteral("sub"));
    ASSERT_TRUE(QDir().mkpath(sub));
    const QString linked = QDir(dir).filePath(QStringLiteral("linked.gpx"));
    ASSERT_TRUE(QFile::link(ride, linked));
    const QString hard = QDir(dir).filePath(QStringLiteral("hard.json"));
    ASSERT_EQ(::link(QFile::encodeName(ride).constData(), QFile::encodeName(hard).constData()), 0);
    // The same file by its name, through "..", through a symbolic and a
    // hard link.
    for (const QString& same : {ride, sub + QStringLiteral("/../ride.gpx"), linked, hard}) {
        SCOPED_TRACE(same.toStdString());
        const Outcome outcome = RunTool({QStringLiteral("filter"), ride, QStringLiteral("--spikes"),
                                         QStringLiteral("--report"), same});
        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.errors.contains(QStringLiteral("overwrite the input file"))) << qPrintable(outcome.errors);
    }
    const QString out = QDir(dir).filePath(QStringLiteral("out.gpx"));
    EXPECT_EQ(Filter({ride, QStringLiteral("--report"), out, QStringLiteral("-o"), out}), 2);
    EXPECT_FALSE(QFile::exists(out));
    QFile after(ride);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

TEST_F(FilterCommandTest, AReportThatCannotBeWrittenWholeFailsTheRun)
{
    const Outcome toFile =
        RunTool({QStringLiteral("filter"), ride, QStringLiteral("--report"), QStringLiteral("/dev/full")});
    EXPECT_EQ(toFile.status, 1);
    EXPECT_TRUE(toFile.errors.contains(QStringLiteral("cannot write the report"))) << qPrintable(toFile.errors);

    // To stdout, when stdout is a full disk.
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(QUORVEL_TRACK_PROGRAM), {QStringLiteral("filter"), ride, QStringLiteral("--spikes")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("cannot write the report"));
}
