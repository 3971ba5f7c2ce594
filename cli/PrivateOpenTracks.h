#pragma once

#include "GEventManagerImpl.h"
#include "NamerImpl.h"
#include "OpenTracksModel.h"

// Open tracks of one worker thread, made like the process-wide ones but
// apart from them (those belong to the user-interface thread): a model, the
// event manager it announces to, and the namer that names the folders and
// segments a restructuring makes, so that a file cleaned here comes out as
// the program's commands would leave it.
struct PrivateOpenTracks
{
    GEventManagerImpl events;
    OpenTracksModel model{events};
    NamerImpl namer{model, events};
};
