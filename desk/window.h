// The Qt binding of the calculator frame: the form model of a program bound
// to one window, every control at its pixel rectangle in the designed client
// area, with the classic control behaviours. The model holds the rules (load
// sequence, tab order, captions, events, the error policy); the window shows
// what the model changes, marks the boxes it says an act read otherwise than
// as typed, and hands it what the person typed before every event.
//
// Above the client area a ファイル menu opens and saves the inputs as a case
// (case_file.h) and, for a program with a record beyond its boxes (side
// tables), prints the calculation sheet or writes it as PDF (sheet.h); that
// record shows in a window of its own (表示 → 計算の記録). A client area
// larger than the screen scrolls instead of running off it (desk.cpp).
#pragma once

#include <QMainWindow>
#include <functional>
#include <optional>
#include <string>

#include "form_model.h"
#include "sheet.h"

class QApplication;
class QScrollArea;

namespace milfo {

// Fonts: the UI font is IPAPGothic sized to the captions' rectangles;
// "ＭＳ Ｐゴシック" is substituted by IPAPGothic, which has the same metrics.
// Qt's own texts in Japanese (qtbase_ja); the suite's icon on every window.
void setUpApplication(QApplication& app);

// The least width of the run-time error report of a window with this
// caption: room for the whole caption in the report's title bar.
int errorReportWidth(const QString& caption);

class RecordWindow;

class CalculatorWindow : public QMainWindow, private FormObserver {
public:
    explicit CalculatorWindow(const ProgramDescription& program, QWidget* parent = nullptr);
    ~CalculatorWindow() override;

    const ProgramDescription& program() const { return model_.program(); }
    const FormRules& rules() const { return model_.rules(); }

    // The load step: the list entries, then form_load where the program has
    // one. Runs once, before the window is first shown.
    void load();

    // The widget of a control by its name, or nullptr.
    QWidget* control(std::string_view name) const;
    // The control whose widget is w or contains it (the list's edit field),
    // or nullptr.
    const Control* controlOf(const QWidget* w) const;
    // A control's current text (caption, box text, the list's edit text).
    std::string controlText(std::string_view name) const;
    // The note the window shows on a box that the last act reading it read
    // otherwise than as typed; "" for a box not marked and for any other
    // control.
    std::string noteOf(std::string_view name) const;

    // The designed client area (the menu bar stands above it).
    QWidget* clientArea() const { return client_; }

    // What the calculation sheet says of the program (the catalogue's menu
    // number, title and comment, the suite's version).
    void setSheetTitle(SheetTitle title) { sheetTitle_ = std::move(title); }
    // The calculation sheet of the form as the person left it, dated now.
    CalculationSheet sheet();
    // The record beyond the boxes: whether the program has one, its window.
    bool hasRecord() const { return model_.program().sideTables != nullptr; }
    RecordWindow* recordWindow();
    // The record's window shown and raised (表示 → 計算の記録); false for a
    // program without a record.
    bool showRecord();

    // The form's case written to path; false (and why) when it cannot be.
    bool saveCase(const QString& path, QString* error = nullptr);
    // A case read from path and entered from the window's start texts; a
    // file that is no case of the program is reported as a failure is, and
    // nothing typed is lost. Whether it was opened.
    bool openCase(const QString& path);
    // The calculation sheet as PDF, A4; false (and why) when it cannot be.
    bool writeSheetPdf(const QString& path, QString* error = nullptr);

    // The failure the last event ended with, if any.
    const std::optional<Failure>& lastFailure() const { return lastFailure_; }
    bool hasEnded() const { return model_.ended(); }

    // Called when an event ends in a failure, after the unwritten result
    // boxes were emptied. The default opens a window-modal message box with
    // the failure's message.
    void setErrorReporter(std::function<void(const Failure&)> reporter) { reporter_ = std::move(reporter); }
    // Called when a handler ends the program. The default closes the window
    // and quits the application.
    void setEndHandler(std::function<void()> onEnd) { onEnd_ = std::move(onEnd); }

private:
    // What the model changes, shown.
    void textChanged(const Control& control, const std::string& text) override;
    void itemAdded(const Control& list, const std::string& text) override;
    void itemsCleared(const Control& list) override;
    void markChanged(const Control& box, const std::string& note) override;

    void build();
    QWidget* buildControl(const Control& c);
    void nameControls();
    void setFocusOrder();
    // desk.cpp: the menus, the size against the screen, the dialogs.
    void buildMenus();
    void fitScreen();
    void askOpen();
    void askSave();
    void askPrint();
    void askPdf();
    // After a press: the record worked out again, and shown where its window is open.
    void updateRecord();
    void showFileName(const QString& path);
    QString defaultCaseName(const char* suffix) const;
    void showPicks();

    // The texts the person typed, into the model.
    void takeTyped();
    // The texts the person typed, into the model, then the event.
    void act(const std::function<std::optional<Failure>()>& event);
    void reportError(const Failure& failure);

    FormModel model_;
    QScrollArea* scroll_ = nullptr;
    QWidget* client_ = nullptr;
    SheetTitle sheetTitle_;
    RecordWindow* record_ = nullptr;
    std::vector<SideTable> lastTables_;  // the record as the last press left it
    QString lastFolder_;
    std::vector<QWidget*> widgets_;  // by place in the control table
    std::optional<Failure> lastFailure_;
    std::function<void(const Failure&)> reporter_;
    std::function<void()> onEnd_;
};

// Creates the application, builds and loads the program's window, shows it
// and runs until the window is closed or a handler ends the program.
// desktopFileName names the program's menu entry (without ".desktop").
// sheetTitle: what its calculation sheet says of it.
int runProgram(const ProgramDescription& program, int argc, char** argv,
               const char* desktopFileName = nullptr, const SheetTitle& sheetTitle = {});

}  // namespace milfo
