#include "AppExit.h"
#include "AppTick.h"
#include "OblException.h"
#include "ProcessSingleton.h"

#include <gtest/gtest.h>

#include <vector>

TEST(AppTick, SubscribersAreCalledOnEveryTickWhileConnected)
{
    AppTick& tick = AppTick::GetInstance();
    EXPECT_EQ(&tick, &AppTick::GetInstance());
    const auto before = tick.GetCount();
    int a = 0, b = 0;
    auto first = tick.Subscribe([&a] { ++a; });
    {
        auto second = tick.Subscribe([&b] { ++b; });
        tick.Raise();
        tick.Raise();
    }
    tick.Raise();
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(tick.GetCount(), before + 3);
}

TEST(AppTick, ASubscriberMayEndItsOwnSubscriptionDuringTheTick)
{
    AppTick& tick = AppTick::GetInstance();
    int calls = 0;
    boost::signals2::scoped_connection self;
    self = tick.Subscribe([&] {
        ++calls;
        self.disconnect();
    });
    tick.Raise();
    tick.Raise();
    EXPECT_EQ(calls, 1);
}

TEST(AppExit, StagesReachListenersInOrder)
{
    std::vector<int> stages;
    boost::signals2::scoped_connection c = AppExit::GetSignal().connect([&](int s) { stages.push_back(s); });
    AppExit::OnStart();
    AppExit::OnClose();
    AppExit::OnExit();
    EXPECT_EQ(stages, (std::vector<int>{AppExit::Started, AppExit::Closing, AppExit::Exiting}));
}

TEST(OblException, CarriesWhereItWasRaisedAndItsCause)
{
    try {
        try {
            OBL_THROW(QStringLiteral("disk full"));
        } catch (const OblException& inner) {
            throw OblException(QStringLiteral("cannot save"), "Saver.cpp", 12, &inner);
        }
    } catch (const OblException& e) {
        EXPECT_EQ(e.GetMessage(), QStringLiteral("cannot save"));
        EXPECT_EQ(e.GetLine(), 12);
        ASSERT_NE(e.GetInner(), nullptr);
        EXPECT_TRUE(e.GetInner()->GetSourceFile().endsWith(QStringLiteral("ProcessObjectsTest.cpp")));
        EXPECT_EQ(e.GetFullMessage(), QStringLiteral("cannot save\ndisk full"));
        const auto copy = e.Clone();
        EXPECT_EQ(copy->GetFullMessage(), e.GetFullMessage());
        EXPECT_STREQ(copy->what(), "cannot save");
    }
}

namespace {
struct DeathProbe
{
    int value = 1;
};
} // namespace

TEST(ProcessSingleton, UseAfterDestructionIsFatal)
{
    EXPECT_DEATH(
        {
            // Constructed before the probe, so destroyed after it.
            struct LateUser
            {
                ~LateUser() { ProcessSingleton<DeathProbe>::Instance().value = 2; }
            };
            static LateUser user;
            ProcessSingleton<DeathProbe>::Instance();
            std::exit(0);
        },
        "Dead reference detected.");
}
