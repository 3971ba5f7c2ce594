#pragma once

#include "TrackDataSet.h"
#include "TrackLoaderI.h"
#include "TrackTree.h"

#include <QByteArray>
#include <QString>

#include <memory>

// A tree and its points, read from GPX or built by a test, that can be saved
// back as GPX in memory.
struct GpxDocument
{
    GpxDocument();

    static GpxDocument ReadFile(const QString& path);
    // Read from memory as a file named name.
    static GpxDocument ReadBytes(const QByteArray& bytes, const QString& name = QStringLiteral("memory.gpx"));

    // The GPX text of the subtree of tid (the file node when -1).
    QByteArray Save(int tid = -1) const;
    int FileTid() const;
    const TrackTreeReaderI& Reader() const { return *tree.GetReader(); }

    TrackTree tree;
    std::shared_ptr<TrackDataSetImpl> data;
    TrackLoaderI::LoadStatus status = TrackLoaderI::Idle;
    QString error;
};
