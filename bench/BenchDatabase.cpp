#include "BenchDatabase.h"

#include "data/Connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace rv::bench {

bool postgresAvailable()
{
    return !qEnvironmentVariableIsEmpty("RAVELTO_PG_HOST");
}

bool skipUnavailable(benchmark::State &state, Backend backend)
{
    if (backend == Backend::PostgreSQL && !postgresAvailable()) {
        state.SkipWithError("PostgreSQL not configured (RAVELTO_PG_HOST)");
        return true;
    }
    return false;
}

ConnectionSettings postgresSettings(const QString &schema)
{
    QList<QPair<QString, QString>> pairs = {
        {QStringLiteral("DriverName"), QStringLiteral("PostgreSQL")},
        {QStringLiteral("HostName"), qEnvironmentVariable("RAVELTO_PG_HOST")},
        {QStringLiteral("Port"), qEnvironmentVariable("RAVELTO_PG_PORT", QStringLiteral("5432"))},
        {QStringLiteral("User_Name"), qEnvironmentVariable("RAVELTO_PG_USER")},
        {QStringLiteral("Database"), qEnvironmentVariable("RAVELTO_PG_DATABASE")},
    };
    if (!schema.isEmpty())
        pairs.append({QStringLiteral("Schema"), schema});
    return ConnectionSettings::fromPairs(pairs);
}

ConnectionSettings freshDatabase(Backend backend, const QString &label)
{
    const QString name = QStringLiteral("bench_%1_%2").arg(label).arg(QCoreApplication::applicationPid());
    if (backend == Backend::SQLite) {
        const QString file = QDir(QDir::tempPath()).filePath(name + QStringLiteral(".db"));
        QFile::remove(file);
        return ConnectionSettings::fromPairs(
            {{QStringLiteral("DriverName"), QStringLiteral("SQLite")}, {QStringLiteral("Database"), file}});
    }
    {
        Connection admin(postgresSettings(), nullptr);
        admin.serverExec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(name), {});
        admin.serverExec(QStringLiteral("CREATE SCHEMA %1").arg(name), {});
    }
    return postgresSettings(name);
}

} // namespace rv::bench
