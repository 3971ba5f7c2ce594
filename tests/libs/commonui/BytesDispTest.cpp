#include "BytesDisp.h"

#include <QLocale>

#include <gtest/gtest.h>

// Binary multiples: 1 KiB = 1024 B, 1 MiB = 1,048,576 B, 1 GiB = 1,073,741,824 B.

namespace {

class BytesDispTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

} // namespace

TEST_F(BytesDispTest, BelowOneKibibyteInWholeBytes)
{
    EXPECT_EQ(BytesDisp::GetBytesString(0, 1), "0 B");
    EXPECT_EQ(BytesDisp::GetBytesString(1023, 2), "1,023 B");
}

TEST_F(BytesDispTest, BinaryMultiplesWithTheAskedDecimals)
{
    EXPECT_EQ(BytesDisp::GetBytesString(1024, 1), "1.0 KiB");
    EXPECT_EQ(BytesDisp::GetBytesString(1536, 1), "1.5 KiB");
    EXPECT_EQ(BytesDisp::GetBytesString(1536, 2), "1.50 KiB");
    EXPECT_EQ(BytesDisp::GetBytesString(1536, -1), "1.5 KiB");
    EXPECT_EQ(BytesDisp::GetBytesString(5 * 1048576 + 524288, 1), "5.5 MiB");
    EXPECT_EQ(BytesDisp::GetBytesString(3LL * 1073741824LL, 0), "3 GiB");
    EXPECT_EQ(BytesDisp::GetBytesString(1099511627776LL, 1), "1.0 TiB");
}

TEST_F(BytesDispTest, RoundingUpToThe1024thMovesToTheNextUnit)
{
    // 1,048,575 B is 1023.999 KiB: "1024.0 KiB" would be wrong, it is 1.0 MiB.
    EXPECT_EQ(BytesDisp::GetBytesString(1048575, 1), "1.0 MiB");
    // 1023.9 KiB stays.
    EXPECT_EQ(BytesDisp::GetBytesString(1048474, 1), "1,023.9 KiB");
}

TEST_F(BytesDispTest, LocaleDecimalMark)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(BytesDisp::GetBytesString(1536, 1), "1,5 KiB");
}
