// A program's side tables as JSON, for the bridge (after a press) and the
// description export (their titles and heads).
#pragma once

#include <string>
#include <vector>

#include "json.h"
#include "program.h"

namespace milfo::web {

// [{"title", "columns": [...], "rows": [[...], ...], "chart": {"x", "lines",
// "sharedAxis", "marked", "markedTitle", "levelColumn", "level",
// "levelTitle"} or null}]
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
               ",\"level\":" + quoted(c.level) + ",\"levelTitle\":" + quoted(c.levelTitle) + "}}";
    });
}

}  // namespace milfo::web
