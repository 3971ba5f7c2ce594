#include "TerminalOptions.h"

#include <QTextStream>

#include <gtest/gtest.h>

namespace {

struct Answer
{
    std::optional<int> status;
    QString text;
};

Answer Info(const QStringList& args)
{
    Answer answer;
    QTextStream out(&answer.text);
    answer.status = TerminalOptions::AnswerInfo(args, out);
    return answer;
}

Answer Reject(const QStringList& args)
{
    Answer answer;
    QTextStream err(&answer.text);
    answer.status = TerminalOptions::RejectUnknown(args, err);
    return answer;
}

} // namespace

TEST(TerminalOptions, HelpNamesEveryOptionOfTheCommandLine)
{
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const Answer help = Info({QStringLiteral("a.gpx"), option});
        EXPECT_EQ(help.status, 0) << option.toStdString();
        EXPECT_TRUE(help.text.startsWith(QStringLiteral("Usage: quorvel "))) << help.text.toStdString();
        for (const char* named : {"-s WIDTHxHEIGHT", "--help", "--version", "QUORVEL_SCREENSHOT", "quorvel-track"})
            EXPECT_TRUE(help.text.contains(QLatin1String(named))) << named;
        EXPECT_TRUE(help.text.endsWith(QLatin1Char('\n')));
    }
}

TEST(TerminalOptions, VersionIsOneLineWithTheBuildsVersion)
{
    const Answer version = Info({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.text, QStringLiteral("Quorvel " QUORVEL_VERSION "\n"));
}

TEST(TerminalOptions, FilesAndTheSizeStartTheProgram)
{
    const Answer start = Info({QStringLiteral("-s800x600"), QStringLiteral("a.gpx"), QStringLiteral("-help.gpx")});
    EXPECT_FALSE(start.status.has_value());
    EXPECT_TRUE(start.text.isEmpty());
    EXPECT_FALSE(Reject({QStringLiteral("-s800x600"), QStringLiteral("a.gpx")}).status.has_value());
}

TEST(TerminalOptions, AfterADoubleDashNothingIsAnOption)
{
    EXPECT_FALSE(Info({QStringLiteral("--"), QStringLiteral("--help")}).status.has_value());
    EXPECT_FALSE(Info({QStringLiteral("--"), QStringLiteral("--version")}).status.has_value());
    EXPECT_FALSE(Reject({QStringLiteral("--"), QStringLiteral("--odd-name.gpx")}).status.has_value());
}

TEST(TerminalOptions, AnUnknownOptionIsABadCommandLine)
{
    const Answer bad = Reject({QStringLiteral("a.gpx"), QStringLiteral("--verbose"), QStringLiteral("--other")});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.text, QStringLiteral("quorvel: unknown option '--verbose'\n"
                                       "Try 'quorvel --help' for more information.\n"));
}
