#pragma once

#include <span>

// One text of the program's string table.
struct StringTableEntry
{
    int id;
    const char16_t* text;
};

// Every user-visible text of the program, sorted by strictly ascending id so
// that a lookup can bisect it. Compiled in, so it needs no data folder.
std::span<const StringTableEntry> GetStringTable();
