#include "programs.h"
#include "window.h"

int main(int argc, char** argv)
{
    return milfo::runProgram(milfo::conductivity::fennick(), argc, argv, MILFO_DESKTOP_FILE_NAME);
}
