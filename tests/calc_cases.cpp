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

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "csv.h"
#include "gui_harness.h"
#include "registry.h"
#include "runner.h"

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
    const std::string dir = ::testing::TempDir();
    const std::string in = dir + "calc_in", out = dir + "calc_out", err = dir + "calc_err";
    std::ofstream(in, std::ios::binary) << input;
    std::string command = quoted(MILFO_CALC);
    for (const std::string& a : args)
        command += " " + quoted(a);
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
    auto source = calc::openSource(f, calc::Encoding::Utf8);
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
};

Translation translate(const calc::ProgramView& view, const test::GuiCase& c)
{
    Translation t;
    const ProgramDescription& program = view.program();
    const Handler* listClick = program.handler("Combo1_Click");
    struct Entry {
        std::string text;
        bool pick;
        int order;
    };
    std::map<std::string, Entry> last;
    int order = 0, lastPick = -1;
    bool typedAfterPick = false;
    for (const std::string& command : c.commands) {
        const size_t s1 = command.find(' ');
        const std::string verb = command.substr(0, s1);
        const size_t s2 = s1 == std::string::npos ? s1 : command.find(' ', s1 + 1);
        const std::string name = s1 == std::string::npos ? "" : command.substr(s1 + 1, s2 - s1 - 1);
        const std::string text = s2 == std::string::npos ? "" : command.substr(s2 + 1);
        if (verb == "set" || verb == "pick") {
            if (view.findInput(name) == nullptr)
                return {"types into a result box"};
            if (!t.presses.empty())
                t.presses.clear();  // a new entry: only the presses after it count
            last[name] = {text, verb == "pick", order++};
            if (name == "Combo1" && verb == "pick")
                lastPick = order - 1;
            if (name == "Combo1" && verb == "set" && lastPick >= 0)
                typedAfterPick = true;
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
    if (listClick != nullptr && last.count("Combo1") != 0) {
        const Entry& list = last["Combo1"];
        const auto& entries = program.listEntries;
        const bool isEntry = std::find(entries.begin(), entries.end(), list.text) != entries.end();
        if (!list.pick && isEntry)
            return {"types an entry's text into the list"};
        if (typedAfterPick)
            return {"types into the list after a pick"};
        for (const char* box : listClick->results)
            if (last.count(box) != 0 && last[box].order < lastPick)
                return {"types a box that a later pick rewrites"};
    }
    std::vector<std::pair<int, std::string>> inOrder;
    for (const auto& [name, e] : last)
        inOrder.emplace_back(e.order, name);
    std::sort(inOrder.begin(), inOrder.end());
    for (const auto& [o, name] : inOrder) {
        t.columns.push_back(name);
        t.cells.push_back(last[name].text);
    }
    // A case that types nothing: a box typed with the text it starts with.
    if (t.columns.empty())
        for (const Control* input : view.inputs())
            if (input->kind == ControlKind::TextBox && t.columns.empty()) {
                t.columns.emplace_back(input->name);
                t.cells.emplace_back(input->text);
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

    int rows = 0, compared = 0;
    for (const auto& [key, group] : runs) {
        const Translation& first = group.front().t;
        const std::string program = key.substr(0, key.find('\t'));
        std::string csv;
        for (size_t i = 0; i < first.columns.size(); ++i)
            csv += (i ? "," : "") + csvCell(first.columns[i]);
        csv += "\r\n";
        for (const Row& row : group) {
            for (size_t i = 0; i < row.t.cells.size(); ++i)
                csv += (i ? "," : "") + csvCell(row.t.cells[i]);
            csv += "\r\n";
        }
        std::vector<std::string> args{"--lenient", "--header", "names"};
        for (const std::string& p : first.presses) {
            args.emplace_back("--press");
            args.push_back(p);
        }
        args.push_back(program);
        const CalcRun r = runCalc(args, csv);
        ASSERT_EQ(r.status, 0) << key << "\n" << r.err;
        const auto out = parseCsv(r.out);
        ASSERT_EQ(out.size(), group.size() + 1) << r.out;
        for (size_t k = 0; k < group.size(); ++k) {
            const Row& row = group[k];
            SCOPED_TRACE(row.title);
            std::map<std::string, std::string> shown;
            for (size_t i = 0; i < out[0].size() && i < out[k + 1].size(); ++i)
                shown[out[0][i]] = out[k + 1][i];
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
    }
    for (const ProgramDescription* p : allPrograms())
        EXPECT_GT(rowsByProgram[p->name], 0) << p->name;
    EXPECT_GE(rows * 10, cases * 9) << "fewer than 90% of the GUI cases run as rows";
    std::string report;
    for (const auto& [why, n] : skipped)
        report += "  " + std::to_string(n) + " " + why + "\n";
    std::printf("%d of %d GUI cases run as rows in %zu runs, %d texts compared; not rows:\n%s", rows, cases,
                runs.size(), compared, report.c_str());
}
