// 係数指定 through its real window: the mean of a law of one's own, the
// range's bounds admitted, 0 outside them as the nine materials show, one
// row per message.
#include "gui_harness.h"

using milfo::test::GuiCase;

namespace {

const char* const kBounds = "! 上限温度は下限温度より高くしてください。";
const char* const kOverflow = "! オーバーフローしました。";

// The inputs in tab order: a, b, c, 下限, 上限, θ1, θ2; then the result.
const milfo::test::EntryWindow kWindow{{"Text4", "Text5", "Text6", "Text7", "Text8", "Text1", "Text2"},
                                       {"Text3"}};

}  // namespace

MILFO_GUI_CASES(conductivity_law)
{
    // clang-format off
    std::vector<GuiCase> cases = milfo::test::entryCases(kWindow, {
        // title, {a, b, c, 下限, 上限, θ1, θ2} → λm
        {"example: a linear law", {"0.02", "0.0001", "0", "-50", "200", "20", "150"}, {"0.0285"}},
        {"example: a quadratic law", {"0.035", "0.00012", "3E-7", "-50", "650", "40", "500"}, {"0.09456"}},
        {"example: θ2 above 上限", {"0.02", "0.0001", "0", "-50", "200", "20", "250"}, {"0"}},
        // (0.035·700 + 0.00012·420000/2 + 3E-7·274750000/3) / 700
        {"both bounds admitted", {"0.035", "0.00012", "3E-7", "-50", "650", "-50", "650"}, {"0.11025"}},
        {"θ1 just below 下限", {"0.02", "0.0001", "0", "-50", "200", "-50.0001", "200"}, {"0"}},
        {"θ2 just above 上限", {"0.02", "0.0001", "0", "-50", "200", "20", "200.0001"}, {"0"}},
        {"θ1 = θ2", {"0.02", "0.0001", "0", "-50", "200", "100", "100"}, {"0"}},
        {"θ1 above θ2", {"0.02", "0.0001", "0", "-50", "200", "150", "20"}, {"0"}},
        // 0.018 + 0.00005·(−199.5): the 1 K above the bound 複層保温 runs a face below it in
        {"1 K above 下限", {"0.018", "0.00005", "0", "-200", "650", "-200", "-199"}, {"0.008025"}},
        {"full-width digits and minus", {"０．０２", "０．０００１", "０", "－５０", "２００", "２０", "１５０"}, {"0.0285"}},
        // Each message, as the checks come.
        {"a fresh window: 上限 not above 下限", {}, {}, kBounds},
        {"上限 = 下限", {"0.02", "0.0001", "0", "200", "200", "20", "150"}, {}, kBounds},
        {"上限 below 下限", {"0.02", "0.0001", "0", "200", "-50", "20", "150"}, {}, kBounds},
        {"a law beyond the Double range", {"1e308", "0", "0", "-1e308", "1e308", "-1e308", "1e308"}, {}, kOverflow},
    });
    // clang-format on
    // A failing press after the first example: the result emptied.
    GuiCase again = cases.front();
    again.title = "a failing press after the example";
    again.commands.emplace_back("set Text8 -50");
    again.commands.emplace_back("click Command1");
    again.expect = {{"Text8", "-50"}, {"Text3", ""}};
    again.fault = kBounds;
    cases.push_back(again);

    return {"係数指定",
            {"Text4", "Text5", "Text6", "Text7", "Text8", "Text1", "Text2", "Command1", "Text3", "Text4"},
            cases};
}
