#pragma once

#include "FileSnapshot.h"

#include <optional>

// The menu commands that edit the open tracks: the name their step of the
// undo history takes and how much of the files recording it must keep.
struct UndoableCommand
{
    int nameId;
    FileSnapshot::Depth depth;
};

// Nothing for a command that edits no track.
std::optional<UndoableCommand> FindUndoableCommand(int commandId);
