// GUI cases as data: each program's test file registers its cases, the Tab
// key's path and its fault inputs; gui_tests runs them all through the real
// widgets (driver commands become key and mouse events).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace milfo::test {

// Driver commands, then the text every named control must show, and the
// fault line the commands must end with ("" for none).
struct GuiCase {
    std::string title;
    std::vector<std::string> commands;
    std::vector<std::pair<std::string, std::string>> expect;
    std::string fault = "";
};

struct ProgramCases {
    std::string program;
    // The controls the focus visits from the start, pressing Tab after each.
    std::vector<std::string> tabPath;
    std::vector<GuiCase> cases;
};

int registerCases(ProgramCases (*make)());
const std::vector<ProgramCases (*)()>& registeredCases();

// One case of a mean-conductivity program: a grade picked from the list (or
// typed into its edit field), the two temperatures, and what Text3 shows.
struct MeanCase {
    const char* grade;  // nullptr: nothing chosen
    const char* t1;
    const char* t2;
    const char* shows;
    bool typed = false;  // the grade is typed, not picked
};
std::vector<GuiCase> meanCases(const std::vector<MeanCase>& rows);

}  // namespace milfo::test

#define MILFO_GUI_CASES(name)                                                                     \
    static milfo::test::ProgramCases name##Cases();                                               \
    [[maybe_unused]] static const int name##Registered = milfo::test::registerCases(name##Cases); \
    static milfo::test::ProgramCases name##Cases()
