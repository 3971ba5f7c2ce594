// FIT files recorded by devices and written by programs, against what
// GPSBabel found in them (oracle.json). Where this reader disagrees, the test
// says why and checks what it does instead.
#include "FitLoader.h"
#include "LoadedFile.h"
#include "PeerOracle.h"

#include <QFile>
#include <QJsonArray>

#include <gtest/gtest.h>

#include <set>

namespace {

QString Fit(const char* name)
{
    return QStringLiteral("fit/") + QLatin1String(name);
}

LoadedFile Load(const QString& path)
{
    FitLoader loader;
    return LoadedFile::ReadFile(loader, PeerOracle::PathOf(path));
}

QByteArray Bytes(const QString& path)
{
    QFile file(PeerOracle::PathOf(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// Altitudes are stored in fifths of a metre; the oracle writes them with
// one decimal.
constexpr double EleTolerance = 1e-6;

// Activity files both readers read whole. Their segments are the oracle's
// too: it breaks a track where the timer was stopped and started again,
// as we do; laps and sessions break neither.
const char* const kReadAlike[] = {
    "gpsbabel/fit-sample.fit",
    "gpsbabel/fitwrite-track.fit",
    "gpsbabel/garmin-edge-200-output.fit",
    "gpsbabel/garmin-edge-800.fit",
    "gpsbabel/garmin-forerunner-10.fit",
    "gpsbabel/garmin-oregon-700.fit",
    "gpsbabel/garmin-virb-ultra-30.fit",
    "gpsbabel/wahoo-element-bolt.fit",
    "python-fitparse/2013-02-06-12-11-14.fit",
    "python-fitparse/2015-10-13-08-43-15.fit",
    "python-fitparse/Activity.fit",
    "python-fitparse/Edge810-Vector-2013-08-16-15-35-10.fit",
    "python-fitparse/activity-large-fenxi2-multisport.fit",
    "python-fitparse/activity-settings.fit",
    "python-fitparse/activity-small-fenix2-run.fit",
    "python-fitparse/developer-types-sample.fit",
    "python-fitparse/elemnt-bolt-no-application-id-inside-developer-data-id.fit",
    "python-fitparse/garmin-edge-500-activity.fit",
    "python-fitparse/garmin-edge-820-bike.fit",
    "python-fitparse/garmin-fenix-5-bike.fit",
    "python-fitparse/garmin-fenix-5-run.fit",
    "python-fitparse/null_compressed_speed_dist.fit",
    "python-fitparse/sample-activity.fit",
};

// Files without a positioned record: locations, settings, workouts, weight,
// monitoring, indoor rides, a file of developer data alone.
const char* const kNoTrack[] = {
    "gpsbabel/Lctns_Instinct.fit",
    "gpsbabel/fitlocations-sample.fit",
    "gpsbabel/garmin-vivosmart-hr.fit",
    "python-fitparse/20170518-191602-1740899583.fit",
    "python-fitparse/DeveloperData.fit",
    "python-fitparse/MonitoringFile.fit",
    "python-fitparse/Settings.fit",
    "python-fitparse/Settings2.fit",
    "python-fitparse/WeightScaleMultiUser.fit",
    "python-fitparse/WeightScaleSingleUser.fit",
    "python-fitparse/WorkoutCustomTargetValues.fit",
    "python-fitparse/WorkoutIndividualSteps.fit",
    "python-fitparse/WorkoutRepeatGreaterThanStep.fit",
    "python-fitparse/WorkoutRepeatSteps.fit",
    "python-fitparse/antfs-dump.63.fit",
    "python-fitparse/compressed-speed-distance.fit",
    "python-fitparse/event_timestamp.fit",
    "python-fitparse/nametest.FIT",
    "python-fitparse/sample-activity-indoor-trainer.fit",
};

// Damaged copies of Activity.fit, each starting with its 771 bytes or a
// part of them.
const char* const kDamagedActivities[] = {
    "python-fitparse/activity-activity-filecrc.fit",       "python-fitparse/activity-filecrc.fit",
    "python-fitparse/activity-settings-corruptheader.fit", "python-fitparse/activity-settings-nodata.fit",
    "python-fitparse/activity-unexpected-eof.fit",
};

const char* const kBadEndian = "gpsbabel/lezyne_super_gps-garmin_fit-sample-bad-endian.fit";

} // namespace

TEST(FitFixtures, EveryFileIsCovered)
{
    std::set<QString> covered;
    for (const char* name : kReadAlike)
        covered.insert(Fit(name));
    for (const char* name : kNoTrack)
        covered.insert(Fit(name));
    for (const char* name : kDamagedActivities)
        covered.insert(Fit(name));
    covered.insert(Fit(kBadEndian));
    const QStringList inOracle = PeerOracle::Get().Files(QStringLiteral("fit/"));
    EXPECT_EQ(std::set<QString>(inOracle.begin(), inOracle.end()), covered);
}

TEST(FitFixtures, ActivitiesReadAlike)
{
    for (const char* name : kReadAlike) {
        SCOPED_TRACE(name);
        const LoadedFile file = Load(Fit(name));
        const QJsonObject entry = PeerOracle::Get().Entry(Fit(name));
        ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
        EXPECT_EQ(file.PointsPerSegment(), PeerOracle::PointsPerSegment(entry));
        PeerOracle::ExpectSamePoints(file, entry, EleTolerance);
    }
}

TEST(FitFixtures, FilesWithoutPositionsHaveNoTrack)
{
    for (const char* name : kNoTrack) {
        SCOPED_TRACE(name);
        const LoadedFile file = Load(Fit(name));
        EXPECT_EQ(file.status, TrackLoaderI::NoTrack) << file.error.toStdString();
        EXPECT_EQ(PeerOracle::Get().Entry(Fit(name)).value(QStringLiteral("points")).toInteger(), 0);
    }
}

TEST(FitFixtures, DamagedCopiesKeepThePointsBeforeTheDamage)
{
    // The oracle refuses each of these files whole ("File CRC mismatch ...
    // is corrupt"). We keep what comes before the damage and say what it is.
    // Each starts with Activity.fit, or all of it but its last three bytes,
    // so the points are Activity.fit's as the oracle reads that file.
    const QByteArray activity = Bytes(Fit("python-fitparse/Activity.fit"));
    const QJsonObject activityEntry = PeerOracle::Get().Entry(Fit("python-fitparse/Activity.fit"));
    const long long activityPoints = activityEntry.value(QStringLiteral("points")).toInteger();
    for (const char* name : kDamagedActivities) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(PeerOracle::Get().Entry(Fit(name)).value(QStringLiteral("gpsbabel_ok")).toBool());
        const QByteArray bytes = Bytes(Fit(name));
        const qsizetype shared = std::min(bytes.size(), activity.size());
        ASSERT_GE(shared, activity.size() - 3);
        // activity-filecrc.fit differs in the last byte, its checksum.
        const qsizetype compared = bytes.size() == activity.size() ? shared - 1 : shared;
        ASSERT_EQ(bytes.left(compared), activity.left(compared));

        const LoadedFile file = Load(Fit(name));
        EXPECT_EQ(file.status, TrackLoaderI::Damaged);
        EXPECT_FALSE(file.error.isEmpty());
        ASSERT_FALSE(file.segments.empty());
        EXPECT_NEAR(file.First().GetLat(), activityEntry[QStringLiteral("first")][QStringLiteral("lat")].toDouble(),
                    1e-6);
        if (bytes.size() < activity.size()) {
            // Cut inside the last message before the checksum: that message
            // at most is lost.
            EXPECT_GE(file.PointCount(), activityPoints - 1);
            EXPECT_LE(file.PointCount(), activityPoints);
        } else if (bytes.size() == 2 * activity.size()) {
            // Activity.fit twice, the second with a bad checksum: two
            // recordings, the timer stopped at the end of the first.
            EXPECT_EQ(file.PointsPerSegment(),
                      (std::vector<int>{static_cast<int>(activityPoints), static_cast<int>(activityPoints)}));
        } else {
            EXPECT_EQ(file.PointCount(), activityPoints);
            EXPECT_NEAR(file.Last().GetLat(), activityEntry[QStringLiteral("last")][QStringLiteral("lat")].toDouble(),
                        1e-6);
        }
    }
    EXPECT_TRUE(Load(Fit("python-fitparse/activity-filecrc.fit")).error.contains(QStringLiteral("checksum")));
    EXPECT_TRUE(Load(Fit("python-fitparse/activity-unexpected-eof.fit")).error.contains(QStringLiteral("cut off")));
}

TEST(FitFixtures, BadEndianFileKeepsItsRecords)
{
    // After its last record and summary this Lezyne file holds a definition
    // with a byte order that is neither 0 nor 1, and its checksum fails. The
    // oracle refuses it; its makers' own reference output of the file
    // (gpx/gpsbabel/...-bad-endian.gpx) holds
    // the 804 points in four segments that we keep.
    const LoadedFile file = Load(Fit(kBadEndian));
    EXPECT_EQ(file.status, TrackLoaderI::Damaged);
    EXPECT_TRUE(file.error.contains(QStringLiteral("unknown byte order"))) << file.error.toStdString();
    EXPECT_FALSE(PeerOracle::Get().Entry(Fit(kBadEndian)).value(QStringLiteral("gpsbabel_ok")).toBool());
    const QJsonObject reference =
        PeerOracle::Get().Entry(QStringLiteral("gpx/gpsbabel/lezyne_super_gps-garmin_fit-sample-bad-endian.gpx"));
    EXPECT_EQ(file.PointsPerSegment(), PeerOracle::PointsPerSegment(reference));
    PeerOracle::ExpectSamePoints(file, reference, EleTolerance);
}
