// ravelt through its real window: the plane thickness in closed form and the
// pipe thickness by the stepwise search, each on its own button.
#include <array>

#include "gui_harness.h"

using milfo::test::GuiCase;

namespace {

// λ, θ1, θ2, θa, h, d1
constexpr std::array<const char*, 6> kInputs = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text7"};
constexpr std::array<const char*, 6> kExampleIn = {"0.05", "300", "40", "20", "10", "0.1143"};
constexpr const char* kResults[2] = {"Text6", "Text8"};
constexpr const char* kExampleShows[2] = {"0.065", "0.0485550000000411"};

const char* const kEndless = "! 計算が終わりません。刻みが値に対して小さすぎます。";

const char* const kDivideByZero = "! 0 で除算しました。";
const char* const kOverflow = "! オーバーフローしました。";
const char* const kInvalid = "! 関数の引数が不正です。";

const milfo::test::TwoButtonWindow kWindow{{kInputs.begin(), kInputs.end()},
                                           {kExampleIn.begin(), kExampleIn.end()},
                                           {kResults[0], kResults[1]},
                                           {kExampleShows[0], kExampleShows[1]}};

}  // namespace

MILFO_GUI_CASES(ravelt)
{
    std::vector<GuiCase> cases = milfo::test::pressCases(
        kWindow, {
                     // title, {λ, θ1, θ2, θa, h, d1}, button, shows, fault, fresh
                     {"plane example", {}, 1, "0.065"},
                     // about 2.6·10^13 accumulated steps, answered at once
                     {"pipe, θ2 a hair above θa: a huge target",
                      {"1", "300", "20.0000001", "20", "1", "0.1"},
                      2,
                      "129195573.968253"},
                     {"pipe example, d1 = 0.1143: 9711 steps", {}, 2, "0.0485550000000411"},
                     {"pipe example, d1 = 0.1: 9487 steps",
                      {nullptr, nullptr, nullptr, nullptr, nullptr, "0.1"},
                      2,
                      "0.0474350000000301"},
                     {"plane, initial inputs: the test fails", {}, 1, "0", "", true},
                     {"plane, h = 0 fails the test", {nullptr, nullptr, nullptr, nullptr, "0"}, 1, "0"},
                     {"plane, λ = 0 fails the test", {"0"}, 1, "0"},
                     {"plane, θ1 = θ2: no thickness", {nullptr, nullptr, "300"}, 1, "0"},
                     {"plane, θ1 < θ2: negative", {nullptr, "20"}, 1, "-0.005"},
                     {"pipe, target ≤ 0: one step",
                      {nullptr, "30", "40", nullptr, nullptr, "0.1"},
                      2,
                      "0.00000499999999999806"},
                     {"pipe, target 0: one step", {nullptr, nullptr, "300"}, 2, "0.00000499999999999806"},
                     {"plane, other inputs", {"0.04", "150", "30", "25", "12", "0.0605"}, 1, "0.08"},
                     {"pipe, other inputs: 10173 steps",
                      {"0.04", "150", "30", "25", "12", "0.0605"},
                      2,
                      "0.0508650000000068"},
                     // Faults: the pressed button's box is emptied, the inputs and the
                     // other box stay.
                     {"pipe, initial inputs: 0 / 0 at the target", {}, 2, "", kDivideByZero, true},
                     {"plane, θ2 = θa", {nullptr, nullptr, "20"}, 1, "", kDivideByZero},
                     {"pipe, θ2 = θa", {nullptr, nullptr, "20"}, 2, "", kDivideByZero},
                     {"pipe, h = 0", {nullptr, nullptr, nullptr, nullptr, "0"}, 2, "", kDivideByZero},
                     {"pipe, d1 = 0 divides in the first step",
                      {nullptr, nullptr, nullptr, nullptr, nullptr, "0"},
                      2,
                      "",
                      kDivideByZero},
                     {"pipe, d1 < 0: the ratio passes 0",
                      {nullptr, nullptr, nullptr, nullptr, nullptr, "-0.1"},
                      2,
                      "",
                      kInvalid},
                     {"pipe, d1 = -1e-5: the first step reaches 0",
                      {nullptr, nullptr, nullptr, nullptr, nullptr, "-0.00001"},
                      2,
                      "",
                      kInvalid},
                     {"pipe, a step that no longer changes d2",
                      {nullptr, nullptr, nullptr, nullptr, nullptr, "1e12"},
                      2,
                      "",
                      kEndless},
                     {"pipe, d1 = 2^37: the step no longer moves d2, target ≤ 0: one body, 0",
                      {"0.05", "20", "40", "20.5", "10", "137438953472"},
                      2,
                      "0"},
                     {"pipe, d1 = 2^37 and a positive target never ends",
                      {nullptr, nullptr, nullptr, nullptr, nullptr, "137438953472"},
                      2,
                      "",
                      kEndless},
                     {"plane, λ beyond the Double range", {"1e999"}, 1, "", kOverflow},
                     {"pipe, d1 beyond the Double range",
                      {nullptr, nullptr, nullptr, nullptr, nullptr, "1e999"},
                      2,
                      "",
                      kOverflow},
                 });
    return {"ravelt",
            {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Command1", "Command2", "Text8",
             "Text1"},
            cases};
}
