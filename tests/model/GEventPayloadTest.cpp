#include "GEventManagerImpl.h"
#include "GEventSuspender.h"
#include "TrackTreeEventDataImpl.h"

#include <gtest/gtest.h>

#include <utility>

using namespace GEventKind;

namespace {
struct Seen
{
    int kind = -2;
    TrackTreeChangesPtr changes;
    int value = -2;
    std::pair<int, int> pair{-2, -2};
};

Seen Read(const GEventManagerImpl& manager)
{
    return {manager.GetCurrentEvent().kind, manager.GetTreeChanges(), manager.GetInt(), manager.GetPair()};
}

std::shared_ptr<TrackTreeEventDataImpl> Record(std::vector<int> added)
{
    auto record = std::make_shared<TrackTreeEventDataImpl>();
    record->RecordAdded(added);
    return record;
}

void ExpectNoPayload(const Seen& seen)
{
    EXPECT_EQ(seen.changes, nullptr);
    EXPECT_EQ(seen.value, -1);
    EXPECT_EQ(seen.pair, std::pair(-1, -1));
}

class GEventPayload : public ::testing::Test
{
protected:
    GEventManagerImpl manager;
    std::vector<Seen> seen;

    [[nodiscard]] boost::signals2::scoped_connection Reader(int group)
    {
        return manager.Subscribe(GEventFilter::All(), [this] { seen.push_back(Read(manager)); }, group);
    }
};
} // namespace

TEST_F(GEventPayload, TreeChangeRecordReachesEveryGroupAndCarriesNothingElse)
{
    auto c3 = Reader(GEventGroup::State);
    auto c1 = Reader(GEventGroup::Views);
    const auto record = Record({4, 5});

    manager.NotifyTreeChanged(record);

    ASSERT_EQ(seen.size(), 2u);
    for (const auto& s : seen) {
        EXPECT_EQ(s.kind, TreeChanged);
        EXPECT_EQ(s.changes, record);
        EXPECT_EQ(s.value, -1);
        EXPECT_EQ(s.pair, std::pair(-1, -1));
    }
}

TEST_F(GEventPayload, IntAndPairAnnouncementsCarryTheirValueAndKind)
{
    auto c = Reader(GEventGroup::Derived);
    manager.NotifyInt(17);
    manager.NotifyPair(PointAdded, 3, 250);
    manager.NotifyPair(PointRemovedRestored, 0, 0);

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].kind, FileAttrChanged);
    EXPECT_EQ(seen[0].value, 17);
    EXPECT_EQ(seen[0].pair, std::pair(-1, -1));
    EXPECT_EQ(seen[0].changes, nullptr);
    EXPECT_EQ(seen[1].kind, PointAdded);
    EXPECT_EQ(seen[1].pair, std::pair(3, 250));
    EXPECT_EQ(seen[1].value, -1);
    // (0, 0) is a real pair, not "none".
    EXPECT_EQ(seen[2].kind, PointRemovedRestored);
    EXPECT_EQ(seen[2].pair, std::pair(0, 0));
}

TEST_F(GEventPayload, AKindWithoutPayloadReadsAsNone)
{
    auto c = Reader(GEventGroup::Views);
    manager.Notify(PointsChanged);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].kind, PointsChanged);
    ExpectNoPayload(seen[0]);
}

TEST_F(GEventPayload, NestedPayloadsDoNotLeakIntoTheOuterAnnouncement)
{
    const auto outer = Record({1});
    bool announced = false;
    auto announcer = manager.Subscribe(GEventFilter{TreeChanged}, [&] {
        if (std::exchange(announced, true))
            return;
        manager.NotifyInt(42);
        manager.NotifyPair(PointRemovedRestored, 7, 9);
        manager.NotifyTreeChanged(Record({99}));
        // Still reading our own announcement after queuing the others.
        seen.push_back(Read(manager));
    }, GEventGroup::State);
    auto c2 = Reader(GEventGroup::Derived);
    auto c1 = Reader(GEventGroup::Views);

    manager.NotifyTreeChanged(outer);

    // The announcer and 2 readers for the outer one, then 2 readers for each
    // of the three nested ones.
    ASSERT_EQ(seen.size(), 3u + 3 * 2);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i].kind, TreeChanged);
        EXPECT_EQ(seen[i].changes, outer);
        EXPECT_EQ(seen[i].value, -1);
        EXPECT_EQ(seen[i].pair, std::pair(-1, -1));
    }
    EXPECT_EQ(seen[3].kind, FileAttrChanged);
    EXPECT_EQ(seen[3].value, 42);
    EXPECT_EQ(seen[3].changes, nullptr);
    EXPECT_EQ(seen[5].kind, PointRemovedRestored);
    EXPECT_EQ(seen[5].pair, std::pair(7, 9));
    EXPECT_EQ(seen[5].value, -1);
    EXPECT_EQ(seen[7].kind, TreeChanged);
    ASSERT_NE(seen[7].changes, nullptr);
    EXPECT_EQ(seen[7].changes->GetAdded(), std::vector<int>{99});
    EXPECT_EQ(seen[7].pair, std::pair(-1, -1));
}

TEST_F(GEventPayload, NothingIsReadableOutsideADelivery)
{
    ExpectNoPayload(Read(manager));
    EXPECT_EQ(manager.GetCurrentEvent().serial, -1);

    auto c = Reader(GEventGroup::Views);
    manager.NotifyTreeChanged(Record({1}));
    manager.NotifyInt(5);
    manager.NotifyPair(PointAdded, 1, 2);

    const Seen after = Read(manager);
    EXPECT_EQ(after.kind, -1);
    ExpectNoPayload(after);
}

TEST_F(GEventPayload, ARecordIsReleasedOnceItsAnnouncementWasDelivered)
{
    std::weak_ptr<TrackTreeEventDataImpl> outerWeak;
    std::weak_ptr<TrackTreeEventDataImpl> nestedWeak;
    bool nestedAliveWhileOuterDelivered = false;
    auto announcer = manager.Subscribe(GEventFilter{TreeChanged}, [&] {
        if (!nestedWeak.lock() && manager.GetTreeChanges() == outerWeak.lock()) {
            auto nested = Record({2});
            nestedWeak = nested;
            manager.NotifyTreeChanged(nested);
        }
    }, GEventGroup::State);
    auto late = manager.Subscribe(GEventFilter{TreeChanged}, [&] {
        if (manager.GetTreeChanges() == outerWeak.lock())
            nestedAliveWhileOuterDelivered = !nestedWeak.expired();
    }, GEventGroup::Views);

    {
        auto outer = Record({1});
        outerWeak = outer;
        manager.NotifyTreeChanged(std::move(outer));
    }

    EXPECT_TRUE(nestedAliveWhileOuterDelivered);
    EXPECT_TRUE(outerWeak.expired());
    EXPECT_TRUE(nestedWeak.expired());
}

TEST_F(GEventPayload, ATreeChangeWithoutRecordStillGivesItsHandlersAnEmptyRecord)
{
    auto c = Reader(GEventGroup::Views);
    manager.NotifyTreeChanged(nullptr);
    ASSERT_EQ(seen.size(), 1u);
    ASSERT_NE(seen[0].changes, nullptr);
    EXPECT_TRUE(seen[0].changes->GetAdded().empty());
    EXPECT_TRUE(seen[0].changes->GetRemoved().empty());
    EXPECT_TRUE(seen[0].changes->GetChanged().empty());
}

TEST_F(GEventPayload, SuspendedAnnouncementsAreDroppedWithTheirPayloads)
{
    auto c = Reader(GEventGroup::Views);
    std::weak_ptr<TrackTreeEventDataImpl> droppedRecord;
    {
        const GEventSuspender quiet(manager);
        EXPECT_TRUE(manager.IsSuspended());
        auto record = Record({3});
        droppedRecord = record;
        manager.NotifyTreeChanged(std::move(record));
        manager.NotifyInt(8);
        manager.NotifyPair(PointAdded, 1, 2);
        manager.Notify(PointsChanged);
    }
    EXPECT_FALSE(manager.IsSuspended());
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(droppedRecord.expired());

    // A dropped payload must not be picked up by the next announcement.
    manager.Notify(DisplayAttrChanged);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].kind, DisplayAttrChanged);
    ExpectNoPayload(seen[0]);
}

TEST_F(GEventPayload, SuspendersNestAndRestoreThePreviousState)
{
    {
        const GEventSuspender outer(manager);
        {
            const GEventSuspender inner(manager);
        }
        EXPECT_TRUE(manager.IsSuspended());
    }
    EXPECT_FALSE(manager.IsSuspended());

    manager.SetSuspended(true);
    {
        const GEventSuspender scoped(manager);
    }
    EXPECT_TRUE(manager.IsSuspended());
}

TEST_F(GEventPayload, SuspendingInsideAHandlerDropsOnlyLaterAnnouncements)
{
    auto handler = manager.Subscribe(GEventFilter{TreeChanged}, [&] {
        manager.NotifyInt(1);
        const GEventSuspender quiet(manager);
        manager.NotifyInt(2);
    }, GEventGroup::State);
    auto c = Reader(GEventGroup::Views);

    manager.NotifyTreeChanged(Record({}));

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].kind, TreeChanged);
    EXPECT_EQ(seen[1].kind, FileAttrChanged);
    EXPECT_EQ(seen[1].value, 1);
}
