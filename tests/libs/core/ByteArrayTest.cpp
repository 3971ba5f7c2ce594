#include "ByteArray.h"

#include <cstring>

#include <gtest/gtest.h>

TEST(ByteArray, EmptyHasNoAddress)
{
    const ByteArray bytes;
    EXPECT_TRUE(bytes.IsEmpty());
    EXPECT_EQ(bytes.Size(), 0u);
    EXPECT_EQ(bytes.Addr(), nullptr);
}

TEST(ByteArray, OwnsACopyOfTheBytes)
{
    char source[] = "tile\0data";
    ByteArray bytes(source, sizeof(source) - 1);
    source[0] = 'X';
    ASSERT_EQ(bytes.Size(), 9u);
    EXPECT_EQ(std::memcmp(bytes.Addr(), "tile\0data", 9), 0);

    ByteArray copy = bytes;
    copy.Addr()[0] = 'T';
    EXPECT_EQ(bytes.Addr()[0], 't');
    EXPECT_NE(copy, bytes);
}

TEST(ByteArray, AppendAssignClear)
{
    ByteArray bytes;
    bytes.Append("ab", 2);
    bytes.Append("", 0);
    bytes.Append("cde", 3);
    EXPECT_EQ(bytes, ByteArray("abcde", 5));
    bytes.Assign("xy", 2);
    EXPECT_EQ(bytes, ByteArray("xy", 2));
    bytes.Clear();
    EXPECT_TRUE(bytes.IsEmpty());
    EXPECT_EQ(bytes.Addr(), nullptr);
}
