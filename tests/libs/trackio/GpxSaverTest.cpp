#include "GpxDocument.h"
#include "GpxSaver.h"
#include "PeerOracle.h"
#include "SaveManager.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

// A tree built by hand: one file named "walk" and what the test adds.
struct BuiltTree : GpxDocument
{
    BuiltTree() { fileTid = tree.GetCreator()->AddFile(QStringLiteral("walk"), QStringLiteral("/tmp/walk.gpx"), 5); }

    int Folder(int parent, const QString& name) { return tree.GetCreator()->AddFolder(parent, name); }
    int Segment(int parent, const QString& name, std::vector<TrackPoint> points)
    {
        const int tid = tree.GetCreator()->AddSegment(parent, name);
        data->Add(tid, std::make_shared<TrackData>(std::move(points)));
        return tid;
    }

    int fileTid = -1;
};

TrackPoint At(double lat, double lon)
{
    TrackPoint point;
    point.Set2D({lon, lat});
    return point;
}

QStringList FolderNames(const GpxDocument& document)
{
    QStringList names;
    for (int child : document.Reader().GetChildren(document.FileTid()))
        names.append(document.Reader().GetNode(child)->GetName());
    return names;
}

std::vector<int> PointCounts(const GpxDocument& document)
{
    std::vector<int> counts;
    for (int folder : document.Reader().GetChildren(document.FileTid())) {
        for (int segment : document.Reader().GetChildren(folder))
            counts.push_back(document.data->Get(segment)->GetPointCount());
    }
    return counts;
}

} // namespace

TEST(GpxSaver, PointElementsInTheSchemasOrder)
{
    BuiltTree built;
    TrackPoint point(TVector3<double>(8.25, 47.5, 512.5), Time(2024, 5, 1, 12, 0, 0, 250));
    TrackPointGpsParams& gps = point.GetGpsParams();
    gps.SetHeartRate(141);
    gps.SetCadence(88);
    gps.SetTemperature(-3.5f, TemperatureType::Water);
    gps.SetGpsSpeed(18.0);
    gps.SetGpsAzimuth(270.5);
    gps.SetPdop(1.5);
    gps.SetHdop(0.75);
    gps.SetSatCount(9);
    gps.SetFixType(PositionFixType::Fix3D);
    point.GetStatus().SetFilterReason(3);
    built.Segment(built.Folder(built.fileTid, QStringLiteral("Day <1> & \"2\"")), QString(), {point});
    const QString saved = QString::fromUtf8(built.Save());
    EXPECT_TRUE(saved.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"Quorvel\"")));
    // 18 km/h is 5 m/s; ele, time, fix, sat, then the dops, then extensions.
    const QString expected = QStringLiteral(
        "  <trk>\n"
        "    <name>Day &lt;1&gt; &amp; &quot;2&quot;</name>\n"
        "    <trkseg>\n"
        "      <trkpt lat=\"47.5\" lon=\"8.25\"><ele>512.5</ele><time>2024-05-01T12:00:00.250Z</time>"
        "<fix>3d</fix><sat>9</sat><hdop>0.75</hdop><pdop>1.5</pdop><extensions><gpxtpx:TrackPointExtension>"
        "<gpxtpx:wtemp>-3.5</gpxtpx:wtemp><gpxtpx:hr>141</gpxtpx:hr><gpxtpx:cad>88</gpxtpx:cad>"
        "<gpxtpx:speed>5</gpxtpx:speed><gpxtpx:course>270.5</gpxtpx:course></gpxtpx:TrackPointExtension>"
        "<qvl:TrackPointStatus filtered=\"true\" reason=\"3\"/></extensions></trkpt>\n"
        "    </trkseg>\n"
        "  </trk>\n"
        "</gpx>\n");
    EXPECT_TRUE(saved.endsWith(expected)) << saved.toStdString();
    EXPECT_TRUE(saved.contains(QStringLiteral("xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\"")));
    EXPECT_TRUE(saved.contains(QStringLiteral("xmlns:qvl=\"https://quorvel.org/xmlschemas/TrackPointStatus/1\"")));
}

TEST(GpxSaver, NumbersAndTimesReadBackExactly)
{
    BuiltTree built;
    std::vector<TrackPoint> points;
    const Time times[] = {
        Time(1901, 12, 13, 20, 45, 52) + TimeSpan::FromMicroseconds(207344),
        Time(1969, 12, 31, 23, 59, 59) + TimeSpan::FromMicroseconds(999999),
        Time(2000, 2, 29, 0, 0, 0),
        Time(2024, 5, 1, 12, 0, 0) + TimeSpan::FromMicroseconds(1),
    };
    for (const Time& time : times)
        points.push_back(TrackPoint(TVector3<double>(13.748273, 46.434981, 0.30000000000000004), time));
    points.push_back(TrackPoint(TVector3<double>(-0.0, 0.00001, 1e-7), Time()));
    points.back().GetGpsParams().SetGpsSpeed(3.7f);
    points.push_back(At(-90, 179.99999999999997));
    built.Segment(built.Folder(built.fileTid, QStringLiteral("n")), QString(), points);
    const QByteArray saved = built.Save();
    const QString text = QString::fromUtf8(saved);
    for (const char* expected : {"<time>1901-12-13T20:45:52.207344Z</time>", "<time>1969-12-31T23:59:59.999999Z</time>",
                                 "<time>2000-02-29T00:00:00Z</time>", "<time>2024-05-01T12:00:00.000001Z</time>",
                                 "<ele>0.30000000000000004</ele>", "<trkpt lat=\"0.00001\" lon=\"0\"><ele>0.0000001</ele>",
                                 "lat=\"-90\" lon=\"179.99999999999997\"/>"}) {
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected;
    }
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\de[-+]?\\d")))) << "no exponent form";
    const GpxDocument reopened = GpxDocument::ReadBytes(saved);
    ASSERT_EQ(reopened.status, TrackLoaderI::Success) << reopened.error.toStdString();
    const int segment = reopened.Reader().GetChildren(reopened.Reader().GetChildren(reopened.FileTid()).front()).front();
    EXPECT_EQ(reopened.data->Get(segment)->GetPoints(), points);
}

TEST(GpxSaver, TheSchemasLongitudesStopBefore180)
{
    BuiltTree built;
    built.Segment(built.Folder(built.fileTid, QStringLiteral("n")), QString(), {At(10, 180)});
    EXPECT_TRUE(built.Save().contains("lon=\"-180\""));
}

TEST(GpxSaver, FilteredPointsAndSensorValuesComeBackTheSame)
{
    BuiltTree built;
    std::vector<TrackPoint> points;
    for (int i = 0; i < 40; ++i) {
        TrackPoint point(TVector3<double>(8 + i * 1e-5, 47 + i * 1e-5, 400 + i * 0.1), Time(2024, 5, 1, 12, 0, i));
        TrackPointStatus& status = point.GetStatus();
        if (i % 3 == 0)
            status.SetFilterReason(i % 7 + 1);
        if (i % 5 == 0)
            status.SetValid(false);
        if (i % 4 == 0)
            status.SetMode(TrackPointStatus::AddedByUser, true);
        if (i % 6 == 0)
            status.SetMode(TrackPointStatus::TimeRegenerated, true);
        if (i % 8 == 0)
            status.SetPenalty(static_cast<unsigned short>(i * 100));
        TrackPointGpsParams& gps = point.GetGpsParams();
        if (i % 2 == 0) {
            gps.SetGpsSpeed(i * 1.37);
            gps.SetGpsAzimuth(i * 8.9);
            gps.SetHeartRate(static_cast<unsigned char>(100 + i));
        }
        if (i % 3 == 1) {
            gps.SetTemperature(i * 0.3f - 4, i % 2 ? TemperatureType::Water : TemperatureType::Air);
            gps.SetCadence(static_cast<unsigned char>(60 + i));
            gps.SetHdop(i * 0.11);
            gps.SetVdop(i * 0.13);
            gps.SetSatCount(i);
            gps.SetFixType(static_cast<PositionFixType>(1 + i % 5));
        }
        if (i % 10 == 9)
            point.ClearElevation();
        points.push_back(point);
    }
    built.Segment(built.Folder(built.fileTid, QStringLiteral("n")), QString(), points);
    const GpxDocument reopened = GpxDocument::ReadBytes(built.Save());
    ASSERT_EQ(reopened.status, TrackLoaderI::Success) << reopened.error.toStdString();
    const int segment = reopened.Reader().GetChildren(reopened.Reader().GetChildren(reopened.FileTid()).front()).front();
    const std::vector<TrackPoint>& back = reopened.data->Get(segment)->GetPoints();
    ASSERT_EQ(back.size(), points.size());
    for (size_t i = 0; i < points.size(); ++i)
        EXPECT_TRUE(back[i] == points[i]) << "point " << i;
}

TEST(GpxSaver, FoldersBecomeTracksAndDeeperFoldersJoinTheirNames)
{
    BuiltTree built;
    const int outer = built.Folder(built.fileTid, QStringLiteral("Outer"));
    built.Segment(outer, QString(), {At(1, 1), At(1, 2)});
    const int inner = built.Folder(outer, QStringLiteral("Inner"));
    built.Segment(inner, QString(), {At(2, 1)});
    built.Segment(built.Folder(inner, QStringLiteral("Deep")), QString(), {At(3, 1)});
    built.Segment(outer, QString(), {At(4, 1)});
    built.Segment(built.fileTid, QStringLiteral("Loose"), {At(5, 1)});
    built.Segment(built.fileTid, QString(), {At(6, 1)});
    built.Segment(built.fileTid, QString(), {});
    built.Segment(built.Folder(built.fileTid, QStringLiteral("Only empty")), QString(), {});
    const GpxDocument reopened = GpxDocument::ReadBytes(built.Save());
    ASSERT_EQ(reopened.status, TrackLoaderI::Success) << reopened.error.toStdString();
    // A folder's own segments first, then its folders; segments straight
    // under the file are tracks named after themselves or the file; empty
    // ones are left out.
    EXPECT_EQ(FolderNames(reopened), (QStringList{QStringLiteral("Outer"), QStringLiteral("Outer / Inner"),
                                                  QStringLiteral("Outer / Inner / Deep"), QStringLiteral("Loose"),
                                                  QStringLiteral("walk")}));
    EXPECT_EQ(PointCounts(reopened), (std::vector<int>{2, 1, 1, 1, 1, 1}));
}

TEST(GpxSaver, PartsAreSavedWithoutWhatTheFileKept)
{
    const GpxDocument original = GpxDocument::ReadFile(PeerOracle::PathOf(QStringLiteral("gpx/gpsbabel/gpxpassthrough10.gpx")));
    ASSERT_EQ(original.status, TrackLoaderI::Success) << original.error.toStdString();
    const int folder = original.Reader().GetChildren(original.FileTid()).front();
    const int segment = original.Reader().GetChildren(folder).front();
    EXPECT_TRUE(original.Save().contains("<wpt "));
    for (int tid : {folder, segment}) {
        const QString saved = QString::fromUtf8(original.Save(tid));
        EXPECT_FALSE(saved.contains(QStringLiteral("<wpt ")));
        EXPECT_FALSE(saved.contains(QStringLiteral(">trk</foreign:something>")));
        EXPECT_FALSE(saved.contains(QStringLiteral(">eof</foreign:something>")));
        // What a point kept goes with the point, its namespace with it.
        EXPECT_TRUE(saved.contains(QStringLiteral("<foreign:something>trkpt</foreign:something>")));
        EXPECT_TRUE(saved.contains(QStringLiteral("xmlns:foreign=\"http://www.gpsbabel.org/testonlyschema\"")));
        // A lone segment is named after its folder.
        EXPECT_TRUE(saved.contains(QStringLiteral("<name>meridian</name>"))) << saved.toStdString();
        const GpxDocument reopened = GpxDocument::ReadBytes(saved.toUtf8());
        EXPECT_EQ(PointCounts(reopened), std::vector<int>{3});
    }
}

TEST(GpxSaver, OurPrefixesGiveWayToTheFilesOwn)
{
    // The file binds gpxtpx to version 1; our version 2 prefix must differ.
    const GpxDocument original = GpxDocument::ReadBytes(
        "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\">"
        "<trk><extensions><gpxtpx:note>kept</gpxtpx:note></extensions><trkseg><trkpt lat=\"1\" lon=\"2\"><extensions>"
        "<gpxtpx:TrackPointExtension><gpxtpx:hr>99</gpxtpx:hr></gpxtpx:TrackPointExtension></extensions></trkpt>"
        "</trkseg></trk></gpx>");
    ASSERT_EQ(original.status, TrackLoaderI::Success) << original.error.toStdString();
    const QByteArray saved = original.Save();
    EXPECT_TRUE(saved.contains("xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\"")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("xmlns:gpxtpx1=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\""));
    EXPECT_TRUE(saved.contains("<gpxtpx1:hr>99</gpxtpx1:hr>"));
    EXPECT_TRUE(saved.contains("<gpxtpx:note>kept</gpxtpx:note>"));
    const GpxDocument reopened = GpxDocument::ReadBytes(saved);
    EXPECT_EQ(reopened.Save(), saved);
}

TEST(GpxSaver, SaveTrackReplacesTheFileOnlyWhenComplete)
{
    SaveManager manager;
    TrackSaverI* saver = manager.GetTrackSaver(TrackFileGpx);
    ASSERT_NE(saver, nullptr);
    EXPECT_EQ(manager.GetTrackSaver(TrackFileNmea), nullptr);
    EXPECT_EQ(manager.GetTrackSaver(TrackFileFit), nullptr);

    BuiltTree built;
    built.Segment(built.Folder(built.fileTid, QStringLiteral("n")), QString(), {At(1, 2)});
    const QDir dir(MakeTempDir());
    const QString target = dir.filePath(QStringLiteral("out.gpx"));
    WriteTestFile(target, "old content");
    EXPECT_EQ(saver->SaveTrack(target, built.tree.GetReader(), built.fileTid, built.data), TrackSaverI::Success);
    EXPECT_TRUE(saver->GetErrorDesc().isEmpty());
    QFile written(target);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), built.Save());
    EXPECT_EQ(dir.entryList(QDir::Files), QStringList{QStringLiteral("out.gpx")});

    const QString missingFolder = dir.filePath(QStringLiteral("no/such/folder/out.gpx"));
    EXPECT_EQ(saver->SaveTrack(missingFolder, built.tree.GetReader(), built.fileTid, built.data), TrackSaverI::CannotWrite);
    EXPECT_TRUE(saver->GetErrorDesc().contains(missingFolder)) << saver->GetErrorDesc().toStdString();

    EXPECT_EQ(saver->SaveTrack(target, built.tree.GetReader(), 999, built.data), TrackSaverI::NoSuchNode);
    QFile unchanged(target);
    ASSERT_TRUE(unchanged.open(QIODevice::ReadOnly));
    EXPECT_EQ(unchanged.readAll(), built.Save());
    EXPECT_EQ(dir.entryList(QDir::Files), QStringList{QStringLiteral("out.gpx")});
}
