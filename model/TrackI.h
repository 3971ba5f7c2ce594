#pragma once

#include "TrackDataProviderI.h"
#include "TrackMainI.h"
#include "TrackTreeMemberI.h"
#include "TrackUpdaterI.h"

#include <memory>

// A node of the open tracks that carries points: a segment (Track) or a file
// or folder showing its segments as one (TrackX).
class TrackI : public TrackMainI, public TrackUpdaterI, public TrackDataProviderI, public TrackTreeMemberI
{
};

using TrackPtr = std::shared_ptr<TrackI>;
