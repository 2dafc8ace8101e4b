// milfo-calc, the real executable, against the GUI case tables and against
// its own table of command lines.
//
// Every GUI case whose commands are entries and button presses becomes one
// CSV row: the last text each input received, the buttons of the last press
// (earlier presses change no input, and no handler reads a result box). The
// row must show what the window shows (--lenient: the window reads every
// text). Cases that only a window has (keys,
// focus, 終了, a result box typed into, text typed into the list that equals
// an entry, which milfo-calc would pick) are counted by reason; the counts
// are printed, and at least 90% of all cases must be rows.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "case_file.h"
#include "catalogue.h"
#include "cli.h"
#include "csv.h"
#include "folding.h"
#include "gui_harness.h"
#include "numeric.h"
#include "probe_program.h"
#include "runner.h"
#include "test_paths.h"

using namespace milfo;

namespace {

struct CalcRun {
    std::string out;  // standard output
    std::string err;  // standard error
    int status = -1;
};

std::string quoted(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// milfo-calc with these arguments and this standard input.
CalcRun runCalc(const std::vector<std::string>& args, const std::string& input)
{
    // A folder of this process's own: ctest runs the cases side by side.
    static const std::string dir = [] {
        std::string pattern = ::testing::TempDir() + "milfo-calc-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("no temporary folder");
        return pattern + "/";
    }();
    const std::string in = dir + "calc_in", out = dir + "calc_out", err = dir + "calc_err";
    std::ofstream(in, std::ios::binary) << input;
    std::string command = quoted(test_paths::milfoCalc);
    for (const std::string& a : args)
        command += " " + quoted(a == "@IN@" ? in : a);  // @IN@: the input as a file
    command += " <" + quoted(in) + " >" + quoted(out) + " 2>" + quoted(err);
    CalcRun r;
    const int status = std::system(command.c_str());
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = readAll(out);
    r.err = readAll(err);
    return r;
}

std::vector<std::vector<std::string>> parseCsv(const std::string& text)
{
    std::FILE* f = fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
    std::vector<std::vector<std::string>> rows;
    if (text.empty() || f == nullptr)
        return rows;
    const auto bytes = calc::fileBytes(f);
    auto source = calc::openSource(*bytes, calc::Encoding::Utf8);
    calc::CsvReader reader(*source);
    std::vector<std::string> cells;
    while (reader.next(cells))
        rows.push_back(cells);
    std::fclose(f);
    return rows;
}

std::string csvCell(const std::string& s)
{
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return s;
    std::string q = "\"";
    for (char c : s)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

// A GUI case as one milfo-calc row, or why it is not one.
struct Translation {
    std::string skip;  // the reason, when it is not a row
    std::vector<std::string> columns = {}, cells = {}, presses = {};
    // Each column's list entries as the case leaves them (none for a box).
    std::vector<std::vector<std::string>> entries = {};
};

Translation translate(const calc::ProgramView& view, const test::GuiCase& c)
{
    Translation t;
    const FormRules& rules = *view.rules();
    struct Entry {
        std::string text;
        bool pick;
        int order;
        bool isEntry;  // the text is one of the list's entries as it was then
    };
    std::map<std::string, Entry> last;
    std::map<std::string, int> lastPick;  // list -> order of its last pick
    std::set<std::string> typedAfterPick;
    // The window as the case leaves it, for the entries of lists that other
    // lists' picks fill.
    FormModel form(view.program());
    form.load();
    int order = 0;
    for (const std::string& command : c.commands) {
        const size_t s1 = command.find(' ');
        const std::string verb = command.substr(0, s1);
        const size_t s2 = s1 == std::string::npos ? s1 : command.find(' ', s1 + 1);
        const std::string name = s1 == std::string::npos ? "" : command.substr(s1 + 1, s2 - s1 - 1);
        const std::string text = s2 == std::string::npos ? "" : command.substr(s2 + 1);
        if (verb == "set" || verb == "pick") {
            const Control* input = view.findInput(name);
            if (input == nullptr)
                return {"types into a result box"};
            if (!t.presses.empty())
                t.presses.clear();  // a new entry: only the presses after it count
            const bool list = input->kind == ControlKind::ComboBox;
            const std::optional<size_t> entry = list ? form.findEntry(*input, text) : std::nullopt;
            last[name] = {text, verb == "pick", order++, entry.has_value()};
            if (verb == "pick" && entry) {
                lastPick[name] = order - 1;
                form.pick(*input, *entry);
            } else {
                form.type(*input, text);
                if (list && lastPick.count(name) != 0)
                    typedAfterPick.insert(name);
            }
        } else if (verb == "click") {
            const Control* button = view.findControl(name);
            if (std::find(view.buttons().begin(), view.buttons().end(), button) == view.buttons().end())
                return {"presses 終了"};
            t.presses.push_back(name);
        } else {
            return {"uses the keyboard or asks the window"};
        }
    }
    if (t.presses.empty())
        return {"presses no button after its entries"};
    for (const Control* list : rules.lists()) {
        const Handler* click = rules.clickHandler(*list);
        if (click == nullptr || last.count(list->name) == 0)
            continue;
        const Entry& e = last[list->name];
        if (!e.pick && e.isEntry)
            return {"types an entry's text into the list"};
        if (typedAfterPick.count(list->name) != 0)
            return {"types into the list after a pick"};
        for (const char* box : click->results)
            if (last.count(box) != 0 && lastPick.count(list->name) != 0 &&
                last[box].order < lastPick[list->name])
                return {"types a box that a later pick rewrites"};
    }
    std::vector<std::pair<int, std::string>> inOrder;
    for (const auto& [name, e] : last)
        inOrder.emplace_back(e.order, name);
    std::sort(inOrder.begin(), inOrder.end());
    for (const auto& [o, name] : inOrder) {
        t.columns.push_back(name);
        t.cells.push_back(last[name].text);
        const Control& input = *rules.find(name);
        t.entries.push_back(input.kind == ControlKind::ComboBox ? form.entries(input)
                                                                : std::vector<std::string>{});
    }
    // A case that types nothing: a box typed with the text it starts with.
    if (t.columns.empty())
        for (const Control* input : view.inputs())
            if (input->kind == ControlKind::TextBox && t.columns.empty()) {
                t.columns.emplace_back(input->name);
                t.cells.emplace_back(input->text);
                t.entries.emplace_back();
            }
    return t;
}

std::vector<test::ProgramCases> allGuiCases()
{
    std::vector<test::ProgramCases> all;
    for (auto make : test::registeredCases())
        all.push_back(make());
    return all;
}

}  // namespace

TEST(CalcGuiCases, EveryRowShowsWhatTheWindowShows)
{
    // The rows, grouped into one run of milfo-calc per program, columns and
    // presses.
    struct Row {
        std::string title;
        const test::GuiCase* c;
        Translation t;
    };
    std::map<std::string, std::vector<Row>> runs;
    std::map<std::string, int> skipped;
    std::map<std::string, int> rowsByProgram;
    int cases = 0;
    const std::vector<test::ProgramCases> all = allGuiCases();
    for (const test::ProgramCases& pc : all) {
        const ProgramDescription* program = findProgram(pc.program);
        ASSERT_NE(program, nullptr) << pc.program;
        const calc::ProgramView view(*program);
        for (const test::GuiCase& c : pc.cases) {
            ++cases;
            Translation t = translate(view, c);
            if (!t.skip.empty()) {
                ++skipped[t.skip];
                continue;
            }
            std::string key = pc.program;
            for (const std::string& s : t.columns)
                key += "\t" + s;
            key += "\t|";
            for (const std::string& s : t.presses)
                key += "\t" + s;
            runs[key].push_back({pc.program + ": " + c.title, &c, std::move(t)});
            ++rowsByProgram[pc.program];
        }
    }

    int rows = 0, compared = 0, strictSame = 0, strictPicked = 0, strictRefused = 0, strictMissing = 0,
        strictLacking = 0, notes = 0;
    for (const auto& [key, group] : runs) {
        const Translation& first = group.front().t;
        const std::string program = key.substr(0, key.find('\t'));
        // The case's title first, a column that names no input: passed
        // through, it keeps a row of empty texts from being skipped. With
        // picked, each list cell is replaced by the entry it names.
        const calc::ProgramView view(*findProgram(program));
        const auto csvOf = [&](bool picked) {
            std::string csv = "case";
            for (const std::string& column : first.columns)
                csv += "," + csvCell(column);
            csv += "\r\n";
            for (const Row& row : group) {
                csv += csvCell(row.title);
                for (size_t i = 0; i < row.t.cells.size(); ++i) {
                    const calc::ListEntries entries(row.t.entries[i]);
                    const std::string* entry = entries.pick(row.t.cells[i]);
                    const bool list = view.findInput(first.columns[i])->kind == ControlKind::ComboBox;
                    csv += "," + csvCell(picked && list && entry != nullptr ? *entry : row.t.cells[i]);
                }
                csv += "\r\n";
            }
            return csv;
        };
        const std::string csv = csvOf(false);
        std::vector<std::string> args{"--lenient", "--header", "names"};
        for (const std::string& p : first.presses) {
            args.emplace_back("--press");
            args.push_back(p);
        }
        args.push_back(program);
        const CalcRun r = runCalc(args, csv);
        ASSERT_EQ(r.status, 0) << key << "\n" << r.err;
        // Then, once a column, the first cell a press read otherwise than as
        // typed: the form model's note on that cell's text (a list cell that
        // names no entry: typed as it stands).
        const std::string passed = "milfo-calc: passed through: case\n";
        EXPECT_EQ(r.err.substr(0, passed.size()), passed);
        for (size_t at = passed.size(), end; at < r.err.size(); at = end + 1) {
            end = r.err.find('\n', at);
            const std::string line = r.err.substr(at, end - at);
            if (line.rfind("milfo-calc: line ", 0) != 0)
                continue;  // the inputs left as the window starts
            const size_t comma = line.find(", "), colon = line.find(": ", comma);
            ASSERT_NE(colon, std::string::npos) << line;
            const size_t row = std::stoul(line.substr(17, comma - 17)) - 2;
            const std::string column = line.substr(comma + 2, colon - comma - 2);
            const auto k =
                std::find(first.columns.begin(), first.columns.end(), column) - first.columns.begin();
            ASSERT_TRUE(row < group.size() && k < static_cast<long>(first.columns.size())) << line;
            const std::string& cell = group[row].t.cells[static_cast<size_t>(k)];
            if (view.findInput(column)->kind == ControlKind::ComboBox)
                EXPECT_EQ(line.substr(colon + 2), "「" + cell + "」は一覧にないため、そのまま入力しました");
            else
                EXPECT_EQ(std::optional<std::string>(line.substr(colon + 2)), readingNote(cell));
            ++notes;
        }
        // A list cell that names an entry only as a person reads it is read
        // as that entry (the window takes the typed text as no entry): such
        // a row shows what the entry picked shows.
        const std::vector<std::vector<std::string>> picked = [&] {
            std::vector<std::string> pickedArgs = args;
            return parseCsv(runCalc(pickedArgs, csvOf(true)).out);
        }();
        ASSERT_EQ(picked.size(), group.size() + 1);
        const auto out = parseCsv(r.out);
        ASSERT_EQ(out.size(), group.size() + 1) << r.out;
        for (size_t k = 0; k < group.size(); ++k) {
            const Row& row = group[k];
            SCOPED_TRACE(row.title);
            std::map<std::string, std::string> shown;
            for (size_t i = 0; i < out[0].size() && i < out[k + 1].size(); ++i)
                shown[out[0][i]] = out[k + 1][i];
            bool folded = false;  // a list cell that names its entry only folded
            for (size_t i = 0; i < first.columns.size(); ++i) {
                const std::vector<std::string>& listed = row.t.entries[i];
                const std::string& cell = row.t.cells[i];
                folded = folded ||
                         (!listed.empty() && std::find(listed.begin(), listed.end(), cell) == listed.end() &&
                          calc::ListEntries(listed).pick(cell) != nullptr);
            }
            if (folded) {
                for (size_t i = 1 + first.columns.size(); i < out[k + 1].size(); ++i)
                    EXPECT_EQ(out[k + 1][i], picked[k + 1][i]) << out[0][i];
                ++rows;
                continue;
            }
            // The note column: each box the window marks, after its control
            // and caption; a box it does not mark, not at all.
            for (const auto& [name, note] : row.c->marks) {
                const Control* box = view.findControl(name);
                const std::string lead = name + " " + view.caption(*box) + ": ";
                if (note.empty())
                    EXPECT_EQ(shown["note"].find(lead), std::string::npos) << shown["note"];
                else
                    EXPECT_NE(shown["note"].find(lead + note), std::string::npos) << shown["note"];
            }
            for (const auto& [name, text] : row.c->expect) {
                if (shown.count(name) == 0)
                    continue;  // a box milfo-calc does not write out
                EXPECT_EQ(shown[name], text) << name;
                ++compared;
            }
            const std::string& fault = row.c->fault;
            const std::string message = fault.empty() ? "" : fault.substr(2);  // "! message"
            const std::string& error = shown["error"];
            if (first.presses.size() == 1)
                EXPECT_EQ(error, message);
            else
                EXPECT_TRUE(error.size() >= message.size() &&
                            error.compare(error.size() - message.size(), message.size(), message) == 0)
                    << error;
            ++rows;
        }

        // Read strictly, a run without a column for an input the calculation
        // needs is refused, naming it. Else a row whose boxes all hold whole
        // numbers and whose list cell is an entry shows the same; one whose
        // list cell names an entry only as a person reads it shows what that
        // entry picked shows; any other is an error of its row, with no
        // result.
        args.erase(args.begin());
        const CalcRun strictRun = runCalc(args, csv);
        std::vector<const Control*> given;
        for (const std::string& column : first.columns)
            given.push_back(view.findInput(column));
        std::vector<const Control*> presses;
        for (const std::string& p : first.presses)
            presses.push_back(view.findControl(p));
        const std::vector<const Control*> missing = view.rules()->missingInputs(given, presses);
        if (!missing.empty()) {
            EXPECT_EQ(strictRun.status, 2) << key;
            std::string named;
            for (const Control* c : missing)
                named += (named.empty() ? "" : ", ") + std::string(c->name) + " " + view.caption(*c);
            EXPECT_NE(
                strictRun.err.find(": line 1: no column gives " + named + ", which the calculation needs"),
                std::string::npos)
                << strictRun.err;
            EXPECT_EQ(strictRun.out, "");
            strictMissing += static_cast<int>(group.size());
            continue;
        }
        const auto strict = parseCsv(strictRun.out);
        ASSERT_EQ(strict.size(), out.size());
        const size_t inputsEnd = 1 + first.columns.size();  // the case's title, then the inputs
        for (size_t k = 0; k < group.size(); ++k) {
            SCOPED_TRACE(group[k].title + " (strict)");
            bool whole = true, entry = true, named = true;
            for (size_t i = 0; i < first.columns.size(); ++i) {
                const std::string& cell = group[k].t.cells[i];
                const std::vector<std::string>& listed = group[k].t.entries[i];
                const Control& input = *view.findInput(first.columns[i]);
                // An empty cell of a default keeps its start text; an empty
                // list cell picks nothing.
                if (input.kind == ControlKind::TextBox) {
                    whole = whole && (!view.rules()->readsNumber(input) || ReadsWhole(cell) ||
                                      (cell.empty() && view.rules()->hasDefault(input)));
                } else if (!listed.empty()) {
                    entry = entry && !cell.empty() &&
                            std::find(listed.begin(), listed.end(), cell) != listed.end();
                    named = named && !cell.empty() && calc::ListEntries(listed).pick(cell) != nullptr;
                }
            }
            // An input the row's presses and choices read with no column, and
            // no list's column to fill it (a criterion's own): the row's error.
            const FormRules& rules = *view.rules();
            std::vector<const Control*> columns, reads;
            for (const std::string& c : first.columns)
                columns.push_back(view.findInput(c));
            for (const std::string& p : first.presses)
                for (const Control* input : rules.readsOf(*view.findControl(p)))
                    reads.push_back(input);
            for (size_t i = 0; i < columns.size(); ++i)
                if (columns[i]->kind == ControlKind::ComboBox)
                    for (const Control* input : rules.choiceReads(*columns[i], group[k].t.cells[i]))
                        reads.push_back(input);
            bool lacks = false;
            for (const Control* input : reads) {
                bool filled = std::find(columns.begin(), columns.end(), input) != columns.end();
                for (const Control* c : columns)
                    if (c->kind == ControlKind::ComboBox) {
                        const std::vector<const Control*>& f = rules.filledBy(*c);
                        filled = filled || std::find(f.begin(), f.end(), input) != f.end();
                    }
                lacks = lacks || (rules.needs(*input) && !filled);
            }
            if (lacks) {
                const std::string& error = strict[k + 1][strict[k + 1].size() - 2];
                EXPECT_NE(error.find(": 列がありません"), std::string::npos) << error;
                ++strictLacking;
            } else if (whole && entry) {
                EXPECT_EQ(strict[k + 1], out[k + 1]);
                ++strictSame;
            } else if (whole && named) {
                for (size_t i = inputsEnd; i < strict[k + 1].size(); ++i)
                    EXPECT_EQ(strict[k + 1][i], picked[k + 1][i]) << strict[0][i];
                ++strictPicked;
            } else {
                // The results, then the error and the notes.
                for (size_t i = inputsEnd; i + 2 < strict[k + 1].size(); ++i)
                    EXPECT_EQ(strict[k + 1][i], "") << strict[0][i];
                const std::string& error = strict[k + 1][strict[k + 1].size() - 2];
                EXPECT_NE(error.find(": "), std::string::npos) << error;
                const bool listRefused = error.find("は一覧にありません（") != std::string::npos ||
                                         error.find("空欄です（") != std::string::npos ||
                                         error.find("の値が決まりません") != std::string::npos;
                EXPECT_EQ(listRefused, !named) << error;
                ++strictRefused;
            }
        }
    }
    for (const ProgramDescription* p : allPrograms())
        EXPECT_GT(rowsByProgram[p->name], 0) << p->name;
    EXPECT_GE(rows * 10, cases * 9) << "fewer than 90% of the GUI cases run as rows";
    std::string report;
    for (const auto& [why, n] : skipped)
        report += "  " + std::to_string(n) + " " + why + "\n";
    std::printf(
        "%d of %d GUI cases run as rows in %zu runs, %d texts compared, %d cells named as not read as typed; "
        "read strictly, %d the same, %d "
        "with the list's entry the cell names, %d refused, %d lacking an input their choices read, %d in "
        "runs "
        "refused for a needed input without a column; not rows:\n%s",
        rows, cases, runs.size(), compared, notes, strictSame, strictPicked, strictRefused, strictLacking,
        strictMissing, report.c_str());
}

namespace {

// One command line: arguments, standard input, then the output (line ends
// shown as \n), the exit status and the message on standard error; each of
// the output and the message all of it when it is empty or ends with a line
// break, else a piece of it.
struct CommandCase {
    const char* title;
    std::vector<std::string> args;
    std::string input;
    std::string out;
    int status = 0;
    std::string err = "";
};

const char* const kHeader = "Combo1,Text1,Text2,Text3,error,note\n";

// Text in UTF-16, little-endian or big-endian, without a byte order mark.
std::string utf16(const std::u16string& text, bool bigEndian)
{
    std::string bytes;
    for (const char16_t u : text) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// "保温筒１種" and "－４０" and "０" in CP932 (Shift_JIS as Windows writes it:
// 0x817C is the full-width minus, 0x8160 the wave dash, read as U+FF5E).
const std::string kGradeCp932 = "\x95\xdb\x89\xb7\x93\x9b\x82\x50\x8e\xed";

// mostrel's list, as an error names it.
const std::string kGlassWoolEntries =
    "「ウール２号」「ウール３号」「保温板２号２４ｋ」「保温板２号４０ｋ」「保温板２号４８ｋ」「保温板２号６４"
    "ｋ」"
    "「保温板２号８０ｋ」「保温板２号９６ｋ」「保温板２号１２０ｋ」「保温板３号８０ｋ」「保温板３号９６ｋ」"
    "「保温板３号１２０ｋ」「波形保温板」「ブランケット２号ａ」「ブランケット２号ｂ」「保温帯２号ａ」"
    "「保温帯２号ｂ」「保温帯２号ｃ」「保温筒」";

const std::vector<CommandCase> kCommandCases = {
    // Strict cells: a cell ReadVal reads in part or not at all is the row's
    // error; the next row goes on.
    {"strict cells",
     {"--header", "names", "fennick"},
     "Combo1,Text1,Text2\n保温筒１種,12abc,50\n保温筒１種,abc,\n保温筒１種,1e,50\n保温筒１種, 1 0 ,70\n"
     "保温筒２種,－４０,０\n保温筒１種,&H14,7E1\n保温筒１種,0,1e999\n保温筒１種,0,50\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,12abc,50,,Text1: 「12abc」は数値ではありません,\n"
     "保温筒１種,abc,,,Text1: 「abc」は数値ではありません / Text2: 空欄です,\n"
     "保温筒１種,1e,50,,Text1: 「1e」は数値ではありません,\n"
     "保温筒１種, 1 0 ,70,0.0463,,\n"
     "保温筒２種,－４０,０,0.0361,,\n"
     "保温筒１種,&H14,7E1,0.04715,,\n"
     "保温筒１種,0,1e999,,オーバーフローしました。,\n"
     "保温筒１種,0,50,0.04375,,\n",
     0,
     "milfo-calc: read as UTF-8\n"},
    {"strict cells named by the column as given",
     {"fennick"},
     "低温側温度（℃）,Text2,Combo1\nx,50,保温筒１種\n",
     "低温側温度（℃）,高温側温度（℃）,ポリエチレンフォームの種類,平均熱伝導率（Ｗ／ｍｋ）,エラー,注意\n"
     "x,50,保温筒１種,,低温側温度（℃）: 「x」は数値ではありません,\n",
     0,
     "milfo-calc: read as UTF-8\n"},
    {"lenient cells read as the window reads them",
     {"--lenient", "--header", "names", "fennick"},
     "Combo1,Text1,Text2\n保温筒１種,12abc,50\n保温筒１種,abc,50\n保温筒１種,,50\n保温筒１種,1e,50\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,12abc,50,0.04477,,Text1 低温側温度（℃）: 「12abc」を 12 として計算しました\n"
     "保温筒１種,abc,50,0.04375,,Text1 低温側温度（℃）: 「abc」を 0 として計算しました\n"
     "保温筒１種,,50,0.04375,,\n"
     "保温筒１種,1e,50,0.043835,,Text1 低温側温度（℃）: 「1e」を 1 として計算しました\n",
     0,
     "milfo-calc: line 2, Text1: 「12abc」を 12 として計算しました (and 2 more cells of the column not read "
     "as typed)\n"
     "milfo-calc: read as UTF-8\n"},
    {"read leniently, the cells not read as typed named once per column, from the boxes a press read",
     {"--lenient", "--press", "平面の計算", "ravelt"},
     "番号,断熱材平均熱伝導率(W/mK),断熱材内側温度(℃),断熱材外側温度(℃),周囲温度(℃),表面熱伝達率(W/m2K),"
     "断熱材の内径(m)\n1,0.05,300ﾟC,40,20,10,1143mm\n2,0.05,300,40,20,10,x\n3,0.05,300,40,20,10abc,0\n",
     "番号,断熱材平均熱伝導率(W/mK),断熱材内側温度(℃),断熱材外側温度(℃),周囲温度(℃),表面熱伝達率(W/"
     "m2K),断熱材の内径(m),１．平面 断熱材厚さ(m),エラー,注意\n"
     "1,0.05,300ﾟC,40,20,10,1143mm,0.065,,Text2 断熱材内側温度(℃): 「300ﾟC」を 300 として計算しました\n"
     "2,0.05,300,40,20,10,x,0.065,,\n"
     "3,0.05,300,40,20,10abc,0,0.065,,Text5 表面熱伝達率(W/m2K): 「10abc」を 10 として計算しました\n",
     0,
     "milfo-calc: passed through: 番号\n"
     "milfo-calc: line 2, 断熱材内側温度(℃): 「300ﾟC」を 300 として計算しました\n"
     "milfo-calc: line 4, 表面熱伝達率(W/m2K): 「10abc」を 10 として計算しました\n"
     "milfo-calc: read as UTF-8\n"},
    // List cells: an entry as a person reads it (width folded, blanks
    // ignored) is picked; any other is an error of its row naming the
    // entries; read leniently, it is typed and reads as no grade.
    {"a list cell that is no entry is an error naming the entries, with the other errors in column order",
     {"--header", "names", "fennick"},
     "Combo1,Text1,Text2\n保温筒,0,50\n保温筒３種,x,50\n,0,50\n保温筒１種,0,50\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒,0,50,,Combo1: 「保温筒」は一覧にありません（「保温筒１種」「保温筒２種」）,\n"
     "保温筒３種,x,50,,Combo1: 「保温筒３種」は一覧にありません（「保温筒１種」「保温筒２種」） / Text1: "
     "「x」は数値ではありません,\n"
     ",0,50,,Combo1: 空欄です（「保温筒１種」「保温筒２種」）,\n"
     "保温筒１種,0,50,0.04375,,\n",
     0,
     "milfo-calc: read as UTF-8\n"},
    {"read leniently, a list cell that is no entry is typed, and reads as no grade",
     {"--lenient", "--header", "names", "fennick"},
     "Combo1,Text1,Text2\n保温筒,0,50\n保温筒2種,0,50\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒,0,50,0,,Combo1 ポリエチレンフォームの種類: 「保温筒」は一覧にないため、そのまま入力しました\n"
     "保温筒2種,0,50,0.04375,,\n",
     0,
     "milfo-calc: line 2, Combo1: 「保温筒」は一覧にないため、そのまま入力しました\n"
     "milfo-calc: read as UTF-8\n"},
    {"a grade typed with half-width digits and blanks picks its entry; the cell is written as given",
     {"--header", "names", "fennick"},
     "Combo1,Text1,Text2\n保温筒2種,-40,0\n 保温筒 ２ 種 "
     ",-40,0\n\"保温筒\n1種\",0,50\n保温筒\u30002種,-40,0\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒2種,-40,0,0.0361,,\n"
     " 保温筒 ２ 種 ,-40,0,0.0361,,\n"
     "\"保温筒\n"
     "1種\",0,50,0.04375,,\n"
     "保温筒　2種,-40,0,0.0361,,\n",
     0,
     "milfo-calc: read as UTF-8\n"},
    {"half-width katakana with voiced marks, or a voiced mark apart, pick the entry",
     {"--header", "names", "mostrel"},
     "Combo1,Text1,Text2\nﾌﾞﾗﾝｹｯﾄ2号a,10,50\nブランケット２号ａ,10,50\nフ\u3099ランケット２号ｂ,10,50\n"
     "ブランケット2号A,10,50\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "ﾌﾞﾗﾝｹｯﾄ2号a,10,50,0.03967,,\n"
     "ブランケット２号ａ,10,50,0.03967,,\n"
     "ブランケット２号ｂ,10,50,0.03638,,\n"
     "ブランケット2号A,10,50,,Combo1: "
     "「ブランケット2号A」は一覧にありません（「ウール２号」「ウール３号」「保温板２号２４ｋ」「保温板２号４"
     "０ｋ」「保温板２号４８ｋ」「保温板２号６４ｋ」「保温板２号８０ｋ」「保温板２号９６ｋ」「保温板２号１２"
     "０ｋ」「保温板３号８０ｋ」「保温板３号９６ｋ」「保温板３号１２０ｋ」「波形保温板」「ブランケット２号ａ"
     "」「ブランケット２号ｂ」「保温帯２号ａ」「保温帯２号ｂ」「保温帯２号ｃ」「保温筒」）,\n",
     0,
     "milfo-calc: read as UTF-8\n"},
    {"a finish typed in half-width katakana is picked and fills the emissivity",
     {"--header", "names", "熱伝達率"},
     "Combo1,Text1,Text2,Text4,Text5\nｱﾙﾐﾆｳﾑ板,20,50,0.1,0.05\nアルミニウム板,20,50,0.1,0.05\n",
     "Combo1,Text1,Text2,Text4,Text5,Text6,Text7,Text8,Text9,Text10,Text11,error,note\n"
     "ｱﾙﾐﾆｳﾑ板,20,50,0.1,0.05,1.46345743101304,0,0,5.99128913746103,0,4.16456625878089,,\n"
     "アルミニウム板,20,50,0.1,0.05,1.46345743101304,0,0,5.99128913746103,0,4.16456625878089,,\n",
     0,
     "milfo-calc: used as the window starts: 風速 （ｍ／ｓ）=0\n"
     "milfo-calc: read as UTF-8\n"},
    // Entered as a person would: a finish picked fills ε, a typed ε after it
    // wins (tab order, whatever the column order).
    {"picking a finish fills the emissivity",
     {"--header", "names", "熱伝達率"},
     "Text12,Combo1,Text1,Text2,Text4,Text5\n0.9,アルミニウム板,20,50,0.1,0.05\n,,20,50,0.1,0.05\n",
     "Text12,Combo1,Text1,Text2,Text4,Text5,Text6,Text7,Text8,Text9,Text10,Text11,error,note\n"
     "0.9,アルミニウム板,20,50,0.1,0.05,5.9868713086897,0,0,5.99128913746103,0,4.16456625878089,,\n"
     ",,20,50,0.1,0.05,,,,,,,Text12: 空欄です,\n",
     0,
     "milfo-calc: used as the window starts: 風速 （ｍ／ｓ）=0\n"
     "milfo-calc: read as UTF-8\n"},
    {"the empty entry picked, emissivity left out",
     {"--header", "names", "熱伝達率"},
     "Combo1,Text1,Text2,Text4,Text5\n仕上げセメント、布類,20,50,0.1,0.05\n,20,50,0.1,0.05\n",
     "Combo1,Text1,Text2,Text4,Text5,Text6,Text7,Text8,Text9,Text10,Text11,error,note\n"
     "仕上げセメント、布類,20,50,0.1,0.05,6.2529544779648,0,0,5.99128913746103,0,4.16456625878089,,\n"
     ",20,50,0.1,0.05,,,,,,,Combo1: ε＝ の値が決まりません,\n",
     0,
     "milfo-calc: used as the window starts: 風速 （ｍ／ｓ）=0\n"
     "milfo-calc: read as UTF-8\n"},
    {"read leniently, an empty emissivity cell leaves the finish's emissivity",
     {"--lenient", "--header", "names", "熱伝達率"},
     "Combo1,Text1,Text2,Text4,Text5,Text12\n仕上げセメント、布類,20,50,0.1,0.05,\n,20,50,0.1,0.05,\n",
     "Combo1,Text1,Text2,Text4,Text5,Text12,Text6,Text7,Text8,Text9,Text10,Text11,error,note\n"
     "仕上げセメント、布類,20,50,0.1,0.05,,6.2529544779648,0,0,5.99128913746103,0,4.16456625878089,,\n"
     ",20,50,0.1,0.05,,0,0,0,5.99128913746103,0,4.16456625878089,,\n",
     0,
     "milfo-calc: used as the window starts: 風速 （ｍ／ｓ）=0\n"
     "milfo-calc: read as UTF-8\n"},
    // Buttons.
    {"every calculating button; each error names its button",
     {"ravelt"},
     "Text1,Text2,Text3,Text4,Text5,Text7\n0.05,300,40,20,10,0\n",
     "断熱材平均熱伝導率(W/mK),断熱材内側温度(℃),断熱材外側温度(℃),周囲温度(℃),表面熱伝達率(W/"
     "m2K),断熱材の内径(m),１．平面 断熱材厚さ(m),２．配管 断熱材厚さ(m),エラー,注意\n"
     "0.05,300,40,20,10,0,0.065,,配管の計算: 0 で除算しました。,\n",
     0,
     "milfo-calc: read as UTF-8\n"},
    {"--press by caption",
     {"--press", "平面の計算", "--header", "names", "ravelt"},
     "Text1,Text2,Text3,Text4,Text5,Text7\n0.05,300,40,20,10,0\n",
     "Text1,Text2,Text3,Text4,Text5,Text7,Text6,error,note\n"
     "0.05,300,40,20,10,0,0.065,,\n",
     0,
     "milfo-calc: read as UTF-8\n"},
    {"--press 終了", {"--press", "終了", "熱伝達率"}, "Text1\n0\n", "", 2, "calculates nothing"},
    {"--press unknown", {"--press", "Command9", "ravelt"}, "Text1\n0\n", "", 2, "no button of ravelt"},
    // Columns.
    {"--strict-columns: a column that names no input, nothing read",
     {"--strict-columns", "fennick"},
     "Combo1,Text1,温度\n保温筒１種,0,50\n",
     "",
     2,
     "(standard input): line 1, column 3: \"温度\" is no input of fennick; its inputs are Text1 "
     "低温側温度（℃）, Text2 "
     "高温側温度（℃）, Combo1 ポリエチレンフォームの種類"},
    {"doubled column",
     {"fennick"},
     "Text1,Combo1,低温側温度（℃）\n0,保温筒１種,0\n",
     "",
     2,
     "\"Text1\" and \"低温側温度（℃）\" both name Text1"},
    {"--strict-columns: a result box is no input",
     {"--strict-columns", "fennick"},
     "Text1,Text3\n0,0\n",
     "",
     2,
     "\"Text3\" is not an input of fennick"},
    {"columns that name no input are copied through in their place and named",
     {"--header", "names", "fennick"},
     "番号,Combo1,Text1,系統,Text2,備考,\n1,保温筒１種,0,\"A,B\",50,\"新設\n\",\n2,保温筒２種,-40,C,0,,x\n",
     "番号,Combo1,Text1,系統,Text2,備考,,Text3,error,note\n"
     "1,保温筒１種,0,\"A,B\",50,\"新設\n"
     "\",,0.04375,,\n"
     "2,保温筒２種,-40,C,0,,x,0.0361,,\n",
     0,
     "milfo-calc: passed through: 番号, 系統, 備考, column 7 (no header)\n"
     "milfo-calc: read as UTF-8\n"},
    {"a column copied through beside --set and a result box's caption",
     {"--set", "Combo1=保温筒１種", "fennick", "-"},
     "No.,Text1,Text2,平均熱伝導率（Ｗ／ｍｋ）\nL-1,0,50,9\n",
     "No.,低温側温度（℃）,高温側温度（℃）,平均熱伝導率（Ｗ／ｍｋ）,ポリエチレンフォームの種類,"
     "平均熱伝導率（Ｗ／ｍｋ）,エラー,注意\n"
     "L-1,0,50,9,保温筒１種,0.04375,,\n",
     0,
     "milfo-calc: passed through: No., 平均熱伝導率（Ｗ／ｍｋ）\n"
     "milfo-calc: read as UTF-8\n"},
    {"a message names ten columns, then how many more",
     {"fennick"},
     "a,b,c,d,e,f,g,h,i,j,k,l,Combo1\n1,2,3,4,5,6,7,8,9,10,11,12,保温筒１種\n",
     "",
     2,
     "which the calculation needs (passed through: a, b, c, d, e, f, g, h, i, j, and 2 more); add the "
     "columns"},
    {"a header that names no input at all",
     {"fennick"},
     "番号,温度\n1,50\n",
     "",
     2,
     "(standard input): line 1: no column names an input of fennick; its inputs are Text1"},
    {"the README's line list: a line number and a remark carried through",
     {"--press", "配管の計算", "ravelt", "@IN@"},
     "番号,断熱材平均熱伝導率(W/mK),断熱材内側温度(℃),断熱材外側温度(℃),周囲温度(℃),表面熱伝達率(W/m2K),"
     "断熱材の内径(m),備考\n1,0.05,300,40,20,10,0.1143,蒸気主管 100A\n2,0.045,180,40,20,10,0.0605,復水 50A\n"
     "3,0.04,120,35,20,10,0.0486,温水 40A\n4,0.04,120,35,35,10,0.0486,周囲温度 = 外側温度\n",
     "番号,断熱材平均熱伝導率(W/mK),断熱材内側温度(℃),断熱材外側温度(℃),周囲温度(℃),表面熱伝達率(W/"
     "m2K),断熱材の内径(m),備考,２．配管 断熱材厚さ(m),エラー,注意\n"
     "1,0.05,300,40,20,10,0.1143,蒸気主管 100A,0.0485550000000411,,\n"
     "2,0.045,180,40,20,10,0.0605,復水 50A,0.0238849999999914,,\n"
     "3,0.04,120,35,20,10,0.0486,温水 40A,0.017499999999998,,\n"
     "4,0.04,120,35,35,10,0.0486,周囲温度 = 外側温度,,0 で除算しました。,\n",
     0,
     "milfo-calc: passed through: 番号, 備考\n"
     "milfo-calc: read as UTF-8\n"},
    // Headers read as a person reads them; the output heads the columns
    // with the window's captions all the same.
    {"headers with half-width brackets, blanks, a line break and full-width letters",
     {"fennick"},
     "低温側温度(℃),\"高温側温度\n （℃）\",ＣＯＭＢＯ１,Ｃｏｍｂｏ１\n0,50,x,保温筒１種\n",
     "低温側温度（℃）,高温側温度（℃）,ＣＯＭＢＯ１,ポリエチレンフォームの種類,平均熱伝導率（Ｗ／ｍｋ）,"
     "エラー,注意\n"
     "0,50,x,保温筒１種,0.04375,,\n",
     0,
     "milfo-calc: passed through: ＣＯＭＢＯ１\n"
     "milfo-calc: read as UTF-8\n"},
    {"a header named twice once folded",
     {"fennick"},
     "低温側温度(℃),低温側温度（℃）\n0,0\n",
     "",
     2,
     "\"低温側温度(℃)\" and \"低温側温度（℃）\" both name Text1"},
    {"headers under NFKC: °C is ℃, full-width letters and brackets alike",
     {"fennick"},
     "低温側温度(°C),高温側温度 （°Ｃ）,ポリエチレンフォームの種類\n0,50,保温筒１種\n",
     "低温側温度（℃）,高温側温度（℃）,ポリエチレンフォームの種類,平均熱伝導率（Ｗ／ｍｋ）,エラー,注意\n"
     "0,50,保温筒１種,0.04375,,\n",
     0,
     "milfo-calc: read as UTF-8\n"},
    // A caption without its unit names its input when no other caption has
    // that stem and no other column names the input.
    {"captions without their unit, from a line list in UTF-8 with a BOM and CRLF",
     {"fennick"},
     "\xEF\xBB\xBF番号,ポリエチレンフォームの種類,低温側温度,高温側温度\r\n1,保温筒１種,0,50\r\n2,保温筒２種,"
     "-40,0\r\n",
     "番号,ポリエチレンフォームの種類,低温側温度（℃）,高温側温度（℃）,平均熱伝導率（Ｗ／ｍｋ）,エラー,注意\n"
     "1,保温筒１種,0,50,0.04375,,\n"
     "2,保温筒２種,-40,0,0.0361,,\n",
     0,
     "milfo-calc: 低温側温度 is read as 低温側温度（℃）\n"
     "milfo-calc: 高温側温度 is read as 高温側温度（℃）\n"
     "milfo-calc: passed through: 番号\n"
     "milfo-calc: read as UTF-8 with a byte order mark\n"},
    {"a stem whose input another column names is passed through",
     {"fennick"},
     "低温側温度,低温側温度（℃）,高温側温度,Combo1\nx,0,50,保温筒１種\n",
     "低温側温度,低温側温度（℃）,高温側温度（℃）,ポリエチレンフォームの種類,平均熱伝導率（Ｗ／ｍｋ）,エラー,"
     "注意\n"
     "x,0,50,保温筒１種,0.04375,,\n",
     0,
     "milfo-calc: 高温側温度 is read as 高温側温度（℃）\n"
     "milfo-calc: passed through: 低温側温度\n"
     "milfo-calc: read as UTF-8\n"},
    // A caption's stem followed by its unit in any usual notation names the
    // input; another unit is an error naming the unit the window takes; a
    // part that is no unit is passed through and named where the input is
    // missing.
    {"headers with the unit as a person writes it",
     {"熱伝達率"},
     "番号,環境温度（℃）,表面温度℃,風速 "
     "m/s,放射率,配管の直径（ｍ）,断熱材の厚さ（ｍ）\nE-1,20,100,1,アルミニウム板,0.1143,0.05\n",
     "番号,環境温度（℃）,表面温度（℃）,風速 "
     "（ｍ／ｓ）,放射率,配管の直径（ｍ）,断熱材の厚さ（ｍ）,放射による熱伝達率（Ｗ／ｍ2/"
     "Ｋ）,対流による熱伝達率（Ｗ／ｍ2/Ｋ） 上向き平面,対流による熱伝達率（Ｗ／ｍ2/Ｋ） "
     "下向き平面,対流による熱伝達率（Ｗ／ｍ2/Ｋ） 垂直平面及び管 "
     "Δθ＞＝１０Ｋ,対流による熱伝達率（Ｗ／ｍ2/Ｋ） 垂直平面及び管 "
     "Δθ＜１０Ｋ,対流による熱伝達率（Ｗ／ｍ2/Ｋ） 水平管,エラー,注意\n"
     "E-1,20,100,1,アルミニウム板,0.1143,0.05,1.87154904059254,0,0,15.0684224098624,0,10.2948314237067,,\n",
     0,
     "milfo-calc: 表面温度℃ is read as 表面温度（℃）\n"
     "milfo-calc: 風速 m/s is read as 風速 （ｍ／ｓ）\n"
     "milfo-calc: passed through: 番号\n"
     "milfo-calc: read as UTF-8\n"},
    {"a unit in other brackets, for 保温設計; each row needs its own criterion's inputs",
     {"--header", "names", "保温設計"},
     "ライン番号,保温材,種類,内部温度（℃）,周囲温度 [°C],相対湿度（％）,表面仕上げ,形状,呼び径,設計条件\n"
     "L-102,ロックウール,保温筒,180,20,,アルミニウム板,水平管,50A,表面温度上限\n"
     "L-205,ポリエチレンフォーム,保温筒１種,5,30,80,アルミニウム板,垂直管,32A,防露\n"
     "L-206,ポリエチレンフォーム,保温筒１種,5,30,,アルミニウム板,垂直管,32A,防露\n"
     "L-207,ロックウール,保温筒,180,20,,,上向き平面,,表面温度上限\n",
     "ライン番号,Combo1,Combo2,Text1,Text2,Text3,Combo3,Combo4,Combo5,Combo6,Text11,Text12,Text13,Text14,"
     "Text15,Text16,Text17,Text18,Text19,Text20,Text29,Text30,Text37,Text39,Text40,error,note\n"
     "L-102,ロックウール,保温筒,180,20,,アルミニウム板,水平管,50A,表面温度上限,,60,0.05207253,6."
     "90612372239143,0.0180649999999937,20,57.0974410026833,78.8552610755033,0.05182491,6.73241925621639,,,,,"
     ",,"
     "\n"
     "L-205,ポリエチレンフォーム,保温筒１種,5,30,80,アルミニウム板,垂直管,32A,防露,26.1697671155864,26."
     "1697671155864,0.04214943,5.33399382061781,0.0292599999999955,30,26.2647872029653,-6.41818714881205,0."
     "04215751,5.32570465480494,,,,,,,\n"
     "L-206,ポリエチレンフォーム,保温筒１種,5,30,,アルミニウム板,垂直管,32A,防露,,,,,,,,,,,,,,,,"
     "相対湿度（％）:"
     " 空欄です,\n"
     "L-207,ロックウール,保温筒,180,20,,,上向き平面,,表面温度上限,,,,,,,,,,,,,,,,表面仕上げ: 放射率 "
     "の値が決まりません,\n",
     0,
     "milfo-calc: 周囲温度 [°C] is read as 周囲温度（℃）\n"
     "milfo-calc: passed through: ライン番号\n"
     "milfo-calc: used as the window starts: 風速（ｍ／ｓ）=0, 標準厚さ（ｍｍ）=20,25,30,40,50,65,75,100, "
     "表面温度上限（℃）=60, 防露余裕（Ｋ）=0\n"
     "milfo-calc: read as UTF-8\n"},
    {"a criterion's input without a column is the error of the rows that choose it",
     {"--header", "names", "保温設計"},
     "保温材,種類,内部温度,周囲温度,表面仕上げ,形状,外径（ｍ）,設計条件\n"
     "ロックウール,保温筒,180,20,アルミニウム板,水平管,0.0605,防露\n",
     "Combo1,Combo2,Text1,Text2,Combo3,Combo4,Text6,Combo6,Text11,Text12,Text13,Text14,Text15,Text16,Text17,"
     "Text18,Text19,Text20,Text29,Text30,Text37,Text39,Text40,error,note\n"
     "ロックウール,保温筒,180,20,アルミニウム板,水平管,0.0605,防露,,,,,,,,,,,,,,,,Text3 相対湿度（％）: "
     "列がありません,\n",
     0,
     "milfo-calc: 内部温度 is read as 内部温度（℃）\n"
     "milfo-calc: 周囲温度 is read as 周囲温度（℃）\n"
     "milfo-calc: used as the window starts: 風速（ｍ／ｓ）=0, 標準厚さ（ｍｍ）=20,25,30,40,50,65,75,100, "
     "表面温度上限（℃）=60, 防露余裕（Ｋ）=0\n"
     "milfo-calc: read as UTF-8\n"},
    {"a stem with another unit",
     {"熱伝達率"},
     "環境温度（℃）,表面温度（℃）,風速(km/h),放射率\n20,100,1,アルミニウム板\n",
     "",
     2,
     "milfo-calc: (standard input): line 1, column 3: \"風速(km/h)\" gives 風速 （ｍ／ｓ） in another unit: "
     "write "
     "it in m/s\n"},
    {"kelvin for a temperature the window takes in ℃",
     {"保温設計"},
     "保温材,種類,内部温度(K),周囲温度,表面仕上げ,形状,外径（ｍ）,設計条件\n"
     "ロックウール,保温筒,453,20,アルミニウム板,水平管,0.0605,表面温度上限\n",
     "",
     2,
     "column 3: \"内部温度(K)\" gives 内部温度（℃） in another unit: write it in °C"},
    {"a part in brackets that is no unit: passed through, and named as the likely column",
     {"保温設計"},
     "ライン番号,保温材,種類,内部温度（℃）,周囲温度(夏季),表面仕上げ,形状,呼び径,設計条件\n"
     "L-102,ロックウール,保温筒,180,20,アルミニウム板,水平管,50A,表面温度上限\n",
     "",
     2,
     "no column gives Text2 周囲温度（℃）, which the calculation needs (passed through: ライン番号, "
     "周囲温度(夏季)) (\"周囲温度(夏季)\" may be 周囲温度（℃）)"},
    // A button none of whose own inputs has a column is not pressed.
    {"a list of pipes only: the plane's button is not pressed",
     {"放散熱量"},
     "番号,Text1,Text2,Text4,Text5,Text7,Text8\n1,0.05,300,20,10,0.1143,0.2\n",
     "番号,断熱材平均熱伝導率(W/mK),断熱材内側温度(℃),周囲温度(℃),表面熱伝達率(W/"
     "m2K),断熱材の内径(m),断熱材の外径(m),２．配管 放散熱量(W/m2),エラー,注意\n"
     "1,0.05,300,20,10,0.1143,0.2,144.324616072148,,\n",
     0,
     "milfo-calc: passed through: 番号\n"
     "milfo-calc: not pressed: 平面の計算 (no column gives １．平面 断熱材厚さ(m))\n"
     "milfo-calc: read as UTF-8\n"},
    {"--press presses the button all the same",
     {"--press", "平面の計算", "放散熱量"},
     "Text1,Text2,Text4,Text5,Text7,Text8\n0.05,300,20,10,0.1143,0.2\n",
     "",
     2,
     "no column gives Text6 １．平面 断熱材厚さ(m), which the calculation needs"},
    // The inputs whose start text may stand: without a column, or with an
    // empty cell, they keep it, and are named once.
    {"an empty cell of a default keeps its start text",
     {"--header", "names", "熱伝達率"},
     "Text1,Text2,Text3,Combo1\n20,50,,アルミニウム板\n20,50,1,アルミニウム板\n20,50,,アルミニウム板\n",
     "Text1,Text2,Text3,Combo1,Text6,Text7,Text8,Text9,Text10,Text11,error,note\n"
     "20,50,,アルミニウム板,1.46345743101304,7.62953226098553,5.33599188805123,5.99128913746103,0,0,,\n"
     "20,50,1,アルミニウム板,1.46345743101304,15.0159646727818,10.5019630226818,11.7916777798532,0,0,,\n"
     "20,50,,アルミニウム板,1.46345743101304,7.62953226098553,5.33599188805123,5.99128913746103,0,0,,\n",
     0,
     "milfo-calc: used as the window starts: 配管の直径（ｍ）=0, 断熱材の厚さ（ｍ）=0\n"
     "milfo-calc: line 2, Text3: empty, so 0 as the window starts (and 1 more cell of the column)\n"
     "milfo-calc: read as UTF-8\n"},
    // Read leniently, a list cell picks the entry it names as strict reading
    // does; one that names none is typed, and noted in its row.
    {"read leniently, list cells pick the entries they name",
     {"--lenient", "--header", "names", "保温設計"},
     "Combo1,Combo2,Text1,Text2,Combo3,Combo4,Combo5,Combo6\n"
     "ロックウール,保温筒,180,20,ｱﾙﾐﾆｳﾑ板,水平管,50Ａ,表面温度上限\n",
     "Combo1,Combo2,Text1,Text2,Combo3,Combo4,Combo5,Combo6,Text11,Text12,Text13,Text14,Text15,Text16,Text17,"
     "Text18,Text19,Text20,Text29,Text30,Text37,Text39,Text40,error,note\n"
     "ロックウール,保温筒,180,20,ｱﾙﾐﾆｳﾑ板,水平管,50Ａ,表面温度上限,,60,0.05207253,6.90612372239143,0."
     "0180649999999937,20,57.0974410026833,78.8552610755033,0.05182491,6.73241925621639,,,,,,,\n",
     0,
     "milfo-calc: used as the window starts: 風速（ｍ／ｓ）=0, 標準厚さ（ｍｍ）=20,25,30,40,50,65,75,100, "
     "表面温度上限（℃）=60, 防露余裕（Ｋ）=0\n"
     "milfo-calc: read as UTF-8\n"},
    // A result of 0 for a temperature outside the grade's range is noted.
    {"the note column: a temperature outside the grade's range",
     {"fennick"},
     "Combo1,Text1,Text2\n保温筒１種,-10,100\n保温筒１種,-10,50\n保温筒１種,50,20\n",
     "ポリエチレンフォームの種類,低温側温度（℃）,高温側温度（℃）,平均熱伝導率（Ｗ／ｍｋ）,エラー,注意\n"
     "保温筒１種,-10,100,0,,Text3 平均熱伝導率（Ｗ／ｍｋ）: 温度が保温材の使用範囲外です（使用範囲 -50～70 "
     "℃）\n"
     "保温筒１種,-10,50,0.0429,,\n"
     "保温筒１種,50,20,0,,Text3 平均熱伝導率（Ｗ／ｍｋ）: 低温側温度が高温側温度より低くありません\n",
     0,
     "milfo-calc: read as UTF-8\n"},
    // Strict: an input the calculation needs (a box that starts empty, a list
    // it reads) without a column or --set refuses the run.
    {"needed inputs without a column: named, with the columns passed through",
     {"fennick"},
     "番号,ポリエチレンフォームの種類,低温,高温\n1,保温筒１種,0,50\n",
     "",
     2,
     "milfo-calc: (standard input): line 1: no column gives Text1 低温側温度（℃）, Text2 高温側温度（℃）, "
     "which "
     "the calculation needs (passed through: 番号, 低温, 高温); add the columns, give them with --set, or "
     "read "
     "the rows as the window does with --lenient\n"},
    {"a grade the calculation reads, without a column",
     {"fennick", "@IN@"},
     "Text1,Text2\n0,50\n",
     "",
     2,
     ": line 1: no column gives Combo1 ポリエチレンフォームの種類, which the calculation needs; add the "
     "column, "
     "give it with --set, or read the rows as the window does with --lenient"},
    {"read leniently, an input without a column stays as the window starts (no grade: 0)",
     {"--lenient", "fennick"},
     "Text1,Text2\n0,50\n",
     "低温側温度（℃）,高温側温度（℃）,平均熱伝導率（Ｗ／ｍｋ）,エラー,注意\n"
     "0,50,0,,\n",
     0,
     "milfo-calc: no column, left as the window starts: ポリエチレンフォームの種類 empty\n"
     "milfo-calc: read as UTF-8\n"},
    {"--vary without a needed input",
     {"--vary", "Text1=0,10", "fennick"},
     "",
     "",
     2,
     "milfo-calc: no column gives Text2 高温側温度（℃）, Combo1 ポリエチレンフォームの種類, which the "
     "calculation "
     "needs; add the columns, give them with --set, or read the rows as the window does with --lenient\n"},
    // 保温設計 does without its grade, finish and size lists; the size fills
    // the outer diameter; its shape and criterion it needs.
    {"保温設計 without its criterion",
     {"--header", "names", "保温設計"},
     "ライン番号,保温材,種類,内部温度（℃）,周囲温度（℃）,表面仕上げ,形状,呼び径\n"
     "L-102,ロックウール,保温筒,180,20,アルミニウム板,水平管,50A\n",
     "",
     2,
     "milfo-calc: (standard input): line 1: no column gives Combo6 設計条件, which the calculation needs "
     "(passed "
     "through: ライン番号); add the column, give it with --set, or read the rows as the window does with "
     "--lenient\n"},
    {"保温設計 by control names, a size and no diameter",
     {"--header", "names", "保温設計"},
     "ライン番号,Combo1,Combo2,Text1,Text2,Combo3,Combo4,Combo5,Combo6\n"
     "L-102,ロックウール,保温筒,180,20,アルミニウム板,水平管,50A,表面温度上限\n",
     "ライン番号,Combo1,Combo2,Text1,Text2,Combo3,Combo4,Combo5,Combo6,Text11,Text12,Text13,Text14,Text15,"
     "Text16,Text17,Text18,Text19,Text20,Text29,Text30,Text37,Text39,Text40,error,note\n"
     "L-102,ロックウール,保温筒,180,20,アルミニウム板,水平管,50A,表面温度上限,,60,0.05207253,6."
     "90612372239143,0.0180649999999937,20,57.0974410026833,78.8552610755033,0.05182491,6.73241925621639,,,,,"
     ",,"
     "\n",
     0,
     "milfo-calc: passed through: ライン番号\n"
     "milfo-calc: used as the window starts: 風速（ｍ／ｓ）=0, 標準厚さ（ｍｍ）=20,25,30,40,50,65,75,100, "
     "表面温度上限（℃）=60, 防露余裕（Ｋ）=0\n"
     "milfo-calc: read as UTF-8\n"},
    // One list of 複層保温 mixes one-, two- and three-layer rows and a law of
    // one's own: a layer whose 保温材 cell is empty is no layer.
    {"複層保温: one list of one, two and three layers",
     {"--header", "names", "複層保温"},
     "形状,呼び径,内部温度（℃）,周囲温度（℃）,表面仕上げ,第１層の保温材,第１層の種類,第１層の厚さ（ｍｍ）,"
     "第２層の保温材,第２層の種類,第２層の厚さ（ｍｍ）,第３層の保温材,第３層の種類,第３層の厚さ（ｍｍ）,"
     "係数ａ（Ｗ／ｍＫ）,係数ｂ（Ｗ／ｍＫ２）,係数ｃ（Ｗ／ｍＫ３）,下限温度（℃）,上限温度（℃）\n"
     "垂直平面,,300,20,アルミニウム板,ロックウール,保温板１号,100,,,,,,,,,,,\n"
     "水平管,100A,550,20,アルミニウム板,けい酸カルシウム保温材,１号－１３,50,ロックウール,保温筒,75,,,,,,,,\n"
     "垂直管,50A,180,10,アルミニウム板,ロックウール,保温筒,25,フェノールフォーム,保温筒１号,25,"
     "ポリエチレンフォーム,保温筒１種,25,,,,,\n"
     "水平管,100A,150,20,アルミニウム板,係数で指定,,10,グラスウール,保温筒,40,,,,0.018,0.00005,0,-200,650\n",
     "Combo1,Combo2,Text2,Text3,Combo3,Combo4,Combo5,Text6,Combo6,Combo7,Text7,Combo8,Combo9,Text8,Text9,"
     "Text10,Text11,Text12,Text13,Text14,Text15,Text16,Text17,Text18,Text19,Text20,Text21,error,note\n"
     "垂直平面,,300,20,アルミニウム板,ロックウール,保温板１号,100,,,,,,,,,,,,43.5944032911892,166."
     "557178256974,7.05918162885563,,,0.06495848,,,,\n"
     "水平管,100A,550,20,アルミニウム板,けい酸カルシウム保温材,１号－１３,50,ロックウール,保温筒,75,,,,,,,,,"
     "56.7767004919166,222.488327433348,5.28597888956234,333.935089951657,,0.1030109,0.06779025,,,\n"
     "垂直管,50A,180,10,アルミニウム板,ロックウール,保温筒,25,フェノールフォーム,保温筒１号,25,"
     "ポリエチレンフォーム,保温筒１種,25,,,,,,20.3517686723625,39.624555088971,5.78825782645073,112."
     "751450908064,57.4406458256153,0.05648934,0.04256057,0.04611235,,\n"
     "水平管,100A,150,20,アルミニウム板,係数で指定,,10,グラスウール,保温筒,40,,,,0.018,0.00005,0,-200,650,33."
     "1814632301512,41.5047649026106,4.67694531493547,106.361911416212,,0.0244090476443144,0.04218126,,,\n",
     0,
     "milfo-calc: used as the window starts: 風速（ｍ／ｓ）=0\n"
     "milfo-calc: read as UTF-8\n"},
    {"--set and --vary names read as headers are",
     {"--header", "names", "--set", "ポリエチレンフォームの種類=保温筒2種", "--vary", "低温側温度 (℃)=-40",
      "--vary", "Ｔｅｘｔ２=0", "fennick"},
     "",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒2種,-40,0,0.0361,,\n"},

    {"empty input", {"fennick"}, "", "", 2, "the input is empty"},
    {"a file named on the command line",
     {"--header", "names", "fennick", "@IN@"},
     "Combo1,Text1,Text2\n保温筒１種,0,50\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,0,50,0.04375,,\n",
     0,
     "milfo-calc: read as UTF-8\n"},
    {"a file that is not there",
     {"fennick", "/nonexistent/lines.csv"},
     "",
     "",
     2,
     "cannot open /nonexistent/lines.csv: No such file or directory"},
    {"--set beside a file",
     {"--header", "names", "--set", "Combo1=保温筒２種", "fennick", "-"},
     "Text1,Text2\n-40,0\n",
     "Text1,Text2,Combo1,Text3,error,note\n"
     "-40,0,保温筒２種,0.0361,,\n",
     0,
     "milfo-calc: read as UTF-8\n"},
    {"--set doubling a column", {"--set", "Text1=0", "fennick", "-"}, "Text1\n0\n", "", 2, "both name Text1"},
    // Malformed CSV: the run stops with the line; the rows before it are out.
    {"wrong number of cells",
     {"--header", "names", "fennick"},
     "Combo1,Text1,Text2\n保温筒１種,0,50\n保温筒１種,0,50,9\n保温筒１種,0,50\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,0,50,0.04375,,\n",
     2,
     "(standard input): line 3: 4 cells, the header has 3"},
    {"a quote never closed",
     {"--header", "names", "fennick"},
     "Combo1,Text1,Text2\n保温筒１種,0,50\n保温筒１種,\"0,50\n保温筒１種,0,50\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,0,50,0.04375,,\n",
     2,
     "line 3: the quote that opens cell 2 is never closed"},
    {"text after a closing quote, after a cell over two lines",
     {"--lenient", "--header", "names", "fennick"},
     "Combo1,Text1,Text2\r\n\"保温筒\"\"１種\n\",\"10\",70\r\n保温筒１種,\"0\"x,50\r\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "\"保温筒\"\"１種\n"
     "\",10,70,0,,\"Combo1 ポリエチレンフォームの種類: 「保温筒\"\"１種\n"
     "」は一覧にないため、そのまま入力しました\"\n",
     2,
     "line 4: text after the closing quote of cell 2"},
    // Blank lines and rows of empty cells, before the header too, are
    // skipped and counted at the end; a row of some empty cells is a row.
    {"blank lines and rows of empty cells are skipped and counted",
     {"--header", "names", "fennick"},
     "\n,,\nCombo1,Text1,Text2\n保温筒１種,0,50\n\n,,\n\"\",\"\",\"\"\n,,,,,,\n保温筒１種,,\n\r\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,0,50,0.04375,,\n"
     "保温筒１種,,,,Text1: 空欄です / Text2: 空欄です,\n",
     0,
     "milfo-calc: read as UTF-8\n"
     "milfo-calc: skipped 7 empty rows (lines 1, 2, 5, 6, 7, 8, 10)\n"},
    {"only blank lines", {"fennick"}, "\n\n,,\n", "", 2, "the input is empty"},
    {"more than ten empty rows: the first ten lines named",
     {"--header", "names", "fennick"},
     "Combo1,Text1,Text2\n\n\n\n\n\n\n\n\n\n\n\n\n",
     "Combo1,Text1,Text2,Text3,error,note\n",
     0,
     "milfo-calc: read as UTF-8\n"
     "milfo-calc: skipped 12 empty rows (lines 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, ...)\n"},
    // A lone CR ends a line (old Mac files), in the line numbers too.
    {"lone CR line ends",
     {"--header", "names", "fennick"},
     "Combo1,Text1,Text2\r保温筒１種,0,50\r\"保温筒\r１種\",0,50\r\r\n保温筒１種,0,50,9\r",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,0,50,0.04375,,\n"
     "\"保温筒\r１種\",0,50,0.04375,,\n",
     2,
     "(standard input): line 6: 4 cells, the header has 3"},
    {"a lone CR after a closing quote",
     {"--header", "names", "fennick"},
     "\"Combo1\",\"Text1\",\"Text2\"\r\"保温筒１種\",\"0\",\"50\"\r\"保温筒１種\",\"0\"x,50\r",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,0,50,0.04375,,\n",
     2,
     "line 3: text after the closing quote of cell 2"},
    {"quoted cells with commas and quotes are written quoted",
     {"--header", "names", "--lenient", "fennick"},
     "Combo1,Text1,Text2\n\"保温筒１種\",\"1,5\",\"2\"\"0\"\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,\"1,5\",\"2\"\"0\",0.039755,,\"Text1 低温側温度（℃）: 「1,5」を 1 として計算しました；Text2 "
     "高温側温度（℃）: 「2\"\"0」を 2 として計算しました\"\n",
     0,
     "milfo-calc: line 2, Text1: 「1,5」を 1 として計算しました\n"
     "milfo-calc: line 2, Text2: 「2\"0」を 2 として計算しました\n"
     "milfo-calc: read as UTF-8\n"},
    // Encodings.
    {"CP932 input: full-width minus, wave dash",
     {"--encoding", "cp932", "--header", "names", "fennick"},
     "Combo1,Text1,Text2\r\n" + kGradeCp932 +
         ",\x81\x7c\x82\x53\x82\x4f,\x82\x4f\r\n\x95\xdb\x89\xb7\x93\x9b\x81\x60,0,50\r\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,－４０,０,0.0361,,\n"
     "保温筒～,0,50,,Combo1: 「保温筒～」は一覧にありません（「保温筒１種」「保温筒２種」）,\n",
     0,
     "milfo-calc: read as CP932 (Shift_JIS)\n"},
    {"CP932 with lone CR line ends: a byte that is no character on its line",
     {"--encoding", "cp932", "--header", "names", "fennick"},
     "Combo1,Text1,Text2\r" + kGradeCp932 + ",0,50\r\r" + kGradeCp932 + ",\x85\x40,50\r",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,0,50,0.04375,,\n",
     2,
     "line 4: byte 0x85 is no character of CP932"},
    {"CP932 input with a byte that is no character",
     {"--encoding", "cp932", "--header", "names", "fennick"},
     "Combo1,Text1,Text2\r\n" + kGradeCp932 + ",0,50\r\n" + kGradeCp932 + ",\x85\x40,50\r\n",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,0,50,0.04375,,\n",
     2,
     "line 3: byte 0x85 is no character of CP932"},
    {"CP932: NEC and IBM extensions, the yen sign's byte and a user-defined character",
     {"--encoding", "cp932", "--header", "names", "fennick"},
     "No.,Combo1,Text1,Text2\r\n\x87\x40\xFA\x40\x81\x5F\x5C\xF0\x40\xB6\xDE," + kGradeCp932 + ",0,50\r\n",
     "No.,Combo1,Text1,Text2,Text3,error,note\n"
     "①ⅰ＼\\\uE000ｶﾞ,保温筒１種,0,50,0.04375,,\n",
     0,
     "milfo-calc: passed through: No.\n"
     "milfo-calc: read as CP932 (Shift_JIS)\n"},
    {"CP932: a single byte 0xA0 is no character",
     {"--encoding", "cp932", "--header", "names", "fennick"},
     "Combo1,Text1,Text2\r\n" + kGradeCp932 + ",0,50\xA0\r\n",
     "Combo1,Text1,Text2,Text3,error,note\n",
     2,
     "milfo-calc: read as CP932 (Shift_JIS)\n"
     "milfo-calc: (standard input): line 2: byte 0xA0 is no character of CP932\n"},
    {"CP932: a character cut short at the end",
     {"--encoding", "cp932", "--header", "names", "fennick"},
     "Combo1,Text1,Text2\r\n" + kGradeCp932 + ",0,50\r\n\x95",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,0,50,0.04375,,\n",
     2,
     "milfo-calc: read as CP932 (Shift_JIS)\n"
     "milfo-calc: (standard input): line 3: a character cut short at the end, byte 0x95 is no character of "
     "CP932\n"},
    {"CP932 given for a UTF-8 file with a BOM",
     {"--encoding", "cp932", "fennick"},
     "\xEF\xBB\xBFText1\n0\n",
     "",
     2,
     "it is UTF-8, not CP932"},
    // Without --encoding: the byte order marks, then the first byte that is
    // not ASCII decides; a workbook is refused in any encoding; a row holds
    // at most 4096 cells and 1 MiB of the file.
    {"Shift_JIS without --encoding",
     {"--header", "names", "fennick"},
     "Combo1,Text1,Text2\r\n" + kGradeCp932 + ",0,50\r\n",
     std::string(kHeader) + "保温筒１種,0,50,0.04375,,\n",
     0,
     "milfo-calc: read as CP932 (Shift_JIS)\n"},
    {"UTF-8 with a stray byte: read as UTF-8, the line refused",
     {"--header", "names", "fennick"},
     "Combo1,Text1,Text2\n保温筒１種,0,50\n保温筒２種,0,50\n\x95,0,50\n保温筒１種,0,50\n",
     std::string(kHeader) + "保温筒１種,0,50,0.04375,,\n保温筒２種,0,50,0.04375,,\n",
     2,
     "milfo-calc: read as UTF-8\nmilfo-calc: (standard input): line 4: cell 1 is not UTF-8 text"},
    {"ASCII up to the line whose byte decides: CP932",
     {"--header", "names", "fennick"},
     "Text1,Text2,Combo1\n0,50,x\n0,50,\x95\xdb\x89\xb7\x93\x9b\x82\x50\x8e\xed\n",
     "Text1,Text2,Combo1,Text3,error,note\n"
     "0,50,x,,Combo1: 「x」は一覧にありません（「保温筒１種」「保温筒２種」）,\n"
     "0,50,保温筒１種,0.04375,,\n",
     0,
     "milfo-calc: read as CP932 (Shift_JIS)\n"},
    {"Excel's Unicode text: UTF-16LE with tabs; the output is CSV",
     {"--header", "names", "fennick"},
     "\xFF\xFE" + utf16(u"Combo1\tText1\tText2\r\n保温筒１種\t0\t\"5,0\"\r\n保温筒２種\t0\t50\r\n", false),
     std::string(kHeader) +
         "保温筒１種,0,\"5,0\",,\"Text2: 「5,0」は数値ではありません\",\n保温筒２種,0,50,0.04375,,\n",
     0,
     "milfo-calc: read as UTF-16LE\nmilfo-calc: cells separated by tabs\n"},
    {"UTF-16BE told, commas kept where the header has them",
     {"--encoding", "utf-16be", "--header", "names", "fennick"},
     utf16(u"Text1,Text2,Combo1\n0,50,保温筒１種\n0,\t50,保温筒１種\n", true),
     "Text1,Text2,Combo1,Text3,error,note\n0,50,保温筒１種,0.04375,,\n0,\t50,保温筒１種,0.04375,,\n",
     0,
     "milfo-calc: read as UTF-16BE\n"},
    {"a workbook (.xlsx)",
     {"fennick"},
     std::string("PK\x03\x04\x14\0\0\0", 8),
     "",
     2,
     "milfo-calc: an Excel workbook cannot be read: save it from Excel as \"CSV UTF-8 (Comma delimited)\" "
     "and give "
     "that file\n"},
    {"a workbook (.xls), whatever the encoding given",
     {"--encoding", "cp932", "fennick"},
     "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1",
     "",
     2,
     "an Excel workbook cannot be read"},
    {"more than 4096 cells",
     {"fennick"},
     "Text1" + std::string(4096, ',') + "\n",
     "",
     2,
     "milfo-calc: (standard input): line 1: more than 4096 cells: a row holds at most 4096\n"},
    {"a row of more than 1 MiB",
     {"--header", "names", "fennick"},
     "Text1,Text2,Combo1\n0,50,保温筒１種\n0,50,\"" + std::string(1 << 20, 'x') + "\"\n",
     "Text1,Text2,Combo1,Text3,error,note\n0,50,保温筒１種,0.04375,,\n",
     2,
     "line 3: a row of more than 1 MiB (1048576 bytes) of the file"},
    {"a row counted in the file's bytes: 1.2 MiB of text from 0.8 MiB of CP932",
     {"--header", "names", "fennick"},
     "Text1,Text2,Combo1,Note\n0,50," + kGradeCp932 + "," +
         [] {
             std::string s;
             for (int i = 0; i < 400000; ++i)
                 s += "\x95\xdb";
             return s;
         }() +
         "\n",
     "Text1,Text2,Combo1,Note,Text3,error,note\n0,50,保温筒１種,保保保",
     0,
     "milfo-calc: passed through: Note\nmilfo-calc: read as CP932 (Shift_JIS)\n"},
    {"CP932 read as UTF-8 when told",
     {"--encoding", "utf-8", "fennick"},
     "Combo1,Text1,Text2\r\n" + kGradeCp932 + ",0,50\r\n",
     "ポリエチレンフォームの種類,低温側温度（℃）,高温側温度（℃）,平均熱伝導率（Ｗ／ｍｋ）,エラー,注意\n",
     2,
     "line 2: cell 1 is not UTF-8 text (for CSV from Excel on a Japanese system, give --encoding cp932)"},
    {"a UTF-8 BOM is skipped; --bom writes one",
     {"--bom", "--header", "names", "fennick"},
     "\xEF\xBB\xBF"
     "Combo1,Text1,Text2\n保温筒１種,0,50\n",
     "\uFEFFCombo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,0,50,0.04375,,\n",
     0,
     "milfo-calc: read as UTF-8 with a byte order mark\n"},
    // Tables from the command line.
    {"--vary lists: every combination, the first slowest",
     {"--header", "names", "--set", "Combo1=保温筒１種", "--vary", "Text1=0,10", "--vary", "Text2=50,70",
      "fennick"},
     "",
     "Combo1,Text1,Text2,Text3,error,note\n"
     "保温筒１種,0,50,0.04375,,\n"
     "保温筒１種,0,70,0.04545,,\n"
     "保温筒１種,10,50,0.0446,,\n"
     "保温筒１種,10,70,0.0463,,\n"},
    {"--vary with a file", {"--vary", "Text1=0", "fennick", "-"}, "", "", 2, "give no FILE"},
    {"--vary range with step 0", {"--vary", "Text1=0:1:0", "fennick"}, "", "", 2, "must not be 0"},
    {"--vary range stepping away", {"--vary", "Text1=1:0:0.5", "fennick"}, "", "", 2, "leads away from TO"},
    {"--vary range of two parts", {"--vary", "Text1=1:2", "fennick"}, "", "", 2, "a range is FROM:TO:STEP"},
    {"--vary range not decimal", {"--vary", "Text1=1e1:2:1", "fennick"}, "", "", 2, "plain decimal numbers"},
    {"--vary: too many rows to count",
     {"--vary", "Text1=0:99999999999999999:1", "--vary", "Text2=0:999:1", "fennick"},
     "",
     "",
     2,
     "milfo-calc: --vary: 100000000000000000 × 1000 rows are too many to count\n"},
    {"--vary two sgp",
     {"--vary", "Text1=sgp", "--vary", "Text2=sgp", "fennick"},
     "",
     "",
     2,
     "one input only"},
    // The command line itself.
    {"unknown program", {"fenick"}, "", "", 2, "no program \"fenick\"; the programs are pimbrel, "},
    {"no program", {}, "", "", 2, "which program?"},
    {"unknown option", {"--frobnicate", "fennick"}, "", "", 2, "unknown option --frobnicate"},
    // A text input that is no number (保温設計's standard thicknesses) is taken as it stands when
    // read strictly; the handler's own check refuses a series it cannot read.
    {"a text input read strictly",
     {"--header", "names", "保温設計"},
     "Combo1,Combo2,Text1,Text2,Text4,Combo3,Combo4,Text6,Combo6,Text10\n"
     "ロックウール,保温板１号,300,20,0,アルミニウム板,水平管,0.1143,表面温度上限,\"20,25,50\"\n"
     "ロックウール,保温板１号,300,20,0,アルミニウム板,水平管,0.1143,表面温度上限,\"20,x\"\n",
     "Combo1,Combo2,Text1,Text2,Text4,Combo3,Combo4,Text6,Combo6,Text10,Text11,Text12,Text13,Text14,Text15,"
     "Text16,Text17,Text18,Text19,Text20,Text29,Text30,Text37,Text39,Text40,error,note\n"
     "ロックウール,保温板１号,300,20,0,アルミニウム板,水平管,0.1143,表面温度上限,\"20,25,50\",,60,0.06656056,"
     "5.9375082183951,0.0499500000000425,50,59.9636435331515,159.70183526292,0.06655695,5.93571654742847,,,,,"
     ",,"
     "\n"
     "ロックウール,保温板１号,300,20,0,アルミニウム板,水平管,0.1143,表面温度上限,\"20,x\",,,,,,,,,,,,,,,,"
     "\"標準厚さは、０より大きい整数（ｍｍ）を小さい順に「,」で区切って入力してください。\",\n",
     0,
     "milfo-calc: used as the window starts: 表面温度上限（℃）=60, 防露余裕（Ｋ）=0\n"
     "milfo-calc: read as UTF-8\n"},
    {"--list of one program",
     {"--list", "ravelt"},
     "",
     "ravelt  ミルフォ－４  断熱材厚さ\n"
     "  inputs:\n"
     "    Text1   断熱材平均熱伝導率(W/mK)  (needed)\n"
     "    Text2   断熱材内側温度(℃)  (needed)\n"
     "    Text3   断熱材外側温度(℃)  (needed)\n"
     "    Text4   周囲温度(℃)  (needed)\n"
     "    Text5   表面熱伝達率(W/m2K)  (needed)\n"
     "    Text7   断熱材の内径(m)  (needed by 配管の計算)\n"
     "  buttons:\n"
     "    Command1  平面の計算\n"
     "      -> Text6   １．平面 断熱材厚さ(m)\n"
     "    Command2  配管の計算\n"
     "      -> Text8   ２．配管 断熱材厚さ(m)\n"},
    {"--list marks the inputs a calculation needs",
     {"--list", "fennick"},
     "",
     "fennick  ミルフォ－１．１．８  ポリエチレンフォームの平均熱伝導率\n"
     "  inputs:\n"
     "    Text1   低温側温度（℃）  (needed)\n"
     "    Text2   高温側温度（℃）  (needed)\n"
     "    Combo1  ポリエチレンフォームの種類  (list, needed)\n"
     "  list:\n"
     "    保温筒１種\n"
     "    保温筒２種\n"
     "  buttons:\n"
     "    Command1  計算\n"
     "      -> Text3   平均熱伝導率（Ｗ／ｍｋ）\n"},
    {"--list: boxes starting at 0 needed, the defaults named",
     {"--list", "熱伝達率"},
     "",
     "熱伝達率  ミルフォ－２．１  熱伝達率\n"
     "  inputs:\n"
     "    Text1   環境温度（℃）  (needed)\n"
     "    Text2   表面温度（℃）  (needed)\n"
     "    Text3   風速 （ｍ／ｓ）  (default 0)\n"
     "    Combo1  放射率  (list)\n"
     "    Text4   配管の直径（ｍ）  (default 0)\n"
     "    Text5   断熱材の厚さ（ｍ）  (default 0)\n"
     "    Text12  ε＝  (needed)\n"
     "  list:\n"
     "    (empty entry)\n"
     "    塗装溶融メッキ鋼板\n"
     "    アルミニウム板\n"
     "    ステンレス鋼板\n"
     "    仕上げセメント、布類\n"
     "    picking an entry writes Text12\n"
     "  buttons:\n"
     "    Command1  計算\n"
     "      -> Text6   放射による熱伝達率（Ｗ／ｍ2/Ｋ）\n"
     "      -> Text7   対流による熱伝達率（Ｗ／ｍ2/Ｋ） 上向き平面\n"
     "      -> Text8   対流による熱伝達率（Ｗ／ｍ2/Ｋ） 下向き平面\n"
     "      -> Text9   対流による熱伝達率（Ｗ／ｍ2/Ｋ） 垂直平面及び管 Δθ＞＝１０Ｋ\n"
     "      -> Text10  対流による熱伝達率（Ｗ／ｍ2/Ｋ） 垂直平面及び管 Δθ＜１０Ｋ\n"
     "      -> Text11  対流による熱伝達率（Ｗ／ｍ2/Ｋ） 水平管\n"},
    {"--list: what a criterion or a shape needs",
     {"--list", "保温設計"},
     "",
     "    Text3   相対湿度（％）  (needed when 設計条件 is 防露)\n"
     "    Text4   風速（ｍ／ｓ）  (default 0)\n    Combo3  表面仕上げ  (list)\n    Text5   放射率  (needed)\n"
     "    Combo4  形状  (list, needed)\n    Combo5  呼び径  (list)\n"
     "    Text6   外径（ｍ）  (needed when 形状 is 水平管 or 垂直管)"},
    // A line list to start from: the captions of the inputs a row may give,
    // and the README's example (a byte order mark, CRLF).
    {"--template",
     {"--template", "fennick"},
     "",
     "\uFEFF低温側温度（℃）,高温側温度（℃）,ポリエチレンフォームの種類\n0,50,保温筒１種\n"},
    {"--template of 熱伝達率: the defaults with their start text, ε left to the finish",
     {"--template", "熱伝達率"},
     "",
     "\uFEFF環境温度（℃）,表面温度（℃）,風速 （ｍ／ｓ）,放射率,配管の直径（ｍ）,断熱材の厚さ（ｍ）,ε＝\n"
     "20,50,0,仕上げセメント、布類,0.1,0.05,\n"},
    {"--template with a file", {"--template", "fennick", "-"}, "", "", 2, "give no FILE"},
    {"--list of an unknown program", {"--list", "x"}, "", "", 2, "no program \"x\""},
};

std::string withoutCr(std::string s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i)
        if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n'))
            out += s[i];
    return out;
}

std::vector<std::string> column(const std::string& out, const std::string& name)
{
    const auto rows = parseCsv(out);
    std::vector<std::string> values;
    if (rows.empty())
        return values;
    const size_t k = static_cast<size_t>(std::find(rows[0].begin(), rows[0].end(), name) - rows[0].begin());
    for (size_t i = 1; i < rows.size(); ++i)
        values.push_back(k < rows[i].size() ? rows[i][k] : "?");
    return values;
}

}  // namespace

TEST(CalcCommandLine, Cases)
{
    for (const CommandCase& c : kCommandCases) {
        SCOPED_TRACE(c.title);
        const CalcRun r = runCalc(c.args, c.input);
        if (std::getenv("DUMPCASES")) {
            std::ofstream d(std::getenv("DUMPCASES"), std::ios::app);
            d << c.title << '\x1f' << withoutCr(r.out) << '\x1f' << r.err << '\x1f' << r.status << '\x1e';
        }
        if (c.out.empty() || c.out.back() == '\n')
            EXPECT_EQ(withoutCr(r.out), c.out);
        else
            EXPECT_NE(withoutCr(r.out).find(c.out), std::string::npos) << r.out;
        EXPECT_EQ(r.status, c.status);
        if (c.err.empty() || c.err.back() == '\n')
            EXPECT_EQ(r.err, c.err);
        else
            EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

// The frame's probe program as rows, entered through the form model: the
// cells go in by tab order whatever the order of the columns, so a list
// filled by another list's pick is filled before its cell is read; a
// handler's exception other than a run-time error is its row's error, and
// the next row goes on.
TEST(CalcRows, EnteredInTabOrderAndEveryFailureIsTheRows)
{
    const calc::ProgramView view(test::probeProgram());
    const FormRules& rules = *view.rules();
    calc::RowRunner runner(view, {rules.find("Combo2"), rules.find("Combo1"), rules.find("Text1")},
                           {"Combo2", "Combo1", "Text1"}, {rules.find("Command1")}, true);
    const struct {
        std::vector<std::string> cells;  // Combo2, Combo1, Text1
        std::vector<std::string> shows;  // Text2, Text3
        std::string error;
    } rows[] = {
        {{"abd-2", "abd", "4"}, {"written abd-2", "0.25"}, ""},
        {{"abc-1", "abd", "4"}, {"written abc-1", "0.25"}, ""},  // no entry of the refilled list: typed
        {{"abd-1", "abd", "fault"}, {"written abd-1", ""}, "予期しないエラーが発生しました。（probe fault）"},
        {{"", "abc", "0"}, {"written", ""}, "0 で除算しました。"},
        {{"abc-2", "abc", "2"}, {"written abc-2", "0.5"}, ""},
    };
    for (const auto& row : rows) {
        calc::RowOutcome out;
        runner.run(row.cells, out);
        EXPECT_EQ(out.results, row.shows) << row.cells[0];
        EXPECT_EQ(out.error, row.error) << row.cells[0];
    }
}

// Every program's template: a byte order mark, CRLF line ends, and an
// example row that computes when the file is run as it stands.
TEST(CalcCommandLine, EveryTemplateComputes)
{
    for (const CatalogueEntry& e : catalogue()) {
        SCOPED_TRACE(e.name);
        const CalcRun t = runCalc({"--template", e.name}, "");
        ASSERT_EQ(t.status, 0) << t.err;
        EXPECT_EQ(t.out.rfind("\xEF\xBB\xBF", 0), 0u);
        EXPECT_EQ(t.out.size() - withoutCr(t.out).size(), 2u);  // two lines, each ended by CRLF
        EXPECT_EQ(t.out.substr(t.out.size() - 2), "\r\n");
        const CalcRun r = runCalc({"--header", "names", e.name, "@IN@"}, t.out);
        ASSERT_EQ(r.status, 0) << r.err;
        const auto rows = parseCsv(r.out);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[1][rows[1].size() - 2], "") << "error";
        const size_t inputs = parseCsv(t.out.substr(3))[0].size();
        EXPECT_TRUE(std::any_of(rows[1].begin() + static_cast<long>(inputs), rows[1].end() - 2,
                                [](const std::string& result) { return !result.empty(); }))
            << "no result";
    }
}

// Every program of the catalogue, with the caption of its window and the
// title its menu entries give it.
TEST(CalcCommandLine, ListNamesEveryProgram)
{
    const CalcRun r = runCalc({"--list"}, "");
    ASSERT_EQ(r.status, 0);
    for (const CatalogueEntry& e : catalogue()) {
        EXPECT_EQ(e.description().caption, std::string(e.caption)) << e.name;
        EXPECT_NE(r.out.find(std::string(e.name) + "  " + e.caption + "  " + e.title + "\n"),
                  std::string::npos)
            << e.name;
    }
}

// --vary lists: each value as its shortest decimal text, in order.
TEST(CalcCommandLine, VaryValues)
{
    const struct {
        const char* list;
        std::vector<std::string> values;
    } rows[] = {
        {"10,20,30", {"10", "20", "30"}},
        {"0:1:0.1", {"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}},
        {"0.1:0.35:0.1", {"0.1", "0.2", "0.3"}},
        {"1:0:-0.25", {"1", "0.75", "0.5", "0.25", "0"}},
        {"-0.5:0.5:0.5", {"-0.5", "0", "0.5"}},
        {"-0:0:1", {"0"}},
        {"100:100:7", {"100"}},
        {"0.000001:0.000003:.000001", {"0.000001", "0.000002", "0.000003"}},
        {"+5:15:5.0", {"5", "10", "15"}},
        {"5,0:10:5,abc,", {"5", "0", "5", "10", "abc", ""}},
        {"99999999999999998:99999999999999999:1", {"99999999999999998", "99999999999999999"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.list);
        const CalcRun r = runCalc(
            {"--lenient", "--header", "names", "--vary", std::string("Text1=") + row.list, "fennick"}, "");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(column(r.out, "Text1"), row.values);
    }
}

// sgp: the outer diameters of JIS G 3452 in millimetres, by nominal size.
TEST(CalcCommandLine, SgpSizes)
{
    const std::vector<std::pair<std::string, std::string>> standard = {
        {"6A", "10.5"},    {"8A", "13.8"},    {"10A", "17.3"},   {"15A", "21.7"},   {"20A", "27.2"},
        {"25A", "34.0"},   {"32A", "42.7"},   {"40A", "48.6"},   {"50A", "60.5"},   {"65A", "76.3"},
        {"80A", "89.1"},   {"90A", "101.6"},  {"100A", "114.3"}, {"125A", "139.8"}, {"150A", "165.2"},
        {"175A", "190.7"}, {"200A", "216.3"}, {"225A", "241.8"}, {"250A", "267.4"}, {"300A", "318.5"},
        {"350A", "355.6"}, {"400A", "406.4"}, {"450A", "457.2"}, {"500A", "508.0"},
    };
    const CalcRun r = runCalc(
        {"--header", "names", "--press", "Command2", "--set", "Text1=0.05", "--set", "Text2=300", "--set",
         "Text3=40", "--set", "Text4=20", "--set", "Text5=10", "--vary", "Text7=sgp", "ravelt"},
        "");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> nominal = column(r.out, "nominal"), diameter = column(r.out, "Text7");
    ASSERT_EQ(nominal.size(), standard.size());
    for (size_t i = 0; i < standard.size(); ++i) {
        EXPECT_EQ(nominal[i], standard[i].first);
        // millimetres to metres: the same digits, the point three places on
        EXPECT_EQ(ReadVal(diameter[i] + "e3"), ReadVal(standard[i].second)) << diameter[i];
        EXPECT_TRUE(ReadsWhole(diameter[i]));
    }
    // The window's example, 100A: the same thickness.
    EXPECT_EQ(column(r.out, "Text8")[12], "0.0485550000000411");
    EXPECT_EQ(column(r.out, "error"), std::vector<std::string>(standard.size(), ""));
}

// With captions, the nominal size heads its column as 呼び径; a button that
// does not read the diameter gives the same text on every row.
TEST(CalcCommandLine, SgpWithCaptions)
{
    const CalcRun r =
        runCalc({"--press", "平面の計算", "--set", "Text1=0.05", "--set", "Text2=300", "--set", "Text3=40",
                 "--set", "Text4=20", "--set", "Text5=10", "--vary", "断熱材の内径(m)=sgp", "ravelt"},
                "");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), 25u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"呼び径", "断熱材平均熱伝導率(W/mK)", "断熱材内側温度(℃)",
                                        "断熱材外側温度(℃)", "周囲温度(℃)", "表面熱伝達率(W/m2K)",
                                        "断熱材の内径(m)", "１．平面 断熱材厚さ(m)", "エラー", "注意"}));
    EXPECT_EQ(rows[1],
              (std::vector<std::string>{"6A", "0.05", "300", "40", "20", "10", "0.0105", "0.065", "", ""}));
    EXPECT_EQ(rows[24],
              (std::vector<std::string>{"500A", "0.05", "300", "40", "20", "10", "0.508", "0.065", "", ""}));
}

// Headers and list cells as a person reads them: NFKC, with White_Space
// dropped before the marks are composed. (Every code point alone and 200,000
// random texts of letters, kana, blanks and marks fold as Python's
// unicodedata.normalize("NFKC") does once the blanks of the decomposition
// are dropped.)
TEST(CalcFolding, Texts)
{
    const struct {
        const char* text;
        const char* folded;
    } rows[] = {
        {"低温側温度（℃）", "低温側温度(°C)"},
        {"低温側温度 (℃)", "低温側温度(°C)"},
        {"低温側温度 (°C)", "低温側温度(°C)"},
        {"放散熱量上限（Ｗ／ｍ２・Ｗ／ｍ）", "放散熱量上限(W/m2・W/m)"},
        {"㎡ ｍ² ① Ⅳ ㈱ ﬁ", "m2m21IV(株)fi"},
        {"風速 （ｍ／ｓ）", "風速(m/s)"},
        {"保温筒２種", "保温筒2種"},
        {" 保温筒\u3000２\t種\r\n", "保温筒2種"},
        {"ｱﾙﾐﾆｳﾑ板", "アルミニウム板"},
        {"ﾌﾞﾗﾝｹｯﾄ", "ブランケット"},  // voiced mark composed
        {"ﾊﾟｲﾌﾟ", "パイプ"},          // semi-voiced mark composed
        {"フ\u3099ランケット", "ブランケット"},
        {"ｳﾞ", "ヴ"},
        {"ﾞ", "\u3099"},             // a mark after nothing stays a mark
        {"ｶ ﾞ", "ガ"},               // blanks do not count, even before a mark
        {"ﾐﾞ", "ミ\u3099"},          // ミ has no voiced form
        {"ｰ｡｢｣､･", "ー。「」、・"},  // half-width punctuation
        {"ＡＢｃ１２３＋－．", "ABc123+-."},
        {"＂＼～", "\"\\~"},
        {"￥￠", "¥¢"},
        {"e\u0301", "\u00E9"},   // composed
        {"a \u00A8", "\u00E4"},  // the spacing diaeresis's blank dropped, its mark composed
        {"\u00A8", "\u0308"},
        {"\u1100\u1161\u11A8", "각"},      // Hangul jamo composed
        {"ㄱㅏ", "가"},                    // compatibility jamo too
        {"\u0061\u0323\u0302", "\u1EAD"},  // marks in canonical order, then composed
        {"\u0061\u0302\u0323", "\u1EAD"},
        {"\uF900", "\u8C48"},  // a compatibility ideograph: its unified one
        {"Text1", "Text1"},
        {"\xA0\xE3", "\xA0\xE3"},          // no UTF-8: kept as bytes
        {"\xC2\xA0x\xE2\x80\x83y", "xy"},  // no-break and em spaces are blanks
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(calc::foldedForMatching(row.text), row.folded) << row.text;
}

// Which inputs a header names: one named exactly wins alone; else every one
// named after folding, two of them an ambiguous header.
TEST(CalcFolding, HeaderNames)
{
    const std::vector<std::vector<std::string>> inputs = {
        {"Text1", "温度（℃）"}, {"Text2", "温度(℃)"}, {"Text3", "風速 （ｍ／ｓ）"}, {"Combo1", "種類"}};
    const struct {
        const char* header;
        std::vector<size_t> named;
    } rows[] = {
        {"温度（℃）", {0}},     {"温度(℃)", {1}},
        {"温度 （℃）", {0, 1}}, {"温度(℃) ", {0, 1}},
        {"風速(m/s)", {2}},     {"風速 （ｍ／ｓ）", {2}},
        {"ｔｅｘｔ３", {}},     {"Ｔｅｘｔ３", {2}},
        {"温度(°C)", {0, 1}},   {"温度", {}},
        {"Combo1", {3}},        {"種 類", {3}},
        {"種類2", {}},          {"", {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(calc::candidatesNamed(row.header, inputs), row.named) << row.header;
}

// A caption without its unit in brackets at its end, folded: what a header
// without the unit is compared with.
TEST(CalcFolding, Stems)
{
    const struct {
        const char* caption;
        const char* stem;
    } rows[] = {
        {"低温側温度（℃）", "低温側温度"},
        {"風速 （ｍ／ｓ）", "風速"},
        {"断熱材平均熱伝導率(W/mK)", "断熱材平均熱伝導率"},
        {"表面熱伝達率 [W/m2K] (JIS)", "表面熱伝達率[W/m2K]"},
        {"a(b(c))", "a"},
        {"保温板(筒)３号", ""},  // no bracket at the end
        {"（℃）", ""},           // nothing before it
        {"種類", ""},
        {"b)", ""},
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(calc::foldedStem(row.caption), row.stem) << row.caption;
}

// Units as a header may write them: the same key for the same unit in any
// usual notation, another for another unit, none for what is no unit; and
// every unit a window's caption gives is one.
TEST(CalcFolding, Units)
{
    const struct {
        const char* text;
        const char* key;
    } rows[] = {
        {"（℃）", "°c"},
        {"℃", "°c"},
        {"[°C]", "°c"},
        {"degC", "°c"},
        {"(C)", "°c"},
        {"ﾟC", "°c"},
        {"（ｍ／ｓ）", "m/s"},
        {"m/s", "m/s"},
        {"m/sec", "m/s"},
        {"km/h", "km/h"},
        {"（Ｗ／ｍＫ）", "w/mk"},
        {"W/(m·K)", "w/mk"},
        {"W/m・K", "w/mk"},
        {"W/m/K", "w/mk"},
        {"（Ｗ／ｍ2/Ｋ）", "w/m2k"},
        {"W/m²K", "w/m2k"},
        {"W/(m^2*K)", "w/m2k"},
        {"（％）", "%"},
        {"（ｈ）", "h"},
        {"hr", "h"},
        {"（時間）", "h"},
        {"（ｋｇ／ｈ）", "kg/h"},
        {"(mm)", "mm"},
        {"（円／ｋＷｈ）", "円/kwh"},
        {"(K)", "k"},
        {"(-)", "-"},
        {"(夏季)", ""},
        {"(case2)", ""},
        {"上限(℃)", ""},
        {"/s", ""},
        {"m/", ""},
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(calc::unitKey(calc::foldedForMatching(row.text)), row.key) << row.text;
    for (const ProgramDescription* p : allPrograms()) {
        const FormRules rules(*p);
        for (const Control* input : rules.inputs()) {
            const std::string unit = calc::foldedUnit(rules.caption(*input));
            EXPECT_TRUE(unit.empty() || !calc::unitKey(unit).empty())
                << p->name << " " << rules.caption(*input);
        }
    }
}

// A list cell read strictly: the entry it names, or none.
TEST(CalcFolding, ListCells)
{
    const calc::ListEntries list({"", "保温筒１種", "保温筒２種", "ブランケット２号ａ", "A", "Ａ"});
    const struct {
        const char* cell;
        const char* entry;  // nullptr: none
    } rows[] = {
        {"保温筒１種", "保温筒１種"},
        {"保温筒1種", "保温筒１種"},
        {" 保温筒 2 種", "保温筒２種"},
        {"保温筒３種", nullptr},
        {"保温筒", nullptr},
        {"ﾌﾞﾗﾝｹｯﾄ2号a", "ブランケット２号ａ"},
        {"ﾌﾞﾗﾝｹｯﾄ2号A", nullptr},
        {"", ""},
        {" ", ""},
        {"A", "A"},
        {"Ａ", "Ａ"},
        {" A", nullptr},  // "A" and "Ａ" alike
    };
    for (const auto& row : rows) {
        const std::string* entry = list.pick(row.cell);
        if (row.entry == nullptr)
            EXPECT_EQ(entry, nullptr) << row.cell << " picks " << *entry;
        else
            EXPECT_TRUE(entry != nullptr && *entry == row.entry) << row.cell;
    }
    EXPECT_EQ(calc::ListEntries({"保温筒１種", "保温筒２種"}).listed(), "「保温筒１種」「保温筒２種」");
}

namespace {

// A new pseudo-terminal: its slave side opened (the master kept open).
struct Terminal {
    int master = -1, slave = -1;
    Terminal()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    }
    ~Terminal()
    {
        close(slave);
        close(master);
    }
    int again() const { return open(ptsname(master), O_RDWR | O_NOCTTY); }
};

}  // namespace

// The progress line: on a terminal, unless the rows go to that same one.
TEST(CalcCommandLine, ProgressOnlyBesideTheRows)
{
    const Terminal a, b;
    ASSERT_GE(a.slave, 0);
    ASSERT_GE(b.slave, 0);
    const int aAgain = a.again();
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    FILE* file = std::tmpfile();
    const int fileFd = fileno(file);
    const struct {
        const char* what;
        int err, out;
        bool shown;
    } rows[] = {
        {"both on one terminal", a.slave, a.slave, false},
        {"both on one terminal, opened twice", a.slave, aAgain, false},
        {"two terminals", a.slave, b.slave, true},
        {"rows into a file", a.slave, fileFd, true},
        {"rows into a pipe", a.slave, pipeEnds[1], true},
        {"standard error into a file", fileFd, a.slave, false},
        {"standard error into a pipe", pipeEnds[1], fileFd, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(calc::progressShown(row.err, row.out), row.shown) << row.what;
    close(aAgain);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    std::fclose(file);
}

// A case saved from a window (its inputs as typed, the lists as picked) is a
// line list milfo-calc reads as it is: every program's first GUI case of
// entries and presses, entered into the form model, saved, and read by
// milfo-calc pressing the same button (leniently where a box holds what a
// strict reading refuses), gives the digits the window shows.
TEST(CaseFile, ReadByMilfoCalc)
{
    int programs = 0;
    for (const auto& make : test::registeredCases()) {
        const test::ProgramCases pc = make();
        for (const test::GuiCase& c : pc.cases) {
            bool entries = c.commands.size() > 1 && c.commands.back().rfind("click ", 0) == 0;
            for (size_t i = 0; i + 1 < c.commands.size(); ++i)
                entries =
                    entries && (c.commands[i].rfind("set ", 0) == 0 || c.commands[i].rfind("pick ", 0) == 0 ||
                                c.commands[i].rfind("click ", 0) == 0);
            if (!entries)
                continue;
            FormModel form(*findProgram(pc.program));
            form.load();
            bool lenient = false;
            for (const std::string& command : c.commands) {
                const size_t space = command.find(' ', command.find(' ') + 1);
                const std::string name = command.substr(command.find(' ') + 1, space - command.find(' ') - 1);
                const std::string text = space == std::string::npos ? "" : command.substr(space + 1);
                const Control& control = *form.rules().find(name);
                if (command.rfind("set ", 0) == 0) {
                    form.type(control, text);
                    lenient = lenient || (form.rules().readsNumber(control) && !ReadsWhole(text));
                } else if (command.rfind("pick ", 0) == 0) {
                    form.pick(control, *form.findEntry(control, text));
                } else if (&command != &c.commands.back()) {
                    form.press(control);
                }
            }
            const std::string saved = calc::writeCase(form);
            const Control& button = *form.rules().find(c.commands.back().substr(6));
            form.press(button);
            std::vector<std::string> args = {"--press", button.name, pc.program, "@IN@"};
            if (lenient)
                args.insert(args.begin(), "--lenient");
            const CalcRun r = runCalc(args, saved);
            const std::vector<std::vector<std::string>> out = parseCsv(r.out);
            ASSERT_EQ(out.size(), 2u) << pc.program << "\n" << r.err;
            for (const Control* result : form.rules().results()) {
                const std::string caption = form.rules().caption(*result);
                for (size_t k = 0; k < out[0].size(); ++k) {
                    if (out[0][k] == caption) {
                        EXPECT_EQ(out[1][k], form.textOf(*result)) << pc.program << " " << caption;
                    }
                }
            }
            EXPECT_EQ(out[0].front(), calc::kProgramColumn);
            EXPECT_EQ(out[1].front(), pc.program);
            ++programs;
            break;
        }
    }
    EXPECT_EQ(programs, static_cast<int>(allPrograms().size()));
}
