#include "CliArgs.h"
#include "CliCommands.h"
#include "CliTestFiles.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

QString NameOf(const CliCommand& command)
{
    return QString::fromLatin1(command.name);
}

// The options a usage names: words that start with a dash and a letter.
std::set<std::string> OptionsNamedIn(const QString& usage)
{
    static const QRegularExpression option(QStringLiteral("(?:^|[\\s\\[(])(--?[a-z][a-z-]*)"));
    std::set<std::string> names;
    for (const QRegularExpressionMatch& match : option.globalMatch(usage))
        names.insert(match.captured(1).toStdString());
    return names;
}

} // namespace

TEST(CliCommandsTest, EveryCommandHasItsOwnNameAndARunner)
{
    std::set<QString> names;
    ASSERT_FALSE(GetCliCommands().empty());
    for (const CliCommand& command : GetCliCommands()) {
        const QString name = NameOf(command);
        EXPECT_FALSE(name.isEmpty());
        EXPECT_FALSE(name.startsWith(QLatin1Char('-'))) << command.name;
        EXPECT_TRUE(names.insert(name).second) << "twice: " << command.name;
        EXPECT_NE(command.run, nullptr) << command.name;
        EXPECT_EQ(FindCliCommand(name), &command);
    }
    EXPECT_EQ(FindCliCommand(QStringLiteral("no-such-command")), nullptr);
}

TEST(CliCommandsTest, EveryUsageStartsWithItsNameAndSaysWhatTheCommandDoes)
{
    for (const CliCommand& command : GetCliCommands()) {
        const QString usage = GetCliUsage(command);
        EXPECT_TRUE(usage.startsWith(NameOf(command) + QLatin1Char(' ') + QLatin1String(command.operands)))
            << usage.toStdString();
        EXPECT_FALSE(QString::fromUtf8(command.summary).trimmed().isEmpty()) << command.name;
        EXPECT_TRUE(usage.simplified().endsWith(QString::fromUtf8(command.summary).simplified())) << command.name;
    }
}

TEST(CliCommandsTest, TheParserAcceptsTheOptionsTheUsageNamesAndNoOthers)
{
    for (const CliCommand& command : GetCliCommands()) {
        const QString usage = GetCliUsage(command);
        std::set<std::string> declared;
        for (const CliOption& option : command.options) {
            const QString name = QLatin1String(option.name);
            EXPECT_TRUE(declared.insert(option.name).second) << command.name << " twice: " << option.name;
            const CliArgs alone(command, option.IsFlag() ? QStringList{name} : QStringList{name, QStringLiteral("1")});
            EXPECT_TRUE(alone.Has(name)) << command.name << ' ' << option.name;
            EXPECT_FALSE(alone.GetError().startsWith(QLatin1String("unexpected")))
                << command.name << ' ' << option.name << ": " << alone.GetError().toStdString();
            if (!option.IsFlag()) {
                EXPECT_TRUE(usage.contains(name + QLatin1Char(' ') + QLatin1String(option.valueName)))
                    << command.name << ' ' << option.name;
                EXPECT_EQ(CliArgs(command, {name}).GetError(), name + QStringLiteral(" needs a value"));
            }
        }
        EXPECT_EQ(OptionsNamedIn(usage), declared) << usage.toStdString();
        for (const QString& other : {QStringLiteral("--no-such-option"), QStringLiteral("-x")}) {
            EXPECT_EQ(CliArgs(command, {other}).GetError(), QStringLiteral("unexpected argument '") + other + '\'')
                << command.name;
        }
    }
}

TEST(CliCommandsTest, OnlyOptionalOptionsStandInBrackets)
{
    for (const CliCommand& command : GetCliCommands()) {
        const QString usage = GetCliUsage(command);
        for (const CliOption& option : command.options) {
            const QString text = option.IsFlag()
                ? QString::fromLatin1(option.name)
                : QString::fromLatin1(option.name) + QLatin1Char(' ') + QLatin1String(option.valueName);
            EXPECT_EQ(usage.contains(QLatin1Char('[') + text + QLatin1Char(']')), !option.required)
                << command.name << ' ' << option.name;
            EXPECT_TRUE(usage.contains(text)) << command.name << ' ' << option.name;
        }
    }
}

TEST(CliCommandsTest, EveryCommandRefusesAnEmptyCommandLine)
{
    for (const CliCommand& command : GetCliCommands())
        EXPECT_EQ(RunCliCommand(NameOf(command), {}), 2) << command.name;
}

TEST(CliCommandsTest, EveryCommandRefusesAnUnknownOption)
{
    const QString track = QStringLiteral(QUORVEL_SOURCE_DIR "/data/samples/ride.gpx");
    for (const CliCommand& command : GetCliCommands())
        EXPECT_EQ(RunCliCommand(NameOf(command), {track, QStringLiteral("--no-such-option")}), 2) << command.name;
}

TEST(CliCommandsTest, EveryCommandHasHelp)
{
    for (const CliCommand& command : GetCliCommands()) {
        EXPECT_EQ(RunCliCommand(NameOf(command), {QStringLiteral("--help")}), 0) << command.name;
        EXPECT_EQ(RunCliCommand(NameOf(command), {QStringLiteral("-h")}), 0) << command.name;
    }
}

TEST(CliCommandsTest, AnUnknownCommandIsABadCommandLine)
{
    EXPECT_EQ(RunCliCommand(QStringLiteral("no-such-command"), {}), 2);
    EXPECT_EQ(RunCli({QStringLiteral("no-such-command"), QStringLiteral("--help")}), 2);
    EXPECT_EQ(RunCli({}), 2);
    EXPECT_EQ(RunCli({QStringLiteral("--help")}), 0);
}

TEST(CliCommandsTest, TheToolListsEveryUsage)
{
    const Outcome help = RunTool({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    QString expected = QStringLiteral("usage: quorvel-track COMMAND [ARGS...]\n");
    for (const CliCommand& command : GetCliCommands())
        expected += QStringLiteral("  quorvel-track ") + GetCliUsage(command) + QLatin1Char('\n');
    expected += QStringLiteral("  quorvel-track COMMAND --help         the usage of one command\n"
                               "  quorvel-track --version              the program's version\n");
    // Asked for, the help is the output; a bad command line gets it as errors.
    EXPECT_EQ(help.output, expected);
    EXPECT_TRUE(help.errors.isEmpty());

    const Outcome unknown = RunTool({QStringLiteral("no-such-command")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.errors, QStringLiteral("quorvel-track: unknown command 'no-such-command'\n") + expected);
}

TEST(CliCommandsTest, TheToolPrintsTheUsageOfOneCommand)
{
    for (const CliCommand& command : GetCliCommands()) {
        const Outcome help = RunTool({NameOf(command), QStringLiteral("--help")});
        EXPECT_EQ(help.status, 0) << command.name;
        EXPECT_EQ(help.output, QStringLiteral("usage: quorvel-track ") + GetCliUsage(command) + QLatin1Char('\n'));
        EXPECT_TRUE(help.errors.isEmpty()) << command.name;
    }
}

TEST(CliCommandsTest, TheToolTellsItsVersion)
{
    const Outcome version = RunTool({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, QStringLiteral("quorvel-track " QUORVEL_VERSION "\n"));
    EXPECT_TRUE(version.errors.isEmpty());
}
