// The WebAssembly side of the web front end: the page's form model. The page
// starts it (the load sequence runs here), hands over what the person typed
// before every act, forwards the act (a button pressed, an entry picked) and
// gets back, as JSON, what the handlers changed (the boxes they marked as
// read otherwise than as typed included) and the failure, if any;
// after a press, the program's side tables too, when it has any.
#include <emscripten/emscripten.h>

#include <memory>
#include <string>
#include <vector>

#include "case_file.h"
#include "catalogue.h"
#include "form_model.h"
#include "json.h"
#include "sheet.h"
#include "tables_json.h"

#ifndef MILFO_VERSION
#define MILFO_VERSION "?"
#endif

namespace {

using milfo::web::quoted;

// Records every change of the model as ["text"|"item"|"clear"|"mark",
// control, text]; a mark's text is the box's reading note, "" when it goes.
class Changes : public milfo::FormObserver {
public:
    void textChanged(const milfo::Control& c, const std::string& text) override { add("text", c.name, text); }
    void itemAdded(const milfo::Control& list, const std::string& text) override
    {
        add("item", list.name, text);
    }
    void itemsCleared(const milfo::Control& list) override { add("clear", list.name, ""); }
    void markChanged(const milfo::Control& box, const std::string& note) override
    {
        add("mark", box.name, note);
    }

    // {"changes":[...],"error":message|null,"ended":bool} and, when given,
    // "tables":[...] and what else there is to say (",\"opened\":true").
    std::string answer(const std::optional<milfo::Failure>& failure, bool ended, const std::string& tables,
                       const std::string& more = "")
    {
        std::string out = "{\"changes\":[" + json_ + "],\"error\":";
        out += failure ? quoted(failure->message) : "null";
        out += ",\"ended\":";
        out += ended ? "true" : "false";
        if (!tables.empty())
            out += ",\"tables\":" + tables;
        json_.clear();
        return out + more + "}";
    }

private:
    void add(const char* what, const char* control, const std::string& text)
    {
        json_ +=
            (json_.empty() ? "[" : ",[") + quoted(what) + "," + quoted(control) + "," + quoted(text) + "]";
    }

    std::string json_;
};

std::unique_ptr<milfo::FormModel> page;
Changes changes;
std::string answer;

// The side tables of the page's program as its form now stands, those with
// rows (sideTablesOf), when it has any; "" when it has none. A table that
// cannot be worked out is no reason to fail the act: then there are none.
std::string sideTables()
{
    if (page == nullptr || !page->program().sideTables)
        return "";
    return milfo::web::sideTables(milfo::sideTablesOf(*page));
}

// Runs one act of the page through the error policy, whatever fails; after
// a press, with the side tables.
template <typename Act>
const char* respond(Act act, bool withTables = false)
{
    std::optional<milfo::Failure> failure;
    try {
        failure = act();
    } catch (...) {
        failure = milfo::currentFailure();
    }
    answer = changes.answer(failure, page != nullptr && page->ended(), withTables ? sideTables() : "");
    return answer.c_str();
}

}  // namespace

extern "C" {

// Starts the page of a program by its name: its form loaded. The answer
// holds what loading changed (the lists' entries, form_load's texts); null
// pointer when there is no such program.
EMSCRIPTEN_KEEPALIVE const char* milfo_begin(const char* program)
{
    const milfo::ProgramDescription* p = milfo::findProgram(program);
    page.reset();
    if (p == nullptr)
        return nullptr;
    return respond([p]() -> std::optional<milfo::Failure> {
        page = std::make_unique<milfo::FormModel>(*p);
        page->setObserver(&changes);
        return page->load();
    });
}

// What the person typed into a box or a list's edit field.
EMSCRIPTEN_KEEPALIVE void milfo_type(const char* control, const char* text)
{
    if (page == nullptr)
        return;
    if (const milfo::Control* c = page->rules().find(control))
        page->type(*c, text);
}

// A button pressed.
EMSCRIPTEN_KEEPALIVE const char* milfo_press(const char* button)
{
    return respond(
        [button]() -> std::optional<milfo::Failure> {
            const milfo::Control* c = page != nullptr ? page->rules().find(button) : nullptr;
            return c != nullptr ? page->press(*c) : std::nullopt;
        },
        true);
}

// The entry at index picked from a list.
EMSCRIPTEN_KEEPALIVE const char* milfo_pick(const char* list, int index)
{
    return respond([list, index]() -> std::optional<milfo::Failure> {
        const milfo::Control* c = page != nullptr ? page->rules().find(list) : nullptr;
        return c != nullptr && index >= 0 ? page->pick(*c, static_cast<size_t>(index)) : std::nullopt;
    });
}

// The calculation sheet of the form as it stands (what the person typed is
// handed over first), dated `when`, without the side tables (the page has
// them from the last press): sheetJson; "null" before the page starts.
EMSCRIPTEN_KEEPALIVE const char* milfo_sheet(const char* when)
{
    const milfo::CatalogueEntry* entry = page != nullptr ? milfo::findEntry(page->program().name) : nullptr;
    if (entry == nullptr)
        return "null";
    const milfo::SheetTitle title{entry->menu, entry->title, entry->commentJa, MILFO_VERSION};
    answer = milfo::web::sheetJson(milfo::calculationSheet(*page, title, when));
    return answer.c_str();
}

// The form's case, as the file a person saves (UTF-8 with a byte order mark,
// CRLF), and its name for the given date and time:
// {"name":"保温設計-20261207-1030.csv","text":"..."}.
EMSCRIPTEN_KEEPALIVE const char* milfo_save(int year, int month, int day, int hour, int minute)
{
    if (page == nullptr)
        return "null";
    const std::string name = milfo::caseFileName(page->program().name, year, month, day, hour, minute);
    answer = "{\"name\":" + quoted(name) + ",\"text\":" + quoted(milfo::calc::writeCase(*page)) + "}";
    return answer.c_str();
}

// A case read from a file's bytes and entered into the form from its start
// texts (case_file.h): what that changed, as an act's answer with
// "opened":true, the window's "title" with the file's name and no side
// tables (nothing is pressed); a file that
// is no case of the program is refused with its message as the error, and
// nothing changes.
EMSCRIPTEN_KEEPALIVE const char* milfo_open(const char* bytes, int size, const char* name)
{
    if (page == nullptr)
        return "null";
    bool opened = false;
    std::optional<milfo::Failure> failure;
    try {
        const std::vector<milfo::calc::CaseCell> cells =
            milfo::calc::readCase(page->rules(), std::string_view(bytes, static_cast<size_t>(size)));
        const std::vector<milfo::Failure> failures = milfo::calc::enterCase(*page, cells);
        opened = true;
        if (!failures.empty())
            failure = failures.front();
    } catch (const milfo::calc::CaseRefused& refused) {
        failure = milfo::Failure{refused.message().ja()};
    } catch (...) {
        failure = milfo::currentFailure();
    }
    const std::string title = milfo::calc::caseTitle(page->program().caption, name);
    // Opened, the window has started again: no record of a press yet.
    answer = changes.answer(failure, page->ended(), opened ? "[]" : "",
                            opened ? ",\"opened\":true,\"title\":" + quoted(title) : "");
    return answer.c_str();
}
}
