#pragma once

#include "UnitsConv.h"

#include <QString>

#include <string>
#include <vector>

class OpenTracksModel;

// The comma-separated export: one header line, then the kept points of the
// segments in order, each segment's elapsed times counted from its first
// point. Its columns are the CSV columns of the table of point fields.
namespace CsvExport {

// The header of each column, with the unit of the system where it has one.
std::vector<std::string> Headers(MeasuringSystem system);
// False when the file could not be written; error says why.
bool Write(const OpenTracksModel& model, const std::vector<int>& segments, const QString& path,
           MeasuringSystem system, QString& error);

} // namespace CsvExport
