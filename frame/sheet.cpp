#include "sheet.h"

namespace milfo {

namespace {

std::string twoDigits(int n)
{
    return std::string(n < 10 ? "0" : "") + std::to_string(n);
}

std::vector<SheetRow> rowsOf(const FormModel& form, const std::vector<const Control*>& controls)
{
    std::vector<SheetRow> rows;
    for (const Control* c : controls)
        rows.push_back({form.rules().caption(*c), form.textOf(*c),
                        c->kind == ControlKind::TextBox ? form.markOf(*c) : std::string()});
    return rows;
}

}  // namespace

CalculationSheet calculationSheet(const FormModel& form, const SheetTitle& title, const std::string& when,
                                  std::vector<SideTable> tables)
{
    const ProgramDescription& program = form.program();
    CalculationSheet sheet;
    sheet.suite = std::string(kSuiteName) + " " + title.version;
    sheet.whenTitle = "計算日時";
    sheet.when = when;
    sheet.heading = std::string(kSheetName) + "　" + title.menu + "　" + title.title;
    sheet.caption = std::string(program.caption) + "　" + title.comment;
    sheet.sections = {{"入力", rowsOf(form, form.rules().inputs())},
                      {"結果", rowsOf(form, form.rules().results())}};
    for (SideTable& t : tables)
        if (!t.rows.empty())
            sheet.tables.push_back(std::move(t));
    return sheet;
}

std::vector<SideTable> sideTablesOf(const FormModel& form)
{
    if (!form.program().sideTables)
        return {};
    std::vector<SideTable> shown;
    try {
        for (SideTable& t : form.program().sideTables(form))
            if (!t.rows.empty())
                shown.push_back(std::move(t));
    } catch (...) {
        shown.clear();  // a table that cannot be worked out: none
    }
    return shown;
}

std::string sheetTime(int year, int month, int day, int hour, int minute)
{
    return std::to_string(year) + "/" + twoDigits(month) + "/" + twoDigits(day) + " " + twoDigits(hour) +
           ":" + twoDigits(minute);
}

std::string caseFileName(const std::string& program, int year, int month, int day, int hour, int minute)
{
    return program + "-" + std::to_string(year) + twoDigits(month) + twoDigits(day) + "-" + twoDigits(hour) +
           twoDigits(minute) + ".csv";
}

}  // namespace milfo
