#include "GpxDocument.h"
#include "GpxSaver.h"
#include "LoadManager.h"
#include "PeerOracle.h"
#include "TestSupport.h"
#include "XmlSchemaCheck.h"

#include <QBuffer>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

void ExpectSameSubtree(const GpxDocument& a, int aTid, const GpxDocument& b, int bTid)
{
    const TrackInfo::Node* aNode = a.Reader().GetNode(aTid);
    const TrackInfo::Node* bNode = b.Reader().GetNode(bTid);
    ASSERT_TRUE(aNode && bNode);
    SCOPED_TRACE(aNode->GetName().toStdString());
    EXPECT_EQ(aNode->GetKind(), bNode->GetKind());
    EXPECT_EQ(aNode->GetName(), bNode->GetName());
    if (aNode->GetKind() == TrackInfo::KindSegment) {
        const std::vector<TrackPoint>& aPoints = a.data->Get(aTid)->GetPoints();
        const std::vector<TrackPoint>& bPoints = b.data->Get(bTid)->GetPoints();
        ASSERT_EQ(aPoints.size(), bPoints.size());
        const auto mismatch = std::mismatch(aPoints.begin(), aPoints.end(), bPoints.begin());
        EXPECT_TRUE(mismatch.first == aPoints.end()) << "first different point: " << (mismatch.first - aPoints.begin());
        return;
    }
    const std::vector<int>& aChildren = a.Reader().GetChildren(aTid);
    const std::vector<int>& bChildren = b.Reader().GetChildren(bTid);
    ASSERT_EQ(aChildren.size(), bChildren.size());
    for (size_t i = 0; i < aChildren.size(); ++i)
        ExpectSameSubtree(a, aChildren[i], b, bChildren[i]);
}

int CountOf(const QByteArray& text, const char* pattern)
{
    return static_cast<int>(QString::fromUtf8(text).count(QRegularExpression(QString::fromLatin1(pattern))));
}

} // namespace

TEST(GpxRoundTrip, EveryFixtureReopensAsItWasSavedAndSavesTheSameAgain)
{
    const PeerOracle oracle;
    int roundTrips = 0;
    for (const QString& relativePath : oracle.Files(QStringLiteral("gpx/"))) {
        SCOPED_TRACE(relativePath.toStdString());
        const QString path = PeerOracle::PathOf(relativePath);
        const GpxDocument original = GpxDocument::ReadFile(path);
        if (original.status != TrackLoaderI::Success)
            continue;
        const QByteArray first = original.Save();
        const GpxDocument reopened = GpxDocument::ReadBytes(first, path);
        ASSERT_EQ(reopened.status, TrackLoaderI::Success) << reopened.error.toStdString();
        ExpectSameSubtree(original, original.FileTid(), reopened, reopened.FileTid());
        const QByteArray second = reopened.Save();
        EXPECT_TRUE(first == second) << first.toStdString() << "\n----\n" << second.toStdString();
        ++roundTrips;
    }
    EXPECT_GE(roundTrips, 30);
}

TEST(GpxRoundTrip, WaypointsAndRoutesOfEveryFixtureAreWrittenBack)
{
    const PeerOracle oracle;
    for (const QString& relativePath : oracle.Files(QStringLiteral("gpx/"))) {
        SCOPED_TRACE(relativePath.toStdString());
        const GpxDocument original = GpxDocument::ReadFile(PeerOracle::PathOf(relativePath));
        if (original.status != TrackLoaderI::Success)
            continue;
        const QJsonObject scan = oracle.Entry(relativePath).value(QStringLiteral("xml_scan")).toObject();
        const QByteArray saved = original.Save();
        EXPECT_EQ(CountOf(saved, "<wpt "), scan.value(QStringLiteral("wpt")).toInt());
        EXPECT_EQ(CountOf(saved, "<rte[ >]"), scan.value(QStringLiteral("rte")).toInt());
        EXPECT_EQ(CountOf(saved, "<rtept "), scan.value(QStringLiteral("rtept")).toInt());
    }
}

TEST(GpxRoundTrip, Gpx10DescriptionBecomesMetadataAndLinks)
{
    const GpxDocument original =
        GpxDocument::ReadFile(PeerOracle::PathOf(QStringLiteral("gpx/gpxpy/gpx1.0_with_all_fields.gpx")));
    ASSERT_EQ(original.status, TrackLoaderI::Success) << original.error.toStdString();
    const QString saved = QString::fromUtf8(original.Save());
    // GPX 1.1 order inside <metadata>: name, desc, author, link, time,
    // keywords, bounds.
    const QString metadata = QStringLiteral(
        "  <metadata>\n"
        "    <name>example name</name>\n"
        "    <desc>example description</desc>\n"
        "    <author>\n"
        "      <name>example author</name>\n"
        "      <email id=\"example\" domain=\"email.com\"/>\n"
        "    </author>\n"
        "    <link href=\"http://example.url\">\n"
        "      <text>example urlname</text>\n"
        "    </link>\n"
        "    <time>2013-01-01T12:00:00</time>\n"
        "    <keywords>example keywords</keywords>\n"
        "    <bounds minlat=\"1.2\" minlon=\"3.4\" maxlat=\"5.6\" maxlon=\"7.8\"/>\n"
        "  </metadata>\n");
    EXPECT_TRUE(saved.contains(metadata)) << saved.toStdString();
    // The route's url/urlname pair becomes a link where 1.1 wants it, after
    // src and before number.
    EXPECT_TRUE(saved.contains(QStringLiteral("<src>example src</src>\n"
                                              "    <link href=\"example url\">\n"
                                              "      <text>example urlname</text>\n"
                                              "    </link>\n"
                                              "    <number>7</number>")))
        << saved.toStdString();
    // The track keeps its other children with its folder.
    EXPECT_TRUE(saved.contains(QStringLiteral("    <name>example name t</name>\n"
                                              "    <cmt>example cmt t</cmt>\n"
                                              "    <desc>example desc t</desc>\n")))
        << saved.toStdString();
    EXPECT_FALSE(saved.contains(QStringLiteral("<url>")));
    EXPECT_FALSE(saved.contains(QStringLiteral("<email>")));
}

TEST(GpxRoundTrip, ForeignElementsOfGpx10AreWrappedIntoExtensions)
{
    const GpxDocument original =
        GpxDocument::ReadFile(PeerOracle::PathOf(QStringLiteral("gpx/gpsbabel/gpxpassthrough10.gpx")));
    ASSERT_EQ(original.status, TrackLoaderI::Success) << original.error.toStdString();
    const QString saved = QString::fromUtf8(original.Save());
    EXPECT_TRUE(saved.contains(QStringLiteral("xmlns:foreign=\"http://www.gpsbabel.org/testonlyschema\"")));
    EXPECT_TRUE(saved.contains(QStringLiteral("    <extensions>\n"
                                              "      <foreign:something>wpt</foreign:something>\n"
                                              "    </extensions>\n"
                                              "  </wpt>")))
        << saved.toStdString();
    // In a route the wrapper closes before the first route point.
    EXPECT_TRUE(saved.contains(QStringLiteral("<foreign:something>rte</foreign:something>\n"
                                              "    </extensions>\n"
                                              "    <rtept")))
        << saved.toStdString();
    EXPECT_TRUE(saved.contains(QStringLiteral("    <name>meridian</name>\n"
                                              "    <extensions>\n"
                                              "      <foreign:something>trk</foreign:something>\n"
                                              "    </extensions>\n"
                                              "    <trkseg>")))
        << saved.toStdString();
    EXPECT_TRUE(saved.contains(QStringLiteral("  <extensions>\n"
                                              "    <foreign:something>eof</foreign:something>\n"
                                              "  </extensions>\n"
                                              "</gpx>\n")))
        << saved.toStdString();
    // A point's, on the point's line.
    EXPECT_TRUE(saved.contains(QStringLiteral("<time>2002-05-25T17:09:55.190Z</time>"
                                              "<extensions><foreign:something>trkpt</foreign:something></extensions>"
                                              "</trkpt>\n")))
        << saved.toStdString();
}

TEST(GpxRoundTrip, EverySavedFixtureValidatesAgainstTheGpx11Schema)
{
    const PeerOracle oracle;
    int validated = 0;
    for (const QString& relativePath : oracle.Files(QStringLiteral("gpx/"))) {
        SCOPED_TRACE(relativePath.toStdString());
        const GpxDocument original = GpxDocument::ReadFile(PeerOracle::PathOf(relativePath));
        if (original.status != TrackLoaderI::Success)
            continue;
        const QString complaint = SchemaComplaint(XmlSchema::Gpx11, original.Save());
        EXPECT_TRUE(complaint.isEmpty()) << complaint.toStdString();
        ++validated;
    }
    EXPECT_GE(validated, 30);
}

TEST(GpxRoundTrip, GeoJsonPointsAreSavedAsValidGpxWaypoints)
{
    const QString path = PeerOracle::PathOf(QStringLiteral("geojson/gpsbabel/geojson.geojson"));
    const LoadedTrackFile loaded = LoadManager().Load(path);
    ASSERT_EQ(loaded.status, TrackLoaderI::Success) << loaded.error.toStdString();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_EQ(GpxSaver().Write(buffer, *loaded.tree.GetReader(), loaded.fileTid, *loaded.data), TrackSaverI::Success);
    const QByteArray gpx = buffer.data();
    // The file's Point at 1,1 and its MultiPoint's one position at 2,2.
    EXPECT_TRUE(gpx.contains("  <wpt lat=\"1\" lon=\"1\"></wpt>\n  <wpt lat=\"2\" lon=\"2\"></wpt>\n  <trk>"))
        << gpx.toStdString();
    const QString complaint = SchemaComplaint(XmlSchema::Gpx11, gpx);
    EXPECT_TRUE(complaint.isEmpty()) << complaint.toStdString();
}
