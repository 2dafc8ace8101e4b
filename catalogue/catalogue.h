// The programs of the suite, in menu order, with what the front ends show of
// each: the one list behind the executables, the menu entries, milfo-calc,
// the web menu and the README (catalogue/programs.tsv; this table is
// generated from it).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "program.h"

namespace milfo {

struct CatalogueEntry {
    const char* name;       // executable, page, milfo-calc's and ./run's name
    const char* target;     // CMake target, menu entry file (ASCII)
    const char* menu;       // menu number, "1.1.8"
    const char* caption;    // the window's caption, "ミルフォ－１．１．８", from the menu number
    const char* title;      // what menus call it
    const char* comment;    // what it computes
    const char* commentJa;  // the same in Japanese
    // Its description as the window shows it: its source's, with the caption.
    const ProgramDescription& (*description)();
};

const std::vector<CatalogueEntry>& catalogue();
const CatalogueEntry* findEntry(std::string_view name);

// Every program's description (as CatalogueEntry::description gives it), in
// menu order; one by its name, or nullptr.
const std::vector<const ProgramDescription*>& allPrograms();
const ProgramDescription* findProgram(std::string_view name);

}  // namespace milfo
