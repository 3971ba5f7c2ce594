#pragma once

#include "NamerImpl.h"
#include "OpenTracksModel.h"
#include "TracksStateHolderImpl.h"

// The process-wide open tracks: the model with the state and the namer that
// follow it. They are made together on first use, so that both listen
// before the first file arrives, and destroyed together at exit; reaching
// them after that is fatal.
struct OpenTracks
{
    OpenTracks();

    static OpenTracks& Get();

    OpenTracksModel model;
    TracksStateHolderImpl holder;
    NamerImpl namer;
};
