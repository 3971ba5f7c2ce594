#include "TrackChangeNotice.h"

#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "OpenTracks.h"
#include "TrackTreeAlg.h"

void NoteTrackChanged(int tid)
{
    OpenTracksModel& model = OpenTracks::Get().model;
    model.SetModified(TrackTreeAlg(model.GetReader().get()).GetFileId(tid), true);
    GEventManagerImpl::GetInstance().Notify(GEventKind::PointsChanged);
}
