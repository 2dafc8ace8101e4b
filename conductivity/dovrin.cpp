// Calcium silicate (menu 1.1.4).
#include "conductivity.h"
#include "mean.h"

namespace milfo::conductivity {

namespace {

using K = ControlKind;
constexpr FontChoice MS = FontChoice::MsPGothic;

// Linear up to the boundary temperature, quadratic above it.
//
// "１号－２２": b0 is 0.0612, the value of "２号－２２", which has the same
// boundary and the same other four coefficients. The figure on record,
// 1.16e-4 (the row's own a1), would make the upper law give about 0.028 at
// 300 °C against 0.088 from the lower law; with 0.0612 the laws meet there as
// closely as in the other rows.
const std::vector<TwoRangeGrade> kCalciumSilicate{
    // list text       lo  θb   hi    a0      a1       b0      b1        b2
    {"１号－１３", 0, 300, 800, 0.0407, 1.28e-4, 0.0555, 2.05e-5, 1.93e-7},
    {"１号－２２", 0, 300, 800, 0.0535, 1.16e-4, 0.0612, 3.38e-5, 1.95e-7},
    {"２号－１７", 0, 200, 600, 0.0465, 1.16e-4, 0.057, -9.36e-6, 3.74e-7},
    {"２号－２２", 0, 300, 600, 0.0535, 1.16e-4, 0.0612, 3.38e-5, 1.95e-7},
};

}  // namespace

const ProgramDescription& dovrin()
{
    static const ProgramDescription program = twoRangeProgram(
        {"dovrin",
         4800,
         3870,
         {
             // kind, name, caption or initial text, left, top, width, height, tab index, font
             {K::Label, "Label4", "けい酸ｶﾙｼｳﾑ保温材の平均熱伝導率の計算", 120, 120, 4695, 255, 7},
             {K::Label, "Label7", "保温材の種類", 360, 600, 1335, 255, 11},
             {K::ComboBox, "Combo1", "", 2400, 600, 1935, 300, 10},
             {K::Label, "Label1", "低温側温度（℃）", 360, 1320, 1455, 255, 0},
             {K::TextBox, "Text1", "", 2400, 1320, 975, 375, 2, MS},
             {K::Label, "Label2", "高温側温度（℃）", 360, 1920, 1455, 255, 1},
             {K::TextBox, "Text2", "", 2400, 1920, 975, 375, 3, MS},
             {K::Label, "Label3", "平均熱伝導率（Ｗ／ｍｋ）", 240, 2520, 1935, 255, 4},
             {K::TextBox, "Text3", "", 2400, 2520, 975, 375, 6, MS},
             {K::CommandButton, "Command1", "計算", 3840, 2520, 735, 375, 5},
             {K::Label, "Label5", kCreditLine, 2880, 3120, 1695, 255, 8},
             {K::Label, "Label6", "2003/07/07", 3480, 3480, 1095, 255, 9},
         }},
        kCalciumSilicate);
    return program;
}

std::optional<Range> dovrinRange(const Form& window)
{
    return twoRangeRange(kCalciumSilicate, window.text("Combo1"));
}

}  // namespace milfo::conductivity
