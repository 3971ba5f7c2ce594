#include "CompositeFixture.h"
#include "TrackPositionConverter.h"
#include "TrackTestSupport.h"
#include "TrackTree.h"

#include <gtest/gtest.h>

using namespace tracktest;

namespace {

// The fixture's composite with a tree of the same shape, plus a second file.
struct ConverterFixture
{
    TrackTree tree;
    std::map<int, std::shared_ptr<TrackI>> tracks;
    int file, folder, s0, s1, s2, s3, otherFile, otherSegment;

    ConverterFixture()
    {
        auto creator = tree.GetCreator();
        file = creator->AddFile(QStringLiteral("f"), QString(), 5);
        s0 = creator->AddSegment(file, QStringLiteral("s0"));
        folder = creator->AddFolder(file, QStringLiteral("d"));
        s1 = creator->AddSegment(folder, QStringLiteral("s1"));
        s2 = creator->AddSegment(folder, QStringLiteral("s2"));
        s3 = creator->AddSegment(file, QStringLiteral("s3"));
        otherFile = creator->AddFile(QStringLiteral("g"), QString(), 5);
        otherSegment = creator->AddSegment(otherFile, QStringLiteral("t"));

        auto segment = [this](int tid, int parent, int first, int count) {
            auto track = std::make_shared<Track>(CompositeFixture::Points(first, count), tid, parent);
            tracks[tid] = track;
            return track;
        };
        auto folderTrack = std::make_shared<TrackX>(folder, file);
        auto fileTrack = std::make_shared<TrackX>(file, -1);
        auto a = segment(s0, file, 0, 2);
        folderTrack->AddPart(segment(s1, folder, 2, 3));
        folderTrack->AddPart(segment(s2, folder, 5, 2));
        fileTrack->AddPart(a);
        fileTrack->AddPart(folderTrack);
        fileTrack->AddPart(segment(s3, file, 7, 4));
        auto otherTrack = std::make_shared<TrackX>(otherFile, -1);
        otherTrack->AddPart(segment(otherSegment, otherFile, 0, 3));
        tracks[file] = fileTrack;
        tracks[folder] = folderTrack;
        tracks[otherFile] = otherTrack;
    }

    TrackPositionConverter Converter() const
    {
        return TrackPositionConverter(*tree.GetReader(), [this](int tid) -> const TrackI* {
            const auto it = tracks.find(tid);
            return it == tracks.end() ? nullptr : it->second.get();
        });
    }
};

} // namespace

TEST(TrackPositionConverter, SameNodeKeepsThePosition)
{
    const ConverterFixture t;
    EXPECT_EQ(t.Converter().Convert({t.s1, 2}, t.s1), (TrackPosition{t.s1, 2}));
    EXPECT_EQ(t.Converter().Convert({t.s1, -1}, t.s1), (TrackPosition{t.s1, -1}));
}

TEST(TrackPositionConverter, UpThroughTheParentOffsets)
{
    const ConverterFixture t;
    const TrackPositionConverter converter = t.Converter();
    EXPECT_EQ(converter.Convert({t.s2, 1}, t.folder), (TrackPosition{t.folder, 4}));
    EXPECT_EQ(converter.Convert({t.s2, 1}, t.file), (TrackPosition{t.file, 6}));
    EXPECT_EQ(converter.Convert({t.folder, 4}, t.file), (TrackPosition{t.file, 6}));
    EXPECT_EQ(converter.Convert({t.s3, 0}, t.file), (TrackPosition{t.file, 7}));
    // The point the position names is the same one.
    TrackPoint there;
    TrackPoint here;
    t.tracks.at(t.file)->GetPoint(6, there);
    t.tracks.at(t.s2)->GetPoint(1, here);
    EXPECT_EQ(there, here);
}

TEST(TrackPositionConverter, DownThroughConvertIndex)
{
    const ConverterFixture t;
    const TrackPositionConverter converter = t.Converter();
    EXPECT_EQ(converter.Convert({t.file, 6}, t.s2), (TrackPosition{t.s2, 1}));
    EXPECT_EQ(converter.Convert({t.file, 4}, t.folder), (TrackPosition{t.folder, 2}));
    EXPECT_EQ(converter.Convert({t.folder, 4}, t.s2), (TrackPosition{t.s2, 1}));
    // Point 0 of the file lies in s0, not in the folder.
    EXPECT_EQ(converter.Convert({t.file, 0}, t.folder), TrackPosition());
}

TEST(TrackPositionConverter, UnrelatedOrOutsideGivesNone)
{
    const ConverterFixture t;
    const TrackPositionConverter converter = t.Converter();
    EXPECT_EQ(converter.Convert({t.s1, 0}, t.s3), TrackPosition());
    EXPECT_EQ(converter.Convert({t.s1, 0}, t.otherFile), TrackPosition());
    EXPECT_EQ(converter.Convert({t.s2, 2}, t.file), TrackPosition());
    EXPECT_EQ(converter.Convert({t.s2, -1}, t.file), TrackPosition());
    EXPECT_EQ(converter.Convert({t.file, 11}, t.s3), TrackPosition());
    EXPECT_EQ(converter.Convert({99, 0}, t.file), TrackPosition());
}

TEST(TrackPositionConverter, FollowsEditsOfEarlierSegments)
{
    const ConverterFixture t;
    t.tracks.at(t.s0)->DeletePoint(0);
    t.tracks.at(t.s1)->InsertPoints(0, {PointAt(0.5, 1), PointAt(0.6, 2)});
    EXPECT_EQ(t.Converter().Convert({t.s2, 1}, t.file), (TrackPosition{t.file, 7}));
    EXPECT_EQ(t.Converter().Convert({t.file, 7}, t.s2), (TrackPosition{t.s2, 1}));
}
