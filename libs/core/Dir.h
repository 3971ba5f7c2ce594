#pragma once

#include <QString>
#include <QStringList>

// Folders the program reads from and writes to.
class Dir
{
public:
    // Folder of the executable.
    static QString GetAppDir();
    // Full path of the executable.
    static QString GetAppFilePath();
    // Folder of the shipped data files ("Palettes", "Maps", "Res", "Doc",
    // "samples"): FindDataDir for the executable's folder unless overridden
    // (tests, or QUORVEL_DATA_DIR in the environment).
    static QString GetDataDir();
    static void SetDataDir(const QString& folder);
    // The first folder that exists of: "data" in appDir (the build folder),
    // "../share/quorvel" from appDir (an installed copy), "quorvel" in each
    // of sharedDataDirs in order; "data" in appDir when none does.
    static QString FindDataDir(const QString& appDir, const QStringList& sharedDataDirs);
    // A data file by its relative name; backslashes are accepted
    // ("Palettes\DefaultPalettes.xml").
    static QString GetDataFilePath(const QString& relativeName);
    // relative resolved against base; an absolute name is returned cleaned.
    static QString GetAbsFileName(const QString& relative, const QString& base);
    // The user's per-program data folder, created when missing.
    static QString GetLocalAppDataDir();
};
