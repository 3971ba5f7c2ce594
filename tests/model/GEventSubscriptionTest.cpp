#include "GEventManagerImpl.h"
#include "GEventTestLog.h"
#include "OblException.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace GEventKind;
using Strings = std::vector<std::string>;

namespace {
class GEventSubscription : public ::testing::Test
{
protected:
    GEventManagerImpl manager;
    GEventTestLog log{manager};
};

std::vector<int> KindsIn(const GEventFilter& filter)
{
    std::vector<int> kinds;
    for (int kind = -1; kind <= 32; ++kind)
        if (filter.Contains(kind))
            kinds.push_back(kind);
    return kinds;
}
} // namespace

TEST(GEventFilter, PredefinedFiltersHoldTheirKinds)
{
    EXPECT_EQ(KindsIn(GEventFilter::TrackData()), (std::vector<int>{0, 1, 2, 3, 5}));
    EXPECT_EQ(KindsIn(GEventFilter::PointsAndCursor()), (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(KindsIn(GEventFilter::State()), (std::vector<int>{4, 6, 10}));
    EXPECT_EQ(KindsIn(GEventFilter::Settings()), (std::vector<int>{11, 12}));
    EXPECT_EQ(KindsIn(GEventFilter::All()), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(KindsIn(GEventFilter{PointRemovedRestored}), std::vector<int>{8});
    EXPECT_EQ(KindsIn(GEventFilter::State() | GEventFilter{TreeChanged}), (std::vector<int>{0, 4, 6, 10}));
    EXPECT_TRUE(GEventFilter().IsEmpty());
    // Out-of-range kinds are ignored rather than shifting into other bits.
    EXPECT_TRUE((GEventFilter{-1, 32, 45}).IsEmpty());
}

TEST_F(GEventSubscription, AHandlerIsCalledOnlyForKindsInItsFilter)
{
    auto state = log.Recorder("state", GEventGroup::Views, GEventFilter::State());
    auto one = log.Recorder("one", GEventGroup::Derived, GEventFilter{UnitsChanged});
    for (int kind = 0; kind < GEventKind::Count; ++kind)
        manager.Notify(kind);
    EXPECT_EQ(log.Kinds("state"), (std::vector<int>{4, 6, 10}));
    EXPECT_EQ(log.Kinds("one"), std::vector<int>{12});
}

TEST_F(GEventSubscription, DestroyingOrDisconnectingTheConnectionEndsTheSubscription)
{
    auto kept = log.Recorder("kept", GEventGroup::Views);
    auto cut = log.Recorder("cut", GEventGroup::Views);
    {
        auto scoped = log.Recorder("scoped", GEventGroup::Views);
        manager.Notify(PointsChanged);
    }
    cut.disconnect();
    manager.Notify(PointsChanged);
    EXPECT_EQ(log.Who(), (Strings{"kept", "cut", "scoped", "kept"}));
}

TEST_F(GEventSubscription, SubscriptionsEndedInsideAHandlerAreNotCalledAgain)
{
    boost::signals2::scoped_connection laterInGroup;
    boost::signals2::scoped_connection lowerGroup;
    boost::signals2::scoped_connection self;
    auto ender = manager.Subscribe(GEventFilter::All(), [&] {
        log.Add("ender");
        laterInGroup.disconnect();
        lowerGroup.disconnect();
    }, GEventGroup::State);
    laterInGroup = log.Recorder("later", GEventGroup::State);
    lowerGroup = log.Recorder("lower", GEventGroup::Views);
    self = manager.Subscribe(GEventFilter::All(), [&] {
        log.Add("self");
        self.disconnect();
    }, GEventGroup::Derived);

    manager.Notify(PointsChanged);
    manager.Notify(PointsChanged);

    EXPECT_EQ(log.Who(), (Strings{"ender", "self", "ender"}));
}

TEST_F(GEventSubscription, ASubscriptionMadeDuringADeliveryStartsWithTheNextAnnouncement)
{
    boost::signals2::scoped_connection newcomers[2];
    auto maker = manager.Subscribe(GEventFilter{TreeChanged}, [&] {
        manager.Notify(SelectionChanged);   // queued before the newcomers exist
        newcomers[0] = log.Recorder("new3", GEventGroup::State);
        newcomers[1] = log.Recorder("new1", GEventGroup::Views);
    }, GEventGroup::State);

    manager.Notify(TreeChanged);
    EXPECT_TRUE(log.calls.empty());

    maker.disconnect();
    manager.Notify(PointsChanged);
    EXPECT_EQ(log.Who(), (Strings{"new3", "new1"}));
    EXPECT_EQ(log.Kinds("new1"), std::vector<int>{PointsChanged});
}

TEST_F(GEventSubscription, UnknownGroupsAndEmptyHandlersAreRefused)
{
    const auto handler = [] {};
    EXPECT_THROW((void)manager.Subscribe(GEventFilter::All(), handler, 0), OblException);
    EXPECT_THROW((void)manager.Subscribe(GEventFilter::All(), handler, 4), OblException);
    EXPECT_THROW((void)manager.Subscribe(GEventFilter::All(), std::function<void()>(), 1), OblException);
}

TEST(GEventManagerInstance, IsOneProcessWideObjectThatDeliversLikeAnyOther)
{
    GEventManagerImpl& manager = GEventManagerImpl::GetInstance();
    EXPECT_EQ(&manager, &GEventManagerImpl::GetInstance());
    GEventNotifyI& notify = manager;
    GEventStoreI& store = manager;
    int value = 0;
    auto c = manager.Subscribe(GEventFilter{FileAttrChanged}, [&] { value = store.GetInt(); },
                               GEventGroup::State);
    notify.NotifyInt(31);
    EXPECT_EQ(value, 31);
}

TEST(GEventManagerInstance, UseAfterDestructionAtExitIsFatal)
{
    // A forked child would inherit a manager made by an earlier test, which
    // then outlives the late user; a fresh process makes it in order.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            // Made before the manager, so destroyed after it.
            struct LateAnnouncer
            {
                ~LateAnnouncer() { GEventManagerImpl::GetInstance().Notify(PointsChanged); }
            };
            static LateAnnouncer announcer;
            GEventManagerImpl::GetInstance();
            std::exit(0);
        },
        "Dead reference detected.");
}
