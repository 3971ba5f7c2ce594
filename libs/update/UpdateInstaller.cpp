#include "UpdateInstaller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

constexpr QFileDevice::Permissions PlainFile =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr QFileDevice::Permissions Program =
    PlainFile | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;

bool Exists(const QString& path)
{
    // A dangling link is still something to move out of the way.
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

} // namespace

UpdateInstaller::UpdateInstaller(QString programDir, UpdateFolder update, QString backupDir)
    : m_programDir(std::move(programDir))
    , m_update(std::move(update))
    , m_backupDir(std::move(backupDir))
{
}

bool UpdateInstaller::Install(const UpdateManifest& manifest)
{
    m_error.clear();
    if (!m_update.HasAllFiles(manifest, &m_error))
        return false;
    for (const UpdateManifest::File& file : manifest.files)
        if (!Stage(file)) {
            RollBack();
            return false;
        }
    for (Swap& swap : m_swaps)
        if (!SwapIn(swap)) {
            RollBack();
            return false;
        }
    QDir(m_backupDir).removeRecursively();
    return true;
}

bool UpdateInstaller::Stage(const UpdateManifest::File& file)
{
    const QString target = QDir(m_programDir).filePath(file.path);
    const QString staged = GetStagedPath(target);
    if (!MakeFolder(QFileInfo(target).path()))
        return Failed(QStringLiteral("Cannot create the folder of %1.").arg(target));
    QFile::remove(staged);
    if (!QFile::copy(m_update.GetFilePath(file), staged))
        return Failed(QStringLiteral("Cannot write %1.").arg(staged));
    m_staged.append(staged);
    if (!QFile::setPermissions(staged, file.executable ? Program : PlainFile))
        return Failed(QStringLiteral("Cannot set the permissions of %1.").arg(staged));
    m_swaps.push_back({target, QDir(m_backupDir).filePath(file.path), false, false});
    return true;
}

bool UpdateInstaller::SwapIn(Swap& swap)
{
    if (Exists(swap.target)) {
        if (!MakeFolder(QFileInfo(swap.backup).path()) || !QFile::rename(swap.target, swap.backup))
            return Failed(QStringLiteral("Cannot move %1 aside.").arg(swap.target));
        swap.hadOriginal = true;
    }
    if (!QFile::rename(GetStagedPath(swap.target), swap.target))
        return Failed(QStringLiteral("Cannot put %1 in place.").arg(swap.target));
    swap.placed = true;
    return true;
}

void UpdateInstaller::RollBack()
{
    bool restored = true;
    for (auto swap = m_swaps.rbegin(); swap != m_swaps.rend(); ++swap) {
        if (swap->placed)
            QFile::remove(swap->target);
        if (swap->hadOriginal && !QFile::rename(swap->backup, swap->target))
            restored = false;
    }
    for (const QString& staged : std::as_const(m_staged))
        QFile::remove(staged);
    // Deepest first, and only while empty: a folder that holds anything
    // else was not ours alone.
    std::for_each(m_createdFolders.crbegin(), m_createdFolders.crend(), [](const QString& folder) { QDir().rmdir(folder); });
    // The backup is all that is left of a file that could not go back.
    if (restored)
        QDir(m_backupDir).removeRecursively();
    else
        m_error += QStringLiteral(" Some files could not be put back; they are kept in %1.").arg(m_backupDir);
}

bool UpdateInstaller::MakeFolder(const QString& path)
{
    QStringList missing;
    for (QString folder = QDir::cleanPath(path); !QFileInfo(folder).exists(); folder = QFileInfo(folder).path())
        missing.prepend(folder);
    for (const QString& folder : std::as_const(missing)) {
        if (!QDir().mkdir(folder))
            return false;
        m_createdFolders.append(folder);
    }
    return true;
}

QString UpdateInstaller::GetStagedPath(const QString& target) const
{
    const QFileInfo info(target);
    return QDir(info.path()).filePath(QStringLiteral(".quorvel-new-") + info.fileName());
}

bool UpdateInstaller::Failed(const QString& why)
{
    m_error = why;
    return false;
}
