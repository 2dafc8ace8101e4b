// Rock wool (menu 1.1.1).
#include "conductivity.h"
#include "mean.h"

namespace milfo::conductivity {

namespace {

using K = ControlKind;
constexpr FontChoice MS = FontChoice::MsPGothic;

// Linear up to 100 °C, quadratic above; felt ends at 400 °C, the rest at 600.
// Rows 5 and 6 carry the numbers of rows 1 and 2.
const std::vector<TwoRangeGrade> kRockWool{
    // list text              lo   θb   hi    a0      a1       b0      b1       b2
    {"保温板１号", -20, 100, 600, 0.0337, 1.51e-4, 0.0395, 4.71e-5, 5.03e-7},
    {"保温板２号", -20, 100, 600, 0.0337, 1.28e-4, 0.0407, 2.52e-5, 3.34e-7},
    {"保温板３号", -20, 100, 600, 0.036, 1.16e-4, 0.0419, 3.28e-5, 2.63e-7},
    {"フェルト", -20, 100, 400, 0.0349, 1.86e-4, 0.0337, 1.63e-4, 3.84e-7},
    {"ブランケット１号", -20, 100, 600, 0.0337, 1.51e-4, 0.0395, 4.71e-5, 5.03e-7},
    {"ブランケット２号", -20, 100, 600, 0.0337, 1.28e-4, 0.0407, 2.52e-5, 3.34e-7},
    {"保温帯１号", -20, 100, 600, 0.0349, 2.44e-4, 0.0407, 1.16e-4, 7.67e-7},
    {"保温帯２号", -20, 100, 600, 0.036, 1.74e-4, 0.0453, 3.58e-5, 4.15e-7},
    {"保温筒", -20, 100, 600, 0.0314, 1.74e-4, 0.0384, 7.13e-5, 3.51e-7},
};

}  // namespace

const ProgramDescription& pimbrel()
{
    static const ProgramDescription program = twoRangeProgram(
        {"pimbrel",
         4800,
         3810,
         {
             // kind, name, caption or initial text, left, top, width, height, tab index, font
             {K::Label, "Label1", "低温側温度（℃）", 240, 1320, 1455, 255, 0},
             {K::Label, "Label2", "高温側温度（℃）", 240, 1920, 1455, 255, 1},
             {K::TextBox, "Text1", "", 2400, 1320, 975, 375, 2, MS},
             {K::TextBox, "Text2", "", 2400, 1920, 975, 375, 3, MS},
             {K::Label, "Label3", "平均熱伝導率（Ｗ／ｍｋ）", 240, 2520, 1935, 255, 4},
             {K::CommandButton, "Command1", "計算", 3840, 2520, 735, 375, 5},
             {K::TextBox, "Text3", "", 2400, 2520, 975, 375, 6, MS},
             {K::Label, "Label4", "ロックウールの平均熱伝導率の計算  ＪＩＳによる", 240, 120, 3855, 255, 7},
             {K::Label, "Label5", kCreditLine, 2880, 3120, 1695, 255, 8},
             {K::Label, "Label6", "2003/07/07", 3480, 3480, 1095, 255, 9},
             {K::ComboBox, "Combo1", "", 2400, 720, 2055, 300, 10},
             {K::Label, "Label7", "ロックウールの種類", 240, 720, 1695, 255, 11},
         }},
        kRockWool);
    return program;
}

std::optional<Range> pimbrelRange(const Form& window)
{
    return twoRangeRange(kRockWool, window.text("Combo1"));
}

}  // namespace milfo::conductivity
