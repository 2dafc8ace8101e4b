// A side table's chart (chart.h) drawn with QPainter, for the record's window
// and the printed calculation sheet: the axes, ticks, level and mark as the
// core worked them out, in the page's proportions and colours.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include "chart.h"

class QPainter;

namespace milfo {

// The chart's own size, in its pixels: drawn into any rectangle, it is
// scaled to fit, its proportions kept.
QSizeF chartSize();

void paintChart(QPainter& painter, const QRectF& area, const ChartPlot& plot);

// What the dot under pos says (its row's texts), "" when there is none.
QString chartTipAt(const QRectF& area, const ChartPlot& plot, const QPointF& pos);

// A chart as a widget of its own: a dot's texts are its tooltip.
class ChartView : public QWidget {
    Q_OBJECT

public:
    ChartView(ChartPlot plot, const QString& title, QWidget* parent = nullptr);

    const ChartPlot& plot() const { return plot_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    ChartPlot plot_;
};

}  // namespace milfo
