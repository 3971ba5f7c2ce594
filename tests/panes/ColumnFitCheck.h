#pragma once

#include <QString>

#include <functional>

class ReportColumns;
class ReportControl;

// Shows every column of the list and expects each wider than its title and,
// where cellText gives one, than that text in the list's font.
void ExpectEveryColumnFits(ReportControl& list, ReportColumns& columns,
                           const std::function<QString(int columnId)>& cellText = {});
