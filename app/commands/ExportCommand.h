#pragma once

class QWidget;

// File > Export: the selected track, or its parts, as NMEA or CSV.
void RunExportCommand(QWidget* parent);
