#pragma once

#include "UpdateFolder.h"
#include "UpdateManifest.h"

#include <QString>
#include <QStringList>

#include <vector>

// Puts a downloaded update into the program folder. Every new file is first
// copied beside its target; only then are the targets swapped in, each by a
// rename, with the old file moved to a backup folder. Any failure puts back
// every file already swapped and removes what was added, so the folder ends
// either wholly updated or as it was.
class UpdateInstaller
{
public:
    // backupDir must be on the same file system as the program folder (a
    // folder inside it): files move there by renaming.
    UpdateInstaller(QString programDir, UpdateFolder update, QString backupDir);

    bool Install(const UpdateManifest& manifest);
    const QString& GetError() const { return m_error; }

private:
    struct Swap
    {
        QString target;
        QString backup;
        bool hadOriginal = false;
        bool placed = false;
    };

    bool Stage(const UpdateManifest::File& file);
    bool SwapIn(Swap& swap);
    void RollBack();
    bool MakeFolder(const QString& path);
    QString GetStagedPath(const QString& target) const;
    bool Failed(const QString& why);

    const QString m_programDir;
    const UpdateFolder m_update;
    const QString m_backupDir;
    std::vector<Swap> m_swaps;
    QStringList m_staged;
    QStringList m_createdFolders;
    QString m_error;
};
