#pragma once

namespace corvanta {

// Runs the program: the main window's start-up, then the event loop. A failure during
// start-up is shown with a message naming what is missing and gives exit status 1;
// after start-up an error that escapes a handler is shown in the standard error box and
// the program goes on. The exit routine ends the process itself.
int Lancer_Corvanta(int argc, char* argv[]);

}  // namespace corvanta
