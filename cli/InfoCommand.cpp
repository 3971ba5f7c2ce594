#include "CliArgs.h"
#include "CliCommands.h"

#include "TrackFileSummary.h"

#include <QJsonDocument>
#include <QTextStream>

int RunInfoCommand(const CliCommand& command, const QStringList& args)
{
    // A mistyped option is a bad command line, not a file that is missing.
    const CliArgs parsed(command, args);
    if (!parsed.GetError().isEmpty())
        return parsed.ReportError();
    QTextStream out(stdout);
    const LoadManager manager;
    int failures = 0;
    for (const QString& fileName : parsed.GetNames()) {
        const LoadedTrackFile loaded = manager.Load(fileName);
        if (loaded.status != TrackLoaderI::Success)
            ++failures;
        out << QJsonDocument(SummariseTrackFile(fileName, loaded)).toJson(QJsonDocument::Compact) << '\n';
    }
    return failures == 0 ? 0 : 1;
}
