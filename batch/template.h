// A line list to start from, for a program: its columns as the page shows
// them before a file is chosen (what each needs, what it starts with, the
// entries of a list) and a CSV file of their captions and one example row
// that computes: `milfo-calc --template PROGRAM` writes it, the 一括計算 page
// offers it for download, byte for byte the same.
#pragma once

#include <string>
#include <vector>

#include "message.h"
#include "runner.h"

namespace milfo::calc {

// An input a row may give: its control and caption, what a row must give it
// (and what --list and the page say of it), its start text, the entries of
// a list as the window loads them, and the example's cell.
struct TemplateColumn {
    const Control* input;
    std::string caption;
    InputRole role;
    Message says;
    std::string start;
    std::vector<std::string> entries;
    std::string example;
};

// Every input that some press reads or a list that fills one, in tab order.
std::vector<TemplateColumn> templateColumns(const ProgramView& view);

// The file: a UTF-8 byte order mark, the captions, the example row, each
// line ended by CRLF (as Excel writes CSV).
std::string templateCsv(const ProgramView& view);

// Its name: "<program>-ひな形.csv".
std::string templateName(const ProgramView& view);

// What a row must give an input, said as --list says it and the page shows
// it: "needed", "needed by 配管の計算", "needed when 設計条件 is 防露",
// "default 0", "list"; "read by no button".
Message roleText(const ProgramView& view, const Control& input, const InputRole& role);

}  // namespace milfo::calc
