#pragma once

#include "TrackFileType.h"
#include "TrackLoaderBase.h"
#include "TrackLoaderI.h"
#include "TrackTree.h"

#include <QString>

#include <map>
#include <memory>

// A file read in one go, on the calling thread (tools, tests, benchmarks).
struct LoadedTrackFile
{
    TrackLoaderI::LoadStatus status = TrackLoaderI::Idle;
    TrackFileType type = TrackFileAll;
    QString error;
    TrackTree tree;
    std::shared_ptr<TrackDataSetImpl> data = std::make_shared<TrackDataSetImpl>();
    // The file node, -1 when the load gave no tracks.
    int fileTid = -1;
};

// Checks files before opening and hands out the loader for a file type.
class LoadManager
{
public:
    // Beyond this size files of every format are refused; the KML inside a
    // KMZ may not unpack to more either.
    static constexpr qint64 MaxFileBytes = TrackLoaderBase::DefaultMaxBytes;

    LoadManager();
    ~LoadManager();

    // Success with the detected type, or why the file cannot be opened.
    TrackLoaderI::LoadStatus Verify(const QString& fileName, TrackFileType& type) const;
    // Null for a type no loader reads. The manager keeps ownership.
    TrackLoaderI* GetTrackLoader(TrackFileType type) const;
    TrackLoaderBase* GetLoaderBase(TrackFileType type) const;

    // Verifies and reads a file with the loader its content calls for.
    LoadedTrackFile Load(const QString& fileName) const;

private:
    std::map<TrackFileType, std::unique_ptr<TrackLoaderBase>> m_loaders;
};
