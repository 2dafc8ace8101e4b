// Writes every program description, in menu order, as the JSON the web pages
// are built from, with the texts of the run-time error messages (so the font
// subset covers them). Run at build time: the pages never retype a table.
#include <iostream>
#include <string>

#include "json.h"
#include "numeric.h"
#include "registry.h"

namespace {

using milfo::web::list;
using milfo::web::quoted;

const char* kindName(milfo::ControlKind kind)
{
    switch (kind) {
        case milfo::ControlKind::Label:
            return "Label";
        case milfo::ControlKind::TextBox:
            return "TextBox";
        case milfo::ControlKind::ComboBox:
            return "ComboBox";
        case milfo::ControlKind::CommandButton:
            return "CommandButton";
    }
    return "?";
}

std::string describe(const milfo::ProgramDescription& p)
{
    std::string out = "{\"name\":" + quoted(p.name) + ",\"caption\":" + quoted(p.caption) +
                      ",\"clientWidth\":" + std::to_string(p.clientWidth) +
                      ",\"clientHeight\":" + std::to_string(p.clientHeight);
    out += ",\n  \"controls\":" + list(p.controls, [](const milfo::Control& c) {
               return "\n   {\"kind\":" + quoted(kindName(c.kind)) + ",\"name\":" + quoted(c.name) +
                      ",\"text\":" + quoted(c.text) + ",\"left\":" + std::to_string(c.left) +
                      ",\"top\":" + std::to_string(c.top) + ",\"width\":" + std::to_string(c.width) +
                      ",\"height\":" + std::to_string(c.height) +
                      ",\"tabIndex\":" + std::to_string(c.tabIndex) + ",\"font\":" +
                      quoted(c.font == milfo::FontChoice::MsPGothic ? "MsPGothic" : "default") + "}";
           });
    out += ",\n  \"listEntries\":" + list(p.listEntries, [](const std::string& e) { return quoted(e); });
    out += ",\n  \"handlers\":" + list(p.handlers, [](const milfo::Handler& h) {
               return "{\"event\":" + quoted(h.event) +
                      ",\"results\":" + list(h.results, [](const char* r) { return quoted(r); }) + "}";
           });
    out += ",\n  \"captions\":" + list(p.captions, [](const milfo::Caption& c) {
               return "{\"control\":" + quoted(c.control) + ",\"label\":" + quoted(c.label) +
                      (c.name != nullptr ? ",\"name\":" + quoted(c.name) : std::string()) + "}";
           });
    return out + "}";
}

}  // namespace

int main()
{
    using milfo::ErrorKind;
    std::cout << "{\"msPGothic\":{\"family\":" << quoted(milfo::kMsPGothicFamily)
              << ",\"points\":" << milfo::ShowVariant(milfo::kMsPGothicPoints) << "},\n"
              << "\"messages\":"
              << list(std::vector<ErrorKind>{ErrorKind::DivisionByZero, ErrorKind::Overflow,
                                             ErrorKind::InvalidArgument, ErrorKind::EndlessSearch},
                      [](ErrorKind k) { return quoted(milfo::errorMessage(k)); })
              << ",\n\"programs\":"
              << list(milfo::allPrograms(),
                      [](const milfo::ProgramDescription* p) { return "\n" + describe(*p); })
              << "}\n";
}
