#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>
#include <vector>

QString FixturesDir()
{
    const QByteArray fromEnv = qgetenv("QUORVEL_FIXTURES");
    return fromEnv.isEmpty() ? QStringLiteral(QUORVEL_FIXTURES_DEFAULT) : QString::fromLocal8Bit(fromEnv);
}

MissingTestFile::MissingTestFile(const QString& path)
    : std::runtime_error("missing test file " + QDir::toNativeSeparators(path).toStdString())
{
}

QString FixturePath(const QString& relative)
{
    const QString path = relative.isEmpty() ? FixturesDir() : QDir(FixturesDir()).filePath(relative);
    if (!QFileInfo::exists(path))
        throw MissingTestFile(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    return path;
}

QString MakeTempDir()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return dirs.back()->path();
}

TestFileNotWritten::TestFileNotWritten(const QString& path, const QString& reason)
    : std::runtime_error("cannot write test file " + QDir::toNativeSeparators(path).toStdString() + ": " +
                         reason.toStdString())
{
}

QString WriteTestFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw TestFileNotWritten(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw TestFileNotWritten(path, file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw TestFileNotWritten(path, file.errorString());
    return path;
}
