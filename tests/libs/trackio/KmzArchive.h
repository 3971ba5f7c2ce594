#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// A zip archive made with libzip, the files in the order given, deflated.
QByteArray MakeZipArchive(const std::vector<std::pair<QString, QByteArray>>& files);
