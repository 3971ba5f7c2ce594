#pragma once

#include "Version.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// What an update consists of: the version it brings, its name and
// information page, and each file of the program folder it replaces, with
// the size and SHA-256 digest the download must have. Stored as JSON beside
// a detached signature of exactly these bytes.
class UpdateManifest
{
public:
    struct File
    {
        // Relative to the program folder, "/"-separated.
        QString path;
        qint64 size = 0;
        // 32 bytes, raw.
        QByteArray sha256;
        bool executable = false;

        bool operator==(const File&) const = default;
    };

    // The manifest refuses more than this: no release comes near, and a
    // download never needs to trust the server's figures beyond them.
    static constexpr qint64 MaxFileSize = qint64(1) << 30;
    static constexpr int MaxFileCount = 10000;
    // A manifest is small; a larger answer is not one.
    static constexpr qint64 MaxManifestSize = 1 << 20;

    static constexpr const char* Product = "Quorvel";

    // Nothing for text that is not a well-formed manifest of this product;
    // error then says what is wrong.
    static std::optional<UpdateManifest> Parse(const QByteArray& json, QString* error = nullptr);
    QByteArray ToJson() const;

    // True for a relative path that stays inside the folder: no empty, "."
    // or ".." parts, no part starting with a dot (the updater's own working
    // names do), no backslashes or control characters.
    static bool IsSafePath(const QString& path);

    Version version;
    QString name;
    QString infoUrl;
    std::vector<File> files;

    // "1.2.0", with a fourth number only when it is not 0; also the folder
    // of the release's files on the server.
    QString GetVersionText() const;
};
