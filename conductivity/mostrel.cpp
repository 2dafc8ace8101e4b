// Glass wool (menu 1.1.2).
#include "conductivity.h"
#include "mean.h"

namespace milfo::conductivity {

namespace {

using K = ControlKind;
constexpr FontChoice MS = FontChoice::MsPGothic;

// Twenty rows, each with its own range. The list offers nineteen of them:
// "保温板２号３２ｋ" is found only when its text is typed into the list.
const OneLawMaterial kGlassWool{{
    // list text                  a        b          c       lo   hi
    {"ウール２号", 0.0357, 1.5e-4, 0, 0, 100},
    {"ウール３号", 0.0372, 1.66e-4, 0, 0, 100},
    {"保温板２号２４ｋ", 0.0357, 1.42e-4, 8.34e-7, -20, 200},
    {"保温板２号３２ｋ", 0.0333, 1.21e-4, 6.56e-7, -20, 200, false},
    {"保温板２号４０ｋ", 0.0328, 1.1e-4, 5.61e-7, -20, 200},
    {"保温板２号４８ｋ", 0.0324, 1.05e-4, 4.62e-7, -20, 200},
    {"保温板２号６４ｋ", 0.032, 9.48e-5, 3.3e-7, -20, 200},
    {"保温板２号８０ｋ", 0.0317, 9.39e-5, 2.48e-7, -20, 200},
    {"保温板２号９６ｋ", 0.0318, 9.82e-5, 2.44e-7, -20, 200},
    {"保温板２号１２０ｋ", 0.0333, 1.06e-4, 2.86e-7, -20, 200},
    {"保温板３号８０ｋ", 0.0349, 1.66e-4, 0, 0, 100},
    {"保温板３号９６ｋ", 0.0349, 1.66e-4, 0, 0, 100},
    {"保温板３号１２０ｋ", 0.0349, 1.66e-4, 0, 0, 100},
    {"波形保温板", 0.0384, 1.99e-4, 0, 0, 100},
    {"ブランケット２号ａ", 0.0337, 1.99e-4, 0, 0, 100},
    {"ブランケット２号ｂ", 0.0314, 1.66e-4, 0, 0, 100},
    {"保温帯２号ａ", 0.0384, 1.99e-4, 0, 0, 100},
    {"保温帯２号ｂ", 0.0384, 1.99e-4, 0, 0, 100},
    {"保温帯２号ｃ", 0.0384, 1.99e-4, 0, 0, 100},
    {"保温筒", 0.0324, 1.05e-4, 4.62e-7, 0, 200},
}};

}  // namespace

const ProgramDescription& mostrel()
{
    static const ProgramDescription program =
        oneLawProgram({"mostrel",
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
                           {K::Label, "Label4", "グラスウールの平均熱伝導率の計算", 120, 120, 4695, 255, 7},
                           {K::Label, "Label5", kCreditLine, 2880, 3240, 1695, 255, 8},
                           {K::Label, "Label6", "2003/07/07", 3480, 3600, 1095, 255, 9},
                           {K::ComboBox, "Combo1", "", 2400, 720, 2055, 300, 10},
                           {K::Label, "Label7", "グラスウールの種類", 360, 720, 1695, 255, 11},
                       }},
                      kGlassWool);
    return program;
}

std::optional<Range> mostrelRange(const Form& window)
{
    return oneLawRange(kGlassWool, window.text("Combo1"));
}

}  // namespace milfo::conductivity
