// Polyethylene foam (menu 1.1.8).
#include "conductivity.h"
#include "mean.h"

namespace milfo::conductivity {

namespace {

using K = ControlKind;
constexpr FontChoice MS = FontChoice::MsPGothic;

const OneLawMaterial kPolyethyleneFoam{{
    // list text      a       b        c  lo   hi
    {"保温筒１種", 0.0395, 0.00017, 0, -50, 70},
    {"保温筒２種", 0.0395, 0.00017, 0, -50, 70},
}};

}  // namespace

const ProgramDescription& fennick()
{
    static const ProgramDescription program = oneLawProgram(
        {"fennick",
         5295,
         3960,
         {
             // kind, name, caption or initial text, left, top, width, height, tab index, font
             {K::Label, "Label1", "低温側温度（℃）", 240, 1440, 1455, 255, 0},
             {K::Label, "Label2", "高温側温度（℃）", 240, 2040, 1455, 255, 1},
             {K::TextBox, "Text1", "", 2640, 1440, 975, 375, 2, MS},
             {K::TextBox, "Text2", "", 2640, 2040, 975, 375, 3, MS},
             {K::Label, "Label3", "平均熱伝導率（Ｗ／ｍｋ）", 240, 2640, 1935, 255, 4},
             {K::CommandButton, "Command1", "計算", 4080, 2640, 735, 375, 5},
             {K::TextBox, "Text3", "", 2640, 2640, 975, 375, 6, MS},
             {K::Label, "Label4", "ポリエチレンフォームの平均熱伝導率の計算", 360, 120, 3615, 255, 7},
             {K::Label, "Label5", kCreditLine, 3120, 3240, 1695, 255, 8},
             {K::Label, "Label6", "2003/07/07", 3720, 3600, 1095, 255, 9},
             {K::ComboBox, "Combo1", "", 2640, 720, 2295, 300, 10},
             {K::Label, "Label7", "ポリエチレンフォームの種類", 240, 720, 2295, 255, 11},
         }},
        kPolyethyleneFoam);
    return program;
}

std::optional<Range> fennickRange(const Form& window)
{
    return oneLawRange(kPolyethyleneFoam, window.text("Combo1"));
}

}  // namespace milfo::conductivity
