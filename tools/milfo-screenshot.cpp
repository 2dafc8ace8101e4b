// milfo-screenshot PROGRAM OUT.png: builds the calculator's window, carries
// out driver commands from standard input (a sample calculation) and saves
// the window's picture: the record's window instead when the commands showed
// it (record).
#include <QPixmap>
#include <QTest>
#include <iostream>
#include <string>

#include "drive.h"
#include "record_window.h"

int main(int argc, char** argv)
{
    return milfo::driveProgram(argc, argv, 3, "milfo-screenshot PROGRAM OUT.png < commands",
                               [argv](milfo::CalculatorWindow& window, milfo::Driver& driver) {
                                   std::string line;
                                   while (std::getline(std::cin, line))
                                       for (const std::string& out : driver.execute(line))
                                           std::cerr << out << '\n';
                                   QTest::qWait(100);
                                   QWidget* shown =
                                       window.recordWindow() != nullptr && window.recordWindow()->isVisible()
                                           ? static_cast<QWidget*>(window.recordWindow())
                                           : &window;
                                   if (!shown->grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
                                       std::cerr << "milfo-screenshot: cannot write " << argv[2] << "\n";
                                       return 1;
                                   }
                                   return 0;
                               });
}
