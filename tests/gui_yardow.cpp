// yardow through its real window: the heat loss of an installed insulation,
// plane and pipe, each on its own button.
#include <array>

#include "gui_harness.h"

using milfo::test::GuiCase;

namespace {

// θ2, θa, h, d2
constexpr std::array<const char*, 4> kInputs = {"Text1", "Text2", "Text3", "Text8"};
constexpr std::array<const char*, 4> kExampleIn = {"40", "20", "10", "0.3143"};
constexpr const char* kResults[2] = {"Text9", "Text10"};
constexpr const char* kExampleShows[2] = {"200", "197.4803474"};

const char* const kOverflow = "! オーバーフローしました。";

const milfo::test::TwoButtonWindow kWindow{{kInputs.begin(), kInputs.end()},
                                           {kExampleIn.begin(), kExampleIn.end()},
                                           {kResults[0], kResults[1]},
                                           {kExampleShows[0], kExampleShows[1]}};

}  // namespace

MILFO_GUI_CASES(yardow)
{
    std::vector<GuiCase> cases = milfo::test::pressCases(
        kWindow,
        {
            // title, {θ2, θa, h, d2}, button, shows, fault, fresh
            {"plane example", {}, 1, "200"},
            {"pipe example", {}, 2, "197.4803474"},
            {"plane, initial inputs", {}, 1, "0", "", true},
            {"pipe, initial inputs", {}, 2, "0", "", true},
            {"plane, θ2 < θa: negative", {"20", "40"}, 1, "-200"},
            {"pipe, θ2 < θa: negative", {"20", "40"}, 2, "-197.4803474"},
            {"plane, a negative coefficient is accepted", {nullptr, nullptr, "-10"}, 1, "-200"},
            {"pipe, a negative coefficient is accepted", {nullptr, nullptr, "-10"}, 2, "-197.4803474"},
            {"pipe, a negative diameter is accepted",
             {nullptr, nullptr, nullptr, "-0.3143"},
             2,
             "-197.4803474"},
            {"pipe, a zero diameter is accepted", {nullptr, nullptr, nullptr, "0"}, 2, "0"},
            {"plane, other inputs", {"60.5", "-5.25", "8.3", "0.2143"}, 1, "545.725"},
            {"pipe, other inputs", {"60.5", "-5.25", "8.3", "0.2143"}, 2, "367.405392649325"},
            {"plane, a large loss in exponent form", {"1e15", "0", "1", "1"}, 1, "1E+15"},
            {"pipe, a large loss in exponent form", {"1e15", "0", "1", "1"}, 2, "3.14159E+15"},
            {"pipe, a small loss in exponent form",
             {nullptr, nullptr, "0.00001", "0.00001"},
             2,
             "6.28318E-09"},
            // Faults: overflow only.
            {"plane, θ2 beyond the Double range", {"1e999"}, 1, "", kOverflow},
            {"pipe, θ2 beyond the Double range", {"1e999"}, 2, "", kOverflow},
            {"pipe, d2 beyond the Double range", {nullptr, nullptr, nullptr, "1e999"}, 2, "", kOverflow},
            {"plane, a product beyond the Double range", {"1e300", "0", "1e10", "1"}, 1, "", kOverflow},
            {"pipe, a product beyond the Double range",
             {nullptr, nullptr, "1e300", "1e10"},
             2,
             "",
             kOverflow},
        });
    return {"yardow",
            {"Text1", "Text2", "Text3", "Text8", "Text9", "Command1", "Text10", "Command2", "Text1"},
            cases};
}
