// GUI cases as data: each program's test file registers its cases, the Tab
// key's path and its fault inputs; gui_tests runs them all through the real
// widgets (driver commands become key and mouse events).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace milfo::test {

// Driver commands, then the text every named control must show, the fault
// line the commands must end with ("" for none), and the note each named box
// must then be marked with ("" for a box not marked).
struct GuiCase {
    std::string title;
    std::vector<std::string> commands;
    std::vector<std::pair<std::string, std::string>> expect;
    std::string fault = "";
    std::vector<std::pair<std::string, std::string>> marks = {};
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
// typed into its edit field), the two temperatures, what Text3 shows, and
// the note it is marked with ("": none; nullptr: not looked at).
struct MeanCase {
    const char* grade;  // nullptr: nothing chosen
    const char* t1;
    const char* t2;
    const char* shows;
    bool typed = false;  // the grade is typed, not picked
    const char* mark = nullptr;
};
std::vector<GuiCase> meanCases(const std::vector<MeanCase>& rows);

// A window with two buttons, each writing its own result box from the same
// inputs (the plane and the pipe). Every press starts from a window that
// already shows both examples' results, unless it starts fresh, so a box the
// press empties is seen to change and the other button's box to stay.
struct TwoButtonWindow {
    std::vector<const char*> inputs;     // the input boxes
    std::vector<const char*> exampleIn;  // the example's text for each
    const char* results[2];              // the boxes of Command1 and Command2
    const char* exampleShows[2];         // what they show for the example
};

// One press: the inputs typed over the example's (nullptr or missing: not
// typed), the button (1 or 2), what its box then shows, the fault line.
struct Press {
    const char* title;
    std::vector<const char*> in;
    int button;
    const char* shows;
    const char* fault = "";
    bool fresh = false;
};
std::vector<GuiCase> pressCases(const TwoButtonWindow& window, const std::vector<Press>& rows);

// One press of Command1 on a fresh window: the inputs entered in the order
// given (a list's entry picked, a box's text set; nullptr: left as it
// starts), then the text each shown box must show (nullptr: empty).
struct EntryWindow {
    std::vector<const char*> inputs;
    std::vector<const char*> shown;
};
struct EntryPress {
    const char* title;
    std::vector<const char*> in;     // as the window's inputs
    std::vector<const char*> shows;  // as the window's shown boxes
    const char* fault = "";
};
std::vector<GuiCase> entryCases(const EntryWindow& window, const std::vector<EntryPress>& rows);

}  // namespace milfo::test

#define MILFO_GUI_CASES(name)                                                                     \
    static milfo::test::ProgramCases name##Cases();                                               \
    [[maybe_unused]] static const int name##Registered = milfo::test::registerCases(name##Cases); \
    static milfo::test::ProgramCases name##Cases()
