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
        cases.push_back(std::move(c));
    }
    return cases;
}

}  // namespace milfo::test
