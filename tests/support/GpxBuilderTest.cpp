#include "GpxBuilder.h"

#include "IsoTime.h"
#include "LoadManager.h"
#include "TestSupport.h"
#include "TrackTreeAlg.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

std::vector<double> Attributes(const QByteArray& text, const char* name)
{
    std::vector<double> values;
    const QRegularExpression pattern(QStringLiteral(" %1=\"([^\"]*)\"").arg(QLatin1String(name)));
    for (const QRegularExpressionMatch& match : pattern.globalMatch(QString::fromUtf8(text)))
        values.push_back(match.captured(1).toDouble());
    return values;
}

TEST(GpxBuilder, NumbersAreDecimalsThatReadBackAsTheSameDouble)
{
    const std::vector<double> lats{0.1, -89.99999999999, 1e-5, 47.0 + 300.0 / 111320.0, 0.0};
    const std::vector<double> lons{8.5, 179.99999999999997, -1e-9, 10.0 + 3 * 0.0001, -0.0};
    GpxBuilder gpx;
    for (size_t i = 0; i < lats.size(); ++i)
        gpx.Add(lats[i], lons[i], std::nullopt, 0.30000000000000004);
    const QByteArray text = gpx.Text();
    EXPECT_EQ(Attributes(text, "lat"), lats);
    EXPECT_EQ(Attributes(text, "lon"), lons);
    EXPECT_FALSE(text.contains("e-")) << text.toStdString();
    EXPECT_EQ(text.count("<ele>0.30000000000000004</ele>"), 5);
}

TEST(GpxBuilder, TracksSegmentsAndNamesNestAsAdded)
{
    const QByteArray text = GpxBuilder()
                                .Add(1, 2)
                                .Segment()
                                .Add(3, 4, QStringLiteral("2024-05-01T10:00:00Z"))
                                .Track(QStringLiteral("Day <1> & \"2\""))
                                .Add(GpxBuilder::Point{5, 6, std::nullopt, 7.5, QStringLiteral("P&1")})
                                .Text();
    EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\""));
    EXPECT_EQ(text.count("<trk>"), 2);
    EXPECT_EQ(text.count("<trkseg>"), 3);
    EXPECT_EQ(text.count("<trkpt "), 3);
    EXPECT_EQ(text.count("<time>"), 1);
    EXPECT_TRUE(text.contains("<name>Day &lt;1&gt; &amp; &quot;2&quot;</name>"));
    EXPECT_TRUE(text.contains("<ele>7.5</ele><name>P&amp;1</name></trkpt>"));
    EXPECT_TRUE(text.endsWith("</trk>\n</gpx>\n"));
    EXPECT_EQ(GpxBuilder().Text().count("<trk"), 0);
}

TEST(GpxBuilder, TimesAreUtcWithMillisecondsOnlyWhenThereAreAny)
{
    const QDateTime noon(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC);
    EXPECT_EQ(GpxBuilder::Iso(noon), QStringLiteral("2024-05-01T12:00:00Z"));
    EXPECT_EQ(GpxBuilder::Iso(noon.addMSecs(250)), QStringLiteral("2024-05-01T12:00:00.250Z"));
    EXPECT_EQ(GpxBuilder::Iso(noon.toOffsetFromUtc(7200)), QStringLiteral("2024-05-01T12:00:00Z"));
}

TEST(GpxBuilder, TheProgramReadsWhatItWrites)
{
    const QString path = GpxBuilder()
                             .Track(QStringLiteral("Morning"))
                             .Add(47.5, 8.25, QDateTime(QDate(2024, 5, 1), QTime(8, 0), Qt::UTC), 512.5)
                             .Add(47.5001, 8.2501, QStringLiteral("2024-05-01T08:00:10Z"))
                             .Segment()
                             .Add(47.6, 8.3)
                             .Track(QStringLiteral("Evening"))
                             .Add(47.7, 8.4, QStringLiteral("2024-05-01T18:00:00Z"), -3)
                             .Write(QDir(MakeTempDir()).filePath(QStringLiteral("day.gpx")));
    const LoadedTrackFile loaded = LoadManager().Load(path);
    ASSERT_EQ(loaded.status, TrackLoaderI::Success) << loaded.error.toStdString();
    const TrackTreeReaderPtr reader = loaded.tree.GetReader();
    const std::vector<int>& tracks = reader->GetChildren(loaded.fileTid);
    ASSERT_EQ(tracks.size(), 2u);
    EXPECT_EQ(reader->GetNode(tracks[0])->GetName(), QStringLiteral("Morning"));
    EXPECT_EQ(reader->GetNode(tracks[1])->GetName(), QStringLiteral("Evening"));
    std::vector<int> segments;
    TrackTreeAlg(reader.get()).GetSubsegmentIds(loaded.fileTid, segments);
    ASSERT_EQ(segments.size(), 3u);
    const std::vector<TrackPoint>& first = loaded.data->Get(segments[0])->GetPoints();
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].GetLat(), 47.5);
    EXPECT_EQ(first[0].GetLon(), 8.25);
    EXPECT_EQ(first[0].GetElevation(), 512.5);
    EXPECT_EQ(first[0].GetTime(), IsoTime::Parse("2024-05-01T08:00:00Z"));
    EXPECT_EQ(first[1].GetLon(), 8.2501);
    EXPECT_FALSE(first[1].HasElevation());
    EXPECT_EQ(first[1].GetTime(), IsoTime::Parse("2024-05-01T08:00:10Z"));
    const TrackPoint& untimed = loaded.data->Get(segments[1])->GetTrackPoint(0);
    EXPECT_TRUE(untimed.GetTime().IsNull());
    EXPECT_EQ(loaded.data->Get(segments[2])->GetTrackPoint(0).GetElevation(), -3);
}

} // namespace
