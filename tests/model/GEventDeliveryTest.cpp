#include "GEventManagerImpl.h"
#include "GEventTestLog.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace GEventKind;
using Strings = std::vector<std::string>;

namespace {
class GEventDelivery : public ::testing::Test
{
protected:
    GEventManagerImpl manager;
    GEventTestLog log{manager};
};
} // namespace

TEST_F(GEventDelivery, GroupsAreCalledThreeTwoOneAndInSubscriptionOrderWithinAGroup)
{
    // Subscribed lowest group first, so order of subscription alone would
    // give the wrong answer.
    auto c1a = log.Recorder("1a", GEventGroup::Views);
    auto c2a = log.Recorder("2a", GEventGroup::Derived);
    auto c3a = log.Recorder("3a", GEventGroup::State);
    auto c1b = log.Recorder("1b", GEventGroup::Views);
    auto c3b = log.Recorder("3b", GEventGroup::State);
    auto c2b = log.Recorder("2b", GEventGroup::Derived);

    manager.Notify(PointsChanged);

    EXPECT_EQ(log.Who(), (Strings{"3a", "3b", "2a", "2b", "1a", "1b"}));
    for (const auto& call : log.calls) {
        EXPECT_EQ(call.kind, PointsChanged);
        EXPECT_EQ(call.serial, log.calls.front().serial);
    }
    EXPECT_FALSE(manager.IsDelivering());
}

TEST_F(GEventDelivery, AnnouncementInsideADeliveryComesAfterItExactlyOnceToAllGroups)
{
    bool selectionSeenDuringNotify = true;
    auto state = manager.Subscribe(GEventFilter{TreeChanged}, [&] {
        log.Add("state");
        const auto before = log.calls.size();
        manager.Notify(SelectionChanged);
        // Queued, not delivered inside this handler.
        selectionSeenDuringNotify = log.calls.size() != before;
    }, GEventGroup::State);
    auto c3 = log.Recorder("3", GEventGroup::State);
    auto c2 = log.Recorder("2", GEventGroup::Derived);
    auto c1 = log.Recorder("1", GEventGroup::Views);

    manager.Notify(TreeChanged);

    EXPECT_FALSE(selectionSeenDuringNotify);
    ASSERT_EQ(log.calls.size(), 7u);
    EXPECT_EQ(log.Who(), (Strings{"state", "3", "2", "1", "3", "2", "1"}));
    EXPECT_EQ(log.Kinds("1"), (std::vector<int>{TreeChanged, SelectionChanged}));
    EXPECT_EQ(log.calls[4].serial, log.calls[0].serial + 1);
}

TEST_F(GEventDelivery, AnnouncementsFromHandlersAreDeliveredInSerialOrderNotDepthFirst)
{
    // 0 announces 4 and 5; 4 announces 6. A recursive delivery would give
    // 0, 4, 6, 5; the queue gives the order of announcement.
    auto onTree = manager.Subscribe(GEventFilter{TreeChanged}, [&] {
        manager.Notify(SelectionChanged);
        manager.Notify(CheckStateChanged);
    }, GEventGroup::State);
    auto onSelection = manager.Subscribe(GEventFilter{SelectionChanged}, [&] {
        manager.Notify(CurrentPointChanged);
    }, GEventGroup::Derived);
    auto c1 = log.Recorder("view", GEventGroup::Views);

    manager.Notify(TreeChanged);

    EXPECT_EQ(log.Kinds("view"),
              (std::vector<int>{TreeChanged, SelectionChanged, CheckStateChanged, CurrentPointChanged}));
    for (size_t i = 1; i < log.calls.size(); ++i)
        EXPECT_EQ(log.calls[i].serial, log.calls[i - 1].serial + 1);
}

TEST_F(GEventDelivery, LongChainsOfAnnouncementsDoNotDeepenTheStack)
{
    const int total = 200000;
    int delivered = 0;
    int depth = 0;
    int maxDepth = 0;
    auto chain = manager.Subscribe(GEventFilter{PointsChanged}, [&] {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (++delivered < total)
            manager.Notify(PointsChanged);
        --depth;
    }, GEventGroup::Views);

    manager.Notify(PointsChanged);

    EXPECT_EQ(delivered, total);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_FALSE(manager.IsDelivering());
}

TEST_F(GEventDelivery, AThrowingHandlerDoesNotStopTheOthersAndTheErrorReachesTheAnnouncer)
{
    bool throwNow = true;
    auto thrower = manager.Subscribe(GEventFilter::All(), [&] {
        log.Add("thrower");
        if (throwNow)
            throw std::runtime_error("handler failed");
    }, GEventGroup::State);
    auto c3 = log.Recorder("3", GEventGroup::State);
    auto c1 = log.Recorder("1", GEventGroup::Views);

    EXPECT_THROW(manager.Notify(PointsChanged), std::runtime_error);
    EXPECT_EQ(log.Who(), (Strings{"thrower", "3", "1"}));
    EXPECT_FALSE(manager.IsDelivering());

    // The queue is not stuck: the next announcement is delivered at once.
    throwNow = false;
    log.calls.clear();
    EXPECT_NO_THROW(manager.Notify(DisplayAttrChanged));
    EXPECT_EQ(log.Who(), (Strings{"thrower", "3", "1"}));
    EXPECT_EQ(log.Kinds("1"), (std::vector<int>{DisplayAttrChanged}));
}

TEST_F(GEventDelivery, AnnouncementsQueuedBeforeAThrowAreStillDeliveredThenTheFirstErrorIsRethrown)
{
    auto first = manager.Subscribe(GEventFilter{TreeChanged}, [&] {
        manager.Notify(SelectionChanged);
        throw std::runtime_error("first");
    }, GEventGroup::State);
    auto second = manager.Subscribe(GEventFilter{SelectionChanged}, [&] {
        throw std::logic_error("second");
    }, GEventGroup::Derived);
    auto c1 = log.Recorder("1", GEventGroup::Views);

    try {
        manager.Notify(TreeChanged);
        ADD_FAILURE() << "the handler's exception was swallowed";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "first");
    }
    EXPECT_EQ(log.Kinds("1"), (std::vector<int>{TreeChanged, SelectionChanged}));
    EXPECT_FALSE(manager.IsDelivering());
    EXPECT_EQ(manager.GetCurrentEvent().kind, -1);

    // The second error was not kept for a later, clean delivery.
    first.disconnect();
    second.disconnect();
    EXPECT_NO_THROW(manager.Notify(TreeChanged));
}
