#include "CliCommands.h"
#include "CliTestFiles.h"
#include "GpxBuilder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>

namespace {

int Command(const QString& command, const QStringList& args)
{
    return RunCliCommand(command, args);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QJsonObject ReadJson(const QString& path)
{
    return QJsonDocument::fromJson(ReadAll(path)).object();
}

// Metres north of the equator as latitude: a degree of latitude there is
// 110 574.27 m on the WGS84 ellipsoid (pi / 180 times its meridian radius
// a (1 - e^2)).
double LatOf(double metres)
{
    return metres / 110574.27;
}

// A ride of two segments at 5 m/s, one point a second, each with a pause of
// ten minutes after 25 points; the first has a point 400 m off the road.
QString WriteRide(const QString& dir)
{
    const QDateTime start(QDate(2024, 5, 1), QTime(10, 0), Qt::UTC);
    GpxBuilder gpx;
    for (int segment = 0; segment < 2; ++segment) {
        gpx.Segment();
        for (int i = 0; i < 40; ++i) {
            const int second = segment * 3000 + i + (i >= 25 ? 600 : 0);
            const double lat = segment == 0 && i == 12 ? LatOf(400) : LatOf(3.0 * std::sin(i * 0.3));
            gpx.Add(lat, 5.0 * (segment * 300 + i) * LonPerMeter(), start.addSecs(second), 400.0 + i % 7);
        }
    }
    return gpx.Write(QDir(dir).filePath(QStringLiteral("ride.gpx")));
}

QString WriteRecipe(const QString& path, const QByteArray& steps, int version = 1)
{
    return WriteTestFile(path, R"({"format": "quorvel-recipe", "version": )" + QByteArray::number(version)
                                   + R"(, "name": "test", "steps": [)" + steps + "]}");
}

// Every file beneath folder by its path relative to it, with its bytes.
std::map<QString, QByteArray> FilesBeneath(const QString& folder)
{
    std::map<QString, QByteArray> files;
    QDirIterator walk(folder, QDir::Files, QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString path = walk.next();
        files[QDir(folder).relativeFilePath(path)] = ReadAll(path);
    }
    return files;
}

using CleanCommandTest = CliFileTest;

} // namespace

TEST_F(CleanCommandTest, RecipeGivesTheFileThatItsStepsGiveRunOneByOne)
{
    const QString ride = WriteRide(m_dir);
    const QString recipe = WriteRecipe(QDir(m_dir).filePath(QStringLiteral("r.json")), R"(
        {"step": "filter-by-value", "max_speed_kmh": 80, "min_dist_m": 0.5},
        {"step": "spikes"}, {"step": "local-inconsistency"}, {"step": "delete-filtered"},
        {"step": "restructure", "segment_gap_min": 3, "folder_gap_min": 30},
        {"step": "shift", "start": "2025-01-02T03:04:05Z"},
        {"step": "densify", "time_s": 0.5, "dist_m": 0})");
    const QString folder = QDir(m_dir).filePath(QStringLiteral("clean"));
    ASSERT_EQ(Command(QStringLiteral("clean"), {ride, QStringLiteral("--recipe"), recipe, QStringLiteral("-o"), folder,
                                            QStringLiteral("--quiet")}),
              0);

    const QString step1 = QDir(m_dir).filePath(QStringLiteral("1.gpx"));
    const QString step2 = QDir(m_dir).filePath(QStringLiteral("2.gpx"));
    const QString step3 = QDir(m_dir).filePath(QStringLiteral("3.gpx"));
    const QString step4 = QDir(m_dir).filePath(QStringLiteral("4.gpx"));
    ASSERT_EQ(Command(QStringLiteral("filter"), {ride, "--max-speed", "80", "--min-dist", "0.5", "--spikes", "--local",
                                             "--delete", "-o", step1, "--report",
                                             QDir(m_dir).filePath(QStringLiteral("f.json"))}),
              0);
    ASSERT_EQ(Command(QStringLiteral("restructure"), {step1, "--segment-gap", "3", "--folder-gap", "30", "-o", step2}), 0);
    ASSERT_EQ(Command(QStringLiteral("shift"), {step2, "--start", "2025-01-02T03:04:05Z", "-o", step3}), 0);
    ASSERT_EQ(Command(QStringLiteral("densify"), {step3, "--time", "0.5", "--dist", "0", "-o", step4}), 0);

    const QByteArray cleaned = ReadAll(QDir(folder).filePath(QStringLiteral("ride.gpx")));
    EXPECT_EQ(cleaned, ReadAll(step4));
    // Not trivially: the spike went, the pauses cut the segments, times
    // moved and points were added.
    EXPECT_NE(cleaned, ReadAll(step3));
    EXPECT_EQ(cleaned.count("<trkseg>"), 4);
    EXPECT_TRUE(cleaned.contains("2025-01-02T03:04:05Z"));
    const std::vector<TrackPoint> points = ReadPoints(QDir(folder).filePath(QStringLiteral("ride.gpx")));
    EXPECT_GT(points.size(), 150u);
    for (const TrackPoint& point : points)
        EXPECT_LT(point.GetLat(), LatOf(10));
}

TEST_F(CleanCommandTest, ReportFiguresAreTheSumsOfTheMadeTrack)
{
    // 101 points 10 m apart along the equator, one a second; the elevation
    // climbs a metre a point to 50 m and falls back. Point 50 lies 500 m
    // off the line and is reached at about 1800 km/h.
    const QDateTime start(QDate(2024, 5, 1), QTime(10, 0), Qt::UTC);
    GpxBuilder gpx;
    for (int i = 0; i <= 100; ++i) {
        const double lat = i == 50 ? LatOf(500) : 0.0;
        gpx.Add(lat, 10.0 * i * LonPerMeter(), start.addSecs(i), i <= 50 ? i : 100 - i);
    }
    const QString track = gpx.Write(QDir(m_dir).filePath(QStringLiteral("made.gpx")));
    const QString recipe = WriteRecipe(QDir(m_dir).filePath(QStringLiteral("r.json")),
                                       R"({"step": "filter-by-value", "max_speed_kmh": 100},
                                          {"step": "delete-filtered"})");
    const QString report = QDir(m_dir).filePath(QStringLiteral("report.json"));
    const Outcome outcome = RunTool({QStringLiteral("clean"), track, QStringLiteral("--recipe"), recipe,
                                     QStringLiteral("-o"), QDir(m_dir).filePath(QStringLiteral("out")),
                                     QStringLiteral("--report"), report});
    ASSERT_EQ(outcome.status, 0) << outcome.errors.toStdString();
    EXPECT_TRUE(outcome.output.contains(QStringLiteral("Removed points: 1 Speed >100 km/h"))) << outcome.output.toStdString();

    const QJsonObject file = ReadJson(report).value(QStringLiteral("files")).toArray()[0].toObject();
    const QJsonObject before = file.value(QStringLiteral("before")).toObject();
    const QJsonObject after = file.value(QStringLiteral("after")).toObject();
    const auto figure = [](const QJsonObject& figures, const char* name) {
        return figures.value(QLatin1String(name)).toDouble(-1);
    };
    // Before: 98 legs of 10 m and two of hypot(500, 10) to the spike and back.
    const double spikeLeg = std::hypot(500.0, 10.0);
    EXPECT_EQ(figure(before, "points"), 101);
    EXPECT_NEAR(figure(before, "distance_m"), 98 * 10.0 + 2 * spikeLeg, 0.5);
    EXPECT_NEAR(figure(before, "max_speed_kmh"), spikeLeg * 3.6, 1.0);
    EXPECT_NEAR(figure(before, "ascent_m"), 50, 1e-6);
    EXPECT_NEAR(figure(before, "descent_m"), 50, 1e-6);
    EXPECT_EQ(figure(before, "duration_s"), 100);
    // After: 98 legs of 10 m and one of 20 m in 2 s over the gap.
    EXPECT_EQ(figure(after, "points"), 100);
    EXPECT_EQ(figure(after, "filtered"), 0);
    EXPECT_NEAR(figure(after, "distance_m"), 1000.0, 0.01);
    EXPECT_NEAR(figure(after, "max_speed_kmh"), 36.0, 0.01);
    EXPECT_NEAR(figure(after, "ascent_m"), 49, 1e-6);
    EXPECT_NEAR(figure(after, "descent_m"), 49, 1e-6);
    EXPECT_EQ(figure(after, "duration_s"), 100);
    EXPECT_EQ(figure(after, "moving_time_s"), 100);
    EXPECT_EQ(file.value(QStringLiteral("removed")).toObject(), (QJsonObject{{QStringLiteral("Speed >100 km/h"), 1}}));

    const QJsonArray segments = file.value(QStringLiteral("segments")).toArray();
    ASSERT_EQ(segments.size(), 1);
    const QJsonObject segment = segments[0].toObject();
    EXPECT_EQ(segment.value(QStringLiteral("before_segment")).toInt(-1), 0);
    EXPECT_EQ(segment.value(QStringLiteral("after_segment")).toInt(-1), 0);
    EXPECT_EQ(segment.value(QStringLiteral("after")).toObject(), after);
}

TEST_F(CleanCommandTest, FixturesGiveTheSameResultsOneByOneAndSideBySide)
{
    const QString recipe = WriteRecipe(QDir(m_dir).filePath(QStringLiteral("r.json")), R"(
        {"step": "filter-by-value", "max_speed_kmh": 300, "max_accel_fwd_ms2": 8},
        {"step": "spikes"}, {"step": "local-inconsistency"}, {"step": "delete-filtered"},
        {"step": "restructure", "segment_gap_min": 5})");
    std::map<QString, QByteArray> outputs[2];
    QJsonArray reports[2];
    Outcome outcomes[2];
    const QStringList jobs = {QStringLiteral("1"), QStringLiteral("4")};
    for (int run = 0; run < 2; ++run) {
        const QString folder = QDir(m_dir).filePath(QStringLiteral("jobs") + jobs[run]);
        const QString report = folder + QStringLiteral(".json");
        outcomes[run] = RunTool({QStringLiteral("clean"), FixturePath(QString()), QStringLiteral("--recipe"), recipe,
                                 QStringLiteral("-o"), folder, QStringLiteral("--jobs"), jobs[run],
                                 QStringLiteral("--report"), report});
        outputs[run] = FilesBeneath(folder);
        reports[run] = ReadJson(report).value(QStringLiteral("files")).toArray();
        for (qsizetype i = 0; i < reports[run].size(); ++i) {
            QJsonObject entry = reports[run][i].toObject();
            entry.remove(QStringLiteral("output"));
            reports[run][i] = entry;
        }
    }
    // The folder holds a README and the truth file, which are no tracks.
    EXPECT_EQ(outcomes[0].status, 1);
    EXPECT_EQ(outcomes[1].status, 1);
    EXPECT_TRUE(outcomes[0].errors.contains(QStringLiteral("oracle.json: ")));
    EXPECT_EQ(outcomes[0].errors, outcomes[1].errors);
    EXPECT_EQ(outcomes[0].output, outcomes[1].output.replace(QStringLiteral("/jobs4/"), QStringLiteral("/jobs1/")));
    EXPECT_GT(outputs[0].size(), 80u);
    EXPECT_EQ(outputs[0], outputs[1]);
    EXPECT_EQ(reports[0], reports[1]);
    EXPECT_TRUE(outputs[0].count(QStringLiteral("gpx/viking/Stonehenge.gpx")));
    EXPECT_TRUE(outputs[0].count(QStringLiteral("fit/python-fitparse/Activity.gpx")));
}

TEST_F(CleanCommandTest, InPlaceKeepsABackupAndNeverOverwritesOne)
{
    const QString ride = WriteRide(m_dir);
    const QByteArray original = ReadAll(ride);
    const QString recipe = WriteRecipe(QDir(m_dir).filePath(QStringLiteral("r.json")),
                                       R"({"step": "spikes"}, {"step": "delete-filtered"})");
    const QStringList args = {ride, QStringLiteral("--recipe"), recipe, QStringLiteral("--in-place"),
                              QStringLiteral("--quiet")};
    ASSERT_EQ(Command(QStringLiteral("clean"), args), 0);
    const QByteArray cleaned = ReadAll(ride);
    EXPECT_EQ(ReadAll(ride + QStringLiteral(".bak")), original);
    EXPECT_NE(cleaned, original);
    EXPECT_EQ(ReadPoints(ride).size(), 79u);

    // A second run would replace the only copy of the original.
    const Outcome again = RunTool(QStringList{QStringLiteral("clean")} + args);
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.errors.contains(QStringLiteral("ride.gpx.bak exists already"))) << again.errors.toStdString();
    EXPECT_EQ(ReadAll(ride + QStringLiteral(".bak")), original);
    EXPECT_EQ(ReadAll(ride), cleaned);
}

TEST_F(CleanCommandTest, RefusesARecipeItDoesNotUnderstandBeforeTouchingAnyFile)
{
    const QString ride = WriteRide(m_dir);
    const QString folder = QDir(m_dir).filePath(QStringLiteral("out"));
    const std::pair<QString, QString> cases[] = {
        {WriteRecipe(QDir(m_dir).filePath(QStringLiteral("unknown.json")), R"({"step": "smooth"})"),
         QStringLiteral("Step 1: unknown step \"smooth\"")},
        {WriteRecipe(QDir(m_dir).filePath(QStringLiteral("newer.json")), R"({"step": "spikes"})", 3),
         QStringLiteral("The recipe is of version 3; this program reads recipes up to version 1.")},
        {QStringLiteral("skateboard"), QStringLiteral("no preset of that name; the presets are bike, boat, car, "
                                                      "flight, run, walk")},
    };
    for (const auto& [recipe, message] : cases) {
        const Outcome outcome = RunTool({QStringLiteral("clean"), ride, QStringLiteral("--recipe"), recipe,
                                         QStringLiteral("-o"), folder});
        EXPECT_EQ(outcome.status, 2) << recipe.toStdString();
        EXPECT_TRUE(outcome.errors.startsWith(QStringLiteral("clean: "))) << outcome.errors.toStdString();
        EXPECT_TRUE(outcome.errors.contains(message)) << outcome.errors.toStdString();
        EXPECT_TRUE(outcome.output.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(Command(QStringLiteral("clean"), {ride, QStringLiteral("--recipe"), QStringLiteral("walk")}), 2);
    EXPECT_EQ(Command(QStringLiteral("clean"), {ride, QStringLiteral("--recipe"), QStringLiteral("walk"),
                                            QStringLiteral("--in-place"), QStringLiteral("-o"), folder}),
              2);
}

TEST_F(CleanCommandTest, OneFileThatFailsLeavesTheOthersCleanedAndTheStatusAtOne)
{
    const QString ride = WriteRide(m_dir);
    const QString broken = WriteTestFile(QDir(m_dir).filePath(QStringLiteral("broken.gpx")), "<gpx><trk><trkseg>");
    const QString folder = QDir(m_dir).filePath(QStringLiteral("out"));
    const QString report = QDir(m_dir).filePath(QStringLiteral("report.json"));
    const Outcome outcome = RunTool({QStringLiteral("clean"), broken, ride, QStringLiteral("--recipe"),
                                     QStringLiteral("walk"), QStringLiteral("-o"), folder, QStringLiteral("--report"),
                                     report});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.errors.startsWith(broken + QStringLiteral(": "))) << outcome.errors.toStdString();
    EXPECT_EQ(outcome.errors.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(outcome.output.startsWith(ride + QStringLiteral(": cleaned with \"walk\""))) << outcome.output.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("ride.gpx"))));
    EXPECT_FALSE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("broken.gpx"))));
    const QJsonArray files = ReadJson(report).value(QStringLiteral("files")).toArray();
    ASSERT_EQ(files.size(), 2);
    EXPECT_FALSE(files[0].toObject().value(QStringLiteral("cleaned")).toBool(true));
    EXPECT_FALSE(files[0].toObject().value(QStringLiteral("error")).toString().isEmpty());
    EXPECT_TRUE(files[1].toObject().value(QStringLiteral("cleaned")).toBool());
}

TEST_F(CleanCommandTest, PresetByNameRunsLikeItsFile)
{
    const QString ride = WriteRide(m_dir);
    const QString byName = QDir(m_dir).filePath(QStringLiteral("name"));
    const QString byPath = QDir(m_dir).filePath(QStringLiteral("path"));
    ASSERT_EQ(RunTool({QStringLiteral("clean"), ride, QStringLiteral("--recipe"), QStringLiteral("bike"),
                       QStringLiteral("-o"), byName, QStringLiteral("--quiet")})
                  .status,
              0);
    ASSERT_EQ(RunTool({QStringLiteral("clean"), ride, QStringLiteral("--recipe"),
                       QStringLiteral(QUORVEL_SOURCE_DIR "/data/recipes/bike.json"), QStringLiteral("-o"), byPath,
                       QStringLiteral("--quiet")})
                  .status,
              0);
    const QByteArray cleaned = ReadAll(QDir(byName).filePath(QStringLiteral("ride.gpx")));
    EXPECT_EQ(cleaned, ReadAll(QDir(byPath).filePath(QStringLiteral("ride.gpx"))));
    // The bike preset takes the point 400 m off the road out.
    EXPECT_LT(ReadPoints(QDir(byName).filePath(QStringLiteral("ride.gpx"))).size(), 80u);
}

TEST_F(CleanCommandTest, DeleteFilteredCanKeepPointsThatOnlyLackATime)
{
    // 100 m apart, a minute apart; the third point has no time.
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {100, QStringLiteral("2024-05-01T10:01:00Z")},
                                        {200, std::nullopt},
                                        {300, QStringLiteral("2024-05-01T10:03:00Z")},
                                        {400, QStringLiteral("2024-05-01T10:04:00Z")},
                                        {500, QStringLiteral("2024-05-01T10:05:00Z")}});
    const QString keep = WriteRecipe(QDir(m_dir).filePath(QStringLiteral("keep.json")),
                                     R"({"step": "delete-filtered", "keep_untimed": true})");
    const QString drop = WriteRecipe(QDir(m_dir).filePath(QStringLiteral("drop.json")), R"({"step": "delete-filtered"})");
    const QString kept = QDir(m_dir).filePath(QStringLiteral("kept"));
    const QString dropped = QDir(m_dir).filePath(QStringLiteral("dropped"));
    const QString report = QDir(m_dir).filePath(QStringLiteral("report.json"));
    ASSERT_EQ(Command(QStringLiteral("clean"), {in, "--recipe", keep, "-o", kept, "--quiet", "--report", report}), 0);
    ASSERT_EQ(Command(QStringLiteral("clean"), {in, "--recipe", drop, "-o", dropped, "--quiet"}), 0);
    const std::vector<TrackPoint> withUntimed = ReadPoints(QDir(kept).filePath(QStringLiteral("in.gpx")));
    ASSERT_EQ(withUntimed.size(), 6u);
    EXPECT_TRUE(withUntimed[2].GetTime().IsNull());
    EXPECT_EQ(ReadPoints(QDir(dropped).filePath(QStringLiteral("in.gpx"))).size(), 5u);
    EXPECT_TRUE(ReadJson(report).value(QStringLiteral("files")).toArray()[0].toObject().value(QStringLiteral("removed"))
                    .toObject()
                    .isEmpty());
}

TEST_F(CleanCommandTest, StopStepThinsAStandstillAndSavesNoDerivedSets)
{
    // Walking east at 1.5 m/s, then 20 fixes over 20 s within half a metre
    // of 30 m east, then on again.
    const QDateTime start(QDate(2024, 5, 1), QTime(10, 0), Qt::UTC);
    GpxBuilder gpx;
    double east = 0;
    for (int i = 0; i < 60; ++i) {
        const bool standing = i >= 20 && i < 40;
        east += standing ? 0.0 : 1.5;
        const double wobble = standing ? 0.4 * ((i % 3) - 1) : 0.0;
        gpx.Add(LatOf(wobble), (east + wobble) * LonPerMeter(), start.addSecs(i));
    }
    const QString walk = gpx.Write(QDir(m_dir).filePath(QStringLiteral("walk.gpx")));
    const QString recipe = WriteRecipe(QDir(m_dir).filePath(QStringLiteral("r.json")),
                                       R"({"step": "stops"}, {"step": "delete-filtered"})");
    const QString folder = QDir(m_dir).filePath(QStringLiteral("out"));
    const QString report = QDir(m_dir).filePath(QStringLiteral("report.json"));
    ASSERT_EQ(Command(QStringLiteral("clean"), {walk, "--recipe", recipe, "-o", folder, "--quiet", "--report", report}),
              0);
    const QByteArray cleaned = ReadAll(QDir(folder).filePath(QStringLiteral("walk.gpx")));
    EXPECT_EQ(cleaned.count("<trk>"), 1);
    const int kept = static_cast<int>(ReadPoints(QDir(folder).filePath(QStringLiteral("walk.gpx"))).size());
    // The stop holds every fix within 3 m of where the walker stood (30 m
    // east): the 20 standing ones and fixes 17 to 19 and 40 to 41 on the way
    // in and out; one of them stays.
    EXPECT_EQ(kept, 60 - 25 + 1);
    const QJsonObject removed =
        ReadJson(report).value(QStringLiteral("files")).toArray()[0].toObject().value(QStringLiteral("removed")).toObject();
    EXPECT_EQ(removed.value(QStringLiteral("Too close")).toInt(), 60 - kept);
}
