#pragma once

#include "LoopbackHttpServer.h"
#include "UpdateManifest.h"
#include "UpdaterParams.h"

#include <QByteArray>
#include <QString>

#include <map>

// A release signed with a key made for the test (never the release key),
// served by a loopback server under "/system/update/".
class TestUpdateRelease
{
public:
    static constexpr const char* BasePath = "/system/update/";

    explicit TestUpdateRelease(LoopbackHttpServer& server, const QString& version = QStringLiteral("2.0.0"));

    void AddFile(const QString& path, const QByteArray& bytes, bool executable = false);
    // Signs the manifest and serves it, its signature and the files.
    void Publish();

    // Where an installation that takes this release looks: its program
    // folder and download folder under root, the test key, version 1.0.0.
    UpdaterParams MakeParams(const QString& root) const;
    QString GetManifestPath() const { return QString::fromLatin1(BasePath) + QStringLiteral("manifest.json"); }
    // Where the server has a file of the release, percent-encoded.
    std::string GetFilePath(const QString& path) const;

    UpdateManifest manifest;
    QByteArray json;
    QByteArray signature;
    QByteArray secretKey;
    QByteArray publicKey;
    std::map<QString, QByteArray> contents;

private:
    LoopbackHttpServer& m_server;
};
