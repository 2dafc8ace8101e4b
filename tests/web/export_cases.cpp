// Writes the GUI case tables of every program (tests/gui_*.cpp) as JSON, so
// the web pages replay the very rows the desktop windows are tested with.
#include <iostream>
#include <string>

#include "../../web/json.h"
#include "../gui_harness.h"

using milfo::web::list;
using milfo::web::quoted;

namespace {

std::string text(const std::string& s)
{
    return quoted(s);
}

std::string pair(const std::pair<std::string, std::string>& p)
{
    return "[" + quoted(p.first) + "," + quoted(p.second) + "]";
}

}  // namespace

int main()
{
    std::cout << list(milfo::test::registeredCases(), [](auto make) {
        const milfo::test::ProgramCases pc = make();
        return "\n{\"program\":" + quoted(pc.program) + ",\"tabPath\":" + list(pc.tabPath, text) +
               ",\"cases\":" +
               list(pc.cases,
                    [](const milfo::test::GuiCase& c) {
                        return "\n {\"title\":" + quoted(c.title) +
                               ",\"commands\":" + list(c.commands, text) +
                               ",\"expect\":" + list(c.expect, pair) + ",\"fault\":" + quoted(c.fault) +
                               ",\"marks\":" + list(c.marks, pair) + "}";
                    }) +
               "}";
    }) << "\n";
}
