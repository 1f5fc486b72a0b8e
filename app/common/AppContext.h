#pragma once
// What every screen is given: the program-wide modules, the message service,
// the clock, the current user fixed by the login, the screens that can be
// opened by kind, and the main window once it exists.

#include "Clock.h"
#include "DataModules.h"
#include "MainWindowLink.h"
#include "MessageService.h"
#include "ScreenRegistry.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace rv {

// Set once by a successful login and never changed afterwards.
struct CurrentUser {
    int UsuarioLogadoId = 0;
    int UsuarioLogadoAcesso = 0;
    QString UsuarioLogadoNome;
};

class AppContext {
public:
    AppContext(DataModules &modules, MessageService &messages, Clock &clock)
        : modules(modules), messages(messages), clock(clock) {}

    DataModules &modules;
    MessageService &messages;
    Clock &clock;
    CurrentUser user;
    ScreenRegistry screens;
    // The window screens open over; set by the main window while it lives.
    QPointer<QWidget> mainWindow;
    // What other screens may do to the main window (nullptr until it exists).
    MainWindowLink *mainLink = nullptr;
};

} // namespace rv
