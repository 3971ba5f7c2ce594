#pragma once

class QWidget;

// Track > Time: shift the times of the selected track, and set times where
// they are missing or wrong.
void RunShiftTimeCommand(QWidget* parent);
void RunResetTimeCommand(QWidget* parent);
