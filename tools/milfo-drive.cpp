// milfo-drive PROGRAM: builds the calculator's window as the program does and
// carries out commands read from standard input as user input events.
#include <iostream>
#include <string>

#include "drive.h"

int main(int argc, char** argv)
{
    return milfo::driveProgram(argc, argv, 2, "milfo-drive PROGRAM",
                               [](milfo::CalculatorWindow&, milfo::Driver& driver) {
                                   std::string line;
                                   while (std::getline(std::cin, line)) {
                                       for (const std::string& out : driver.execute(line))
                                           std::cout << out << '\n';
                                       std::cout.flush();
                                       if (driver.ended())
                                           break;
                                   }
                                   return 0;
                               });
}
