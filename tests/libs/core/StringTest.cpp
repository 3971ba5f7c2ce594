#include "String.h"

#include <clocale>

#include <gtest/gtest.h>

TEST(String, SplitDropsEmptyPiecesAtAnySeparator)
{
    EXPECT_EQ(String::Split(QStringLiteral(";a,,b;c;"), QStringLiteral(",;")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_TRUE(String::Split(QStringLiteral(",,"), QStringLiteral(",")).isEmpty());
}

TEST(String, NumbersParseLikeTheCLibraryWhateverTheUserLocale)
{
    // A German user's locale uses ',' for decimals; files never do.
    const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_DOUBLE_EQ(String::Atof(QStringLiteral("12.5")), 12.5);
    EXPECT_DOUBLE_EQ(String::Atof(QStringLiteral("  -0.75e2xyz")), -75.0);
    EXPECT_DOUBLE_EQ(String::Atof(QStringLiteral("4.")), 4.0);
    EXPECT_DOUBLE_EQ(String::Atof(QStringLiteral(".5")), 0.5);
    EXPECT_DOUBLE_EQ(String::Atof(QStringLiteral("1e")), 1.0);
    EXPECT_DOUBLE_EQ(String::Atof(QStringLiteral("abc")), 0.0);
    EXPECT_DOUBLE_EQ(String::Atof(QStringLiteral("-.")), 0.0);
    if (previous)
        std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(String::Atoi(QStringLiteral(" 42abc")), 42);
    EXPECT_EQ(String::Atoi(QStringLiteral("-7")), -7);
    EXPECT_EQ(String::Atoi(QStringLiteral("x")), 0);
}

TEST(String, PrintingNumbers)
{
    EXPECT_EQ(String::Itoa(255, 16), QStringLiteral("ff"));
    EXPECT_EQ(String::ItoaA(-12), std::string("-12"));
    EXPECT_EQ(String::Ftoa(2.345, 1), QStringLiteral("2.3"));
    EXPECT_EQ(String::Ftoa(-0.001, 2), QStringLiteral("0.00"));
    EXPECT_EQ(String::Ftoa(-0.5, 0).left(1), QStringLiteral("-"));
}

TEST(String, TextConversions)
{
    EXPECT_EQ(String::CompareNoCase(QStringLiteral("GPX"), QStringLiteral("gpx")), 0);
    EXPECT_LT(String::CompareNoCase(QStringLiteral("a"), QStringLiteral("B")), 0);
    const std::string utf8 = "Mühle ☂";
    EXPECT_EQ(String::LocalToUtf8(String::Utf8ToLocal(utf8)), utf8);
    EXPECT_EQ(String::WideToAnsi(QStringLiteral("Mühle ☂")), std::string("M\xfchle ?"));
    EXPECT_EQ(String::Trim(QStringLiteral(" \t x \r\n")), QStringLiteral("x"));
}
