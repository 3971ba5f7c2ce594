#pragma once

#include <QStringList>

#include <functional>
#include <vector>

// One subcommand of quorvel-track: its name, a usage line, and what runs it
// with the arguments after the name. It returns the process exit status.
struct CliCommand
{
    const char* name;
    const char* usage;
    std::function<int(const QStringList& args)> run;
};

std::vector<CliCommand> GetCliCommands();

// Each subcommand lives in its own file.
int RunCoordCommand(const QStringList& args);
int RunInfoCommand(const QStringList& args);
int RunConvertCommand(const QStringList& args);
int RunFilterCommand(const QStringList& args);
int RunRestructureCommand(const QStringList& args);
int RunReverseCommand(const QStringList& args);
int RunMergeCommand(const QStringList& args);
int RunShiftCommand(const QStringList& args);
int RunRetimeCommand(const QStringList& args);
int RunDensifyCommand(const QStringList& args);

struct LoadedTrackFile;
// Writes why a file could not be read to stderr; returns the exit status.
int ReportLoadFailure(const QString& fileName, const LoadedTrackFile& loaded);
