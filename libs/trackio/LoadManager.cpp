#include "LoadManager.h"

#include "FormatSniffer.h"
#include "GpxLoader.h"
#include "KmlLoader.h"
#include "MagellanLoader.h"
#include "NmeaLoader.h"
#include "OziLoader.h"
#include "TcxLoader.h"

#include <QFile>
#include <QFileInfo>

LoadManager::LoadManager()
{
    m_loaders[TrackFileGpx] = std::make_unique<GpxLoader>();
    m_loaders[TrackFileTcx] = std::make_unique<TcxLoader>();
    m_loaders[TrackFileKml] = std::make_unique<KmlLoader>();
    m_loaders[TrackFileNmea] = std::make_unique<NmeaLoader>();
    m_loaders[TrackFileOzi] = std::make_unique<OziLoader>();
    m_loaders[TrackFileMagellanSd] = std::make_unique<MagellanLoader>();
}

LoadManager::~LoadManager() = default;

TrackLoaderI::LoadStatus LoadManager::Verify(const QString& fileName, TrackFileType& type) const
{
    type = TrackFileAll;
    const QFileInfo info(fileName);
    if (!info.exists() || info.isDir())
        return TrackLoaderI::FileMissing;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return TrackLoaderI::FileLocked;
    const TrackFileType detected = FormatSniffer::Detect(file.read(FormatSniffer::HeadBytes));
    if (detected == TrackFileAll || !GetTrackLoader(detected))
        return TrackLoaderI::FormatUnknown;
    if ((detected == TrackFileGpx || detected == TrackFileKml) && info.size() > MaxXmlFileBytes)
        return TrackLoaderI::TooLarge;
    type = detected;
    return TrackLoaderI::Success;
}

TrackLoaderI* LoadManager::GetTrackLoader(TrackFileType type) const
{
    return GetLoaderBase(type);
}

TrackLoaderBase* LoadManager::GetLoaderBase(TrackFileType type) const
{
    const auto it = m_loaders.find(type);
    return it == m_loaders.end() ? nullptr : it->second.get();
}
