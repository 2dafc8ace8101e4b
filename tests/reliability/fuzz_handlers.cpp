// Every handler of every program in the registry, on any text in its boxes
// and its list, through a window made of a map of control texts (no toolkit).
// The window stands in for the frame: it starts from the control table, adds
// the list entries and runs form_load, and when a handler raises a run-time
// error it empties the result boxes the handler had not written yet.
//
// After every event: no crash and no undefined behaviour; the handler wrote
// no control outside its result boxes (so the typed inputs stay as typed);
// each result box holds the empty text or a number's text that reads back
// consistently; a handler that ended normally wrote every one of its result
// boxes; and the same event again gives the same texts.
//
// Every press must end within kMaxPressSeconds. ravelt's pipe search answers
// at once except in one corner (an inner diameter far below 0, see
// slowPipeSearch), which is left out and counted.
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "byte_reader.h"
#include "number_text.h"
#include "numeric.h"
#include "program.h"
#include "registry.h"

namespace {

using namespace milfo;
using namespace milfo::reliability;

constexpr double kSlowInnerDiameter = -1e8;

// Longer than this, a press is a fault: the window would not respond.
constexpr double kMaxPressSeconds = 2.0;

// The controls' texts and the list's entries, as the frame keeps them.
class MapForm : public Form {
public:
    explicit MapForm(const ProgramDescription& program) : program_(program)
    {
        for (const Control& c : program.controls)
            texts_[c.name] = c.kind == ControlKind::ComboBox ? std::string() : std::string(c.text);
    }

    std::string text(std::string_view control) const override
    {
        const auto it = texts_.find(control);
        if (it == texts_.end())
            fault(std::string(program_.name) + ": a handler reads " + std::string(control) +
                  ", which the window does not have");
        return it->second;
    }

    void setText(std::string_view control, std::string_view text) override
    {
        const auto it = texts_.find(control);
        if (it == texts_.end())
            fault(std::string(program_.name) + ": a handler writes " + std::string(control) +
                  ", which the window does not have");
        if (running_ == nullptr || !isResult(*running_, control))
            fault(std::string(program_.name) + ": " + (running_ ? running_->event : "?") + " writes " +
                  std::string(control) + ", which is not among its result boxes");
        it->second = std::string(text);
        written_.insert(std::string(control));
    }

    void addItem(std::string_view control, std::string_view text) override
    {
        if (control != "Combo1" || texts_.find(control) == texts_.end())
            fault(std::string(program_.name) + ": an entry added to " + std::string(control));
        entries_.emplace_back(text);
    }

    void end() override { ended_ = true; }

    // The user's side.
    void type(const std::string& control, const std::string& text) { texts_[control] = text; }
    const std::vector<std::string>& entries() const { return entries_; }
    const std::map<std::string, std::string, std::less<>>& texts() const { return texts_; }
    bool ended() const { return ended_; }

    static bool isResult(const Handler& h, std::string_view control)
    {
        for (const char* r : h.results)
            if (control == r)
                return true;
        return false;
    }

    // Runs an event as the frame does; returns the error it raised, if any.
    // Exceptions other than the numeric model's run-time errors go on up:
    // the frame would not catch them either.
    std::optional<ErrorKind> raise(const Handler& handler)
    {
        running_ = &handler;
        written_.clear();
        std::optional<ErrorKind> error;
        const auto start = std::chrono::steady_clock::now();
        try {
            handler.run(*this);
        } catch (const RuntimeError& e) {
            error = e.kind();
            for (const char* box : handler.results)
                if (written_.count(box) == 0)
                    texts_[box].clear();
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() > kMaxPressSeconds)
            fault(std::string(program_.name) + ": " + handler.event + " takes " +
                  std::to_string(took.count()) + " s");
        running_ = nullptr;
        return error;
    }

    const std::set<std::string>& written() const { return written_; }

private:
    const ProgramDescription& program_;
    std::map<std::string, std::string, std::less<>> texts_;
    std::vector<std::string> entries_;
    std::set<std::string> written_;
    const Handler* running_ = nullptr;
    bool ended_ = false;
};

// What the user did, as milfo-drive commands, for the reproducer.
std::vector<std::string> gHistory;
const ProgramDescription* gProgram = nullptr;
long long gSkippedSearches = 0;

// Presses by program: how many ran, and how many of them raised an error.
struct Tally {
    long long events = 0;
    long long errors = 0;
};
std::map<std::string, Tally> gTally;

std::string reproducer()
{
    std::string out = "reproducer: milfo-drive " + std::string(gProgram ? gProgram->name : "?");
    for (const std::string& line : gHistory)
        out += "\n  " + line;
    return out;
}

// A text as a user might type it.
std::string anyText(ByteReader& in)
{
    static const char* const kSpecial[] = {
        "",
        "0",
        "-0",
        "1e999",
        "-1e999",
        "1e308",
        "1.7976931348623157e308",
        "4.9e-324",
        "1e-300",
        "-273.15",
        "-273.16",
        "-270",
        "2200",
        "7000",
        "-0.348",
        "-0.349",
        "0.348",
        "10",
        "9.999999",
        "20.000000000000004",
        "79228162514264337593543950336",
        "3.4028235e38",
        "1e39",
        "&HFFFF",
        "&H7FFFFFFF",
        "&HFFFFFFFFF",
        "&O777",
        "１２．５",
        "\xE2\x88\x92５",
        "0.05",
        "0.1143",
        "0.3143",
        "300",
        "40",
        "50",
        "100",
        "1000",
        "1e12",
        "abc",
    };
    switch (in.below(6)) {
        case 0:
            return in.text(48);
        case 1: {
            char buf[40];
            std::snprintf(buf, sizeof buf, "%.17g", in.anyDouble());
            return buf;
        }
        case 2: {
            char buf[40];
            std::snprintf(buf, sizeof buf, "%lld.%06lld", static_cast<long long>(in.between(-1000, 3000)),
                          static_cast<long long>(in.between(0, 999999)));
            return buf;
        }
        case 3: {
            std::string out;
            for (std::int64_t n = in.between(0, 12); n > 0; --n) {
                static const char kPieces[] = "0123456789.-+eE &d";
                out += kPieces[in.below(sizeof kPieces - 1)];
            }
            return out;
        }
        case 4:
            return kSpecial[in.below(sizeof kSpecial / sizeof kSpecial[0])];
        default:
            return std::to_string(in.between(-300, 2500));
    }
}

// Whether ravelt's pipe search may take long on these inputs. It answers in
// microseconds except with an inner diameter below 0 and a target at the top
// of the hump that Y then makes, where its time grows with |d1| (some 10 ms at
// -1e8 m, seconds beyond -1e10 m): such presses are left out.
bool slowPipeSearch(const MapForm& form)
{
    try {
        return ReadVal(form.texts().at("Text7")) < kSlowInnerDiameter;
    } catch (const RuntimeError&) {
        return false;  // an error before the search
    }
}

// Everything that must hold after an event.
void checkAfter(const MapForm& form, const Handler& h, const std::optional<ErrorKind>& error)
{
    for (const char* box : h.results) {
        const std::string& text = form.texts().at(box);
        const std::string problem = resultTextProblem(text);
        if (!problem.empty())
            fault(std::string(gProgram->name) + ": " + h.event + " leaves \"" + escaped(text) + "\" in " +
                  box + ": " + problem);
        if (!error && form.written().count(box) == 0)
            fault(std::string(gProgram->name) + ": " + h.event + " ends without writing " + box);
    }
}

std::string errorName(const std::optional<ErrorKind>& e)
{
    return e ? errorMessage(*e) : "no error";
}

// One event, checked, then the same event again: the same texts.
void run(MapForm& form, const char* event)
{
    const Handler* h = gProgram->handler(event);
    if (h == nullptr || form.ended())
        return;
    if (std::string_view(gProgram->name) == "ravelt" && std::string_view(event) == "Command2_Click" &&
        slowPipeSearch(form)) {
        ++gSkippedSearches;
        return;
    }
    const std::optional<ErrorKind> first = form.raise(*h);
    Tally& tally = gTally[gProgram->name];
    ++tally.events;
    tally.errors += first ? 1 : 0;
    checkAfter(form, *h, first);
    if (form.ended())
        return;
    const auto before = form.texts();
    const std::optional<ErrorKind> second = form.raise(*h);
    checkAfter(form, *h, second);
    if (first != second)
        fault(std::string(gProgram->name) + ": " + event + " gives " + errorName(first) + ", then " +
              errorName(second));
    for (const auto& [name, text] : before)
        if (form.texts().at(name) != text)
            fault(std::string(gProgram->name) + ": " + event + " writes \"" + escaped(text) + "\" into " +
                  name + ", then \"" + escaped(form.texts().at(name)) + "\"");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setFaultContext(reproducer);
    std::atexit([] {
        for (const auto& [name, tally] : gTally)
            std::fprintf(stderr, "%s: %lld events, %lld with a run-time error\n", name.c_str(), tally.events,
                         tally.errors);
        std::fprintf(stderr, "ravelt pipe searches left out (inner diameter below %g m): %lld\n",
                     kSlowInnerDiameter, gSkippedSearches);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader in(data, size);
    const std::vector<const ProgramDescription*>& programs = allPrograms();
    gProgram = programs[in.below(programs.size())];
    gHistory.clear();

    std::vector<std::string> editable, buttons;
    for (const Control& c : gProgram->controls) {
        if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox)
            editable.emplace_back(c.name);
        if (c.kind == ControlKind::CommandButton)
            buttons.emplace_back(c.name);
    }

    MapForm form(*gProgram);
    for (const std::string& entry : gProgram->listEntries)
        form.addItem("Combo1", entry);
    run(form, "form_load");

    for (int step = 0; step < 24 && !in.empty() && !form.ended(); ++step) {
        switch (in.below(4)) {
            case 0:
            case 1: {
                if (editable.empty())
                    break;
                const std::string& name = editable[in.below(editable.size())];
                const std::string text = anyText(in);
                form.type(name, text);
                gHistory.push_back("set " + name + " " + escaped(text));
                break;
            }
            case 2: {
                if (form.entries().empty())
                    break;
                const std::string& entry = form.entries()[in.below(form.entries().size())];
                form.type("Combo1", entry);
                gHistory.push_back("pick Combo1 " + entry);
                run(form, "Combo1_Click");
                break;
            }
            default: {
                if (buttons.empty())
                    break;
                const std::string& name = buttons[in.below(buttons.size())];
                gHistory.push_back("click " + name);
                run(form, (name + "_Click").c_str());
                break;
            }
        }
    }
    return 0;
}
