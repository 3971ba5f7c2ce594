#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "IncreaseFrequency.h"
#include "OpenTracks.h"
#include "Track.h"
#include "TrackTreeAlg.h"

#include <QTextStream>

namespace {

// The step an option gives, the default when it is absent; false when its
// text is not a number.
bool ReadStep(const CliArgs& parsed, const QString& option, double defaultValue, double& step)
{
    bool ok = true;
    step = parsed.Has(option) ? parsed.GetValue(option).toDouble(&ok) : defaultValue;
    return ok;
}

} // namespace

int RunDensifyCommand(const QStringList& args)
{
    const QString timeOption = QStringLiteral("--time");
    const QString distOption = QStringLiteral("--dist");
    const QString output = QStringLiteral("-o");
    const CliArgs parsed(args, {timeOption, distOption, output}, {});
    QString error = parsed.GetError();
    if (error.isEmpty() && (parsed.GetNames().size() != 1 || !parsed.Has(output)))
        error = QStringLiteral("expected IN and -o OUT.gpx");
    double seconds = 0;
    double meters = 0;
    if (error.isEmpty() && (!ReadStep(parsed, timeOption, 1.0, seconds) || !ReadStep(parsed, distOption, 10.0, meters)))
        error = QStringLiteral("--time and --dist need numbers (0 leaves a step out)");
    if (!error.isEmpty()) {
        QTextStream(stderr) << "densify: " << error << '\n';
        return 2;
    }
    const int file = CliOpenTracks::Open(parsed.GetNames().front());
    if (file < 0)
        return 1;
    // As the dialog reads its steps: one that is not above zero is not used.
    const TimeSpan timeStep = seconds > 0 ? TimeSpan::FromSeconds(seconds) : TimeSpan();
    const double distStep = meters > 0 ? meters : 0.0;
    OpenTracksModel& model = OpenTracks::Get().model;
    std::vector<int> segments;
    TrackTreeAlg(model.GetReader().get()).GetSubsegmentIds(file, segments);
    const unsigned long long total = IncreaseFrequency::CountPoints(model, segments, timeStep, distStep);
    if (total > IncreaseFrequency::MaxPoints) {
        QTextStream(stderr) << "densify: the result would exceed " << IncreaseFrequency::MaxPoints
                            << " points; choose a larger --time or --dist\n";
        return 1;
    }
    for (int tid : segments) {
        if (auto segment = std::dynamic_pointer_cast<Track>(model.GetTrack(tid)))
            IncreaseFrequency::Apply(*segment, timeStep, distStep);
    }
    return CliOpenTracks::SaveGpx(file, parsed.GetValue(output));
}
