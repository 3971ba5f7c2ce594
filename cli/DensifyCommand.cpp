#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "IncreaseFrequency.h"
#include "OpenTracks.h"
#include "TrackTreeAlg.h"

int RunDensifyCommand(const CliCommand& command, const QStringList& args)
{
    CliArgs parsed(command, args);
    double seconds = 0;
    double meters = 0;
    if (!parsed.GetNumber(QStringLiteral("--time"), 1.0, seconds)
        || !parsed.GetNumber(QStringLiteral("--dist"), 10.0, meters))
        parsed.SetError(QStringLiteral("--time and --dist need numbers (0 leaves a step out)"));
    // As the dialog reads its steps: one that is not above zero is not used.
    const TimeSpan timeStep = seconds > 0 ? TimeSpan::FromSeconds(seconds) : TimeSpan();
    const double distStep = meters > 0 ? meters : 0.0;
    return CliOpenTracks::EditFile(parsed, [&](int file) {
        OpenTracksModel& model = OpenTracks::Get().model;
        std::vector<int> segments;
        TrackTreeAlg(model.GetReader().get()).GetSubsegmentIds(file, segments);
        if (!IncreaseFrequency::ApplyToSegments(model, segments, timeStep, distStep)) {
            return parsed.ReportFailure(
                QStringLiteral("the result would exceed %1 points; choose a larger --time or --dist")
                    .arg(IncreaseFrequency::MaxPoints));
        }
        return 0;
    });
}
