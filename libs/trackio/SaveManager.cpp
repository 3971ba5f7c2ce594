#include "SaveManager.h"

#include "GpxSaver.h"

SaveManager::SaveManager()
    : m_gpx(std::make_unique<GpxSaver>())
{
}

SaveManager::~SaveManager() = default;

TrackSaverI* SaveManager::GetTrackSaver(TrackFileType type) const
{
    return type == TrackFileGpx ? m_gpx.get() : nullptr;
}
