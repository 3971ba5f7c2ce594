#include "CliCommands.h"

#include "TrackFileSummary.h"

#include <QJsonDocument>
#include <QTextStream>

int RunInfoCommand(const CliCommand&, const QStringList& args)
{
    if (args.isEmpty()) {
        QTextStream(stderr) << "info: name at least one track file\n";
        return 2;
    }
    QTextStream out(stdout);
    const LoadManager manager;
    int failures = 0;
    for (const QString& fileName : args) {
        const LoadedTrackFile loaded = manager.Load(fileName);
        if (loaded.status != TrackLoaderI::Success)
            ++failures;
        out << QJsonDocument(SummariseTrackFile(fileName, loaded)).toJson(QJsonDocument::Compact) << '\n';
    }
    return failures == 0 ? 0 : 1;
}
