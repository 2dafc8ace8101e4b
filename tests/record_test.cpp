// What a design's record holds beyond its boxes, as every front end draws it:
// a chart's ticks (exact decimal texts, 4 to 8 steps, a flat or near-flat
// range widened, a range beyond the Double's given up for 0 and 1), what a
// chart shows of a table (axes, lines broken at an empty cell, the level,
// the mark and the words beside them), and the calculation sheet of a form.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "catalogue.h"
#include "chart.h"
#include "form_model.h"
#include "sheet.h"

namespace milfo {
namespace {

std::string texts(const std::vector<ChartTick>& ticks)
{
    std::string out;
    for (const ChartTick& t : ticks)
        out += (out.empty() ? "" : " ") + t.text;
    return out;
}

TEST(ChartTicks, StepsOfOneTwoOrFiveTimesAPowerOfTen)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        double lo, hi;
        const char* ticks;
    };
    const Row rows[] = {
        {20, 100, "20 30 40 50 60 70 80 90 100"},
        {43.5944032911893, 96.2010885196936, "40 50 60 70 80 90 100"},
        {166.557178256974, 716.381501901973, "100 200 300 400 500 600 700 800"},
        {-19.0841606431063, 63.9809691623231, "-20 0 20 40 60 80"},
        {0.03267765, 0.03914393, "0.032 0.033 0.034 0.035 0.036 0.037 0.038 0.039 0.04"},
        {3447.74857470253, 5102.45, "3000 3500 4000 4500 5000 5500"},
        // Flat, and two values a Double's last bit apart: widened by a tenth.
        {60, 60, "54 56 58 60 62 64 66"},
        {1, 1.0000000000000002, "0.9 0.95 1 1.05 1.1 1.15"},
        {0, 0, "-1 -0.5 0 0.5 1"},
        {-5e-7, -5e-7, "-0.00000056 -0.00000054 -0.00000052 -0.0000005 -0.00000048 -0.00000046 -0.00000044"},
        // Nothing to scale, or a step beyond the Double range.
        {inf, 1, "0 1"},
        {std::nan(""), 1, "0 1"},
        {-1.7e308, 1.7e308, "0 1"},
        {1e300, 1.7e308, "0 1"},
    };
    for (const Row& row : rows) {
        const std::vector<ChartTick> ticks = chartTicks(row.lo, row.hi);
        EXPECT_EQ(texts(ticks), row.ticks) << row.lo << " " << row.hi;
        for (size_t i = 1; i < ticks.size(); ++i)
            EXPECT_LT(ticks[i - 1].value, ticks[i].value) << row.lo << " " << row.hi;
    }
}

TEST(ChartTicks, ValuesAreTheirTextsRead)
{
    for (const ChartTick& t : chartTicks(0.03267765, 0.03914393))
        EXPECT_EQ(t.value, std::stod(t.text)) << t.text;
}

// The sweep of a design: two lines on their own axes, the level against the
// first, the adopted row marked, a row without values and one with a cell
// that is no number.
SideTable sweep()
{
    SideTable t{"表", {"T", "θ", "q", "備考"}};
    t.rows = {{"20", "96.2", "716.3", ""},
              {"25", "", "", "止まりました。"},
              {"30", "77.9", "506.1", ""},
              {"40", "67.1", "abc", ""}};
    t.chart.x = 0;
    t.chart.lines = {1, 2};
    t.chart.marked = 2;
    t.chart.markedTitle = "採用厚さ";
    t.chart.levelColumn = 1;
    t.chart.level = "60";
    t.chart.levelTitle = "目標表面温度";
    return t;
}

TEST(ChartPlot, AxesLinesLevelAndMark)
{
    const ChartPlot p = plotOf(sweep());
    EXPECT_EQ(p.xTitle, "T");
    EXPECT_EQ(texts(p.xTicks), "20 25 30 35 40");
    ASSERT_EQ(p.axes.size(), 2u);
    EXPECT_EQ(p.axes[0].columns, std::vector<int>{1});
    EXPECT_FALSE(p.axes[0].right);
    EXPECT_EQ(p.axes[0].title, "θ");
    // The level is on the first axis, and its axis reaches it.
    EXPECT_EQ(texts(p.axes[0].ticks), "60 65 70 75 80 85 90 95 100");
    EXPECT_TRUE(p.axes[1].right);
    EXPECT_EQ(texts(p.axes[1].ticks), "500 550 600 650 700 750");
    EXPECT_FALSE(p.legend);
    ASSERT_EQ(p.lines.size(), 2u);
    std::vector<std::string> first;
    for (const ChartPoint& q : p.lines[0].points)
        first.push_back(std::to_string(q.row) + (q.joined ? " joined " : " ") + q.tip);
    EXPECT_EQ(first, (std::vector<std::string>{"0 T 20: θ 96.2", "2 T 30: θ 77.9", "3 joined T 40: θ 67.1"}));
    EXPECT_EQ(p.lines[1].points.size(), 2u);  // "abc" is no value
    EXPECT_EQ(p.lines[1].axis, 1);
    ASSERT_TRUE(p.level);
    EXPECT_EQ(p.level->axis, 0);
    EXPECT_EQ(p.level->value, 60);
    EXPECT_EQ(p.level->label, "目標表面温度 60");
    ASSERT_TRUE(p.mark);
    EXPECT_EQ(p.mark->row, 2);
    EXPECT_EQ(p.mark->label, "採用厚さ 30");
}

TEST(ChartPlot, ASharedAxisNamesItsLinesInTheLegend)
{
    SideTable t{"年間費用", {"T", "工事費", "熱", "計"}};
    t.rows = {{"20", "1", "5", "6"}, {"25", "2", "3", "5"}};
    t.chart.x = 0;
    t.chart.lines = {1, 2, 3};
    t.chart.sharedAxis = true;
    const ChartPlot p = plotOf(t);
    ASSERT_EQ(p.axes.size(), 1u);
    EXPECT_EQ(p.axes[0].columns, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(p.axes[0].title, "");
    EXPECT_EQ(texts(p.axes[0].ticks), "1 2 3 4 5 6");
    EXPECT_TRUE(p.legend);
    for (const ChartLine& l : p.lines)
        EXPECT_EQ(l.axis, 0);
    EXPECT_FALSE(p.level);
    EXPECT_FALSE(p.mark);
}

TEST(CalculationSheet, HeadingInputsResultsAndTheLastPressTables)
{
    FormModel form(*findProgram("fennick"));
    form.load();
    form.type(*form.rules().find("Text1"), "12abc");
    form.type(*form.rules().find("Text2"), "50");
    form.pick(*form.rules().find("Combo1"), 0);
    form.press(*form.rules().find("Command1"));
    const SheetTitle title{"1.1.8", "ポリエチレンフォームの平均熱伝導率", "説明", "0.1.0"};
    const CalculationSheet s = calculationSheet(form, title, sheetTime(2026, 1, 2, 3, 4));
    EXPECT_EQ(s.suite, "ミルフォ 0.1.0");
    EXPECT_EQ(s.whenTitle + " " + s.when, "計算日時 2026/01/02 03:04");
    EXPECT_EQ(s.heading, "計算書　1.1.8　ポリエチレンフォームの平均熱伝導率");
    EXPECT_EQ(s.caption, "ミルフォ－１．１．８　説明");
    std::vector<std::string> lines;
    for (const SheetSection& section : s.sections) {
        lines.push_back(section.title);
        for (const SheetRow& r : section.rows)
            lines.push_back(r.caption + "|" + r.text + "|" + r.note);
    }
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "入力", "低温側温度（℃）|12abc|「12abc」を 12 として計算しました", "高温側温度（℃）|50|",
                  "ポリエチレンフォームの種類|" + form.entries(*form.rules().find("Combo1"))[0] + "|", "結果",
                  "平均熱伝導率（Ｗ／ｍｋ）|" + form.textOf(*form.rules().find("Text3")) + "|"}));
    EXPECT_TRUE(s.tables.empty());
    // 保温設計's record: the tables with rows, in the program's order.
    FormModel design(*findProgram("保温設計"));
    design.load();
    EXPECT_TRUE(sideTablesOf(design).empty());  // no press, no rows
    const std::vector<SideTable> loaded = design.program().sideTables(design);
    ASSERT_FALSE(loaded.empty());
    EXPECT_TRUE(calculationSheet(design, title, "", loaded).tables.empty());
    std::vector<SideTable> some = loaded;
    some.back().rows = {std::vector<std::string>(some.back().columns.size(), "x")};
    const CalculationSheet withRows = calculationSheet(design, title, "", some);
    ASSERT_EQ(withRows.tables.size(), 1u);
    EXPECT_EQ(withRows.tables[0].title, loaded.back().title);
}

TEST(CaseFileName, ProgramDateAndTime)
{
    EXPECT_EQ(caseFileName("保温設計", 2026, 12, 7, 9, 5), "保温設計-20261207-0905.csv");
}

}  // namespace
}  // namespace milfo
