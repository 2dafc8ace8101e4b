// The record of a design beyond its boxes, in a window of its own opened from
// the calculator's (表示 → 計算の記録): a tab for each side table the program
// works out (the per-thickness table, the criterion's own, the steps of the
// calculation), in the program's order and under its titles, each its chart
// (when it asks for one) above the table. The tables come from the core as
// they stand after each press, after a design that stops too.
#pragma once

#include <QWidget>
#include <vector>

#include "program.h"

class QTabWidget;
class QLabel;

namespace milfo {

class RecordWindow : public QWidget {
    Q_OBJECT

public:
    RecordWindow(const QString& title, QWidget* parent);

    // The tables as they now stand (sideTablesOf: those with rows).
    void setTables(const std::vector<SideTable>& tables);
    QTabWidget* tabs() const { return tabs_; }

private:
    QTabWidget* tabs_;
    QLabel* empty_;
};

}  // namespace milfo
