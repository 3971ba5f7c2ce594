#include "OblColor.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

struct Known
{
    int r, g, b;
    double hue, luma, chroma;
};

// Hue, luma and chroma of the primaries, secondaries and greys follow from
// the HCY definitions with Rec. 601 weights.
const Known kKnown[] = {
    {255, 0, 0, 0.0, 0.299, 1.0},
    {255, 255, 0, 60.0, 0.886, 1.0},
    {0, 255, 0, 120.0, 0.587, 1.0},
    {0, 255, 255, 180.0, 0.701, 1.0},
    {0, 0, 255, 240.0, 0.114, 1.0},
    {255, 0, 255, 300.0, 0.413, 1.0},
    {0, 0, 0, 0.0, 0.0, 0.0},
    {255, 255, 255, 0.0, 1.0, 0.0},
    {51, 51, 51, 0.0, 0.2, 0.0},
    // Orange: max R, chroma 1, hue 60 * (G - B) / C = 60 * 0.4.
    {255, 102, 0, 24.0, 0.299 + 0.587 * 0.4, 1.0},
    // A violet below red: hue 60 * ((G - B) / C + 6) = 60 * (-0.5 + 6).
    {204, 0, 102, 330.0, 0.299 * 0.8 + 0.114 * 0.4, 0.8},
};

} // namespace

TEST(OblColor, HueLumaChromaOfKnownColours)
{
    for (const Known& k : kKnown) {
        OblColor c;
        c.SetRGB(k.r, k.g, k.b);
        EXPECT_NEAR(c.GetHue(), k.hue, 1e-9) << k.r << "," << k.g << "," << k.b;
        EXPECT_NEAR(c.GetLuma(), k.luma, 1e-9) << k.r << "," << k.g << "," << k.b;
        EXPECT_NEAR(c.GetChroma(), k.chroma, 1e-9) << k.r << "," << k.g << "," << k.b;
    }
}

TEST(OblColor, KnownColoursFromHueLumaChroma)
{
    for (const Known& k : kKnown) {
        OblColor c;
        c.SetHLC(k.hue, k.luma, k.chroma);
        EXPECT_EQ(c.GetR(), k.r) << k.hue;
        EXPECT_EQ(c.GetG(), k.g) << k.hue;
        EXPECT_EQ(c.GetB(), k.b) << k.hue;
    }
}

TEST(OblColor, EveryEightBitColourRoundTrips)
{
    int failures = 0;
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                OblColor rgb;
                rgb.SetRGB(r, g, b);
                const double hue = rgb.GetHue();
                OblColor back;
                back.SetHLC(hue, rgb.GetLuma(), rgb.GetChroma());
                if (hue < 0.0 || hue >= 360.0
                    || back.GetR() != r || back.GetG() != g || back.GetB() != b) {
                    ADD_FAILURE() << r << "," << g << "," << b << " (hue " << hue
                                  << ") came back as " << back.GetR() << "," << back.GetG()
                                  << "," << back.GetB();
                    ASSERT_LT(++failures, 10);
                }
            }
        }
    }
}

TEST(OblColor, HueWrapsAround)
{
    OblColor a;
    a.SetHLC(30.0, 0.5, 0.4);
    OblColor b;
    b.SetHLC(390.0, 0.5, 0.4);
    OblColor c;
    c.SetHLC(-330.0, 0.5, 0.4);
    EXPECT_NEAR(b.GetHue(), 30.0, 1e-9);
    EXPECT_NEAR(c.GetHue(), 30.0, 1e-9);
    EXPECT_EQ(a.GetR(), b.GetR());
    EXPECT_EQ(a.GetG(), c.GetG());
    EXPECT_EQ(a.GetB(), c.GetB());
}

TEST(OblColor, InGamutValuesReadBackAsSet)
{
    OblColor c;
    c.SetHLC(200.0, 0.45, 0.3);
    EXPECT_NEAR(c.GetHue(), 200.0, 1e-9);
    EXPECT_NEAR(c.GetLuma(), 0.45, 1e-12);
    EXPECT_NEAR(c.GetChroma(), 0.3, 1e-12);
}

TEST(OblColor, TooStrongChromaIsReducedKeepingHueAndLuma)
{
    // Yellow at luma 0.3 cannot have chroma 0.9: full yellow is luma 0.886,
    // so the strongest yellow at 0.3 has chroma 0.3 / 0.886 (B at 0).
    OblColor c;
    c.SetHLC(60.0, 0.3, 0.9);
    EXPECT_NEAR(c.GetHue(), 60.0, 1e-9);
    EXPECT_NEAR(c.GetLuma(), 0.3, 1e-12);
    EXPECT_NEAR(c.GetChroma(), 0.3 / 0.886, 1e-12);
    EXPECT_EQ(c.GetB(), 0);
    EXPECT_EQ(c.GetR(), c.GetG());

    // Blue at luma 0.9: the limit is the top, R and G at (0.9 - ...) and B at 1.
    OblColor d;
    d.SetHLC(240.0, 0.9, 1.0);
    EXPECT_NEAR(d.GetLuma(), 0.9, 1e-12);
    EXPECT_NEAR(d.GetChroma(), 0.1 / 0.886, 1e-12);
    EXPECT_EQ(d.GetB(), 255);
}

TEST(OblColor, OutOfRangeLumaAndChromaAreClamped)
{
    OblColor c;
    c.SetHLC(100.0, 1.5, 0.5);
    EXPECT_EQ(c.GetR(), 255);
    EXPECT_EQ(c.GetG(), 255);
    EXPECT_EQ(c.GetB(), 255);
    c.SetHLC(100.0, -1.0, 0.5);
    EXPECT_EQ(c.GetR() + c.GetG() + c.GetB(), 0);
    c.SetHLC(100.0, 0.5, -1.0);
    EXPECT_EQ(c.GetChroma(), 0.0);
    EXPECT_EQ(c.GetR(), 128);
}

// The darker companion colour of a segment: hue + 30, luma 0.3 for a bright
// colour. The result must be a valid colour of that luma and rotated hue.
TEST(OblColor, DarkerCompanionOfABrightColour)
{
    OblColor c;
    c.SetRGB(255, 255, 0);
    const double hue = std::fmod(c.GetHue() + 30.0, 360.0);
    c.SetHLC(hue, 0.3, c.GetChroma() > 0.7 ? 0.4 : c.GetChroma());
    EXPECT_NEAR(c.GetHue(), 90.0, 0.5);
    EXPECT_NEAR(c.GetLuma(), 0.3, 0.003);
    EXPECT_NEAR(c.GetChroma(), 0.4, 0.003);
}
