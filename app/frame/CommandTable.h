#pragma once

#include <span>

// The main menu as data: commands by id, separators and submenus (a submenu
// names the string id of its title and runs until its End).
struct MenuEntry
{
    enum Kind { Command, Separator, Submenu, End };
    Kind kind;
    int id = 0;
};

std::span<const MenuEntry> GetMainMenuTable();
