#include "cli.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "catalogue.h"
#include "csv.h"
#include "input.h"
#include "runner.h"
#include "values.h"

#ifndef MILFO_VERSION
#define MILFO_VERSION "?"
#endif

namespace milfo::calc {

namespace {

const char* const kUsage = R"(usage: milfo-calc [OPTIONS] PROGRAM [FILE]
       milfo-calc --list [PROGRAM]

Runs a calculator of the suite over CSV rows and writes CSV with the texts
its window shows, digit for digit. FILE (or standard input, or "-") holds a
header naming inputs by control name (Text1, Combo1) or by the caption the
window shows, then one row per calculation. Each row is entered as a person
would: the cells in tab order, a list cell that is one of the list's entries
picked from the list, any other text typed; boxes without a column keep
their initial text; then the buttons are pressed. The output holds the input
columns as given, one column per result box, and an error column with the
window's message when a calculation fails.

Options:
  --list [PROGRAM]       the programs, their inputs, list, buttons and results
  --press NAME           press this button (control name or caption; may be
                         given more than once); default: every button that
                         calculates, in tab order
  --set NAME=TEXT        give an input the same text in every row (without
                         FILE and --vary: one row; "-" reads standard input)
  --vary NAME=LIST       one row per value (several --vary: every combination,
                         the first varying slowest), without FILE. LIST is
                         comma-separated texts, FROM:TO:STEP ranges (exact
                         decimal steps), or "sgp": the outer diameters of JIS
                         G 3452 (SGP) pipe in metres, 6A to 500A, with a
                         nominal-size column
  --lenient              read every cell as the window does ("12abc" is 12,
                         "abc" is 0; an empty cell leaves its box as it is);
                         by default such a cell is an error of its row
  --encoding ENC         input encoding: utf-8 (default; a BOM is skipped) or
                         cp932 (what Excel on a Japanese system writes)
  --bom                  start the output with a UTF-8 BOM, for Excel
  --header captions|names  output headers: the window's captions (default) or
                         control names and "error"
  --help, --version

Exit status: 0 done (failed calculations are rows with an error); 2 a wrong
command line, an unknown or doubled column, or a malformed CSV line (rows
before it are written); 1 the output cannot be written, or the run stopped
on a fault of its own (the rows before it are written).

Examples:
  milfo-calc --list fennick
  milfo-calc fennick lines.csv > results.csv
  milfo-calc --encoding cp932 --bom 熱伝達率 from-excel.csv > out.csv
  milfo-calc ravelt --press 配管の計算 --set Text1=0.05 --set Text2=300 \
      --set Text3=40 --set Text4=20 --set Text5=10 --vary Text7=sgp
)";

// A wrong command line or unreadable input: the message, exit status 2.
struct Stop {
    std::string message;
};

struct Options {
    std::string program;
    std::string file;
    bool haveFile = false;
    bool list = false;
    bool lenient = false;
    bool bom = false;
    bool names = false;
    Encoding encoding = Encoding::Utf8;
    std::vector<std::string> presses;
    std::vector<std::pair<std::string, std::string>> sets;    // NAME, TEXT
    std::vector<std::pair<std::string, std::string>> varies;  // NAME, LIST
};

std::pair<std::string, std::string> assignment(const std::string& option, const std::string& arg)
{
    const size_t eq = arg.find('=');
    if (eq == std::string::npos || eq == 0)
        throw Stop{option + " takes NAME=" + (option == "--set" ? "TEXT" : "LIST") + ", not \"" + arg + "\""};
    return {arg.substr(0, eq), arg.substr(eq + 1)};
}

// Returns false when the command is answered already (--help, --version).
bool parse(int argc, char** argv, Options& o)
{
    std::vector<std::string> positional;
    bool optionsDone = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (optionsDone || arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsDone = true;
            continue;
        }
        std::string value;
        bool inlineValue = false;
        const size_t eq = arg.find('=');
        if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            inlineValue = true;
        }
        const auto takeValue = [&] {
            if (inlineValue)
                return value;
            if (i + 1 >= argc)
                throw Stop{arg + " needs a value"};
            return std::string(argv[++i]);
        };
        const auto noValue = [&] {
            if (inlineValue)
                throw Stop{arg + " takes no value"};
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return false;
        } else if (arg == "--version") {
            std::printf("milfo-calc %s\n", MILFO_VERSION);
            return false;
        } else if (arg == "--list") {
            noValue();
            o.list = true;
        } else if (arg == "--lenient") {
            noValue();
            o.lenient = true;
        } else if (arg == "--bom") {
            noValue();
            o.bom = true;
        } else if (arg == "--press") {
            o.presses.push_back(takeValue());
        } else if (arg == "--set") {
            o.sets.push_back(assignment(arg, takeValue()));
        } else if (arg == "--vary") {
            o.varies.push_back(assignment(arg, takeValue()));
        } else if (arg == "--encoding") {
            std::string e = takeValue();
            for (char& c : e)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (e == "utf-8" || e == "utf8")
                o.encoding = Encoding::Utf8;
            else if (e == "cp932" || e == "shift_jis" || e == "sjis" || e == "windows-31j")
                o.encoding = Encoding::Cp932;
            else
                throw Stop{"--encoding is utf-8 or cp932, not \"" + e + "\""};
        } else if (arg == "--header") {
            const std::string h = takeValue();
            if (h != "captions" && h != "names")
                throw Stop{"--header is captions or names, not \"" + h + "\""};
            o.names = h == "names";
        } else {
            throw Stop{"unknown option " + arg + " (milfo-calc --help lists them)"};
        }
    }
    const size_t most = o.list ? 1 : 2;
    if (positional.size() > most)
        throw Stop{"too many arguments: \"" + positional[most] + "\" (milfo-calc --help)"};
    if (!positional.empty())
        o.program = positional[0];
    if (positional.size() > 1) {
        o.file = positional[1];
        o.haveFile = true;
    }
    if (!o.list && o.program.empty())
        throw Stop{"which program? (milfo-calc --list shows them, milfo-calc --help the options)"};
    if (o.haveFile && !o.varies.empty())
        throw Stop{"--vary makes the rows itself: give no FILE with it"};
    return true;
}

const ProgramDescription& program(const std::string& name)
{
    const ProgramDescription* p = findProgram(name);
    if (p == nullptr) {
        std::string known;
        for (const CatalogueEntry& e : catalogue())
            known += std::string(known.empty() ? "" : ", ") + e.name;
        throw Stop{"no program \"" + name + "\"; the programs are " + known};
    }
    return *p;
}

std::string inputList(const ProgramView& view)
{
    std::string out;
    for (const Control* c : view.inputs())
        out += std::string(out.empty() ? "" : ", ") + c->name + " " + view.caption(*c);
    return out;
}

void list(const std::string& only)
{
    std::string out;
    for (const CatalogueEntry& entry : catalogue()) {
        if (!only.empty() && only != entry.name)
            continue;
        const ProgramView view(entry.description());
        const FormRules& rules = *view.rules();
        out += std::string(entry.name) + "  " + entry.caption + "  " + entry.title + "\n  inputs:\n";
        for (const Control* c : view.inputs()) {
            std::string name = c->name;
            name.resize(std::max<size_t>(name.size(), 8), ' ');
            out += "    " + name + view.caption(*c);
            if (c->kind == ControlKind::ComboBox)
                out += "  (list)";
            else if (*c->text != '\0')
                out += "  (initially " + std::string(c->text) + ")";
            out += "\n";
        }
        for (const Control* list : rules.lists()) {
            const std::vector<std::string>& entries = rules.initialEntries(*list);
            out += rules.lists().size() == 1
                       ? std::string("  list:\n")
                       : "  list " + std::string(list->name) + " " + view.caption(*list) + ":\n";
            for (const std::string& e : entries)
                out += "    " + (e.empty() ? std::string("(empty entry)") : e) + "\n";
            if (entries.empty())
                out += "    (filled by the program)\n";
            if (const Handler* click = rules.clickHandler(*list)) {
                out += "    picking an entry writes";
                for (const char* r : click->results)
                    out += std::string(" ") + r;
                out += "\n";
            }
        }
        out += "  buttons:\n";
        for (const Control* b : view.buttons()) {
            std::string name = b->name;
            name.resize(std::max<size_t>(name.size(), 10), ' ');
            out += "    " + name + view.caption(*b) + "\n";
            for (const char* r : view.clickOf(*b).results) {
                std::string box = r;
                box.resize(std::max<size_t>(box.size(), 8), ' ');
                out += "      -> " + box + view.caption(*view.findControl(r)) + "\n";
            }
        }
    }
    if (out.empty())
        program(only);  // names the programs
    std::fputs(out.c_str(), stdout);
}

// Rows done, rate and time left on standard error, when it is a terminal and
// the run has taken more than a second.
class Progress {
public:
    explicit Progress(bool on) : on_(on), start_(Clock::now()), last_(start_) {}
    ~Progress()
    {
        if (shown_)
            std::fputs("\r\033[K", stderr);
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // fraction: how much of the work is done (negative: not known).
    void row(double fraction)
    {
        ++rows_;
        if (!on_ || (rows_ & 1023) != 0)
            return;
        const auto now = Clock::now();
        const double elapsed = std::chrono::duration<double>(now - start_).count();
        if (elapsed < 1.0 || std::chrono::duration<double>(now - last_).count() < 0.25)
            return;
        last_ = now;
        const double rate = static_cast<double>(rows_) / elapsed;
        char line[160];
        int n = std::snprintf(line, sizeof line, "\r%lld rows, %.0f rows/s", rows_, rate);
        if (fraction > 0.0 && fraction <= 1.0) {
            const long left = static_cast<long>(elapsed * (1.0 - fraction) / fraction + 0.5);
            std::snprintf(line + n, sizeof line - static_cast<size_t>(n), ", %ld:%02ld left", left / 60,
                          left % 60);
        }
        std::fputs(line, stderr);
        std::fputs("\033[K", stderr);
        shown_ = true;
    }

private:
    using Clock = std::chrono::steady_clock;
    bool on_;
    Clock::time_point start_, last_;
    long long rows_ = 0;
    bool shown_ = false;
};

struct FileCloser {
    void operator()(std::FILE* f) const
    {
        if (f != nullptr && f != stdin)
            std::fclose(f);
    }
};

// The columns of the run: each input's control and the name it was given.
struct Columns {
    std::vector<const Control*> controls;
    std::vector<std::string> names;

    void add(const ProgramView& view, const std::string& name, const std::string& where)
    {
        const Control* c = view.findInput(name);
        if (c == nullptr) {
            const Control* other = view.findControl(name);
            throw Stop{where + "\"" + name + "\" is " +
                       (other != nullptr ? "not an input of " : "no input of ") + view.program().name +
                       "; its inputs are " + inputList(view)};
        }
        for (size_t i = 0; i < controls.size(); ++i)
            if (controls[i] == c)
                throw Stop{where + "\"" + names[i] + "\" and \"" + name + "\" both name " + c->name};
        controls.push_back(c);
        names.push_back(name);
    }
};

int run(const Options& o)
{
    const ProgramDescription& prog = program(o.program);
    const ProgramView view(prog);

    std::vector<const Control*> presses;
    for (const std::string& name : o.presses) {
        const Control* c = view.findControl(name);
        if (c == nullptr || c->kind != ControlKind::CommandButton)
            throw Stop{"--press: \"" + name + "\" is no button of " + prog.name};
        if (std::find(view.buttons().begin(), view.buttons().end(), c) == view.buttons().end())
            throw Stop{"--press: \"" + name + "\" calculates nothing"};
        presses.push_back(c);
    }
    if (presses.empty())
        presses = view.buttons();

    // Where the rows come from: a CSV file, or the values on the command line.
    const bool table = !o.haveFile && (!o.sets.empty() || !o.varies.empty());
    std::unique_ptr<std::FILE, FileCloser> file;
    std::unique_ptr<TextSource> source;
    std::unique_ptr<CsvReader> reader;
    std::vector<std::string> cells;
    Columns columns;
    std::vector<ValueList> lists;
    bool nominal = false;
    long long fileSize = -1;

    if (table) {
        for (const auto& [name, list] : o.varies) {
            try {
                lists.emplace_back(list);
            } catch (const std::invalid_argument& e) {
                throw Stop{"--vary " + name + ": " + e.what()};
            }
            if (lists.back().isPipeSizes()) {
                if (nominal)
                    throw Stop{"--vary: sgp may vary one input only"};
                nominal = true;
            }
        }
        for (const auto& [name, text] : o.sets)
            columns.add(view, name, "--set: ");
        for (const auto& [name, list] : o.varies)
            columns.add(view, name, "--vary: ");
    } else {
        if (!o.haveFile || o.file == "-") {
            file.reset(stdin);
            if (isatty(0))
                std::fputs("milfo-calc: reading CSV from the terminal (end with Ctrl-D)\n", stderr);
        } else {
            file.reset(std::fopen(o.file.c_str(), "rb"));
            if (file == nullptr)
                throw Stop{"cannot open " + o.file + ": " + std::strerror(errno)};
            struct stat status;
            if (fstat(fileno(file.get()), &status) == 0 && S_ISREG(status.st_mode))
                fileSize = static_cast<long long>(status.st_size);
        }
        source = openSource(file.get(), o.encoding);
        reader = std::make_unique<CsvReader>(*source);
        if (!reader->next(cells))
            throw Stop{"the input is empty: its first line must name the inputs (milfo-calc --list " +
                       std::string(prog.name) + ")"};
        const std::string where = (o.haveFile && o.file != "-" ? o.file : "(standard input)") + ": line " +
                                  std::to_string(reader->line()) + ", column ";
        for (size_t i = 0; i < cells.size(); ++i)
            columns.add(view, cells[i], where + std::to_string(i + 1) + ": ");
        for (const auto& [name, text] : o.sets)
            columns.add(view, name, "--set: ");
    }
    const size_t fileColumns = table ? 0 : cells.size();

    RowRunner runner(view, columns.controls, columns.names, presses, o.lenient);

    CsvWriter out(stdout);
    if (o.bom)
        out.byteOrderMark();
    if (nominal)
        out.cell(o.names ? "nominal" : "呼び径");
    for (size_t i = 0; i < columns.controls.size(); ++i)
        out.cell(o.names ? std::string(columns.controls[i]->name) : view.caption(*columns.controls[i]));
    for (const Control* r : runner.resultBoxes())
        out.cell(o.names ? std::string(r->name) : view.caption(*r));
    out.cell(o.names ? "error" : "エラー");
    out.endRecord();
    if (isatty(1) && !out.flush())
        throw OutputError();

    Progress progress(isatty(2) != 0);
    // Rows typed at a terminal are answered one by one.
    const bool interactive = isatty(1) != 0;
    RowOutcome outcome;
    std::vector<std::string> row(columns.controls.size());
    const auto write = [&](const std::string* nominalText) {
        runner.run(row, outcome);
        if (nominalText != nullptr)
            out.cell(*nominalText);
        for (const std::string& cell : row)
            out.cell(cell);
        for (const std::string& r : outcome.results)
            out.cell(r);
        out.cell(outcome.error);
        out.endRecord();
        if (interactive && !out.flush())
            throw OutputError();
    };

    if (table) {
        for (size_t k = 0; k < o.sets.size(); ++k)
            row[k] = o.sets[k].second;
        std::uint64_t total = 1;
        for (const ValueList& l : lists)
            total = l.size() == 0 || total > UINT64_MAX / l.size() ? 0 : total * l.size();
        std::vector<std::uint64_t> at(lists.size(), 0);
        std::string nominalText;
        for (std::uint64_t done = 0; done < total; ++done) {
            for (size_t k = 0; k < lists.size(); ++k) {
                row[o.sets.size() + k] = lists[k].text(at[k]);
                if (lists[k].isPipeSizes())
                    nominalText = lists[k].nominal(at[k]);
            }
            write(nominal ? &nominalText : nullptr);
            for (size_t k = lists.size(); k-- > 0;) {
                if (++at[k] < lists[k].size())
                    break;
                at[k] = 0;
            }
            progress.row(static_cast<double>(done + 1) / static_cast<double>(total));
        }
    } else {
        try {
            while (reader->next(cells)) {
                if (cells.size() != fileColumns)
                    throw InputError(reader->line(), std::to_string(cells.size()) +
                                                         (cells.size() == 1 ? " cell" : " cells") +
                                                         ", the header has " + std::to_string(fileColumns));
                for (size_t k = 0; k < fileColumns; ++k)
                    row[k].swap(cells[k]);
                for (size_t k = 0; k < o.sets.size(); ++k)
                    row[fileColumns + k] = o.sets[k].second;
                write(nullptr);
                progress.row(fileSize > 0
                                 ? static_cast<double>(source->consumed()) / static_cast<double>(fileSize)
                                 : -1.0);
            }
        } catch (const InputError&) {
            out.flush();
            throw;
        }
    }
    if (!out.flush() || std::ferror(stdout))
        throw OutputError();
    return 0;
}

}  // namespace

int commandLine(int argc, char** argv)
{
    Options o;
    try {
        if (!parse(argc, argv, o))
            return 0;
        if (o.list) {
            list(o.program);
            return 0;
        }
        return run(o);
    } catch (const Stop& stop) {
        std::fflush(stdout);
        std::fprintf(stderr, "milfo-calc: %s\n", stop.message.c_str());
        return 2;
    } catch (const InputError& e) {
        std::fflush(stdout);
        if (e.line() > 0)
            std::fprintf(stderr, "milfo-calc: %s: line %ld: %s\n",
                         o.haveFile ? o.file.c_str() : "(standard input)", e.line(), e.what());
        else
            std::fprintf(stderr, "milfo-calc: %s\n", e.what());
        return 2;
    } catch (const OutputError& e) {
        std::fprintf(stderr, "milfo-calc: %s\n", e.what());
        return 1;
    } catch (...) {
        // Anything else (out of memory, a fault of the program): the rows
        // before it are written (the writer flushes as it goes out of scope),
        // then the frame's message.
        std::fflush(stdout);
        std::fprintf(stderr, "milfo-calc: %s\n", currentFailure().message.c_str());
        return 1;
    }
}

}  // namespace milfo::calc
