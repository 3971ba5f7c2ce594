#include "CliCommands.h"

#include "RegistryKey.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

int Usage(int status)
{
    QTextStream err(stderr);
    err << "usage: quorvel-track COMMAND [ARGS...]\n";
    for (const CliCommand& command : GetCliCommands())
        err << "  quorvel-track " << command.usage << '\n';
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    RegistryKey::SetAppSection(QStringLiteral("Orbelin\\Quorvel"));
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.front() == QLatin1String("--help") || args.front() == QLatin1String("-h"))
        return Usage(args.isEmpty() ? 2 : 0);
    const QString name = args.takeFirst();
    for (const CliCommand& command : GetCliCommands()) {
        if (name == QLatin1String(command.name))
            return command.run(args);
    }
    QTextStream(stderr) << "quorvel-track: unknown command '" << name << "'\n";
    return Usage(2);
}
