#pragma once

#include <QString>

// Folders the program reads from and writes to.
class Dir
{
public:
    // Folder of the executable.
    static QString GetAppDir();
    // Full path of the executable.
    static QString GetAppFilePath();
    // Folder of the shipped data files ("Palettes", "Maps", "Res", "Doc",
    // "samples"): "data" next to the executable unless overridden (tests, or
    // QUORVEL_DATA_DIR in the environment).
    static QString GetDataDir();
    static void SetDataDir(const QString& folder);
    // A data file by its relative name; backslashes are accepted
    // ("Palettes\DefaultPalettes.xml").
    static QString GetDataFilePath(const QString& relativeName);
    // relative resolved against base; an absolute name is returned cleaned.
    static QString GetAbsFileName(const QString& relative, const QString& base);
    // The user's per-program data folder, created when missing.
    static QString GetLocalAppDataDir();
};
