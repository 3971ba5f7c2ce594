#pragma once

#include "OblOptions.h"
#include "RestructureParams.h"

// The restructuring thresholds the user chose last, kept in
// "Settings\RebuildTree".
class RebuildTreeOptions : public OblOptionsBase
{
public:
    // What the dialog offers: a segment gap of 1 to 10 minutes, a folder gap
    // of 10 minutes to 10 hours.
    static constexpr int MinSegmentMinutes = 1;
    static constexpr int MaxSegmentMinutes = 10;
    static constexpr int MinFolderMinutes = 10;
    static constexpr int MaxFolderMinutes = 600;

    RebuildTreeOptions();
    static RebuildTreeOptions& GetInstance();

    // The stored thresholds brought into the dialog's ranges: a gap of 0 or
    // less minutes, edited into the settings by hand, would make a folder
    // of every point.
    RestructureParams GetParams() const;

    // Minutes.
    OblOptionInt folderThreshold{RestructureParams().folderMinutes};
    OblOptionInt segThreshold{RestructureParams().segmentMinutes};
    OblOptionBool keepBreaks{RestructureParams().keepBreaks};
};
