#include "cli.h"

int main(int argc, char** argv)
{
    return milfo::calc::commandLine(argc, argv);
}
