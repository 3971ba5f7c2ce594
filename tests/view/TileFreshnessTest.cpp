#include "TileFreshness.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t Now = 1700000000;

} // namespace

TEST(TileFreshness, MaxAgeCountsFromNowAndWinsOverExpires)
{
    const TileFreshness freshness =
        TileFreshness::FromHeaders("public, max-age=604800", "Sun, 06 Nov 1994 08:49:37 GMT", Now);
    EXPECT_TRUE(freshness.storable);
    EXPECT_EQ(freshness.expires, Now + 604800);
}

TEST(TileFreshness, ExpiresIsReadAsAnHttpDate)
{
    // 2023-11-14 22:13:20 UTC is 1700000000.
    EXPECT_EQ(TileFreshness::FromHeaders({}, "Wed, 15 Nov 2023 22:13:20 GMT", Now).expires, Now + 86400);
    // One that cannot be read has expired already.
    EXPECT_EQ(TileFreshness::FromHeaders({}, "0", Now).expires, Now);
}

TEST(TileFreshness, NoCacheMustBeCheckedAndNoStoreIsNotKept)
{
    EXPECT_EQ(TileFreshness::FromHeaders("no-cache, max-age=600", {}, Now).expires, Now);
    EXPECT_FALSE(TileFreshness::FromHeaders("No-Store", {}, Now).storable);
}

TEST(TileFreshness, WithoutWordFromTheServerATileKeepsAWeek)
{
    const TileFreshness freshness = TileFreshness::FromHeaders({}, {}, Now);
    EXPECT_TRUE(freshness.storable);
    EXPECT_EQ(freshness.expires, Now + 7 * 24 * 3600);
    EXPECT_EQ(TileFreshness::FromHeaders("max-age=soon", {}, Now).expires, Now + 7 * 24 * 3600);
}
