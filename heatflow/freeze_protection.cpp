// 凍結防止 (menu ８): how long standing water in an insulated pipe outdoors
// takes to cool to 0 °C, and then to freeze to a given part, in air below
// 0 °C. The water (1000 kg/m³, 4186 J/(kg·K), 334 kJ/kg to freeze) and the
// pipe wall (by its volumetric heat) give up their heat through the
// insulation's resistance of one metre (insulated_pipe.h); the water is taken
// at one temperature, and nothing flows.
#include <string>

#include "common.h"
#include "event.h"
#include "freeze_protection.h"
#include "heatflow.h"
#include "insulated_pipe.h"
#include "numeric.h"
#include "pipe_sizes.h"

namespace milfo::heatflow {

namespace {

using K = ControlKind;

const char* const kDiameters = "管の外径と内径は、０＜内径＜外径としてください。";
const char* const kVolumetricHeat = "管材の容積比熱は０以上としてください。";
const char* const kFrozenPart = "凍結率は０以上１００以下としてください。";

// The pipe materials and their volumetric heat in kJ/(m³·K).
struct PipeMaterial {
    const char* name;
    const char* volumetricHeat;
};
const PipeMaterial kPipeMaterials[] = {
    {"鋼管", "3611"},
    {"ステンレス鋼管", "3957"},
    {"銅管", "3450"},
};

// The checks in their order; the first that fails stops the press.
void check(Real outer, Real inner, Real thickness, Real conductivity, Real coefficient, Real volumetricHeat,
           Real frozen, Real air, Real water)
{
    if (!(outer > Real(0) && Real(0) < inner && inner < outer))
        throw HandlerMessage(kDiameters);
    checkInsulation(thickness, conductivity, coefficient);
    if (!(volumetricHeat >= Real(0)))
        throw HandlerMessage(kVolumetricHeat);
    if (!(Real(0) <= frozen && frozen <= Real(100)))
        throw HandlerMessage(kFrozenPart);
    checkFrost(air, water);
}

// A box's number; one beyond the Double range is reported naming the box.
Real read(const Form& form, const char* box)
{
    return readNamedBox(form, box, freezeProtection());
}

// 計算: every box read, the checks, then each result as it is worked out.
void Command1_Click(Form& form)
{
    const Real water = read(form, "Text1");
    const Real air = read(form, "Text2");
    const Real outer = read(form, "Text3");
    const Real inner = read(form, "Text4");
    const Real volumetricHeat = read(form, "Text5");
    const Real thickness = read(form, "Text6");
    const Real conductivity = read(form, "Text7");
    const Real coefficient = read(form, "Text8");
    const Real frozen = read(form, "Text9");
    check(outer, inner, thickness, conductivity, coefficient, volumetricHeat, frozen, air, water);

    const Real pi(kPiNearest);
    const Real resistance = insulatedPipeResistance(outer, thickness, conductivity, coefficient);
    form.setText("Text10", ShowVariant(resistance.value()));
    const Real waterArea = ((pi * inner) * inner) / Real(4);
    const Real wallArea = (pi * ((outer * outer) - (inner * inner))) / Real(4);
    const Real capacity = (Real(4186000) * waterArea) + ((Real(1000) * volumetricHeat) * wallArea);
    const Real cooling = (((capacity * resistance) * ln((water - air) / (Real(0) - air))) / Real(3600));
    form.setText("Text11", ShowVariant(cooling.value()));
    const Real freezing =
        ((((((frozen / Real(100)) * Real(334000000)) * waterArea) * resistance) / (Real(0) - air)) /
         Real(3600));
    form.setText("Text12", ShowVariant(freezing.value()));
    form.setText("Text13", ShowVariant((cooling + freezing).value()));
}

// A pipe material picked: its volumetric heat.
void Combo1_Click(Form& form)
{
    const std::string name = form.text("Combo1");
    for (const PipeMaterial& m : kPipeMaterials)
        if (name == m.name)
            form.setText("Text5", m.volumetricHeat);
}

}  // namespace

void checkFrost(Real air, Real water)
{
    if (!(air < Real(0)))
        throw HandlerMessage(kNoFrost);
    if (!(water >= Real(0)))
        throw HandlerMessage(kIce);
}

const ProgramDescription& freezeProtection()
{
    static const ProgramDescription program{
        "凍結防止",
        8520,
        5520,
        {
            // kind, name, caption or initial text, left, top, width, height, tab index
            {K::Label, "Label1", "管内水の凍結までの時間", 240, 120, 2655, 255, 0},
            {K::Label, "Label2", "水温（℃）", 240, 630, 2655, 255, 1},
            {K::TextBox, "Text1", "", 3000, 600, 1215, 300, 2},
            {K::Label, "Label3", "外気温度（℃）", 240, 1050, 2655, 255, 3},
            {K::TextBox, "Text2", "", 3000, 1020, 1215, 300, 4},
            {K::Label, "Label4", "呼び径", 240, 1470, 2655, 255, 5},
            {K::ComboBox, "Combo2", "", 3000, 1440, 1215, 300, 6},
            {K::Label, "Label5", "管の外径（ｍ）", 240, 1890, 2655, 255, 7},
            {K::TextBox, "Text3", "", 3000, 1860, 1215, 300, 8},
            {K::Label, "Label6", "管の内径（ｍ）", 240, 2310, 2655, 255, 9},
            {K::TextBox, "Text4", "", 3000, 2280, 1215, 300, 10},
            {K::Label, "Label7", "管の材質", 240, 2730, 2655, 255, 11},
            {K::ComboBox, "Combo1", "", 3000, 2700, 1455, 300, 12},
            {K::Label, "Label8", "管材の容積比熱（ｋＪ／ｍ３Ｋ）", 240, 3150, 2655, 255, 13},
            {K::TextBox, "Text5", "", 3000, 3120, 1215, 300, 14},
            {K::Label, "Label9", "保温材の厚さ（ｍ）", 240, 3570, 2655, 255, 15},
            {K::TextBox, "Text6", "", 3000, 3540, 1215, 300, 16},
            {K::Label, "Label10", "熱伝導率（Ｗ／ｍＫ）", 240, 3990, 2655, 255, 17},
            {K::TextBox, "Text7", "", 3000, 3960, 1215, 300, 18},
            {K::Label, "Label11", "表面熱伝達率（Ｗ／ｍ２Ｋ）", 240, 4410, 2655, 255, 19},
            {K::TextBox, "Text8", "", 3000, 4380, 1215, 300, 20},
            {K::Label, "Label12", "凍結率（％）", 240, 4830, 2655, 255, 21},
            {K::TextBox, "Text9", "", 3000, 4800, 1215, 300, 22},
            {K::CommandButton, "Command1", "計算", 6360, 600, 1215, 375, 23},
            {K::Label, "Label13", "熱抵抗（ｍＫ／Ｗ）", 4560, 1470, 1695, 255, 24},
            {K::TextBox, "Text10", "", 6360, 1440, 1935, 300, 25},
            {K::Label, "Label14", "冷却時間（ｈ）", 4560, 1890, 1695, 255, 26},
            {K::TextBox, "Text11", "", 6360, 1860, 1935, 300, 27},
            {K::Label, "Label15", "凍結時間（ｈ）", 4560, 2310, 1695, 255, 28},
            {K::TextBox, "Text12", "", 6360, 2280, 1935, 300, 29},
            {K::Label, "Label16", "合計時間（ｈ）", 4560, 2730, 1695, 255, 30},
            {K::TextBox, "Text13", "", 6360, 2700, 1935, 300, 31},
            {K::Label, "Label17", kCreditLine, 6360, 4410, 1935, 255, 32},
            {K::Label, "Label18", "2026/12/07", 6360, 4830, 1215, 255, 33},
        },
        {
            {"Combo1",
             [] {
                 std::vector<std::string> entries;
                 for (const PipeMaterial& m : kPipeMaterials)
                     entries.emplace_back(m.name);
                 return entries;
             }()},
            {"Combo2", nominalSizes()},
        },
        {
            {"Combo1_Click", Combo1_Click, {"Text5"}},
            // A nominal size picked: its outer and inner diameter in metres.
            {"Combo2_Click", nominalSizePicked("Combo2", "Text3", "Text4"), {"Text3", "Text4"}},
            {"Command1_Click", Command1_Click, {"Text10", "Text11", "Text12", "Text13"}},
        },
        {
            // box, the label that captions it
            {"Text1", "Label2"},
            {"Text2", "Label3"},
            {"Combo2", "Label4"},
            {"Text3", "Label5"},
            {"Text4", "Label6"},
            {"Combo1", "Label7"},
            {"Text5", "Label8"},
            {"Text6", "Label9"},
            {"Text7", "Label10"},
            {"Text8", "Label11"},
            {"Text9", "Label12"},
            {"Text10", "Label13"},
            {"Text11", "Label14"},
            {"Text12", "Label15"},
            {"Text13", "Label16"},
        },
        {kDiameters, kInsulationThickness, kInsulationCoefficients, kVolumetricHeat, kFrozenPart, kNoFrost,
         kIce, kTooLarge},
        nullptr,
        {},
        // The pipe material and the nominal size only fill boxes.
        {"Combo1", "Combo2"},
    };
    return program;
}

}  // namespace milfo::heatflow
