#include "RgbStruct.h"

#include <gtest/gtest.h>

namespace {

void ExpectRgb(const RgbStruct& c, int r, int g, int b)
{
    EXPECT_TRUE(c.IsSet());
    EXPECT_EQ(c.GetR(), r);
    EXPECT_EQ(c.GetG(), g);
    EXPECT_EQ(c.GetB(), b);
}

} // namespace

TEST(RgbStruct, UnsetUntilAssigned)
{
    RgbStruct c;
    EXPECT_FALSE(c.IsSet());
    EXPECT_EQ(c.GetColorref(), 0u);
    c.SetRGB(0, 0, 0);
    EXPECT_TRUE(c.IsSet());
    c.Clear();
    EXPECT_FALSE(c.IsSet());
}

TEST(RgbStruct, ColorrefHoldsRedInTheLowByte)
{
    const RgbStruct c(0x12, 0x34, 0x56);
    EXPECT_EQ(c.GetColorref(), 0x00563412u);
    ExpectRgb(RgbStruct::FromColorref(0x00563412u), 0x12, 0x34, 0x56);
    // Whatever sits in the top byte is not part of the colour.
    EXPECT_EQ(RgbStruct::FromColorref(0xFF0000FFu), RgbStruct(255, 0, 0));
}

TEST(RgbStruct, ChannelsAreClamped)
{
    ExpectRgb(RgbStruct(-5, 300, 128), 0, 255, 128);
}

TEST(RgbStruct, ParsesHexText)
{
    RgbStruct c;
    ASSERT_TRUE(c.SetByHexStr(QStringLiteral("#FF8000")));
    ExpectRgb(c, 255, 128, 0);
    ASSERT_TRUE(c.SetByHexStr(QStringLiteral("0a1B2c")));
    ExpectRgb(c, 0x0A, 0x1B, 0x2C);
    ASSERT_TRUE(c.SetByHexStr(QStringLiteral("#F80")));
    ExpectRgb(c, 0xFF, 0x88, 0x00);
    ASSERT_TRUE(c.SetByHexStr(QStringLiteral("abc")));
    ExpectRgb(c, 0xAA, 0xBB, 0xCC);
    ASSERT_TRUE(c.SetByHexStr(QStringLiteral("  #000000 ")));
    ExpectRgb(c, 0, 0, 0);
}

TEST(RgbStruct, RefusesBadTextAndKeepsItsColour)
{
    const QString bad[] = {
        QString(), QStringLiteral("#"), QStringLiteral("#12345"), QStringLiteral("#1234567"),
        QStringLiteral("#GG0000"), QStringLiteral("##FF0000"), QStringLiteral("12 345"),
        QStringLiteral("0x1234"), QStringLiteral("+12345"), QStringLiteral("-1234"),
        QStringLiteral("#FF00"), QStringLiteral("red"), QStringLiteral("#\u0661\u0662\u0663"),
    };
    RgbStruct unset;
    RgbStruct set(1, 2, 3);
    for (const QString& text : bad) {
        EXPECT_FALSE(unset.SetByHexStr(text)) << text.toStdString();
        EXPECT_FALSE(set.SetByHexStr(text)) << text.toStdString();
    }
    EXPECT_FALSE(unset.IsSet());
    ExpectRgb(set, 1, 2, 3);
}

TEST(RgbStruct, MixInterpolatesEachChannel)
{
    const RgbStruct from(10, 200, 0);
    const RgbStruct to(20, 100, 255);
    EXPECT_EQ(from.Mix(to, 0.0), from);
    EXPECT_EQ(from.Mix(to, 1.0), to);
    ExpectRgb(from.Mix(to, 0.5), 15, 150, 128); // 127.5 rounds up
    ExpectRgb(from.Mix(to, 0.25), 13, 175, 64); // 12.5, 175, 63.75
    ExpectRgb(to.Mix(from, 0.25), 18, 125, 191); // 17.5, 125, 191.25
}

TEST(RgbStruct, MixRatioOutsideZeroToOneIsClamped)
{
    const RgbStruct from(0, 0, 0);
    const RgbStruct to(100, 200, 250);
    EXPECT_EQ(from.Mix(to, -0.5), from);
    EXPECT_EQ(from.Mix(to, 1.5), to);
}
