#pragma once

class QWidget;

// Track > Increase frequency: densifies every segment of the selection.
void RunIncreaseFrequencyCommand(QWidget* parent);
