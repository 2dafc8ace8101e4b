#include "batch.h"

#include <algorithm>
#include <cstdint>

#include "folding.h"
#include "runner.h"

namespace milfo::calc {

namespace {

bool allEmpty(const std::vector<std::string>& cells)
{
    for (const std::string& c : cells)
        if (!c.empty())
            return false;
    return true;
}

// A list of at most Arg::kListed messages made from items, the rest counted.
template <typename Items, typename Make>
Arg listOf(const Items& items, Make make, Text more, Arg::Joined joined)
{
    std::vector<Message> listed;
    size_t n = 0;
    for (const auto& item : items)
        if (n++ < Arg::kListed)
            listed.push_back(make(item));
    // Counted before the list is moved: the order in which a call's
    // arguments are evaluated is the compiler's (clang, which builds the
    // site, goes left to right; gcc right to left).
    const size_t left = n - listed.size();
    return Arg::list(std::move(listed), left, more, joined);
}

// "Text1 低温側温度（℃）, Text2 高温側温度（℃）" (、 in Japanese).
Arg controlList(const ProgramView& view, const std::vector<const Control*>& controls)
{
    return listOf(
        controls,
        [&](const Control* c) {
            return Message(Text::ControlNamed, {c->name, view.caption(*c)});
        },
        Text::MoreColumns, Arg::Joined::Japanese);
}

Arg inputList(const ProgramView& view)
{
    return controlList(view, view.inputs());
}

// Where an error about a column starts: the file's header and the column's
// number, --set or --vary.
Message columnWhere(const RowSource& rows, const HeaderCell& cell, size_t k)
{
    switch (cell.from) {
        case HeaderCell::From::Set:
            return Message(Text::SetOption);
        case HeaderCell::From::Vary:
            return Message(Text::VaryOption);
        case HeaderCell::From::File:
            break;
    }
    return Message(Text::HeaderColumn, {rows.headerWhere(), k + 1});
}

[[noreturn]] void noInput(const ProgramView& view, const std::string& name, const Message& where)
{
    const bool other = view.findControl(name) != nullptr;
    throw Stop{where.then(Message(other ? Text::IsOtherControl : Text::IsNoInput,
                                  {name, view.program().name, inputList(view)}))};
}

// How a header may name an input beyond its control name and caption: the
// caption's stem followed by its unit in any usual notation (each of the
// caption's units when it gives two, 「Ｗ／ｍ２・Ｗ／ｍ」), or by "(-)" when the
// caption has no unit.
struct Stem {
    std::string stem;               // folded: the caption without its unit, or the whole caption
    std::vector<std::string> keys;  // the units as unitKey compares them; none: no unit
    std::string unit;               // the unit as a message names it
};

Stem stemOf(const std::string& caption)
{
    Stem s{foldedStem(caption), {}, foldedUnit(caption)};
    if (s.stem.empty()) {
        s.stem = foldedForMatching(caption);
        s.keys = {"-"};
        return s;
    }
    s.keys.push_back(unitKey(s.unit));
    for (size_t start = 0, dot; start <= s.unit.size(); start = dot + 3) {
        dot = s.unit.find("・", start);
        if (dot == std::string::npos)
            dot = s.unit.size();
        s.keys.push_back(unitKey(s.unit.substr(start, dot - start)));
    }
    return s;
}

// The columns of a run: the input each names (nullptr: passed through), and
// for an input no column names, the column that looks like it (a caption's
// stem and something that is no unit: 周囲温度(夏季)), or npos.
struct Named {
    std::vector<const Control*> of;
    std::vector<size_t> likely;  // by input, in the order of view.inputs()
};

// Names the header's columns in three passes: by an input's control name or
// caption (as it is, or as a person reads it); by a caption's stem and its
// unit in another notation (表面温度℃, 風速 m/s, 周囲温度 [°C]), where another
// unit is an error and a part that is no unit makes the column look like the
// input; by a caption's stem alone, when only one caption has that stem.
class ColumnNamer {
public:
    ColumnNamer(const ProgramView& view, const std::vector<HeaderCell>& header, const RowSource& rows,
                BatchListener& listener)
        : view_(view),
          inputs_(view.inputs()),
          header_(header),
          rows_(rows),
          listener_(listener),
          named_{std::vector<const Control*>(header.size(), nullptr),
                 std::vector<size_t>(inputs_.size(), std::string::npos)}
    {
        for (size_t k = 0; k < header.size(); ++k)
            folded_.push_back(header[k].kind == HeaderCell::Kind::Fixed ? ""
                                                                        : foldedForMatching(header[k].text));
        for (const Control* c : inputs_) {
            const std::string caption = view.caption(*c);
            names_.push_back({c->name, caption});
            foldedNames_.push_back({foldedForMatching(c->name), foldedForMatching(caption)});
            stems_.push_back(stemOf(caption));
        }
    }

    Named name(const BatchOptions& options)
    {
        for (size_t k = 0; k < header_.size(); ++k)
            if (header_[k].kind != HeaderCell::Kind::Fixed)
                byName(k);
        for (size_t k = 0; k < header_.size(); ++k)
            if (named_.of[k] == nullptr && header_[k].kind != HeaderCell::Kind::Fixed)
                byUnit(k);
        for (size_t k = 0; k < header_.size(); ++k)
            if (named_.of[k] == nullptr && header_[k].kind != HeaderCell::Kind::Fixed)
                byStem(k);
        for (size_t k = 0; k < header_.size(); ++k)
            if (named_.of[k] == nullptr &&
                (header_[k].kind == HeaderCell::Kind::Input ||
                 (header_[k].kind == HeaderCell::Kind::Free && options.strictColumns)))
                noInput(view_, header_[k].text, columnWhere(rows_, header_[k], k));
        return std::move(named_);
    }

private:
    void add(size_t k, const Control* c)
    {
        for (size_t i = 0; i < named_.of.size(); ++i)
            if (named_.of[i] == c)
                throw Stop{columnWhere(rows_, header_[k], k)
                               .then(Message(Text::BothName, {header_[i].text, header_[k].text, c->name}))};
        named_.of[k] = c;
    }
    [[noreturn]] void alike(size_t k, const std::vector<size_t>& found) const
    {
        std::vector<const Control*> both;
        for (size_t i : found)
            both.push_back(inputs_[i]);
        throw Stop{columnWhere(rows_, header_[k], k)
                       .then(Message(Text::NamesAlike, {header_[k].text, controlList(view_, both)}))};
    }

    void byName(size_t k)
    {
        const std::vector<size_t> found = candidatesNamed(header_[k].text, folded_[k], names_, foldedNames_);
        if (found.size() > 1)
            alike(k, found);
        if (!found.empty())
            add(k, inputs_[found[0]]);
    }

    void byUnit(size_t k)
    {
        const std::string& folded = folded_[k];
        std::vector<size_t> same;
        size_t other = std::string::npos;
        for (size_t i = 0; i < inputs_.size(); ++i) {
            const Stem& st = stems_[i];
            if (st.stem.empty() || folded.size() <= st.stem.size() ||
                folded.compare(0, st.stem.size(), st.stem) != 0)
                continue;
            const std::string key = unitKey(std::string_view(folded).substr(st.stem.size()));
            if (!key.empty() && std::find(st.keys.begin(), st.keys.end(), key) != st.keys.end())
                same.push_back(i);
            else if (!key.empty() && !st.unit.empty())
                other = i;
            else if (named_.likely[i] == std::string::npos)
                named_.likely[i] = k;
        }
        if (same.size() > 1)
            alike(k, same);
        if (same.size() == 1) {
            add(k, inputs_[same[0]]);
            listener_.note(Message(Text::ReadAs, {header_[k].text, view_.caption(*inputs_[same[0]])}));
        } else if (other != std::string::npos) {
            throw Stop{columnWhere(rows_, header_[k], k)
                           .then(Message(Text::OtherUnit, {header_[k].text, view_.caption(*inputs_[other]),
                                                           stems_[other].unit}))};
        }
    }

    // A caption without its unit, for an input no column names yet.
    void byStem(size_t k)
    {
        const Control* stemOf = nullptr;
        int count = 0;
        for (size_t i = 0; i < inputs_.size(); ++i)
            if (!folded_[k].empty() && !stems_[i].unit.empty() && stems_[i].stem == folded_[k]) {
                stemOf = inputs_[i];
                ++count;
            }
        if (count != 1 || std::find(named_.of.begin(), named_.of.end(), stemOf) != named_.of.end())
            return;
        add(k, stemOf);
        listener_.note(Message(Text::ReadAs, {header_[k].text, view_.caption(*stemOf)}));
    }

    const ProgramView& view_;
    const std::vector<const Control*>& inputs_;
    const std::vector<HeaderCell>& header_;
    const RowSource& rows_;
    BatchListener& listener_;
    Named named_;
    std::vector<std::string> folded_;                    // by column
    std::vector<std::vector<std::string>> names_;        // by input: control name, caption
    std::vector<std::vector<std::string>> foldedNames_;  // the same, folded
    std::vector<Stem> stems_;                            // by input
};

std::vector<const Control*> pressed(const ProgramView& view, const std::vector<std::string>& names)
{
    std::vector<const Control*> presses;
    for (const std::string& name : names) {
        const Control* c = view.findControl(name);
        if (c == nullptr || c->kind != ControlKind::CommandButton)
            throw Stop{Message(Text::NoButton, {name, view.program().name})};
        if (std::find(view.buttons().begin(), view.buttons().end(), c) == view.buttons().end())
            throw Stop{Message(Text::CalculatesNothing, {name})};
        presses.push_back(c);
    }
    return presses.empty() ? view.buttons() : presses;
}

// What the cells of a column were told, said once for the column: the
// first (where it stands, the column as given, what), then how many more.
// The cells a calculation read otherwise than as typed; the empty cells of
// a default.
class ColumnNotes {
public:
    ColumnNotes(size_t columns, Text first, Text more)
        : count_(columns, 0), first_(columns), firstText_(first), moreText_(more)
    {
    }

    void add(size_t column, const RowSource& rows, const std::string& name, const std::string& what)
    {
        if (count_[column]++ == 0)
            first_[column] = Message(firstText_, {rows.where(), name, what});
    }
    void say(BatchListener& listener) const
    {
        for (size_t i = 0; i < count_.size(); ++i) {
            if (count_[i] == 0)
                continue;
            listener.note(count_[i] > 1 ? first_[i].then(Message(moreText_, {count_[i] - 1})) : first_[i]);
        }
    }

private:
    std::vector<long long> count_;
    std::vector<Message> first_;
    Text firstText_, moreText_;
};

constexpr size_t kPassedThrough = static_cast<size_t>(-1);

}  // namespace

CsvRows::CsvRows(TextSource& text, std::string name, long long size,
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
    for (std::string& cell : cells)
        header.push_back({std::move(cell), HeaderCell::Kind::Free, HeaderCell::From::File});
    for (const auto& [name, text] : sets_)
        header.push_back({name, HeaderCell::Kind::Input, HeaderCell::From::Set});
    return header;
}

void CsvRows::closingSkip(long line)
{
    if (skipped_++ < static_cast<long long>(Arg::kListed))
        skippedLines_.push_back(line);
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
    if (cells.size() != width_)
        throw InputError(reader_.line(), Message(Text::CellCount, {cells.size(), width_}));
    cells.resize(width_ + sets_.size());
    for (size_t k = 0; k < sets_.size(); ++k)
        cells[width_ + k] = sets_[k].second;
    return true;
}

Message CsvRows::where() const
{
    return Message(Text::Line, {reader_.line()});
}

Message CsvRows::headerWhere() const
{
    return Message(Text::FileLine, {name_, headerLine_});
}

double CsvRows::done() const
{
    return size_ > 0 ? static_cast<double>(text_.consumed()) / static_cast<double>(size_) : -1.0;
}

std::vector<Message> CsvRows::closingNotes() const
{
    std::vector<Message> notes;
    if (const Message encoding = text_.encoding(); !encoding.empty())
        notes.push_back(Message(Text::EncodingRead, {encoding}));
    if (reader_.separator() == '\t')
        notes.push_back(Message(Text::TabSeparated));
    if (skipped_ == 0)
        return notes;
    // The first ten lines, then "..." when there were more.
    std::vector<Message> lines;
    for (long line : skippedLines_)
        lines.push_back(Message(Text::Plain, {line}));
    const size_t more = static_cast<size_t>(skipped_) - skippedLines_.size();
    notes.push_back(Message(
        Text::Skipped, {skipped_, Arg::list(std::move(lines), more, Text::MoreLines, Arg::Joined::Commas)}));
    return notes;
}

TableRows::TableRows(std::vector<std::pair<std::string, std::string>> sets,
                     std::vector<std::pair<std::string, std::string>> varies, bool names)
    : sets_(std::move(sets)), varies_(std::move(varies)), names_(names)
{
    for (const auto& [name, list] : varies_) {
        try {
            lists_.emplace_back(list);
        } catch (const std::invalid_argument& e) {
            throw Stop{Message(Text::VaryBad, {name, e.what()})};
        }
        if (lists_.back().isPipeSizes()) {
            if (nominal_)
                throw Stop{Message(Text::VarySgpOnce)};
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
        throw Stop{Message(Text::VaryTooMany, {product})};
    at_.assign(lists_.size(), 0);
}

std::vector<HeaderCell> TableRows::header()
{
    std::vector<HeaderCell> header;
    if (nominal_)
        header.push_back({names_ ? "nominal" : "呼び径", HeaderCell::Kind::Fixed, HeaderCell::From::Vary});
    for (const auto& [name, text] : sets_)
        header.push_back({name, HeaderCell::Kind::Input, HeaderCell::From::Set});
    for (const auto& [name, list] : varies_)
        header.push_back({name, HeaderCell::Kind::Input, HeaderCell::From::Vary});
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
    return Message(Text::Row, {static_cast<long long>(row_)});
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

// Whether an input has a value from the columns: its own, or a list's that
// fills it when an entry is picked (the diameter a 呼び径 fills).
bool givenBy(const FormRules& rules, const std::vector<const Control*>& given, const Control& input)
{
    for (const Control* c : given) {
        if (c == &input)
            return true;
        if (c->kind == ControlKind::ComboBox) {
            const std::vector<const Control*>& filled = rules.filledBy(*c);
            if (std::find(filled.begin(), filled.end(), &input) != filled.end())
                return true;
        }
    }
    return false;
}

// Unless --press chooses, the buttons none of whose own inputs (those no
// other button reads) has a column are not pressed: presses loses them,
// and what is said of each is returned. With none left, every one stays, and
// the refusal names what is missing.
std::vector<Message> dropUnpressed(const ProgramView& view, const std::vector<const Control*>& given,
                                   std::vector<const Control*>& presses)
{
    const FormRules& rules = *view.rules();
    std::vector<Message> said;
    std::vector<const Control*> kept;
    for (const Control* b : presses) {
        const std::vector<const Control*> own = rules.ownInputs(*b);
        if (own.empty() || std::any_of(own.begin(), own.end(),
                                       [&](const Control* i) { return givenBy(rules, given, *i); })) {
            kept.push_back(b);
            continue;
        }
        said.push_back(
            Message(Text::NotPressed,
                    {view.caption(*b),
                     listOf(
                         own, [&](const Control* i) { return Message(Text::Plain, {view.caption(*i)}); },
                         Text::MoreColumns, Arg::Joined::Japanese)}));
    }
    if (kept.empty())
        return {};
    presses = kept;
    return said;
}

// Says which inputs keep their start text for want of a column: the
// defaults some press or choice reads, and (read leniently) the missing.
void noteStartTexts(const ProgramView& view, const std::vector<const Control*>& given,
                    const std::vector<const Control*>& presses, const std::vector<const Control*>& missing,
                    BatchListener& listener)
{
    const FormRules& rules = *view.rules();
    const auto reads = [](const std::vector<const Control*>& r, const Control* input) {
        return std::find(r.begin(), r.end(), input) != r.end();
    };
    std::vector<const Control*> starting;
    for (const Control* input : view.inputs()) {
        if (givenBy(rules, given, *input) || !rules.hasDefault(*input))
            continue;
        bool read = false;
        for (const Control* b : presses)
            read = read || reads(rules.readsOf(*b), input);
        for (const Control* list : rules.choiceLists())
            for (const std::string& entry : rules.initialEntries(*list))
                read = read || reads(rules.choiceReads(*list, entry), input);
        if (read)
            starting.push_back(input);
    }
    const auto startTexts = [&](const std::vector<const Control*>& inputs) {
        return listOf(
            inputs,
            [&](const Control* i) {
                return *i->text == '\0' ? Message(Text::StartEmpty, {view.caption(*i)})
                                        : Message(Text::StartText, {view.caption(*i), i->text});
            },
            Text::MoreColumns, Arg::Joined::Commas);
    };
    if (!starting.empty())
        listener.note(Message(Text::AsWindowStarts, {startTexts(starting)}));
    if (!missing.empty())
        listener.note(Message(Text::LeftAsWindowStarts, {startTexts(missing)}));
}

// Names the header's columns and refuses a header that names no input, or
// (read strictly) one without an input the calculation needs; the columns
// passed through are said. Unless --press chooses, a button none of whose
// own inputs has a column is not pressed (presses loses it), and said; so
// are the inputs left as the window starts.
Columns inputColumns(const ProgramView& view, const std::vector<HeaderCell>& header,
                     std::vector<const Control*>& presses, const BatchOptions& options, const RowSource& rows,
                     BatchListener& listener)
{
    const char* const program = view.program().name;
    const FormRules& rules = *view.rules();
    if (header.empty())
        throw Stop{Message(Text::Empty, {program})};
    Columns c;
    const Named named = ColumnNamer(view, header, rows, listener).name(options);
    c.of = named.of;
    c.input.assign(header.size(), kPassedThrough);
    std::vector<size_t> passed;
    for (size_t k = 0; k < header.size(); ++k) {
        if (c.of[k] != nullptr) {
            c.input[k] = c.controls.size();
            c.controls.push_back(c.of[k]);
            c.names.push_back(header[k].text);
        } else {
            passed.push_back(k);
        }
    }
    const Arg passedList = listOf(
        passed,
        [&](size_t k) {
            return header[k].text.empty() ? Message(Text::NoHeaderColumn, {k + 1})
                                          : Message(Text::Plain, {header[k].text});
        },
        Text::MoreColumns, Arg::Joined::Commas);
    const Message at = rows.headerWhere();
    const auto located = [&](Message m) {
        return at.empty() ? m : Message(Text::HeaderAt, {at, std::move(m)});
    };
    if (c.controls.empty())
        throw Stop{located(Message(Text::NoInputColumn, {program, inputList(view)}))};

    std::vector<Message> notPressed;
    if (options.presses.empty())
        notPressed = dropUnpressed(view, c.controls, presses);
    const std::vector<const Control*> missing = rules.missingInputs(c.controls, presses);
    if (!options.lenient && !missing.empty()) {
        std::vector<Message> likely;
        for (const Control* m : missing) {
            const size_t i = static_cast<size_t>(std::find(view.inputs().begin(), view.inputs().end(), m) -
                                                 view.inputs().begin());
            if (named.likely[i] != std::string::npos)
                likely.push_back(
                    Message(Text::LikelyColumn, {header[named.likely[i]].text, view.caption(*m)}));
        }
        throw Stop{located(Message(
            Text::MissingInputs,
            {controlList(view, missing), passed.empty() ? Message() : Message(Text::PassedPart, {passedList}),
             missing.size(),
             likely.empty() ? Message()
                            : Message(Text::LikelyPart, {Arg::list(std::move(likely), 0, Text::MoreColumns,
                                                                   Arg::Joined::Japanese)})}))};
    }
    if (!passed.empty())
        listener.note(Message(Text::PassedThrough, {passedList}));
    for (const Message& m : notPressed)
        listener.note(m);
    noteStartTexts(view, c.controls, presses, options.lenient ? missing : std::vector<const Control*>(),
                   listener);
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
    heads.emplace_back(names ? "note" : "注意");
    return heads;
}

}  // namespace

void runBatch(const ProgramDescription& program, const BatchOptions& options, RowSource& rows, ByteSink& sink,
              BatchListener& listener)
{
    const ProgramView view(program);
    std::vector<const Control*> presses = pressed(view, options.presses);
    const std::vector<HeaderCell> header = rows.header();
    const Columns columns = inputColumns(view, header, presses, options, rows, listener);
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

    ColumnNotes notes(controls.size(), Text::ReadingNote, Text::MoreNotRead);
    ColumnNotes blanks(controls.size(), Text::BlankDefault, Text::MoreBlank);
    const auto closing = [&] {
        notes.say(listener);
        blanks.say(listener);
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
            for (size_t i = 0; i < controls.size(); ++i) {
                if (const std::string& note = runner.cellNotes()[i]; !note.empty())
                    notes.add(i, rows, columns.names[i], note);
                if (runner.keptStart()[i])
                    blanks.add(i, rows, columns.names[i], controls[i]->text);
            }
            record.clear();
            for (size_t k = 0; k < header.size(); ++k)
                record.push_back(input[k] != kPassedThrough ? &row[input[k]] : &cells[k]);
            for (const std::string& r : outcome.results)
                record.push_back(&r);
            record.push_back(&outcome.error);
            record.push_back(&outcome.notes);
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
                                         const RowSource& rows, BatchListener& listener)
{
    return ColumnNamer(view, header, rows, listener).name(BatchOptions{}).of;
}

}  // namespace milfo::calc
