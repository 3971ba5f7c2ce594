#include "StringIds.h"
#include "Translator.h"

#include <gtest/gtest.h>

namespace {

QString Fmt(const QString& text, const QString& a1)
{
    return Translator::GetInstance().Format(text, a1);
}

QString Fmt(const QString& text, const QString& a1, const QString& a2)
{
    return Translator::GetInstance().Format(text, a1, a2);
}

TEST(TranslatorFormat, FillsTableTexts)
{
    const Translator& tr = Translator::GetInstance();
    EXPECT_EQ(tr.Format(IDS_SEGMENT_GAP_LABEL, QStringLiteral("5")),
              QStringLiteral("Create new segment if a gap > 5 min."));
    EXPECT_EQ(tr.Format(IDS_FOLDER_GAP_LABEL, QStringLiteral("0"), QStringLiteral("10")),
              QStringLiteral("Create new folder if a gap > 0 h 10 min."));
}

TEST(TranslatorFormat, MissingIdGivesEmptyText)
{
    EXPECT_TRUE(Translator::GetInstance().Format(69999, QStringLiteral("x")).isEmpty());
    EXPECT_TRUE(Translator::GetInstance().Format(69999, QStringLiteral("x"), QStringLiteral("y")).isEmpty());
}

TEST(TranslatorFormat, PlaceholdersInAnyOrderAndRepeated)
{
    EXPECT_EQ(Fmt(QStringLiteral("%2 before %1"), QStringLiteral("one"), QStringLiteral("two")),
              QStringLiteral("two before one"));
    EXPECT_EQ(Fmt(QStringLiteral("%1, %1 and %1"), QStringLiteral("a")), QStringLiteral("a, a and a"));
    EXPECT_EQ(Fmt(QStringLiteral("%1%2%1"), QStringLiteral("x"), QStringLiteral("y")), QStringLiteral("xyx"));
}

TEST(TranslatorFormat, ArgumentsAreNotSearchedAgain)
{
    EXPECT_EQ(Fmt(QStringLiteral("[%1] [%2]"), QStringLiteral("%2"), QStringLiteral("b")),
              QStringLiteral("[%2] [b]"));
    EXPECT_EQ(Fmt(QStringLiteral("[%1] [%2]"), QStringLiteral("a"), QStringLiteral("%1")),
              QStringLiteral("[a] [%1]"));
    EXPECT_EQ(Fmt(QStringLiteral("%1"), QStringLiteral("%1")), QStringLiteral("%1"));
}

TEST(TranslatorFormat, OneArgumentLeavesSecondPlaceholder)
{
    EXPECT_EQ(Fmt(QStringLiteral("%1 of %2"), QStringLiteral("3")), QStringLiteral("3 of %2"));
}

TEST(TranslatorFormat, OtherPercentSignsStay)
{
    EXPECT_EQ(Fmt(QStringLiteral("100%"), QStringLiteral("x")), QStringLiteral("100%"));
    EXPECT_EQ(Fmt(QStringLiteral("50% of %1"), QStringLiteral("x")), QStringLiteral("50% of x"));
    EXPECT_EQ(Fmt(QStringLiteral("%3 %0"), QStringLiteral("a"), QStringLiteral("b")), QStringLiteral("%3 %0"));
    // Placeholders are one digit: "%12" is the first argument followed by "2".
    EXPECT_EQ(Fmt(QStringLiteral("%12"), QStringLiteral("a"), QStringLiteral("b")), QStringLiteral("a2"));
}

TEST(TranslatorFormat, EmptyTextsAndArguments)
{
    EXPECT_EQ(Fmt(QStringLiteral("a%1b%2c"), QString(), QString()), QStringLiteral("abc"));
    EXPECT_TRUE(Fmt(QString(), QStringLiteral("x"), QStringLiteral("y")).isEmpty());
    EXPECT_EQ(Fmt(QStringLiteral("no placeholders"), QStringLiteral("x")), QStringLiteral("no placeholders"));
}

} // namespace
