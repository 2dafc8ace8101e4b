#include "gui_harness.h"

namespace milfo::test {

namespace {
std::vector<ProgramCases (*)()>& registry()
{
    static std::vector<ProgramCases (*)()> all;
    return all;
}
}  // namespace

int registerCases(ProgramCases (*make)())
{
    registry().push_back(make);
    return static_cast<int>(registry().size());
}

const std::vector<ProgramCases (*)()>& registeredCases()
{
    return registry();
}

std::vector<GuiCase> meanCases(const std::vector<MeanCase>& rows)
{
    std::vector<GuiCase> cases;
    for (const MeanCase& r : rows) {
        GuiCase c;
        c.title =
            std::string(r.grade ? r.grade : "(none)") + (r.typed ? " typed" : "") + " " + r.t1 + " → " + r.t2;
        if (r.grade != nullptr)
            c.commands.push_back(std::string(r.typed ? "set" : "pick") + " Combo1 " + r.grade);
        c.commands.push_back(std::string("set Text1 ") + r.t1);
        c.commands.push_back(std::string("set Text2 ") + r.t2);
        c.commands.push_back("click Command1");
        c.expect = {{"Text3", r.shows}};
        if (r.mark != nullptr)
            c.marks = {{"Text3", r.mark}};
        cases.push_back(std::move(c));
    }
    return cases;
}

std::vector<GuiCase> pressCases(const TwoButtonWindow& window, const std::vector<Press>& rows)
{
    const size_t n = window.inputs.size();
    std::vector<GuiCase> cases;
    for (const Press& p : rows) {
        const auto typed = [&p](size_t i) { return i < p.in.size() ? p.in[i] : nullptr; };
        GuiCase c;
        c.title = p.title;
        if (!p.fresh) {
            for (size_t i = 0; i < n; ++i)
                c.commands.push_back(std::string("set ") + window.inputs[i] + " " + window.exampleIn[i]);
            c.commands.emplace_back("click Command1");
            c.commands.emplace_back("click Command2");
        }
        for (size_t i = 0; i < n; ++i)
            if (typed(i) != nullptr)
                c.commands.push_back(std::string("set ") + window.inputs[i] + " " + typed(i));
        c.commands.push_back(p.button == 1 ? "click Command1" : "click Command2");
        for (size_t i = 0; i < n; ++i)
            c.expect.emplace_back(window.inputs[i], typed(i) != nullptr ? typed(i)
                                                    : p.fresh           ? "0"
                                                                        : window.exampleIn[i]);
        const int other = 2 - p.button;
        c.expect.emplace_back(window.results[p.button - 1], p.shows);
        c.expect.emplace_back(window.results[other], p.fresh ? "0" : window.exampleShows[other]);
        c.fault = p.fault;
        cases.push_back(std::move(c));
    }
    return cases;
}

std::vector<GuiCase> entryCases(const EntryWindow& window, const std::vector<EntryPress>& rows)
{
    std::vector<GuiCase> cases;
    for (const EntryPress& p : rows) {
        GuiCase c;
        c.title = p.title;
        for (size_t i = 0; i < window.inputs.size() && i < p.in.size(); ++i) {
            if (p.in[i] == nullptr)
                continue;
            const bool list = std::string(window.inputs[i]).rfind("Combo", 0) == 0;
            c.commands.push_back(std::string(list ? "pick " : "set ") + window.inputs[i] + " " + p.in[i]);
        }
        c.commands.emplace_back("click Command1");
        for (size_t i = 0; i < window.shown.size(); ++i)
            c.expect.emplace_back(window.shown[i],
                                  i < p.shows.size() && p.shows[i] != nullptr ? p.shows[i] : "");
        c.fault = p.fault;
        cases.push_back(std::move(c));
    }
    return cases;
}

}  // namespace milfo::test
