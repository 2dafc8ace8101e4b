#include "runner.h"

#include <algorithm>

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
        out.error += (out.error.empty() ? "" : " / ") + currentFailure().message;
        for (std::string& r : out.results)
            r.clear();
    }
}

void RowRunner::enter(const std::vector<std::string>& cells, RowOutcome& out)
{
    const auto report = [&](const std::string& where, const std::string& message) {
        if (!out.error.empty())
            out.error += " / ";
        if (!where.empty())
            out.error += where + ": ";
        out.error += message;
    };
    const auto refuse = [&] {
        for (std::string& r : out.results)
            r.clear();
    };
    if (loadFailure_) {
        report("", loadFailure_->message);
        return refuse();
    }

    // Read strictly, a cell that is no number, or no entry of its list as the
    // list is when the cell's turn comes, refuses the row: every such cell is
    // named, in column order.
    std::vector<std::string>& refused = refused_;
    for (std::string& r : refused)
        r.clear();
    bool anyRefused = false;
    if (!lenient_)
        for (size_t i = 0; i < columns_.size(); ++i)
            if (numeric_[i] && !ReadsWhole(cells[i])) {
                refused[i] = cells[i].empty() ? "空欄です" : "「" + cells[i] + "」は数値ではありません";
                anyRefused = true;
            }

    form_ = loaded_;
    std::string clickFailures;
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
        // A list the calculation can do without, left unpicked (a case saves
        // it as an empty cell), stays unpicked.
        if (cell->empty() && !form_.rules().needs(input))
            continue;
        if (!lenient_) {
            const ListEntries& entries = entriesFor(i, form_.entries(input));
            const std::string* named = entries.empty() ? cell : entries.pick(*cell);
            if (named == nullptr) {
                refused[i] = (cell->empty() ? "空欄です（" : "「" + *cell + "」は一覧にありません（") +
                             entries.listed() + "）";
                anyRefused = true;
                continue;
            }
            cell = named;
        }
        form_.type(input, *cell);
        if (const std::optional<size_t> entry = form_.findEntry(input, *cell))
            if (const auto failure = form_.pick(input, *entry))
                clickFailures +=
                    (clickFailures.empty() ? "" : " / ") + columnNames_[i] + ": " + failure->message;
    }
    if (anyRefused) {
        for (size_t i = 0; i < columns_.size(); ++i)
            if (!refused[i].empty())
                report(columnNames_[i], refused[i]);
        return refuse();
    }
    out.error = clickFailures;
    // With one button its failure is the window's message as it stands; with
    // more, each message names its button.
    for (size_t k = 0; k < presses_.size(); ++k)
        if (const auto failure = form_.press(*presses_[k]))
            report(presses_.size() > 1 ? pressCaptions_[k] : std::string(), failure->message);
    for (size_t k = 0; k < results_.size(); ++k)
        out.results[k] = form_.textOf(*results_[k]);
}

}  // namespace milfo::calc
