#include "Startup.h"
#include "Screens.h"

#include "app/common/AppContext.h"
#include "app/common/DataModules.h"
#include "app/common/MessageService.h"
#include "data/Errors.h"
#include "db/Contract.h"
#include "orders/TfrmPrincipal.h"

#include <QApplication>
#include <memory>

namespace rv {

int runRavelto(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravelto"));
    QtMessageService messages;
    SystemClock clock;
    return runProgram(messages, clock);
}

int runProgram(MessageService &messages, Clock &clock, const QString &settingsFile)
{
    std::unique_ptr<DataModules> modules;
    try {
        ConnectionSettings settings =
            ConnectionSettings::load(settingsFile.isEmpty() ? ConnectionSettings::locate() : settingsFile);
        settings.backend(); // an unknown driver is refused before anything else
        modules = std::make_unique<DataModules>(std::move(settings), &db::contractProcedures());
    } catch (const Error &e) {
        messages.error(e.text());
        return 1;
    }

    AppContext context(*modules, messages, clock);
    registerScreens(context.screens);
    int status = 0;
    try {
        TfrmPrincipal main(context);
        // A cancelled login ends the program before the window is ever shown.
        if (main.loginSucceeded()) {
            main.showMaximized();
            status = QApplication::exec();
        }
    } catch (const Error &e) {
        // An error while the main window is being set up ends the program.
        messages.error(e.text());
        status = 1;
    }
    modules.reset();
    return status;
}

} // namespace rv
