#include "GpxDocument.h"
#include "IsoTime.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

QByteArray Gpx(const char* body, const char* namespaces = "xmlns=\"http://www.topografix.com/GPX/1/1\"")
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"test\" ")
        + namespaces + ">\n" + body + "</gpx>\n";
}

// Segments in tree order.
std::vector<int> Segments(const GpxDocument& document, int tid = -1)
{
    std::vector<int> segments;
    for (int child : document.Reader().GetChildren(tid == -1 ? document.FileTid() : tid)) {
        if (document.Reader().GetNode(child)->GetKind() == TrackInfo::KindSegment) {
            segments.push_back(child);
        } else {
            const std::vector<int> inner = Segments(document, child);
            segments.insert(segments.end(), inner.begin(), inner.end());
        }
    }
    return segments;
}

QStringList ChildNames(const GpxDocument& document, int tid)
{
    QStringList names;
    for (int child : document.Reader().GetChildren(tid))
        names.append(document.Reader().GetNode(child)->GetName());
    return names;
}

const TrackPoint& PointAt(const GpxDocument& document, int segment, int index)
{
    return document.data->Get(Segments(document).at(static_cast<size_t>(segment)))->GetTrackPoint(index);
}

std::string ExtrasHead(const GpxDocument& document, int tid)
{
    const auto& extras = document.Reader().GetNode(tid)->GetExtras();
    return extras ? extras->head.toStdString() : std::string();
}

const char* const kOnePoint = "<trk><name>T</name><trkseg><trkpt lat=\"47.5\" lon=\"8.25\"><ele>512.5</ele>"
                              "<time>2024-05-01T12:00:00Z</time></trkpt></trkseg></trk>\n";

} // namespace

TEST(GpxReader, MatchesLocalNamesWhateverTheNamespace)
{
    const char* variants[] = {
        "xmlns=\"http://www.topografix.com/GPX/1/1\"",
        "xmlns=\"http://www.topografix.com/GPX/1/0\"",
        "",
        "xmlns=\"http://www.topografix.com/GPX/1/1/\"",
    };
    for (const char* namespaces : variants) {
        SCOPED_TRACE(namespaces);
        const GpxDocument document = GpxDocument::ReadBytes(Gpx(kOnePoint, namespaces));
        ASSERT_EQ(document.status, TrackLoaderI::Success) << document.error.toStdString();
        EXPECT_EQ(ChildNames(document, document.FileTid()), QStringList{QStringLiteral("T")});
        const TrackPoint& point = PointAt(document, 0, 0);
        EXPECT_DOUBLE_EQ(point.GetLat(), 47.5);
        EXPECT_DOUBLE_EQ(point.GetLon(), 8.25);
        EXPECT_DOUBLE_EQ(point.GetElevation(), 512.5);
        EXPECT_EQ(point.GetTime(), Time(2024, 5, 1, 12, 0, 0));
    }
    const GpxDocument prefixed = GpxDocument::ReadBytes(
        "<g:gpx xmlns:g=\"http://www.topografix.com/GPX/1/1\"><g:trk><g:trkseg><g:trkpt lat=\"1\" lon=\"2\">"
        "<g:ele>3</g:ele></g:trkpt></g:trkseg></g:trk></g:gpx>");
    ASSERT_EQ(prefixed.status, TrackLoaderI::Success) << prefixed.error.toStdString();
    EXPECT_DOUBLE_EQ(PointAt(prefixed, 0, 0).GetElevation(), 3);
}

TEST(GpxReader, TimesWithFractionsAndZoneOffsets)
{
    const GpxDocument document = GpxDocument::ReadBytes(Gpx(
        "<trk><trkseg>"
        "<trkpt lat=\"0\" lon=\"0\"><time>2024-05-01T14:00:00.5+02:00</time></trkpt>"
        "<trkpt lat=\"0\" lon=\"0\"><time>1901-12-13T20:45:52.2073437Z</time></trkpt>"
        "<trkpt lat=\"0\" lon=\"0\"><time> 2013-01-01T12:00:04 </time></trkpt>"
        "<trkpt lat=\"0\" lon=\"0\"><time></time><ele/></trkpt>"
        "</trkseg></trk>"));
    ASSERT_EQ(document.status, TrackLoaderI::Success) << document.error.toStdString();
    EXPECT_EQ(PointAt(document, 0, 0).GetTime(), Time(2024, 5, 1, 12, 0, 0, 500));
    // Seven digits: rounded to the microsecond.
    EXPECT_EQ(PointAt(document, 0, 1).GetTime(), Time(1901, 12, 13, 20, 45, 52) + TimeSpan::FromMicroseconds(207344));
    // No zone: UTC.
    EXPECT_EQ(PointAt(document, 0, 2).GetTime(), Time(2013, 1, 1, 12, 0, 4));
    EXPECT_TRUE(PointAt(document, 0, 3).GetTime().IsNull());
    EXPECT_FALSE(PointAt(document, 0, 3).HasElevation());
}

TEST(GpxReader, GarminExtensionsAndTheirCommonRelatives)
{
    const GpxDocument document = GpxDocument::ReadBytes(Gpx(
        "<trk><trkseg>"
        "<trkpt lat=\"0\" lon=\"0\"><extensions><tp2:TrackPointExtension><tp2:atemp>21.5</tp2:atemp>"
        "<tp2:hr>141</tp2:hr><tp2:cad>88</tp2:cad><tp2:speed>5</tp2:speed><tp2:course>270.5</tp2:course>"
        "</tp2:TrackPointExtension></extensions></trkpt>"
        "<trkpt lat=\"0\" lon=\"0\"><extensions><tp1:TrackPointExtension><tp1:wtemp>12</tp1:wtemp>"
        "</tp1:TrackPointExtension></extensions></trkpt>"
        "<trkpt lat=\"0\" lon=\"0\"><extensions><gpxx:TrackPointExtension><gpxx:Temperature>-3.5</gpxx:Temperature>"
        "</gpxx:TrackPointExtension><gpxdata:hr>120</gpxdata:hr><gpxdata:cadence>90</gpxdata:cadence></extensions></trkpt>"
        "<trkpt lat=\"0\" lon=\"0\"><extensions><speed>2.5</speed><tp2:hr>fast</tp2:hr><tp2:cad>300</tp2:cad>"
        "</extensions></trkpt>"
        "</trkseg></trk>",
        "xmlns=\"http://www.topografix.com/GPX/1/1\" "
        "xmlns:tp2=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\" "
        "xmlns:tp1=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\" "
        "xmlns:gpxx=\"http://www.garmin.com/xmlschemas/GpxExtensions/v3\" "
        "xmlns:gpxdata=\"http://www.cluetrust.com/XML/GPXDATA/1/0\""));
    ASSERT_EQ(document.status, TrackLoaderI::Success) << document.error.toStdString();
    const TrackPointGpsParams& v2 = PointAt(document, 0, 0).GetGpsParams();
    EXPECT_FLOAT_EQ(v2.GetTemperature(), 21.5f);
    EXPECT_EQ(v2.GetTemperatureType(), TemperatureType::Air);
    EXPECT_EQ(v2.GetHeartRate(), 141);
    EXPECT_EQ(v2.GetCadence(), 88);
    EXPECT_NEAR(v2.GetGpsSpeed(), 18.0, 1e-5); // 5 m/s
    EXPECT_NEAR(v2.GetGpsAzimuth(), 270.5, 1e-5);
    const TrackPointGpsParams& v1 = PointAt(document, 0, 1).GetGpsParams();
    EXPECT_FLOAT_EQ(v1.GetTemperature(), 12.0f);
    EXPECT_EQ(v1.GetTemperatureType(), TemperatureType::Water);
    EXPECT_FALSE(v1.HasHeartRate());
    const TrackPointGpsParams& older = PointAt(document, 0, 2).GetGpsParams();
    EXPECT_FLOAT_EQ(older.GetTemperature(), -3.5f);
    EXPECT_EQ(older.GetHeartRate(), 120);
    EXPECT_EQ(older.GetCadence(), 90);
    // Values of foreign markup that do not fit are ignored, not fatal.
    const TrackPointGpsParams& odd = PointAt(document, 0, 3).GetGpsParams();
    EXPECT_NEAR(odd.GetGpsSpeed(), 9.0, 1e-5);
    EXPECT_FALSE(odd.HasHeartRate());
    EXPECT_FALSE(odd.HasCadence());
}

TEST(GpxReader, ReceiverValuesOfGpxElements)
{
    const GpxDocument document = GpxDocument::ReadBytes(Gpx(
        "<trk><trkseg>"
        "<trkpt lat=\"0\" lon=\"0\"><fix>dgps</fix><sat>9</sat><hdop>0.8</hdop><vdop>1.25</vdop><pdop>1.5</pdop></trkpt>"
        "<trkpt lat=\"0\" lon=\"0\"><fix>2D</fix></trkpt>"
        "<trkpt lat=\"0\" lon=\"0\"><fix>none</fix><speed>10</speed><course>45</course></trkpt>"
        "<trkpt lat=\"0\" lon=\"0\"><fix>rtk</fix><magvar>3</magvar><name>P4</name><sym>Dot</sym></trkpt>"
        "</trkseg></trk>"));
    ASSERT_EQ(document.status, TrackLoaderI::Success) << document.error.toStdString();
    const TrackPointGpsParams& full = PointAt(document, 0, 0).GetGpsParams();
    EXPECT_EQ(full.GetFixType(), PositionFixType::Dgps);
    EXPECT_EQ(full.GetSatCount(), 9);
    EXPECT_FLOAT_EQ(static_cast<float>(full.GetHdop()), 0.8f);
    EXPECT_DOUBLE_EQ(full.GetVdop(), 1.25);
    EXPECT_DOUBLE_EQ(full.GetPdop(), 1.5);
    EXPECT_EQ(PointAt(document, 0, 1).GetGpsParams().GetFixType(), PositionFixType::Fix2D);
    const TrackPointGpsParams& old = PointAt(document, 0, 2).GetGpsParams();
    EXPECT_EQ(old.GetFixType(), PositionFixType::NoFix);
    EXPECT_NEAR(old.GetGpsSpeed(), 36.0, 1e-5);
    EXPECT_DOUBLE_EQ(old.GetGpsAzimuth(), 45);
    // An unknown fix and the per-point data we do not keep leave nothing.
    EXPECT_TRUE(PointAt(document, 0, 3).GetGpsParams().IsEmpty());
}

TEST(GpxReader, TracksAndSegmentsMapToFoldersAndSegments)
{
    const GpxDocument document = GpxDocument::ReadBytes(Gpx(
        "<trk><trkseg><trkpt lat=\"1\" lon=\"1\"/></trkseg><trkseg/><trkseg><trkpt lat=\"2\" lon=\"2\"/></trkseg></trk>"
        "<trk><name>Empty</name><trkseg></trkseg></trk>"
        "<trk><name>  Named  </name><trkseg><trkpt lat=\"3\" lon=\"3\"/></trkseg></trk>"
        "<trk><trkpt lat=\"4\" lon=\"4\"/><trkpt lat=\"5\" lon=\"5\"/></trk>"));
    ASSERT_EQ(document.status, TrackLoaderI::Success) << document.error.toStdString();
    // Unnamed tracks are numbered by their place in the file; the empty
    // track and the empty segment are gone; points straight in a track get
    // a segment of their own.
    EXPECT_EQ(ChildNames(document, document.FileTid()),
              (QStringList{QStringLiteral("Track 1"), QStringLiteral("Named"), QStringLiteral("Track 4")}));
    const std::vector<int> segments = Segments(document);
    ASSERT_EQ(segments.size(), 4u);
    EXPECT_EQ(document.Reader().GetParent(segments[0]), document.Reader().GetParent(segments[1]));
    EXPECT_EQ(document.data->Get(segments[3])->GetPointCount(), 2);
    EXPECT_TRUE(document.Reader().GetNode(segments[0])->GetName().isEmpty());
}

TEST(GpxReader, RoutesAreTracksOnlyInFilesWithoutTrackPoints)
{
    const char* routes = "<rte><name>Way</name><rtept lat=\"1\" lon=\"2\"><ele>5</ele></rtept><rtept lat=\"3\" lon=\"4\"/></rte>"
                         "<rte><rtept lat=\"5\" lon=\"6\"><time>2020-01-01T00:00:00Z</time></rtept></rte>"
                         "<rte><name>No points</name></rte>";
    const GpxDocument routeFile = GpxDocument::ReadBytes(Gpx(routes));
    ASSERT_EQ(routeFile.status, TrackLoaderI::Success) << routeFile.error.toStdString();
    EXPECT_EQ(ChildNames(routeFile, routeFile.FileTid()), (QStringList{QStringLiteral("Way"), QStringLiteral("Route 2")}));
    EXPECT_DOUBLE_EQ(PointAt(routeFile, 0, 0).GetElevation(), 5);
    EXPECT_EQ(PointAt(routeFile, 1, 0).GetTime(), Time(2020, 1, 1));
    // The routes stay routes in the file too.
    EXPECT_NE(ExtrasHead(routeFile, routeFile.FileTid()).find("<name>No points</name>"), std::string::npos);

    const GpxDocument mixed = GpxDocument::ReadBytes(Gpx((std::string(routes) + kOnePoint).c_str()));
    ASSERT_EQ(mixed.status, TrackLoaderI::Success) << mixed.error.toStdString();
    EXPECT_EQ(ChildNames(mixed, mixed.FileTid()), QStringList{QStringLiteral("T")});
    EXPECT_NE(ExtrasHead(mixed, mixed.FileTid()).find("<name>Way</name>"), std::string::npos);
}

TEST(GpxReader, OurStatusExtensionMarksPoints)
{
    const GpxDocument document = GpxDocument::ReadBytes(Gpx(
        "<trk><trkseg>"
        "<trkpt lat=\"0\" lon=\"0\"><extensions><q:TrackPointStatus filtered=\"true\" reason=\"3\" modes=\"12\" penalty=\"7\"/>"
        "</extensions></trkpt>"
        "<trkpt lat=\"0\" lon=\"0\"><extensions><q:TrackPointStatus filtered=\"true\"/></extensions></trkpt>"
        "<trkpt lat=\"0\" lon=\"0\"><extensions><q:TrackPointStatus filtered=\"true\" reason=\"350091\"/>"
        "</extensions></trkpt>"
        "<trkpt lat=\"0\" lon=\"0\"><extensions><other:TrackPointStatus filtered=\"true\" reason=\"3\"/></extensions></trkpt>"
        "</trkseg></trk>",
        "xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:q=\"https://quorvel.org/xmlschemas/TrackPointStatus/1\" "
        "xmlns:other=\"urn:someone-else\""));
    ASSERT_EQ(document.status, TrackLoaderI::Success) << document.error.toStdString();
    const TrackPointStatus& full = PointAt(document, 0, 0).GetStatus();
    EXPECT_FALSE(full.IsValid());
    EXPECT_EQ(full.GetFilterReason(), 3);
    EXPECT_TRUE(full.IsInMode(TrackPointStatus::AddedByUser));
    EXPECT_TRUE(full.IsInMode(TrackPointStatus::TimeRegenerated));
    EXPECT_EQ(full.GetPenalty(), 7);
    EXPECT_FALSE(PointAt(document, 0, 1).GetStatus().IsValid());
    EXPECT_EQ(PointAt(document, 0, 1).GetStatus().GetFilterReason(), 0);
    // A scored reason keeps its score through a save and a reload.
    EXPECT_EQ(PointAt(document, 0, 2).GetStatus().GetFilterReason(), 350091);
    EXPECT_TRUE(PointAt(document, 0, 3).GetStatus().IsValid());
}

TEST(GpxReader, WhatTheTreeDoesNotModelStaysWithItsNode)
{
    const GpxDocument document = GpxDocument::ReadBytes(Gpx(
        "<metadata><name>Trip</name></metadata>"
        "<trk><name>T</name><desc>A &amp; B</desc><extensions><x:color>red</x:color></extensions>"
        "<trkseg><trkpt lat=\"1\" lon=\"2\"><name>dropped</name></trkpt><extensions><x:note>n</x:note></extensions></trkseg>"
        "</trk>"
        "<wpt lat=\"1\" lon=\"2\"><name>W</name></wpt>",
        "xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:x=\"urn:x\""));
    ASSERT_EQ(document.status, TrackLoaderI::Success) << document.error.toStdString();
    const int fileTid = document.FileTid();
    // GPX 1.1 order: metadata before waypoints, whatever the file's order.
    EXPECT_EQ(ExtrasHead(document, fileTid), "  <metadata>\n"
                                             "    <name>Trip</name>\n"
                                             "  </metadata>\n"
                                             "  <wpt lat=\"1\" lon=\"2\">\n"
                                             "    <name>W</name>\n"
                                             "  </wpt>\n");
    const int folderTid = document.Reader().GetChildren(fileTid).front();
    EXPECT_EQ(ExtrasHead(document, folderTid), "    <desc>A &amp; B</desc>\n"
                                               "    <extensions>\n"
                                               "      <x:color>red</x:color>\n"
                                               "    </extensions>\n");
    const auto& folderExtras = document.Reader().GetNode(folderTid)->GetExtras();
    ASSERT_EQ(folderExtras->namespaces.size(), 1u);
    EXPECT_EQ(folderExtras->namespaces.front().first, QByteArray("x"));
    EXPECT_EQ(folderExtras->namespaces.front().second, QByteArray("urn:x"));
    const auto& segmentExtras = document.Reader().GetNode(Segments(document).front())->GetExtras();
    ASSERT_TRUE(segmentExtras);
    EXPECT_EQ(segmentExtras->tail.toStdString(), "      <extensions>\n"
                                                 "        <x:note>n</x:note>\n"
                                                 "      </extensions>\n");
}

TEST(GpxReader, KeptMarkupKeepsMixedContentEscapesAndNamespaces)
{
    const GpxDocument document = GpxDocument::ReadBytes(Gpx(
        "<trk><extensions>"
        "<a:p a:k=\"say &quot;hi&quot;&#10;\">x<a:b>y</a:b>z &lt;<![CDATA[<raw>]]></a:p>"
        "<plain xmlns=\"\">unqualified</plain><gpxish>in GPX's namespace</gpxish>"
        "<d xmlns=\"urn:default\"><e/></d>"
        "<a:q xmlns:a=\"urn:other\"/>"
        "</extensions><trkseg><trkpt lat=\"0\" lon=\"0\"/></trkseg></trk>",
        "xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:a=\"urn:a\""));
    ASSERT_EQ(document.status, TrackLoaderI::Success) << document.error.toStdString();
    const int folderTid = document.Reader().GetChildren(document.FileTid()).front();
    // Mixed content keeps its text where it was; an element of no namespace
    // still says so; a default namespace, and a prefix the file binds to a second
    // namespace, get prefixes of their own.
    EXPECT_EQ(ExtrasHead(document, folderTid),
              "    <extensions>\n"
              "      <a:p a:k=\"say &quot;hi&quot;&#10;\">x<a:b>y</a:b>z &lt;&lt;raw&gt;</a:p>\n"
              "      <plain xmlns=\"\">unqualified</plain>\n"
              "      <gpxish>in GPX's namespace</gpxish>\n"
              "      <ns1:d>\n"
              "        <ns1:e/>\n"
              "      </ns1:d>\n"
              "      <a1:q/>\n"
              "    </extensions>\n");
    const auto& namespaces = document.Reader().GetNode(folderTid)->GetExtras()->namespaces;
    const std::vector<std::pair<QByteArray, QByteArray>> expected = {
        {"a", "urn:a"}, {"ns1", "urn:default"}, {"a1", "urn:other"}};
    EXPECT_EQ(namespaces, expected);
}

TEST(GpxReader, Windows1252NamesAreDecoded)
{
    const GpxDocument document = GpxDocument::ReadBytes(
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?><gpx><trk><name>Z\xfcrich \x80</name><trkseg>"
        "<trkpt lat=\"47.37\" lon=\"8.54\"/></trkseg></trk></gpx>");
    ASSERT_EQ(document.status, TrackLoaderI::Success) << document.error.toStdString();
    EXPECT_EQ(ChildNames(document, document.FileTid()), QStringList{QString::fromUtf8("Z\u00fcrich \u20ac")});
}
