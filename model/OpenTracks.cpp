#include "OpenTracks.h"

#include "AppTick.h"
#include "GEventManagerImpl.h"
#include "ProcessSingleton.h"

namespace {
// The track objects hold connections to the tick and the event manager;
// making both first lets them outlive the tracks at exit.
GEventManagerImpl& EventsBeforeTracks()
{
    AppTick::GetInstance();
    return GEventManagerImpl::GetInstance();
}
} // namespace

OpenTracks::OpenTracks()
    : model(EventsBeforeTracks())
    , holder(model, GEventManagerImpl::GetInstance())
    , namer(model, GEventManagerImpl::GetInstance())
    , history(model, GEventManagerImpl::GetInstance())
{
    model.SetUndoHistory(&history);
}

OpenTracks::~OpenTracks()
{
    model.SetUndoHistory(nullptr);
}

OpenTracks& OpenTracks::Get()
{
    return ProcessSingleton<OpenTracks>::Instance();
}

OpenTracksModel& OpenTracksModel::GetInstance()
{
    return OpenTracks::Get().model;
}

TracksStateHolderImpl& TracksStateHolderImpl::GetInstance()
{
    return OpenTracks::Get().holder;
}

NamerImpl& NamerImpl::GetInstance()
{
    return OpenTracks::Get().namer;
}
