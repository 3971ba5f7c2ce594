#pragma once

#include "TrackFileType.h"
#include "TrackLoaderI.h"

#include <QString>

#include <map>
#include <memory>

class TrackLoaderBase;

// Checks files before opening and hands out the loader for a file type.
class LoadManager
{
public:
    // GPX and KML files are read whole into memory-hungry trees by many
    // tools; beyond this size the program refuses them.
    static constexpr qint64 MaxXmlFileBytes = 100LL * 1024 * 1024;

    LoadManager();
    ~LoadManager();

    // Success with the detected type, or why the file cannot be opened.
    TrackLoaderI::LoadStatus Verify(const QString& fileName, TrackFileType& type) const;
    // Null for a type no loader reads. The manager keeps ownership.
    TrackLoaderI* GetTrackLoader(TrackFileType type) const;
    TrackLoaderBase* GetLoaderBase(TrackFileType type) const;

private:
    std::map<TrackFileType, std::unique_ptr<TrackLoaderBase>> m_loaders;
};
