#include "IsoTime.h"
#include "LoadedFile.h"
#include "OziLoader.h"

#include <gtest/gtest.h>

namespace {

QByteArray Header(const QByteArray& datum = "WGS 84", const QByteArray& track = "0,2,255,My Track,0,0,2,8421376",
                  const QByteArray& count = "3")
{
    return "OziExplorer Track Point File Version 2.1\r\n" + datum + "\r\nAltitude is in Feet\r\nReserved 3\r\n" + track
        + "\r\n" + count + "\r\n";
}

std::string Iso(const Time& time)
{
    return IsoTime::Format(time);
}

} // namespace

TEST(OziLoader, PointsSegmentsAndUnits)
{
    OziLoader loader;
    const LoadedFile file = LoadedFile::ReadBytes(loader, Header() +
        "  47.466222,   3.747318,0, 1000.0,39307.3279977, 13-aout-07, 07:52:19\r\n"
        "  47.466150,  -3.747233,0, -777,39307.3281134, 13-aout-07, 07:52:28\r\n"
        " -47.466130,   3.747113,1,   -1.5,39307.3282292,,\r\n"
        "  47.466078,   3.747023,0,,,,\r\n"
        "\r\n");
    ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
    EXPECT_EQ(file.folderPaths, QStringList{QStringLiteral("My Track")});
    EXPECT_EQ(file.PointsPerSegment(), (std::vector<int>{2, 2})) << "the break flag starts a segment";
    const TrackData& first = *file.segments[0].points;
    const TrackData& second = *file.segments[1].points;
    EXPECT_DOUBLE_EQ(first.GetTrackPoint(0).GetLat(), 47.466222);
    EXPECT_DOUBLE_EQ(first.GetTrackPoint(0).GetLon(), 3.747318);
    EXPECT_DOUBLE_EQ(first.GetTrackPoint(0).GetElevation(), 304.8) << "1000 feet";
    EXPECT_FALSE(first.GetTrackPoint(1).HasElevation()) << "-777 means none";
    EXPECT_DOUBLE_EQ(first.GetTrackPoint(1).GetLon(), -3.747233);
    EXPECT_DOUBLE_EQ(second.GetTrackPoint(0).GetElevation(), -1.5 * 0.3048) << "below sea level";
    EXPECT_DOUBLE_EQ(second.GetTrackPoint(0).GetLat(), -47.466130);
    EXPECT_FALSE(second.GetTrackPoint(1).HasElevation()) << "an empty altitude";
    // 39307 days after 1899-12-30 is 2007-08-13; .3279977 of a day is
    // 07:52:19.0013, within the count's precision of the whole second.
    EXPECT_EQ(Iso(first.GetTrackPoint(0).GetTime()), "2007-08-13T07:52:19Z");
    EXPECT_EQ(Iso(first.GetTrackPoint(1).GetTime()), "2007-08-13T07:52:29Z");
    EXPECT_TRUE(second.GetTrackPoint(1).GetTime().IsNull());
}

TEST(OziLoader, PointCountLineIsNotTrusted)
{
    OziLoader loader;
    const QByteArray points = "1.0,2.0,0,0,0\r\n1.1,2.0,0,0,0\r\n";
    EXPECT_EQ(LoadedFile::ReadBytes(loader, Header("WGS 84", "0,2,255,x,0,0,2,0", "100") + points).PointCount(), 2);
    EXPECT_EQ(LoadedFile::ReadBytes(loader, Header("WGS 84", "0,2,255,x,0,0,2,0", "0") + points).PointCount(), 2);
    EXPECT_EQ(LoadedFile::ReadBytes(loader, Header("WGS 84", "0,2,255,x,0,0,2,0", "junk") + points).PointCount(), 2);
}

TEST(OziLoader, TimesFromDayCountOrIsoText)
{
    OziLoader loader;
    const LoadedFile file = LoadedFile::ReadBytes(loader, Header() +
        "1.0,2.0,0,0,0,2004-02-22 04:14:55,\r\n"      // 0: no time, text not read
        "1.0,2.0,0,0,,2004-02-22 04:14:55,\r\n"       // empty count: the text
        "1.0,2.0,0,0,,2004-02-22,04:14:56\r\n"        // date and time columns
        "1.0,2.0,0,0,,22-Feb-04,04:14:56\r\n"         // not ISO: no time
        "1.0,2.0,0,0,25569.0,1970-01-01 01:00:00\r\n"); // the epoch: no time
    ASSERT_EQ(file.PointCount(), 5);
    const TrackData& points = *file.segments[0].points;
    EXPECT_TRUE(points.GetTrackPoint(0).GetTime().IsNull());
    EXPECT_EQ(Iso(points.GetTrackPoint(1).GetTime()), "2004-02-22T04:14:55Z");
    EXPECT_EQ(Iso(points.GetTrackPoint(2).GetTime()), "2004-02-22T04:14:56Z");
    EXPECT_TRUE(points.GetTrackPoint(3).GetTime().IsNull());
    EXPECT_TRUE(points.GetTrackPoint(4).GetTime().IsNull());
}

TEST(OziLoader, DayCountPrecision)
{
    EXPECT_TRUE(OziLoader::DayCountToTime("0").IsNull());
    EXPECT_TRUE(OziLoader::DayCountToTime("25569").IsNull());
    EXPECT_TRUE(OziLoader::DayCountToTime("-1.5").IsNull());
    EXPECT_TRUE(OziLoader::DayCountToTime("x").IsNull());
    EXPECT_EQ(Iso(OziLoader::DayCountToTime("25569.5")), "1970-01-01T12:00:00Z");
    EXPECT_EQ(Iso(OziLoader::DayCountToTime("40180.1278356")), "2010-01-02T03:04:05Z")
        << "03:04:04.996, noise of the seventh decimal";
    // Ten decimals resolve 4 microseconds: 1.4999990 s is no whole second.
    EXPECT_EQ(Iso(OziLoader::DayCountToTime("45000.0000173611")), "2023-03-15T00:00:01.500Z");
    EXPECT_EQ(Iso(OziLoader::DayCountToTime("45000.0000115741")), "2023-03-15T00:00:01Z");
}

TEST(OziLoader, OtherDatumReadAsItIs)
{
    OziLoader loader;
    const LoadedFile file = LoadedFile::ReadBytes(loader, Header("Pulkovo 1942 (1)") + "55.5,37.5,0,0,0\r\n");
    ASSERT_EQ(file.status, TrackLoaderI::Success);
    EXPECT_EQ(loader.GetDatum(), QStringLiteral("Pulkovo 1942 (1)"));
    EXPECT_DOUBLE_EQ(file.First().GetLat(), 55.5);
}

TEST(OziLoader, DescriptionCodePages)
{
    OziLoader loader;
    // OziExplorer writes character 209 for a comma it cannot put in a field.
    const QByteArray point = "1,2,0,0,0\r\n";
    LoadedFile file = LoadedFile::ReadBytes(loader, Header("WGS 84", "0,2,255,Lake\xD1 north   ,0,0,2,0") + point);
    EXPECT_EQ(file.folderPaths, QStringList{QStringLiteral("Lake, north")});
    file = LoadedFile::ReadBytes(loader, Header("WGS 84", "0,2,255,\xD0\x9B\xD0\xB5\xD1\x81,0,0,2,0") + point);
    EXPECT_EQ(file.folderPaths, QStringList{QString::fromUtf8("Лес")}) << "valid UTF-8 stays UTF-8";
    file = LoadedFile::ReadBytes(loader, Header("WGS 84", "0,2,255") + point);
    EXPECT_EQ(file.folderPaths, QStringList{QString()}) << "no description";
}

TEST(OziLoader, BrokenFilesRefusedWithLineAndReason)
{
    struct Case
    {
        QByteArray bytes;
        const char* error;
    };
    const Case cases[] = {
        {"OziExplorer Waypoint File Version 1.1\r\nWGS 84\r\n", "line 1: this is not an OziExplorer track file"},
        {"OziExplorer Track Point File Version 2.1\r\nWGS 84\r\nAltitude is in Feet\r\n",
         "line 4: the file ends inside the header of six lines"},
        {Header() + "1.0,2.0,0,0,0\r\nabc,2.0,0,0,0\r\n", "line 8: latitude \"abc\" is not a latitude"},
        {Header() + "95.0,2.0,0,0,0\r\n", "line 7: latitude \"95.0\" is not a latitude"},
        {Header() + "1.0,-181,0,0,0\r\n", "line 7: longitude \"-181\" is not a longitude"},
        {Header() + "1.0,2.0,0,0,0\r\n47.46", "line 8: longitude \"\" is not a longitude"},
        {Header() + "1.0,2.0,x,0,0\r\n", "line 7: break flag \"x\" is not a number"},
        {Header() + "1.0,2.0,0,12ft,0\r\n", "line 7: altitude \"12ft\" is not a number"},
        {Header() + "1.0,2.0,0,0,13-08-07\r\n", "line 7: date \"13-08-07\" is not a day count"},
        {Header() + "1.0,2.0,0,0,0\r\n" + QByteArray(100 * 1024, '1'),
         "line 8: the line is too long for a track point"},
    };
    for (const Case& c : cases) {
        OziLoader loader;
        const LoadedFile file = LoadedFile::ReadBytes(loader, c.bytes);
        EXPECT_EQ(file.status, TrackLoaderI::ReadError) << c.error;
        EXPECT_EQ(file.error.toStdString(), c.error);
    }
}

TEST(OziLoader, EmptyAndHeaderOnlyAreNoTrack)
{
    OziLoader loader;
    LoadedFile file = LoadedFile::ReadBytes(loader, QByteArray());
    EXPECT_EQ(file.status, TrackLoaderI::NoTrack);
    file = LoadedFile::ReadBytes(loader, Header() + "\r\n\r\n");
    EXPECT_EQ(file.status, TrackLoaderI::NoTrack);
    EXPECT_TRUE(file.folderPaths.isEmpty()) << "the empty folder is dropped";
}
