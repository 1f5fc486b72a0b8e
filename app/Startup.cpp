#include "Startup.h"

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
    int status = 0;
    {
        TfrmPrincipal main(context);
        main.showMaximized();
        status = QApplication::exec();
    }
    modules.reset();
    return status;
}

} // namespace rv
