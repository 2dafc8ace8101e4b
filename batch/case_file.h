// A case: one program's inputs kept in a file, to open again tomorrow. It is
// a line list of one row, so milfo-calc and 一括計算 read it as it is: UTF-8
// with a byte order mark and CRLF, a first column 計算プログラム holding the
// program's name (passed through like a tag), then a column per input headed
// by its caption, in tab order, with the texts as typed and the lists as
// picked (an empty cell for a list left unpicked). Reading one goes through
// the runner's rules (the CSV reader, UTF-8 or CP932, headers as a person
// reads them), and entering it into a form is done here once for the window,
// milfo-drive and the page: from the window's start texts, in tab order, a
// list cell that names one of the list's entries picked (its click raised),
// any other cell typed; nothing is pressed. No toolkit.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "form_model.h"
#include "message.h"

namespace milfo::calc {

// The head of the column that names the program.
inline constexpr const char* kProgramColumn = "計算プログラム";

// The case of a form as it stands (its texts as the person left them).
std::string writeCase(const FormModel& form);

// A file that is no case of the program; nothing of the form is touched.
class CaseRefused : public std::runtime_error {
public:
    explicit CaseRefused(Message message) : std::runtime_error(message.en()), message_(std::move(message)) {}
    const Message& message() const { return message_; }

private:
    Message message_;
};

struct CaseCell {
    const Control* input;
    std::string text;
};

// The cells of a case in tab order. Refused (CaseRefused): a case of another
// program, by its 計算プログラム; more or fewer rows than one; a column that
// names no input of the program; a file the runner cannot read.
std::vector<CaseCell> readCase(const FormRules& rules, std::string_view bytes);

// The window's title while a case file is open: its caption, then the
// file's name ("ミルフォ－７ — L-101.csv").
std::string caseTitle(std::string_view caption, std::string_view fileName);

// The form started again (FormModel::startAgain), then every cell entered.
// The failures of the load and of the lists' clicks, in order.
std::vector<Failure> enterCase(FormModel& form, const std::vector<CaseCell>& cells);

}  // namespace milfo::calc
