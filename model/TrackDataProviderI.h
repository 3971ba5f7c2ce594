#pragma once

class TrackDataI;

// The raw points, for saving and export. Whoever changes points through the
// mutable form calls TrackUpdaterI::Refresh after.
class TrackDataProviderI
{
public:
    virtual ~TrackDataProviderI() = default;

    virtual const TrackDataI& GetTrackData() const = 0;
    virtual TrackDataI& GetTrackData() = 0;
};
