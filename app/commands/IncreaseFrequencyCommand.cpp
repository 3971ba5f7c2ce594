#include "IncreaseFrequencyCommand.h"

#include "CleaningCapture.h"
#include "FIncreaseFreqDlg.h"
#include "FilterRun.h"
#include "GEventManagerImpl.h"
#include "IncreaseFrequency.h"
#include "MessageBoxStyle.h"
#include "OpenTracks.h"
#include "RecipeStepKind.h"
#include "StringIds.h"
#include "Track.h"
#include "Translator.h"

#include <QLocale>

void RunIncreaseFrequencyCommand(QWidget* parent, CleaningLog* log)
{
    OpenTracks& open = OpenTracks::Get();
    FilterRun run(open.model, open.holder.GetState(), GEventManagerImpl::GetInstance(), FilterRun::Scope::Segments);
    FIncreaseFreqDlg dialog(parent);
    if (dialog.DoModal() != IDOK)
        return;
    const FIncreaseFreqDlg::Options options;
    const TimeSpan timeStep = FIncreaseFreqDlg::GetTimeStep(options);
    const double distStep = FIncreaseFreqDlg::GetDistStep(options);
    if (IncreaseFrequency::CountPoints(open.model, run.GetTids(), timeStep, distStep) > IncreaseFrequency::MaxPoints) {
        Translator& translator = Translator::GetInstance();
        translator.MessageBoxW(
            translator.Format(IDS_INCREASE_FREQ_TOO_MANY, QLocale().toString(IncreaseFrequency::MaxPoints)),
            MB_OK | MB_ICONWARNING);
        return;
    }
    CleaningCapture capture(log, open.model, CleaningCapture::FilesOf(open.model, run.GetTids()));
    run.Run([timeStep, distStep](const TrackPtr& track) {
        if (auto segment = std::dynamic_pointer_cast<Track>(track))
            IncreaseFrequency::Apply(*segment, timeStep, distStep);
    });
    run.End(0, false);
    // A step left out is 0 in a recipe.
    capture.Done(IDS_UNDO_INCREASE_FREQUENCY,
                 {RecipeStep::Of(RecipeSteps::Densify, {{QStringLiteral("time_s"), timeStep.GetInSeconds()},
                                                        {QStringLiteral("dist_m"), distStep}})});
}
