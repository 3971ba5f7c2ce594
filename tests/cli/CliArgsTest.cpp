#include "CliArgs.h"
#include "CliCommands.h"

#include "IsoTime.h"

#include <gtest/gtest.h>

namespace {

// Commands of the reader's own, so that these tests do not hang on what the
// real ones take.
const CliCommand kEdit{"edit",
                       "IN",
                       {{"--gap", "MIN"}, {"--start", "ISO-TIME"}, {"--keep"}, {"-o", "OUT.gpx", true}},
                       "changes one file",
                       nullptr};
const CliCommand kJoin{"join", "IN...", {{"--speed", "KMH", true}, {"-o", "OUT.gpx", true}}, "joins files", nullptr};

QStringList Args(std::initializer_list<const char*> args)
{
    QStringList list;
    for (const char* arg : args)
        list << QString::fromUtf8(arg);
    return list;
}

} // namespace

TEST(CliArgsTest, ReadsNamesValuesAndFlags)
{
    CliArgs parsed(kEdit, Args({"in.gpx", "--gap", "5", "--keep", "-o", "out.gpx"}));
    EXPECT_EQ(parsed.GetError(), QString());
    EXPECT_EQ(parsed.GetNames(), QStringList{QStringLiteral("in.gpx")});
    EXPECT_TRUE(parsed.Has(QStringLiteral("--keep")));
    EXPECT_FALSE(parsed.Has(QStringLiteral("--start")));
    EXPECT_EQ(parsed.GetValue(QStringLiteral("-o")), QStringLiteral("out.gpx"));
    EXPECT_EQ(parsed.GetPositive(QStringLiteral("--gap"), 60), 5);
    EXPECT_TRUE(parsed.GetTime(QStringLiteral("--start")).IsNull());
    EXPECT_EQ(parsed.GetError(), QString());
}

TEST(CliArgsTest, AValueMayStartWithADashAndALoneDashIsAName)
{
    const CliArgs parsed(kEdit, Args({"-", "-o", "-out.gpx"}));
    EXPECT_EQ(parsed.GetError(), QString());
    EXPECT_EQ(parsed.GetNames(), QStringList{QStringLiteral("-")});
    EXPECT_EQ(parsed.GetValue(QStringLiteral("-o")), QStringLiteral("-out.gpx"));
}

TEST(CliArgsTest, UnknownOptionsAndMissingValuesAreErrors)
{
    EXPECT_EQ(CliArgs(kEdit, Args({"in.gpx", "--bogus", "-o", "out.gpx"})).GetError(),
              QStringLiteral("unexpected argument '--bogus'"));
    EXPECT_EQ(CliArgs(kEdit, Args({"in.gpx", "-o"})).GetError(), QStringLiteral("-o needs a value"));
    // An option of another command is not one of this one.
    EXPECT_EQ(CliArgs(kEdit, Args({"in.gpx", "--speed", "5", "-o", "out.gpx"})).GetError(),
              QStringLiteral("unexpected argument '--speed'"));
}

TEST(CliArgsTest, NamesWhatIsMissingAsTheUsageNamesIt)
{
    const QString edit = QStringLiteral("expected IN and -o OUT.gpx");
    EXPECT_EQ(CliArgs(kEdit, {}).GetError(), edit);
    EXPECT_EQ(CliArgs(kEdit, Args({"in.gpx"})).GetError(), edit);
    EXPECT_EQ(CliArgs(kEdit, Args({"a.gpx", "b.gpx", "-o", "out.gpx"})).GetError(), edit);

    const QString join = QStringLiteral("expected IN..., --speed KMH and -o OUT.gpx");
    EXPECT_EQ(CliArgs(kJoin, Args({"--speed", "5", "-o", "out.gpx"})).GetError(), join);
    EXPECT_EQ(CliArgs(kJoin, Args({"a.gpx", "b.gpx", "-o", "out.gpx"})).GetError(), join);
    const CliArgs joined(kJoin, Args({"a.gpx", "b.gpx", "c.gpx", "--speed", "5", "-o", "out.gpx"}));
    EXPECT_EQ(joined.GetError(), QString());
    EXPECT_EQ(joined.GetNames().size(), 3);
}

TEST(CliArgsTest, TheFirstProblemIsTheOneTold)
{
    // Both unexpected and incomplete: the parse comes first.
    CliArgs parsed(kEdit, Args({"in.gpx", "--bogus"}));
    EXPECT_EQ(parsed.GetError(), QStringLiteral("unexpected argument '--bogus'"));
    parsed.SetError(QStringLiteral("later"));
    EXPECT_EQ(parsed.GetError(), QStringLiteral("unexpected argument '--bogus'"));
}

TEST(CliArgsTest, WholeNumbersMustBeAboveZero)
{
    CliArgs zero(kEdit, Args({"in.gpx", "--gap", "0", "-o", "out.gpx"}));
    EXPECT_EQ(zero.GetPositive(QStringLiteral("--gap"), 60), 60);
    EXPECT_EQ(zero.GetError(), QStringLiteral("--gap needs a whole number above 0"));
    CliArgs text(kEdit, Args({"in.gpx", "--gap", "1.5", "-o", "out.gpx"}));
    EXPECT_EQ(text.GetPositive(QStringLiteral("--gap"), 60), 60);
    EXPECT_FALSE(text.GetError().isEmpty());
}

TEST(CliArgsTest, NumbersTakeTheDefaultWhenAbsent)
{
    const CliArgs given(kEdit, Args({"in.gpx", "--gap", "-2.5", "-o", "out.gpx"}));
    double value = 0;
    EXPECT_TRUE(given.GetNumber(QStringLiteral("--gap"), 7.0, value));
    EXPECT_EQ(value, -2.5);
    const CliArgs absent(kEdit, Args({"in.gpx", "-o", "out.gpx"}));
    EXPECT_TRUE(absent.GetNumber(QStringLiteral("--gap"), 7.0, value));
    EXPECT_EQ(value, 7.0);
    const CliArgs text(kEdit, Args({"in.gpx", "--gap", "ten", "-o", "out.gpx"}));
    EXPECT_FALSE(text.GetNumber(QStringLiteral("--gap"), 7.0, value));
}

TEST(CliArgsTest, TimesAreIso8601)
{
    CliArgs given(kEdit, Args({"in.gpx", "--start", "2024-05-01T10:00:00.5Z", "-o", "out.gpx"}));
    EXPECT_EQ(given.GetTime(QStringLiteral("--start")), IsoTime::Parse("2024-05-01T10:00:00.500Z"));
    EXPECT_EQ(given.GetError(), QString());
    CliArgs wrong(kEdit, Args({"in.gpx", "--start", "soon", "-o", "out.gpx"}));
    EXPECT_TRUE(wrong.GetTime(QStringLiteral("--start")).IsNull());
    EXPECT_EQ(wrong.GetError(), QStringLiteral("--start needs an ISO 8601 time"));
}

TEST(CliArgsTest, ReportsGiveTheExitStatus)
{
    const CliArgs parsed(kEdit, {});
    EXPECT_EQ(parsed.ReportError(), 2);
    EXPECT_EQ(parsed.ReportFailure(QStringLiteral("could not")), 1);
}
