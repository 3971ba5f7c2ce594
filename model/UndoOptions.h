#pragma once

#include "OblOptions.h"

// How much memory the undo history may keep.
class UndoOptions : public OblOptionsBase
{
public:
    static constexpr int MinMiB = 1;
    static constexpr int MaxMiB = 16384;

    UndoOptions();
    static UndoOptions& GetInstance();

    OblOptionInt memoryMiB{256};
};
