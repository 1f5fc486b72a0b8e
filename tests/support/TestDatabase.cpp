#include "TestDatabase.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace rv::test {

namespace {

QString env(const char *name)
{
    return qEnvironmentVariable(name);
}

// Runs one administrative statement on the test server, outside any schema.
void adminExec(const QString &sql)
{
    const QString name = QStringLiteral("rv-test-admin-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(env("RAVELTO_PG_HOST"));
        db.setPort(env("RAVELTO_PG_PORT").isEmpty() ? 5432 : env("RAVELTO_PG_PORT").toInt());
        db.setUserName(env("RAVELTO_PG_USER"));
        db.setDatabaseName(env("RAVELTO_PG_DATABASE"));
        if (!db.open())
            ADD_FAILURE() << "cannot reach the PostgreSQL test server: " << db.lastError().text().toStdString();
        else {
            QSqlQuery q(db);
            q.exec(QStringLiteral("SET client_min_messages TO warning"));
            if (!q.exec(sql))
                ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

bool TestDatabase::postgresConfigured()
{
    return !env("RAVELTO_PG_HOST").isEmpty();
}

bool TestDatabase::postgresRequired()
{
    return !env("RAVELTO_REQUIRE_PG").isEmpty();
}

ConnectionSettings TestDatabase::postgresServerSettings()
{
    return ConnectionSettings::fromPairs({
        {QStringLiteral("DriverName"), QStringLiteral("PostgreSQL")},
        {QStringLiteral("HostName"), env("RAVELTO_PG_HOST")},
        {QStringLiteral("Port"), env("RAVELTO_PG_PORT").isEmpty() ? QStringLiteral("5432") : env("RAVELTO_PG_PORT")},
        {QStringLiteral("User_Name"), env("RAVELTO_PG_USER")},
        {QStringLiteral("Database"), env("RAVELTO_PG_DATABASE")},
    });
}

TestDatabase::TestDatabase(Backend backend) : m_backend(backend)
{
    if (backend == Backend::SQLite) {
        m_dir = std::make_unique<QTemporaryDir>();
        m_location = QDir(m_dir->path()).filePath(QStringLiteral("test.db"));
        m_settings = ConnectionSettings::fromPairs(
            {{QStringLiteral("DriverName"), QStringLiteral("SQLite")}, {QStringLiteral("Database"), m_location}},
            m_dir->path());
        return;
    }
    m_location = QStringLiteral("t_%1_%2")
                     .arg(QCoreApplication::applicationPid())
                     .arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    adminExec(QStringLiteral("CREATE SCHEMA \"%1\"").arg(m_location));
    auto pairs = postgresServerSettings().pairs();
    pairs.append({QStringLiteral("Schema"), m_location});
    m_settings = ConnectionSettings::fromPairs(pairs);
}

TestDatabase::~TestDatabase()
{
    if (m_backend == Backend::PostgreSQL && !m_location.isEmpty())
        adminExec(QStringLiteral("DROP SCHEMA IF EXISTS \"%1\" CASCADE").arg(m_location));
}

} // namespace rv::test
