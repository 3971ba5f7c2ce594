#pragma once

#include "TrackFileType.h"

#include <cstddef>
#include <cstdint>

// Loads the fuzzer's bytes with the loader for type and aborts, naming the
// broken invariant, when the outcome breaks one (libFuzzer keeps the input).
// TrackFileAll means: detect the type from the content as opening does, and
// skip what no loader reads.
void FuzzOneInput(TrackFileType type, const uint8_t* data, size_t size);
