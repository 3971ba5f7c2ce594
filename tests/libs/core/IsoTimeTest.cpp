#include "IsoTime.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const Time Noon(2024, 5, 1, 12);

Time Parse(const char* text)
{
    return IsoTime::Parse(text);
}

TimeSpan Us(int64_t microseconds)
{
    return TimeSpan::FromMicroseconds(microseconds);
}

} // namespace

// --- reading ----------------------------------------------------------------

TEST(IsoTimeParse, PlainUtc)
{
    EXPECT_EQ(Parse("2024-05-01T12:00:00Z"), Noon);
    EXPECT_EQ(Parse("1970-01-01T00:00:00Z"), Time(1970, 1, 1));
    EXPECT_EQ(Parse("1901-12-13T20:45:52Z"), Time(1901, 12, 13, 20, 45, 52));
}

TEST(IsoTimeParse, FractionsOfAnyLength)
{
    EXPECT_EQ(Parse("2024-05-01T12:00:00.5Z"), Noon + Us(500000));
    EXPECT_EQ(Parse("2024-05-01T12:00:00,5Z"), Noon + Us(500000));
    EXPECT_EQ(Parse("2024-05-01T12:00:00.123Z"), Noon + Us(123000));
    EXPECT_EQ(Parse("2024-05-01T12:00:00.000Z"), Noon);
    EXPECT_EQ(Parse("2024-05-01T12:00:00.123456Z"), Noon + Us(123456));
    // Seven digits as .NET writes them: rounded to the microsecond.
    EXPECT_EQ(Parse("1901-12-13T20:45:52.2073437Z"), Time(1901, 12, 13, 20, 45, 52) + Us(207344));
    EXPECT_EQ(Parse("2024-05-01T12:00:00.123456789012Z"), Noon + Us(123457));
    EXPECT_EQ(Parse("2024-05-01T23:59:59.9999996Z"), Time(2024, 5, 2));
}

TEST(IsoTimeParse, ZoneOffsetsGiveUtc)
{
    EXPECT_EQ(Parse("2024-05-01T14:00:00+02:00"), Noon);
    EXPECT_EQ(Parse("2024-05-01T07:00:00-0500"), Noon);
    EXPECT_EQ(Parse("2024-05-01T14:00:00+02"), Noon);
    EXPECT_EQ(Parse("2024-05-01T17:30:00+05:30"), Noon);
    EXPECT_EQ(Parse("2024-05-01T12:00:00+00:00"), Noon);
    EXPECT_EQ(Parse("2024-05-01T12:00:00-00:00"), Noon);
    EXPECT_EQ(Parse("2015-12-11T15:43:13.994+01:00"), Time(2015, 12, 11, 14, 43, 13, 994));
    // The offset may move the date, even across a year.
    EXPECT_EQ(Parse("2024-01-01T01:00:00+02:00"), Time(2023, 12, 31, 23));
    EXPECT_EQ(Parse("2024-12-31T22:00:00-05:00"), Time(2025, 1, 1, 3));
}

TEST(IsoTimeParse, MissingZoneMeansUtc)
{
    EXPECT_EQ(Parse("2013-01-01T12:00:04"), Time(2013, 1, 1, 12, 0, 4));
    EXPECT_EQ(Parse("2024-05-01T12:00:00.25"), Noon + Us(250000));
}

TEST(IsoTimeParse, LenientSpellings)
{
    EXPECT_EQ(Parse("2024-05-01t12:00:00z"), Noon);
    EXPECT_EQ(Parse("2024-05-01 12:00:00"), Noon);
    EXPECT_EQ(Parse("\n      2024-05-01T12:00:00Z\n    "), Noon);
    EXPECT_EQ(Parse("20240501T120000Z"), Noon);
    EXPECT_EQ(Parse("20240501T140000+0200"), Noon);
    EXPECT_EQ(Parse("2024-05-01T12:00Z"), Noon);
    EXPECT_EQ(Parse("2024-05-01T1200Z"), Noon);
}

TEST(IsoTimeParse, DatesAloneAsKmlAllows)
{
    EXPECT_EQ(Parse("1997-07-16"), Time(1997, 7, 16));
    EXPECT_EQ(Parse("1997-07"), Time(1997, 7, 1));
    EXPECT_EQ(Parse("1997"), Time(1997, 1, 1));
    EXPECT_EQ(Parse("19970716"), Time(1997, 7, 16));
}

TEST(IsoTimeParse, EndOfDayAndLeapSecond)
{
    EXPECT_EQ(Parse("2024-05-01T24:00:00Z"), Time(2024, 5, 2));
    EXPECT_EQ(Parse("2016-12-31T23:59:60Z"), Time(2017, 1, 1));
}

TEST(IsoTimeParse, BadTextIsRefused)
{
    const char* bad[] = {
        "",
        "   ",
        "garbage",
        "May 20 2008, 16:58:11",
        "1714564800",
        "2024-13-01T00:00:00Z",
        "2024-00-10T00:00:00Z",
        "2024-02-30T00:00:00Z",
        "2023-02-29",
        "2024-5-1T12:00:00Z",
        "24-05-01T12:00:00Z",
        "2024-05-01T25:00:00Z",
        "2024-05-01T24:00:01Z",
        "2024-05-01T24:30:00Z",
        "2024-05-01T12:60:00Z",
        "2024-05-01T12:00:61Z",
        "2024-05-01T12Z",
        "2024-05-01T12:0:00Z",
        "2024-05-01T12:00:00.Z",
        "2024-05-01T12:00:00Q",
        "2024-05-01T12:00:00Z trailing",
        "2024-05-01T12:00:00ZZ",
        "2024-05-01T12:00:00+2:00",
        "2024-05-01T12:00:00+02:0",
        "2024-05-01T12:00:00+24:00",
        "2024-05-01T12:00:00+02:60",
        "2024-05-01T",
        "2024-05-01X12:00:00Z",
        "2024-05T12:00:00Z",
        "2024-05-01T12:00:00 Z",
        "+2024-05-01T12:00:00Z",
    };
    for (const char* text : bad)
        EXPECT_TRUE(Parse(text).IsNull()) << '"' << text << '"';
}

TEST(IsoTimeParse, TextEndsWhereTheViewEnds)
{
    const std::string_view longer("2024-05-01T12:00:00Z<trkpt>");
    EXPECT_EQ(IsoTime::Parse(longer.substr(0, 20)), Noon);
    EXPECT_EQ(IsoTime::Parse(longer.substr(0, 10)), Time(2024, 5, 1));
}

// --- writing ----------------------------------------------------------------

TEST(IsoTimeFormat, MillisecondsOnlyWhenThereAreSome)
{
    EXPECT_EQ(IsoTime::Format(Noon), "2024-05-01T12:00:00Z");
    EXPECT_EQ(IsoTime::Format(Noon + Us(500000)), "2024-05-01T12:00:00.500Z");
    EXPECT_EQ(IsoTime::Format(Noon + Us(7000)), "2024-05-01T12:00:00.007Z");
    EXPECT_EQ(IsoTime::Format(Noon + Us(400)), "2024-05-01T12:00:00Z");
    EXPECT_EQ(IsoTime::Format(Time()), "");
}

TEST(IsoTimeFormat, RoundingToTheMillisecondCarriesIntoTheDate)
{
    EXPECT_EQ(IsoTime::Format(Time(2024, 12, 31, 23, 59, 59, 999) + Us(600)), "2025-01-01T00:00:00Z");
    EXPECT_EQ(IsoTime::Format(Time(2024, 5, 1, 12, 0, 0, 123) + Us(499)), "2024-05-01T12:00:00.123Z");
    EXPECT_EQ(IsoTime::Format(Time(2024, 5, 1, 12, 0, 0, 123) + Us(500)), "2024-05-01T12:00:00.124Z");
    EXPECT_EQ(IsoTime::Format(Time::FromMicroseconds(-400)), "1970-01-01T00:00:00Z");
    EXPECT_EQ(IsoTime::Format(Time::FromMicroseconds(-600)), "1969-12-31T23:59:59.999Z");
}

TEST(IsoTimeFormat, WrittenTextReadsBack)
{
    for (int64_t ms : {int64_t(0), int64_t(1), int64_t(-1), int64_t(1714564800123), int64_t(-2147483647000),
                       int64_t(4102444799999)}) {
        const Time t = Time::FromMicroseconds(ms * 1000);
        EXPECT_EQ(IsoTime::Parse(IsoTime::Format(t)), t) << ms;
    }
}

// --- real files -------------------------------------------------------------

namespace {

QStringList TimeTexts(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression tag(QStringLiteral("<(?:time|Time|when)>([^<]*)</"));
    QStringList texts;
    const QString content = QString::fromUtf8(file.readAll());
    for (auto it = tag.globalMatch(content); it.hasNext();)
        texts.append(it.next().captured(1));
    return texts;
}

} // namespace

TEST(IsoTimeFiles, EveryTimestampInPeerFilesReads)
{
    int count = 0;
    for (const char* folder : {"gpx", "tcx", "kml"}) {
        QDirIterator files(FixturePath(QString::fromLatin1(folder)), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            for (const QString& text : TimeTexts(path)) {
                const bool dateLike = text.trimmed().size() >= 4 && text.trimmed()[0].isDigit();
                EXPECT_EQ(IsoTime::Parse(text.toStdString()).IsNull(), !dateLike)
                    << path.toStdString() << ": " << text.toStdString();
                ++count;
            }
        }
    }
    EXPECT_GT(count, 20000);
}

TEST(IsoTimeFiles, LastGpxTimesMatchAnIndependentReader)
{
    // oracle.json holds the last track-point time another program found in
    // each file, written as UTC with milliseconds only when non-zero.
    QFile oracleFile(FixturePath(QStringLiteral("oracle.json")));
    ASSERT_TRUE(oracleFile.open(QIODevice::ReadOnly)) << oracleFile.fileName().toStdString();
    const QJsonObject oracle = QJsonDocument::fromJson(oracleFile.readAll()).object();
    int compared = 0;
    for (auto it = oracle.begin(); it != oracle.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        const QString expected = entry.value(QStringLiteral("last")).toObject().value(QStringLiteral("time")).toString();
        if (entry.value(QStringLiteral("format")).toString() != QStringLiteral("gpx") || expected.isEmpty())
            continue;
        const QStringList texts = TimeTexts(FixturePath(it.key()));
        ASSERT_FALSE(texts.isEmpty()) << it.key().toStdString();
        EXPECT_EQ(IsoTime::Format(IsoTime::Parse(texts.last().toStdString())), expected.toStdString())
            << it.key().toStdString() << ": " << texts.last().toStdString();
        ++compared;
    }
    EXPECT_GT(compared, 20);
}
