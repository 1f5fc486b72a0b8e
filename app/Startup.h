#pragma once
// Start-up of the program: the connection settings, the modules in their
// order, the main window (whose creation runs the login), the event loop.

namespace rv {

// Runs the whole program; returns the process exit status.
int runRavelto(int argc, char **argv);

} // namespace rv
