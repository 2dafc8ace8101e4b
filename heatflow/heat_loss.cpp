// 放散熱量 (menu ３): the steady heat loss through an insulation layer from its
// inner temperature to the ambient air, for a plane wall ("平面の計算") and
// for a pipe insulation ("配管の計算"). Each button writes only its own result.
#include "common.h"
#include "heatflow.h"
#include "numeric.h"

namespace milfo::heatflow {

namespace {

using K = ControlKind;

// Plane, in W/m²: the conductivity and the surface coefficient must both be
// positive, else the box is emptied. A thickness of -λ/h makes the
// resistance 0, a division by zero.
void Command1_Click(Form& form)
{
    const Real conductivity = readBox(form, "Text1");
    const Real inner = readBox(form, "Text2");
    readBox(form, "Text3");  // the outer temperature: read, but neither result uses it
    const Real ambient = readBox(form, "Text4");
    const Real coefficient = readBox(form, "Text5");
    const Real thickness = readBox(form, "Text6");

    Result loss;
    // Both tests are made, left to right, before they are combined.
    const bool coefficientPositive = coefficient > Real(0);
    const bool conductivityPositive = conductivity > Real(0);
    if (coefficientPositive && conductivityPositive) {
        const Real resistance = (thickness / conductivity) + (Real(1) / coefficient);
        loss = ((inner - ambient) / resistance).value();
    }
    form.setText("Text9", ShowVariant(loss));
}

// Pipe, in W per metre of pipe. The diameters are tested for sign only, not
// for order: with d2 < d1 the negative logarithm term can cancel the surface
// term, and a resistance of 0 divides by zero.
void Command2_Click(Form& form)
{
    const Real conductivity = readBox(form, "Text1");
    const Real inner = readBox(form, "Text2");
    readBox(form, "Text3");  // the outer temperature: read, but neither result uses it
    const Real ambient = readBox(form, "Text4");
    const Real coefficient = readBox(form, "Text5");
    const Real innerDiameter = readBox(form, "Text7");
    const Real outerDiameter = readBox(form, "Text8");

    Result loss;
    // Every test is made, left to right, before they are combined.
    const bool conductivityPositive = conductivity > Real(0);
    const bool innerPositive = innerDiameter > Real(0);
    const bool outerPositive = outerDiameter > Real(0);
    const bool coefficientPositive = coefficient > Real(0);
    if (conductivityPositive && innerPositive && outerPositive && coefficientPositive) {
        const Real logRatio = ln(outerDiameter / innerDiameter);
        const Real layer = ((Real(1) / conductivity) * logRatio) / logOfE();
        const Real surface = (Real(2) / coefficient) / outerDiameter;
        const Real resistance = layer + surface;
        loss = ((Real(kTwoPi) * (inner - ambient)) / resistance).value();
    }
    form.setText("Text10", ShowVariant(loss));
}

}  // namespace

const ProgramDescription& heatLoss()
{
    static const ProgramDescription program{
        "放散熱量",
        6705,
        4740,
        {
            // kind, name, caption or initial text, left, top, width, height, tab index
            {K::Label, "Label1", "放散熱量の計算", 360, 240, 1335, 255, 0},
            {K::Label, "Label2", kCreditLine, 480, 3960, 1695, 255, 1},
            {K::Label, "Label3", "2003/01/01", 480, 4320, 975, 255, 2},
            {K::Label, "Label4", "１．平面", 3600, 360, 735, 255, 3},
            {K::Label, "Label5", "２．配管", 3600, 2280, 735, 255, 4},
            {K::Label, "Label6", "断熱材平均熱伝導率(W/mK)", 480, 840, 1695, 375, 5},
            {K::Label, "Label7", "断熱材厚さ(m)", 3720, 720, 1215, 255, 6},
            {K::Label, "Label8", "断熱材内側温度(℃)", 480, 1440, 1695, 255, 7},
            {K::Label, "Label9", "断熱材外側温度(℃)", 480, 1920, 1695, 255, 8},
            {K::Label, "Label10", "周囲温度(℃)", 480, 2400, 1095, 255, 9},
            {K::Label, "Label11", "表面熱伝達率(W/m2K)", 480, 2880, 1815, 255, 10},
            {K::Label, "Label12", "断熱材の内径(m)", 3720, 2640, 1455, 255, 11},
            {K::Label, "Label13", "断熱材の外径(m)", 3720, 3120, 1455, 255, 12},
            {K::TextBox, "Text1", "0", 2400, 840, 855, 270, 13},
            {K::TextBox, "Text2", "0", 2400, 1440, 855, 270, 14},
            {K::TextBox, "Text3", "0", 2400, 1920, 855, 270, 15},
            {K::TextBox, "Text4", "0", 2400, 2400, 855, 270, 16},
            {K::TextBox, "Text5", "0", 2400, 2880, 855, 270, 17},
            {K::TextBox, "Text6", "0", 5400, 720, 735, 270, 18},
            {K::TextBox, "Text7", "0", 5400, 2640, 735, 270, 19},
            {K::TextBox, "Text8", "0", 5400, 3120, 735, 270, 20},
            {K::Label, "Label14", "放散熱量(W/m2)", 3720, 1800, 1335, 255, 21},
            {K::TextBox, "Text9", "0", 5280, 1800, 1095, 270, 22},
            {K::CommandButton, "Command1", "平面の計算", 5280, 1200, 1095, 375, 23},
            {K::Label, "Label15", "放散熱量(W/m2)", 3720, 4200, 1335, 255, 24},
            {K::TextBox, "Text10", "0", 5280, 4200, 1095, 270, 25},
            {K::CommandButton, "Command2", "配管の計算", 5280, 3600, 1095, 375, 26},
        },
        {},
        {
            // Each reads the outer temperature too, but neither result uses it.
            {"Command1_Click", Command1_Click, {"Text9"}, {"Text1", "Text2", "Text4", "Text5", "Text6"}},
            {"Command2_Click",
             Command2_Click,
             {"Text10"},
             {"Text1", "Text2", "Text4", "Text5", "Text7", "Text8"}},
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
            {"Text8", "Label13"},
            {"Text9", "Label14", "１．平面 放散熱量(W/m2)"},
            {"Text10", "Label15", "２．配管 放散熱量(W/m2)"},
        },
    };
    return program;
}

}  // namespace milfo::heatflow
