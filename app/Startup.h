#pragma once
// Start-up of the program: the connection settings, the modules in their
// order, the main window (whose creation runs the login), the event loop.

#include <QString>

namespace rv {

class Clock;
class MessageService;

// Runs the whole program; returns the process exit status.
int runRavelto(int argc, char **argv);

// Everything after the application object exists, with the services given:
// reads the settings (settingsFile, or the file found beside the executable
// or in the user's configuration folder), creates the modules in order and
// the main window, and runs the event loop. Any failure before the main window
// exists is shown and ends with status 1, without any window. A login that
// does not succeed ends with status 0 without entering the event loop.
int runProgram(MessageService &messages, Clock &clock, const QString &settingsFile = {});

} // namespace rv
