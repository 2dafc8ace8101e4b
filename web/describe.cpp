// Writes the catalogue, in menu order, as the JSON the web pages are built
// from: every program's window resolved by the frame's own rules (pixel
// rectangles by the desktop's rounding, tab order, the controls in reading
// order, the name each box is known by and the label that captions it,
// fonts, which boxes are inputs and which results), its menu number and
// title, the texts of its handlers' own messages, of the frame's and of the
// line-list runner's (so the font subset covers them). Run at build time: the pages never retype a table
// or re-derive a rule.
#include <iostream>
#include <string>

#include "catalogue.h"
#include "form_model.h"
#include "json.h"
#include "message.h"
#include "tables_json.h"

#ifndef MILFO_VERSION
#define MILFO_VERSION "?"
#endif

namespace {

using milfo::web::list;
using milfo::web::quoted;

std::string number(int n)
{
    return std::to_string(n);
}

std::string describe(const milfo::CatalogueEntry& entry)
{
    const milfo::ProgramDescription& p = entry.description();
    const milfo::FormRules rules(p);
    const auto tabPosition = [&](const milfo::Control& c) {
        const auto& order = rules.tabOrder();
        for (size_t i = 0; i < order.size(); ++i)
            if (order[i] == &c)
                return static_cast<int>(i + 1);
        return 0;
    };
    // The box a label captions, if any.
    const auto captioned = [&](const milfo::Control& label) -> const milfo::Control* {
        for (const milfo::Control& c : p.controls)
            if (rules.captionLabel(c) == &label)
                return &c;
        return nullptr;
    };
    std::string out = "{\"name\":" + quoted(entry.name) + ",\"menu\":" + quoted(entry.menu) +
                      ",\"title\":" + quoted(entry.title) + ",\"caption\":" + quoted(p.caption) +
                      ",\"comment\":" + quoted(entry.commentJa) + ",\"client\":[" +
                      number(milfo::twipsToPixels(p.clientWidth)) + "," +
                      number(milfo::twipsToPixels(p.clientHeight)) + "]";
    out += ",\"first\":" + (rules.firstFocus() != nullptr ? quoted(rules.firstFocus()->name) : "null");
    out += ",\"messages\":" + list(p.messages, [](const std::string& m) { return quoted(m); });
    // A program with side tables: their titles and heads, as a form just
    // loaded gives them (the page then loads the script that shows them).
    milfo::FormModel form(p);
    form.load();
    if (p.sideTables)
        out += ",\"tables\":" + milfo::web::sideTables(p.sideTables(form));
    // The calculation sheet of the window as it opens (its heading, the
    // captions of its sections and rows), undated: what the page shows
    // before its module has run, and the texts its font must have.
    const milfo::SheetTitle title{entry.menu, entry.title, entry.commentJa, MILFO_VERSION};
    out += ",\"sheet\":" + milfo::web::sheetJson(milfo::calculationSheet(form, title, ""));
    // What the calculation sheet lists, in tab order: the inputs (the boxes
    // no button writes, and the lists) and the results (the boxes a button
    // writes).
    const auto name = [](const milfo::Control* c) { return quoted(c->name); };
    out += ",\"inputs\":" + list(rules.inputs(), name) + ",\"results\":" + list(rules.results(), name);
    // The controls in the order a reader meets them, which is the page's
    // document order and so its Tab order.
    out += ",\n  \"controls\":" + list(rules.readingOrder(), [&](const milfo::Control* control) {
               const milfo::Control& c = *control;
               const milfo::PixelRect r = milfo::pixelRect(c);
               std::string item =
                   "\n   {\"kind\":" + quoted(milfo::kindName(c.kind)) + ",\"name\":" + quoted(c.name) +
                   ",\"text\":" + quoted(c.kind == milfo::ControlKind::ComboBox ? "" : c.text) +
                   ",\"rect\":[" + number(r.left) + "," + number(r.top) + "," + number(r.width) + "," +
                   number(r.height) +
                   "],\"font\":" + quoted(c.font == milfo::FontChoice::MsPGothic ? "box" : "ui");
               if (const int tab = tabPosition(c))
                   item += ",\"tab\":" + number(tab);
               if (c.kind == milfo::ControlKind::TextBox || c.kind == milfo::ControlKind::ComboBox)
                   item += ",\"caption\":" + quoted(rules.caption(c));
               if (c.kind == milfo::ControlKind::Label)
                   if (const milfo::Control* box = captioned(c))
                       item += ",\"for\":" + quoted(box->name);
               return item + "}";
           });
    return out + "}";
}

}  // namespace

int main()
{
    using milfo::ErrorKind;
    std::vector<std::string> messages;
    for (ErrorKind k : {ErrorKind::DivisionByZero, ErrorKind::Overflow, ErrorKind::InvalidArgument,
                        ErrorKind::EndlessSearch})
        messages.emplace_back(milfo::errorMessage(k));
    messages.emplace_back(milfo::kUnexpectedMessage);
    messages.emplace_back(milfo::kOutOfMemoryMessage);
    // The words of a box's reading note, around what was typed and read.
    messages.push_back(*milfo::readingNote("0x"));
    std::cout << "{\"suite\":{\"name\":" << quoted(milfo::kSuiteName)
              << ",\"version\":" << quoted(MILFO_VERSION) << "},\n"
              << "\"fonts\":{\"ui\":{\"family\":" << quoted(milfo::kUiFontFamily)
              << ",\"pixels\":" << milfo::kUiFontPixels << ",\"stretch\":" << milfo::kUiFontStretch
              << "},\"box\":{\"family\":" << quoted(milfo::kMsPGothicFamily)
              << ",\"drawnAs\":" << quoted(milfo::kUiFontFamily)
              << ",\"points\":" << milfo::ShowVariant(milfo::kMsPGothicPoints) << "}},\n"
              << "\"messages\":" << list(messages, [](const std::string& m) { return quoted(m); }) << ",\n"
              << "\"batchTexts\":"
              << list(milfo::calc::japaneseTexts(), [](const std::string& m) { return quoted(m); }) << ",\n"
              << "\"unexpected\":" << quoted(milfo::kUnexpectedMessage) << ",\n"
              << "\"programs\":"
              << list(milfo::catalogue(), [](const milfo::CatalogueEntry& e) { return "\n" + describe(e); })
              << "}\n";
}
