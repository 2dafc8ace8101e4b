// A small program for the frame's own tests, run through every front end's
// binding of the form model: a press that fails between its two writes (a
// run-time error with Text1 = 0, any other exception with Text1 = "fault"),
// and two lists, the second filled by a pick from the first. The press
// writes what the second list shows after "written".
#pragma once

#include <stdexcept>

#include "program.h"
#include "real.h"

namespace milfo::test {

inline int probePresses = 0;
inline int probePicks = 0;

inline const ProgramDescription& probeProgram()
{
    using K = ControlKind;
    static const ProgramDescription program{
        "probe",
        4800,
        3000,
        {
            {K::TextBox, "Text1", "1", 120, 120, 975, 375, 0, FontChoice::MsPGothic},
            {K::CommandButton, "Command1", "計算", 1200, 120, 735, 375, 1},
            {K::TextBox, "Text2", "", 120, 600, 975, 375, 2},
            {K::TextBox, "Text3", "old", 120, 1080, 975, 375, 3},
            {K::ComboBox, "Combo1", "", 120, 1560, 2055, 300, 4},
            {K::CommandButton, "Command2", "終了", 1200, 600, 735, 375, 5},
            {K::Label, "Label1", "<b>太字</b>ではない", 2400, 120, 1455, 255, 6},
            {K::ComboBox, "Combo2", "", 2400, 1560, 2055, 300, 7},
        },
        {{"Combo1", {"abc", "abd"}}},
        {
            {"form_load", [](Form& f) { f.setText("Text2", "loaded"); }},
            {"Command1_Click",
             [](Form& f) {
                 ++probePresses;
                 const std::string second = f.text("Combo2");
                 f.setText("Text2", second.empty() ? "written" : "written " + second);
                 if (f.text("Text1") == "fault")
                     throw std::logic_error("probe fault");
                 const Real r = Real(1) / readReal(f.text("Text1"));
                 f.setText("Text3", ShowVariant(r.value()));
             },
             {"Text2", "Text3"}},
            {"Combo1_Click",
             [](Form& f) {
                 ++probePicks;
                 const std::string picked = f.text("Combo1");
                 f.setText("Text3", picked);
                 f.clearItems("Combo2");
                 f.addItem("Combo2", picked + "-1");
                 f.addItem("Combo2", picked + "-2");
             },
             {"Text3"}},
            {"Combo2_Click", [](Form& f) { f.setText("Text3", f.text("Combo2")); }, {"Text3"}},
            {"Command2_Click", [](Form& f) { f.end(); }},
        },
        {},
        {},
        nullptr,
        {},
        {},
        {},
        {},
        // Its caption, as the catalogue would give it.
        "ミルフォ－９",
    };
    return program;
}

}  // namespace milfo::test
