#include "chart.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "numeric.h"

namespace milfo {

namespace {

// n × 10^exponent written exactly in plain decimal: "250", "0.025", "-4".
std::string decimalText(long long n, int exponent)
{
    if (n == 0)
        return "0";
    const bool negative = n < 0;
    std::string digits =
        std::to_string(negative ? -static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n));
    if (exponent >= 0) {
        digits.append(static_cast<size_t>(exponent), '0');
    } else {
        const size_t places = static_cast<size_t>(-exponent);
        if (digits.size() <= places)
            digits.insert(0, places - digits.size() + 1, '0');
        digits.insert(digits.size() - places, ".");
        while (digits.back() == '0')
            digits.pop_back();
        if (digits.back() == '.')
            digits.pop_back();
    }
    return negative ? "-" + digits : digits;
}

// 10^exponent, the Double nearest it.
double tenTo(int exponent)
{
    return ReadVal("1E" + std::to_string(exponent));
}

ChartTick tick(long long n, int exponent)
{
    std::string text = decimalText(n, exponent);
    const double value = ReadVal(text);
    return {value, std::move(text)};
}

std::vector<ChartTick> unitTicks()
{
    return {tick(0, 0), tick(1, 0)};
}

std::vector<ChartTick> ticksBetween(double lo, double hi);

// The ticks of the finite values among these; 0 and 1 when there are none.
std::vector<ChartTick> ticksOf(const std::vector<double>& values)
{
    std::vector<double> finite;
    for (double v : values)
        if (std::isfinite(v))
            finite.push_back(v);
    if (finite.empty())
        return unitTicks();
    const auto [lo, hi] = std::minmax_element(finite.begin(), finite.end());
    return chartTicks(*lo, *hi);
}

}  // namespace

std::optional<double> cellValue(const std::string& cell)
{
    if (!ReadsWhole(cell))
        return std::nullopt;
    try {
        return ReadVal(cell);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

std::vector<ChartTick> chartTicks(double lo, double hi)
{
    try {
        return ticksBetween(lo, hi);
    } catch (const RuntimeError&) {
        return unitTicks();  // a step beyond the Double range
    }
}

namespace {

std::vector<ChartTick> ticksBetween(double lo, double hi)
{
    if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(hi - lo))
        return unitTicks();
    if (!(hi - lo > std::max(std::fabs(lo), std::fabs(hi)) * 1e-9)) {
        const double pad = std::fabs(lo) > 0 ? std::fabs(lo) * 0.1 : 1;
        lo -= pad;
        hi += pad;
    }
    // The step: 1, 2, 5 or 10 times the power of ten at or below a fifth of
    // the range, the first that gives at most 8 steps.
    const double rough = (hi - lo) / 5;
    int exponent = 0;
    while (tenTo(exponent + 1) <= rough)
        ++exponent;
    while (tenTo(exponent) > rough)
        --exponent;
    long long multiple = 1;
    for (const long long m : {1LL, 2LL, 5LL, 10LL}) {
        multiple = m;
        if ((hi - lo) / ReadVal(decimalText(m, exponent)) <= 8)
            break;
    }
    if (multiple == 10) {
        multiple = 1;
        ++exponent;
    }
    // Counted, not summed: a step below the values' precision would never
    // move a running sum.
    const double step = ReadVal(decimalText(multiple, exponent));
    const auto first = static_cast<long long>(std::floor(lo / step));
    const auto last = static_cast<long long>(std::ceil(hi / step));
    std::vector<ChartTick> ticks;
    for (long long i = first; i <= last; ++i)
        ticks.push_back(tick(i * multiple, exponent));
    return ticks;
}

}  // namespace

ChartPlot plotOf(const SideTable& table)
{
    const SideTable::Chart& c = table.chart;
    const int rows = static_cast<int>(table.rows.size());
    const auto column = [&](int k) {
        std::vector<double> values;
        for (const std::vector<std::string>& row : table.rows)
            values.push_back(cellValue(row[static_cast<size_t>(k)]).value_or(NAN));
        return values;
    };
    const std::vector<double> xs = column(c.x);
    const std::optional<double> level = c.levelColumn >= 0 ? cellValue(c.level) : std::nullopt;
    const auto head = [&](int k) { return table.columns[static_cast<size_t>(k)]; };

    ChartPlot plot;
    plot.xTitle = head(c.x);
    plot.xTicks = ticksOf(xs);
    plot.legend = c.sharedAxis;
    // One axis per line, the first on the left; or one on the left for them all.
    for (size_t i = 0; i < c.lines.size(); ++i) {
        if (c.sharedAxis && i > 0)
            break;
        ChartAxis axis;
        axis.columns = c.sharedAxis ? c.lines : std::vector<int>{c.lines[i]};
        axis.right = i > 0;
        axis.title = c.sharedAxis ? "" : head(c.lines[i]);
        std::vector<double> values;
        for (const int k : axis.columns)
            for (const double v : column(k))
                values.push_back(v);
        const bool levelHere =
            std::find(axis.columns.begin(), axis.columns.end(), c.levelColumn) != axis.columns.end();
        if (levelHere && level)
            values.push_back(*level);
        axis.ticks = ticksOf(values);
        if (levelHere && level && !plot.level)
            plot.level = ChartLevel{static_cast<int>(plot.axes.size()), *level, c.levelTitle + " " + c.level};
        plot.axes.push_back(std::move(axis));
    }
    for (size_t i = 0; i < c.lines.size(); ++i) {
        const int k = c.lines[i];
        const std::vector<double> ys = column(k);
        ChartLine line{k, c.sharedAxis ? 0 : static_cast<int>(i), head(k), {}};
        const auto shown = [&](int r) {
            return std::isfinite(xs[static_cast<size_t>(r)]) && std::isfinite(ys[static_cast<size_t>(r)]);
        };
        for (int r = 0; r < rows; ++r) {
            if (!shown(r))
                continue;
            const std::vector<std::string>& row = table.rows[static_cast<size_t>(r)];
            line.points.push_back({r, xs[static_cast<size_t>(r)], ys[static_cast<size_t>(r)],
                                   r > 0 && shown(r - 1),
                                   plot.xTitle + " " + row[static_cast<size_t>(c.x)] + ": " + line.title +
                                       " " + row[static_cast<size_t>(k)]});
        }
        plot.lines.push_back(std::move(line));
    }
    if (c.marked >= 0 && c.marked < rows && std::isfinite(xs[static_cast<size_t>(c.marked)]))
        plot.mark = ChartMark{
            c.marked, xs[static_cast<size_t>(c.marked)],
            c.markedTitle + " " + table.rows[static_cast<size_t>(c.marked)][static_cast<size_t>(c.x)]};
    return plot;
}

}  // namespace milfo
