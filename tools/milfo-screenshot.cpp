// milfo-screenshot PROGRAM OUT.png: builds the calculator's window, carries
// out driver commands from standard input (a sample calculation) and saves
// the window's picture.
#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <iostream>
#include <string>

#include "drive.h"
#include "registry.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: milfo-screenshot PROGRAM OUT.png < commands\n";
        return 2;
    }
    const milfo::ProgramDescription* program = milfo::findProgram(argv[1]);
    if (program == nullptr) {
        std::cerr << "milfo-screenshot: no program " << argv[1] << "\n";
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
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window, 5000))
        std::cerr << "milfo-screenshot: the window did not become active\n";
    std::string line;
    while (std::getline(std::cin, line))
        for (const std::string& out : driver.execute(line))
            std::cerr << out << '\n';
    QTest::qWait(100);
    if (!window.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::cerr << "milfo-screenshot: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
