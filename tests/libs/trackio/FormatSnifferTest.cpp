#include "FormatSniffer.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

namespace {

TrackFileType DetectFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return FormatSniffer::Detect(file.read(FormatSniffer::HeadBytes));
}

} // namespace

TEST(FormatSniffer, EveryFixtureIsRecognisedByItsContent)
{
    const QDir root(FixturePath(QString()));
    const std::map<QString, TrackFileType> byFolder = {
        {QStringLiteral("gpx"), TrackFileGpx}, {QStringLiteral("tcx"), TrackFileTcx},
        {QStringLiteral("kml"), TrackFileKml}, {QStringLiteral("nmea"), TrackFileNmea},
        {QStringLiteral("plt"), TrackFileOzi}, {QStringLiteral("magellan"), TrackFileMagellanSd},
        {QStringLiteral("fit"), TrackFileFit}, {QStringLiteral("igc"), TrackFileIgc},
        {QStringLiteral("geojson"), TrackFileGeoJson},
    };
    int checked = 0;
    for (const auto& [folder, expected] : byFolder) {
        QDirIterator it(FixturePath(folder), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (QFileInfo(path).size() == 0)
                continue;
            // A truncated GPX still starts like one; only empty files are unknown.
            EXPECT_EQ(DetectFile(path), expected) << root.relativeFilePath(path).toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 120);
}

TEST(FormatSniffer, NamesDoNotMatterOnlyContent)
{
    EXPECT_EQ(FormatSniffer::Detect("<?xml version=\"1.0\"?>\n<!-- a <gpx> in a comment -->\n<kml xmlns=\"x\">"), TrackFileKml);
    EXPECT_EQ(FormatSniffer::Detect("\xEF\xBB\xBF<gpx version=\"1.1\">"), TrackFileGpx);
    EXPECT_EQ(FormatSniffer::Detect("  \r\n<gpx:gpx xmlns:gpx=\"http://www.topografix.com/GPX/1/1\">"), TrackFileGpx);
    EXPECT_EQ(FormatSniffer::Detect("<?xml version=\"1.0\"?><!DOCTYPE x><TrainingCenterDatabase>"), TrackFileTcx);
    EXPECT_EQ(FormatSniffer::Detect("<html><body>not a track</body></html>"), TrackFileAll);
    EXPECT_EQ(FormatSniffer::Detect("# logger v2\n12:00:01 $GPRMC,120001,A,4807.038,N,01131.000,E,0.0,0.0,010524,,*00\n"), TrackFileNmea);
    EXPECT_EQ(FormatSniffer::Detect("$PMGNTRK,4231.829,N,08807.303,W,00210,M,032908.38,A,,070898*64\n"), TrackFileMagellanSd);
    EXPECT_EQ(FormatSniffer::Detect("OziExplorer Track Point File Version 2.1\r\nWGS 84\r\n"), TrackFileOzi);
    EXPECT_EQ(FormatSniffer::Detect(QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)), TrackFileAll);
    EXPECT_EQ(FormatSniffer::Detect(QByteArray()), TrackFileAll);
    EXPECT_EQ(FormatSniffer::Detect("price $12,50"), TrackFileAll);
}

TEST(FormatSniffer, GeoJsonByATypeMemberKmzByTheZipSignature)
{
    EXPECT_EQ(FormatSniffer::Detect("{\"type\":\"FeatureCollection\",\"features\":[]}"), TrackFileGeoJson);
    EXPECT_EQ(FormatSniffer::Detect("\xEF\xBB\xBF {\n  \"features\": [{\"geometry\": {\"type\" : \"LineString\"}}]"),
              TrackFileGeoJson);
    EXPECT_EQ(FormatSniffer::Detect("{\"type\": \"MultiLineString\", \"coordinates\": []}"), TrackFileGeoJson);
    EXPECT_EQ(FormatSniffer::Detect("{\"type\": \"Topology\", \"arcs\": []}"), TrackFileAll) << "another JSON";
    EXPECT_EQ(FormatSniffer::Detect("{\"name\": \"Feature\"}"), TrackFileAll) << "a value, not a type";
    EXPECT_EQ(FormatSniffer::Detect(QByteArray("PK\x03\x04\x14\0\0\0", 8)), TrackFileKmz);
    EXPECT_EQ(FormatSniffer::Detect(QByteArray("PK\x05\x06", 4)), TrackFileAll) << "an empty zip holds no KML";
}

TEST(FormatSniffer, FitByItsSignatureIgcByItsFirstLines)
{
    // A FIT header: its size, the protocol and profile versions, the data
    // size, ".FIT"; the name (.fit, .FIT or none) plays no part.
    EXPECT_EQ(FormatSniffer::Detect(QByteArray("\x0E\x10\x43\x08\x00\x01\x00\x00.FIT\x00\x00", 14)), TrackFileFit);
    EXPECT_EQ(FormatSniffer::Detect(QByteArray("\x0C\x10\x43\x08\x00\x01\x00\x00.FIT", 12)), TrackFileFit);
    EXPECT_EQ(FormatSniffer::Detect(QByteArray("\x0C\x10\x43\x08\x00\x01\x00\x00.GIT", 12)), TrackFileAll);
    EXPECT_EQ(FormatSniffer::Detect(QByteArray("\x0C\x10\x43\x08\x00\x01\x00.FIT", 11)), TrackFileAll);
    EXPECT_EQ(FormatSniffer::Detect(QByteArray("\x02\x10\x43\x08\x00\x01\x00\x00.FIT", 12)), TrackFileAll);

    EXPECT_EQ(FormatSniffer::Detect("AXXXABCFLIGHT:1\r\nHFFXA035\r\nHFDTE160701\r\n"), TrackFileIgc);
    EXPECT_EQ(FormatSniffer::Detect("AXXXZZZ\nHFDTEDATE:210817,01\n"), TrackFileIgc);
    EXPECT_EQ(FormatSniffer::Detect("AXXXZZZ\nB1700054815976N00830932EA0000000768\n"), TrackFileIgc);
    EXPECT_EQ(FormatSniffer::Detect("A list of things\nBread\nHFDTE\n"), TrackFileAll);
    EXPECT_EQ(FormatSniffer::Detect("HFDTE160701\nB1700054815976N00830932EA0000000768\n"), TrackFileAll)
        << "the A record comes first";
}
