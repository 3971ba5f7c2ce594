#pragma once

#include <QStringList>

class TrackView;

// MBTiles files that reach the window (File > Open, a drop, the command line,
// a second instance) become map layers rather than tracks: each is added to
// the "Map layer" menu for this run and the last one that opens is shown. A
// file that will not open is named in a message. Returns the other files,
// for the opening queue.
QStringList OpenMapFiles(const QStringList& files, TrackView& view);
