#include "TileRetryTable.h"
#include "MapTestSupport.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

TEST(TileRetryTable, TheDelayDoublesWithEveryFailureUpToAnHour)
{
    ManualClock clock;
    TileRetryTable table(clock.Get());
    const std::chrono::seconds expected[] = {30s, 60s, 120s, 240s, 480s, 960s, 1920s, 3600s, 3600s};
    for (const std::chrono::seconds delay : expected) {
        table.RecordFailure("t", false);
        clock.Advance(delay - 1s);
        EXPECT_TRUE(table.IsWaiting("t"));
        EXPECT_TRUE(table.IsBlank("t"));
        clock.Advance(1s);
        EXPECT_FALSE(table.IsWaiting("t"));
    }
    // A success starts the count again.
    table.Forget("t");
    table.RecordFailure("t", false);
    clock.Advance(29s);
    EXPECT_TRUE(table.IsWaiting("t"));
    clock.Advance(1s);
    EXPECT_FALSE(table.IsWaiting("t"));
}

TEST(TileRetryTable, AMissingTileWaitsForEver)
{
    ManualClock clock;
    TileRetryTable table(clock.Get());
    table.RecordFailure("gone", false);
    table.RecordMissing("gone");
    clock.Advance(24h);
    EXPECT_TRUE(table.IsWaiting("gone"));
    EXPECT_TRUE(table.IsBlank("gone"));
    EXPECT_FALSE(table.TakeDueRetries());
    EXPECT_FALSE(table.IsWaiting("other"));
}

TEST(TileRetryTable, AKeptCopyIsShownWhileItsRefreshWaits)
{
    ManualClock clock;
    TileRetryTable table(clock.Get());
    table.RecordFailure("old", true);
    EXPECT_TRUE(table.IsWaiting("old"));
    EXPECT_FALSE(table.IsBlank("old"));
}

TEST(TileRetryTable, EachDueRetryIsToldOnce)
{
    ManualClock clock;
    TileRetryTable table(clock.Get());
    table.RecordFailure("a", false);
    clock.Advance(10s);
    table.RecordFailure("b", false);
    EXPECT_FALSE(table.TakeDueRetries());
    clock.Advance(20s);
    EXPECT_TRUE(table.TakeDueRetries());
    EXPECT_FALSE(table.TakeDueRetries());
    clock.Advance(10s);
    EXPECT_TRUE(table.TakeDueRetries());
    EXPECT_FALSE(table.TakeDueRetries());
    // A new failure of "a" is told again when its longer delay is over.
    table.RecordFailure("a", false);
    clock.Advance(59s);
    EXPECT_FALSE(table.TakeDueRetries());
    clock.Advance(1s);
    EXPECT_TRUE(table.TakeDueRetries());
}
