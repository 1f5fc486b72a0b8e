// ravelto-db: creates a database of the system, loads demo data, checks that a
// database answers every view and procedure (see db/AdminTool.h).
#include "db/AdminTool.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

// The driver's complaints while a failed transaction is cleaned up say nothing
// the tool's own message does not say better.
void quietDriver(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("Unable to free statement")))
        return;
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ravelto-db"));
    qInstallMessageHandler(quietDriver);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return rv::db::runAdminTool(QCoreApplication::arguments().mid(1), out, err);
}
