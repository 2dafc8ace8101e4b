// The calculation sheet (計算書) of a program as its form stands: what the
// page prints, and what the window prints or writes as PDF. Its parts, in
// order: the suite and its version, the date and time, the heading (計算書,
// the menu number and the title), the caption and what the program
// computes; the inputs, then the results, each by its caption with its text
// as shown (and beside it the note of a box not read as typed); then the
// program's side tables that have rows, each with its chart. Every text of
// it is here, once; a front end only lays it out. Plain C++, no toolkit.
#pragma once

#include <string>
#include <vector>

#include "form_model.h"
#include "program.h"

namespace milfo {

inline constexpr const char* kSuiteName = "ミルフォ";

// What the catalogue says of the program, and the suite's version.
struct SheetTitle {
    std::string menu;     // "7"
    std::string title;    // "保温厚さの設計"
    std::string comment;  // what it computes, in Japanese
    std::string version;  // "0.1.0"
};

struct SheetRow {
    std::string caption;
    std::string text;
    std::string note;  // "" unless the box was read otherwise than as typed
};

struct SheetSection {
    std::string title;  // 入力, 結果
    std::vector<SheetRow> rows;
};

struct CalculationSheet {
    std::string suite;      // "ミルフォ 0.1.0"
    std::string whenTitle;  // 計算日時
    std::string when;       // "2026/12/07 10:30"
    std::string heading;    // "計算書　7　保温厚さの設計"
    std::string caption;    // "ミルフォ－７　…"
    std::vector<SheetSection> sections;
    std::vector<SideTable> tables;  // those with rows, in the program's order
};

// The sheet of the form as it stands, dated `when` (sheetTime), with the
// side tables the last press worked out (sideTablesOf), those with rows.
CalculationSheet calculationSheet(const FormModel& form, const SheetTitle& title, const std::string& when,
                                  std::vector<SideTable> tables = {});

// The side tables of the form as every front end shows them: those with
// rows, in the program's order (none for a program without them, and none
// when they cannot be worked out).
std::vector<SideTable> sideTablesOf(const FormModel& form);

// The sheet's own word, which names it: 計算書.
inline constexpr const char* kSheetName = "計算書";

// The date and time as the sheet gives them: "2026/12/07 10:30".
std::string sheetTime(int year, int month, int day, int hour, int minute);

// The name a case is saved under by default: "保温設計-20261207-1030.csv".
std::string caseFileName(const std::string& program, int year, int month, int day, int hour, int minute);

}  // namespace milfo
