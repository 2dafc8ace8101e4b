// 放散熱量 through its real window: the plane and the pipe heat loss, each on
// its own button.
#include <array>

#include "gui_harness.h"

using milfo::test::GuiCase;

namespace {

// λ, θ1, θ2, θa, h, t, d1, d2
constexpr std::array<const char*, 8> kInputs = {"Text1", "Text2", "Text3", "Text4",
                                                "Text5", "Text6", "Text7", "Text8"};
constexpr std::array<const char*, 8> kExampleIn = {"0.05", "300", "40",     "20",
                                                   "10",   "0.1", "0.1143", "0.3143"};
constexpr const char* kResults[2] = {"Text9", "Text10"};
constexpr const char* kExampleShows[2] = {"133.333333333333", "84.3106608071631"};

const char* const kDivideByZero = "! 0 で除算しました。";
const char* const kOverflow = "! オーバーフローしました。";

const milfo::test::TwoButtonWindow kWindow{{kInputs.begin(), kInputs.end()},
                                           {kExampleIn.begin(), kExampleIn.end()},
                                           {kResults[0], kResults[1]},
                                           {kExampleShows[0], kExampleShows[1]}};

}  // namespace

MILFO_GUI_CASES(heat_loss)
{
    std::vector<GuiCase> cases = milfo::test::pressCases(
        kWindow,
        {
            // title, {λ, θ1, θ2, θa, h, t, d1, d2}, button, shows, fault, fresh
            {"plane example", {}, 1, "133.333333333333"},
            {"pipe example", {}, 2, "84.3106608071631"},
            {"plane, initial inputs: λ = 0 fails the test", {}, 1, "", "", true},
            {"pipe, initial inputs: λ = 0 fails the test", {}, 2, "", "", true},
            {"plane, h = 0 fails the test", {nullptr, nullptr, nullptr, nullptr, "0"}, 1, ""},
            {"pipe, h = 0 fails the test", {nullptr, nullptr, nullptr, nullptr, "0"}, 2, ""},
            {"plane, λ < 0 fails the test", {"-1"}, 1, ""},
            {"pipe, λ < 0 fails the test", {"-1"}, 2, ""},
            {"pipe, d1 = 0 fails the test",
             {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "0"},
             2,
             ""},
            {"pipe, d2 = 0 fails the test",
             {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "0"},
             2,
             ""},
            {"pipe, d2 < 0 fails the test",
             {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "-0.3143"},
             2,
             ""},
            {"plane, t = 0: h × (θ1 − θa)", {nullptr, nullptr, nullptr, nullptr, nullptr, "0"}, 1, "2800"},
            {"plane, θ1 < θa: negative", {nullptr, "0"}, 1, "-9.52380952380952"},
            {"pipe, θ1 < θa: negative", {nullptr, "0"}, 2, "-6.02219005765451"},
            {"plane, θ2 is not used", {nullptr, nullptr, "999"}, 1, "133.333333333333"},
            {"pipe, θ2 is not used", {nullptr, nullptr, "999"}, 2, "84.3106608071631"},
            {"plane, a small loss in exponent form", {"1", "0.00001", nullptr, "0", "1", "0"}, 1, "1E-05"},
            {"pipe, a small loss in exponent form",
             {"1", "0.00001", nullptr, "0", "1", "0"},
             2,
             "8.51971809374905E-06"},
            {"plane, a large loss in exponent form", {nullptr, "1e20"}, 1, "4.76190476190476E+19"},
            {"pipe, a large loss in exponent form", {nullptr, "1e20"}, 2, "3.01109502882725E+19"},
            {"pipe, d1 = d2: no layer term",
             {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "0.3143"},
             2,
             "2764.7248636"},
            {"pipe, d2 < d1 is accepted",
             {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "0.3143", "0.1143"},
             2,
             "-95.19637485294"},
            {"plane, other inputs",
             {"0.04", "150", nullptr, "25", "12", "0.05", "0.0605", "0.1605"},
             1,
             "93.75"},
            {"pipe, other inputs",
             {"0.04", "150", nullptr, "25", "12", "0.05", "0.0605", "0.1605"},
             2,
             "30.885066625732"},
            // Faults: the pressed button's box is emptied, the inputs and the
            // other box stay.
            {"plane, t = -λ/h: resistance 0",
             {"1", nullptr, nullptr, nullptr, "1", "-1"},
             1,
             "",
             kDivideByZero},
            {"pipe, d2 < d1 cancels the resistance",
             {"1", nullptr, nullptr, nullptr, "5.77078052772895", nullptr, "1", "0.5"},
             2,
             "",
             kDivideByZero},
            {"plane, θ2 beyond the Double range is still read",
             {nullptr, nullptr, "1e999"},
             1,
             "",
             kOverflow},
            {"pipe, θ2 beyond the Double range is still read", {nullptr, nullptr, "1e999"}, 2, "", kOverflow},
            {"plane, λ beyond the Double range", {"1e999"}, 1, "", kOverflow},
            {"pipe, d2 beyond the Double range",
             {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "1e999"},
             2,
             "",
             kOverflow},
            {"plane, θ1 − θa beyond the Double range",
             {nullptr, "1e308", nullptr, "-1e308"},
             1,
             "",
             kOverflow},
            {"pipe, θ1 − θa beyond the Double range",
             {nullptr, "1e308", nullptr, "-1e308"},
             2,
             "",
             kOverflow},
        });
    return {"放散熱量",
            {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9", "Command1",
             "Text10", "Command2", "Text1"},
            cases};
}
