#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// An option of a subcommand: one that takes a value ("-o OUT.gpx", the
// value named in the usage by valueName) or a flag ("--keep-breaks",
// valueName null). A required one is written without brackets in the usage
// and its absence is an error.
struct CliOption
{
    const char* name;
    const char* valueName = nullptr;
    bool required = false;

    bool IsFlag() const { return valueName == nullptr; }
};

// One subcommand of quorvel-track. Its options are what the argument parser
// accepts and what the usage lists, so the two cannot drift apart.
struct CliCommand
{
    const char* name;
    // The arguments that are not options, as the usage names them: "IN",
    // "IN OUT.gpx"; a last one ending in "..." may be given more than once.
    const char* operands;
    std::vector<CliOption> options;
    // What the command does, after the synopsis; '\n' breaks its lines.
    const char* summary;
    // Runs the command with the arguments after its name and returns the
    // process exit status: 0 done, 1 failed, 2 bad command line.
    int (*run)(const CliCommand& command, const QStringList& args);
};

// Every subcommand, in the order the usage lists them.
const std::vector<CliCommand>& GetCliCommands();
// Null when there is no such subcommand.
const CliCommand* FindCliCommand(const QString& name);

// The synopsis and summary of a command as the usage prints them, after
// "quorvel-track ".
QString GetCliUsage(const CliCommand& command);

// Runs the subcommand name, or prints its usage for "--help"; an unknown
// name is a bad command line.
int RunCliCommand(const QString& name, const QStringList& args);
// All of quorvel-track after its own name: the list of commands for
// "--help" (and for nothing at all), otherwise the subcommand.
int RunCli(const QStringList& args);

// Each subcommand lives in its own file.
int RunCoordCommand(const CliCommand& command, const QStringList& args);
int RunInfoCommand(const CliCommand& command, const QStringList& args);
int RunConvertCommand(const CliCommand& command, const QStringList& args);
int RunFilterCommand(const CliCommand& command, const QStringList& args);
int RunRestructureCommand(const CliCommand& command, const QStringList& args);
int RunReverseCommand(const CliCommand& command, const QStringList& args);
int RunMergeCommand(const CliCommand& command, const QStringList& args);
int RunShiftCommand(const CliCommand& command, const QStringList& args);
int RunRetimeCommand(const CliCommand& command, const QStringList& args);
int RunDensifyCommand(const CliCommand& command, const QStringList& args);
int RunStatsCommand(const CliCommand& command, const QStringList& args);
int RunCleanCommand(const CliCommand& command, const QStringList& args);
