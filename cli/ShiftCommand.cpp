#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "IsoTime.h"
#include "OpenTracks.h"
#include "StringIds.h"
#include "TimeShift.h"
#include "Translator.h"

#include <QTextStream>

int RunShiftCommand(const QStringList& args)
{
    const QString startOption = QStringLiteral("--start");
    const QString output = QStringLiteral("-o");
    const CliArgs parsed(args, {startOption, output}, {});
    QString error = parsed.GetError();
    if (error.isEmpty() && (parsed.GetNames().size() != 1 || !parsed.Has(output) || !parsed.Has(startOption)))
        error = QStringLiteral("expected IN, --start ISO-TIME and -o OUT.gpx");
    const Time start = IsoTime::Parse(parsed.GetValue(startOption).toStdString());
    if (error.isEmpty() && start.IsNull())
        error = QStringLiteral("--start needs an ISO 8601 time");
    if (!error.isEmpty()) {
        QTextStream(stderr) << "shift: " << error << '\n';
        return 2;
    }
    const int file = CliOpenTracks::Open(parsed.GetNames().front());
    if (file < 0)
        return 1;
    const TrackPtr track = OpenTracks::Get().model.GetTrack(file);
    const Time oldStart = TimeShift::GetStartTime(track->GetTrackData());
    if (oldStart.IsNull()) {
        QTextStream(stderr) << parsed.GetNames().front() << ": "
                            << Translator::GetInstance().LoadStr(IDS_COMMAND_NOT_APPLICABLE) << '\n';
        return 1;
    }
    TimeShift::Apply(track->GetTrackData(), start - oldStart);
    track->Refresh(false);
    return CliOpenTracks::SaveGpx(file, parsed.GetValue(output));
}
