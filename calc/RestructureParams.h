#pragma once

// How a file's points are cut into folders and segments: a gap longer than
// folderMinutes starts a new folder, one longer than segmentMinutes a new
// segment; keepBreaks keeps the segment breaks the points already have.
struct RestructureParams
{
    int folderMinutes = 60;
    int segmentMinutes = 5;
    bool keepBreaks = false;
};
