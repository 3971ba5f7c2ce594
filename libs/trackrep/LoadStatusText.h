#pragma once

#include "TrackLoaderI.h"

#include <QString>

// The message a user reads for a load status; empty for success and for the
// states of a load still under way.
QString LoadStatusText(TrackLoaderI::LoadStatus status);
// Whether the message is an error (else a warning).
bool IsLoadStatusError(TrackLoaderI::LoadStatus status);
