#include "Palette.h"

#include "ColorMixerI.h"
#include "Dir.h"
#include "NoPalette.h"
#include "RangeColorMixer.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

uint32_t Colorref(int r, int g, int b)
{
    return RgbStruct(r, g, b).GetColorref();
}

const RgbStruct Blue(0, 0, 255);
const RgbStruct Red(255, 0, 0);

class DataDirTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(m_dir).mkpath(QStringLiteral("Palettes"));
        Dir::SetDataDir(m_dir);
    }
    void TearDown() override { Dir::SetDataDir(QString()); }

    QString PalettePath(const QString& name) const { return QDir(m_dir).filePath(QStringLiteral("Palettes/") + name); }

    QString m_dir = MakeTempDir();
};

} // namespace

TEST(RangeColorMixer, BuildsATableOneStepApartEndingOnTheLastStop)
{
    // Given out of order: sorted before the table is built.
    RangeColorMixer mixer(2.5);
    mixer.AddStop(10, Red);
    mixer.AddStop(0, Blue);
    mixer.Build();
    const std::vector<RangeColorMixer::Entry>& table = mixer.GetTable();
    ASSERT_EQ(table.size(), 5u);
    const double values[] = {0, 2.5, 5, 7.5, 10};
    for (size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].value, values[i]) << i;
    EXPECT_EQ(table[0].color, Blue);
    EXPECT_EQ(table[2].color, Blue.Mix(Red, 0.5));
    EXPECT_EQ(table[4].color, Red);
    EXPECT_EQ(mixer.GetMin(), 0.0);
    EXPECT_EQ(mixer.GetMax(), 10.0);
    EXPECT_EQ(mixer.GetStep(), 2.5);

    // Below the scale the first colour, above it the last; in between by
    // position in the table: 5 entries over 10 units, two units each.
    EXPECT_EQ(mixer.GetColor(-100), Blue.GetColorref());
    EXPECT_EQ(mixer.GetColor(1000), Red.GetColorref());
    EXPECT_EQ(mixer.GetColor(10), Red.GetColorref());
    EXPECT_EQ(mixer.GetColor(4.5), table[2].color.GetColorref());
    EXPECT_EQ(mixer.GetColor(3.9), table[1].color.GetColorref());
}

TEST(RangeColorMixer, MixesBetweenTheRightPairOfStops)
{
    RangeColorMixer mixer(1.0);
    mixer.AddStop(0, RgbStruct(0, 0, 0));
    mixer.AddStop(2, RgbStruct(200, 0, 0));
    mixer.AddStop(4, RgbStruct(200, 200, 0));
    mixer.Build();
    const std::vector<RangeColorMixer::Entry>& table = mixer.GetTable();
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[1].color, RgbStruct(100, 0, 0));
    EXPECT_EQ(table[2].color, RgbStruct(200, 0, 0));
    EXPECT_EQ(table[3].color, RgbStruct(200, 100, 0));
}

TEST(RangeColorMixer, TooFewOrEqualStopsAndAHairlineStepStaySafe)
{
    RangeColorMixer lone(1.0);
    lone.AddStop(5, Red);
    lone.Build();
    EXPECT_TRUE(lone.GetTable().empty());
    EXPECT_EQ(lone.GetColor(5), 0u);

    RangeColorMixer flat(1.0);
    flat.AddStop(5, Blue);
    flat.AddStop(5, Red);
    flat.Build();
    ASSERT_EQ(flat.GetTable().size(), 1u);
    EXPECT_EQ(flat.GetColor(5), Red.GetColorref());
    EXPECT_EQ(flat.GetColor(-1), Red.GetColorref());

    // A step of a billionth over a range of a thousand would want 10^12
    // entries.
    RangeColorMixer fine(1e-9);
    fine.AddStop(0, Blue);
    fine.AddStop(1000, Red);
    fine.Build();
    EXPECT_LE(fine.GetTable().size(), 1'000'002u);
    EXPECT_EQ(fine.GetColor(1000), Red.GetColorref());
}

TEST(RangeColorMixer, StopsBeyondOrAtTheEndsOfTheDoublesStaySafe)
{
    // Values that read as infinity are no stops: the other two make the scale.
    RangeColorMixer infinite(1.0);
    infinite.AddStop(-std::numeric_limits<double>::infinity(), Red);
    infinite.AddStop(0, Blue);
    infinite.AddStop(std::numeric_limits<double>::quiet_NaN(), Red);
    infinite.AddStop(10, Red);
    infinite.Build();
    EXPECT_EQ(infinite.GetMin(), 0.0);
    EXPECT_EQ(infinite.GetMax(), 10.0);
    EXPECT_EQ(infinite.GetTable().size(), 11u);
    EXPECT_EQ(infinite.GetColor(10), Red.GetColorref());

    // Finite ends whose distance is not: the table is the two ends.
    RangeColorMixer wide(1.0);
    wide.AddStop(-1e308, Blue);
    wide.AddStop(1e308, Red);
    wide.Build();
    ASSERT_EQ(wide.GetTable().size(), 2u);
    EXPECT_EQ(wide.GetTable().front().color, Blue);
    EXPECT_EQ(wide.GetTable().back().color, Red);
    EXPECT_EQ(wide.GetColor(-1e308), Blue.GetColorref());
}

TEST_F(DataDirTest, APaletteFileGivesNameParameterAggregateAndScale)
{
    const QString path = PalettePath(QStringLiteral("speed.xml"));
    WriteTestFile(path, R"(<?xml version="1.0"?>
<palette name="Tempo">
  <value parameter="Speed" aggregate="max"/>
  <colors step="-3">
    <color value="30" rgb="FF0000"/>
    <color value="0" rgb="#0000FF"/>
  </colors>
</palette>)");
    Palette palette;
    QString error;
    ASSERT_TRUE(palette.Load(path, error)) << error.toStdString();
    EXPECT_EQ(palette.GetName(), QStringLiteral("Tempo"));
    EXPECT_EQ(palette.GetParameter(), PaletteParameter::Speed);
    EXPECT_EQ(palette.GetAggregate(), PaletteParameter::Max);
    ASSERT_TRUE(palette.GetMixer());
    // A step that is not positive is 1.
    EXPECT_EQ(palette.GetMixer()->GetStep(), 1.0);
    EXPECT_EQ(palette.GetMixer()->GetMin(), 0.0);
    EXPECT_EQ(palette.GetMixer()->GetMax(), 30.0);
    EXPECT_EQ(palette.GetMixer()->GetColor(0), Colorref(0, 0, 255));
}

TEST_F(DataDirTest, ParameterAndAggregateNames)
{
    using namespace PaletteParameter;
    EXPECT_EQ(FromName(QStringLiteral("HR")), HeartRate);
    EXPECT_EQ(FromName(QStringLiteral("heart_rate")), HeartRate);
    EXPECT_EQ(FromName(QStringLiteral("GPS_Heading")), GpsHeading);
    EXPECT_EQ(FromName(QStringLiteral("segments")), Unknown);
    EXPECT_EQ(FromName(QString()), Unknown);
    EXPECT_EQ(AggregateFromName(QStringLiteral("min")), Min);
    EXPECT_EQ(AggregateFromName(QStringLiteral("max")), Max);
    EXPECT_EQ(AggregateFromName(QStringLiteral("maximum")), Avg);
    EXPECT_EQ(AggregateFromName(QString()), Avg);
}

TEST_F(DataDirTest, BrokenPalettesSayWhyAndAreLeftOut)
{
    struct Case
    {
        const char* file;
        QByteArray text;
        const char* error;
    };
    const Case cases[] = {
        {"a.xml", "<palettes/>", "No palette tag."},
        {"b.xml", "<palette name=\"x\"><colors/></palette>", "No value tag."},
        {"c.xml", "<palette><value parameter=\"pace\"/></palette>", "Unknown parameter."},
        {"d.xml", "<palette><value parameter=\"speed\"", nullptr},
    };
    for (const Case& c : cases) {
        WriteTestFile(PalettePath(QLatin1String(c.file)), c.text);
        Palette palette;
        QString error;
        EXPECT_FALSE(palette.Load(PalettePath(QLatin1String(c.file)), error)) << c.file;
        if (c.error)
            EXPECT_EQ(error, QLatin1String(c.error)) << c.file;
        else
            EXPECT_FALSE(error.isEmpty()) << c.file;
    }
    WriteTestFile(PalettePath(QStringLiteral("good.xml")),
          "<palette name=\"Height\"><value parameter=\"elevation\"/><colors><color value=\"0\" rgb=\"000000\"/>"
          "<color value=\"100\" rgb=\"FFFFFF\"/></colors></palette>");
    WriteTestFile(PalettePath(QStringLiteral("DefaultPalettes.xml")),
          "<palettes><palette path=\"a.xml\"/><palette path=\"good.xml\"/><palette path=\"missing.xml\"/>"
          "<palette path=\"c.xml\"/></palettes>");
    const PaletteList palettes = LoadPalettes();
    ASSERT_EQ(palettes.size(), 2u);
    EXPECT_EQ(palettes[0]->GetParameter(), PaletteParameter::Segments);
    EXPECT_EQ(palettes[0]->GetName(), QStringLiteral("Segments"));
    EXPECT_FALSE(palettes[0]->GetMixer());
    EXPECT_EQ(palettes[1]->GetName(), QStringLiteral("Height"));
}

TEST_F(DataDirTest, WithoutAListOnlySegmentsAreOffered)
{
    const PaletteList palettes = LoadPalettes();
    ASSERT_EQ(palettes.size(), 1u);
    EXPECT_EQ(palettes[0]->GetParameter(), PaletteParameter::Segments);
}

TEST(ShippedPalettes, AllLoadWithAUsableScale)
{
    Dir::SetDataDir(QStringLiteral(QUORVEL_SOURCE_DATA_DIR));
    const PaletteList palettes = LoadPalettes();
    Dir::SetDataDir(QString());
    ASSERT_EQ(palettes.size(), 9u);
    for (size_t i = 1; i < palettes.size(); ++i) {
        const auto mixer = palettes[i]->GetMixer();
        ASSERT_TRUE(mixer) << i;
        EXPECT_LT(mixer->GetMin(), mixer->GetMax()) << palettes[i]->GetName().toStdString();
        if (palettes[i]->GetParameter() != PaletteParameter::Heading) {
            EXPECT_NE(mixer->GetColor(mixer->GetMin()), mixer->GetColor(mixer->GetMax())) << i;
        }
    }
    EXPECT_EQ(palettes[1]->GetParameter(), PaletteParameter::Speed);
    EXPECT_EQ(palettes[8]->GetParameter(), PaletteParameter::Heading);
    // The heading wheel closes at north.
    const auto heading = palettes[8]->GetMixer();
    EXPECT_EQ(heading->GetColor(0), heading->GetColor(360));
}
