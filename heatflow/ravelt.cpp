// ravelt (menu ４): the insulation thickness that brings the outer surface to
// a wanted temperature, for a plane wall by a closed formula ("平面の計算")
// and for a pipe by the stepwise search over the outer diameter
// ("配管の計算"). Each button writes only its own result.
#include "common.h"
#include "heatflow.h"
#include "numeric.h"
#include "pipe_search.h"

namespace milfo::heatflow {

namespace {

using K = ControlKind;

// Plane: shown "0" unless the coefficient and the conductivity are both
// positive. A wanted surface temperature equal to the ambient one divides by
// zero.
void Command1_Click(Form& form)
{
    const Real conductivity = readBox(form, "Text1");
    const Real inner = readBox(form, "Text2");
    const Real surface = readBox(form, "Text3");
    const Real ambient = readBox(form, "Text4");
    const Real coefficient = readBox(form, "Text5");

    // Both comparisons are made, left to right, before the test.
    const bool coefficientPositive = coefficient > Real(0);
    const bool conductivityPositive = conductivity > Real(0);
    Result thickness;
    if (coefficientPositive && conductivityPositive)
        thickness = (((conductivity / coefficient) * (inner - surface)) / (surface - ambient)).value();
    form.setText("Text6", ShowDecimal(thickness));
}

// Pipe: no input is tested. The target X is what (d2 / K)·ln(d2 / d1) must
// reach; the search steps d2 up from d1 and raises the numeric model's errors
// itself (d1 = 0, a logarithm of a non-positive ratio, a step that no longer
// changes d2).
void Command2_Click(Form& form)
{
    const Real conductivity = readBox(form, "Text1");
    const Real inner = readBox(form, "Text2");
    const Real surface = readBox(form, "Text3");
    const Real ambient = readBox(form, "Text4");
    const Real coefficient = readBox(form, "Text5");
    const Real innerDiameter = readBox(form, "Text7");

    const Real target = (((Real(2) * conductivity) / coefficient) * (inner - surface)) / (surface - ambient);
    const PipeSearchResult found = pipeSearch(target, innerDiameter, logOfE());
    const Real thickness = (Real(found.d2) - innerDiameter) / Real(2);
    form.setText("Text8", ShowDecimal(thickness.value()));
}

}  // namespace

const ProgramDescription& ravelt()
{
    static const ProgramDescription program{
        "ravelt",
        6705,
        4740,
        {
            // kind, name, caption or initial text, left, top, width, height, tab index
            {K::Label, "Label1", "断熱材厚さの計算", 360, 240, 1575, 255, 0},
            {K::Label, "Label2", kCreditLine, 4920, 3960, 1575, 255, 1},
            {K::Label, "Label3", "2003/01/01", 5520, 4320, 975, 255, 2},
            {K::Label, "Label4", "１．平面", 3600, 480, 735, 255, 3},
            {K::Label, "Label5", "２．配管", 3600, 1800, 735, 255, 4},
            {K::Label, "Label6", "断熱材平均熱伝導率(W/mK)", 480, 840, 1695, 375, 5},
            {K::Label, "Label7", "断熱材厚さ(m)", 3720, 1320, 1215, 255, 6},
            {K::Label, "Label8", "断熱材内側温度(℃)", 480, 1560, 1695, 255, 7},
            {K::Label, "Label9", "断熱材外側温度(℃)", 480, 2160, 1695, 255, 8},
            {K::Label, "Label10", "周囲温度(℃)", 480, 2760, 1095, 255, 9},
            {K::Label, "Label11", "表面熱伝達率(W/m2K)", 480, 3360, 1815, 255, 10},
            {K::Label, "Label12", "断熱材の内径(m)", 3720, 2280, 1455, 255, 11},
            {K::TextBox, "Text1", "0", 2400, 840, 855, 270, 12},
            {K::TextBox, "Text2", "0", 2400, 1560, 855, 270, 13},
            {K::TextBox, "Text3", "0", 2400, 2160, 855, 270, 14},
            {K::TextBox, "Text4", "0", 2400, 2760, 855, 270, 15},
            {K::TextBox, "Text5", "0", 2400, 3360, 855, 270, 16},
            {K::TextBox, "Text6", "0", 5280, 1320, 1215, 270, 17},
            {K::TextBox, "Text7", "0", 5400, 2280, 855, 270, 18},
            {K::CommandButton, "Command1", "平面の計算", 5400, 720, 1095, 375, 19},
            {K::Label, "Label15", "断熱材厚さ(m)", 3720, 3360, 1335, 255, 20},
            {K::CommandButton, "Command2", "配管の計算", 5280, 2760, 1095, 375, 21},
            {K::TextBox, "Text8", "0", 5280, 3360, 1215, 270, 22},
        },
        {},
        {
            {"Command1_Click", Command1_Click, {"Text6"}, {"Text1", "Text2", "Text3", "Text4", "Text5"}},
            {"Command2_Click",
             Command2_Click,
             {"Text8"},
             {"Text1", "Text2", "Text3", "Text4", "Text5", "Text7"}},
        },
        {
            // box, the label that captions it, a name where the label alone is ambiguous
            {"Text1", "Label6"},
            {"Text2", "Label8"},
            {"Text3", "Label9"},
            {"Text4", "Label10"},
            {"Text5", "Label11"},
            {"Text6", "Label7", "１．平面 断熱材厚さ(m)"},
            {"Text7", "Label12"},
            {"Text8", "Label15", "２．配管 断熱材厚さ(m)"},
        },
    };
    return program;
}

}  // namespace milfo::heatflow
