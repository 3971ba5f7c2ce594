#include "TestUpdateRelease.h"

#include "Ed25519.h"

#include <QCryptographicHash>
#include <QDir>
#include <QUrl>

TestUpdateRelease::TestUpdateRelease(LoopbackHttpServer& server, const QString& version)
    : m_server(server)
{
    Ed25519::GenerateKeyPair(secretKey, publicKey);
    manifest.version.Parse(version);
    manifest.name = QStringLiteral("Quorvel ") + version;
    manifest.infoUrl = QStringLiteral("https://example.org/release-notes");
}

void TestUpdateRelease::AddFile(const QString& path, const QByteArray& bytes, bool executable)
{
    manifest.files.push_back(
        {path, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256), executable});
    contents[path] = bytes;
}

void TestUpdateRelease::Publish()
{
    json = manifest.ToJson();
    signature = Ed25519::Sign(json, secretKey);
    m_server.SetRoute(std::string(BasePath) + "manifest.json", json);
    m_server.SetRoute(std::string(BasePath) + "manifest.sig", signature);
    for (const auto& [path, bytes] : contents)
        m_server.SetRoute(GetFilePath(path), bytes);
}

std::string TestUpdateRelease::GetFilePath(const QString& path) const
{
    std::string url = std::string(BasePath) + manifest.GetVersionText().toStdString();
    for (const QString& part : path.split(QLatin1Char('/')))
        url += "/" + QUrl::toPercentEncoding(part).toStdString();
    return url;
}

UpdaterParams TestUpdateRelease::MakeParams(const QString& root) const
{
    UpdaterParams params;
    params.appDir = QDir(root).filePath(QStringLiteral("program"));
    QDir().mkpath(params.appDir);
    params.exeName = QStringLiteral("quorvel");
    params.downloadDir = QDir(root).filePath(QStringLiteral("download"));
    params.baseUrl = m_server.Url(BasePath);
    params.cachePath = QDir(params.appDir).filePath(QStringLiteral("Updater.bin"));
    params.updaterExeName = QStringLiteral("quorvel-updater");
    params.publicKey = publicKey;
    params.currentVersion.Parse(QStringLiteral("1.0.0"));
    return params;
}
