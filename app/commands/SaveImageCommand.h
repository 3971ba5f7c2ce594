#pragma once

class QWidget;
class TrackView;

// File > Save as image: asks for a size and a file, draws the map window's
// view afresh at that size, waits (with progress) for the map tiles it
// needs, and writes PNG, PDF or SVG.
void RunSaveImageCommand(TrackView& view, QWidget* parent);
