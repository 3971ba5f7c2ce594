#include "GpxDocument.h"
#include "SaveLossCheck.h"
#include "TestSupport.h"
#include "XmlSchemaCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Every point child that we do not model, out of the schema's order, a GPX
// 1.0 url, a foreign extension in its own namespace declared on the point
// itself, and Garmin's heart rate and power, which we read.
const char* const kKeptEverything =
    "<gpx version=\"1.1\" creator=\"t\" xmlns=\"http://www.topografix.com/GPX/1/1\""
    " xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\""
    " xmlns:pwr=\"http://www.garmin.com/xmlschemas/PowerExtension/v1\">"
    "<trk><name>ride</name><trkseg>"
    "<trkpt lat=\"47.1\" lon=\"8.1\"><ele>410</ele><time>2024-05-01T10:00:00Z</time>"
    "<dgpsid>12</dgpsid><name>Start &amp; gate</name><magvar>2.5</magvar><geoidheight>48</geoidheight>"
    "<cmt>c</cmt><desc>d &lt;e&gt;</desc><src>s</src><link href=\"http://x.org/a?b=1&amp;c=2\"><text>t</text>"
    "<type>text/html</type></link><sym>Flag</sym><type>gate</type><fix>3d</fix><sat>7</sat>"
    "<hdop>1.5</hdop><ageofdgpsdata>3</ageofdgpsdata>"
    "<extensions><gpxtpx:TrackPointExtension><gpxtpx:hr>120</gpxtpx:hr></gpxtpx:TrackPointExtension>"
    "<pwr:PowerInWatts>250</pwr:PowerInWatts>"
    "<m:meter xmlns:m=\"urn:test:meter\" m:unit=\"w\"><m:left>48</m:left> and <m:right>52</m:right></m:meter>"
    "</extensions></trkpt>"
    "<trkpt lat=\"47.2\" lon=\"8.2\"><ele>411</ele><time>2024-05-01T10:00:01Z</time></trkpt>"
    "<trkpt lat=\"47.3\" lon=\"8.3\"><time>2024-05-01T10:00:02Z</time><sym>Dot</sym>"
    "<extensions><pwr:PowerInWatts>260</pwr:PowerInWatts></extensions></trkpt>"
    "<trkpt lat=\"47.4\" lon=\"8.4\"><name>no extensions</name></trkpt>"
    "</trkseg></trk></gpx>";

struct KeptText
{
    std::string fields;
    std::string dgps;
    std::string extensions;
    bool operator==(const KeptText&) const = default;
};

std::vector<KeptText> KeptOf(const GpxDocument& document, int segment)
{
    std::vector<KeptText> all;
    const TrackData& data = *document.data->Get(segment);
    for (const TrackPoint& point : data.GetPoints()) {
        const std::optional<PointMarkup> markup = data.FindMarkup(point.GetMarkupTag());
        all.push_back(markup ? KeptText{std::string(markup->fields), std::string(markup->dgps),
                                        std::string(markup->extensions)}
                             : KeptText{});
    }
    return all;
}

int FirstSegment(const GpxDocument& document)
{
    const int folder = document.Reader().GetChildren(document.FileTid()).front();
    return document.Reader().GetChildren(folder).front();
}

void ExpectSamePointsAndMarkup(const GpxDocument& a, const GpxDocument& b)
{
    EXPECT_EQ(a.data->Get(FirstSegment(a))->GetPoints(), b.data->Get(FirstSegment(b))->GetPoints());
    EXPECT_EQ(KeptOf(a, FirstSegment(a)), KeptOf(b, FirstSegment(b)));
}

} // namespace

TEST(GpxPointMarkup, UnmodelledPointDataIsKeptInSchemaOrderAndOnlyWhereThereIsSome)
{
    const GpxDocument original = GpxDocument::ReadBytes(kKeptEverything);
    ASSERT_EQ(original.status, TrackLoaderI::Success) << original.error.toStdString();
    const std::vector<KeptText> kept = KeptOf(original, FirstSegment(original));
    ASSERT_EQ(kept.size(), 4u);
    EXPECT_EQ(kept[0].fields, "<magvar>2.5</magvar><geoidheight>48</geoidheight><name>Start &amp; gate</name>"
                              "<cmt>c</cmt><desc>d &lt;e&gt;</desc><src>s</src>"
                              "<link href=\"http://x.org/a?b=1&amp;c=2\"><text>t</text><type>text/html</type></link>"
                              "<sym>Flag</sym><type>gate</type>");
    EXPECT_EQ(kept[0].dgps, "<ageofdgpsdata>3</ageofdgpsdata><dgpsid>12</dgpsid>");
    // The Garmin extensions are ours to write from the values read.
    EXPECT_EQ(kept[0].extensions, "<m:meter m:unit=\"w\"><m:left>48</m:left> and <m:right>52</m:right></m:meter>");
    const std::vector<TrackPoint>& points = original.data->Get(FirstSegment(original))->GetPoints();
    EXPECT_EQ(points[0].GetGpsParams().GetHeartRate(), 120);
    EXPECT_EQ(points[0].GetPower(), 250);
    EXPECT_EQ(kept[1], KeptText{});
    EXPECT_EQ(points[1].GetMarkupTag(), 0u);
    EXPECT_FALSE(points[1].HasPower());
    EXPECT_EQ(kept[2], (KeptText{"<sym>Dot</sym>", "", ""}));
    EXPECT_EQ(points[2].GetPower(), 260);
    EXPECT_EQ(kept[3], (KeptText{"<name>no extensions</name>", "", ""}));
}

TEST(GpxPointMarkup, SavedPointsReopenWithTheSameMarkupAndValidate)
{
    const GpxDocument original = GpxDocument::ReadBytes(kKeptEverything);
    ASSERT_EQ(original.status, TrackLoaderI::Success) << original.error.toStdString();
    const QByteArray saved = original.Save();
    EXPECT_TRUE(saved.contains("xmlns:pwr=\"http://www.garmin.com/xmlschemas/PowerExtension/v1\""));
    EXPECT_TRUE(saved.contains("=\"urn:test:meter\"")) << saved.toStdString();
    // One line per point: ele, time, kept fields, fix .. hdop, DGPS, extensions.
    EXPECT_TRUE(saved.contains("<time>2024-05-01T10:00:00Z</time><magvar>2.5</magvar>")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("<type>gate</type><fix>3d</fix><sat>7</sat><hdop>1.5</hdop>"
                               "<ageofdgpsdata>3</ageofdgpsdata><dgpsid>12</dgpsid><extensions>"));
    EXPECT_TRUE(saved.contains("</gpxtpx:TrackPointExtension><pwr:PowerInWatts>250</pwr:PowerInWatts>"))
        << saved.toStdString();

    const GpxDocument reopened = GpxDocument::ReadBytes(saved);
    ASSERT_EQ(reopened.status, TrackLoaderI::Success) << reopened.error.toStdString();
    ExpectSamePointsAndMarkup(original, reopened);
    EXPECT_EQ(reopened.Save(), saved);
    EXPECT_EQ(SchemaComplaint(XmlSchema::Gpx11, saved), QString());
}

TEST(GpxPointMarkup, MarkupFollowsPointsReversedAndMovedIntoNewArrays)
{
    const GpxDocument original = GpxDocument::ReadBytes(kKeptEverything);
    ASSERT_EQ(original.status, TrackLoaderI::Success) << original.error.toStdString();
    const int segment = FirstSegment(original);
    std::vector<KeptText> expected = KeptOf(original, segment);
    std::reverse(expected.begin(), expected.end());

    // Reversing works on the array in place; splitting and joining build
    // new arrays from the points, which must find their markup again.
    std::vector<TrackPoint> points = original.data->Get(segment)->GetPoints();
    std::reverse(points.begin(), points.end());
    const std::vector<TrackPoint> head(points.begin(), points.begin() + 2);
    auto rebuilt = std::make_shared<TrackData>(head);
    rebuilt->InsertPoints(2, std::vector<TrackPoint>(points.begin() + 2, points.end()));
    original.data->Add(segment, rebuilt);
    EXPECT_EQ(KeptOf(original, segment), expected);

    const QByteArray saved = original.Save();
    const GpxDocument reopened = GpxDocument::ReadBytes(saved);
    ASSERT_EQ(reopened.status, TrackLoaderI::Success) << reopened.error.toStdString();
    EXPECT_EQ(KeptOf(reopened, FirstSegment(reopened)), expected);
    EXPECT_EQ(SchemaComplaint(XmlSchema::Gpx11, saved), QString());
}

TEST(GpxPointMarkup, PointsWithoutUnmodelledDataCarryNoTable)
{
    QByteArray gpx = "<gpx version=\"1.1\" creator=\"t\" xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><trkseg>";
    for (int i = 0; i < 20000; ++i)
        gpx += "<trkpt lat=\"1\" lon=\"" + QByteArray::number(i * 1e-5) + "\"><ele>3</ele><extensions>"
               "<TrackPointExtension><hr>90</hr></TrackPointExtension></extensions></trkpt>";
    gpx += "</trkseg></trk></gpx>";
    const GpxDocument plain = GpxDocument::ReadBytes(gpx);
    ASSERT_EQ(plain.status, TrackLoaderI::Success) << plain.error.toStdString();
    const TrackData& data = *plain.data->Get(FirstSegment(plain));
    EXPECT_TRUE(data.GetMarkupTables().empty());
    EXPECT_TRUE(std::all_of(data.GetPoints().begin(), data.GetPoints().end(),
                            [](const TrackPoint& point) { return point.GetMarkupTag() == 0; }));
    // The tag lives in what was padding.
    EXPECT_LE(sizeof(TrackPoint), 80u);
}

TEST(GpxPointMarkup, TableGrowsWithTheKeptTextOnly)
{
    QByteArray gpx = "<gpx version=\"1.1\" creator=\"t\" xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><trkseg>";
    constexpr int kPoints = 10000;
    for (int i = 0; i < kPoints; ++i)
        gpx += "<trkpt lat=\"1\" lon=\"2\">\n  <name>P" + QByteArray::number(i % 10) + "</name>\n</trkpt>\n";
    gpx += "</trkseg></trk></gpx>";
    const GpxDocument named = GpxDocument::ReadBytes(gpx);
    ASSERT_EQ(named.status, TrackLoaderI::Success) << named.error.toStdString();
    const TrackData& data = *named.data->Get(FirstSegment(named));
    ASSERT_EQ(data.GetMarkupTables().size(), 1u);
    // "<name>Pn</name>" is 15 bytes, an index entry 16.
    const size_t perPoint = data.GetMarkupTables().front()->GetByteSize() / kPoints;
    EXPECT_LE(perPoint, 15u + 16u + 2u) << perPoint;
    EXPECT_GE(perPoint, 15u + 16u);
}

TEST(GpxPointMarkup, OtherFormatsReportThatTheyDropIt)
{
    const GpxDocument kept = GpxDocument::ReadBytes(kKeptEverything);
    const GpxDocument plain = GpxDocument::ReadBytes(
        "<gpx version=\"1.1\" creator=\"t\" xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><trkseg>"
        "<trkpt lat=\"1\" lon=\"2\"><time>2024-05-01T10:00:00Z</time></trkpt></trkseg></trk></gpx>");
    ASSERT_EQ(kept.status, TrackLoaderI::Success);
    ASSERT_EQ(plain.status, TrackLoaderI::Success);
    for (TrackFileType type : {TrackFileKml, TrackFileTcx, TrackFileGeoJson}) {
        // Also for a part of the file: the markup goes with the points.
        EXPECT_TRUE(SaveLossCheck::Find(type, kept.Reader(), FirstSegment(kept), *kept.data)
                        .Has(SaveLossCheck::PointMarkup));
        EXPECT_FALSE(SaveLossCheck::Find(type, plain.Reader(), plain.FileTid(), *plain.data)
                         .Has(SaveLossCheck::PointMarkup));
    }
    EXPECT_EQ(SaveLossCheck::Find(TrackFileGpx, kept.Reader(), kept.FileTid(), *kept.data).losses, 0u);
}
