// yardow (menu ３．２): the heat loss of an installed insulation from its
// measured outer surface temperature, for a plane wall ("平面の計算") and for
// a pipe ("配管の計算"). No input is tested; each button writes only its own
// result.
#include "common.h"
#include "heatflow.h"
#include "numeric.h"

namespace milfo::heatflow {

namespace {

using K = ControlKind;

// Plane, in W/m².
void Command1_Click(Form& form)
{
    const Real surface = readBox(form, "Text1");
    const Real ambient = readBox(form, "Text2");
    const Real coefficient = readBox(form, "Text3");

    const Real loss = (surface - ambient) * coefficient;
    form.setText("Text9", ShowVariant(loss.value()));
}

// Pipe, in W per metre of pipe.
void Command2_Click(Form& form)
{
    const Real surface = readBox(form, "Text1");
    const Real ambient = readBox(form, "Text2");
    const Real coefficient = readBox(form, "Text3");
    const Real outerDiameter = readBox(form, "Text8");

    const Real loss = ((coefficient * kPi) * outerDiameter) * (surface - ambient);
    form.setText("Text10", ShowVariant(loss.value()));
}

}  // namespace

const ProgramDescription& yardow()
{
    static const ProgramDescription program{
        "yardow",
        6705,
        3930,
        {
            // kind, name, caption or initial text, left, top, width, height, tab index
            {K::Label, "Label1", "施工後の放散熱量の計算", 360, 240, 2175, 255, 0},
            {K::Label, "Label2", kCreditLine, 480, 3000, 1695, 255, 1},
            {K::Label, "Label3", "2003/01/01", 480, 3360, 975, 255, 2},
            {K::Label, "Label4", "１．平面", 3600, 360, 735, 255, 3},
            {K::Label, "Label5", "２．配管", 3600, 1920, 735, 255, 4},
            {K::Label, "Label9", "断熱材外側温度(℃)", 480, 960, 1695, 255, 5},
            {K::Label, "Label10", "周囲温度(℃)", 480, 1440, 1095, 255, 6},
            {K::Label, "Label11", "表面熱伝達率(W/m2K)", 480, 1920, 1815, 255, 7},
            {K::Label, "Label13", "断熱材の外径(m)", 3720, 2400, 1455, 255, 8},
            {K::TextBox, "Text1", "0", 2400, 960, 855, 270, 9},
            {K::TextBox, "Text2", "0", 2400, 1440, 855, 270, 10},
            {K::TextBox, "Text3", "0", 2400, 1920, 855, 270, 11},
            {K::TextBox, "Text8", "0", 5280, 2400, 735, 270, 12},
            {K::Label, "Label14", "放散熱量(W/m2)", 3720, 1440, 1335, 255, 13},
            {K::TextBox, "Text9", "0", 5280, 1440, 1095, 270, 14},
            {K::CommandButton, "Command1", "平面の計算", 3840, 840, 1095, 375, 15},
            {K::Label, "Label15", "放散熱量(W/m2)", 3720, 3360, 1335, 255, 16},
            {K::TextBox, "Text10", "0", 5280, 3360, 1095, 270, 17},
            {K::CommandButton, "Command2", "配管の計算", 3840, 2760, 1095, 375, 18},
        },
        {},
        {
            {"Command1_Click", Command1_Click, {"Text9"}, {"Text1", "Text2", "Text3"}},
            {"Command2_Click", Command2_Click, {"Text10"}, {"Text1", "Text2", "Text3", "Text8"}},
        },
        {
            // box, the label that captions it, a name where the label alone is ambiguous
            {"Text1", "Label9"},
            {"Text2", "Label10"},
            {"Text3", "Label11"},
            {"Text8", "Label13"},
            {"Text9", "Label14", "１．平面 放散熱量(W/m2)"},
            {"Text10", "Label15", "２．配管 放散熱量(W/m2)"},
        },
    };
    return program;
}

}  // namespace milfo::heatflow
