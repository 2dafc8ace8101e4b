// The Qt binding of the calculator frame: the form model of a program bound
// to one window, every control at its pixel rectangle, with the classic
// control behaviours. The model holds the rules (load sequence, tab order,
// captions, events, the error policy); the window shows what the model
// changes, marks the boxes it says an act read otherwise than as typed, and
// hands it what the person typed before every event.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "form_model.h"

class QApplication;

namespace milfo {

// Fonts: the UI font is IPAPGothic sized to the captions' rectangles;
// "ＭＳ Ｐゴシック" is substituted by IPAPGothic, which has the same metrics.
// Qt's own texts in Japanese (qtbase_ja); the suite's icon on every window.
void setUpApplication(QApplication& app);

// The least width of the run-time error report of a window with this
// caption: room for the whole caption in the report's title bar.
int errorReportWidth(const QString& caption);

class CalculatorWindow : public QWidget, private FormObserver {
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
    // The texts the person typed, into the model, then the event.
    void act(const std::function<std::optional<Failure>()>& event);
    void reportError(const Failure& failure);

    FormModel model_;
    std::vector<QWidget*> widgets_;  // by place in the control table
    std::optional<Failure> lastFailure_;
    std::function<void(const Failure&)> reporter_;
    std::function<void()> onEnd_;
};

// Creates the application, builds and loads the program's window, shows it
// and runs until the window is closed or a handler ends the program.
// desktopFileName names the program's menu entry (without ".desktop").
int runProgram(const ProgramDescription& program, int argc, char** argv,
               const char* desktopFileName = nullptr);

}  // namespace milfo
