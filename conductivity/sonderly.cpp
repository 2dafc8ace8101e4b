// Water-repellent perlite (menu 1.1.5).
#include "conductivity.h"
#include "mean.h"

namespace milfo::conductivity {

namespace {

using K = ControlKind;
constexpr FontChoice MS = FontChoice::MsPGothic;

// Both rows have a θ² term, so the cubic part of the mean takes part.
const OneLawMaterial kPerlite{{
    // list text                 a        b         c        lo  hi
    {"保温板(筒)３号－２５", 0.0632, 1.26e-4, 2.67e-8, 0, 800},
    {"保温板(筒)４号－１８", 0.0483, 1.27e-4, 3.7e-8, 0, 600},
}};

}  // namespace

const ProgramDescription& sonderly()
{
    static const ProgramDescription program =
        oneLawProgram({"sonderly",
                       4800,
                       3960,
                       {
                           // kind, name, caption or initial text, left, top, width, height, tab index, font
                           {K::Label, "Label4", "sonderlyの平均熱伝導率の計算", 120, 120, 4695, 255, 7},
                           {K::Label, "Label7", "パーライト保温材の種類", 360, 720, 1935, 255, 11},
                           {K::ComboBox, "Combo1", "", 2400, 720, 2055, 300, 10},
                           {K::Label, "Label1", "低温側温度（℃）", 360, 1440, 1455, 255, 0},
                           {K::TextBox, "Text1", "", 2400, 1440, 975, 375, 2, MS},
                           {K::Label, "Label2", "高温側温度（℃）", 360, 2040, 1455, 255, 1},
                           {K::TextBox, "Text2", "", 2400, 2040, 975, 375, 3, MS},
                           {K::Label, "Label3", "平均熱伝導率（Ｗ／ｍｋ）", 240, 2640, 1935, 255, 4},
                           {K::TextBox, "Text3", "", 2400, 2640, 975, 375, 6, MS},
                           {K::CommandButton, "Command1", "計算", 3840, 2640, 735, 375, 5},
                           {K::Label, "Label5", kCreditLine, 2880, 3240, 1695, 255, 8},
                           {K::Label, "Label6", "2003/07/07", 3480, 3600, 1095, 255, 9},
                       }},
                      kPerlite);
    return program;
}

std::optional<Range> sonderlyRange(const Form& window)
{
    return oneLawRange(kPerlite, window.text("Combo1"));
}

}  // namespace milfo::conductivity
