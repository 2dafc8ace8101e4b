// 表面温度 through its real window: the outer surface temperature from a heat
// loss, plane and pipe, each on its own button.
#include <array>

#include "gui_harness.h"

using milfo::test::GuiCase;

namespace {

// θa, q, h, d2
constexpr std::array<const char*, 4> kInputs = {"Text1", "Text2", "Text3", "Text8"};
constexpr std::array<const char*, 4> kExampleIn = {"20", "200", "10", "0.3143"};
constexpr const char* kResults[2] = {"Text9", "Text10"};
constexpr const char* kExampleShows[2] = {"40", "40.2551800858337"};

const char* const kDivideByZero = "! 0 で除算しました。";
const char* const kOverflow = "! オーバーフローしました。";

const milfo::test::TwoButtonWindow kWindow{{kInputs.begin(), kInputs.end()},
                                           {kExampleIn.begin(), kExampleIn.end()},
                                           {kResults[0], kResults[1]},
                                           {kExampleShows[0], kExampleShows[1]}};

}  // namespace

MILFO_GUI_CASES(surface_temperature)
{
    std::vector<GuiCase> cases = milfo::test::pressCases(
        kWindow, {
                     // title, {θa, q, h, d2}, button, shows, fault, fresh
                     {"plane example", {}, 1, "40"},
                     {"pipe example", {}, 2, "40.2551800858337"},
                     {"plane, no loss: the ambient temperature", {nullptr, "0"}, 1, "20"},
                     {"pipe, no loss: the ambient temperature", {nullptr, "0"}, 2, "20"},
                     {"plane, a negative loss: below ambient", {nullptr, "-200"}, 1, "0"},
                     {"pipe, a negative loss: below ambient", {nullptr, "-200"}, 2, "-0.255180085833693"},
                     {"pipe, a negative diameter is accepted",
                      {nullptr, nullptr, nullptr, "-0.3143"},
                      2,
                      "-0.255180085833693"},
                     {"plane, other inputs", {"-5.5", "37.5", "8.3", "0.1605"}, 1, "-0.981927710843374"},
                     {"pipe, other inputs", {"-5.5", "37.5", "8.3", "0.1605"}, 2, "3.46042548837058"},
                     // Faults: the pressed button's box is emptied, the inputs and the
                     // other box stay.
                     {"plane, initial inputs: 0 / 0", {}, 1, "", kDivideByZero, true},
                     {"pipe, initial inputs: 0 / 0", {}, 2, "", kDivideByZero, true},
                     {"plane, h = 0", {nullptr, nullptr, "0"}, 1, "", kDivideByZero},
                     {"pipe, h = 0", {nullptr, nullptr, "0"}, 2, "", kDivideByZero},
                     {"pipe, d2 = 0", {nullptr, nullptr, nullptr, "0"}, 2, "", kDivideByZero},
                     {"plane, θa beyond the Double range", {"1e999"}, 1, "", kOverflow},
                     {"pipe, θa beyond the Double range", {"1e999"}, 2, "", kOverflow},
                 });
    return {"表面温度",
            {"Text1", "Text2", "Text3", "Text8", "Text9", "Command1", "Text10", "Command2", "Text1"},
            cases};
}
