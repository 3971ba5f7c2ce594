#pragma once

#include "UpdateManifest.h"

#include <QString>

#include <optional>

// The folder an update is downloaded into before it is installed:
// "manifest.json" and its signature "manifest.sig" as the server sent them,
// and the files under "files/" by their paths in the manifest.
class UpdateFolder
{
public:
    explicit UpdateFolder(QString dir);

    const QString& GetDir() const { return m_dir; }
    QString GetManifestPath() const;
    QString GetSignaturePath() const;
    QString GetFilePath(const UpdateManifest::File& file) const;

    // The stored manifest, when its signature verifies with the key.
    std::optional<UpdateManifest> ReadSignedManifest(const QByteArray& publicKey) const;
    // The stored manifest without a signature check: the installer trusts
    // the program that checked it before starting it.
    std::optional<UpdateManifest> ReadManifest(QString* error = nullptr) const;
    // True when every file of the manifest is there with its size and
    // digest; otherwise error names the first one that is not.
    bool HasAllFiles(const UpdateManifest& manifest, QString* error = nullptr) const;

    // The SHA-256 digest of a file's bytes; empty when it cannot be read.
    static QByteArray Sha256OfFile(const QString& path);
    static bool Matches(const QString& path, const UpdateManifest::File& file);

private:
    QString m_dir;
};
