#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The fuzzer's bytes as a file, for readers that take a path: always the
// same file in a folder of this process's own, rewritten for every input.
QString FuzzInputFile(const uint8_t* data, size_t size, const QString& suffix);
