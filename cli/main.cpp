#include "CliCommands.h"

#include "RegistryKey.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    RegistryKey::SetAppSection(QStringLiteral("Orbelin\\Quorvel"));
    return RunCli(QCoreApplication::arguments().mid(1));
}
