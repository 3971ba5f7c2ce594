#pragma once

#include "RestructureParams.h"

#include <QString>

#include <vector>

class OpenTracksModel;

// Rebuilds files from the time gaps of their points, and merges parts of
// files into a new one the same way. Both go through the model's tree
// operations, which announce the change and mark the files modified.
class TrackRestructure
{
public:
    explicit TrackRestructure(OpenTracksModel& model) : m_model(model) {}

    // Replaces the folders and segments of an open file by those cut from
    // its points; the file keeps its tid and record. A file whose segments
    // hold no point stays as it is. False when the file has no segment or
    // the new tree could not be built; the file is then left as it was.
    bool RestructureFile(int fileTid, const RestructureParams& params);

    // A new open file named name, built from the points of all segments
    // beneath items in tree order; the items stay as they are. Returns the
    // new file's tid, or -1 when the items hold no point.
    int Merge(const std::vector<int>& items, const RestructureParams& params, const QString& name);

private:
    OpenTracksModel& m_model;
};
