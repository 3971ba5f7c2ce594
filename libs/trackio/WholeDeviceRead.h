#pragma once

#include <QByteArray>

class LoadContext;
class QIODevice;

// Reads the rest of a device into memory for the formats that are decoded
// whole (FIT, GeoJSON, KMZ), reporting progress as it goes. False when the
// user cancelled.
bool ReadWholeDevice(QIODevice& device, LoadContext& context, QByteArray& bytes);
