// 表面温度 (menu ５): the outer surface temperature of an installed insulation
// from its heat loss, for a plane wall ("平面の計算") and for a pipe
// ("配管の計算"); yardow's two relations solved for the surface temperature.
// No input is tested; each button writes only its own result.
#include "common.h"
#include "heatflow.h"
#include "numeric.h"

namespace milfo::heatflow {

namespace {

using K = ControlKind;

// Plane: the loss is per m². A coefficient of 0 divides by zero.
void Command1_Click(Form& form)
{
    const Real ambient = readBox(form, "Text1");
    const Real loss = readBox(form, "Text2");
    const Real coefficient = readBox(form, "Text3");

    const Real surface = (loss / coefficient) + ambient;
    form.setText("Text9", ShowVariant(surface.value()));
}

// Pipe: the same loss is taken per metre of pipe. A coefficient or an outer
// diameter of 0 divides by zero.
void Command2_Click(Form& form)
{
    const Real ambient = readBox(form, "Text1");
    const Real loss = readBox(form, "Text2");
    const Real coefficient = readBox(form, "Text3");
    const Real outerDiameter = readBox(form, "Text8");

    const Real surface = (loss / ((coefficient * kPi) * outerDiameter)) + ambient;
    form.setText("Text10", ShowVariant(surface.value()));
}

}  // namespace

const ProgramDescription& surfaceTemperature()
{
    static const ProgramDescription program{
        "表面温度",
        6705,
        3930,
        {
            // kind, name, caption or initial text, left, top, width, height, tab index
            {K::Label, "Label1", "施工後の断熱材の外表面温度の計算", 360, 240, 3135, 255, 0},
            {K::Label, "Label2", kCreditLine, 480, 3000, 1695, 255, 1},
            {K::Label, "Label3", "2003/01/01", 480, 3360, 975, 255, 2},
            {K::Label, "Label4", "１．平面", 3720, 360, 735, 255, 3},
            {K::Label, "Label5", "２．配管", 3720, 1920, 735, 255, 4},
            {K::Label, "Label9", "断熱材外側温度(℃)", 3600, 1440, 1575, 255, 5},
            {K::Label, "Label10", "周囲温度(℃)", 480, 960, 1095, 255, 6},
            {K::Label, "Label11", "表面熱伝達率(W/m2K)", 480, 1920, 1815, 255, 7},
            {K::Label, "Label13", "断熱材の外径(m)", 3720, 2400, 1455, 255, 8},
            {K::TextBox, "Text1", "0", 2400, 960, 855, 270, 9},
            {K::TextBox, "Text2", "0", 2400, 1440, 855, 270, 10},
            {K::TextBox, "Text3", "0", 2400, 1920, 855, 270, 11},
            {K::TextBox, "Text8", "0", 5280, 2400, 735, 270, 12},
            {K::Label, "Label14", "放散熱量(W/m2)", 480, 1440, 1335, 255, 13},
            {K::TextBox, "Text9", "0", 5280, 1440, 1095, 270, 14},
            {K::CommandButton, "Command1", "平面の計算", 3840, 840, 1095, 375, 15},
            {K::TextBox, "Text10", "0", 5280, 3360, 1095, 270, 16},
            {K::CommandButton, "Command2", "配管の計算", 3840, 2760, 1095, 375, 17},
            {K::Label, "Label6", "断熱材外側温度(℃)", 3600, 3360, 1575, 255, 18},
        },
        {},
        {
            {"Command1_Click", Command1_Click, {"Text9"}, {"Text1", "Text2", "Text3"}},
            {"Command2_Click", Command2_Click, {"Text10"}, {"Text1", "Text2", "Text3", "Text8"}},
        },
        {
            // box, the label that captions it, a name where the label alone is ambiguous
            {"Text1", "Label10"},
            {"Text2", "Label14"},
            {"Text3", "Label11"},
            {"Text8", "Label13"},
            {"Text9", "Label9", "１．平面 断熱材外側温度(℃)"},
            {"Text10", "Label6", "２．配管 断熱材外側温度(℃)"},
        },
    };
    return program;
}

}  // namespace milfo::heatflow
