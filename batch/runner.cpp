#include "runner.h"

#include <algorithm>

#include "message.h"

namespace milfo::calc {

ProgramView::ProgramView(const ProgramDescription& program)
    : rules_(std::make_shared<const FormRules>(program))
{
}

const Control* ProgramView::findInput(std::string_view name) const
{
    for (const Control* c : inputs())
        if (name == c->name || name == caption(*c))
            return c;
    return nullptr;
}

InputRole ProgramView::role(const Control& input) const
{
    const FormRules& rules = *rules_;
    InputRole role;
    for (const Control* button : buttons()) {
        const std::vector<const Control*>& reads = rules.readsOf(*button);
        if (std::find(reads.begin(), reads.end(), &input) != reads.end())
            role.buttons.push_back(button);
    }
    for (const Control* list : rules.choiceLists()) {
        std::vector<std::string> entries;
        for (const std::string& entry : rules.initialEntries(*list)) {
            const std::vector<const Control*>& reads = rules.choiceReads(*list, entry);
            if (std::find(reads.begin(), reads.end(), &input) != reads.end())
                entries.push_back(entry);
        }
        if (!entries.empty())
            role.when.emplace_back(list, std::move(entries));
    }
    using Kind = InputRole::Kind;
    if (rules.hasDefault(input))
        role.kind = Kind::Default;
    else if (!rules.needs(input))
        role.kind = Kind::Optional;
    else if (role.buttons.size() == buttons().size() && !role.buttons.empty())
        role.kind = Kind::Needed;
    else if (!role.buttons.empty())
        role.kind = Kind::NeededBy;
    else if (!role.when.empty())
        role.kind = Kind::NeededWhen;
    return role;
}

const Control* ProgramView::findControl(std::string_view name) const
{
    for (const Control& c : program().controls)
        if (c.kind != ControlKind::Label && (name == c.name || name == caption(c)))
            return &c;
    return nullptr;
}

RowRunner::RowRunner(const ProgramView& view, std::vector<const Control*> columns,
                     std::vector<std::string> columnNames, std::vector<const Control*> presses, bool lenient)
    : rules_(view.rules()),
      columns_(std::move(columns)),
      columnNames_(std::move(columnNames)),
      presses_(std::move(presses)),
      lenient_(lenient),
      loaded_(view.rules()),
      form_(view.rules())
{
    const FormRules& rules = *rules_;
    const auto named = [&](const Control& c) {
        return Message(Text::ControlNamed, {c.name, view.caption(c)}).ja();
    };
    for (size_t i = 0; i < columns_.size(); ++i)
        entryOrder_.push_back(i);
    std::stable_sort(entryOrder_.begin(), entryOrder_.end(),
                     [&](size_t a, size_t b) { return columns_[a]->tabIndex < columns_[b]->tabIndex; });
    const size_t places = rules.controls().size();
    columnOf_.assign(places, std::string::npos);
    fillerOf_.assign(places, std::string::npos);
    filled_.assign(places, false);
    for (size_t i = 0; i < columns_.size(); ++i) {
        columnOf_[rules.indexOf(*columns_[i])] = i;
        named_.push_back(named(*columns_[i]));
        if (columns_[i]->kind == ControlKind::ComboBox)
            for (const Control* box : rules.filledBy(*columns_[i]))
                if (fillerOf_[rules.indexOf(*box)] == std::string::npos)
                    fillerOf_[rules.indexOf(*box)] = i;
    }
    for (const Control* button : presses_) {
        pressCaptions_.push_back(view.caption(*button));
        for (const char* box : view.clickOf(*button).results) {
            const Control* c = view.findControl(box);
            if (std::find(results_.begin(), results_.end(), c) == results_.end()) {
                results_.push_back(c);
                resultNamed_.push_back(named(*c));
            }
        }
    }
    for (const Control* input : rules.inputs())
        for (const Control* button : presses_) {
            const std::vector<const Control*>& r = rules.readsOf(*button);
            if (std::find(r.begin(), r.end(), input) != r.end()) {
                reads_.push_back(input);
                break;
            }
        }
    for (const Control* list : rules.choiceLists())
        if (std::find(reads_.begin(), reads_.end(), list) != reads_.end())
            choosers_.push_back(list);
    loadFailure_ = loaded_.load();
    matchedEntries_.resize(columns_.size());
    refused_.resize(columns_.size());
    cellNotes_.resize(columns_.size());
    keptStart_.assign(columns_.size(), false);
    for (const Control* c : columns_)
        numeric_.push_back(rules.readsNumber(*c));
    entries_.assign(columns_.size(), ListEntries(std::vector<std::string>()));
}

const ListEntries& RowRunner::entriesFor(size_t column, const std::vector<std::string>& entries)
{
    if (matchedEntries_[column] != entries) {
        matchedEntries_[column] = entries;
        entries_[column] = ListEntries(entries);
    }
    return entries_[column];
}

void RowRunner::run(const std::vector<std::string>& cells, RowOutcome& out)
{
    out.results.resize(results_.size());
    out.error.clear();
    out.notes.clear();
    try {
        enter(cells, out);
    } catch (...) {
        // Not a handler's failure (those the form reports): the row's own.
        const std::string message = currentFailure().message;
        out.error = out.error.empty() ? message : Message(Text::RowErrors, {out.error, message}).ja();
        for (std::string& r : out.results)
            r.clear();
    }
}

void RowRunner::enter(const std::vector<std::string>& cells, RowOutcome& out)
{
    // The row's errors, in the window's Japanese: each after the column or
    // button it concerns.
    const auto report = [&](const std::string& where, const Message& message) {
        const Message located = where.empty() ? message : Message(Text::RowAt, {where, message});
        out.error = out.error.empty() ? located.ja() : Message(Text::RowErrors, {out.error, located}).ja();
    };
    const auto refuse = [&] {
        for (std::string& r : out.results)
            r.clear();
    };
    if (loadFailure_) {
        report("", Message(Text::Plain, {loadFailure_->message}));
        return refuse();
    }

    Message clickFailures;
    bool anyRefused = enterCells(cells, clickFailures);
    std::vector<std::string> noColumn;
    if (!lenient_ && lacking(cells, noColumn))
        anyRefused = true;
    if (anyRefused) {
        for (size_t i = 0; i < columns_.size(); ++i)
            if (!refused_[i].empty())
                report(columnNames_[i], refused_[i]);
        for (const std::string& where : noColumn)
            report(where, Message(Text::NoColumn));
        return refuse();
    }
    out.error = clickFailures.ja();
    // With one button its failure is the window's message as it stands; with
    // more, each message names its button.
    for (size_t k = 0; k < presses_.size(); ++k)
        if (const auto failure = form_.press(*presses_[k]))
            report(presses_.size() > 1 ? pressCaptions_[k] : std::string(),
                   Message(Text::Plain, {failure->message}));
    for (size_t k = 0; k < results_.size(); ++k)
        out.results[k] = form_.textOf(*results_[k]);
    noteRow(out);
}

// The cells in tab order. Read strictly, a cell that is no number, or no
// entry of its list as the list is when the cell's turn comes, refuses the
// row (true); an empty cell is not typed (the box keeps its start text, or
// what a pick put there) and an empty list cell picks nothing. Read
// leniently, a list cell that names no entry is typed as it stands. The
// failures of the picks' handlers go to clickFailures.
bool RowRunner::enterCells(const std::vector<std::string>& cells, Message& clickFailures)
{
    bool anyRefused = false;
    for (size_t i = 0; i < columns_.size(); ++i) {
        refused_[i] = Message();
        cellNotes_[i].clear();
        keptStart_[i] = false;
    }
    std::fill(filled_.begin(), filled_.end(), false);
    form_ = loaded_;
    for (size_t i : entryOrder_) {
        const Control& input = *columns_[i];
        const std::string& cell = cells[i];
        if (input.kind != ControlKind::ComboBox) {
            if (cell.empty()) {
                keptStart_[i] = rules_->hasDefault(input);
                continue;
            }
            if (!lenient_ && numeric_[i] && !ReadsWhole(cell)) {
                refused_[i] = Message(Text::NotANumber, {cell});
                anyRefused = true;
            }
            form_.type(input, cell);
            continue;
        }
        const ListEntries& entries = entriesFor(i, form_.entries(input));
        const std::string* named = entries.empty() ? &cell : entries.pick(cell);
        if (named == nullptr && !lenient_) {
            if (!cell.empty()) {
                refused_[i] = Message(Text::NotListed, {cell, entries.listed()});
                anyRefused = true;
            }
            continue;
        }
        if (named == nullptr) {
            if (!cell.empty())
                cellNotes_[i] = Message(Text::TypedIntoList, {cell}).ja();
            named = &cell;
        }
        if (!lenient_ && cell.empty())
            continue;
        form_.type(input, *named);
        if (const std::optional<size_t> entry = form_.findEntry(input, *named)) {
            for (const Control* box : rules_->filledBy(input))
                filled_[rules_->indexOf(*box)] = true;
            if (const auto failure = form_.pick(input, *entry)) {
                const Message at(Text::RowAt, {columnNames_[i], failure->message});
                clickFailures = clickFailures.empty() ? at : Message(Text::RowErrors, {clickFailures, at});
            }
        }
    }
    return anyRefused;
}

bool RowRunner::lacking(const std::vector<std::string>& cells, std::vector<std::string>& noColumn)
{
    const FormRules& rules = *rules_;
    bool any = false;
    const auto need = [&](const Control& input) {
        if (!rules.needs(input))
            return;
        const size_t place = rules.indexOf(input);
        const size_t column = columnOf_[place];
        if ((column != std::string::npos && !cells[column].empty()) ||
            (filled_[place] && !form_.textOf(input).empty()))
            return;
        any = true;
        if (column != std::string::npos) {
            if (refused_[column].empty())
                refused_[column] =
                    input.kind == ControlKind::ComboBox
                        ? Message(Text::BlankList, {entriesFor(column, form_.entries(input)).listed()})
                        : Message(Text::Blank);
        } else if (const size_t filler = fillerOf_[place]; filler != std::string::npos) {
            if (refused_[filler].empty())
                refused_[filler] = Message(Text::NoValueFor, {rules.caption(input)});
        } else {
            const std::string where = Message(Text::ControlNamed, {input.name, rules.caption(input)}).ja();
            if (std::find(noColumn.begin(), noColumn.end(), where) == noColumn.end())
                noColumn.push_back(where);
        }
    };
    for (const Control* input : reads_)
        need(*input);
    for (const Control* list : choosers_)
        for (const Control* input : rules.choiceReads(*list, form_.textOf(*list)))
            need(*input);
    return any;
}

void RowRunner::noteRow(RowOutcome& out)
{
    const auto add = [&](const std::string& named, const std::string& note) {
        const Message m(Text::RowNote, {named, note});
        out.notes = out.notes.empty() ? m.ja() : Message(Text::RowNotes, {out.notes, m}).ja();
    };
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (lenient_ && cellNotes_[i].empty() && numeric_[i])
            cellNotes_[i] = form_.markOf(*columns_[i]);
        if (!cellNotes_[i].empty())
            add(named_[i], cellNotes_[i]);
    }
    for (size_t k = 0; k < results_.size(); ++k)
        if (const std::string& note = form_.markOf(*results_[k]); !note.empty())
            add(resultNamed_[k], note);
}

}  // namespace milfo::calc
