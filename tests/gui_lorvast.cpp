// lorvast through its real window: the saturated vapour pressure and the dew
// point over water and over ice.
#include "gui_harness.h"

using milfo::test::GuiCase;

namespace {

const char* const kOverflow = "! オーバーフローしました。";
const char* const kInvalid = "! 関数の引数が不正です。";

// θ typed into Text1, φ into Text4 (nullptr: not typed), "計算" pressed; what
// Text2 and Text3 show afterwards. A row with a fault starts from a window
// that shows the results for 20 °C and 50 %, so the boxes are seen to change.
struct Press {
    const char* title;
    const char* temperature;
    const char* humidity;
    const char* pressure;
    const char* dewPoint;
    const char* fault = "";
};

const Press kPresses[] = {
    {"example 20 °C, 50 %", "20", "50", "2339.24632185165", "9.26241245957127"},
    {"example 20 °C, 100 %", "20", "100", "2339.24632185165", "19.9966827700218"},
    {"example -10 °C, 80 %: over ice", "-10", "80", "286.520392421228", "-12.7776960401714"},
    {"example 30 °C, 60 %", "30", "60", "4247.02403969233", "21.3863876765537"},
    {"initial inputs", nullptr, nullptr, "611.212089705252", "0"},
    {"0 °C, 100 %: just below the reference, over ice", "0", "100", "611.212089705252",
     "-0.0000204341458379003"},
    {"humidity 0 gives dew point 0", "-10", "0", "286.520392421228", "0"},
    {"negative humidity gives dew point 0", "20", "-5", "2339.24632185165", "0"},
    {"humidity above 100 is accepted", "20", "150", "2339.24632185165", "26.7164134623211"},
    {"100 °C, 100 %", "100", "100", "101418.922322456", "100.00092141633"},
    {"-40 °C, 70 %", "-40", "70", "19.0326276692835", "-43.343894989829"},
    {"pressure underflows to 0, humidity 0: no logarithm taken", "-266", "0", "0", "0"},
    // Correctly rounded powers, exponential and logarithms: the C library of
    // this machine shows other last digits for these under one of its code
    // paths or both.
    {"27 °C, 53 %: correctly rounded (not ...724 / ...109)", "27", "53", "3568.11096728722",
     "16.6057431685108"},
    {"37.38 °C, 89.39 %: correctly rounded (not ...728)", "37.38", "89.39", "6413.81720761729",
     "35.3350666998948"},
    {"0.6391 °C, 88.49 %: correctly rounded, over ice", "0.6391", "88.49", "640.18566729016",
     "-1.03807282045773"},
    {"-28.60 °C, 0.4072 %: correctly rounded", "-28.60", "0.4072", "58.1738628594287", "-74.9379777972825"},
    // Faults: the boxes not yet written are emptied, the inputs stay.
    {"pressure underflows to 0: the dew point's logarithm fails after Text2 is written", "-266", "50", "0",
     "", kInvalid},
    {"absolute zero: no logarithm", "-273.15", "50", "", "", kInvalid},
    {"below absolute zero: no logarithm", "-300", "50", "", "", kInvalid},
    {"a pressure of 2^96 or more cannot be shown", "2200", "50", "", "", kOverflow},
    {"the exponential overflows", "7000", "50", "", "", kOverflow},
    {"temperature beyond the Double range", "1e999", "50", "", "", kOverflow},
    {"humidity beyond the Double range", "20", "1e999", "", "", kOverflow},
};

GuiCase pressCase(const Press& p)
{
    const bool prefilled = *p.fault != '\0';
    GuiCase c;
    c.title = p.title;
    if (prefilled)
        c.commands = {"set Text1 20", "set Text4 50", "click Command1"};
    if (p.temperature != nullptr)
        c.commands.push_back(std::string("set Text1 ") + p.temperature);
    if (p.humidity != nullptr)
        c.commands.push_back(std::string("set Text4 ") + p.humidity);
    c.commands.emplace_back("click Command1");
    c.expect = {{"Text1", p.temperature != nullptr ? p.temperature : "0"},
                {"Text4", p.humidity != nullptr ? p.humidity : "0"},
                {"Text2", p.pressure},
                {"Text3", p.dewPoint}};
    c.fault = p.fault;
    return c;
}

}  // namespace

MILFO_GUI_CASES(lorvast)
{
    std::vector<GuiCase> cases;
    for (const Press& p : kPresses)
        cases.push_back(pressCase(p));
    cases.push_back({"edited result boxes are overwritten",
                     {"set Text2 abc", "set Text3 1", "click Command1"},
                     {{"Text2", "611.212089705252"}, {"Text3", "0"}}});
    return {"lorvast", {"Text1", "Command1", "Text2", "Text3", "Text4", "Text1"}, cases};
}
