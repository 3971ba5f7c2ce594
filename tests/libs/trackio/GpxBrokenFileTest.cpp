#include "GpxBuilder.h"
#include "GpxDocument.h"
#include "GpxLoader.h"
#include "PeerOracle.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <random>

namespace {

// A file whose fourth line holds one point with the given attributes and
// children.
QByteArray OnePoint(const char* attributes, const char* children = "")
{
    return QByteArray("<?xml version=\"1.0\"?>\n<gpx xmlns=\"http://www.topografix.com/GPX/1/1\">\n<trk><trkseg>\n<trkpt ")
        + attributes + ">" + children + "</trkpt>\n</trkseg></trk>\n</gpx>\n";
}

void ExpectReadError(const QByteArray& bytes, const std::string& line, const std::string& reason)
{
    const GpxDocument document = GpxDocument::ReadBytes(bytes);
    EXPECT_EQ(document.status, TrackLoaderI::ReadError);
    const std::string error = document.error.toStdString();
    EXPECT_NE(error.find(line), std::string::npos) << error;
    EXPECT_NE(error.find(reason), std::string::npos) << error;
}

// Says it is cancelled once it has been given a number of reports.
class CancelAfter : public OperationProgress
{
public:
    explicit CancelAfter(int reports) : m_left(reports) {}
    void SetPercent(double percent) override
    {
        OperationProgress::SetPercent(percent);
        ++m_reports;
        if (--m_left <= 0)
            SetCancel();
    }
    int Reports() const { return m_reports; }

private:
    int m_left;
    int m_reports = 0;
};

QByteArray ManyPoints(int count)
{
    GpxBuilder gpx;
    for (int i = 0; i < count; ++i)
        gpx.Add(47.0 + i * 1e-5, 8.5, QStringLiteral("2024-05-01T12:00:00Z"), 500);
    return gpx.Text();
}

} // namespace

TEST(GpxBrokenFile, BadCoordinatesFailWithTheLine)
{
    ExpectReadError(OnePoint("lat=\"abc\" lon=\"8\""), "line 4", "bad lat value \"abc\"");
    ExpectReadError(OnePoint("lon=\"8\""), "line 4", "without the \"lat\" attribute");
    ExpectReadError(OnePoint("lat=\"47\""), "line 4", "without the \"lon\" attribute");
    ExpectReadError(OnePoint("lat=\"90.5\" lon=\"8\""), "line 4", "lat \"90.5\" is out of range");
    ExpectReadError(OnePoint("lat=\"47\" lon=\"-180.01\""), "line 4", "out of range");
    ExpectReadError(OnePoint("lat=\"nan\" lon=\"8\""), "line 4", "bad lat");
    ExpectReadError(OnePoint("lat=\"47,5\" lon=\"8\""), "line 4", "bad lat");
    ExpectReadError(OnePoint("lat=\"\" lon=\"8\""), "line 4", "bad lat");
}

TEST(GpxBrokenFile, BadValuesFailWithTheLine)
{
    ExpectReadError(OnePoint("lat=\"47\" lon=\"8\"", "\n<ele>12,5</ele>"), "line 5", "bad elevation value \"12,5\"");
    ExpectReadError(OnePoint("lat=\"47\" lon=\"8\"", "\n\n<time>yesterday</time>"), "line 6", "bad time \"yesterday\"");
    ExpectReadError(OnePoint("lat=\"47\" lon=\"8\"", "<hdop>x</hdop>"), "line 4", "bad hdop");
    ExpectReadError(OnePoint("lat=\"47\" lon=\"8\"", "<sat>many</sat>"), "line 4", "bad sat");
}

TEST(GpxBrokenFile, ValuesThatMeanNothingAreNotErrors)
{
    // Empty elements and NaN stand for "unknown" in real files.
    const GpxDocument document =
        GpxDocument::ReadBytes(OnePoint("lat=\" +47.5 \" lon=\"8\"", "<ele>NaN</ele><time/><hdop> </hdop>"));
    ASSERT_EQ(document.status, TrackLoaderI::Success) << document.error.toStdString();
    const int segment = document.Reader().GetChildren(document.Reader().GetChildren(document.FileTid()).front()).front();
    const TrackPoint& point = document.data->Get(segment)->GetTrackPoint(0);
    EXPECT_DOUBLE_EQ(point.GetLat(), 47.5);
    EXPECT_FALSE(point.HasElevation());
    EXPECT_TRUE(point.GetTime().IsNull());
    EXPECT_FALSE(point.GetGpsParams().HasHdop());
}

TEST(GpxBrokenFile, NotGpxOrNotXmlAtAll)
{
    ExpectReadError("<?xml version=\"1.0\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\"><Document/></kml>", "line 2",
                    "root element is <kml>");
    ExpectReadError(QByteArray(), "line 1", "no element found");
    ExpectReadError("<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"></trkseg></trk></gpx>", "line 1", "mismatched tag");
    ExpectReadError("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx><trk><name>\xff\xfe</name></trk></gpx>", "line 2",
                    "not well-formed");
    std::mt19937 random(7);
    QByteArray junk(4096, '\0');
    for (char& c : junk)
        c = static_cast<char>(random());
    const GpxDocument document = GpxDocument::ReadBytes(junk);
    EXPECT_EQ(document.status, TrackLoaderI::ReadError);
    EXPECT_TRUE(document.error.startsWith(QStringLiteral("line "))) << document.error.toStdString();
}

TEST(GpxBrokenFile, TruncatedFileFailsWhereItEnds)
{
    // The oracle's reader stops at line 58 of this file too.
    const GpxDocument document = GpxDocument::ReadFile(
        PeerOracle::PathOf(QStringLiteral("gpx/android-gpx-parser/garminBaseCampExport-truncated.gpx")));
    EXPECT_EQ(document.status, TrackLoaderI::ReadError);
    EXPECT_TRUE(document.error.startsWith(QStringLiteral("line 58"))) << document.error.toStdString();
}

TEST(GpxBrokenFile, FilesWithoutTrackPointsHaveNoTrack)
{
    const GpxDocument waypoints = GpxDocument::ReadBytes("<gpx><wpt lat=\"1\" lon=\"2\"/><trk><trkseg/></trk></gpx>");
    EXPECT_EQ(waypoints.status, TrackLoaderI::NoTrack);
    EXPECT_TRUE(waypoints.error.isEmpty());
}

TEST(GpxBrokenFile, CancelStopsTheReadEarly)
{
    const QByteArray bytes = ManyPoints(40000);
    ASSERT_GT(bytes.size(), 3 * 1024 * 1024);
    QByteArray copy = bytes;
    QBuffer device(&copy);
    device.open(QIODevice::ReadOnly);
    TrackTree tree;
    TrackDataSetImpl data;
    CancelAfter progress(2);
    GpxLoader loader;
    EXPECT_EQ(loader.Read(device, QStringLiteral("big.gpx"), *tree.GetCreator(), data, progress), TrackLoaderI::Cancelled);
    EXPECT_EQ(progress.GetStatus(), TrackLoaderI::Cancelled);
    // The reader checks after every piece it parses, so it stops after the
    // piece that was being read when the cancel came.
    EXPECT_LE(progress.Reports(), 3);
    EXPECT_LT(data.GetTotalPointCount(), 40000);

    CancelAfter never(1 << 30);
    QBuffer again(&copy);
    again.open(QIODevice::ReadOnly);
    TrackTree fullTree;
    TrackDataSetImpl fullData;
    EXPECT_EQ(loader.Read(again, QStringLiteral("big.gpx"), *fullTree.GetCreator(), fullData, never), TrackLoaderI::Success);
    EXPECT_EQ(fullData.GetTotalPointCount(), 40000);
    EXPECT_DOUBLE_EQ(never.GetPercent(), 100.0);
}
