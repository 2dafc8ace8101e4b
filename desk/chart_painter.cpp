#include "chart_painter.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>
#include <iterator>

namespace milfo {

namespace {

// The page's chart: 640 × 300, the plot inside these margins.
constexpr double kWidth = 640, kHeight = 300, kLeft = 64, kRight = 72, kTop = 36, kBottom = 40;

const QColor kLineColours[] = {QColor(0x2f, 0x55, 0x97), QColor(0xc0, 0x50, 0x4d), QColor(0x70, 0x30, 0xa0)};
const QColor kGrid(0xe3, 0xe6, 0xea), kAxis(0x6b, 0x73, 0x80), kText(0x33, 0x33, 0x33),
    kLevel(0x55, 0x55, 0x55), kMark(0x2e, 0x7d, 0x32);

QColor lineColour(int i)
{
    return kLineColours[static_cast<size_t>(i) % std::size(kLineColours)];
}

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

enum class Anchor { Start, Middle, End };

// The chart's own coordinates within an area, and its values on them.
class Frame {
public:
    Frame(const QRectF& area, const ChartPlot& plot) : plot_(plot)
    {
        scale_ = std::min(area.width() / kWidth, area.height() / kHeight);
        origin_ = area.center() - QPointF(kWidth * scale_ / 2, kHeight * scale_ / 2);
    }
    double scale() const { return scale_; }
    QPointF origin() const { return origin_; }

    static double along(const std::vector<ChartTick>& ticks, double v, double from, double to)
    {
        const double lo = ticks.front().value, hi = ticks.back().value;
        return from + (v - lo) / (hi - lo) * (to - from);
    }
    double x(double v) const { return along(plot_.xTicks, v, kLeft, kWidth - kRight); }
    double y(int axis, double v) const
    {
        return along(plot_.axes[static_cast<size_t>(axis)].ticks, v, kHeight - kBottom, kTop);
    }
    // Where a point stands in the area's coordinates.
    QPointF inArea(const ChartLine& line, const ChartPoint& p) const
    {
        return origin_ + QPointF(x(p.x), y(line.axis, p.y)) * scale_;
    }

private:
    const ChartPlot& plot_;
    double scale_;
    QPointF origin_;
};

void text(QPainter& p, double x, double y, const QString& s, Anchor anchor, const QColor& colour)
{
    const double w = p.fontMetrics().horizontalAdvance(s);
    p.setPen(colour);
    p.drawText(QPointF(anchor == Anchor::Start ? x : anchor == Anchor::Middle ? x - w / 2 : x - w, y), s);
}

void line(QPainter& p, double x1, double y1, double x2, double y2, const QPen& pen)
{
    p.setPen(pen);
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

// The grid, the x axis's ticks and title, each vertical axis with its ticks
// and title, and the legend of a shared axis.
void paintAxes(QPainter& p, const Frame& f, const ChartPlot& plot)
{
    const double bottom = kHeight - kBottom, right = kWidth - kRight;
    for (const ChartTick& t : plot.xTicks) {
        line(p, f.x(t.value), kTop, f.x(t.value), bottom, QPen(kGrid, 1));
        text(p, f.x(t.value), bottom + 14, qs(t.text), Anchor::Middle, kText);
    }
    text(p, (kLeft + right) / 2, kHeight - 6, qs(plot.xTitle), Anchor::Middle, kText);
    for (size_t i = 0; i < plot.axes.size(); ++i) {
        const ChartAxis& axis = plot.axes[i];
        const double at = axis.right ? right : kLeft;
        // A shared axis is no one column's: no colour of its own.
        const bool own = axis.columns.size() == 1;
        const QColor colour = own ? lineColour(static_cast<int>(i)) : kText;
        line(p, at, kTop, at, bottom, QPen(own ? colour : kAxis, 1));
        for (const ChartTick& t : axis.ticks) {
            const double y = f.y(static_cast<int>(i), t.value);
            if (i == 0)
                line(p, kLeft, y, right, y, QPen(kGrid, 1));
            text(p, axis.right ? at + 4 : at - 4, y + 4, qs(t.text), axis.right ? Anchor::Start : Anchor::End,
                 colour);
        }
        if (own)
            text(p, at, kTop - 14, qs(axis.title), axis.right ? Anchor::End : Anchor::Start, colour);
    }
    if (plot.legend) {
        double x = kLeft;
        for (size_t i = 0; i < plot.lines.size(); ++i) {
            const QString title = qs(plot.lines[i].title);
            text(p, x, kTop - 14, title, Anchor::Start, lineColour(static_cast<int>(i)));
            x += p.fontMetrics().horizontalAdvance(title) + 12;
        }
    }
}

// The level line on its axis, and the marked row's line.
void paintLevelAndMark(QPainter& p, const Frame& f, const ChartPlot& plot)
{
    if (plot.level) {
        const double y = f.y(plot.level->axis, plot.level->value);
        QPen dashed(kLevel, 1);
        dashed.setDashPattern({6, 4});
        line(p, kLeft, y, kWidth - kRight, y, dashed);
        text(p, kWidth - kRight - 4, y - 4, qs(plot.level->label), Anchor::End, kLevel);
    }
    if (plot.mark) {
        const double x = f.x(plot.mark->x);
        line(p, x, kTop, x, kHeight - kBottom, QPen(kMark, 1.5));
        text(p, x + 4, kTop + 12, qs(plot.mark->label), Anchor::Start, kMark);
    }
}

// Each line through its points (broken where a row has no value), a dot at
// each, the marked row's larger.
void paintLines(QPainter& p, const Frame& f, const ChartPlot& plot)
{
    for (size_t i = 0; i < plot.lines.size(); ++i) {
        const ChartLine& l = plot.lines[i];
        const QColor colour = lineColour(static_cast<int>(i));
        QPainterPath path;
        for (const ChartPoint& q : l.points) {
            const QPointF at(f.x(q.x), f.y(l.axis, q.y));
            if (q.joined)
                path.lineTo(at);
            else
                path.moveTo(at);
        }
        p.setPen(QPen(colour, 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(colour);
        for (const ChartPoint& q : l.points) {
            const double r = plot.mark && q.row == plot.mark->row ? 4.5 : 3;
            p.drawEllipse(QPointF(f.x(q.x), f.y(l.axis, q.y)), r, r);
        }
    }
}

}  // namespace

QSizeF chartSize()
{
    return {kWidth, kHeight};
}

void paintChart(QPainter& painter, const QRectF& area, const ChartPlot& plot)
{
    const Frame f(area, plot);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(f.origin());
    painter.scale(f.scale(), f.scale());
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.fillRect(QRectF(0, 0, kWidth, kHeight), Qt::white);
    paintAxes(painter, f, plot);
    paintLevelAndMark(painter, f, plot);
    paintLines(painter, f, plot);
    painter.restore();
}

QString chartTipAt(const QRectF& area, const ChartPlot& plot, const QPointF& pos)
{
    const Frame f(area, plot);
    const double reach = 6 * std::max(f.scale(), 1.0);
    double nearest = reach * reach;  // squared distances
    QString tip;
    for (const ChartLine& l : plot.lines)
        for (const ChartPoint& q : l.points) {
            const QPointF d = f.inArea(l, q) - pos;
            const double distance = d.x() * d.x() + d.y() * d.y();
            if (distance <= nearest) {
                nearest = distance;
                tip = qs(q.tip);
            }
        }
    return tip;
}

ChartView::ChartView(ChartPlot plot, const QString& title, QWidget* parent)
    : QWidget(parent), plot_(std::move(plot))
{
    setAccessibleName(title);
    setMinimumSize(chartSize().toSize() / 2);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

QSize ChartView::sizeHint() const
{
    return chartSize().toSize();
}

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintChart(painter, rect(), plot_);
}

bool ChartView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = chartTipAt(rect(), plot_, help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

}  // namespace milfo
