#include "ProgressIndicator.h"
#include "StatusBarUIImpl.h"

#include <QStatusBar>

#include <gtest/gtest.h>

TEST(ProgressIndicator, FirstPercentStartsRunningAndIsShown)
{
    ProgressIndicator indicator;
    EXPECT_EQ(indicator.SetPercent(30, 1000), ProgressIndicator::KeepText);
    EXPECT_EQ(indicator.GetState(), ProgressIndicator::Running);
    EXPECT_DOUBLE_EQ(indicator.GetShown(), 30);
    indicator.SetPercent(45, 1020);
    EXPECT_DOUBLE_EQ(indicator.GetShown(), 45);
}

TEST(ProgressIndicator, StalledPercentCreepsByHalfAPointUpTo80)
{
    ProgressIndicator indicator;
    indicator.SetPercent(50, 0);
    indicator.SetPercent(50, 500); // exactly 500 ms: not yet stalled
    EXPECT_DOUBLE_EQ(indicator.GetShown(), 50);
    indicator.SetPercent(50, 520);
    EXPECT_DOUBLE_EQ(indicator.GetShown(), 50.5);
    indicator.SetPercent(50, 540);
    EXPECT_DOUBLE_EQ(indicator.GetShown(), 51);
}

TEST(ProgressIndicator, Above80TheCreepSlowsDownAndNeverReaches100)
{
    ProgressIndicator indicator;
    indicator.SetPercent(90, 0);
    indicator.SetPercent(90, 600);
    // (100 - 90) / 60 per tick
    EXPECT_NEAR(indicator.GetShown(), 90 + 10.0 / 60, 1e-9);
    for (int tick = 0; tick < 300; ++tick)
        indicator.SetPercent(90, 620 + tick * 20);
    EXPECT_LT(indicator.GetShown(), 100);
    EXPECT_GT(indicator.GetShown(), 99);
}

TEST(ProgressIndicator, ShownValueDoesNotFallBackWhenReportRisesBelowIt)
{
    ProgressIndicator indicator;
    indicator.SetPercent(10, 0);
    for (int tick = 1; tick <= 20; ++tick)
        indicator.SetPercent(10, 500 + tick * 20); // creeps to 20
    EXPECT_DOUBLE_EQ(indicator.GetShown(), 20);
    indicator.SetPercent(15, 1000);
    EXPECT_DOUBLE_EQ(indicator.GetShown(), 20);
}

TEST(ProgressIndicator, IdleAt100GoesToFinishingAtOnceThenClearsAfter600ms)
{
    ProgressIndicator indicator;
    indicator.SetPercent(100, 0);
    EXPECT_EQ(indicator.Idle(10), ProgressIndicator::ShowProcessing);
    EXPECT_EQ(indicator.GetState(), ProgressIndicator::Finishing);
    EXPECT_DOUBLE_EQ(indicator.GetShown(), 100);
    EXPECT_EQ(indicator.Idle(610), ProgressIndicator::KeepText);
    EXPECT_EQ(indicator.Idle(611), ProgressIndicator::ClearText);
    EXPECT_EQ(indicator.GetState(), ProgressIndicator::Inactive);
    EXPECT_DOUBLE_EQ(indicator.GetShown(), 0);
}

TEST(ProgressIndicator, IdleBelow100WaitsUntil100msAfterTheStart)
{
    ProgressIndicator indicator;
    indicator.SetPercent(40, 0);
    EXPECT_EQ(indicator.Idle(100), ProgressIndicator::KeepText);
    EXPECT_EQ(indicator.GetState(), ProgressIndicator::Running);
    EXPECT_EQ(indicator.Idle(101), ProgressIndicator::ShowProcessing);
}

TEST(ProgressIndicator, NewWorkWhileFinishingResetsFirst)
{
    ProgressIndicator indicator;
    indicator.SetPercent(100, 0);
    indicator.Idle(20);
    EXPECT_EQ(indicator.SetPercent(5, 100), ProgressIndicator::ClearText);
    EXPECT_EQ(indicator.GetState(), ProgressIndicator::Running);
    EXPECT_DOUBLE_EQ(indicator.GetShown(), 5);
}

TEST(ProgressIndicator, IdleWithoutWorkDoesNothing)
{
    ProgressIndicator indicator;
    EXPECT_EQ(indicator.Idle(5000), ProgressIndicator::KeepText);
    EXPECT_EQ(indicator.GetState(), ProgressIndicator::Inactive);
}

TEST(StatusBarUIImpl, OpeningThenProcessingThenEmpty)
{
    QStatusBar bar;
    qint64 now = 0;
    StatusBarUIImpl ui(bar, [&] { return now; });
    ui.SetProgressText(QStringLiteral("Opening a.gpx..."));
    ui.SetPercent(40);
    EXPECT_EQ(ui.GetText(), QStringLiteral("Opening a.gpx..."));
    EXPECT_EQ(ui.GetBarValue(), 400);
    now = 200;
    ui.SetPercent(100);
    EXPECT_EQ(ui.GetBarValue(), 1000);
    now = 220;
    ui.Idle();
    EXPECT_EQ(ui.GetText(), QStringLiteral("Processing..."));
    EXPECT_EQ(ui.GetBarValue(), 1000);
    now = 800;
    ui.Idle();
    EXPECT_EQ(ui.GetText(), QStringLiteral("Processing..."));
    now = 821;
    ui.Idle();
    EXPECT_TRUE(ui.GetText().isEmpty());
    EXPECT_EQ(ui.GetBarValue(), 0);
    EXPECT_EQ(ui.GetState(), ProgressIndicator::Inactive);
}
