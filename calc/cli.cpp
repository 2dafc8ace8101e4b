#include "cli.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "batch.h"
#include "catalogue.h"
#include "csv.h"
#include "input.h"
#include "runner.h"
#include "template.h"

#ifndef MILFO_VERSION
#define MILFO_VERSION "?"
#endif

namespace milfo::calc {

namespace {

const char* const kUsage = R"usage(usage: milfo-calc [OPTIONS] PROGRAM [FILE]
       milfo-calc --list [PROGRAM]
       milfo-calc --template PROGRAM > PROGRAM.csv

Runs a calculator of the suite over CSV rows and writes CSV with the texts
its window shows, digit for digit. FILE (or standard input, or "-") holds a
header naming inputs by control name (Text1, Combo1) or by the caption the
window shows, then one row per calculation. Each row is entered as a person
would: the cells in tab order, a list cell that names one of the list's
entries picked from the list, any other text typed; then the buttons are
pressed. The output holds the file's columns as given, one column per
result box, an error column with the window's message when a calculation
fails, and a note column (注意, or "note" with --header names) with what a
row is told besides: a result of 0 for a temperature outside the material's
range, and with --lenient a cell read otherwise than as typed.

No input is silently left as the window starts. A row needs a value for
every input its calculation reads (--list says which: "needed", "needed by"
a button, "needed when" a criterion or a shape is chosen), but for those
whose start text the program declares usable ("default": still air, a
plane, 保温設計's standard thicknesses, 60 ℃ and no margin), which an
absent column or an empty cell leaves as the window starts (said once).
A needed input without a column or --set refuses the run (exit 2); one that
only some rows need (a criterion's) is the error of the rows that need it.
A list that only fills other boxes (a finish, a 呼び径) gives those boxes.
Unless --press chooses, a button none of whose own inputs (those no other
button reads) has a column is not pressed, and said.

A line list as kept in a spreadsheet is read as it is:
  - a column that names no input (a line number, a tag, a remark) is copied
    to the output in its place and named on standard error ("passed
    through: 番号, 備考"); --strict-columns refuses it instead;
  - headers and list cells are compared as a person reads them: under
    Unicode NFKC (full-width and half-width forms alike, (°C) is （℃）, 2 is
    ２ and ², ｶﾞ is ガ) with blanks and line breaks ignored, so the header
    低温側温度 (°C) names 低温側温度（℃） and the cell 保温筒2種 picks
    保温筒２種; a header that would name two inputs so is an error; the
    cells are written out as given;
  - a header that is an input's caption without its unit (低温側温度) or
    with its unit in any usual notation, in brackets of any kind or none
    (表面温度℃, 周囲温度 [°C], 風速 m/s, W/(m·K)), names that input, and
    standard error says so; a unit other than the window's (風速(km/h),
    外径(mm)) refuses the run naming the window's unit; a part in brackets
    that is no unit (周囲温度(夏季)) is passed through, and named when the
    input it resembles is missing;
  - blank lines and rows of empty cells are skipped, and counted on
    standard error at the end;
  - a line ends with CRLF, LF or a lone CR (old Mac files);
  - a row holds at most 4096 cells and 1 MiB of the file.

Options:
  --list [PROGRAM]       the programs, their inputs (what a row must give
                         each), lists, buttons and results
  --template PROGRAM     a line list to start from: the captions of the
                         inputs and one example row that computes (UTF-8
                         with a BOM, CRLF)
  --press NAME           press this button (control name or caption; may be
                         given more than once); default: every button that
                         calculates, in tab order, but those whose own
                         inputs have no column
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
                         a list cell that names no entry is typed into the
                         list as it stands; an input without a column stays
                         as the window starts), and say so: in the note
                         column of each row, and once per column on standard
                         error; by default such a cell is an error of its
                         row, and the error of a list cell names the list's
                         entries
  --strict-columns       a column that names no input is an error (exit 2)
  --encoding ENC         input encoding: auto (default: a UTF-8 or UTF-16
                         byte order mark, else the first byte that is not
                         ASCII decides between UTF-8 and CP932), utf-8,
                         cp932 (what Excel on a Japanese system writes),
                         utf-16le or utf-16be (Excel's 「Unicode テキスト」:
                         cells separated by tabs when the header has tabs
                         and no commas); standard error says which. An
                         Excel workbook (.xlsx, .xls, .ods) is refused
  --bom                  start the output with a UTF-8 BOM, for Excel
  --header captions|names  output headers of inputs and results: the window's
                         captions (default) or control names, "error" and
                         "note"
  --help, --version

While a long run goes on, a progress line (rows, rows per second, time
left) is shown on standard error when it is a terminal and the output is
not that same terminal.

Exit status: 0 done (failed calculations are rows with an error); 2 a wrong
command line (a --vary whose combinations are too many to count among
them), a doubled column or one that names two inputs, a header that names
no input or gives one in another unit, a needed input without a column, a
column that names none with --strict-columns, a workbook, or a malformed
CSV line or one beyond the limits (rows before it are written); 1 the
output cannot be written, or the run stopped on a fault of its own (the
rows before it are written).

Examples:
  milfo-calc --list fennick
  milfo-calc --template fennick > lines.csv
  milfo-calc fennick lines.csv > results.csv
  milfo-calc --bom 熱伝達率 from-excel.csv > out.csv
  milfo-calc ravelt --press 配管の計算 --set Text1=0.05 --set Text2=300 \
      --set Text3=40 --set Text4=20 --set Text5=10 --vary Text7=sgp
)usage";

// A wrong command line: the message, exit status 2.
struct Wrong {
    std::string message;
};

struct Options {
    std::string program;
    std::string file;
    bool haveFile = false;
    bool list = false;
    bool makeTemplate = false;
    Encoding encoding = Encoding::Auto;
    BatchOptions batch;
    std::vector<std::pair<std::string, std::string>> sets;    // NAME, TEXT
    std::vector<std::pair<std::string, std::string>> varies;  // NAME, LIST
};

std::pair<std::string, std::string> assignment(const std::string& option, const std::string& arg)
{
    const size_t eq = arg.find('=');
    if (eq == std::string::npos || eq == 0)
        throw Wrong{option + " takes NAME=" + (option == "--set" ? "TEXT" : "LIST") + ", not \"" + arg +
                    "\""};
    return {arg.substr(0, eq), arg.substr(eq + 1)};
}

// One option: its names, whether it takes a value, and what it does; true
// when it answers the command by itself (--help, --version).
struct Option {
    const char* name;
    const char* alias;
    bool takesValue;
    bool (*apply)(Options& o, const std::string& value);
};

const Option kOptions[] = {
    {"--help", "-h", false,
     [](Options&, const std::string&) {
         std::fputs(kUsage, stdout);
         return true;
     }},
    {"--version", nullptr, false,
     [](Options&, const std::string&) {
         std::printf("milfo-calc %s\n", MILFO_VERSION);
         return true;
     }},
    {"--list", nullptr, false,
     [](Options& o, const std::string&) {
         o.list = true;
         return false;
     }},
    {"--template", nullptr, false,
     [](Options& o, const std::string&) {
         o.makeTemplate = true;
         return false;
     }},
    {"--lenient", nullptr, false,
     [](Options& o, const std::string&) {
         o.batch.lenient = true;
         return false;
     }},
    {"--strict-columns", nullptr, false,
     [](Options& o, const std::string&) {
         o.batch.strictColumns = true;
         return false;
     }},
    {"--bom", nullptr, false,
     [](Options& o, const std::string&) {
         o.batch.byteOrderMark = true;
         return false;
     }},
    {"--press", nullptr, true,
     [](Options& o, const std::string& v) {
         o.batch.presses.push_back(v);
         return false;
     }},
    {"--set", nullptr, true,
     [](Options& o, const std::string& v) {
         o.sets.push_back(assignment("--set", v));
         return false;
     }},
    {"--vary", nullptr, true,
     [](Options& o, const std::string& v) {
         o.varies.push_back(assignment("--vary", v));
         return false;
     }},
    {"--encoding", nullptr, true,
     [](Options& o, const std::string& v) {
         std::string e = v;
         for (char& c : e)
             c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
         if (e == "auto")
             o.encoding = Encoding::Auto;
         else if (e == "utf-8" || e == "utf8")
             o.encoding = Encoding::Utf8;
         else if (e == "cp932" || e == "shift_jis" || e == "sjis" || e == "windows-31j")
             o.encoding = Encoding::Cp932;
         else if (e == "utf-16le" || e == "utf16le")
             o.encoding = Encoding::Utf16Le;
         else if (e == "utf-16be" || e == "utf16be")
             o.encoding = Encoding::Utf16Be;
         else
             throw Wrong{"--encoding is auto, utf-8, cp932, utf-16le or utf-16be, not \"" + e + "\""};
         return false;
     }},
    {"--header", nullptr, true,
     [](Options& o, const std::string& v) {
         if (v != "captions" && v != "names")
             throw Wrong{"--header is captions or names, not \"" + v + "\""};
         o.batch.names = v == "names";
         return false;
     }},
};

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
        // --name=value
        std::string value;
        bool inlineValue = false;
        const size_t eq = arg.find('=');
        if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            inlineValue = true;
        }
        const Option* option = nullptr;
        for (const Option& candidate : kOptions)
            if (arg == candidate.name || (candidate.alias != nullptr && arg == candidate.alias))
                option = &candidate;
        if (option == nullptr)
            throw Wrong{"unknown option " + arg + " (milfo-calc --help lists them)"};
        if (option->takesValue && !inlineValue) {
            if (i + 1 >= argc)
                throw Wrong{arg + " needs a value"};
            value = argv[++i];
        } else if (!option->takesValue && inlineValue) {
            throw Wrong{arg + " takes no value"};
        }
        if (option->apply(o, value))
            return false;
    }
    const size_t most = o.list ? 1 : 2;
    if (positional.size() > most)
        throw Wrong{"too many arguments: \"" + positional[most] + "\" (milfo-calc --help)"};
    if (!positional.empty())
        o.program = positional[0];
    if (positional.size() > 1) {
        o.file = positional[1];
        o.haveFile = true;
    }
    if (!o.list && o.program.empty())
        throw Wrong{"which program? (milfo-calc --list shows them, milfo-calc --help the options)"};
    if (o.makeTemplate && (o.haveFile || o.list))
        throw Wrong{
            "--template PROGRAM writes a line list to start from: give no FILE and no --list with it"};
    if (o.haveFile && !o.varies.empty())
        throw Wrong{"--vary makes the rows itself: give no FILE with it"};
    return true;
}

const ProgramDescription& program(const std::string& name)
{
    const ProgramDescription* p = findProgram(name);
    if (p == nullptr) {
        std::string known;
        for (const CatalogueEntry& e : catalogue())
            known += std::string(known.empty() ? "" : ", ") + e.name;
        throw Wrong{"no program \"" + name + "\"; the programs are " + known};
    }
    return *p;
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
            out += "    " + name + view.caption(*c) + "  (" + roleText(view, *c, view.role(*c)).en() + ")\n";
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
// the run has taken more than a second; the notes of the run.
class Reporter : public BatchListener {
public:
    explicit Reporter(bool progress) : on_(progress), start_(Clock::now()), last_(start_) {}
    ~Reporter() override { clearLine(); }
    Reporter(const Reporter&) = delete;
    Reporter& operator=(const Reporter&) = delete;

    void note(const Message& message) override
    {
        clearLine();
        std::fprintf(stderr, "milfo-calc: %s\n", message.en().c_str());
    }

    void progress(long long rows, double fraction) override
    {
        if (!on_ || (rows & 1023) != 0)
            return;
        const auto now = Clock::now();
        const double elapsed = std::chrono::duration<double>(now - start_).count();
        if (elapsed < 1.0 || std::chrono::duration<double>(now - last_).count() < 0.25)
            return;
        last_ = now;
        const double rate = static_cast<double>(rows) / elapsed;
        char line[160];
        int n = std::snprintf(line, sizeof line, "\r%lld rows, %.0f rows/s", rows, rate);
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
    void clearLine()
    {
        if (shown_)
            std::fputs("\r\033[K", stderr);
        shown_ = false;
    }
    bool on_;
    Clock::time_point start_, last_;
    bool shown_ = false;
};

struct FileCloser {
    void operator()(std::FILE* f) const
    {
        if (f != nullptr && f != stdin)
            std::fclose(f);
    }
};

int run(const Options& o)
{
    const ProgramDescription& prog = program(o.program);
    FileSink sink(stdout);
    Reporter reporter(progressShown(2, 1));
    BatchOptions options = o.batch;
    options.flushEachRow = isatty(1) != 0;

    // Where the rows come from: the values on the command line, or a CSV file.
    if (!o.haveFile && (!o.sets.empty() || !o.varies.empty())) {
        TableRows rows(o.sets, o.varies, options.names);
        runBatch(prog, options, rows, sink, reporter);
        return 0;
    }
    std::unique_ptr<std::FILE, FileCloser> file;
    long long size = -1;
    if (!o.haveFile || o.file == "-") {
        file.reset(stdin);
        if (isatty(0))
            std::fputs("milfo-calc: reading CSV from the terminal (end with Ctrl-D)\n", stderr);
    } else {
        file.reset(std::fopen(o.file.c_str(), "rb"));
        if (file == nullptr)
            throw Wrong{"cannot open " + o.file + ": " + std::strerror(errno)};
        struct stat status;
        if (fstat(fileno(file.get()), &status) == 0 && S_ISREG(status.st_mode))
            size = static_cast<long long>(status.st_size);
    }
    const std::unique_ptr<ByteReader> bytes = fileBytes(file.get());
    const std::unique_ptr<TextSource> text = openSource(*bytes, o.encoding);
    const std::string name = o.haveFile && o.file != "-" ? o.file : "(standard input)";
    CsvRows rows(*text, name, size, o.sets);
    runBatch(prog, options, rows, sink, reporter);
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
    const auto say = [](const std::string& message) {
        std::fflush(stdout);
        std::fprintf(stderr, "milfo-calc: %s\n", message.c_str());
    };
    try {
        if (!parse(argc, argv, o))
            return 0;
        if (o.list) {
            list(o.program);
            return 0;
        }
        if (o.makeTemplate) {
            const std::string csv = templateCsv(ProgramView(program(o.program)));
            if (std::fwrite(csv.data(), 1, csv.size(), stdout) != csv.size() || std::fflush(stdout) != 0)
                throw OutputError();
            return 0;
        }
        return run(o);
    } catch (const Wrong& wrong) {
        say(wrong.message);
        return 2;
    } catch (const Stop& stop) {
        say(stop.message.en());
        return 2;
    } catch (const InputError& e) {
        const std::string name = o.haveFile && o.file != "-" ? o.file : "(standard input)";
        say(e.line() > 0 ? Message(Text::FileLineColon, {name, e.line(), e.message()}).en()
                         : e.message().en());
        return 2;
    } catch (const OutputError& e) {
        std::fprintf(stderr, "milfo-calc: %s\n", e.what());
        return 1;
    } catch (...) {
        // Anything else (out of memory, a fault of the program): the rows
        // before it are written, then the frame's message.
        say(currentFailure().message);
        return 1;
    }
}

}  // namespace milfo::calc
