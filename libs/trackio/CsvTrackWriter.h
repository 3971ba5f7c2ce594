#pragma once

#include "TrackWriterBase.h"

#include <string>
#include <vector>

// Writes comma-separated rows, one line each (CR LF). What goes in a row is
// the caller's: the export takes its header and its point fields from the
// table of point fields.
class CsvTrackWriter : public TrackWriterBase
{
public:
    // One line of texts as given (already narrow text); a text with a comma,
    // quote or line break is quoted.
    SaveStatus WriteRow(const std::vector<std::string>& texts);
};
