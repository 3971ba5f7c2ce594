#include "OpenTracksTestBench.h"

#include "PointMarkupRegistry.h"
#include "Track.h"

#include <string>

namespace {
const Time kStart(2024, 5, 1, 10, 0, 0);

// The kept names of the points of segment tid, "" where a point has none.
std::vector<std::string> KeptNames(const OpenTracksModel& model, int tid)
{
    const auto segment = std::dynamic_pointer_cast<Track>(model.GetTrack(tid));
    std::vector<std::string> names;
    if (!segment)
        return names;
    const TrackData& data = *segment->GetTrackDataPtr();
    for (const TrackPoint& point : data.GetPoints()) {
        const std::optional<PointMarkup> markup = data.FindMarkup(point.GetMarkupTag());
        names.emplace_back(markup ? markup->fields : std::string_view());
    }
    return names;
}
} // namespace

// One segment of 6 points as a GPX file with names on points 1 and 4 would
// load, then a second segment.
class PointMarkupEditsTest : public OpenTracksTest
{
protected:
    void SetUp() override
    {
        auto table = std::make_shared<PointMarkupTable>();
        std::vector<TrackPoint> points = MakePoints(6, kStart);
        for (int index : {1, 4}) {
            const uint32_t tag = PointMarkupRegistry::Instance().NextTag();
            table->Add(tag, "<name>P" + std::to_string(index) + "</name>", "", "");
            points[static_cast<size_t>(index)].SetMarkupTag(tag);
        }
        PointMarkupRegistry::Instance().Register(table);
        SourceTree source;
        const int folder = source.Folder(source.file, QStringLiteral("F"));
        source.Segment(folder, points);
        source.Segment(folder, MakePoints(2, kStart + TimeSpan::FromSeconds(100)));
        file = Open(source);
        a = Reader()->GetChildren(folder).at(0);
        b = Reader()->GetChildren(folder).at(1);
    }

    int file = -1;
    int a = -1;
    int b = -1;
};

TEST_F(PointMarkupEditsTest, SplittingAndJoiningCarryEachPointsMarkup)
{
    EXPECT_EQ(KeptNames(model, a), (std::vector<std::string>{"", "<name>P1</name>", "", "", "<name>P4</name>", ""}));
    const int tail = model.SplitSegment(a, 2);
    ASSERT_GT(tail, 0);
    EXPECT_EQ(KeptNames(model, a), (std::vector<std::string>{"", "<name>P1</name>", ""}));
    EXPECT_EQ(KeptNames(model, tail), (std::vector<std::string>{"", "<name>P4</name>", ""}));

    // The tail, joined to the other segment, brings its markup along.
    ASSERT_TRUE(model.JoinSegments(tail, b));
    EXPECT_EQ(KeptNames(model, tail), (std::vector<std::string>{"", "<name>P4</name>", "", "", ""}));
}

TEST_F(PointMarkupEditsTest, DeletingPointsShiftsNoMarkupOntoOthers)
{
    const TrackPtr track = model.GetTrack(a);
    track->DeletePoint(0);
    track->DeletePoint(2);
    EXPECT_EQ(KeptNames(model, a), (std::vector<std::string>{"<name>P1</name>", "", "<name>P4</name>", ""}));
}
