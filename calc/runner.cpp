#include "runner.h"

#include <algorithm>
#include <stdexcept>

#include "event.h"

namespace milfo::calc {

namespace {

std::vector<const Control*> inTabOrder(std::vector<const Control*> controls)
{
    std::stable_sort(controls.begin(), controls.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    return controls;
}

size_t indexIn(const ProgramDescription& program, const Control* c)
{
    return static_cast<size_t>(c - program.controls.data());
}

}  // namespace

ProgramView::ProgramView(const ProgramDescription& program) : program_(program)
{
    const auto writtenByButton = [&](const char* box) {
        for (const Control& c : program.controls)
            if (c.kind == ControlKind::CommandButton)
                if (const Handler* h = program.handler(std::string(c.name) + "_Click"))
                    for (const char* r : h->results)
                        if (std::string_view(r) == box)
                            return true;
        return false;
    };
    std::vector<const Control*> inputs, buttons;
    for (const Control& c : program.controls) {
        if (c.kind == ControlKind::ComboBox || (c.kind == ControlKind::TextBox && !writtenByButton(c.name)))
            inputs.push_back(&c);
        if (c.kind == ControlKind::CommandButton) {
            const Handler* h = program.handler(std::string(c.name) + "_Click");
            if (h != nullptr && !h->results.empty())
                buttons.push_back(&c);
        }
    }
    inputs_ = inTabOrder(inputs);
    buttons_ = inTabOrder(buttons);
}

const Handler& ProgramView::clickOf(const Control& button) const
{
    return *program_.handler(std::string(button.name) + "_Click");
}

const Control* ProgramView::findInput(std::string_view name) const
{
    for (const Control* c : inputs_)
        if (name == c->name || name == caption(*c))
            return c;
    return nullptr;
}

const Control* ProgramView::findControl(std::string_view name) const
{
    for (const Control& c : program_.controls)
        if (c.kind != ControlKind::Label && (name == c.name || name == caption(c)))
            return &c;
    return nullptr;
}

std::string ProgramView::caption(const Control& control) const
{
    if (control.kind == ControlKind::CommandButton)
        return control.text;
    for (const Caption& cap : program_.captions) {
        if (std::string_view(cap.control) != control.name)
            continue;
        if (cap.name != nullptr)
            return cap.name;
        for (const Control& label : program_.controls)
            if (std::string_view(label.name) == cap.label)
                return label.text;
    }
    return control.name;
}

RowForm::RowForm(const ProgramDescription& program) : program_(&program)
{
    for (const Control& c : program.controls)
        texts_.emplace_back(c.kind == ControlKind::ComboBox ? "" : c.text);
}

size_t RowForm::indexOf(std::string_view control) const
{
    const std::vector<Control>& controls = program_->controls;
    for (size_t i = 0; i < controls.size(); ++i)
        if (control == controls[i].name)
            return i;
    // Only a fault of a program description leads here.
    throw std::logic_error(std::string(program_->name) + " has no control " + std::string(control));
}

std::string RowForm::text(std::string_view control) const
{
    return texts_[indexOf(control)];
}

void RowForm::setText(std::string_view control, std::string_view text)
{
    texts_[indexOf(control)] = text;
}

void RowForm::addItem(std::string_view, std::string_view text)
{
    entries_.emplace_back(text);
}

std::optional<ErrorKind> RowForm::raise(const Handler& handler)
{
    return runHandler(handler, *this);
}

RowRunner::RowRunner(const ProgramView& view, std::vector<const Control*> columns,
                     std::vector<std::string> columnNames, std::vector<const Control*> presses, bool lenient)
    : view_(view),
      columns_(std::move(columns)),
      columnNames_(std::move(columnNames)),
      lenient_(lenient),
      loaded_(view.program()),
      form_(view.program())
{
    const ProgramDescription& program = view.program();
    for (const Control* c : columns_)
        columnControl_.push_back(indexIn(program, c));
    for (size_t i = 0; i < columns_.size(); ++i)
        entryOrder_.push_back(i);
    std::stable_sort(entryOrder_.begin(), entryOrder_.end(),
                     [&](size_t a, size_t b) { return columns_[a]->tabIndex < columns_[b]->tabIndex; });
    for (const Control* button : presses) {
        const Handler& h = view.clickOf(*button);
        presses_.push_back(&h);
        pressCaptions_.push_back(view.caption(*button));
        for (const char* box : h.results) {
            const Control* c = view.findControl(box);
            if (std::find(results_.begin(), results_.end(), c) == results_.end()) {
                results_.push_back(c);
                resultControl_.push_back(indexIn(program, c));
            }
        }
    }
    listClick_ = program.handler("Combo1_Click");

    // The window as loaded: the list's entries, then form_load.
    for (const std::string& entry : program.listEntries)
        loaded_.addItem("Combo1", entry);
    if (const Handler* load = program.handler("form_load"))
        if (const auto error = loaded_.raise(*load))
            throw std::runtime_error(std::string(program.name) + " cannot load: " + errorMessage(*error));
    list_ = ListEntries(loaded_.entries());
}

void RowRunner::pickStrictly(size_t column, const std::string& cell, const std::string*& entry,
                             std::string& error) const
{
    if (list_.empty() || (entry = list_.pick(cell)) != nullptr)
        return;
    if (!error.empty())
        error += " / ";
    error += columnNames_[column] +
             (cell.empty() ? ": 空欄です（" : ": 「" + cell + "」は一覧にありません（") + list_.listed() +
             "）";
}

void RowRunner::run(const std::vector<std::string>& cells, RowOutcome& out)
{
    out.results.resize(results_.size());
    out.error.clear();

    const std::string* listEntry = nullptr;  // read strictly, the entry the list cell names
    if (!lenient_) {
        for (size_t i = 0; i < columns_.size(); ++i) {
            if (columns_[i]->kind == ControlKind::ComboBox)
                pickStrictly(i, cells[i], listEntry, out.error);
            if (columns_[i]->kind != ControlKind::TextBox || ReadsWhole(cells[i]))
                continue;
            if (!out.error.empty())
                out.error += " / ";
            out.error += columnNames_[i] +
                         (cells[i].empty() ? ": 空欄です" : ": 「" + cells[i] + "」は数値ではありません");
        }
        if (!out.error.empty()) {
            for (std::string& r : out.results)
                r.clear();
            return;
        }
    }

    form_ = loaded_;
    const auto report = [&](const std::string& where, ErrorKind kind) {
        if (!out.error.empty())
            out.error += " / ";
        if (!where.empty())
            out.error += where + ": ";
        out.error += errorMessage(kind);
    };
    for (size_t i : entryOrder_) {
        const bool list = columns_[i]->kind == ControlKind::ComboBox;
        const std::string& cell = list && listEntry != nullptr ? *listEntry : cells[i];
        // Read leniently, an empty cell is a box left as it is: nothing typed
        // over the emissivity a finish has just put there.
        if (lenient_ && cell.empty() && columns_[i]->kind == ControlKind::TextBox)
            continue;
        form_.type(columnControl_[i], cell);
        if (!list || listClick_ == nullptr)
            continue;
        const std::vector<std::string>& entries = form_.entries();
        if (std::find(entries.begin(), entries.end(), cell) != entries.end())
            if (const auto error = form_.raise(*listClick_))
                report(columnNames_[i], *error);
    }
    // With one button its error is the window's message as it stands; with
    // more, each message names its button.
    for (size_t k = 0; k < presses_.size(); ++k)
        if (const auto error = form_.raise(*presses_[k]))
            report(presses_.size() > 1 ? pressCaptions_[k] : std::string(), *error);
    for (size_t k = 0; k < results_.size(); ++k)
        out.results[k] = form_.textAt(resultControl_[k]);
}

}  // namespace milfo::calc
