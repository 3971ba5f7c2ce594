#pragma once

#include "OblOptions.h"
#include "RestructureParams.h"

// The restructuring thresholds the user chose last, kept in
// "Settings\RebuildTree".
class RebuildTreeOptions : public OblOptionsBase
{
public:
    RebuildTreeOptions();
    static RebuildTreeOptions& GetInstance();

    RestructureParams GetParams() const;

    // Minutes.
    OblOptionInt folderThreshold{RestructureParams().folderMinutes};
    OblOptionInt segThreshold{RestructureParams().segmentMinutes};
    OblOptionBool keepBreaks{RestructureParams().keepBreaks};
};
