#pragma once

class CleaningLog;
class QWidget;

// Track > Time: shift the times of the selected track, and set times where
// they are missing or wrong. With a log, what changed is reported there and
// the step recorded.
void RunShiftTimeCommand(QWidget* parent, CleaningLog* log = nullptr);
void RunResetTimeCommand(QWidget* parent, CleaningLog* log = nullptr);
