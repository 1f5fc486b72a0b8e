#include "Database.h"
#include "ReferenceData.h"
#include "Schema.h"
#include "Views.h"

#include "data/Connection.h"
#include "data/Errors.h"

namespace rv::db {

bool hasSchema(Connection &connection)
{
    const QString sql = connection.backend() == Backend::SQLite
        ? QStringLiteral("select count(*) from sqlite_master where type = 'table' and lower(name) = 'pedido'")
        : QStringLiteral("select count(*) from information_schema.tables where table_schema = current_schema() "
                         "and lower(table_name) = 'pedido'");
    return connection.serverQuery(sql, {}).rows.value(0).value(0).toInt() > 0;
}

void createSchema(Connection &connection)
{
    if (hasSchema(connection))
        throw DatabaseError(QStringLiteral("O banco de dados já tem as tabelas do sistema"));
    const Backend backend = connection.backend();
    connection.serverExec(QStringLiteral("BEGIN"), {});
    try {
        for (const QString &sql : supportStatements(backend))
            connection.serverExec(sql, {});
        for (const QString &sql : tableStatements(backend))
            connection.serverExec(sql, {});
        for (const QString &sql : viewStatements(backend))
            connection.serverExec(sql, {});
        insertReferenceData(connection);
        connection.serverExec(QStringLiteral("COMMIT"), {});
    } catch (...) {
        try {
            connection.serverExec(QStringLiteral("ROLLBACK"), {});
        } catch (...) {
        }
        throw;
    }
}

} // namespace rv::db
