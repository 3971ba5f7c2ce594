#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>
#include <vector>

QString FixturesDir()
{
    const QByteArray fromEnv = qgetenv("QUORVEL_FIXTURES");
    return fromEnv.isEmpty() ? QStringLiteral(QUORVEL_FIXTURES_DEFAULT) : QString::fromLocal8Bit(fromEnv);
}

QString MakeTempDir()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return dirs.back()->path();
}
