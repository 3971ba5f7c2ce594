#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "OpenTracks.h"
#include "StringIds.h"
#include "TrackRestructure.h"
#include "Translator.h"

#include <QTextStream>

int RunRestructureCommand(const QStringList& args)
{
    const QString folderGap = QStringLiteral("--folder-gap");
    const QString segmentGap = QStringLiteral("--segment-gap");
    const QString keepBreaks = QStringLiteral("--keep-breaks");
    const QString output = QStringLiteral("-o");
    CliArgs parsed(args, {folderGap, segmentGap, output}, {keepBreaks});
    RestructureParams params;
    params.folderMinutes = parsed.GetPositive(folderGap, params.folderMinutes);
    params.segmentMinutes = parsed.GetPositive(segmentGap, params.segmentMinutes);
    params.keepBreaks = parsed.Has(keepBreaks);
    QString error = parsed.GetError();
    if (error.isEmpty() && (parsed.GetNames().size() != 1 || !parsed.Has(output)))
        error = QStringLiteral("expected IN and -o OUT.gpx");
    if (!error.isEmpty()) {
        QTextStream(stderr) << "restructure: " << error << '\n';
        return 2;
    }
    const int file = CliOpenTracks::Open(parsed.GetNames().front());
    if (file < 0)
        return 1;
    if (!TrackRestructure(OpenTracks::Get().model).RestructureFile(file, params)) {
        QTextStream(stderr) << parsed.GetNames().front() << ": "
                            << Translator::GetInstance().LoadStr(IDS_SPLIT_ERROR) << '\n';
        return 1;
    }
    return CliOpenTracks::SaveGpx(file, parsed.GetValue(output));
}
