#pragma once

#include <QString>

#include <vector>

class OpenTracksModel;

namespace NmeaExport {

// Every point of the segments, in order, as the sentences of the message
// set; false when the file could not be written, error says why.
bool Write(const OpenTracksModel& model, const std::vector<int>& segments, const QString& path, int messageSet,
           QString& error);

} // namespace NmeaExport
