#pragma once

#include "Version.h"

#include <QByteArray>
#include <QString>

// Where an installation lives and where its updates come from.
struct UpdaterParams
{
    // The program folder, whose files an update replaces.
    QString appDir;
    // The program's executable in that folder, started again after an install.
    QString exeName;
    // Per installation, so that two copies never share a download.
    QString downloadDir;
    // The update service; "manifest.json", "manifest.sig" and the files
    // ("<version>/<path>") are found under it.
    QString baseUrl;
    // Marks a downloaded, verified update as ready to install.
    QString cachePath;
    // The program that installs, in the program folder.
    QString updaterExeName;
    // The key the manifest's signature must verify with.
    QByteArray publicKey;
    // Only a newer version is an update.
    Version currentVersion;
    // For the manifest and its signature; files have only the stall limit.
    int checkTimeoutMs = 30000;
};

// What the user is told about an available update.
struct UpdateDesc
{
    QString name;
    QString infoUrl;
    Version version;
};

// One report of a download in progress, for the download callback.
struct DownloadTaskInfo
{
    enum Status {
        SaveFailed = 0,
        DownloadFailed = 1,
        FileStarted = 3,
        FileDone = 4,
        FileProgress = 5,
    };

    int status = FileStarted;
    QString fileName;
    qint64 bytesDone = 0;
    qint64 bytesTotal = 0;
    // Why the download failed (status DownloadFailed).
    QString error;
};
