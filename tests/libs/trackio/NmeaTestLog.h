#pragma once

#include <QByteArray>

#include <string>
#include <vector>

// Sentences for tests, with checksums worked out here by plain XOR rather
// than by the code under test.
std::string WithChecksum(const std::string& content);
// The sentences with checksums, one per line, CR LF.
QByteArray NmeaLog(const std::vector<std::string>& contents);
