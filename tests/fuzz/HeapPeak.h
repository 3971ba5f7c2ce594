#pragma once

#include <cstddef>

// The most heap bytes held at once since Start, counted by the sanitizer
// allocator's malloc and free hooks (ASan keeps no peak of its own). Only
// one measure runs at a time.
class HeapPeak
{
public:
    // Installs the hooks on first use and starts from what is held now.
    static void Start();
    // Bytes above the level at Start, at the highest point since.
    static size_t Rise();
};
