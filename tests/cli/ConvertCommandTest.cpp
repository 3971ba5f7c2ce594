#include "CliTestFiles.h"
#include "LoadManager.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// What the independent reader of oracle.json counted in a fixture.
long long OraclePoints(const QString& relative)
{
    QFile file(FixturePath(QStringLiteral("oracle.json")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject entry = QJsonDocument::fromJson(file.readAll()).object().value(relative).toObject();
    return entry.value(QStringLiteral("points")).toInteger();
}

class ConvertCommandTest : public CliFileTest
{};

} // namespace

TEST_F(ConvertCommandTest, FlightLogBecomesGpx)
{
    const Outcome outcome =
        RunTool({QStringLiteral("convert"), FixturePath(QStringLiteral("igc/gpsbabel/skydrop~kml.igc")), Out()});
    ASSERT_EQ(outcome.status, 0) << outcome.errors.toStdString();
    EXPECT_TRUE(outcome.errors.isEmpty());
    EXPECT_EQ(static_cast<long long>(ReadPoints(Out()).size()),
              OraclePoints(QStringLiteral("igc/gpsbabel/skydrop~kml.igc")));
}

TEST_F(ConvertCommandTest, DamagedFileIsConvertedWithAWarning)
{
    // Activity.fit with a broken checksum: its points are kept.
    const Outcome outcome = RunTool(
        {QStringLiteral("convert"), FixturePath(QStringLiteral("fit/python-fitparse/activity-filecrc.fit")), Out()});
    ASSERT_EQ(outcome.status, 0) << outcome.errors.toStdString();
    EXPECT_TRUE(outcome.errors.contains(QStringLiteral("The file is damaged."))) << outcome.errors.toStdString();
    EXPECT_TRUE(outcome.errors.contains(QStringLiteral("checksum"))) << outcome.errors.toStdString();
    EXPECT_EQ(static_cast<long long>(ReadPoints(Out()).size()),
              OraclePoints(QStringLiteral("fit/python-fitparse/Activity.fit")));
}

TEST_F(ConvertCommandTest, FileWithoutTrackWritesNothing)
{
    const Outcome outcome =
        RunTool({QStringLiteral("convert"), FixturePath(QStringLiteral("fit/python-fitparse/Settings.fit")), Out()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.errors.contains(QStringLiteral("The file contains no tracks.")))
        << outcome.errors.toStdString();
    EXPECT_FALSE(QFile::exists(Out()));
}

TEST_F(ConvertCommandTest, TheOutputsExtensionChoosesTheFormatAndLossesAreTold)
{
    const QString fit = FixturePath(QStringLiteral("fit/python-fitparse/garmin-fenix-5-run.fit"));
    const QString geojson = QDir(m_dir).filePath(QStringLiteral("run.geojson"));
    const Outcome outcome = RunTool({QStringLiteral("convert"), fit, geojson});
    ASSERT_EQ(outcome.status, 0) << outcome.errors.toStdString();
    // A watch records heart rate and cadence; GeoJSON has no place for them.
    EXPECT_TRUE(outcome.errors.contains(QStringLiteral("GeoJSON cannot hold everything these tracks have:")))
        << outcome.errors.toStdString();
    EXPECT_TRUE(outcome.errors.contains(QStringLiteral("Heart rate and cadence are left out.")));
    const LoadedTrackFile written = LoadManager().Load(geojson);
    EXPECT_EQ(written.type, TrackFileGeoJson);
    ASSERT_EQ(written.status, TrackLoaderI::Success) << written.error.toStdString();
    EXPECT_EQ(written.data->GetTotalPointCount(),
              OraclePoints(QStringLiteral("fit/python-fitparse/garmin-fenix-5-run.fit")));
}

TEST_F(ConvertCommandTest, TcxWithoutTimesIsWrittenWithAWarning)
{
    const QString source = FixturePath(QStringLiteral("geojson/gpsbabel/geojson.geojson"));
    const QString tcx = QDir(m_dir).filePath(QStringLiteral("lines.TCX"));
    const Outcome outcome = RunTool({QStringLiteral("convert"), source, tcx});
    ASSERT_EQ(outcome.status, 0) << outcome.errors.toStdString();
    // The fixture's four lines hold eight points, none with a time.
    EXPECT_TRUE(outcome.errors.contains(QStringLiteral("8 points have none"))) << outcome.errors.toStdString();
    const LoadedTrackFile written = LoadManager().Load(tcx);
    EXPECT_EQ(written.type, TrackFileTcx);
    EXPECT_EQ(written.status, TrackLoaderI::Success) << written.error.toStdString();
}
