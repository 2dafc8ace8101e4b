// Rigid urethane foam (menu 1.1.7): one law in three bands, no grade list.
#include "conductivity.h"
#include "mean.h"

namespace milfo::conductivity {

namespace {

using K = ControlKind;
constexpr FontChoice MS = FontChoice::MsPGothic;

// -200 ≤ θ ≤ -60: linear; -60 < θ ≤ 15: cubic; 15 < θ ≤ 100: linear.
// clang-format off
const BandedLaw kRigidUrethaneFoam{
    -200, -60, 15, 100,                 // lo, lower limit, upper limit, hi
    0.0294, 1e-4,                       // band L
    0.0209, 3.13e-5, 3.53e-6, 4.01e-8,  // band M
    0.0202, 1.4e-4,                     // band H
};
// clang-format on

}  // namespace

const ProgramDescription& halcott()
{
    static const ProgramDescription program =
        bandedProgram({"halcott",
                       4680,
                       2850,
                       {
                           // kind, name, caption or initial text, left, top, width, height, tab index, font
                           {K::Label, "Label4", "硬質ウレタンフォームの平均熱伝導率の計算  ＪＩＳによる", 120,
                            120, 4335, 255, 7},
                           {K::TextBox, "Text1", "", 2400, 480, 975, 375, 2, MS},
                           {K::Label, "Label1", "低温側温度（℃）", 360, 600, 1455, 255, 0},
                           {K::TextBox, "Text2", "", 2400, 1080, 975, 375, 3, MS},
                           {K::Label, "Label2", "高温側温度（℃）", 360, 1200, 1455, 255, 1},
                           {K::TextBox, "Text3", "", 2400, 1680, 975, 375, 6, MS},
                           {K::CommandButton, "Command1", "計算", 3840, 1680, 735, 375, 5},
                           {K::Label, "Label3", "平均熱伝導率（Ｗ／ｍｋ）", 240, 1800, 1935, 255, 4},
                           {K::Label, "Label5", kCreditLine, 2880, 2280, 1695, 255, 8},
                           {K::Label, "Label6", "2003/01/01", 3480, 2520, 975, 255, 9},
                       }},
                      kRigidUrethaneFoam);
    return program;
}

std::optional<Range> halcottRange(const Form& /*window*/)
{
    return bandedRange(kRigidUrethaneFoam);
}

}  // namespace milfo::conductivity
