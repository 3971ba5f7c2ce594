#include "Version.h"

#include <gtest/gtest.h>

namespace {

Version Parsed(const char* text)
{
    Version v;
    EXPECT_TRUE(v.Parse(QString::fromLatin1(text))) << text;
    return v;
}

} // namespace

TEST(Version, ParsesOneToFourNumbers)
{
    const Version v = Parsed("1.15.141.7");
    EXPECT_EQ(v.GetMajor(), 1);
    EXPECT_EQ(v.GetMinor(), 15);
    EXPECT_EQ(v.GetBuild(), 141);
    EXPECT_EQ(v.GetRevision(), 7);
    EXPECT_EQ(Parsed("3"), Version(3, 0, 0, 0));
    EXPECT_EQ(Parsed(" 2.01 "), Version(2, 1));
    EXPECT_EQ(Parsed("1.15"), Parsed("1.15.0.0"));
}

TEST(Version, RefusesBadTextAndKeepsItsValue)
{
    const char* bad[] = {"", ".", "1.", ".1", "1..2", "1.2.3.4.5", "a.b", "1.2b",
                         "-1.2", "+1", "1. 2", "1,2", "1234567890"};
    Version v(4, 3, 2, 1);
    for (const char* text : bad)
        EXPECT_FALSE(v.Parse(QString::fromLatin1(text))) << text;
    EXPECT_EQ(v, Version(4, 3, 2, 1));
}

TEST(Version, OrdersNumberByNumber)
{
    EXPECT_LT(Parsed("1.9"), Parsed("1.10"));
    EXPECT_LT(Parsed("1.15.141"), Parsed("1.15.141.1"));
    EXPECT_LT(Parsed("1.15.141.9"), Parsed("1.16"));
    EXPECT_LT(Parsed("1.99.99.99"), Parsed("2"));
    EXPECT_GT(Parsed("10.0"), Parsed("9.9.9.9"));
    EXPECT_LE(Parsed("1.2"), Parsed("1.2.0"));
    EXPECT_NE(Parsed("1.2.0.1"), Parsed("1.2"));
}

TEST(Version, ToText)
{
    const Version v(1, 15, 141, 0);
    EXPECT_EQ(v.ToString(), QStringLiteral("1.15.141.0"));
    EXPECT_EQ(v.ToString(3), QStringLiteral("1.15.141"));
    EXPECT_EQ(v.ToString(1), QStringLiteral("1"));
    EXPECT_EQ(Parsed(qPrintable(v.ToString())), v);
}
