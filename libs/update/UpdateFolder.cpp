#include "UpdateFolder.h"

#include "Ed25519.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

QByteArray ReadAll(const QString& path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > limit)
        return {};
    return file.readAll();
}

} // namespace

UpdateFolder::UpdateFolder(QString dir)
    : m_dir(std::move(dir))
{
}

QString UpdateFolder::GetManifestPath() const
{
    return QDir(m_dir).filePath(QStringLiteral("manifest.json"));
}

QString UpdateFolder::GetSignaturePath() const
{
    return QDir(m_dir).filePath(QStringLiteral("manifest.sig"));
}

QString UpdateFolder::GetFilePath(const UpdateManifest::File& file) const
{
    return QDir(m_dir).filePath(QStringLiteral("files/") + file.path);
}

std::optional<UpdateManifest> UpdateFolder::ReadSignedManifest(const QByteArray& publicKey) const
{
    const QByteArray json = ReadAll(GetManifestPath(), UpdateManifest::MaxManifestSize);
    const QByteArray signature = ReadAll(GetSignaturePath(), Ed25519::SignatureSize);
    if (json.isEmpty() || !Ed25519::Verify(json, signature, publicKey))
        return std::nullopt;
    return UpdateManifest::Parse(json);
}

std::optional<UpdateManifest> UpdateFolder::ReadManifest(QString* error) const
{
    const QByteArray json = ReadAll(GetManifestPath(), UpdateManifest::MaxManifestSize);
    if (json.isEmpty()) {
        if (error)
            *error = QStringLiteral("No update description in %1.").arg(m_dir);
        return std::nullopt;
    }
    return UpdateManifest::Parse(json, error);
}

bool UpdateFolder::HasAllFiles(const UpdateManifest& manifest, QString* error) const
{
    for (const UpdateManifest::File& file : manifest.files)
        if (!Matches(GetFilePath(file), file)) {
            if (error)
                *error = QStringLiteral("The downloaded file %1 is missing or damaged.").arg(file.path);
            return false;
        }
    return true;
}

QByteArray UpdateFolder::Sha256OfFile(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result();
}

bool UpdateFolder::Matches(const QString& path, const UpdateManifest::File& file)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() == file.size && Sha256OfFile(path) == file.sha256;
}
