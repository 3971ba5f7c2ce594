#include "TimeCommands.h"

#include "CleaningCapture.h"
#include "FShiftTimeDlg.h"
#include "MessageBoxStyle.h"
#include "OpenTracks.h"
#include "RecipeStepKind.h"
#include "ResetTimeUiImpl.h"
#include "StringIds.h"
#include "TimeConv.h"
#include "TimeShift.h"
#include "TrackChangeNotice.h"
#include "Translator.h"

#include <vector>

namespace {

std::vector<int> SelectedItems()
{
    std::vector<int> items;
    OpenTracks::Get().holder.GetState().GetSelectedItems(items);
    return items;
}

// The track of tid when it has points; otherwise tells the user and gives
// none.
TrackPtr TrackWithPoints(int tid)
{
    TrackPtr track = OpenTracks::Get().model.GetTrack(tid);
    if (!track || track->GetPointCount() == 0) {
        Translator::GetInstance().MessageBoxW(IDS_TRACK_HAS_NO_POINTS, MB_OK | MB_ICONWARNING);
        return nullptr;
    }
    return track;
}

} // namespace

void RunShiftTimeCommand(QWidget* parent, CleaningLog* log)
{
    Translator& texts = Translator::GetInstance();
    const std::vector<int> items = SelectedItems();
    if (items.size() != 1) {
        texts.MessageBoxW(IDS_SELECT_SINGLE_FILE, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const TrackPtr track = TrackWithPoints(items.front());
    if (!track)
        return;
    const Time oldStart = TimeShift::GetStartTime(track->GetTrackData());
    if (oldStart.IsNull()) {
        texts.MessageBoxW(IDS_COMMAND_NOT_APPLICABLE, MB_OK | MB_ICONINFORMATION);
        return;
    }
    FShiftTimeDlg dialog(TimeConv::UtcToLocal(oldStart), parent);
    if (dialog.DoModal() != IDOK)
        return;
    OpenTracksModel& model = OpenTracks::Get().model;
    CleaningCapture capture(log, model, CleaningCapture::FilesOf(model, items));
    const TimeSpan shift = TimeConv::LocalToUtc(dialog.GetStart()) - oldStart;
    TimeShift::Apply(track->GetTrackData(), shift);
    track->Refresh(false);
    NoteTrackChanged(track->GetTid());
    // By the offset rather than to the start typed, so that the recipe
    // corrects another file of the same clock the same way.
    capture.Done(IDS_UNDO_TIME_SHIFT,
                 {RecipeStep::Of(RecipeSteps::Shift, {{QStringLiteral("seconds"), shift.GetInSeconds()}})});
}

void RunResetTimeCommand(QWidget* parent, CleaningLog* log)
{
    const std::vector<int> items = SelectedItems();
    if (items.empty())
        return;
    const TrackPtr track = TrackWithPoints(items.front());
    if (!track)
        return;
    if (Translator::GetInstance().MessageBoxW(IDS_RESET_TIME_CONFIRM, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    OpenTracksModel& model = OpenTracks::Get().model;
    CleaningCapture capture(log, model, CleaningCapture::FilesOf(model, {items.front()}));
    ResetTimeUiImpl reset(track, parent);
    if (reset.Run(true))
        capture.Done(IDS_UNDO_TIME_RESET, {reset.GetRecipeStep()});
}
