#include "AppTick.h"
#include "AppTickDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

TEST(AppTickPacing, NormalWindowKeepsTwentyMillisecondsFromStartToStart)
{
    EXPECT_EQ(AppTickDriver::NextDelay(false, 0), 20);
    EXPECT_EQ(AppTickDriver::NextDelay(false, 7), 13);
    EXPECT_EQ(AppTickDriver::NextDelay(false, 20), 0);
    EXPECT_EQ(AppTickDriver::NextDelay(false, 35), 0);
}

TEST(AppTickPacing, MinimisedWaitsTwiceTheTickBetween1And100)
{
    EXPECT_EQ(AppTickDriver::NextDelay(true, 0), 1);
    EXPECT_EQ(AppTickDriver::NextDelay(true, 10), 20);
    EXPECT_EQ(AppTickDriver::NextDelay(true, 50), 100);
    EXPECT_EQ(AppTickDriver::NextDelay(true, 80), 100);
}

TEST(AppTickDriver, RaisesTheTickAboutFiftyTimesASecond)
{
    int ticks = 0;
    auto connection = AppTick::GetInstance().Subscribe([&] { ++ticks; });
    AppTickDriver driver([] { return false; });
    driver.Start();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    driver.Stop();
    // 25 in theory; a loaded test machine may lose some, but never gains.
    EXPECT_GE(ticks, 10);
    EXPECT_LE(ticks, 27);
}
