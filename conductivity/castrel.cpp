// Phenolic foam (menu 1.1.9).
#include "conductivity.h"
#include "mean.h"

namespace milfo::conductivity {

namespace {

using K = ControlKind;
constexpr FontChoice MS = FontChoice::MsPGothic;

// Rows 5 and 6 (pipe sections) carry the numbers of rows 3 and 4.
const OneLawMaterial kPhenolicFoam{{
    // list text            a       b      c  lo    hi
    {"保温板１種１号", 0.03, 8e-5, 0, -100, 130},
    {"保温板１種２号", 0.0281, 7e-5, 0, -100, 130},
    {"保温板２種１号", 0.0332, 1.1e-4, 0, -100, 130},
    {"保温板２種２号", 0.0311, 1.2e-4, 0, -100, 130},
    {"保温筒１号", 0.0332, 1.1e-4, 0, -100, 130},
    {"保温筒２号", 0.0311, 1.2e-4, 0, -100, 130},
}};

}  // namespace

const ProgramDescription& castrel()
{
    static const ProgramDescription program = oneLawProgram(
        {"castrel",
         5130,
         3960,
         {
             // kind, name, caption or initial text, left, top, width, height, tab index, font
             {K::Label, "Label4", "フェノールフォームの平均熱伝導率の計算", 120, 120, 4695, 255, 7},
             {K::Label, "Label7", "フェノールフォームの種類", 240, 720, 2295, 255, 11},
             {K::ComboBox, "Combo1", "", 2640, 720, 2295, 300, 10},
             {K::Label, "Label1", "低温側温度（℃）", 240, 1440, 1455, 255, 0},
             {K::TextBox, "Text1", "", 2640, 1440, 975, 375, 2, MS},
             {K::Label, "Label2", "高温側温度（℃）", 240, 2040, 1455, 255, 1},
             {K::TextBox, "Text2", "", 2640, 2040, 975, 375, 3, MS},
             {K::Label, "Label3", "平均熱伝導率（Ｗ／ｍｋ）", 240, 2640, 1935, 255, 4},
             {K::TextBox, "Text3", "", 2640, 2640, 975, 375, 6, MS},
             {K::CommandButton, "Command1", "計算", 4080, 2640, 735, 375, 5},
             {K::Label, "Label5", kCreditLine, 3120, 3240, 1695, 255, 8},
             {K::Label, "Label6", "2003/07/07", 3720, 3600, 1095, 255, 9},
         }},
        kPhenolicFoam);
    return program;
}

std::optional<Range> castrelRange(const Form& window)
{
    return oneLawRange(kPhenolicFoam, window.text("Combo1"));
}

}  // namespace milfo::conductivity
