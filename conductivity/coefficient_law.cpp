// 係数指定 (menu 1.1.10): a material of one's own, from a maker's sheet that
// gives its conductivity as a law λ(θ) = a + b·θ + c·θ² with the range it
// holds in. The window is laid out as the nine materials' are, the law's
// boxes where their list of grades stands; the mean is a Double, shown in
// full, so its box is wider.
#include "conductivity.h"
#include "event.h"
#include "mean.h"
#include "numeric.h"

namespace milfo::conductivity {

namespace {

using K = ControlKind;
constexpr FontChoice MS = FontChoice::MsPGothic;

// 計算: every box read; the bounds checked; the mean when
// 下限 ≤ θ1 < θ2 ≤ 上限, else 0 as the nine show outside their range.
void Command1_Click(Form& form)
{
    const Real t1 = readReal(form.text("Text1"));
    const Real t2 = readReal(form.text("Text2"));
    const Real a = readReal(form.text("Text4"));
    const Real b = readReal(form.text("Text5"));
    const Real c = readReal(form.text("Text6"));
    const Real lo = readReal(form.text("Text7"));
    const Real hi = readReal(form.text("Text8"));
    if (!(lo < hi))
        throw HandlerMessage(kLawBounds);
    Real mean(0);
    if (lo <= t1 && t1 < t2 && t2 <= hi)
        mean = lawMean(a, b, c, t1, t2);
    form.setText("Text3", ShowVariant(mean.value()));
}

}  // namespace

const ProgramDescription& coefficientLaw()
{
    static const ProgramDescription program{
        "係数指定",
        5430,
        6390,
        {
            // kind, name, caption or initial text, left, top, width, height, tab index, font
            {K::Label, "Label4", "係数で指定した保温材の平均熱伝導率の計算", 120, 120, 4695, 255, 0},
            {K::Label, "Label7", "係数ａ（Ｗ／ｍＫ）", 240, 720, 1935, 255, 1},
            {K::TextBox, "Text4", "", 2400, 720, 975, 375, 2, MS},
            {K::Label, "Label8", "係数ｂ（Ｗ／ｍＫ２）", 240, 1320, 1935, 255, 3},
            {K::TextBox, "Text5", "", 2400, 1320, 975, 375, 4, MS},
            {K::Label, "Label9", "係数ｃ（Ｗ／ｍＫ３）", 240, 1920, 1935, 255, 5},
            {K::TextBox, "Text6", "", 2400, 1920, 975, 375, 6, MS},
            {K::Label, "Label10", "下限温度（℃）", 240, 2520, 1455, 255, 7},
            {K::TextBox, "Text7", "", 2400, 2520, 975, 375, 8, MS},
            {K::Label, "Label11", "上限温度（℃）", 240, 3120, 1455, 255, 9},
            {K::TextBox, "Text8", "", 2400, 3120, 975, 375, 10, MS},
            {K::Label, "Label1", "低温側温度（℃）", 240, 3840, 1455, 255, 11},
            {K::TextBox, "Text1", "", 2400, 3840, 975, 375, 12, MS},
            {K::Label, "Label2", "高温側温度（℃）", 240, 4440, 1455, 255, 13},
            {K::TextBox, "Text2", "", 2400, 4440, 975, 375, 14, MS},
            {K::Label, "Label3", "平均熱伝導率（Ｗ／ｍＫ）", 240, 5040, 1935, 255, 15},
            {K::CommandButton, "Command1", "計算", 4470, 5040, 735, 375, 16},
            {K::TextBox, "Text3", "", 2400, 5040, 1935, 375, 17, MS},
            {K::Label, "Label5", kCreditLine, 3510, 5640, 1695, 255, 18},
            {K::Label, "Label6", "2026/12/07", 4110, 6000, 1095, 255, 19},
        },
        {},
        {{"Command1_Click", Command1_Click, {"Text3"}}},
        {
            // box, the label that captions it
            {"Text4", "Label7"},
            {"Text5", "Label8"},
            {"Text6", "Label9"},
            {"Text7", "Label10"},
            {"Text8", "Label11"},
            {"Text1", "Label1"},
            {"Text2", "Label2"},
            {"Text3", "Label3"},
        },
        {kLawBounds},
    };
    return program;
}

std::optional<Range> coefficientLawRange(const Form& window)
{
    return Range{ReadVal(window.text("Text7")), ReadVal(window.text("Text8")), true};
}

}  // namespace milfo::conductivity
