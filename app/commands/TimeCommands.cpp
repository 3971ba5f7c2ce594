#include "TimeCommands.h"

#include "FShiftTimeDlg.h"
#include "MessageBoxStyle.h"
#include "OpenTracks.h"
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

void RunShiftTimeCommand(QWidget* parent)
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
    TimeShift::Apply(track->GetTrackData(), TimeConv::LocalToUtc(dialog.GetStart()) - oldStart);
    track->Refresh(false);
    NoteTrackChanged(track->GetTid());
}

void RunResetTimeCommand(QWidget* parent)
{
    const std::vector<int> items = SelectedItems();
    if (items.empty())
        return;
    const TrackPtr track = TrackWithPoints(items.front());
    if (!track)
        return;
    if (Translator::GetInstance().MessageBoxW(IDS_RESET_TIME_CONFIRM, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    ResetTimeUiImpl(track, parent).Run(true);
}
