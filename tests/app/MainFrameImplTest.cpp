#include "MainFrameImpl.h"

#include <QToolBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

TEST(MainFrameImplCommand, RangeHandlerGetsTheIdWithinItsRangeOnly)
{
    MainFrameImpl hub;
    std::vector<int> got;
    auto c = hub.SubscribeCommand(100, 102, [&](int id) { got.push_back(id); });
    EXPECT_FALSE(hub.OnCommand(99));
    EXPECT_TRUE(hub.OnCommand(100));
    EXPECT_TRUE(hub.OnCommand(102));
    EXPECT_FALSE(hub.OnCommand(103));
    EXPECT_EQ(got, (std::vector<int>{100, 102}));
}

TEST(MainFrameImplCommand, EarliestLiveSubscriptionWinsAnOverlap)
{
    MainFrameImpl hub;
    int first = 0;
    int second = 0;
    std::optional<MainFrameImpl::Connection> a = hub.SubscribeCommand(1, 10, [&](int) { ++first; });
    auto b = hub.SubscribeCommand(5, 5, [&](int) { ++second; });
    hub.OnCommand(5);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    a.reset(); // the first part goes away: the other takes over
    hub.OnCommand(5);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
}

TEST(MainFrameImplCommand, DisconnectedSubscriptionNoLongerHandles)
{
    MainFrameImpl hub;
    int calls = 0;
    {
        auto c = hub.SubscribeCommand(7, 7, [&](int) { ++calls; });
        EXPECT_TRUE(hub.HasCommand(7));
    }
    EXPECT_FALSE(hub.HasCommand(7));
    EXPECT_FALSE(hub.OnCommand(7));
    EXPECT_EQ(calls, 0);
}

TEST(MainFrameImplCommand, HandlerMayUnsubscribeItselfWhileRunning)
{
    MainFrameImpl hub;
    std::optional<MainFrameImpl::Connection> self;
    int calls = 0;
    self = hub.SubscribeCommand(3, 3, [&](int) {
        ++calls;
        self.reset();
    });
    EXPECT_TRUE(hub.OnCommand(3));
    EXPECT_FALSE(hub.OnCommand(3));
    EXPECT_EQ(calls, 1);
}

TEST(MainFrameImplCommandUI, StateHandlerSetsEnableCheckAndText)
{
    MainFrameImpl hub;
    auto c = hub.SubscribeCommandUI(20, 29, [](CommandUI& ui) {
        ui.Enable(ui.GetId() % 2 == 0);
        ui.SetCheck(ui.GetId() == 22);
        if (ui.GetId() == 24)
            ui.SetText(QStringLiteral("&Save a.gpx"));
    });
    CommandUI odd(21);
    EXPECT_TRUE(hub.OnCommandUI(odd));
    EXPECT_FALSE(odd.IsEnabled());
    CommandUI checked(22);
    hub.OnCommandUI(checked);
    EXPECT_TRUE(checked.IsEnabled());
    EXPECT_TRUE(checked.IsChecked());
    EXPECT_FALSE(checked.GetText().has_value());
    CommandUI named(24);
    hub.OnCommandUI(named);
    EXPECT_EQ(named.GetText().value_or(QString()), QStringLiteral("&Save a.gpx"));
}

TEST(MainFrameImplCommandUI, CommandWithoutStateHandlerIsEnabled)
{
    MainFrameImpl hub;
    auto c = hub.SubscribeCommand(50, 50, [](int) {});
    CommandUI ui(50);
    ui.Enable(false);
    EXPECT_TRUE(hub.OnCommandUI(ui));
    EXPECT_TRUE(ui.IsEnabled());
}

TEST(MainFrameImplCommandUI, UnknownCommandIsReportedUnhandled)
{
    MainFrameImpl hub;
    CommandUI ui(60);
    EXPECT_FALSE(hub.OnCommandUI(ui));
}

TEST(MainFrameImplControls, CreateControlAndCustomizeToolbarReachTheirBuilders)
{
    MainFrameImpl hub;
    QWidget parent;
    QToolBar toolbar;
    EXPECT_EQ(hub.OnCreateControl(5, &parent), nullptr);
    EXPECT_FALSE(hub.OnCustomizeToolbar(9, toolbar));

    auto control = hub.SubscribeCreateControl(5, [](QWidget* p) { return new QWidget(p); });
    auto custom = hub.SubscribeCustomizeToolbar(9, [](QToolBar& bar) { bar.addAction(QStringLiteral("x")); });
    QWidget* made = hub.OnCreateControl(5, &parent);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->parent(), &parent);
    EXPECT_EQ(hub.OnCreateControl(6, &parent), nullptr);
    EXPECT_TRUE(hub.OnCustomizeToolbar(9, toolbar));
    EXPECT_EQ(toolbar.actions().size(), 1);
}
