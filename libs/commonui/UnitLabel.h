#pragma once

#include <QString>

// A label from the string table with the unit in its parentheses replaced
// by the notation of the unit the user reads ("Speed (km/h):" becomes
// "Speed (mph):").
QString WithUnitNotation(QString label, const QString& notation);
