#pragma once

#include "TrackLoaderI.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <string>

class TrackDataSetImpl;
class TrackLoaderBase;
class TrackTree;

// Loads bytes from memory and checks what must hold after any load, whatever
// the bytes: shared by the fuzz targets and the regression tests.
struct CheckedLoad
{
    static CheckedLoad Run(TrackLoaderBase& loader, const QByteArray& bytes);

    TrackLoaderI::LoadStatus status = TrackLoaderI::Idle;
    QString error;
    long long points = 0;
    // The first broken invariant; empty when all hold.
    std::string violation;
    // What was read, for checks that go on from it (saving it again).
    std::shared_ptr<TrackTree> tree;
    std::shared_ptr<TrackDataSetImpl> data;
};
