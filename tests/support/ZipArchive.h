#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// A zip archive made in memory with libzip, the files in the order given,
// deflated; empty when libzip fails. For the KMZ tests and benchmarks.
QByteArray MakeZipArchive(const std::vector<std::pair<QString, QByteArray>>& files);
