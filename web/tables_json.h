// A program's side tables (with what their charts show) and its calculation
// sheet as JSON, for the bridge (after a press, when the page prints) and the
// description export (the tables' titles and heads).
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "chart.h"
#include "json.h"
#include "numeric.h"
#include "program.h"
#include "sheet.h"

namespace milfo::web {

// A value as JSON: the shortest text that reads back as the same Double.
inline std::string jsonNumber(double v)
{
    if (!std::isfinite(v))
        return "null";
    // ShowVariant has 15 digits; a chart's values only need to land on the
    // same pixel, and ticks are exact decimals anyway.
    std::string text = ShowVariant(v);
    if (text.rfind('E') != std::string::npos)
        text.replace(text.rfind('E'), 1, "e");
    return text;
}

// {"xTitle", "xTicks": [[value, text], ...], "axes": [{"columns", "ticks",
// "right", "title"}], "lines": [{"column", "axis", "title", "points": [[row,
// x, y, joined, tip], ...]}], "legend", "level": {"axis", "value", "label"}
// or null, "mark": {"row", "x", "label"} or null}
inline std::string plotJson(const ChartPlot& p)
{
    const auto number = [](int n) { return std::to_string(n); };
    const auto ticks = [](const std::vector<ChartTick>& t) {
        return list(
            t, [](const ChartTick& k) { return "[" + jsonNumber(k.value) + "," + quoted(k.text) + "]"; });
    };
    std::string out = "{\"xTitle\":" + quoted(p.xTitle) + ",\"xTicks\":" + ticks(p.xTicks);
    out += ",\"axes\":" + list(p.axes, [&](const ChartAxis& a) {
               return "{\"columns\":" + list(a.columns, number) + ",\"ticks\":" + ticks(a.ticks) +
                      ",\"right\":" + (a.right ? "true" : "false") + ",\"title\":" + quoted(a.title) + "}";
           });
    out += ",\"lines\":" + list(p.lines, [&](const ChartLine& l) {
               return "{\"column\":" + number(l.column) + ",\"axis\":" + number(l.axis) +
                      ",\"title\":" + quoted(l.title) + ",\"points\":" +
                      list(l.points,
                           [](const ChartPoint& q) {
                               return "[" + std::to_string(q.row) + "," + jsonNumber(q.x) + "," +
                                      jsonNumber(q.y) + "," + (q.joined ? "true" : "false") + "," +
                                      quoted(q.tip) + "]";
                           }) +
                      "}";
           });
    out += std::string(",\"legend\":") + (p.legend ? "true" : "false") + ",\"level\":";
    out += p.level ? "{\"axis\":" + number(p.level->axis) + ",\"value\":" + jsonNumber(p.level->value) +
                         ",\"label\":" + quoted(p.level->label) + "}"
                   : "null";
    out += ",\"mark\":";
    out += p.mark ? "{\"row\":" + number(p.mark->row) + ",\"x\":" + jsonNumber(p.mark->x) +
                        ",\"label\":" + quoted(p.mark->label) + "}"
                  : "null";
    return out + "}";
}

// [{"title", "columns": [...], "rows": [[...], ...], "chart": {"x", "lines",
// "sharedAxis", "marked", "markedTitle", "levelColumn", "level",
// "levelTitle", "plot": plotJson} or null}]
inline std::string sideTables(const std::vector<SideTable>& tables)
{
    const auto number = [](int n) { return std::to_string(n); };
    const auto text = [](const std::string& t) { return quoted(t); };
    return list(tables, [&](const SideTable& t) {
        std::string out = "{\"title\":" + quoted(t.title) + ",\"columns\":" + list(t.columns, text) +
                          ",\"rows\":" + list(t.rows, [&](const auto& row) { return list(row, text); }) +
                          ",\"chart\":";
        const SideTable::Chart& c = t.chart;
        if (c.x < 0)
            return out + "null}";
        return out + "{\"x\":" + number(c.x) + ",\"lines\":" + list(c.lines, number) +
               ",\"sharedAxis\":" + (c.sharedAxis ? "true" : "false") + ",\"marked\":" + number(c.marked) +
               ",\"markedTitle\":" + quoted(c.markedTitle) + ",\"levelColumn\":" + number(c.levelColumn) +
               ",\"level\":" + quoted(c.level) + ",\"levelTitle\":" + quoted(c.levelTitle) +
               ",\"plot\":" + plotJson(plotOf(t)) + "}}";
    });
}

// {"suite", "whenTitle", "when", "heading", "caption", "sections": [{"title",
// "rows": [[caption, text, note], ...]}]}; the side tables are the bridge's
// answer to a press.
inline std::string sheetJson(const CalculationSheet& s)
{
    return "{\"suite\":" + quoted(s.suite) + ",\"whenTitle\":" + quoted(s.whenTitle) +
           ",\"when\":" + quoted(s.when) + ",\"heading\":" + quoted(s.heading) +
           ",\"caption\":" + quoted(s.caption) + ",\"sections\":" +
           list(s.sections,
                [](const SheetSection& section) {
                    return "{\"title\":" + quoted(section.title) + ",\"rows\":" +
                           list(section.rows,
                                [](const SheetRow& r) {
                                    return "[" + quoted(r.caption) + "," + quoted(r.text) + "," +
                                           quoted(r.note) + "]";
                                }) +
                           "}";
                }) +
           "}";
}

}  // namespace milfo::web
