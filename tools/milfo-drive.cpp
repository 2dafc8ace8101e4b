// milfo-drive PROGRAM: builds the calculator's window as the program does and
// carries out commands read from standard input as user input events.
#include <QApplication>
#include <QTest>
#include <iostream>
#include <string>

#include "drive.h"
#include "registry.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: milfo-drive PROGRAM\n";
        return 2;
    }
    const milfo::ProgramDescription* program = milfo::findProgram(argv[1]);
    if (program == nullptr) {
        std::cerr << "milfo-drive: no program " << argv[1] << "\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    milfo::setUpApplication(app);
    milfo::CalculatorWindow window(*program);
    milfo::Driver driver(window);
    window.load();
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window, 5000))
        std::cerr << "milfo-drive: the window did not become active\n";

    std::string line;
    while (std::getline(std::cin, line)) {
        for (const std::string& out : driver.execute(line))
            std::cout << out << '\n';
        std::cout.flush();
        if (driver.ended())
            return 0;
    }
    return 0;
}
