// Polystyrene foam (menu 1.1.6).
#include "conductivity.h"
#include "mean.h"

namespace milfo::conductivity {

namespace {

using K = ControlKind;
constexpr FontChoice MS = FontChoice::MsPGothic;

// Boards (保温板) are valid up to 80 °C, pipe sections (保温筒) up to 70 °C.
const OneLawMaterial kPolystyreneFoam{{
    // list text                a       b        c  lo   hi
    {"ビーズ法保温板特号", 0.0316, 0.00012, 0, -50, 80},
    {"ビーズ法保温板１号", 0.0336, 0.00012, 0, -50, 80},
    {"ビーズ法保温板２号", 0.0346, 0.00012, 0, -50, 80},
    {"ビーズ法保温板３号", 0.0368, 0.00016, 0, -50, 80},
    {"ビーズ法保温筒１号", 0.0334, 0.00013, 0, -50, 70},
    {"ビーズ法保温筒２号", 0.0336, 0.00012, 0, -50, 70},
    {"ビーズ法保温筒３号", 0.0346, 0.00012, 0, -50, 70},
    {"押出法保温板１種ａ", 0.036, 0.00015, 0, -50, 80},
    {"押出法保温板１種ｂ", 0.036, 0.00015, 0, -50, 80},
    {"押出法保温板２種ａ，ｂ", 0.0313, 0.00012, 0, -50, 80},
    {"押出法保温板３種ａ", 0.027, 0.00007, 0, -50, 80},
    {"押出法保温板３種ｂ", 0.027, 0.00007, 0, -50, 80},
    {"押出法保温筒１種", 0.036, 0.00015, 0, -50, 70},
    {"押出法保温筒２種", 0.0313, 0.00012, 0, -50, 70},
    {"押出法保温筒３種", 0.027, 0.00007, 0, -50, 70},
}};

}  // namespace

const ProgramDescription& tarvel()
{
    static const ProgramDescription program =
        oneLawProgram({"tarvel",
                       5130,
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
                           {K::Label, "Label4", "tarvelの計算", 120, 120, 4695, 255, 7},
                           {K::Label, "Label5", kCreditLine, 3120, 3240, 1695, 255, 8},
                           {K::Label, "Label6", "2003/07/07", 3720, 3600, 1095, 255, 9},
                           {K::ComboBox, "Combo1", "", 2640, 720, 2295, 300, 10},
                           {K::Label, "Label7", "ポリスチレンフォームの種類", 240, 720, 2295, 255, 11},
                       }},
                      kPolystyreneFoam);
    return program;
}

std::optional<Range> tarvelRange(const Form& window)
{
    return oneLawRange(kPolystyreneFoam, window.text("Combo1"));
}

}  // namespace milfo::conductivity
