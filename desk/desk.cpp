// The calculator window as a desktop program beyond its designed client
// area: the menus above it (ファイル: open and save a case, print the
// calculation sheet or write it as PDF; 表示: the record's window), a client
// area larger than the screen scrolled, and the file dialogs. What a case
// holds and how it is entered, what the sheet and the record hold: the core
// (case_file.h, sheet.h, the program's side tables).
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>

#include "case_file.h"
#include "record_window.h"
#include "sheet_document.h"
#include "window.h"

namespace milfo {

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// What a window manager's frame takes around a window, about: its title bar
// and borders.
const QSize kFrameAllowance(16, 48);

}  // namespace

void CalculatorWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(QStringLiteral("開く(&O)…"), QKeySequence::Open, this, [this] { askOpen(); });
    file->addAction(QStringLiteral("保存(&S)…"), QKeySequence::Save, this, [this] { askSave(); });
    if (!hasRecord())
        return;
    file->addSeparator();
    file->addAction(QStringLiteral("印刷(&P)…"), QKeySequence::Print, this, [this] { askPrint(); });
    file->addAction(QStringLiteral("計算書を PDF で保存(&D)…"), this, [this] { askPdf(); });
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->addAction(QStringLiteral("計算の記録(&R)"), QKeySequence(Qt::CTRL | Qt::Key_R), this,
                    [this] { showRecord(); });
}

// The designed client area under the menu bar, at its size where the screen
// has room for it; otherwise the window takes what the screen has and the
// client area scrolls.
void CalculatorWindow::fitScreen()
{
    // A control that takes the focus (by Tab, a click, a driver) comes into
    // view when the client area scrolls.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && client_->isAncestorOf(now))
            scroll_->ensureWidgetVisible(now, 8, 8);
    });
    const QSize full(client_->width(), client_->height() + menuBar()->sizeHint().height());
    const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen != nullptr ? screen->availableGeometry().size() - kFrameAllowance : full;
    if (full.width() <= room.width() && full.height() <= room.height()) {
        scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setFixedSize(full);
        return;
    }
    setMinimumSize(full.boundedTo(QSize(320, 240)));
    setMaximumSize(full + QSize(scroll_->verticalScrollBar()->sizeHint().width(),
                                scroll_->horizontalScrollBar()->sizeHint().height()));
    resize(full.boundedTo(room));
}

CalculationSheet CalculatorWindow::sheet()
{
    takeTyped();
    const QDateTime now = QDateTime::currentDateTime();
    const std::string when = sheetTime(now.date().year(), now.date().month(), now.date().day(),
                                       now.time().hour(), now.time().minute());
    return calculationSheet(model_, sheetTitle_, when, lastTables_);
}

RecordWindow* CalculatorWindow::recordWindow()
{
    if (record_ == nullptr && hasRecord())
        record_ = new RecordWindow(qs(model_.program().caption) + QStringLiteral(" 計算の記録"), this);
    return record_;
}

bool CalculatorWindow::showRecord()
{
    RecordWindow* record = recordWindow();
    if (record != nullptr) {
        record->setTables(lastTables_);
        // The first time, below the calculator's window where the screen has
        // room for it, else beside it; the window manager may place it.
        if (!record->isVisible() && !record->property("placed").toBool()) {
            record->setProperty("placed", true);
            const QRect room = screen() != nullptr ? screen()->availableGeometry() : QRect();
            const QRect frame = frameGeometry();
            const QPoint below = frame.bottomLeft() + QPoint(0, 1), beside = frame.topRight() + QPoint(1, 0);
            if (room.contains(QRect(below, record->frameSize())))
                record->move(below);
            else if (room.contains(QRect(beside, record->frameSize())))
                record->move(beside);
        }
        record->show();
        record->raise();
        record->activateWindow();
    }
    return record != nullptr;
}

void CalculatorWindow::updateRecord()
{
    if (!hasRecord())
        return;
    lastTables_ = sideTablesOf(model_);
    if (record_ != nullptr)
        record_->setTables(lastTables_);
}

QString CalculatorWindow::defaultCaseName(const char* suffix) const
{
    const QDateTime now = QDateTime::currentDateTime();
    QString name = qs(caseFileName(model_.program().name, now.date().year(), now.date().month(),
                                   now.date().day(), now.time().hour(), now.time().minute()));
    name.replace(QStringLiteral(".csv"), QString::fromLatin1(suffix));
    const QString folder = !lastFolder_.isEmpty()
                               ? lastFolder_
                               : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

// The designed caption, then the case's file name.
void CalculatorWindow::showFileName(const QString& path)
{
    const QFileInfo info(path);
    lastFolder_ = info.absolutePath();
    setWindowTitle(qs(calc::caseTitle(model_.program().caption, info.fileName().toStdString())));
}

bool CalculatorWindow::saveCase(const QString& path, QString* error)
{
    takeTyped();
    const std::string bytes = calc::writeCase(model_);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        if (error != nullptr)
            *error = QStringLiteral("ファイル %1 に書き込めません（%2）。").arg(path, file.errorString());
        return false;
    }
    showFileName(path);
    return true;
}

bool CalculatorWindow::openCase(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reportError(Failure{
            QStringLiteral("ファイル %1 を読めません（%2）。").arg(path, file.errorString()).toStdString()});
        return false;
    }
    const QByteArray bytes = file.readAll();
    std::vector<calc::CaseCell> cells;
    try {
        cells = calc::readCase(model_.rules(),
                               std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    } catch (const calc::CaseRefused& refused) {
        lastFailure_ = Failure{refused.message().ja()};
        reportError(*lastFailure_);
        return false;
    }
    const std::vector<Failure> failures = calc::enterCase(model_, cells);
    showPicks();
    // The window has started again: no record of a press yet.
    lastTables_.clear();
    if (record_ != nullptr)
        record_->setTables(lastTables_);
    showFileName(path);
    lastFailure_ = failures.empty() ? std::nullopt : std::optional<Failure>(failures.front());
    for (const Failure& f : failures)
        reportError(f);
    return true;
}

// A list whose text is one of its entries shows that entry as picked, so
// that the arrow keys go on from it.
void CalculatorWindow::showPicks()
{
    for (const Control* c : model_.rules().lists())
        if (auto* list = qobject_cast<QComboBox*>(control(c->name))) {
            const int entry = list->findText(list->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (entry >= 0)
                list->setCurrentIndex(entry);
        }
}

bool CalculatorWindow::writeSheetPdf(const QString& path, QString* error)
{
    if (milfo::writeSheetPdf(sheet(), path))
        return true;
    if (error != nullptr)
        *error = QStringLiteral("ファイル %1 に書き込めません。").arg(path);
    return false;
}

void CalculatorWindow::askOpen()
{
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("開く"), lastFolder_,
                                     QStringLiteral("CSV ファイル (*.csv);;すべてのファイル (*)"));
    if (!path.isEmpty())
        openCase(path);
}

void CalculatorWindow::askSave()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("保存"), defaultCaseName(".csv"),
                                                      QStringLiteral("CSV ファイル (*.csv)"));
    QString error;
    if (!path.isEmpty() && !saveCase(path, &error))
        reportError(Failure{error.toStdString()});
}

void CalculatorWindow::askPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("計算書を印刷"));
    if (dialog.exec() == QDialog::Accepted)
        printSheet(sheet(), printer);
}

void CalculatorWindow::askPdf()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("計算書を PDF で保存"),
                                                      defaultCaseName(".pdf"), QStringLiteral("PDF (*.pdf)"));
    QString error;
    if (!path.isEmpty() && !writeSheetPdf(path, &error))
        reportError(Failure{error.toStdString()});
}

}  // namespace milfo
