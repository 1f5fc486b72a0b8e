#pragma once
// What every screen is given: the program-wide modules, the message service,
// the clock, and the current user fixed by the login.

#include "Clock.h"
#include "DataModules.h"
#include "MessageService.h"

#include <QString>

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
};

} // namespace rv
