#include "IsoTime.h"
#include "NmeaSentence.h"
#include "NmeaTestLog.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {
using Result = NmeaSentence::Result;
using Field = NmeaSentence::Field;
} // namespace

TEST(NmeaSentence, SplitsAddressAndFields)
{
    NmeaSentence s;
    // A real sentence with its published checksum.
    ASSERT_EQ(s.Parse("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47"), Result::Ok);
    EXPECT_EQ(s.GetAddress(), "GPGGA");
    EXPECT_EQ(s.GetType(), "GGA");
    EXPECT_TRUE(s.HadChecksum());
    EXPECT_EQ(s.GetFieldCount(), 14);
    EXPECT_EQ(s.GetField(0), "123519");
    EXPECT_EQ(s.GetField(8), "545.4");
    EXPECT_EQ(s.GetField(12), "");
    EXPECT_EQ(s.GetField(13), "");
    EXPECT_EQ(s.GetField(14), "") << "past the end reads as empty";
}

TEST(NmeaSentence, TalkersAndProprietarySentences)
{
    NmeaSentence s;
    for (const char* talker : {"GP", "GN", "GL", "GA", "BD"}) {
        const std::string line = WithChecksum(std::string(talker) + "RMC,1");
        ASSERT_EQ(s.Parse(line), Result::Ok) << talker;
        EXPECT_EQ(s.GetType(), "RMC") << talker;
    }
    const std::string magellan = WithChecksum("PMGNTRK,1");
    ASSERT_EQ(s.Parse(magellan), Result::Ok);
    EXPECT_EQ(s.GetType(), "PMGNTRK");
    const std::string garmin = WithChecksum("PGRME,1");
    ASSERT_EQ(s.Parse(garmin), Result::Ok);
    EXPECT_EQ(s.GetType(), "PGRME") << "a proprietary sentence is not taken for a talker's RME";
}

TEST(NmeaSentence, ChecksumsChecked)
{
    NmeaSentence s;
    const std::string good = WithChecksum("GPRMC,1,A");
    EXPECT_EQ(s.Parse(good), Result::Ok);
    std::string lower = good;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(s.Parse(good.substr(0, good.size() - 2) + lower.substr(lower.size() - 2)), Result::Ok)
        << "hex digits in lower case";
    std::string wrong = good;
    wrong[7] = '2'; // content changed, checksum kept
    EXPECT_EQ(s.Parse(wrong), Result::BadChecksum);
    EXPECT_EQ(s.Parse("$GPRMC,1,A"), Result::Ok) << "no checksum: taken as it is";
    EXPECT_FALSE(s.HadChecksum());
    EXPECT_EQ(s.Parse("$GPBOD,,T,,M,,*"), Result::Unreadable) << "a star without digits";
    EXPECT_EQ(s.Parse("$GPRMC,1,A*4"), Result::Unreadable);
    EXPECT_EQ(s.Parse("$GPRMC,1,A*4G"), Result::Unreadable);
    EXPECT_EQ(s.Parse(good + "\r\n \t"), Result::Ok) << "line-end white space after the checksum";
}

TEST(NmeaSentence, LinesThatAreNoSentences)
{
    NmeaSentence s;
    EXPECT_EQ(s.Parse(""), Result::NoSentence);
    EXPECT_EQ(s.Parse("   "), Result::NoSentence);
    EXPECT_EQ(s.Parse("# Name: Garmin $GPGGA in a comment"), Result::NoSentence);
    EXPECT_EQ(s.Parse("some text"), Result::NoSentence);
    EXPECT_EQ(s.Parse("$"), Result::Unreadable);
    EXPECT_EQ(s.Parse("$,1,2"), Result::Unreadable);
    EXPECT_EQ(s.Parse("$gprmc,1"), Result::Unreadable) << "addresses are upper case";
    EXPECT_EQ(s.Parse("$\x01\x02\xff,1"), Result::Unreadable);
}

TEST(NmeaSentence, TextBeforeTheLastDollarIsDropped)
{
    // Fields point into the line: each line must outlive its sentence.
    NmeaSentence s;
    const std::string sentence = WithChecksum("GPRMC,175804,V");
    const std::string glued = "r" + sentence;
    ASSERT_EQ(s.Parse(glued), Result::Ok) << "junk glued to the sentence (a TomTom log)";
    EXPECT_EQ(s.GetField(0), "175804");
    const std::string stamped = "2019-01-01 10:00:00 " + sentence;
    ASSERT_EQ(s.Parse(stamped), Result::Ok) << "a logger's time stamp";
    const std::string cut = "$GPGGA,0123,4131.7" + sentence;
    ASSERT_EQ(s.Parse(cut), Result::Ok) << "the start of a cut sentence";
    EXPECT_EQ(s.GetAddress(), "GPRMC");
}

TEST(NmeaSentence, Coordinates)
{
    double degrees = 0;
    ASSERT_EQ(NmeaSentence::ReadCoordinate("4807.038", "N", 90, degrees), Field::Ok);
    EXPECT_NEAR(degrees, 48 + 7.038 / 60, 1e-12);
    ASSERT_EQ(NmeaSentence::ReadCoordinate("01131.000", "W", 180, degrees), Field::Ok);
    EXPECT_NEAR(degrees, -(11 + 31.0 / 60), 1e-12);
    ASSERT_EQ(NmeaSentence::ReadCoordinate("2712.6404", "S", 90, degrees), Field::Ok);
    EXPECT_NEAR(degrees, -(27 + 12.6404 / 60), 1e-12);
    ASSERT_EQ(NmeaSentence::ReadCoordinate("09345.03351845", "W", 180, degrees), Field::Ok);
    EXPECT_NEAR(degrees, -(93 + 45.03351845 / 60), 1e-12) << "eight decimals of an RTK receiver";
    ASSERT_EQ(NmeaSentence::ReadCoordinate("0000.0000", "N", 90, degrees), Field::Ok);
    EXPECT_EQ(degrees, 0);

    EXPECT_EQ(NmeaSentence::ReadCoordinate("", "", 90, degrees), Field::Empty);
    EXPECT_EQ(NmeaSentence::ReadCoordinate("", "N", 90, degrees), Field::Empty);
    EXPECT_EQ(NmeaSentence::ReadCoordinate("4807.038", "", 90, degrees), Field::Bad);
    EXPECT_EQ(NmeaSentence::ReadCoordinate("4807.038", "E", 90, degrees), Field::Bad) << "E is no latitude";
    EXPECT_EQ(NmeaSentence::ReadCoordinate("4860.000", "N", 90, degrees), Field::Bad) << "60 minutes";
    EXPECT_EQ(NmeaSentence::ReadCoordinate("9100.000", "N", 90, degrees), Field::Bad);
    EXPECT_EQ(NmeaSentence::ReadCoordinate("18100.000", "E", 180, degrees), Field::Bad);
    EXPECT_EQ(NmeaSentence::ReadCoordinate("-4807.038", "N", 90, degrees), Field::Bad);
    EXPECT_EQ(NmeaSentence::ReadCoordinate("48O7.038", "N", 90, degrees), Field::Bad);
}

TEST(NmeaSentence, TimesOfDay)
{
    int64_t us = 0;
    ASSERT_EQ(NmeaSentence::ReadTimeOfDay("123519", us), Field::Ok);
    EXPECT_EQ(us, (12 * 3600 + 35 * 60 + 19) * 1000000LL);
    ASSERT_EQ(NmeaSentence::ReadTimeOfDay("000231.099", us), Field::Ok);
    EXPECT_EQ(us, 151099000LL);
    ASSERT_EQ(NmeaSentence::ReadTimeOfDay("235959.5", us), Field::Ok);
    EXPECT_EQ(us, 86399500000LL);
    ASSERT_EQ(NmeaSentence::ReadTimeOfDay("000000.1234567", us), Field::Ok);
    EXPECT_EQ(us, 123456) << "digits past the microsecond are dropped";
    EXPECT_EQ(NmeaSentence::ReadTimeOfDay("", us), Field::Empty);
    for (const char* bad : {"12519.563", "240000", "126000", "123561", "1235a9", "123519.", "123519,5", "123519.5x"})
        EXPECT_EQ(NmeaSentence::ReadTimeOfDay(bad, us), Field::Bad) << bad;
}

TEST(NmeaSentence, DatesWithTheCenturyOfGpsReceivers)
{
    Time date;
    ASSERT_EQ(NmeaSentence::ReadDate("070804", date), Field::Ok);
    EXPECT_EQ(IsoTime::Format(date), "2004-08-07T00:00:00Z");
    ASSERT_EQ(NmeaSentence::ReadDate("311299", date), Field::Ok);
    EXPECT_EQ(IsoTime::Format(date), "1999-12-31T00:00:00Z");
    ASSERT_EQ(NmeaSentence::ReadDate("060180", date), Field::Ok);
    EXPECT_EQ(IsoTime::Format(date), "1980-01-06T00:00:00Z") << "the GPS epoch, cold receivers' default";
    ASSERT_EQ(NmeaSentence::ReadDate("010179", date), Field::Ok);
    EXPECT_EQ(IsoTime::Format(date), "2079-01-01T00:00:00Z");
    ASSERT_EQ(NmeaSentence::ReadDate("29022024", date), Field::Ok);
    EXPECT_EQ(IsoTime::Format(date), "2024-02-29T00:00:00Z");
    EXPECT_EQ(NmeaSentence::ReadDate("", date), Field::Empty);
    for (const char* bad : {"2208-1", "300219", "320119", "011319", "0101", "01012019x"})
        EXPECT_EQ(NmeaSentence::ReadDate(bad, date), Field::Bad) << bad;
}

TEST(NmeaSentence, NumbersAsFromChars)
{
    double v = 0;
    // The quick path must give exactly the double the standard parser does.
    for (const char* text : {"0.1", "545.4", "-30.1", "4134.49821229", "+12.5", "0.000001", "123456789012345678",
                             "9007199254740993", "1e3", "1.5E-2"}) {
        ASSERT_EQ(NmeaSentence::ReadNumber(text, v), Field::Ok) << text;
        EXPECT_EQ(v, std::stod(text)) << text;
    }
    EXPECT_EQ(NmeaSentence::ReadNumber("", v), Field::Empty);
    for (const char* bad : {"1.2.3", "12a", "-", ".", "nan", "inf", "0x10"})
        EXPECT_EQ(NmeaSentence::ReadNumber(bad, v), Field::Bad) << bad;
    int n = 0;
    ASSERT_EQ(NmeaSentence::ReadInt("08", n), Field::Ok);
    EXPECT_EQ(n, 8);
    ASSERT_EQ(NmeaSentence::ReadInt("+00", n), Field::Ok);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(NmeaSentence::ReadInt("1.0", n), Field::Bad);
}
