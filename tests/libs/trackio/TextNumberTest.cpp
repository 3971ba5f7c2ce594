#include "TextNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(TextNumber, WholeTextIsOneNumber)
{
    double value = -1;
    EXPECT_TRUE(TextNumber::ToDouble(" \r\n47.25\t", value));
    EXPECT_DOUBLE_EQ(value, 47.25);
    EXPECT_TRUE(TextNumber::ToDouble("+8.5", value));
    EXPECT_DOUBLE_EQ(value, 8.5);
    EXPECT_TRUE(TextNumber::ToDouble("-1.5e2", value));
    EXPECT_DOUBLE_EQ(value, -150);

    value = 7;
    for (const char* bad : {"", "  ", "+", "+-5", "--5", "12,5", "1.5x", "0x1A", "inf", "-nan", "1e999", "4 5"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(TextNumber::ToDouble(bad, value));
    }
    EXPECT_DOUBLE_EQ(value, 7) << "a refused text leaves the value alone";
}

TEST(TextNumber, ReadStopsAfterTheNumber)
{
    const std::string_view text = "12.5,47";
    double value = 0;
    const char* next = TextNumber::Read(text.data(), text.data() + text.size(), value);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(*next, ',');
    EXPECT_DOUBLE_EQ(value, 12.5);
    const std::string_view junk = ",5";
    EXPECT_EQ(TextNumber::Read(junk.data(), junk.data() + junk.size(), value), nullptr);
}

TEST(TextNumber, QuoteTrimsAndCuts)
{
    EXPECT_EQ(TextNumber::Quote("  abc\n"), "\"abc\"");
    EXPECT_EQ(TextNumber::Quote(""), "\"\"");
    const std::string forty(40, 'x');
    EXPECT_EQ(TextNumber::Quote(forty), "\"" + forty + "\"");
    EXPECT_EQ(TextNumber::Quote(forty + "y"), "\"" + forty + "...\"");
}

TEST(TextNumber, FitsFloatUpToTheLargestFloat)
{
    const double largest = std::numeric_limits<float>::max();
    EXPECT_TRUE(TextNumber::FitsFloat(0));
    EXPECT_TRUE(TextNumber::FitsFloat(largest));
    EXPECT_TRUE(TextNumber::FitsFloat(-largest));
    // Finite doubles that would turn into an infinite receiver value.
    EXPECT_FALSE(TextNumber::FitsFloat(std::nextafter(largest, 1e300)));
    EXPECT_FALSE(TextNumber::FitsFloat(-1e39));
    EXPECT_FALSE(TextNumber::FitsFloat(std::numeric_limits<double>::quiet_NaN()));
}
