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
    : columns_(std::move(columns)),
      columnNames_(std::move(columnNames)),
      presses_(std::move(presses)),
      lenient_(lenient),
      loaded_(view.rules()),
      form_(view.rules())
{
    for (size_t i = 0; i < columns_.size(); ++i)
        entryOrder_.push_back(i);
    std::stable_sort(entryOrder_.begin(), entryOrder_.end(),
                     [&](size_t a, size_t b) { return columns_[a]->tabIndex < columns_[b]->tabIndex; });
    for (const Control* button : presses_) {
        pressCaptions_.push_back(view.caption(*button));
        for (const char* box : view.clickOf(*button).results) {
            const Control* c = view.findControl(box);
            if (std::find(results_.begin(), results_.end(), c) == results_.end())
                results_.push_back(c);
        }
    }
    loadFailure_ = loaded_.load();
    matchedEntries_.resize(columns_.size());
    refused_.resize(columns_.size());
    for (const Control* c : columns_)
        numeric_.push_back(view.rules()->readsNumber(*c));
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

    // Read strictly, a cell that is no number, or no entry of its list as the
    // list is when the cell's turn comes, refuses the row: every such cell is
    // named, in column order.
    std::vector<Message>& refused = refused_;
    for (Message& r : refused)
        r = Message();
    bool anyRefused = false;
    if (!lenient_)
        for (size_t i = 0; i < columns_.size(); ++i)
            if (numeric_[i] && !ReadsWhole(cells[i])) {
                refused[i] = cells[i].empty() ? Message(Text::Blank) : Message(Text::NotANumber, {cells[i]});
                anyRefused = true;
            }

    form_ = loaded_;
    Message clickFailures;
    for (size_t i : entryOrder_) {
        const Control& input = *columns_[i];
        const std::string* cell = &cells[i];
        // Read leniently, an empty cell is a box left as it is: nothing typed
        // over the emissivity a finish has just put there.
        if (lenient_ && cell->empty() && input.kind == ControlKind::TextBox)
            continue;
        if (input.kind != ControlKind::ComboBox) {
            form_.type(input, *cell);
            continue;
        }
        if (!lenient_) {
            const ListEntries& entries = entriesFor(i, form_.entries(input));
            const std::string* named = entries.empty() ? cell : entries.pick(*cell);
            if (named == nullptr) {
                refused[i] = cell->empty() ? Message(Text::BlankList, {entries.listed()})
                                           : Message(Text::NotListed, {*cell, entries.listed()});
                anyRefused = true;
                continue;
            }
            cell = named;
        }
        form_.type(input, *cell);
        if (const std::optional<size_t> entry = form_.findEntry(input, *cell))
            if (const auto failure = form_.pick(input, *entry)) {
                const Message at(Text::RowAt, {columnNames_[i], failure->message});
                clickFailures = clickFailures.empty() ? at : Message(Text::RowErrors, {clickFailures, at});
            }
    }
    if (anyRefused) {
        for (size_t i = 0; i < columns_.size(); ++i)
            if (!refused[i].empty())
                report(columnNames_[i], refused[i]);
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
}

}  // namespace milfo::calc
