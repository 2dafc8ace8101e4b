// What a side table's chart shows, worked out once for every front end that
// draws it (the page's SVG, the window's painter, the printed sheet): the
// ticks of each axis with their texts, which columns go against which axis,
// the points of each line, the level line and the marked row, and the words
// beside them. A front end only maps the values onto its own pixels, from
// the first tick of an axis to its last. Plain C++, no toolkit.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "program.h"

namespace milfo {

struct ChartTick {
    double value;
    std::string text;
};

// A vertical axis: the columns drawn against it (one, or every line of a
// chart whose lines share it), on the left (the first) or on the right.
// Its title is the column's head when it has one column; a shared axis
// names each column in the legend instead.
struct ChartAxis {
    std::vector<int> columns;
    std::vector<ChartTick> ticks;  // ascending; the axis runs from the first to the last
    bool right = false;
    std::string title;  // "" for a shared axis
};

// A row with a value in both the x column and the line's column: where it
// stands, whether the line comes to it from the row before (which has a
// value too), and what it says when pointed at.
struct ChartPoint {
    int row;
    double x;
    double y;
    bool joined;
    std::string tip;
};

struct ChartLine {
    int column;
    int axis;  // an index of ChartPlot::axes
    std::string title;
    std::vector<ChartPoint> points;
};

// A horizontal line at a value against an axis, with its words.
struct ChartLevel {
    int axis;
    double value;
    std::string label;
};

// The marked row: a vertical line at its x, with its words.
struct ChartMark {
    int row;
    double x;
    std::string label;
};

struct ChartPlot {
    std::string xTitle;
    std::vector<ChartTick> xTicks;
    std::vector<ChartAxis> axes;
    std::vector<ChartLine> lines;
    bool legend = false;  // the axis is shared: the lines' titles stand above it, side by side
    std::optional<ChartLevel> level;
    std::optional<ChartMark> mark;
};

// The chart of a table that asks for one (chart.x >= 0).
ChartPlot plotOf(const SideTable& table);

// Ticks from lo to hi: 4 to 8 steps of 1, 2 or 5 times a power of ten, from
// the last multiple of the step at or below lo to the first at or above hi,
// each written exactly in decimal ("0.25", "-400"). A range that is flat, or
// too narrow for ticks that differ, is widened by a tenth of its value on
// either side (by 1 about 0); a range that is not finite gives 0 and 1.
std::vector<ChartTick> chartTicks(double lo, double hi);

// A cell as a number: the whole text read as a decimal number; nothing for
// an empty cell or one that is no number.
std::optional<double> cellValue(const std::string& cell);

}  // namespace milfo
