// milfo-screenshot PROGRAM OUT.png: builds the calculator's window, carries
// out driver commands from standard input (a sample calculation) and saves
// the window's picture.
#include <QPixmap>
#include <QTest>
#include <iostream>
#include <string>

#include "drive.h"

int main(int argc, char** argv)
{
    return milfo::driveProgram(argc, argv, 3, "milfo-screenshot PROGRAM OUT.png < commands",
                               [argv](milfo::CalculatorWindow& window, milfo::Driver& driver) {
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
                               });
}
