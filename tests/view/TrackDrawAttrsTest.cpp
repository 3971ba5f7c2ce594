#include "TrackDrawAttrsImpl.h"

#include "CasingColour.h"
#include "NoPalette.h"
#include "OblColor.h"
#include "OpenTracksTestBench.h"

#include <gtest/gtest.h>

namespace {

class TrackDrawAttrsTest : public OpenTracksTest
{
protected:
    // One file with two segments in a folder and one directly beneath it.
    void SetUp() override
    {
        SourceTree source;
        const int folder = source.Folder(source.file);
        source.Segment(folder, MakePoints(3, Time(2024, 5, 1, 10)));
        source.Segment(folder, MakePoints(3, Time(2024, 5, 1, 11)));
        source.Segment(source.file, MakePoints(3, Time(2024, 5, 1, 12)));
        m_file = Open(source);
        m_segments = Segments(m_file);
        ASSERT_EQ(m_segments.size(), 3u);
        holder.SetSegmentColour(m_segments[0], RgbStruct(255, 255, 0), false);
    }

    const TrackDrawAttrs* Find(const std::vector<TrackDrawAttrs>& attrs, int tid)
    {
        for (const TrackDrawAttrs& a : attrs) {
            if (a.tid == tid)
                return &a;
        }
        return nullptr;
    }

    int m_file = -1;
    std::vector<int> m_segments;
};

void ExpectHlc(const RgbStruct& colour, double hue, double luma, double chroma)
{
    OblColor c;
    c.SetRGB(colour.GetR(), colour.GetG(), colour.GetB());
    EXPECT_NEAR(c.GetHue(), hue, 2.0);
    EXPECT_NEAR(c.GetLuma(), luma, 0.01);
    EXPECT_NEAR(c.GetChroma(), chroma, 0.01);
}

} // namespace

TEST(CasingColour, TurnsTheHueAndDarkensLightColoursOrLightensDarkOnes)
{
    // Yellow: hue 60, light and strong: luma 0.3, chroma 0.4.
    ExpectHlc(DeriveCasingColour(RgbStruct(255, 255, 0)), 90, 0.3, 0.4);
    // Light but weak (a pale grey-blue keeps its chroma).
    OblColor pale;
    pale.SetRGB(170, 180, 220);
    ExpectHlc(DeriveCasingColour(RgbStruct(170, 180, 220)), pale.GetHue() + 30, 0.3, pale.GetChroma());
    // Dark and strong: less chroma (at most what the darker luma allows),
    // darker still.
    OblColor navy;
    navy.SetRGB(0, 0, 160);
    const RgbStruct darker = DeriveCasingColour(RgbStruct(0, 0, 160));
    OblColor dark;
    dark.SetRGB(darker.GetR(), darker.GetG(), darker.GetB());
    EXPECT_NEAR(dark.GetHue(), navy.GetHue() + 30, 3.0);
    EXPECT_NEAR(dark.GetLuma(), navy.GetLuma() / 1.8, 0.01);
    EXPECT_LE(dark.GetChroma(), navy.GetChroma() - 0.3 + 0.01);
    // Dark and weak: a grey gets some colour and light.
    OblColor grey;
    grey.SetRGB(60, 60, 60);
    const RgbStruct casing = DeriveCasingColour(RgbStruct(60, 60, 60));
    OblColor result;
    result.SetRGB(casing.GetR(), casing.GetG(), casing.GetB());
    EXPECT_NEAR(result.GetLuma(), grey.GetLuma() * 1.5, 0.01);
    EXPECT_NEAR(result.GetChroma(), 0.2, 0.01);
    // The hue wraps at 360.
    OblColor rose;
    rose.SetHLC(350, 0.2, 0.3);
    const RgbStruct wrapped = DeriveCasingColour(RgbStruct(rose.GetR(), rose.GetG(), rose.GetB()));
    OblColor turned;
    turned.SetRGB(wrapped.GetR(), wrapped.GetG(), wrapped.GetB());
    EXPECT_NEAR(turned.GetHue(), 20, 3.0);
}

TEST_F(TrackDrawAttrsTest, LevelsWidthsAndColoursFollowSelectionHoverAndMap)
{
    TrackDrawAttrsImpl keeper(model, State(), events);
    holder.SetSelection({m_segments[1]});
    holder.SetHoveredSegment(m_segments[2]);
    const std::vector<TrackDrawAttrs> plain = keeper.Get({false, false, nullptr});
    ASSERT_EQ(plain.size(), 3u);
    // Drawn by level: unselected, selected, hovered.
    EXPECT_EQ(plain[0].tid, m_segments[0]);
    EXPECT_EQ(plain[1].tid, m_segments[1]);
    EXPECT_EQ(plain[2].tid, m_segments[2]);

    const TrackDrawAttrs& unselected = plain[0];
    EXPECT_EQ(unselected.level, 0);
    EXPECT_EQ(unselected.centreWidth, 2);
    EXPECT_EQ(unselected.centreColour, RgbStruct(255, 255, 0).GetColorref());
    EXPECT_EQ(unselected.casingWidth, 1);
    EXPECT_EQ(unselected.casingColour, DeriveCasingColour(RgbStruct(255, 255, 0)).GetColorref());
    EXPECT_EQ(plain[1].level, 1);
    EXPECT_EQ(plain[1].centreWidth, 4);
    EXPECT_EQ(plain[1].casingWidth, 6);
    EXPECT_EQ(plain[1].casingColour, 0x303030u);
    EXPECT_EQ(plain[2].level, 3);
    EXPECT_EQ(plain[2].casingWidth, 7);

    const auto palette = std::make_shared<NoPalette>();
    const std::vector<TrackDrawAttrs> onMap = keeper.Get({true, true, palette});
    EXPECT_EQ(Find(onMap, m_segments[0])->casingWidth, 4);
    EXPECT_EQ(Find(onMap, m_segments[1])->level, 2);
    EXPECT_EQ(Find(onMap, m_segments[1])->casingWidth, 4);
    EXPECT_EQ(Find(onMap, m_segments[1])->casingColour, 0x141414u);
    EXPECT_EQ(Find(onMap, m_segments[1])->palette, palette);
}

TEST_F(TrackDrawAttrsTest, SelectingAFileMarksAllItsSegmentsAndHiddenOnesAreLeftOut)
{
    TrackDrawAttrsImpl keeper(model, State(), events);
    holder.SetSelection({m_file});
    holder.SetCheckState({m_segments[0]}, false);
    const std::vector<TrackDrawAttrs>& attrs = keeper.Get({});
    ASSERT_EQ(attrs.size(), 2u);
    EXPECT_EQ(Find(attrs, m_segments[0]), nullptr);
    EXPECT_EQ(Find(attrs, m_segments[1])->level, 1);
    EXPECT_EQ(Find(attrs, m_segments[2])->level, 1);
}

TEST_F(TrackDrawAttrsTest, RebuildsOnAnnouncedChangesAndANewHoveredSegmentOnly)
{
    TrackDrawAttrsImpl keeper(model, State(), events);
    const std::vector<TrackDrawAttrs>* first = &keeper.Get({});
    ASSERT_EQ(first->size(), 3u);
    EXPECT_EQ(Find(*first, m_segments[2])->level, 0);
    // The hover is stored without an announcement: asking again sees it.
    holder.SetHoveredSegment(m_segments[2]);
    EXPECT_EQ(Find(keeper.Get({}), m_segments[2])->level, 3);
    // Hiding is announced.
    holder.SetCheckState({m_segments[2]}, false);
    EXPECT_EQ(keeper.Get({}).size(), 2u);
    // A colour changed without announcing stays unseen until announced.
    holder.SetSegmentColour(m_segments[1], RgbStruct(0, 0, 255), false);
    EXPECT_NE(Find(keeper.Get({}), m_segments[1])->centreColour, RgbStruct(0, 0, 255).GetColorref());
    holder.SetSegmentColour(m_segments[1], RgbStruct(0, 0, 255), true);
    EXPECT_EQ(Find(keeper.Get({}), m_segments[1])->centreColour, RgbStruct(0, 0, 255).GetColorref());
}
