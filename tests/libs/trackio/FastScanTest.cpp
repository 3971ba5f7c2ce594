#include "FastScanComparison.h"
#include "FormatSniffer.h"
#include "GpxBuilder.h"
#include "TestSupport.h"

#include "GpxLoader.h"
#include "OperationProgress.h"
#include "TrackDataSet.h"
#include "TrackTree.h"

#include <QBuffer>
#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw MissingTestFile(path);
    return file.readAll();
}

TrackFileType TypeOf(const QByteArray& bytes)
{
    return FormatSniffer::Detect(bytes.left(FormatSniffer::HeadBytes));
}

// The files under folder in a format the fast scanner reads, by content as
// opening finds them.
QStringList XmlFilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (FastScanComparison::Covers(TypeOf(ReadAll(path))))
            files.append(path);
    }
    files.sort();
    return files;
}

FastScanComparison RunGpx(const QByteArray& bytes, size_t chunkBytes = FastXmlScanner::DefaultChunkBytes)
{
    return FastScanComparison::Run(TrackFileGpx, bytes, chunkBytes);
}

QString SeedsDir(const QString& kind)
{
    return QStringLiteral(FUZZ_SEEDS "/") + kind;
}

QByteArray RichFile()
{
    return ReadAll(SeedsDir(QStringLiteral("fastscan")) + QStringLiteral("/namespaces.gpx"));
}

// A track of random points with the odd name, time and elevation missing.
QByteArray RandomTrack(unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> lat(-89.9, 89.9), lon(-179.9, 179.9), ele(-400, 8800);
    GpxBuilder builder;
    QDateTime time = QDateTime::fromSecsSinceEpoch(1600000000 + seed, Qt::UTC);
    const int tracks = 1 + static_cast<int>(random() % 3);
    for (int t = 0; t < tracks; ++t) {
        builder.Track(random() % 2 ? QStringLiteral("Ride <%1> & \"more\"").arg(t) : QString());
        const int segments = 1 + static_cast<int>(random() % 3);
        for (int s = 0; s < segments; ++s) {
            builder.Segment();
            const int points = static_cast<int>(random() % 300);
            for (int p = 0; p < points; ++p) {
                time = time.addMSecs(static_cast<qint64>(random() % 5000));
                GpxBuilder::Point point;
                point.lat = lat(random);
                point.lon = lon(random);
                if (random() % 8)
                    point.time = GpxBuilder::Iso(time);
                if (random() % 8)
                    point.elevation = ele(random);
                if (random() % 50 == 0)
                    point.name = QStringLiteral("Stop & go %1").arg(p);
                builder.Add(point);
            }
        }
    }
    return builder.Text();
}

QByteArray Track(const QByteArray& points)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
           "<trk><trkseg>\n" +
           points + "\n</trkseg></trk>\n</gpx>\n";
}

const QByteArray Point = "<trkpt lat=\"1\" lon=\"2\"><ele>3</ele></trkpt>";

} // namespace

TEST(FastScan, EveryXmlFixtureSeedAndRegressionReadsAlikeBothWays)
{
    QStringList files = XmlFilesUnder(FixturesDir());
    const int fixtures = static_cast<int>(files.size());
    files += XmlFilesUnder(QStringLiteral(TRACKIO_TEST_DATA "/regressions"));
    files += XmlFilesUnder(QStringLiteral(FUZZ_SEEDS));
    ASSERT_GT(fixtures, 40);
    int fastFixtures = 0;
    QStringList declined;
    for (int i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].toStdString());
        const QByteArray bytes = ReadAll(files[i]);
        const FastScanComparison comparison = FastScanComparison::Run(TypeOf(bytes), bytes);
        EXPECT_EQ(comparison.difference, "");
        if (!comparison.fastRead) {
            declined.append(files[i]);
        } else if (i < fixtures) {
            ++fastFixtures;
        }
        // Our own seeds hold only what the fast scanner reads itself.
        if (files[i].contains(QStringLiteral("/fastscan/"))) {
            EXPECT_TRUE(comparison.fastRead);
        }
    }
    // Real files are nearly all of the plain shape: a fast path that
    // declines them would be no fast path.
    EXPECT_GE(fastFixtures * 10, fixtures * 9) << "declined: " << declined.join(QStringLiteral("\n")).toStdString();
}

TEST(FastScan, GeneratedTracksAreReadFastAndAlike)
{
    long long readAhead = 0;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        const FastScanComparison comparison = RunGpx(RandomTrack(seed));
        EXPECT_EQ(comparison.difference, "");
        EXPECT_TRUE(comparison.fastRead);
        EXPECT_TRUE(comparison.loaded);
        readAhead += comparison.pointsReadAhead;
    }
    // A second thread that never got a run taken would prove nothing.
    EXPECT_GT(readAhead, 1000);
}

TEST(FastScan, PointsReadAheadAreTakenOnlyWherePointsOfASegmentAre)
{
    const QByteArray plain = "<trkpt lat=\"46.5\" lon=\"7.25\">\n <ele>512.5</ele>\n <time>2024-05-18T07:30:00Z</time>\n</trkpt>";
    const QByteArray run = (plain + "\n").repeated(6);
    const QByteArray kept = "<trkpt lat=\"46.6\" lon=\"7.3\"><name>Hut</name><ele>600</ele></trkpt>";
    const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    const struct
    {
        const char* what;
        QByteArray bytes;
        bool someReadAhead;
    } cases[] = {
        {"segments of plain points and points with kept markup",
         head + "<trk><trkseg>\n" + run + kept + run + "</trkseg><trkseg>" + run + "</trkseg></trk></gpx>\n", true},
        {"text in a segment before a run, and its extensions after",
         head + "<trk><trkseg>stray " + run + "<extensions><x:a xmlns:x=\"urn:x\">1</x:a></extensions>" +
             "</trkseg></trk></gpx>\n",
         true},
        {"points in a comment, in CDATA and in a segment's extensions",
         head + "<trk><name><![CDATA[" + run + "]]></name><trkseg>" + run + "<!--\n" + run + "-->" + run +
             "<extensions>" + run + "</extensions></trkseg></trk></gpx>\n",
         true},
        {"points straight in a track and in a route",
         head + "<rte>" + QByteArray(run).replace("trkpt", "rtept") + "</rte><trk>" + run + "</trk></gpx>\n", false},
        {"points of another namespace and of a prefixed one",
         head + "<trk><trkseg xmlns=\"urn:other\">" + run + "</trkseg><x:trkseg xmlns:x=\"urn:x\">" + run +
             QByteArray(run).replace("<trkpt", "<x:trkpt").replace("</trkpt", "</x:trkpt") +
             "</x:trkseg></trk></gpx>\n",
         true},
        {"a bad elevation and a bad time after runs",
         head + "<trk><trkseg>" + run + QByteArray(plain).replace("512.5", "high") + run + "</trkseg></trk></gpx>",
         true},
        {"a bad time and a latitude out of range",
         head + "<trk><trkseg>" + run + QByteArray(plain).replace("07:30", "7:3") + run +
             QByteArray(plain).replace("46.5", "91") + "</trkseg></trk></gpx>",
         true},
        {"CR LF lines", QByteArray(head + "<trk><trkseg>" + run + "</trkseg></trk></gpx>").replace("\n", "\r\n"), false},
        {"a file cut in a run", QByteArray(head + "<trk><trkseg>" + run + run).left(head.size() + 13 + run.size() + 90),
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        long long readAhead = 0;
        for (const long long stretch : {1LL, 37LL, 61LL, 250LL, 1LL << 20}) {
            for (const size_t chunk : {size_t(7), size_t(64), FastXmlScanner::DefaultChunkBytes}) {
                const FastScanComparison comparison = FastScanComparison::Run(TrackFileGpx, c.bytes, chunk, stretch);
                EXPECT_EQ(comparison.difference, "") << "stretch " << stretch << ", chunk " << chunk;
                readAhead += comparison.pointsReadAhead;
            }
        }
        EXPECT_EQ(readAhead > 0, c.someReadAhead);
    }
}

TEST(FastScan, PointsReadAheadComeFromTheOpenFileThoughItsNameNowNamesAnother)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ride.gpx"));
    const QString other = dir.filePath(QStringLiteral("other.gpx"));
    const QByteArray first = RandomTrack(7);
    for (const auto& [name, bytes] : {std::pair{path, first}, std::pair{other, RandomTrack(8)}}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QFile opened(path);
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    // As when the file is saved over while it loads.
    ASSERT_EQ(std::rename(other.toLocal8Bit().constData(), path.toLocal8Bit().constData()), 0);

    const auto pointsOf = [](QIODevice& device, bool readAhead, long long& pointsReadAhead) {
        GpxLoader loader;
        loader.GetEngine().SetFastAllowed(readAhead);
        loader.GetEngine().SetReadAhead(61, 0);
        TrackTree tree;
        TrackDataSetImpl data;
        OperationProgress progress;
        std::vector<TrackPoint> points;
        if (loader.Read(device, QStringLiteral("input"), *tree.GetCreator(), data, progress) == TrackLoaderI::Success) {
            for (const auto& [tid, segment] : data.GetAll())
                points.insert(points.end(), segment->GetPoints().begin(), segment->GetPoints().end());
        }
        pointsReadAhead = loader.GetEngine().PointsReadAhead();
        return points;
    };
    long long readAhead = 0;
    const std::vector<TrackPoint> read = pointsOf(opened, true, readAhead);
    EXPECT_GT(readAhead, 0);
    QByteArray copy = first;
    QBuffer plain(&copy);
    plain.open(QIODevice::ReadOnly);
    const std::vector<TrackPoint> expected = pointsOf(plain, false, readAhead);
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(read == expected);
}

TEST(FastScan, ReadsEndingInsideEveryKindOfMarkupChangeNothing)
{
    const QByteArray rich = RichFile();
    const QByteArray crlf = ReadAll(SeedsDir(QStringLiteral("fastscan")) + QStringLiteral("/crlf.gpx"));
    const QByteArray tcx = ReadAll(SeedsDir(QStringLiteral("tcx")) + QStringLiteral("/small.tcx"));
    const QByteArray kml = ReadAll(SeedsDir(QStringLiteral("kml")) + QStringLiteral("/small.kml"));
    for (size_t chunk = 1; chunk <= 41; chunk += 2) {
        SCOPED_TRACE(chunk);
        for (const QByteArray& bytes : {rich, crlf, RandomTrack(99), tcx, kml}) {
            const FastScanComparison comparison = FastScanComparison::Run(TypeOf(bytes), bytes, chunk);
            EXPECT_EQ(comparison.difference, "");
            EXPECT_TRUE(comparison.fastRead);
        }
    }
}

TEST(FastScan, FailuresOfTheReadersAreTheFastScannersOwnWithExpatsLines)
{
    const QByteArray deep = QByteArray("<extensions>") + QByteArray("<a>").repeated(300) +
                            QByteArray("</a>").repeated(300) + "</extensions>";
    const QByteArray kml = ReadAll(SeedsDir(QStringLiteral("kml")) + QStringLiteral("/small.kml"));
    const QByteArray tcx = ReadAll(SeedsDir(QStringLiteral("tcx")) + QStringLiteral("/small.tcx"));
    const struct
    {
        const char* what;
        QByteArray bytes;
        TrackFileType type = TrackFileGpx;
    } cases[] = {
        {"a latitude out of range", Track(Point + "\n\n<trkpt lat=\"91\" lon=\"2\"/>")},
        {"a KML coordinate that is not one, lines into its element",
         QByteArray(kml).replace("8.27,47.7,1e2", "8.27,47.7,1e2\r\n\r\n8.28,north").replace("\n", "\r\n"), TrackFileKml},
        {"a TCX latitude that is not one", QByteArray(tcx).replace("<LatitudeDegrees>47.5", "<LatitudeDegrees>x47.5"),
         TrackFileTcx},
        {"a bad elevation after CR LF lines",
         Track(Point + "\r\n\r\n<trkpt lat=\"1\" lon=\"2\">\r\n<ele>high</ele></trkpt>").replace("\n", "\r\n")},
        {"a bad time after lone CRs", Track(QByteArray("\r\r") + "<trkpt lat=\"1\" lon=\"2\"><time>\rnoon</time></trkpt>")},
        {"nesting too deep", Track("<trkpt lat=\"1\" lon=\"2\">" + deep + "</trkpt>")},
        {"no latitude", Track("<trkpt lon=\"2\"/>")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const size_t chunk : {size_t(7), FastXmlScanner::DefaultChunkBytes}) {
            const FastScanComparison comparison = FastScanComparison::Run(c.type, c.bytes, chunk);
            EXPECT_EQ(comparison.difference, "");
            EXPECT_TRUE(comparison.fastRead);
            EXPECT_FALSE(comparison.loaded);
        }
    }
}

TEST(FastScan, DeclinesWhatItDoesNotKnowAndExpatReadsIt)
{
    const struct
    {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"a DOCTYPE", "<!DOCTYPE gpx [<!ENTITY here \"Bern\">]>\n" + Track(Point + "<!-- &here; -->")},
        {"an entity of the DTD", "<!DOCTYPE gpx [<!ENTITY here \"Bern\">]><gpx><trk><name>&here;</name><trkseg>" +
                                     Point + "</trkseg></trk></gpx>"},
        {"an unknown entity", Track(Point).replace("<trkseg>", "<name>&nbsp;</name><trkseg>")},
        {"a processing instruction in a point", Track("<trkpt lat=\"1\" lon=\"2\"><?pi x?></trkpt>")},
        {"windows-1252", QByteArray("<?xml version=\"1.0\" encoding=\"windows-1252\"?><gpx><trk><name>Z\xfc"
                                    "rich</name><trkseg>") +
                             Point + "</trkseg></trk></gpx>"},
        {"UTF-8 that is not", Track(Point).replace("<trkseg>", "<name>\xc3\x28</name><trkseg>")},
        {"a surrogate in UTF-8", Track(Point).replace("<trkseg>", "<name>\xed\xa0\x80</name><trkseg>")},
        {"a control character", Track(Point).replace("<trkseg>", "<name>a\x01</name><trkseg>")},
        {"an unbound prefix", Track("<trkpt lat=\"1\" lon=\"2\"><x:y/></trkpt>")},
        {"a repeated attribute", Track("<trkpt lat=\"1\" lat=\"1\" lon=\"2\"/>")},
        {"tags that do not match", Track("<trkpt lat=\"1\" lon=\"2\"></trkseg>")},
        {"text after the root", Track(Point) + "junk"},
        {"a second root", Track(Point) + "<gpx/>"},
        {"]]> in text", Track(Point).replace("<trkseg>", "<name>a]]>b</name><trkseg>")},
        {"a cut-off file", Track(Point).left(70)},
        {"an unfinished CDATA", Track(Point).replace("<trkseg>", "<name><![CDATA[a]></name><trkseg>")},
        {"a -- inside a comment", Track(Point + "<!-- a -- b -->")},
        {"a non-ASCII name", Track(Point).replace("<trkseg>", "<n\xc3\xa4me/><trkseg>")},
        {"an attribute without quotes", Track("<trkpt lat=1 lon=\"2\"/>")},
        {"a < in an attribute", Track("<trkpt lat=\"1\" lon=\"2\" x=\"<\"/>")},
        {"xml:lang", Track(Point).replace("<trkseg>", "<name xml:lang=\"de\">Weg</name><trkseg>")},
        {"version 1.1", Track(Point).replace("version=\"1.0\"", "version=\"1.1\"")},
        {"an empty file", QByteArray()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const FastScanComparison comparison = RunGpx(c.bytes);
        EXPECT_EQ(comparison.difference, "");
        EXPECT_FALSE(comparison.fastRead);
    }
}

TEST(FastScan, EveryCutAndChangedByteOfARichFileReadsAlike)
{
    const QByteArray rich = RichFile();
    int fast = 0;
    int runs = 0;
    const auto check = [&](const QByteArray& bytes, const std::string& what) {
        const FastScanComparison comparison = RunGpx(bytes);
        EXPECT_EQ(comparison.difference, "") << what;
        fast += comparison.fastRead ? 1 : 0;
        ++runs;
    };
    for (qsizetype length = 0; length < rich.size(); ++length)
        check(rich.left(length), "cut at " + std::to_string(length));
    const QByteArray replacements[] = {"", "<", "&", "\"", "\r", "\xc3", ":", " ", "x", ">"};
    for (qsizetype at = 0; at < rich.size(); ++at) {
        for (const QByteArray& replacement : replacements) {
            QByteArray changed = rich;
            changed.replace(at, 1, replacement);
            check(changed, "byte " + std::to_string(at) + " made \"" + replacement.toStdString() + "\"");
        }
    }
    // Most changes leave a file the fast scanner still reads itself.
    EXPECT_GT(fast * 4, runs);
}

TEST(FastScan, SegmentsShortAndLongInAnyOrderReadAlikeAndKeepLittleUnusedRoom)
{
    // Each segment's array is first sized from the segments before it, and
    // one that outgrows that is sized again for the rest of the file.
    const std::vector<int> lengths = {300, 6000, 40, 700, 20000, 260, 2000, 2000, 2000, 2000};
    GpxBuilder builder;
    builder.Track(QString());
    int n = 0;
    for (const int length : lengths) {
        builder.Segment();
        for (int p = 0; p < length; ++p, ++n) {
            GpxBuilder::Point point;
            point.lat = -60 + n * 0.001;
            point.lon = 10 + p * 0.0001;
            point.time = GpxBuilder::Iso(QDateTime::fromSecsSinceEpoch(1600000000 + n, Qt::UTC));
            builder.Add(point);
        }
    }
    const QByteArray bytes = builder.Text();
    for (const long long stretch : {61LL, 1LL << 16}) {
        const FastScanComparison comparison = FastScanComparison::Run(TrackFileGpx, bytes, FastXmlScanner::DefaultChunkBytes, stretch);
        EXPECT_EQ(comparison.difference, "") << "stretch " << stretch;
        EXPECT_GT(comparison.pointsReadAhead, 0);
    }

    for (const bool readAhead : {false, true}) {
        SCOPED_TRACE(readAhead ? "read ahead" : "expat only");
        GpxLoader loader;
        loader.GetEngine().SetFastAllowed(readAhead);
        loader.GetEngine().SetReadAhead(1 << 16, 0);
        TrackTree tree;
        TrackDataSetImpl data;
        OperationProgress progress;
        QByteArray copy = bytes;
        QBuffer device(&copy);
        device.open(QIODevice::ReadOnly);
        ASSERT_EQ(loader.Read(device, QStringLiteral("input"), *tree.GetCreator(), data, progress), TrackLoaderI::Success);
        std::vector<const TrackData*> segments;
        for (const auto& [tid, segment] : data.GetAll())
            segments.push_back(segment.get());
        std::sort(segments.begin(), segments.end(), [](const TrackData* a, const TrackData* b) {
            return a->GetTrackPoint(0).GetLat() < b->GetTrackPoint(0).GetLat();
        });
        ASSERT_EQ(segments.size(), lengths.size());
        n = 0;
        for (size_t s = 0; s < segments.size(); ++s) {
            const std::vector<TrackPoint>& points = segments[s]->GetPoints();
            ASSERT_EQ(points.size(), static_cast<size_t>(lengths[s])) << s;
            for (int p = 0; p < lengths[s]; ++p, ++n)
                ASSERT_EQ(points[static_cast<size_t>(p)].GetTime().GetMicroseconds(), (1600000000LL + n) * 1000000) << s << " " << p;
            // Room never written costs addresses only, but no more than a
            // few times the points'; short segments after long ones are
            // left with about none.
            EXPECT_LE(points.capacity(), points.size() * 9 + 64) << s;
        }
    }
}

TEST(FastScan, ShortSegmentsAndOddPointsLeaveTheReadingSharedByBothThreads)
{
    // Segments far shorter than a stretch, and a named point now and then:
    // each ends a run, and the thread goes on with the next in its stretch.
    GpxBuilder builder;
    builder.Track(QString());
    long long points = 0;
    for (int s = 0; s < 300; ++s) {
        builder.Segment();
        for (int p = 0; p < 40; ++p, ++points) {
            GpxBuilder::Point point;
            point.lat = 45 + points * 1e-5;
            point.lon = 7 + p * 1e-5;
            point.elevation = 400 + p;
            point.time = GpxBuilder::Iso(QDateTime::fromSecsSinceEpoch(1700000000 + points, Qt::UTC));
            if (p == 25)
                point.name = QStringLiteral("Bench");
            builder.Add(point);
        }
    }
    const FastScanComparison comparison =
        FastScanComparison::Run(TrackFileGpx, builder.Text(), FastXmlScanner::DefaultChunkBytes, 16 << 10);
    EXPECT_EQ(comparison.difference, "");
    EXPECT_TRUE(comparison.fastRead);
    // The two take turns a stretch at a time, so about half.
    EXPECT_GT(comparison.pointsReadAhead, points * 2 / 5);
    EXPECT_LT(comparison.pointsReadAhead, points * 3 / 5);
}
