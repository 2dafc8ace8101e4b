#include "batch.h"

#include <algorithm>
#include <cstdint>

#include "folding.h"
#include "runner.h"

namespace milfo::calc {

namespace {

std::string number(long long n)
{
    return std::to_string(n);
}

bool allEmpty(const std::vector<std::string>& cells)
{
    for (const std::string& c : cells)
        if (!c.empty())
            return false;
    return true;
}

// "Text1 低温側温度（℃）, Text2 高温側温度（℃）" in both languages.
Message controlList(const ProgramView& view, const std::vector<const Control*>& controls)
{
    Message out;
    for (const Control* c : controls) {
        const std::string named = std::string(c->name) + " " + view.caption(*c);
        out.en += (out.en.empty() ? "" : ", ") + named;
        out.ja += (out.ja.empty() ? "" : "、") + named;
    }
    return out;
}

Message inputList(const ProgramView& view)
{
    return controlList(view, view.inputs());
}

// Each input's control name and caption: the names a column may give it.
std::vector<std::vector<std::string>> inputNames(const ProgramView& view)
{
    std::vector<std::vector<std::string>> names;
    for (const Control* c : view.inputs())
        names.push_back({c->name, view.caption(*c)});
    return names;
}

[[noreturn]] void noInput(const ProgramView& view, const std::string& name, const Message& where)
{
    const bool other = view.findControl(name) != nullptr;
    const std::string program = view.program().name;
    const Message inputs = inputList(view);
    throw Stop{where + Message{"\"" + name + "\" is " + (other ? "not an input of " : "no input of ") +
                                   program + "; its inputs are " + inputs.en,
                               "「" + name + "」は " + program + " の入力ではありません。入力は " +
                                   inputs.ja + " です。"}};
}

// The columns of a run: the input each names (nullptr: passed through).
std::vector<const Control*> nameColumns(const ProgramView& view, const std::vector<HeaderCell>& header,
                                        const BatchOptions& options, BatchListener& listener)
{
    const std::vector<std::vector<std::string>> names = inputNames(view);
    const std::vector<const Control*>& inputs = view.inputs();
    std::vector<const Control*> of(header.size(), nullptr);
    const auto taken = [&](const Control* c) { return std::find(of.begin(), of.end(), c) != of.end(); };
    const auto add = [&](size_t k, const Control* c) {
        for (size_t i = 0; i < of.size(); ++i)
            if (of[i] == c)
                throw Stop{header[k].where + Message{"\"" + header[i].text + "\" and \"" + header[k].text +
                                                         "\" both name " + c->name,
                                                     "「" + header[i].text + "」と「" + header[k].text +
                                                         "」が同じ入力 " + c->name + " を指しています。"}};
        of[k] = c;
    };
    // A column named by an input's control name or caption, as it is or as
    // a person reads it.
    for (size_t k = 0; k < header.size(); ++k) {
        if (header[k].kind == HeaderCell::Kind::Fixed)
            continue;
        const std::vector<size_t> found = candidatesNamed(header[k].text, names);
        if (found.size() > 1) {
            std::vector<const Control*> both;
            for (size_t i : found)
                both.push_back(inputs[i]);
            const Message alike = controlList(view, both);
            throw Stop{
                header[k].where +
                Message{"\"" + header[k].text + "\" names " + alike.en +
                            " alike (compatibility forms and blanks do not count); give the control name",
                        "「" + header[k].text + "」は " + alike.ja +
                            " のどれとも読めます。コントロール名（Text1 など）で書いてください。"}};
        }
        if (!found.empty())
            add(k, inputs[found[0]]);
    }
    // Then a caption without its unit, for an input no column names yet,
    // when only one caption has that stem.
    for (size_t k = 0; k < header.size(); ++k) {
        if (of[k] != nullptr || header[k].kind == HeaderCell::Kind::Fixed)
            continue;
        const std::string folded = foldedForMatching(header[k].text);
        const Control* stemOf = nullptr;
        int count = 0;
        for (const Control* c : inputs)
            if (!folded.empty() && foldedStem(view.caption(*c)) == folded) {
                stemOf = c;
                ++count;
            }
        if (count != 1 || taken(stemOf))
            continue;
        add(k, stemOf);
        const std::string caption = view.caption(*stemOf);
        listener.note({header[k].text + " is read as " + caption,
                       "「" + header[k].text + "」を " + caption + " の列として読みました。"});
    }
    for (size_t k = 0; k < header.size(); ++k)
        if (of[k] == nullptr && (header[k].kind == HeaderCell::Kind::Input ||
                                 (header[k].kind == HeaderCell::Kind::Free && options.strictColumns)))
            noInput(view, header[k].text, header[k].where);
    return of;
}

std::vector<const Control*> pressed(const ProgramView& view, const std::vector<std::string>& names)
{
    std::vector<const Control*> presses;
    for (const std::string& name : names) {
        const Control* c = view.findControl(name);
        if (c == nullptr || c->kind != ControlKind::CommandButton)
            throw Stop{{"--press: \"" + name + "\" is no button of " + view.program().name,
                        "「" + name + "」は " + view.program().name + " のボタンではありません。"}};
        if (std::find(view.buttons().begin(), view.buttons().end(), c) == view.buttons().end())
            throw Stop{
                {"--press: \"" + name + "\" calculates nothing", "「" + name + "」は何も計算しません。"}};
        presses.push_back(c);
    }
    return presses.empty() ? view.buttons() : presses;
}

// The cells a calculation read otherwise than as typed, by column: how
// many, and the first.
class ReadingNotes {
public:
    explicit ReadingNotes(size_t columns) : count_(columns, 0), first_(columns) {}

    void add(size_t column, const Message& where, const std::string& name, const std::string& note)
    {
        if (count_[column]++ == 0)
            first_[column] = where + Message{", " + name + ": " + note, " " + name + ": " + note};
    }
    void say(BatchListener& listener) const
    {
        for (size_t i = 0; i < count_.size(); ++i) {
            if (count_[i] == 0)
                continue;
            Message m = first_[i];
            if (count_[i] > 1) {
                const std::string more = number(count_[i] - 1);
                m += {" (and " + more + " more " + (count_[i] == 2 ? "cell" : "cells") +
                          " of the column not read as typed)",
                      "（この列ではほかに " + more + " 個のセルを入力どおりに読んでいません）"};
            }
            listener.note(m);
        }
    }

private:
    std::vector<long long> count_;
    std::vector<Message> first_;
};

constexpr size_t kPassedThrough = static_cast<size_t>(-1);

}  // namespace

CsvRows::CsvRows(TextSource& text, Message name, long long size,
                 std::vector<std::pair<std::string, std::string>> sets)
    : text_(text), reader_(text), name_(std::move(name)), size_(size), sets_(std::move(sets))
{
}

std::vector<HeaderCell> CsvRows::header()
{
    std::vector<std::string> cells;
    bool found = false;
    while ((found = reader_.next(cells)) && allEmpty(cells))
        closingSkip(reader_.line());
    if (!found)
        return {};
    headerLine_ = reader_.line();
    width_ = cells.size();
    std::vector<HeaderCell> header;
    const Message at = headerWhere();
    for (size_t i = 0; i < cells.size(); ++i) {
        const std::string column = number(static_cast<long long>(i + 1));
        header.push_back({std::move(cells[i]), HeaderCell::Kind::Free,
                          at + Message{", column " + column + ": ", " " + column + " 列目: "}});
    }
    for (const auto& [name, text] : sets_)
        header.push_back({name, HeaderCell::Kind::Input, {"--set: ", "--set: "}});
    return header;
}

void CsvRows::closingSkip(long line)
{
    if (skipped_++ < 10)
        skippedLines_ += (skippedLines_.empty() ? "" : ", ") + number(line);
}

bool CsvRows::next(std::vector<std::string>& cells)
{
    for (;;) {
        if (!reader_.next(cells))
            return false;
        if (!allEmpty(cells))
            break;
        closingSkip(reader_.line());
    }
    if (cells.size() != width_) {
        const std::string n = number(static_cast<long long>(cells.size()));
        const std::string w = number(static_cast<long long>(width_));
        throw InputError(reader_.line(),
                         {n + (cells.size() == 1 ? " cell" : " cells") + ", the header has " + w,
                          "セルが " + n + " 個あります。見出しは " + w + " 個です。"});
    }
    cells.resize(width_ + sets_.size());
    for (size_t k = 0; k < sets_.size(); ++k)
        cells[width_ + k] = sets_[k].second;
    return true;
}

Message CsvRows::where() const
{
    const std::string line = number(reader_.line());
    return {"line " + line, line + " 行目"};
}

Message CsvRows::headerWhere() const
{
    const std::string line = number(headerLine_);
    return name_ + Message{": line " + line, " の " + line + " 行目"};
}

double CsvRows::done() const
{
    return size_ > 0 ? static_cast<double>(text_.consumed()) / static_cast<double>(size_) : -1.0;
}

std::vector<Message> CsvRows::closingNotes() const
{
    if (skipped_ == 0)
        return {};
    const std::string n = number(skipped_);
    const std::string more = skipped_ > 10 ? ", ..." : "";
    return {{"skipped " + n + " empty " + (skipped_ == 1 ? "row" : "rows") + " (" +
                 (skipped_ == 1 ? "line " : "lines ") + skippedLines_ + more + ")",
             "空の行を " + n + " 行飛ばしました（" + skippedLines_ + more + " 行目）。"}};
}

TableRows::TableRows(std::vector<std::pair<std::string, std::string>> sets,
                     std::vector<std::pair<std::string, std::string>> varies, bool names)
    : sets_(std::move(sets)), varies_(std::move(varies)), names_(names)
{
    for (const auto& [name, list] : varies_) {
        try {
            lists_.emplace_back(list);
        } catch (const std::invalid_argument& e) {
            throw Stop{{"--vary " + name + ": " + e.what(), "--vary " + name + ": " + e.what()}};
        }
        if (lists_.back().isPipeSizes()) {
            if (nominal_)
                throw Stop{
                    {"--vary: sgp may vary one input only", "--vary: sgp は一つの入力だけに使えます。"}};
            nominal_ = true;
        }
    }
    std::string product;
    bool tooMany = false;
    for (const ValueList& l : lists_) {
        product += (product.empty() ? "" : " × ") + std::to_string(l.size());
        tooMany = tooMany || total_ > UINT64_MAX / l.size();
        total_ *= l.size();
    }
    if (tooMany)
        throw Stop{{"--vary: " + product + " rows are too many to count",
                    "--vary: " + product + " 行は数えきれません。"}};
    at_.assign(lists_.size(), 0);
}

std::vector<HeaderCell> TableRows::header()
{
    std::vector<HeaderCell> header;
    if (nominal_)
        header.push_back({names_ ? "nominal" : "呼び径", HeaderCell::Kind::Fixed});
    for (const auto& [name, text] : sets_)
        header.push_back({name, HeaderCell::Kind::Input, {"--set: ", "--set: "}});
    for (const auto& [name, list] : varies_)
        header.push_back({name, HeaderCell::Kind::Input, {"--vary: ", "--vary: "}});
    return header;
}

bool TableRows::next(std::vector<std::string>& cells)
{
    if (row_ == total_)
        return false;
    cells.clear();
    for (size_t k = 0; k < lists_.size(); ++k)
        if (lists_[k].isPipeSizes())
            cells.push_back(lists_[k].nominal(at_[k]));
    for (const auto& [name, text] : sets_)
        cells.push_back(text);
    for (size_t k = 0; k < lists_.size(); ++k)
        cells.push_back(lists_[k].text(at_[k]));
    for (size_t k = lists_.size(); k-- > 0;) {
        if (++at_[k] < lists_[k].size())
            break;
        at_[k] = 0;
    }
    ++row_;
    return true;
}

Message TableRows::where() const
{
    const std::string row = std::to_string(row_);
    return {"row " + row, row + " 行目"};
}

double TableRows::done() const
{
    return static_cast<double>(row_) / static_cast<double>(total_);
}

namespace {

// The header's columns as the run enters them: the inputs in column order
// with the names their columns were given, and each column's place among
// them (kPassedThrough for a column copied as it stands).
struct Columns {
    std::vector<const Control*> of;  // by column: its input, or nullptr
    std::vector<const Control*> controls;
    std::vector<std::string> names;
    std::vector<size_t> input;
};

// Names the header's columns and refuses a header that names no input, or
// (read strictly) one without an input the calculation needs; the columns
// passed through are said.
Columns inputColumns(const ProgramView& view, const std::vector<HeaderCell>& header,
                     const BatchOptions& options, const RowSource& rows, BatchListener& listener)
{
    const char* const program = view.program().name;
    if (header.empty())
        throw Stop{{"the input is empty: its first line must name the inputs (milfo-calc --list " +
                        std::string(program) + ")",
                    "ファイルが空です。最初の行に入力の名前（見出し）を書きます。"}};
    Columns c;
    c.of = nameColumns(view, header, options, listener);
    c.input.assign(header.size(), kPassedThrough);
    Message passed;
    for (size_t k = 0; k < header.size(); ++k) {
        if (c.of[k] != nullptr) {
            c.input[k] = c.controls.size();
            c.controls.push_back(c.of[k]);
            c.names.push_back(header[k].text);
            continue;
        }
        const std::string column = number(static_cast<long long>(k + 1));
        const bool blank = header[k].text.empty();
        passed.en +=
            (passed.en.empty() ? "" : ", ") + (blank ? "column " + column + " (no header)" : header[k].text);
        passed.ja +=
            (passed.ja.empty() ? "" : ", ") + (blank ? column + " 列目（見出しなし）" : header[k].text);
    }
    const Message at = rows.headerWhere();
    const Message colon = at.en.empty() ? Message{"", ""} : Message{": ", ": "};
    if (c.controls.empty()) {
        const Message inputs = inputList(view);
        throw Stop{
            at + colon +
            Message{
                "no column names an input of " + std::string(program) + "; its inputs are " + inputs.en,
                program + std::string(" の入力を指す列がありません。入力は ") + inputs.ja +
                    " です（見出しに、ウィンドウの入力の名前か Text1 などのコントロール名を書きます）。"}};
    }
    if (!options.lenient) {
        const std::vector<const Control*> missing = view.rules()->missingInputs(c.controls);
        if (!missing.empty()) {
            const Message named = controlList(view, missing);
            const bool one = missing.size() == 1;
            throw Stop{
                at + colon +
                Message{"no column gives " + named.en + ", which the calculation needs" +
                            (passed.en.empty() ? "" : " (passed through: " + passed.en + ")") +
                            (one ? "; add the column, give it" : "; add the columns, give them") +
                            " with --set, or read the rows as the window does with --lenient",
                        "計算に必要な入力 " + named.ja + " の列がありません" +
                            (passed.ja.empty() ? "" : "（そのまま写す列: " + passed.ja + "）") +
                            "。列を加えてください（「ウィンドウと同じに読む」では、列のない入力をウィンドウ"
                            "の初めのままにして計算します）。"}};
        }
    }
    if (!passed.en.empty())
        listener.note(Message{"passed through: ", "そのまま写した列: "} + passed);
    return c;
}

// The output's header: the file's columns as given, inputs and results by
// caption or by control name, and the error column.
std::vector<std::string> outputHeads(const ProgramView& view, const std::vector<HeaderCell>& header,
                                     const Columns& columns, const RowRunner& runner, bool names)
{
    std::vector<std::string> heads;
    for (size_t k = 0; k < header.size(); ++k) {
        const Control* input = columns.of[k];
        heads.push_back(input == nullptr ? header[k].text
                        : names          ? std::string(input->name)
                                         : view.caption(*input));
    }
    for (const Control* r : runner.resultBoxes())
        heads.push_back(names ? std::string(r->name) : view.caption(*r));
    heads.emplace_back(names ? "error" : "エラー");
    return heads;
}

}  // namespace

void runBatch(const ProgramDescription& program, const BatchOptions& options, RowSource& rows, ByteSink& sink,
              BatchListener& listener)
{
    const ProgramView view(program);
    const std::vector<const Control*> presses = pressed(view, options.presses);
    const std::vector<HeaderCell> header = rows.header();
    const Columns columns = inputColumns(view, header, options, rows, listener);
    const std::vector<const Control*>& controls = columns.controls;
    const std::vector<size_t>& input = columns.input;

    RowRunner runner(view, controls, columns.names, presses, options.lenient);
    CsvWriter out(sink);
    if (options.byteOrderMark)
        out.byteOrderMark();
    const auto flushed = [&] {
        if (!out.flush())
            throw OutputError();
    };

    const std::vector<std::string> heads = outputHeads(view, header, columns, runner, options.names);
    std::vector<const std::string*> record;
    for (const std::string& h : heads) {
        out.cell(h);
        record.push_back(&h);
    }
    out.endRecord();
    listener.record(record, false);
    if (options.flushEachRow)
        flushed();

    ReadingNotes notes(controls.size());
    const auto closing = [&] {
        if (options.lenient)
            notes.say(listener);
        for (const Message& m : rows.closingNotes())
            listener.note(m);
    };
    std::vector<std::string> cells, row(controls.size());
    RowOutcome outcome;
    long long done = 0;
    try {
        while (rows.next(cells)) {
            for (size_t k = 0; k < header.size(); ++k)
                if (input[k] != kPassedThrough)
                    row[input[k]].swap(cells[k]);
            runner.run(row, outcome);
            if (options.lenient)
                for (size_t i = 0; i < controls.size(); ++i)
                    if (const std::string& note = runner.form().markOf(*controls[i]); !note.empty())
                        notes.add(i, rows.where(), columns.names[i], note);
            record.clear();
            for (size_t k = 0; k < header.size(); ++k)
                record.push_back(input[k] != kPassedThrough ? &row[input[k]] : &cells[k]);
            for (const std::string& r : outcome.results)
                record.push_back(&r);
            record.push_back(&outcome.error);
            for (const std::string* cell : record)
                out.cell(*cell);
            out.endRecord();
            listener.record(record, !outcome.error.empty());
            if (options.flushEachRow)
                flushed();
            listener.progress(++done, rows.done());
        }
    } catch (const InputError&) {
        out.flush();
        closing();
        throw;
    }
    flushed();
    closing();
}

std::vector<const Control*> namedColumns(const ProgramView& view, const std::vector<HeaderCell>& header,
                                         BatchListener& listener)
{
    return nameColumns(view, header, BatchOptions{}, listener);
}

}  // namespace milfo::calc
