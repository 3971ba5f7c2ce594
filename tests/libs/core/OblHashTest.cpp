#include "OblHash.h"

#include <QString>

#include <gtest/gtest.h>

// The test suite of RFC 1321, appendix A.5.
TEST(OblHash, Md5OfTheRfc1321TestSuite)
{
    EXPECT_EQ(OblHash::Md5(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(OblHash::Md5("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(OblHash::Md5("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(OblHash::Md5("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(OblHash::Md5("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(OblHash::Md5("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(OblHash::Md5("1234567890123456789012345678901234567890"
                           "1234567890123456789012345678901234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(OblHash, Md5OfUtf8TextAndOfBinaryBytes)
{
    // Reference digest from md5sum over the same UTF-8 bytes.
    EXPECT_EQ(OblHash::Md5(QStringLiteral("/opt/Grüße/Quorvel").toUtf8()),
              "2af1716e1fca168843f2adbe72e22de9");
    // Bytes after a zero byte count: "a\0b" is not "a".
    const std::string withZero("a\0b", 3);
    EXPECT_NE(OblHash::Md5(withZero), OblHash::Md5("a"));
    EXPECT_EQ(OblHash::Md5(withZero).size(), 32u);
}
