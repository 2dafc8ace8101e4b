// 温度降下 (menu ９): the temperature at the end of an insulated line, the
// drop along it and the heat it loses, for a fluid flowing at a steady rate
// from an inlet temperature through air of another. The fluid loses its
// heat through the insulation's resistance of one metre (insulated_pipe.h),
// so its excess over the air decays exponentially along the line; the film
// inside the pipe and the pipe wall are left out, the specific heat is one
// value over the line.
#include <string>

#include "common.h"
#include "event.h"
#include "heatflow.h"
#include "insulated_pipe.h"
#include "numeric.h"
#include "pipe_sizes.h"

namespace milfo::heatflow {

namespace {

using K = ControlKind;

const char* const kDiameter = "管の外径は０より大きくしてください。";
const char* const kFlow = "流量と比熱は０より大きくしてください。";
const char* const kLength = "配管の長さは０以上としてください。";

// The checks in their order; the first that fails stops the press.
void check(Real outer, Real thickness, Real conductivity, Real coefficient, Real flow, Real specificHeat,
           Real length)
{
    if (!(outer > Real(0)))
        throw HandlerMessage(kDiameter);
    checkInsulation(thickness, conductivity, coefficient);
    if (!(flow > Real(0) && specificHeat > Real(0)))
        throw HandlerMessage(kFlow);
    if (!(length >= Real(0)))
        throw HandlerMessage(kLength);
}

// A box's number; one beyond the Double range is reported naming the box.
Real read(const Form& form, const char* box)
{
    return readNamedBox(form, box, temperatureDrop());
}

// 計算: every box read, the checks, then each result as it is worked out.
void Command1_Click(Form& form)
{
    const Real inlet = read(form, "Text1");
    const Real air = read(form, "Text2");
    const Real flow = read(form, "Text3");
    const Real specificHeat = read(form, "Text4");
    const Real length = read(form, "Text5");
    const Real outer = read(form, "Text6");
    const Real thickness = read(form, "Text7");
    const Real conductivity = read(form, "Text8");
    const Real coefficient = read(form, "Text9");
    check(outer, thickness, conductivity, coefficient, flow, specificHeat, length);

    const Real resistance = insulatedPipeResistance(outer, thickness, conductivity, coefficient);
    form.setText("Text10", ShowVariant(resistance.value()));
    // The heat capacity rate in W/K.
    const Real rate = ((flow / Real(3600)) * specificHeat) * Real(1000);
    const Real outlet = air + ((inlet - air) * exponential((Real(0) - length) / (rate * resistance)));
    form.setText("Text11", ShowVariant(outlet.value()));
    const Real drop = inlet - outlet;
    form.setText("Text12", ShowVariant(drop.value()));
    form.setText("Text13", ShowVariant((rate * drop).value()));
}

}  // namespace

const ProgramDescription& temperatureDrop()
{
    static const ProgramDescription program{
        "温度降下",
        8520,
        5100,
        {
            // kind, name, caption or initial text, left, top, width, height, tab index
            {K::Label, "Label1", "配管内流体の温度降下", 240, 120, 2655, 255, 0},
            {K::Label, "Label2", "入口温度（℃）", 240, 630, 2655, 255, 1},
            {K::TextBox, "Text1", "", 3000, 600, 1215, 300, 2},
            {K::Label, "Label3", "周囲温度（℃）", 240, 1050, 2655, 255, 3},
            {K::TextBox, "Text2", "", 3000, 1020, 1215, 300, 4},
            {K::Label, "Label4", "流量（ｋｇ／ｈ）", 240, 1470, 2655, 255, 5},
            {K::TextBox, "Text3", "", 3000, 1440, 1215, 300, 6},
            {K::Label, "Label5", "比熱（ｋＪ／ｋｇＫ）", 240, 1890, 2655, 255, 7},
            {K::TextBox, "Text4", "", 3000, 1860, 1215, 300, 8},
            {K::Label, "Label6", "配管の長さ（ｍ）", 240, 2310, 2655, 255, 9},
            {K::TextBox, "Text5", "", 3000, 2280, 1215, 300, 10},
            {K::Label, "Label7", "呼び径", 240, 2730, 2655, 255, 11},
            {K::ComboBox, "Combo1", "", 3000, 2700, 1215, 300, 12},
            {K::Label, "Label8", "管の外径（ｍ）", 240, 3150, 2655, 255, 13},
            {K::TextBox, "Text6", "", 3000, 3120, 1215, 300, 14},
            {K::Label, "Label9", "保温材の厚さ（ｍ）", 240, 3570, 2655, 255, 15},
            {K::TextBox, "Text7", "", 3000, 3540, 1215, 300, 16},
            {K::Label, "Label10", "熱伝導率（Ｗ／ｍＫ）", 240, 3990, 2655, 255, 17},
            {K::TextBox, "Text8", "", 3000, 3960, 1215, 300, 18},
            {K::Label, "Label11", "表面熱伝達率（Ｗ／ｍ２Ｋ）", 240, 4410, 2655, 255, 19},
            {K::TextBox, "Text9", "", 3000, 4380, 1215, 300, 20},
            {K::CommandButton, "Command1", "計算", 6360, 600, 1215, 375, 21},
            {K::Label, "Label12", "熱抵抗（ｍＫ／Ｗ）", 4560, 1470, 1695, 255, 22},
            {K::TextBox, "Text10", "", 6360, 1440, 1935, 300, 23},
            {K::Label, "Label13", "出口温度（℃）", 4560, 1890, 1695, 255, 24},
            {K::TextBox, "Text11", "", 6360, 1860, 1935, 300, 25},
            {K::Label, "Label14", "温度降下（Ｋ）", 4560, 2310, 1695, 255, 26},
            {K::TextBox, "Text12", "", 6360, 2280, 1935, 300, 27},
            {K::Label, "Label15", "放散熱量（Ｗ）", 4560, 2730, 1695, 255, 28},
            {K::TextBox, "Text13", "", 6360, 2700, 1935, 300, 29},
            {K::Label, "Label16", kCreditLine, 6360, 3990, 1935, 255, 30},
            {K::Label, "Label17", "2026/12/07", 6360, 4410, 1215, 255, 31},
        },
        {
            {"Combo1", nominalSizes()},
        },
        {
            // A nominal size picked: its outer diameter in metres.
            {"Combo1_Click", nominalSizePicked("Combo1", "Text6"), {"Text6"}},
            {"Command1_Click", Command1_Click, {"Text10", "Text11", "Text12", "Text13"}},
        },
        {
            // box, the label that captions it
            {"Text1", "Label2"},
            {"Text2", "Label3"},
            {"Text3", "Label4"},
            {"Text4", "Label5"},
            {"Text5", "Label6"},
            {"Combo1", "Label7"},
            {"Text6", "Label8"},
            {"Text7", "Label9"},
            {"Text8", "Label10"},
            {"Text9", "Label11"},
            {"Text10", "Label12"},
            {"Text11", "Label13"},
            {"Text12", "Label14"},
            {"Text13", "Label15"},
        },
        {kDiameter, kInsulationThickness, kInsulationCoefficients, kFlow, kLength, kTooLarge},
        nullptr,
        {},
        // The nominal size only fills the outer diameter.
        {"Combo1"},
    };
    return program;
}

}  // namespace milfo::heatflow
