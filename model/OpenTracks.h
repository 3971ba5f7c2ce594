#pragma once

#include "NamerImpl.h"
#include "OpenTracksModel.h"
#include "TracksStateHolderImpl.h"
#include "UndoHistory.h"

// The process-wide open tracks: the model with the state, the namer and the
// undo history that follow it. They are made together on first use, so that they listen
// before the first file arrives, and destroyed together at exit; reaching
// them after that is fatal.
struct OpenTracks
{
    OpenTracks();
    ~OpenTracks();

    static OpenTracks& Get();

    OpenTracksModel model;
    TracksStateHolderImpl holder;
    NamerImpl namer;
    UndoHistory history;
};
