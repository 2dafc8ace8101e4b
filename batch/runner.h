// A calculator program run row by row without a window: the program's form
// model, entered as a person enters it. A row starts from the window as
// loaded (the lists filled, form_load run); its cells go into their boxes in
// tab order (a list cell that names one of the list's entries as it is when
// the cell's turn comes, as a person reads it (folding.h: "保温筒2種" picks
// "保温筒２種"), is picked, which raises the list's click; any other text is
// typed; an empty cell of a box is not typed at all), then the buttons are
// pressed. Whatever fails ends as the window's message in the row's error,
// after the form's error policy has emptied the result boxes the handler had
// not written. Read strictly (the default), a list cell that names no entry
// is an error of its row; read leniently, it is typed, and noted.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "folding.h"
#include "form_model.h"
#include "message.h"

namespace milfo::calc {

// What a row must give an input, as the program's description says: a
// value for every press (Needed), for the presses of some buttons
// (NeededBy), or for the rows whose lists hold some entries (NeededWhen: a
// criterion, a shape); none, its start text standing (Default); none, a list
// that only fills other boxes or that the program checks itself (Optional);
// none, no press reading it (Unread).
struct InputRole {
    enum class Kind { Needed, NeededBy, NeededWhen, Default, Optional, Unread };
    Kind kind = Kind::Unread;
    std::vector<const Control*> buttons = {};  // NeededBy
    // NeededWhen: each list and the entries of it that make a press read the input.
    std::vector<std::pair<const Control*, std::vector<std::string>>> when = {};
};

// What the command line sees of a program: its inputs and its buttons, and
// the names a person knows them by.
class ProgramView {
public:
    explicit ProgramView(const ProgramDescription& program);

    const ProgramDescription& program() const { return rules_->program(); }
    const std::shared_ptr<const FormRules>& rules() const { return rules_; }
    // The boxes no button writes, and the lists, in tab order.
    const std::vector<const Control*>& inputs() const { return rules_->inputs(); }
    // The buttons whose handlers write result boxes (never 終了), in tab order.
    const std::vector<const Control*>& buttons() const { return rules_->calculatingButtons(); }
    const Handler& clickOf(const Control& button) const { return *rules_->clickHandler(button); }

    // An input by its control name or by its caption; nullptr when none.
    const Control* findInput(std::string_view name) const;
    // Any control by its name or caption (buttons by their text).
    const Control* findControl(std::string_view name) const;
    // The name the window gives a control: its caption for assistive
    // technology, the text of a button; the control name when it has none.
    std::string caption(const Control& control) const { return rules_->caption(control); }
    // What a row must give the input when every calculating button is pressed.
    InputRole role(const Control& input) const;

private:
    std::shared_ptr<const FormRules> rules_;
};

struct RowOutcome {
    std::vector<std::string> results;  // one per result box
    std::string error;                 // "" when the row went through
    // What the row is told besides, joined by 「；」, each after its control
    // and caption: a result box's note (a temperature outside the material's
    // range) and, read leniently, a cell read otherwise than as typed.
    std::string notes;
};

// Read strictly, a row needs a value for every input its calculation reads
// (the pressed buttons' inputs and what its choices add: a 保温設計 row its
// own criterion's), but the defaults and the optional lists: a cell, or a
// box a list's pick filled. A row that lacks one is its own error, naming
// the input; an empty cell of an input the row does not read is no error,
// and an empty cell of a default leaves its start text.
class RowRunner {
public:
    // columns: the input of each cell and the name its column was given;
    // presses: the buttons, in the order they are pressed.
    RowRunner(const ProgramView& view, std::vector<const Control*> columns,
              std::vector<std::string> columnNames, std::vector<const Control*> presses, bool lenient);

    // The boxes the pressed buttons write, in the order they are written.
    const std::vector<const Control*>& resultBoxes() const { return results_; }

    // One row: cells in column order. Never throws: any failure is the row's.
    void run(const std::vector<std::string>& cells, RowOutcome& out);
    // The form as the last row left it.
    const FormModel& form() const { return form_; }
    // By column, what the last row's cell was told when read leniently (a
    // number not read as typed, a list cell that names no entry); "": none.
    const std::vector<std::string>& cellNotes() const { return cellNotes_; }
    // By column, whether the last row's cell was empty and its input, a
    // default, kept its start text.
    const std::vector<bool>& keptStart() const { return keptStart_; }

private:
    void enter(const std::vector<std::string>& cells, RowOutcome& out);
    bool enterCells(const std::vector<std::string>& cells, Message& clickFailures);
    // The inputs the row needs and lacks, each as its error: at its column,
    // at the column of a list that would have filled it, or without one.
    bool lacking(const std::vector<std::string>& cells, std::vector<std::string>& noColumn);
    void noteRow(RowOutcome& out);
    // The entries of a list column as a strict cell is matched against them
    // (kept while the list holds the same entries).
    const ListEntries& entriesFor(size_t column, const std::vector<std::string>& entries);

    std::shared_ptr<const FormRules> rules_;
    std::vector<const Control*> columns_;
    std::vector<std::string> columnNames_;
    std::vector<std::string> named_;        // by column: "Text1 低温側温度（℃）"
    std::vector<size_t> entryOrder_;        // column indexes in tab order
    std::vector<size_t> columnOf_;          // by place: the input's column, or npos
    std::vector<size_t> fillerOf_;          // by place: the column of a list that fills the box, or npos
    std::vector<const Control*> reads_;     // what every row's presses read, in tab order
    std::vector<const Control*> choosers_;  // the lists among them whose entries add inputs
    std::vector<std::vector<std::string>> matchedEntries_;  // by column: the entries entries_ holds
    std::vector<ListEntries> entries_;
    std::vector<Message> refused_;        // by column: why the row's cell is refused
    std::vector<std::string> cellNotes_;  // by column
    std::vector<bool> keptStart_;         // by column
    std::vector<bool> numeric_;           // by column: a box read as a number
    std::vector<bool> filled_;            // by place: filled by a pick of this row
    std::vector<const Control*> presses_;
    std::vector<std::string> pressCaptions_;
    std::vector<const Control*> results_;
    std::vector<std::string> resultNamed_;  // by result box: "Text3 平均熱伝導率（Ｗ／ｍｋ）"
    bool lenient_;
    FormModel loaded_;                    // the window as loaded, copied for every row
    std::optional<Failure> loadFailure_;  // loading it failed: every row says so
    FormModel form_;
};

}  // namespace milfo::calc
