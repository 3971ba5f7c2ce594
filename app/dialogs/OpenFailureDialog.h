#pragma once

#include "OpenFailureReport.h"

class QWidget;

// The dialog that asks what to do about a file that could not be opened:
// "&Skip", "Skip &all" (only with more files waiting), "&Retry", "Cancel".
// A file opened all the same (report.opened) gets a plain OK.
OpenFailureChoice AskAboutOpenFailure(const OpenFailureReport& report, QWidget* parent);
