#pragma once

#include "LoadManager.h"

#include <QJsonObject>

// The JSON line `quorvel-track info` prints for one file.
QJsonObject SummariseTrackFile(const QString& fileName, const LoadedTrackFile& loaded);
