#include "cli.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
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
#include "folding.h"
#include "input.h"
#include "runner.h"
#include "values.h"

#ifndef MILFO_VERSION
#define MILFO_VERSION "?"
#endif

namespace milfo::calc {

namespace {

const char* const kUsage = R"usage(usage: milfo-calc [OPTIONS] PROGRAM [FILE]
       milfo-calc --list [PROGRAM]

Runs a calculator of the suite over CSV rows and writes CSV with the texts
its window shows, digit for digit. FILE (or standard input, or "-") holds a
header naming inputs by control name (Text1, Combo1) or by the caption the
window shows, then one row per calculation. Each row is entered as a person
would: the cells in tab order, a list cell that is one of the list's entries
picked from the list, any other text typed; boxes without a column keep
their initial text; then the buttons are pressed. The output holds the
file's columns as given, one column per result box, and an error column
with the window's message when a calculation fails.

A line list as kept in a spreadsheet is read as it is:
  - a column that names no input (a line number, a tag, a remark) is copied
    to the output in its place and named on standard error ("passed
    through: 番号, 備考"); --strict-columns refuses it instead;
  - headers and list cells are compared as a person reads them: full-width
    and half-width forms alike (the width folding of Unicode NFKC: (℃) is
    （℃）, 2 is ２, ｶﾞ is ガ, the ideographic space a space) and blanks and
    line breaks ignored, so the header 低温側温度 (℃) names 低温側温度（℃）
    and the cell 保温筒2種 picks 保温筒２種; a header that would name two
    inputs so is an error; the cells are written out as given;
  - blank lines and rows of empty cells are skipped, and counted on
    standard error at the end;
  - a line ends with CRLF, LF or a lone CR (old Mac files).

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
                         "abc" is 0; an empty cell leaves its box as it is;
                         a list cell that is no entry is typed into the list
                         as it stands); by default such a cell is an error of
                         its row, and the error of a list cell names the
                         list's entries
  --strict-columns       a column that names no input is an error (exit 2)
  --encoding ENC         input encoding: utf-8 (default; a BOM is skipped) or
                         cp932 (what Excel on a Japanese system writes)
  --bom                  start the output with a UTF-8 BOM, for Excel
  --header captions|names  output headers of inputs and results: the window's
                         captions (default) or control names and "error"
  --help, --version

While a long run goes on, a progress line (rows, rows per second, time
left) is shown on standard error when it is a terminal and the output is
not that same terminal.

Exit status: 0 done (failed calculations are rows with an error); 2 a wrong
command line (a --vary whose combinations are too many to count among
them), a doubled column or one that names two inputs, a header that names
no input, a column that names none with --strict-columns, or a malformed CSV
line (rows before it are written); 1 the output cannot be written, or the
run stopped on a fault of its own (the rows before it are written).

Examples:
  milfo-calc --list fennick
  milfo-calc fennick lines.csv > results.csv
  milfo-calc --encoding cp932 --bom 熱伝達率 from-excel.csv > out.csv
  milfo-calc ravelt --press 配管の計算 --set Text1=0.05 --set Text2=300 \
      --set Text3=40 --set Text4=20 --set Text5=10 --vary Text7=sgp
)usage";

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
    bool strictColumns = false;
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
        } else if (arg == "--strict-columns") {
            noValue();
            o.strictColumns = true;
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

// Rows done, rate and time left on standard error, when progressShown and
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

// The inputs as a column may name them: each input's control name and caption.
std::vector<std::vector<std::string>> inputNames(const ProgramView& view)
{
    std::vector<std::vector<std::string>> names;
    for (const Control* c : view.inputs())
        names.push_back({c->name, view.caption(*c)});
    return names;
}

// The columns of the run: each input's control and the name it was given.
struct Columns {
    std::vector<const Control*> controls;
    std::vector<std::string> names;

    // The input that name names, as a person reads it (folding.h); nullptr
    // when none. A name that folds to two inputs is an error.
    static const Control* named(const ProgramView& view, const std::vector<std::vector<std::string>>& inputs,
                                const std::string& name, const std::string& where)
    {
        const std::vector<size_t> found = candidatesNamed(name, inputs);
        if (found.size() > 1) {
            std::string both;
            for (size_t k : found)
                both += std::string(both.empty() ? "" : " and ") + view.inputs()[k]->name + " " +
                        view.caption(*view.inputs()[k]);
            throw Stop{where + "\"" + name + "\" names " + both +
                       " alike (full-width and half-width forms alike, blanks ignored); give the control "
                       "name"};
        }
        return found.empty() ? nullptr : view.inputs()[found[0]];
    }

    [[noreturn]] static void noInput(const ProgramView& view, const std::string& name,
                                     const std::string& where)
    {
        const Control* other = view.findControl(name);
        throw Stop{where + "\"" + name + "\" is " + (other != nullptr ? "not an input of " : "no input of ") +
                   view.program().name + "; its inputs are " + inputList(view)};
    }

    void add(const Control* c, const std::string& name, const std::string& where)
    {
        for (size_t i = 0; i < controls.size(); ++i)
            if (controls[i] == c)
                throw Stop{where + "\"" + names[i] + "\" and \"" + name + "\" both name " + c->name};
        controls.push_back(c);
        names.push_back(name);
    }

    // An input that must be there: from --set or --vary.
    void add(const ProgramView& view, const std::vector<std::vector<std::string>>& inputs,
             const std::string& name, const std::string& where)
    {
        const Control* c = named(view, inputs, name, where);
        if (c == nullptr)
            noInput(view, name, where);
        add(c, name, where);
    }
};

// Where no input column stands: a column copied through.
constexpr size_t kPassedThrough = static_cast<size_t>(-1);

// The lines of the rows skipped as empty, for the closing summary.
class Skipped {
public:
    void add(long line)
    {
        if (count_++ < 10)
            lines_ += std::string(lines_.empty() ? "" : ", ") + std::to_string(line);
    }
    // On standard error, when any were skipped.
    void report() const
    {
        if (count_ == 0)
            return;
        std::fprintf(stderr, "milfo-calc: skipped %lld empty %s (%s %s%s)\n", count_,
                     count_ == 1 ? "row" : "rows", count_ == 1 ? "line" : "lines", lines_.c_str(),
                     count_ > 10 ? ", ..." : "");
    }

private:
    long long count_ = 0;
    std::string lines_;
};

bool allEmpty(const std::vector<std::string>& cells)
{
    for (const std::string& c : cells)
        if (!c.empty())
            return false;
    return true;
}

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
    const std::vector<std::vector<std::string>> inputs = inputNames(view);
    std::unique_ptr<std::FILE, FileCloser> file;
    std::unique_ptr<TextSource> source;
    std::unique_ptr<CsvReader> reader;
    std::vector<std::string> cells;
    Columns columns;
    // Each column of the file: the index of its input in columns, or
    // kPassedThrough.
    std::vector<size_t> fileInput;
    Skipped skipped;
    std::vector<ValueList> lists;
    bool nominal = false;
    long long fileSize = -1;
    std::uint64_t total = 1;  // the rows of a table

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
        std::string product;
        bool tooMany = false;
        for (const ValueList& l : lists) {
            product += (product.empty() ? "" : " × ") + std::to_string(l.size());
            tooMany = tooMany || total > UINT64_MAX / l.size();
            total *= l.size();
        }
        if (tooMany)
            throw Stop{"--vary: " + product + " rows are too many to count"};
        for (const auto& [name, text] : o.sets)
            columns.add(view, inputs, name, "--set: ");
        for (const auto& [name, list] : o.varies)
            columns.add(view, inputs, name, "--vary: ");
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
        // The header: the first line that is not empty.
        bool header = false;
        while ((header = reader->next(cells)) && allEmpty(cells))
            skipped.add(reader->line());
        if (!header)
            throw Stop{"the input is empty: its first line must name the inputs (milfo-calc --list " +
                       std::string(prog.name) + ")"};
        const std::string where = (o.haveFile && o.file != "-" ? o.file : "(standard input)") + ": line " +
                                  std::to_string(reader->line());
        std::string passed;
        for (size_t i = 0; i < cells.size(); ++i) {
            const std::string at = where + ", column " + std::to_string(i + 1) + ": ";
            const Control* c = Columns::named(view, inputs, cells[i], at);
            if (c == nullptr) {
                if (o.strictColumns)
                    Columns::noInput(view, cells[i], at);
                passed += (passed.empty() ? "" : ", ") +
                          (cells[i].empty() ? "column " + std::to_string(i + 1) + " (no header)" : cells[i]);
                fileInput.push_back(kPassedThrough);
                continue;
            }
            fileInput.push_back(columns.controls.size());
            columns.add(c, cells[i], at);
        }
        if (columns.controls.empty())
            throw Stop{where + ": no column names an input of " + prog.name + "; its inputs are " +
                       inputList(view)};
        if (!passed.empty())
            std::fprintf(stderr, "milfo-calc: passed through: %s\n", passed.c_str());
        for (const auto& [name, text] : o.sets)
            columns.add(view, inputs, name, "--set: ");
    }
    const size_t fileColumns = fileInput.size();
    const std::vector<std::string> fileHeader = cells;
    // The inputs from the file come first, those of --set after them.
    const size_t fileInputs = table ? 0 : columns.controls.size() - o.sets.size();

    RowRunner runner(view, columns.controls, columns.names, presses, o.lenient);

    CsvWriter out(stdout);
    if (o.bom)
        out.byteOrderMark();
    const auto inputHeader = [&](size_t k) {
        const Control* c = columns.controls[k];
        out.cell(o.names ? std::string(c->name) : view.caption(*c));
    };
    if (nominal)
        out.cell(o.names ? "nominal" : "呼び径");
    for (size_t k = 0; k < fileColumns; ++k) {
        if (fileInput[k] == kPassedThrough)
            out.cell(fileHeader[k]);
        else
            inputHeader(fileInput[k]);
    }
    for (size_t k = fileInputs; k < columns.controls.size(); ++k)
        inputHeader(k);
    for (const Control* r : runner.resultBoxes())
        out.cell(o.names ? std::string(r->name) : view.caption(*r));
    out.cell(o.names ? "error" : "エラー");
    out.endRecord();
    if (isatty(1) && !out.flush())
        throw OutputError();

    Progress progress(progressShown(2, 1));
    // Rows typed at a terminal are answered one by one.
    const bool interactive = isatty(1) != 0;
    RowOutcome outcome;
    std::vector<std::string> row(columns.controls.size());
    for (size_t k = 0; k < o.sets.size(); ++k)
        row[fileInputs + k] = o.sets[k].second;
    // A row whose inputs are written: its results and its error.
    const auto finish = [&] {
        for (const std::string& r : outcome.results)
            out.cell(r);
        out.cell(outcome.error);
        out.endRecord();
        if (interactive && !out.flush())
            throw OutputError();
    };

    if (table) {
        std::vector<std::uint64_t> at(lists.size(), 0);
        std::string nominalText;
        for (std::uint64_t done = 0; done < total; ++done) {
            for (size_t k = 0; k < lists.size(); ++k) {
                row[o.sets.size() + k] = lists[k].text(at[k]);
                if (lists[k].isPipeSizes())
                    nominalText = lists[k].nominal(at[k]);
            }
            runner.run(row, outcome);
            if (nominal)
                out.cell(nominalText);
            for (const std::string& cell : row)
                out.cell(cell);
            finish();
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
                if (allEmpty(cells)) {
                    skipped.add(reader->line());
                    continue;
                }
                if (cells.size() != fileColumns)
                    throw InputError(reader->line(), std::to_string(cells.size()) +
                                                         (cells.size() == 1 ? " cell" : " cells") +
                                                         ", the header has " + std::to_string(fileColumns));
                for (size_t k = 0; k < fileColumns; ++k)
                    if (fileInput[k] != kPassedThrough)
                        row[fileInput[k]].swap(cells[k]);
                runner.run(row, outcome);
                for (size_t k = 0; k < fileColumns; ++k)
                    out.cell(fileInput[k] == kPassedThrough ? cells[k] : row[fileInput[k]]);
                for (size_t k = fileInputs; k < row.size(); ++k)
                    out.cell(row[k]);
                finish();
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
    skipped.report();
    return 0;
}

}  // namespace

bool progressShown(int errFd, int outFd)
{
    if (isatty(errFd) == 0)
        return false;
    if (isatty(outFd) == 0)
        return true;
    // Two terminals: the same one when they are the same device; /dev/tty
    // (5, 0) stands for the process's own terminal, whichever that is.
    struct stat err, out;
    if (fstat(errFd, &err) != 0 || fstat(outFd, &out) != 0)
        return false;
    const auto own = [](const struct stat& s) { return major(s.st_rdev) == 5 && minor(s.st_rdev) == 0; };
    return err.st_rdev != out.st_rdev && !own(err) && !own(out);
}

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
