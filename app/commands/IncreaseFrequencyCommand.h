#pragma once

class CleaningLog;
class QWidget;

// Track > Increase frequency: densifies every segment of the selection.
// With a log, what changed is reported there and the step recorded.
void RunIncreaseFrequencyCommand(QWidget* parent, CleaningLog* log = nullptr);
