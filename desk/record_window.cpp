#include "record_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "chart.h"
#include "chart_painter.h"

namespace milfo {

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// A side table as a table widget: its heads over its rows, read only, the
// marked row shaded as the page shades it.
QTableWidget* tableWidget(const SideTable& t, QWidget* parent)
{
    auto* table =
        new QTableWidget(static_cast<int>(t.rows.size()), static_cast<int>(t.columns.size()), parent);
    table->setAccessibleName(qs(t.title));
    QStringList heads;
    for (const std::string& head : t.columns)
        heads << qs(head);
    table->setHorizontalHeaderLabels(heads);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(true);
    for (size_t r = 0; r < t.rows.size(); ++r)
        for (size_t k = 0; k < t.rows[r].size() && k < t.columns.size(); ++k) {
            auto* item = new QTableWidgetItem(qs(t.rows[r][k]));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (t.chart.x >= 0 && static_cast<int>(r) == t.chart.marked)
                item->setBackground(QColor(0xe3, 0xf1, 0xe3));
            table->setItem(static_cast<int>(r), static_cast<int>(k), item);
        }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    return table;
}

QWidget* tablePage(const SideTable& t)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    if (t.chart.x >= 0) {
        auto* chart = new ChartView(plotOf(t), qs(t.title), page);
        chart->setMinimumHeight(static_cast<int>(chartSize().height()));
        layout->addWidget(chart);
    }
    layout->addWidget(tableWidget(t, page), 1);
    return page;
}

}  // namespace

RecordWindow::RecordWindow(const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window), tabs_(new QTabWidget(this)), empty_(new QLabel(this))
{
    setObjectName(QStringLiteral("record"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(empty_);
    layout->addWidget(tabs_, 1);
    empty_->setText(QStringLiteral("計算を押すと、ここに表とグラフが出ます。"));
    empty_->setWordWrap(true);
    resize(980, 640);
}

void RecordWindow::setTables(const std::vector<SideTable>& tables)
{
    const int current = tabs_->currentIndex();
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        delete page;
    }
    for (const SideTable& t : tables)
        tabs_->addTab(tablePage(t), qs(t.title));
    if (current >= 0 && current < tabs_->count())
        tabs_->setCurrentIndex(current);
    empty_->setVisible(tabs_->count() == 0);
    tabs_->setVisible(tabs_->count() > 0);
}

}  // namespace milfo
