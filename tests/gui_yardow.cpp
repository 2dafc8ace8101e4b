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

constexpr const char* kButtons[2] = {"Command1", "Command2"};

// One press of a button after typing the row's inputs (nullptr: not typed).
// Unless the row starts fresh, the window first shows the results of both
// examples, so a box that the press empties is seen to change and the other
// button's box is seen to stay as it was.
struct Press {
    const char* title;
    std::array<const char*, kInputs.size()> in;
    int button;  // 1 or 2
    const char* shows;
    const char* fault = "";
    bool fresh = false;
};

GuiCase pressCase(const Press& p)
{
    GuiCase c;
    c.title = p.title;
    if (!p.fresh) {
        for (size_t i = 0; i < kInputs.size(); ++i)
            c.commands.push_back(std::string("set ") + kInputs[i] + " " + kExampleIn[i]);
        c.commands.emplace_back("click Command1");
        c.commands.emplace_back("click Command2");
    }
    for (size_t i = 0; i < kInputs.size(); ++i)
        if (p.in[i] != nullptr)
            c.commands.push_back(std::string("set ") + kInputs[i] + " " + p.in[i]);
    c.commands.push_back(std::string("click ") + kButtons[p.button - 1]);
    for (size_t i = 0; i < kInputs.size(); ++i)
        c.expect.emplace_back(kInputs[i], p.in[i] != nullptr ? p.in[i] : p.fresh ? "0" : kExampleIn[i]);
    const int other = 2 - p.button;
    c.expect.emplace_back(kResults[p.button - 1], p.shows);
    c.expect.emplace_back(kResults[other], p.fresh ? "0" : kExampleShows[other]);
    c.fault = p.fault;
    return c;
}

std::vector<GuiCase> pressCases(const std::vector<Press>& rows)
{
    std::vector<GuiCase> cases;
    for (const Press& p : rows)
        cases.push_back(pressCase(p));
    return cases;
}

}  // namespace

MILFO_GUI_CASES(yardow)
{
    std::vector<GuiCase> cases = pressCases({
        // title, {θ2, θa, h, d2}, button, shows, fault, fresh
        {"plane example", {}, 1, "200"},
        {"pipe example", {}, 2, "197.4803474"},
        {"plane, initial inputs", {}, 1, "0", "", true},
        {"pipe, initial inputs", {}, 2, "0", "", true},
        {"plane, θ2 < θa: negative", {"20", "40"}, 1, "-200"},
        {"pipe, θ2 < θa: negative", {"20", "40"}, 2, "-197.4803474"},
        {"plane, a negative coefficient is accepted", {nullptr, nullptr, "-10"}, 1, "-200"},
        {"pipe, a negative coefficient is accepted", {nullptr, nullptr, "-10"}, 2, "-197.4803474"},
        {"pipe, a negative diameter is accepted", {nullptr, nullptr, nullptr, "-0.3143"}, 2, "-197.4803474"},
        {"pipe, a zero diameter is accepted", {nullptr, nullptr, nullptr, "0"}, 2, "0"},
        {"plane, other inputs", {"60.5", "-5.25", "8.3", "0.2143"}, 1, "545.725"},
        {"pipe, other inputs", {"60.5", "-5.25", "8.3", "0.2143"}, 2, "367.405392649325"},
        {"plane, a large loss in exponent form", {"1e15", "0", "1", "1"}, 1, "1E+15"},
        {"pipe, a large loss in exponent form", {"1e15", "0", "1", "1"}, 2, "3.14159E+15"},
        {"pipe, a small loss in exponent form", {nullptr, nullptr, "0.00001", "0.00001"}, 2, "6.28318E-09"},
        // Faults: overflow only.
        {"plane, θ2 beyond the Double range", {"1e999"}, 1, "", kOverflow},
        {"pipe, θ2 beyond the Double range", {"1e999"}, 2, "", kOverflow},
        {"pipe, d2 beyond the Double range", {nullptr, nullptr, nullptr, "1e999"}, 2, "", kOverflow},
        {"plane, a product beyond the Double range", {"1e300", "0", "1e10", "1"}, 1, "", kOverflow},
        {"pipe, a product beyond the Double range", {nullptr, nullptr, "1e300", "1e10"}, 2, "", kOverflow},
    });
    return {"yardow",
            {"Text1", "Text2", "Text3", "Text8", "Text9", "Command1", "Text10", "Command2", "Text1"},
            cases};
}
