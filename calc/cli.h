// milfo-calc: every calculator of the suite over CSV rows, or over a table
// of values made on the command line, writing the texts the windows show.
#pragma once

namespace milfo::calc {

// The whole command: arguments as main receives them; the exit status.
// 0: done (rows whose calculation failed carry the window's message in
// their error column); 2: a wrong command line or input that cannot be read
// on (the rows before it are written); 1: the output cannot be written.
int commandLine(int argc, char** argv);

// Whether the progress line goes to errFd: when it is a terminal and outFd,
// where the rows go, is not that same terminal (the rows would be mixed with
// the line's carriage returns).
bool progressShown(int errFd, int outFd);

}  // namespace milfo::calc
