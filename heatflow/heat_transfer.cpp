// 熱伝達率 (menu ２．１): the heat transfer coefficients at the outer surface of
// an insulated wall or pipe, one by radiation and five by natural or forced
// convection, from the ambient and surface temperatures, the wind speed, the
// pipe diameter, the insulation thickness and the emissivity of the finish.
#include <string>
#include <vector>

#include "common.h"
#include "heatflow.h"
#include "numeric.h"

namespace milfo::heatflow {

namespace {

using K = ControlKind;
constexpr FontChoice MS = FontChoice::MsPGothic;

// The surface finishes after the list's empty first entry, with their
// emissivity.
struct Finish {
    const char* text;
    double emissivity;
};

const Finish kFinishes[] = {
    {"塗装溶融メッキ鋼板", 0.5},
    {"アルミニウム板", 0.22},
    {"ステンレス鋼板", 0.3},
    {"仕上げセメント、布類", 0.94},
};

constexpr double kStefanBoltzmann = 5.67e-8;
constexpr double kKelvinOffset = 273.15;

// The list: an empty entry first, then the finishes.
std::vector<std::string> finishList()
{
    std::vector<std::string> entries{""};
    for (const Finish& finish : kFinishes)
        entries.emplace_back(finish.text);
    return entries;
}

// A choice from the list puts the finish's emissivity into Text12 (exact name
// match); the empty entry, or any other text, empties it.
void Combo1_Click(Form& form)
{
    const std::string text = form.text("Combo1");
    Result emissivity;
    for (const Finish& finish : kFinishes)
        if (text == finish.text)
            emissivity = finish.emissivity;
    form.setText("Text12", ShowVariant(emissivity));
}

// The wind factor ((v + 0.348) / 0.348)^0.5, by the power function. A wind
// speed below -0.348 makes the base negative: an invalid argument.
Real windFactor(Real v)
{
    return power((v + 0.348) / 0.348, 0.5);
}

// "計算": all six coefficients are worked out first, each only when its case
// holds, and then written Text6 to Text11; one not worked out shows "0".
void Command1_Click(Form& form)
{
    const Real ambient = readBox(form, "Text1");
    // The surface temperature is held in a Single; every formula sees that
    // value, widened exactly.
    const Real surface = static_cast<double>(NarrowSingle(ReadVal(form.text("Text2"))));
    const Real wind = readBox(form, "Text3");
    const Real diameter = readBox(form, "Text4");
    const Real thickness = readBox(form, "Text5");
    const Real emissivity = readBox(form, "Text12");

    const Real outerDiameter = Real(2) * thickness + diameter;
    const Real difference = absolute(ambient - surface);

    Result radiation, upward, downward, vertical, verticalSmall, horizontalPipe;

    // Radiation: divided by the difference of the Kelvin temperatures, which
    // can round to 0 while the Celsius difference does not.
    if (difference != Real(0)) {
        const Real emittance = emissivity * kStefanBoltzmann;
        const Real surfaceK = surface + kKelvinOffset;
        const Real ambientK = ambient + kKelvinOffset;
        radiation =
            (((power(surfaceK, 4.0) - power(ambientK, 4)) * emittance) / (surfaceK - ambientK)).value();
    }
    // Each convective case forms its temperature term first, then the wind
    // factor, then the product.
    // Upward- and downward-facing plane: only for a plane (d = 0).
    if (diameter == Real(0)) {
        const Real up = Real(3.26) * power(difference, 0.25);
        upward = (up * windFactor(wind)).value();
        const Real down = Real(2.28) * power(difference, 0.25);
        downward = (down * windFactor(wind)).value();
    }
    // Vertical plane and pipe; the bound 10 belongs to the large difference.
    if (difference >= Real(10)) {
        const Real term = Real(2.56) * power(difference, 0.25);
        vertical = (term * windFactor(wind)).value();
    }
    // Both tests are made, left to right, before they are combined.
    const bool nonZero = difference != Real(0);
    const bool small = difference < Real(10);
    if (nonZero && small) {
        const Real term = Real(3.61) + Real(0.094) * difference;
        verticalSmall = (term * windFactor(wind)).value();
    }
    // Horizontal pipe, over the outer diameter of the insulation: D = 0
    // divides by zero, D < 0 leaves a negative base under the fourth root.
    if (diameter > Real(0)) {
        const Real term = Real(1.19) * power(difference / outerDiameter, 0.25);
        horizontalPipe = (term * windFactor(wind)).value();
    }

    form.setText("Text6", ShowDecimal(radiation));
    form.setText("Text7", ShowDecimal(upward));
    form.setText("Text8", ShowDecimal(downward));
    form.setText("Text9", ShowDecimal(vertical));
    form.setText("Text10", ShowDecimal(verticalSmall));
    form.setText("Text11", ShowDecimal(horizontalPipe));
}

// "終了".
void Command2_Click(Form& form)
{
    form.end();
}

}  // namespace

const ProgramDescription& heatTransfer()
{
    static const ProgramDescription program{
        "熱伝達率",
        6600,
        4815,
        {
            // kind, name, caption or initial text, left, top, width, height, tab index, font
            {K::Label, "Label1", "表面温度（℃）", 360, 1080, 1215, 255, 0},
            {K::Label, "Label2", "環境温度（℃）", 360, 600, 1215, 255, 1},
            {K::TextBox, "Text1", "0", 1920, 480, 975, 375, 2, MS},
            {K::TextBox, "Text2", "0", 1920, 960, 975, 375, 3, MS},
            {K::Label, "Label3", "風速 （ｍ／ｓ）", 360, 1560, 1215, 255, 4},
            {K::CommandButton, "Command1", "計算", 840, 4080, 735, 375, 5},
            {K::TextBox, "Text3", "0", 1920, 1440, 975, 375, 6, MS},
            {K::Label, "Label4", "熱伝達率の計算  ＪＩＳによる", 240, 120, 2655, 255, 7},
            {K::Label, "Label5", kCreditLine, 4560, 4080, 1695, 255, 8},
            {K::Label, "Label6", "配管の直径（ｍ）", 360, 2040, 1335, 255, 9},
            {K::Label, "Label7", "断熱材の厚さ（ｍ）", 360, 2520, 1455, 255, 10},
            {K::ComboBox, "Combo1", "", 840, 3240, 2055, 300, 11},
            {K::Label, "Label8", "放射率", 360, 2880, 975, 255, 12},
            {K::TextBox, "Text4", "0", 1920, 1920, 975, 375, 13},
            {K::TextBox, "Text5", "0", 1920, 2400, 975, 375, 14},
            {K::Label, "Label9", "放射による熱伝達率（Ｗ／ｍ2/Ｋ）", 3360, 480, 1575, 375, 15},
            {K::TextBox, "Text6", "", 5280, 480, 1095, 375, 16},
            {K::Label, "Label10", "対流による熱伝達率（Ｗ／ｍ2/Ｋ）", 3360, 960, 1575, 375, 17},
            {K::TextBox, "Text7", "", 5280, 1440, 1095, 375, 18},
            {K::Label, "Label11", "・上向き平面", 3600, 1560, 1455, 255, 19},
            {K::Label, "Label12", "・下向き平面", 3600, 2040, 1455, 255, 20},
            {K::TextBox, "Text8", "", 5280, 1920, 1095, 375, 21},
            {K::Label, "Label13", "・垂直平面及び管", 3600, 2400, 1455, 255, 22},
            {K::TextBox, "Text9", "", 5280, 2640, 1095, 375, 23},
            {K::TextBox, "Text10", "", 5280, 3120, 1095, 375, 24},
            {K::Label, "Label14", "Δθ＞＝１０Ｋ", 3960, 2760, 1095, 255, 25},
            {K::Label, "Label15", "Δθ＜１０Ｋ", 3960, 3240, 1215, 255, 26},
            {K::Label, "Label16", "・水平管", 3600, 3600, 1575, 255, 27},
            {K::TextBox, "Text11", "", 5280, 3600, 1095, 375, 28},
            {K::CommandButton, "Command2", "終了", 2160, 4080, 735, 375, 29},
            {K::TextBox, "Text12", "", 2040, 3600, 855, 270, 30},
            {K::Label, "Label17", "ε＝", 1560, 3600, 495, 255, 31},
            {K::Label, "Label18", "2003/01/01", 4800, 4320, 1095, 255, 32},
            {K::Label, "Label19", "2003/09/09 ver1.1", 4800, 4560, 1455, 375, 33},
        },
        {{"Combo1", finishList()}},
        {
            {"Combo1_Click", Combo1_Click, {"Text12"}},
            {"Command1_Click", Command1_Click, {"Text6", "Text7", "Text8", "Text9", "Text10", "Text11"}},
            {"Command2_Click", Command2_Click},
        },
        {
            // box, the label that captions it, a name where the label alone is ambiguous
            {"Text1", "Label2"},
            {"Text2", "Label1"},
            {"Text3", "Label3"},
            {"Text4", "Label6"},
            {"Text5", "Label7"},
            {"Combo1", "Label8"},
            {"Text12", "Label17"},
            {"Text6", "Label9"},
            {"Text7", "Label11", "対流による熱伝達率（Ｗ／ｍ2/Ｋ） 上向き平面"},
            {"Text8", "Label12", "対流による熱伝達率（Ｗ／ｍ2/Ｋ） 下向き平面"},
            {"Text9", "Label14", "対流による熱伝達率（Ｗ／ｍ2/Ｋ） 垂直平面及び管 Δθ＞＝１０Ｋ"},
            {"Text10", "Label15", "対流による熱伝達率（Ｗ／ｍ2/Ｋ） 垂直平面及び管 Δθ＜１０Ｋ"},
            {"Text11", "Label16", "対流による熱伝達率（Ｗ／ｍ2/Ｋ） 水平管"},
        },
        {},
        nullptr,
        {},
        // The finish only fills ε (Text12), which the calculation reads.
        {"Combo1"},
        {},
        // Still air; a plane (no diameter, no thickness).
        {"Text3", "Text4", "Text5"},
    };
    return program;
}

}  // namespace milfo::heatflow
