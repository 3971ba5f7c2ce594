#pragma once

#include <QString>

// Track files opened into the process-wide open tracks the way the program
// opens them (times checked, track objects built), so that subcommands run
// the program's own operations on them, and saved back as GPX.
class CliOpenTracks
{
public:
    // The new file's tid; -1 after telling stderr why the file was not read.
    static int Open(const QString& fileName);
    // Writes an open file as GPX; 0, or 1 after telling stderr why not.
    static int SaveGpx(int fileTid, const QString& path);
};
