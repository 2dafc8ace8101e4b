// Ceramic fibre blanket (menu 1.1.3).
#include "conductivity.h"
#include "mean.h"

namespace milfo::conductivity {

namespace {

using K = ControlKind;
constexpr FontChoice MS = FontChoice::MsPGothic;

// The rows carry no bounds: one range serves every grade, 100 °C (exclusive)
// to 1000 °C (inclusive). It holds with no grade chosen too, and the result is
// then 0 because every coefficient counts as 0.
const OneLawMaterial kCeramicFibreBlanket{
    {
        // list text             a        b          c       (bounds below)
        {"ブランケット１号", 0.065, -3e-5, 3.78e-7, 0, 0},
        {"ブランケット２号", 0.069, -6.33e-5, 3.78e-7, 0, 0},
        {"ブランケット３号", 0.073, -9.33e-5, 4e-7, 0, 0},
    },
    FixedBounds{100, 1000.0f}};

}  // namespace

const ProgramDescription& nethrow()
{
    static const ProgramDescription program =
        oneLawProgram({"nethrow",
                       4800,
                       3960,
                       {
                           // kind, name, caption or initial text, left, top, width, height, tab index, font
                           {K::Label, "Label1", "低温側温度（℃）", 360, 1440, 1455, 255, 0},
                           {K::Label, "Label2", "高温側温度（℃）", 360, 2040, 1455, 255, 1},
                           {K::TextBox, "Text1", "", 2400, 1440, 975, 375, 2, MS},
                           {K::TextBox, "Text2", "", 2400, 2040, 975, 375, 3, MS},
                           {K::Label, "Label3", "平均熱伝導率（Ｗ／ｍｋ）", 240, 2640, 1935, 255, 4},
                           {K::CommandButton, "Command1", "計算", 3840, 2640, 735, 375, 5},
                           {K::TextBox, "Text3", "", 2400, 2640, 975, 375, 6, MS},
                           {K::Label, "Label4", "セラミックファイバーブランケットの平均熱伝導率の計算", 120,
                            120, 4695, 255, 7},
                           {K::Label, "Label5", kCreditLine, 2880, 3240, 1695, 255, 8},
                           {K::Label, "Label6", "2003/07/07", 3480, 3600, 1095, 255, 9},
                           {K::ComboBox, "Combo1", "", 2400, 720, 2055, 300, 10},
                           {K::Label, "Label7", "ブランケットの種類", 360, 720, 1695, 255, 11},
                       }},
                      kCeramicFibreBlanket);
    return program;
}

std::optional<Range> nethrowRange(const Form& window)
{
    return oneLawRange(kCeramicFibreBlanket, window.text("Combo1"));
}

}  // namespace milfo::conductivity
