#include "FilterManager.h"

#include "FilterWindow.h"
#include "TrackPointStatus.h"

int FilterManager::ApplyFilter(const Filter::Function& filter, const TrackPtr& track)
{
    if (!track)
        return 0;
    FilterWindow window(*track);
    window.Run(filter);
    const std::map<int, int>& rejections = window.GetRejections();
    for (const auto& [index, key] : rejections) {
        if (TrackPointStatus* status = track->GetPointStatus(index))
            status->SetFilterReason(key);
    }
    if (!rejections.empty())
        track->Refresh(false);
    return static_cast<int>(rejections.size());
}
