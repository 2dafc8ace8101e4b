// A calculator program run row by row without a window: the same program
// description and handlers as the window, through a Form made of the
// controls' texts. A row is entered as a person enters it: the window starts
// as loaded (the list filled, form_load run), the cells go into their boxes in
// tab order (a list cell that is one of the list's entries is picked, which
// raises the list's click; any other text is typed; read leniently, an empty
// cell of a box is not typed at all), then the buttons are pressed. A run-time error empties the result boxes
// the handler had not yet written, as the window does, and gives the window's message.
// Read strictly (the default), a list cell names an entry as a person reads
// it (folding.h: "保温筒2種" picks "保温筒２種"), and one that names no entry
// is an error of its row.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "folding.h"
#include "numeric.h"
#include "program.h"

namespace milfo::calc {

// What the command line sees of a program: its inputs and its buttons, and
// the names a person knows them by.
class ProgramView {
public:
    explicit ProgramView(const ProgramDescription& program);

    const ProgramDescription& program() const { return program_; }
    // The boxes no button writes, and the list, in tab order.
    const std::vector<const Control*>& inputs() const { return inputs_; }
    // The buttons whose handlers write result boxes (never 終了), in tab order.
    const std::vector<const Control*>& buttons() const { return buttons_; }
    const Handler& clickOf(const Control& button) const;

    // An input by its control name or by its caption; nullptr when none.
    const Control* findInput(std::string_view name) const;
    // Any control by its name or caption (buttons by their text).
    const Control* findControl(std::string_view name) const;
    // The name the window gives a control: its caption for assistive
    // technology, the text of a button; the control name when it has none.
    std::string caption(const Control& control) const;

private:
    const ProgramDescription& program_;
    std::vector<const Control*> inputs_;
    std::vector<const Control*> buttons_;
};

// The window's controls as texts, and its list's entries.
class RowForm : public Form {
public:
    explicit RowForm(const ProgramDescription& program);

    std::string text(std::string_view control) const override;
    void setText(std::string_view control, std::string_view text) override;
    void addItem(std::string_view control, std::string_view text) override;
    void end() override {}

    // Raises an event as the window does: on a run-time error the handler's
    // result boxes it had not written are emptied and the error returned.
    std::optional<ErrorKind> raise(const Handler& handler);

    const std::string& textAt(size_t control) const { return texts_[control]; }
    void type(size_t control, std::string_view text) { texts_[control] = text; }
    const std::vector<std::string>& entries() const { return entries_; }

private:
    size_t indexOf(std::string_view control) const;

    const ProgramDescription* program_;
    std::vector<std::string> texts_;  // by the control's index in the table
    std::vector<std::string> entries_;
};

struct RowOutcome {
    std::vector<std::string> results;  // one per result box
    std::string error;                 // "" when the row went through
};

class RowRunner {
public:
    // columns: the input of each cell and the name its column was given;
    // presses: the buttons, in the order they are pressed. Throws
    // std::runtime_error when loading the window raises an error.
    RowRunner(const ProgramView& view, std::vector<const Control*> columns,
              std::vector<std::string> columnNames, std::vector<const Control*> presses, bool lenient);

    // The boxes the pressed buttons write, in the order they are written.
    const std::vector<const Control*>& resultBoxes() const { return results_; }

    // One row: cells in column order.
    void run(const std::vector<std::string>& cells, RowOutcome& out);

private:
    // Read strictly: the entry the list cell names into entry; when none, an
    // error of the row that names the entries.
    void pickStrictly(size_t column, const std::string& cell, const std::string*& entry,
                      std::string& error) const;

    const ProgramView& view_;
    std::vector<const Control*> columns_;
    std::vector<std::string> columnNames_;
    std::vector<size_t> entryOrder_;     // column indexes in tab order
    std::vector<size_t> columnControl_;  // each column's control index
    std::vector<const Handler*> presses_;
    std::vector<std::string> pressCaptions_;
    std::vector<const Control*> results_;
    std::vector<size_t> resultControl_;
    const Handler* listClick_ = nullptr;
    bool lenient_;
    RowForm loaded_;  // the window as loaded, copied for every row
    RowForm form_;
    ListEntries list_{std::vector<std::string>()};  // the loaded list's entries
};

}  // namespace milfo::calc
