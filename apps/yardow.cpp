#include "programs.h"
#include "window.h"

int main(int argc, char** argv)
{
    return milfo::runProgram(milfo::heatflow::yardow(), argc, argv, MILFO_DESKTOP_FILE_NAME);
}
