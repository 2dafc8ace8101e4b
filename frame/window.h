// The Qt binding of the calculator frame: one window built from a program
// description, every control at its twip rectangle, the classic control
// behaviours, and the event flow (load, then one handler at a time, with the
// run-time error policy).
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "numeric.h"
#include "program.h"

class QApplication;

namespace milfo {

// 15 twips to a logical pixel (1440 twips per inch at 96 dots per inch).
int twipsToPixels(int twips);

// Fonts: the UI font is IPAPGothic sized to the captions' rectangles;
// "ＭＳ Ｐゴシック" is substituted by IPAPGothic, which has the same metrics.
// Qt's own texts in Japanese (qtbase_ja); the suite's icon on every window.
void setUpApplication(QApplication& app);

// The least width of the run-time error report of a window with this
// caption: room for the whole caption in the report's title bar.
int errorReportWidth(const QString& caption);

class CalculatorWindow : public QWidget, private Form {
public:
    explicit CalculatorWindow(const ProgramDescription& program, QWidget* parent = nullptr);

    const ProgramDescription& program() const { return program_; }

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

    // The run-time error the last handler ended with, if any.
    std::optional<ErrorKind> lastError() const { return lastError_; }
    bool hasEnded() const { return ended_; }

    // Called when a handler ends with a run-time error, after the window has
    // emptied the unwritten result boxes. The default opens a window-modal
    // message box naming the error.
    void setErrorReporter(std::function<void(ErrorKind)> reporter) { reporter_ = std::move(reporter); }
    // Called when a handler ends the program. The default closes the window
    // and quits the application.
    void setEndHandler(std::function<void()> onEnd) { onEnd_ = std::move(onEnd); }

    // Raises an event by its name: runs its handler, if the program has one
    // and no other handler is running.
    void raiseEvent(std::string_view event);

private:
    // Form, as the handlers see the window.
    std::string text(std::string_view control) const override;
    void setText(std::string_view control, std::string_view text) override;
    void addItem(std::string_view control, std::string_view text) override;
    void end() override;

    void build();
    void reportError(ErrorKind kind);

    const ProgramDescription& program_;
    std::optional<ErrorKind> lastError_;
    std::function<void(ErrorKind)> reporter_;
    std::function<void()> onEnd_;
    bool running_ = false;
    bool loaded_ = false;
    bool ended_ = false;
};

// Creates the application, builds and loads the program's window, shows it
// and runs until the window is closed or a handler ends the program.
// desktopFileName names the program's menu entry (without ".desktop").
int runProgram(const ProgramDescription& program, int argc, char** argv,
               const char* desktopFileName = nullptr);

}  // namespace milfo
