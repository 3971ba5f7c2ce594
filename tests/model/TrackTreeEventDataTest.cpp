#include "TrackTreeEventDataImpl.h"

#include <gtest/gtest.h>

using Tids = std::vector<int>;

TEST(TrackTreeEventData, KeepsEachListInRecordingOrder)
{
    TrackTreeEventDataImpl data;
    TrackTreeChangeRecorderI& recorder = data;
    recorder.RecordAdded(Tids{4, 5});
    recorder.RecordRemoved(9);
    recorder.RecordAdded(2);
    recorder.RecordChanged(Tids{1});
    recorder.RecordRemoved(Tids{7, 8});
    recorder.RecordChanged(3);
    recorder.RecordAdded(Tids{});

    const TrackTreeChangesI& changes = data;
    EXPECT_EQ(changes.GetAdded(), (Tids{4, 5, 2}));
    EXPECT_EQ(changes.GetRemoved(), (Tids{9, 7, 8}));
    EXPECT_EQ(changes.GetChanged(), (Tids{1, 3}));
}

TEST(TrackTreeEventData, ListsAreHandedOutAsCopies)
{
    TrackTreeEventDataImpl data;
    data.RecordAdded(1);
    auto added = data.GetAdded();
    added.push_back(2);
    data.RecordAdded(3);
    EXPECT_EQ(data.GetAdded(), (Tids{1, 3}));
}

TEST(TrackTreeEventData, FlagCountsAsSetOnlyAboveZero)
{
    TrackTreeEventDataImpl data;
    EXPECT_EQ(data.GetFlag(), 0);
    EXPECT_FALSE(data.HasFlag());
    data.SetFlag(-1);
    EXPECT_FALSE(data.HasFlag());
    EXPECT_EQ(data.GetFlag(), -1);
    data.SetFlag(2);
    EXPECT_TRUE(data.HasFlag());
    EXPECT_EQ(data.GetFlag(), 2);
    EXPECT_TRUE(data.GetAdded().empty());
}
