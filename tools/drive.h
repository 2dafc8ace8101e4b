// Scripted user input to a calculator window: each command line becomes key
// and mouse events through Qt, so the same handlers run as for a person.
// Serves milfo-drive and the GUI tests.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "window.h"

class QWidget;

namespace milfo {

// Types text into the focused widget w as key clicks, one per character
// (full-width and other non-ASCII characters included).
void typeText(QWidget* w, const QString& text);

class Driver {
public:
    // Takes over the window's error report and end of program so that both
    // show in the output instead of a message box or a quit.
    explicit Driver(CalculatorWindow& window);

    // Carries out one command line; returns the lines it prints.
    std::vector<std::string> execute(std::string_view line);

    // A handler ended the program.
    bool ended() const { return ended_; }

    // The window as built, in the dump format.
    std::vector<std::string> dump() const;

private:
    std::vector<std::string> run(std::string_view command, std::string_view rest);
    void set(std::string_view name, std::string_view text, std::vector<std::string>& out);
    void pick(std::string_view name, std::string_view text, std::vector<std::string>& out);
    void key(std::string_view name, std::vector<std::string>& out);
    void file(std::string_view command, std::string_view path, std::vector<std::string>& out);
    QWidget* find(std::string_view name, std::vector<std::string>& out) const;

    CalculatorWindow& window_;
    std::vector<std::string> faults_;
    bool ended_ = false;
};

// The common start of the driving tools: PROGRAM from argv[1] (with
// `arguments` words on the command line in all), the offscreen platform
// unless a display is at hand, the program's window built, loaded, shown and
// active with its driver; then body. Exit code 2 for a wrong command line.
int driveProgram(int argc, char** argv, int arguments, const char* usage,
                 const std::function<int(CalculatorWindow&, Driver&)>& body);

}  // namespace milfo
