// KML, TCX and GeoJSON written by our savers and read back by our readers.
#include "DocumentSaver.h"
#include "GeoJsonLoader.h"
#include "GpxLoader.h"
#include "IsoTime.h"
#include "KmlLoader.h"
#include "LoadManager.h"
#include "LoadedFile.h"
#include "LoadedTrackPoints.h"
#include "SaveLossCheck.h"
#include "SaveManager.h"
#include "TcxLoader.h"
#include "TestSupport.h"
#include "TrackTree.h"
#include "XmlSchemaCheck.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct Tracks
{
    Tracks() { fileTid = tree.GetCreator()->AddFile(QStringLiteral("walk"), QString(), TrackFileGpx); }

    int Folder(int parent, const QString& name) { return tree.GetCreator()->AddFolder(parent, name); }
    int Segment(int parent, const QString& name, std::vector<TrackPoint> points)
    {
        const int tid = tree.GetCreator()->AddSegment(parent, name);
        data.Add(tid, std::make_shared<TrackData>(std::move(points)));
        return tid;
    }

    QByteArray Save(TrackFileType type, int tid = -1) const
    {
        SaveManager manager;
        auto* saver = dynamic_cast<DocumentSaver*>(manager.GetTrackSaver(type));
        EXPECT_NE(saver, nullptr);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        EXPECT_EQ(saver->Write(buffer, *tree.GetReader(), tid < 0 ? fileTid : tid, data), TrackSaverI::Success);
        return buffer.data();
    }

    TrackTree tree;
    TrackDataSetImpl data;
    int fileTid = -1;
};

// Points with values that need every digit: positions and elevations that
// are no short decimals, times with micro- and milliseconds.
std::vector<TrackPoint> Points(int first, int count, bool withTimes = true)
{
    std::vector<TrackPoint> points;
    for (int i = first; i < first + count; ++i) {
        TrackPoint point;
        point.Set2D({7.123456789012 + i * 1e-4 / 3.0, 46.98765432109 - i * 1e-4 / 7.0});
        if (i % 3 != 1)
            point.SetElevation(1500.0 + i / 3.0);
        if (withTimes)
            point.SetTime(Time::FromMicroseconds(IsoTime::Parse("2024-05-01T10:00:00Z").GetMicroseconds() +
                                                 i * 1'000'250LL + (i % 2) * 17));
        TrackPointGpsParams& gps = point.GetGpsParams();
        if (i % 4 != 2) {
            gps.SetHeartRate(static_cast<unsigned char>(90 + i));
            gps.SetCadence(static_cast<unsigned char>(60 + i));
        }
        // Some points without power, and 0 W (coasting) among those with it.
        if (i % 5 != 3)
            point.SetPower(i % 5 == 0 ? 0 : 150 + 37 * i);
        points.push_back(point);
    }
    return points;
}

// A file with a segment of its own, a folder with two segments and a folder
// inside it.
Tracks Sample(bool withTimes = true)
{
    Tracks tracks;
    tracks.Segment(tracks.fileTid, QStringLiteral("Warm-up"), Points(0, 4, withTimes));
    const int climb = tracks.Folder(tracks.fileTid, QStringLiteral("Climb & descent"));
    tracks.Segment(climb, QStringLiteral("Up"), Points(10, 5, withTimes));
    tracks.Segment(climb, QString(), Points(20, 3, withTimes));
    const int summit = tracks.Folder(climb, QStringLiteral("Summit"));
    tracks.Segment(summit, QStringLiteral("Ridge"), Points(30, 6, withTimes));
    return tracks;
}

std::vector<std::vector<TrackPoint>> PointsOf(const Tracks& tracks)
{
    std::vector<std::vector<TrackPoint>> all;
    for (const auto& [tid, points] : tracks.data.GetAll())
        all.push_back(points->GetPoints());
    return all;
}

struct Held
{
    // Heart rate, cadence and power.
    bool sensors = true;
};

void ExpectSamePoints(const std::vector<TrackPoint>& read, const std::vector<TrackPoint>& written, Held held)
{
    ASSERT_EQ(read.size(), written.size());
    for (size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read[i].GetLon(), written[i].GetLon());
        EXPECT_EQ(read[i].GetLat(), written[i].GetLat());
        EXPECT_EQ(read[i].HasElevation(), written[i].HasElevation());
        if (written[i].HasElevation()) {
            EXPECT_EQ(read[i].GetElevation(), written[i].GetElevation());
        }
        EXPECT_EQ(read[i].GetTime().GetMicroseconds(), written[i].GetTime().GetMicroseconds());
        const TrackPointGpsParams& gps = written[i].GetGpsParams();
        EXPECT_EQ(read[i].GetGpsParams().HasHeartRate(), held.sensors && gps.HasHeartRate());
        if (held.sensors && gps.HasHeartRate()) {
            EXPECT_EQ(read[i].GetGpsParams().GetHeartRate(), gps.GetHeartRate());
            EXPECT_EQ(read[i].GetGpsParams().GetCadence(), gps.GetCadence());
        }
        EXPECT_EQ(read[i].HasPower(), held.sensors && written[i].HasPower());
        EXPECT_EQ(read[i].GetPower(), held.sensors ? written[i].GetPower() : 0);
    }
}

void ExpectSegments(const LoadedFile& read, const std::vector<std::vector<TrackPoint>>& written, Held held)
{
    ASSERT_EQ(read.status, TrackLoaderI::Success) << read.error.toStdString();
    ASSERT_EQ(read.segments.size(), written.size());
    for (size_t i = 0; i < written.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectSamePoints(read.segments[i].points->GetPoints(), written[i], held);
    }
}

LoadedFile ReadBack(TrackLoaderBase&& loader, const QByteArray& bytes)
{
    return LoadedFile::ReadBytes(loader, bytes);
}

} // namespace

TEST(FormatWriters, GpxKeepsPowerBesideTheGarminValuesAndValidates)
{
    const Tracks tracks = Sample();
    const QByteArray gpx = tracks.Save(TrackFileGpx);
    ExpectSegments(ReadBack(GpxLoader(), gpx), PointsOf(tracks), {});
    EXPECT_TRUE(gpx.contains("</gpxtpx:TrackPointExtension><pwr:PowerInWatts>0</pwr:PowerInWatts>"));
    EXPECT_EQ(SchemaComplaint(XmlSchema::Gpx11, gpx), QString());
}

TEST(FormatWriters, KmlKeepsFoldersNamesPointsTimesElevationsAndValues)
{
    const Tracks tracks = Sample();
    const QByteArray kml = tracks.Save(TrackFileKml);
    const LoadedFile read = ReadBack(KmlLoader(), kml);
    ExpectSegments(read, PointsOf(tracks), {});
    EXPECT_EQ(read.folderPaths,
              (QStringList{QStringLiteral("Climb & descent"), QStringLiteral("Climb & descent/Summit")}));
    EXPECT_EQ(read.SegmentNames(),
              (QStringList{QStringLiteral("Warm-up"), QStringLiteral("Up"), QString(), QStringLiteral("Ridge")}));
    EXPECT_EQ(kml.count("<Placemark>"), 4);
    EXPECT_EQ(kml.count("<gx:Track>"), 4);
}

TEST(FormatWriters, KmlPairsPointsWithoutTimeOrValuesByPosition)
{
    Tracks tracks;
    std::vector<TrackPoint> points = Points(0, 4);
    points[1].SetTime({});
    points[2] = Points(2, 1, false).front();
    tracks.Segment(tracks.fileTid, QString(), points);
    const QByteArray kml = tracks.Save(TrackFileKml);
    const LoadedFile read = ReadBack(KmlLoader(), kml);
    ExpectSegments(read, {points}, {});
    EXPECT_TRUE(read.segments[0].points->GetPoints()[1].GetTime().IsNull());
    // Our reader keeps such a track whole, but its empty times are outside
    // the schema, which the user is told before saving.
    EXPECT_NE(SchemaComplaint(XmlSchema::Kml22, kml), QString());
    const SaveLossCheck::Result loss =
        SaveLossCheck::Find(TrackFileKml, *tracks.tree.GetReader(), tracks.fileTid, tracks.data);
    EXPECT_EQ(loss.losses, unsigned(SaveLossCheck::MissingTimes));
    EXPECT_EQ(loss.untimedPoints, 2);
}

TEST(FormatWriters, KmlAndTcxValidateAndAMangledCopyDoesNot)
{
    Tracks tracks = Sample();
    std::vector<TrackPoint> warm = Points(40, 3);
    warm[1].GetGpsParams().SetTemperature(21.5f);
    tracks.Segment(tracks.fileTid, QStringLiteral("Warm <&> \"dry\""), warm);
    const QByteArray kml = tracks.Save(TrackFileKml);
    ASSERT_TRUE(kml.contains("<gx:SimpleArrayData name=\"temperature\">"));
    EXPECT_EQ(SchemaComplaint(XmlSchema::Kml22, kml), QString());
    const QByteArray tcx = tracks.Save(TrackFileTcx);
    EXPECT_EQ(SchemaComplaint(XmlSchema::TcxV2, tcx), QString());

    // Faults a writer could make: a coordinate with commas, pairs out of
    // order, a point without its time, a lap without its totals.
    QByteArray commas = kml;
    commas[commas.indexOf(' ', commas.indexOf("<gx:coord>"))] = ',';
    QByteArray interleaved = kml;
    interleaved.replace("<altitudeMode>absolute</altitudeMode>", "<gx:coord>1 2</gx:coord>");
    const QByteArray timeless =
        QString::fromUtf8(tcx).remove(QRegularExpression(QStringLiteral("<Time>[^<]*</Time>"))).toUtf8();
    QByteArray noTotals = tcx;
    noTotals.replace("<TotalTimeSeconds>", "<TotalSeconds>").replace("</TotalTimeSeconds>", "</TotalSeconds>");
    EXPECT_TRUE(SchemaComplaint(XmlSchema::Kml22, commas).contains(QStringLiteral("coord"))) << commas.toStdString();
    EXPECT_NE(SchemaComplaint(XmlSchema::Kml22, interleaved), QString());
    EXPECT_TRUE(SchemaComplaint(XmlSchema::TcxV2, timeless).contains(QStringLiteral("Time")));
    EXPECT_NE(SchemaComplaint(XmlSchema::TcxV2, noTotals), QString());
    EXPECT_NE(SchemaComplaint(XmlSchema::Kml22, tcx), QString()) << "each schema knows only its own format";
}

TEST(FormatWriters, TcxMakesALapOfEachFolderAndOfEachSegmentOfTheFile)
{
    const Tracks tracks = Sample();
    const QByteArray tcx = tracks.Save(TrackFileTcx);
    const LoadedFile read = ReadBack(TcxLoader(), tcx);
    ExpectSegments(read, PointsOf(tracks), {});
    // The activity is named by its Id, the first time; a lap of two tracks
    // reads back as two segments of the lap.
    EXPECT_EQ(read.folderPaths, QStringList{QStringLiteral("2024-05-01T10:00:00Z")});
    EXPECT_EQ(read.SegmentNames(),
              (QStringList{QStringLiteral("Lap 1"), QStringLiteral("Lap 2"), QStringLiteral("Lap 2 (2)"),
                           QStringLiteral("Lap 3")}));
    EXPECT_EQ(tcx.count("<Activity "), 1);
    EXPECT_EQ(tcx.count("<Lap "), 3);
}

TEST(FormatWriters, TcxLapTimeAndDistanceAreThoseOfItsPoints)
{
    Tracks tracks;
    TrackPoint a, b;
    a.Set2D({0.0, 0.0});
    b.Set2D({0.0, 0.01});
    a.SetTime(IsoTime::Parse("2024-05-01T10:00:00Z"));
    b.SetTime(IsoTime::Parse("2024-05-01T10:02:30Z"));
    tracks.Segment(tracks.fileTid, QString(), {a, b});
    const QString tcx = QString::fromUtf8(tracks.Save(TrackFileTcx));
    EXPECT_TRUE(tcx.contains(QStringLiteral("<Lap StartTime=\"2024-05-01T10:00:00Z\">"))) << tcx.toStdString();
    EXPECT_TRUE(tcx.contains(QStringLiteral("<TotalTimeSeconds>150</TotalTimeSeconds>")));
    // A hundredth of a degree of latitude at the equator is 1105.7 m on the
    // WGS 84 ellipsoid (meridional radius 6335.4 km).
    const QRegularExpressionMatch distance =
        QRegularExpression(QStringLiteral("<DistanceMeters>([0-9.]+)</DistanceMeters>")).match(tcx);
    ASSERT_TRUE(distance.hasMatch());
    EXPECT_NEAR(distance.captured(1).toDouble(), 1105.7, 0.5);
}

TEST(FormatWriters, GeoJsonMakesAFeaturePerSegmentNamedAfterItOrItsFolder)
{
    const Tracks tracks = Sample();
    const QByteArray json = tracks.Save(TrackFileGeoJson);
    const LoadedFile read = ReadBack(GeoJsonLoader(), json);
    ExpectSegments(read, PointsOf(tracks), {.sensors = false});
    EXPECT_TRUE(read.folderPaths.isEmpty());
    EXPECT_EQ(read.SegmentNames(),
              (QStringList{QStringLiteral("Warm-up"), QStringLiteral("Up"), QStringLiteral("Climb & descent"),
                           QStringLiteral("Ridge")}));
    EXPECT_EQ(json.count("\"MultiLineString\""), 4);
}

TEST(FormatWriters, GeoJsonWithoutTimesHasNoCoordTimesAndEscapesNames)
{
    Tracks tracks;
    const std::vector<TrackPoint> points = Points(0, 3, false);
    tracks.Segment(tracks.fileTid, QStringLiteral("\"Quoted\" \\ tab\t"), points);
    const QByteArray json = tracks.Save(TrackFileGeoJson);
    EXPECT_FALSE(json.contains("coordTimes"));
    const LoadedFile read = ReadBack(GeoJsonLoader(), json);
    ExpectSegments(read, {points}, {.sensors = false});
    EXPECT_EQ(read.segments[0].name, QStringLiteral("\"Quoted\" \\ tab\t"));
}

TEST(FormatWriters, ASavedFolderOrSegmentIsWrittenAlone)
{
    const Tracks tracks = Sample();
    const int climb = tracks.tree.GetReader()->GetChildren(tracks.fileTid)[1];
    const LoadedFile kml = ReadBack(KmlLoader(), tracks.Save(TrackFileKml, climb));
    EXPECT_EQ(kml.PointsPerSegment(), (std::vector<int>{5, 3, 6}));
    EXPECT_EQ(kml.folderPaths,
              (QStringList{QStringLiteral("Climb & descent"), QStringLiteral("Climb & descent/Summit")}));
    const int warmUp = tracks.tree.GetReader()->GetChildren(tracks.fileTid)[0];
    EXPECT_EQ(ReadBack(TcxLoader(), tracks.Save(TrackFileTcx, warmUp)).PointsPerSegment(), std::vector<int>{4});
    EXPECT_EQ(ReadBack(GeoJsonLoader(), tracks.Save(TrackFileGeoJson, climb)).PointsPerSegment(),
              (std::vector<int>{5, 3, 6}));
}

TEST(FormatWriters, TheExtensionChoosesTheFormat)
{
    EXPECT_EQ(SaveManager::TypeForPath(QStringLiteral("/a/b.KML")), TrackFileKml);
    EXPECT_EQ(SaveManager::TypeForPath(QStringLiteral("b.tcx")), TrackFileTcx);
    EXPECT_EQ(SaveManager::TypeForPath(QStringLiteral("b.geojson")), TrackFileGeoJson);
    EXPECT_EQ(SaveManager::TypeForPath(QStringLiteral("b.json")), TrackFileGeoJson);
    EXPECT_EQ(SaveManager::TypeForPath(QStringLiteral("b.gpx")), TrackFileGpx);
    EXPECT_EQ(SaveManager::TypeForPath(QStringLiteral("b.kmz")), TrackFileGpx) << "KMZ is read, not written";
    EXPECT_EQ(SaveManager::TypeForPath(QStringLiteral("b")), TrackFileGpx);
}

TEST(SaveLossCheck, NamesWhatEachFormatCannotHold)
{
    Tracks tracks = Sample(false);
    const TrackTreeReaderI& tree = *tracks.tree.GetReader();
    using Loss = SaveLossCheck::Loss;
    EXPECT_EQ(SaveLossCheck::Find(TrackFileGpx, tree, tracks.fileTid, tracks.data).losses, 0u);
    EXPECT_EQ(SaveLossCheck::Find(TrackFileKml, tree, tracks.fileTid, tracks.data).losses, 0u)
        << "KML holds folders, heart rate, cadence and power";
    const SaveLossCheck::Result tcx = SaveLossCheck::Find(TrackFileTcx, tree, tracks.fileTid, tracks.data);
    EXPECT_EQ(tcx.losses, unsigned(Loss::Folders | Loss::MissingTimes));
    EXPECT_EQ(tcx.untimedPoints, 4 + 5 + 3 + 6);
    EXPECT_EQ(SaveLossCheck::Find(TrackFileGeoJson, tree, tracks.fileTid, tracks.data).losses,
              unsigned(Loss::Folders | Loss::HeartRateCadence | Loss::Power));
    const int warmUp = tree.GetChildren(tracks.fileTid)[0];
    EXPECT_EQ(SaveLossCheck::Find(TrackFileGeoJson, tree, warmUp, tracks.data).losses,
              unsigned(Loss::HeartRateCadence | Loss::Power))
        << "a segment alone has no folder";
}

TEST(SaveLossCheck, ReceiverValuesStatesAndKeptMarkupAreLostOutsideGpx)
{
    Tracks tracks;
    std::vector<TrackPoint> points = Points(0, 3);
    points[0].GetGpsParams().SetSatCount(7);
    points[1].GetGpsParams().SetGpsSpeed(12.5);
    points[2].GetGpsParams().SetTemperature(21.5f);
    points[2].GetStatus().SetValid(false);
    tracks.Segment(tracks.fileTid, QString(), points);
    auto extras = std::make_shared<TrackInfo::NodeExtras>();
    extras->head = "  <wpt lat=\"1\" lon=\"2\"/>\n";
    tracks.tree.GetCreator()->SetNodeExtras(tracks.fileTid, extras);
    const TrackTreeReaderI& tree = *tracks.tree.GetReader();
    using Loss = SaveLossCheck::Loss;
    const unsigned common = Loss::KeptGpxParts | Loss::PointStates | Loss::SpeedCourse | Loss::ReceiverValues;
    EXPECT_EQ(SaveLossCheck::Find(TrackFileKml, tree, tracks.fileTid, tracks.data).losses, common);
    EXPECT_EQ(SaveLossCheck::Find(TrackFileTcx, tree, tracks.fileTid, tracks.data).losses, common | Loss::Temperature);
    EXPECT_EQ(SaveLossCheck::Find(TrackFileGpx, tree, tracks.fileTid, tracks.data).losses, 0u);
    const int segment = tree.GetChildren(tracks.fileTid)[0];
    EXPECT_FALSE(SaveLossCheck::Find(TrackFileKml, tree, segment, tracks.data).Has(Loss::KeptGpxParts))
        << "kept markup goes only with a whole file, GPX or not";
}

TEST(FormatWriters, RealTracksReadBackWithTheSamePoints)
{
    // Files of other programs with elevations, times to the millisecond,
    // heart rate and cadence, several tracks and segments. None mixes
    // segments and folders at one level, so TCX's laps keep the tree order.
    const char* const fixtures[] = {
        "gpx/gpxpy/cerknicko-jezero.gpx",    "fit/python-fitparse/garmin-fenix-5-run.fit",
        "kml/gpsbabel/segmented_tracks.kml", "igc/gpsbabel/92GV66G1.igc",
        "tcx/gpsbabel/history.tcx",
    };
    const std::pair<TrackFileType, const char*> formats[] = {
        {TrackFileKml, "kml"}, {TrackFileTcx, "tcx"}, {TrackFileGeoJson, "geojson"}};
    const QDir dir(MakeTempDir());
    for (const char* fixture : fixtures) {
        SCOPED_TRACE(fixture);
        const LoadedTrackFile original = LoadManager().Load(FixturePath(QString::fromLatin1(fixture)));
        ASSERT_EQ(original.status, TrackLoaderI::Success) << original.error.toStdString();
        const std::vector<TrackPoint> written = AllPoints(original);
        for (const auto& [type, extension] : formats) {
            SCOPED_TRACE(extension);
            const QString path = dir.filePath(QStringLiteral("copy.") + QLatin1String(extension));
            SaveManager saving;
            ASSERT_EQ(
                saving.GetTrackSaver(type)->SaveTrack(path, original.tree.GetReader(), original.fileTid, original.data),
                TrackSaverI::Success);
            const LoadedTrackFile copy = LoadManager().Load(path);
            EXPECT_EQ(copy.type, type);
            ASSERT_EQ(copy.status, TrackLoaderI::Success) << copy.error.toStdString();
            ExpectSamePoints(AllPoints(copy), written, {.sensors = type != TrackFileGeoJson});
            if (type == TrackFileGeoJson)
                continue;
            // Valid unless the user was told that points lack a time the
            // format requires.
            QFile saved(path);
            ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
            const QString complaint =
                SchemaComplaint(type == TrackFileKml ? XmlSchema::Kml22 : XmlSchema::TcxV2, saved.readAll());
            const bool warned = SaveLossCheck::Find(type, *original.tree.GetReader(), original.fileTid, *original.data)
                                    .Has(SaveLossCheck::MissingTimes);
            EXPECT_EQ(complaint.isEmpty(), !warned) << complaint.toStdString();
        }
    }
}
