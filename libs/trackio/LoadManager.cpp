#include "LoadManager.h"

#include "FitLoader.h"
#include "FormatSniffer.h"
#include "GeoJsonLoader.h"
#include "GpxLoader.h"
#include "IgcLoader.h"
#include "KmlLoader.h"
#include "KmzLoader.h"
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
    m_loaders[TrackFileFit] = std::make_unique<FitLoader>();
    m_loaders[TrackFileIgc] = std::make_unique<IgcLoader>();
    m_loaders[TrackFileGeoJson] = std::make_unique<GeoJsonLoader>();
    m_loaders[TrackFileKmz] = std::make_unique<KmzLoader>(MaxFileBytes);
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
    // A pipe or device reports no useful size; its loader caps what it reads.
    if (info.isFile() && info.size() > MaxFileBytes)
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

LoadedTrackFile LoadManager::Load(const QString& fileName) const
{
    LoadedTrackFile loaded;
    loaded.status = Verify(fileName, loaded.type);
    if (loaded.status != TrackLoaderI::Success)
        return loaded;
    TrackLoaderI* loader = GetTrackLoader(loaded.type);
    auto progress = std::make_shared<OperationProgress>();
    loader->OpenTrack(fileName, loaded.tree.GetCreator(), loaded.data, progress);
    loaded.status = TrackLoaderI::ConvertStatus(progress->GetStatus());
    loaded.error = loader->GetErrorDesc();
    const std::vector<int>& files = loaded.tree.GetReader()->GetChildren(-1);
    if (TrackLoaderI::HasTracks(loaded.status) && !files.empty())
        loaded.fileTid = files.front();
    return loaded;
}
