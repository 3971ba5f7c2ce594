#pragma once

class QWidget;
class TrackView;

// View > Download area for offline use: the tiles of the area in view, at
// the zoom levels the user picks, into the map's disk cache. Refused, with
// the reason, for layers whose file does not allow it and for layers that
// are on this computer already.
void RunAreaDownloadCommand(TrackView& view, QWidget* parent);
