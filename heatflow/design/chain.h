// 保温設計's chain of windows: the suite's own windows, loaded once, and one
// run of a window as a person makes it (entries, a press, results read back),
// each run a line of the design's record when the design keeps one.
//
// The design stands on the windows it runs (conductivity/, heatflow/), never
// on the catalogue: the catalogue lists the design and stands above it, and
// hands in what only it knows, the title each program goes by.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "event.h"
#include "form_model.h"

namespace milfo::heatflow::design {

// The message of a run whose result box stayed empty, after the program's name.
inline constexpr const char* kEmptyResult = "の結果が空欄です。入力を見直してください。";

// Every window the design runs, loaded once; each run starts from a copy.
struct Windows {
    FormModel heatTransfer;
    FormModel thickness;
    FormModel heatLoss;
    FormModel surfaceTemperature;
    FormModel dewPoint;
    FormModel freezing;
    FormModel outletDrop;
    FormModel layered;                 // 複層保温
    std::vector<FormModel> materials;  // as conductivity::materialWindows()
};

const Windows& windows();

// The title a program goes by (what the suite's menus call it), by its name,
// or nullptr when it has none.
using TitleOf = const char* (*)(std::string_view program);

// How the design's record names the programs it runs: the catalogue hands
// its titles in when it is first read. Until then a program goes by its name.
void nameProgramsBy(TitleOf titleOf);

// The entries of a window's list as the window, loaded, lists them.
std::vector<std::string> entriesOf(const FormModel& window, const char* list);

// One line of the design's record, in the words of the windows: the step's
// number (from 1), what the step is for, the program by its title, the
// button by its caption, each value entered and each result read as
// "caption=text" (one a line), and the text passed on ("! message" where the
// run failed).
struct ChainLine {
    std::string step;
    std::string purpose;
    std::string program;
    std::string button;
    std::string entered;
    std::string read;
    std::string value;
};
using Chain = std::vector<ChainLine>;

// The chain as a table beside the window: every window run in order, in
// the windows' own words (no rows before a run).
SideTable chainTable(const Chain& chain);

// One run of a window: entries as a person makes them (a list's text picked
// when it is one of the list's entries, else typed), a press, the results
// read. A failure of the window is passed on as the window reported it; an
// empty result ends the design. With a chain, the run is its next line.
class Run {
public:
    Run(const FormModel& loaded, Chain* chain, std::string purpose);

    Run& enter(const char* control, const std::string& text);
    Run& press(const char* button);
    // A result box's text, as shown.
    std::string shown(const char* box);
    // A result box's text, which must not be empty.
    std::string result(const char* box);
    // The text this run passes on to the next step.
    std::string finish(std::string value);

private:
    void note(std::string& list, const char* control, const std::string& text);
    void passOn(const std::optional<Failure>& failure);

    FormModel form_;
    Chain* chain_;
    ChainLine line_;
};

}  // namespace milfo::heatflow::design
