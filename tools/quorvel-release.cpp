// quorvel-release: makes a signing key, and publishes a folder of program
// files as a signed update that Quorvel installs.
//
//   quorvel-release keygen KEYFILE
//   quorvel-release publish --key KEYFILE --version 1.2.0 --name "Quorvel 1.2"
//                           --info URL --from PROGRAMDIR --to SERVERDIR
//
// SERVERDIR then holds manifest.json, manifest.sig and VERSION/<files>, to be
// copied as they are under the update address + "system/update/".

#include "Ed25519.h"
#include "UpdateFolder.h"
#include "UpdateManifest.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

int Fail(const QString& text)
{
    std::fprintf(stderr, "quorvel-release: %s\n", qPrintable(text));
    return 1;
}

bool WriteFile(const QString& path, const QByteArray& bytes, QFile::Permissions permissions)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.setPermissions(permissions) &&
           file.write(bytes) == bytes.size();
}

int MakeKey(const QString& keyFile)
{
    if (QFileInfo::exists(keyFile))
        return Fail(QStringLiteral("%1 exists; a key is never overwritten.").arg(keyFile));
    QByteArray secret;
    QByteArray publicKey;
    if (!Ed25519::GenerateKeyPair(secret, publicKey))
        return Fail(QStringLiteral("No key could be made."));
    if (!WriteFile(keyFile, secret.toHex() + '\n', QFile::ReadOwner | QFile::WriteOwner))
        return Fail(QStringLiteral("Cannot write %1.").arg(keyFile));
    std::printf("Public key (QUORVEL_UPDATE_PUBLIC_KEY): %s\n", publicKey.toHex().constData());
    return 0;
}

std::optional<UpdateManifest> ListFiles(const QString& from)
{
    UpdateManifest manifest;
    const QDir root(from);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        UpdateManifest::File file;
        file.path = root.relativeFilePath(info.filePath());
        file.size = info.size();
        file.sha256 = UpdateFolder::Sha256OfFile(info.filePath());
        file.executable = info.isExecutable();
        if (!UpdateManifest::IsSafePath(file.path) || file.sha256.isEmpty()) {
            Fail(QStringLiteral("%1 cannot be part of an update.").arg(file.path));
            return std::nullopt;
        }
        manifest.files.push_back(file);
    }
    std::sort(manifest.files.begin(), manifest.files.end(),
              [](const UpdateManifest::File& a, const UpdateManifest::File& b) { return a.path < b.path; });
    return manifest;
}

int Publish(const QCommandLineParser& parser)
{
    QFile keyFile(parser.value(QStringLiteral("key")));
    if (!keyFile.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("Cannot read the key %1.").arg(keyFile.fileName()));
    const QByteArray secret = QByteArray::fromHex(keyFile.readAll().trimmed());
    // Relative paths are made absolute: the manifest's paths are taken
    // relative to the folder, which only works between absolute paths.
    const QString from = QFileInfo(parser.value(QStringLiteral("from"))).absoluteFilePath();
    const QString to = QFileInfo(parser.value(QStringLiteral("to"))).absoluteFilePath();
    std::optional<UpdateManifest> manifest = ListFiles(from);
    if (!manifest)
        return 1;
    if (manifest->files.empty())
        return Fail(QStringLiteral("%1 holds no files.").arg(from));
    if (!manifest->version.Parse(parser.value(QStringLiteral("version"))))
        return Fail(QStringLiteral("The version must be numbers with dots, such as 1.2.0."));
    manifest->name = parser.value(QStringLiteral("name"));
    manifest->infoUrl = parser.value(QStringLiteral("info"));

    const QByteArray json = manifest->ToJson();
    const QByteArray signature = Ed25519::Sign(json, secret);
    if (signature.isEmpty())
        return Fail(QStringLiteral("The key cannot sign."));
    const QDir out(to);
    const QString filesDir = out.filePath(manifest->GetVersionText());
    for (const UpdateManifest::File& file : manifest->files) {
        const QString target = QDir(filesDir).filePath(file.path);
        QFile::remove(target);
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(QDir(from).filePath(file.path), target))
            return Fail(QStringLiteral("Cannot copy %1.").arg(file.path));
    }
    const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    // The signature goes last: until it is there, no client takes the
    // half-written release.
    if (!WriteFile(out.filePath(QStringLiteral("manifest.json")), json, readable) ||
        !WriteFile(out.filePath(QStringLiteral("manifest.sig")), signature, readable))
        return Fail(QStringLiteral("Cannot write the manifest into %1.").arg(to));
    std::printf("Published %s: %zu files in %s\n", qPrintable(manifest->GetVersionText()), manifest->files.size(),
                qPrintable(to));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Signs Quorvel updates.\n\n"
                                                    "  keygen KEYFILE   make a signing key\n"
                                                    "  publish ...      sign a folder of program files"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("keygen or publish"));
    for (const char* name : {"key", "version", "name", "info", "from", "to"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(name), QStringLiteral("value")));
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.size() == 2 && args[0] == QLatin1String("keygen"))
        return MakeKey(args[1]);
    if (args.size() == 1 && args[0] == QLatin1String("publish")) {
        for (const char* needed : {"key", "version", "from", "to"})
            if (!parser.isSet(QString::fromLatin1(needed)))
                return Fail(QStringLiteral("publish needs --%1.").arg(QString::fromLatin1(needed)));
        return Publish(parser);
    }
    parser.showHelp(2);
}
