// Every handler of every program of the catalogue, on any text in its boxes
// and its lists, through the program's form model (no toolkit): loaded, then
// typed into, picked from and pressed as a person would.
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
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "byte_reader.h"
#include "catalogue.h"
#include "form_model.h"
#include "number_text.h"
#include "numeric.h"

namespace {

using namespace milfo;
using namespace milfo::reliability;

constexpr double kSlowInnerDiameter = -1e8;

// Longer than this, a press is a fault: the window would not respond.
constexpr double kMaxPressSeconds = 2.0;

// The program's form model, watched: every write must be one of the running
// handler's result boxes.
class Watched : public FormObserver {
public:
    explicit Watched(const ProgramDescription& program) : form(program) { form.setObserver(this); }

    void textChanged(const Control& c, const std::string&) override
    {
        if (&c == picked_)
            return;  // the entry picked, shown in its list before the click
        if (running_ == nullptr || !isResult(*running_, c.name))
            fault(std::string(form.program().name) + ": " + (running_ ? running_->event : "?") + " writes " +
                  c.name + ", which is not among its result boxes");
        written_.insert(c.name);
    }
    void itemAdded(const Control&, const std::string&) override {}
    void itemsCleared(const Control&) override {}

    static bool isResult(const Handler& h, std::string_view control)
    {
        for (const char* r : h.results)
            if (control == r)
                return true;
        return false;
    }

    // Runs one act (a press, a pick) as the frame does; the failure it ended
    // with, if any. One that is not a run-time error of the numeric model
    // or a handler's message is a fault of the program.
    std::optional<Failure> act(const Handler& handler, const std::function<std::optional<Failure>()>& event,
                               const Control* picked)
    {
        running_ = &handler;
        picked_ = picked;
        written_.clear();
        const auto start = std::chrono::steady_clock::now();
        std::optional<Failure> failure = event();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() > kMaxPressSeconds)
            fault(std::string(form.program().name) + ": " + handler.event + " takes " +
                  std::to_string(took.count()) + " s");
        if (failure && failure->unexpected)
            fault(std::string(form.program().name) + ": " + handler.event + " fails: " + failure->message);
        running_ = nullptr;
        picked_ = nullptr;
        return failure;
    }

    const std::set<std::string>& written() const { return written_; }

    // A pick from a list that has no click handler: only its text changes.
    void pickWithoutHandler(const Control& list, size_t entry)
    {
        picked_ = &list;
        form.pick(list, entry);
        picked_ = nullptr;
    }

    FormModel form;

private:
    std::set<std::string> written_;
    const Handler* running_ = nullptr;
    const Control* picked_ = nullptr;
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
bool slowPipeSearch(const FormModel& form)
{
    try {
        return ReadVal(form.text("Text7")) < kSlowInnerDiameter;
    } catch (const RuntimeError&) {
        return false;  // an error before the search
    }
}

// Everything that must hold after an event.
void checkAfter(const Watched& w, const Handler& h, const std::optional<Failure>& failure)
{
    for (const char* box : h.results) {
        const std::string text = w.form.text(box);
        const std::string problem = resultTextProblem(text);
        if (!problem.empty())
            fault(std::string(gProgram->name) + ": " + h.event + " leaves \"" + escaped(text) + "\" in " +
                  box + ": " + problem);
        if (!failure && w.written().count(box) == 0)
            fault(std::string(gProgram->name) + ": " + h.event + " ends without writing " + box);
    }
}

std::string failureName(const std::optional<Failure>& f)
{
    return f ? f->message : "no error";
}

std::vector<std::string> textsOf(const FormModel& form)
{
    std::vector<std::string> texts;
    for (const Control& c : form.rules().controls())
        texts.push_back(form.textOf(c));
    return texts;
}

// One act, checked, then the same act again: the same texts.
void run(Watched& w, const Handler* h, const std::function<std::optional<Failure>()>& event,
         const Control* picked = nullptr)
{
    if (h == nullptr || w.form.ended())
        return;
    if (std::string_view(gProgram->name) == "ravelt" && std::string_view(h->event) == "Command2_Click" &&
        slowPipeSearch(w.form)) {
        ++gSkippedSearches;
        return;
    }
    const std::optional<Failure> first = w.act(*h, event, picked);
    Tally& tally = gTally[gProgram->name];
    ++tally.events;
    tally.errors += first ? 1 : 0;
    checkAfter(w, *h, first);
    if (w.form.ended())
        return;
    const std::vector<std::string> before = textsOf(w.form);
    const std::optional<Failure> second = w.act(*h, event, picked);
    checkAfter(w, *h, second);
    if (!(first == second))
        fault(std::string(gProgram->name) + ": " + h->event + " gives " + failureName(first) + ", then " +
              failureName(second));
    const std::vector<std::string> after = textsOf(w.form);
    for (size_t i = 0; i < before.size(); ++i)
        if (after[i] != before[i])
            fault(std::string(gProgram->name) + ": " + h->event + " writes \"" + escaped(before[i]) +
                  "\" into " + w.form.rules().controls()[i].name + ", then \"" + escaped(after[i]) + "\"");
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

    Watched w(*gProgram);
    const FormRules& rules = w.form.rules();
    std::vector<const Control*> editable, buttons;
    for (const Control& c : rules.controls()) {
        if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox)
            editable.push_back(&c);
        if (c.kind == ControlKind::CommandButton)
            buttons.push_back(&c);
    }
    const Handler* load = gProgram->handler(FormRules::kLoadEvent);
    if (load != nullptr)
        run(w, load, [&] { return w.form.load(); });
    else
        w.form.load();

    for (int step = 0; step < 24 && !in.empty() && !w.form.ended(); ++step) {
        switch (in.below(4)) {
            case 0:
            case 1: {
                if (editable.empty())
                    break;
                const Control& c = *editable[in.below(editable.size())];
                const std::string text = anyText(in);
                w.form.type(c, text);
                gHistory.push_back("set " + std::string(c.name) + " " + escaped(text));
                break;
            }
            case 2: {
                if (rules.lists().empty())
                    break;
                const Control& list = *rules.lists()[in.below(rules.lists().size())];
                const std::vector<std::string>& entries = w.form.entries(list);
                if (entries.empty())
                    break;
                const size_t entry = in.below(entries.size());
                gHistory.push_back("pick " + std::string(list.name) + " " + entries[entry]);
                if (rules.clickHandler(list) == nullptr)
                    w.pickWithoutHandler(list, entry);
                else
                    run(
                        w, rules.clickHandler(list), [&] { return w.form.pick(list, entry); }, &list);
                break;
            }
            default: {
                if (buttons.empty())
                    break;
                const Control& button = *buttons[in.below(buttons.size())];
                gHistory.push_back("click " + std::string(button.name));
                run(w, rules.clickHandler(button), [&] { return w.form.press(button); });
                break;
            }
        }
    }
    return 0;
}
