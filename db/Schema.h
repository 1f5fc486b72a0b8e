#pragma once
// One description of the tables of the database, from which the schema of
// each backend is generated. Types are written as the original server's types
// ("int", "char(50)", "decimal(12,2)", "datetime", "bit", "image"):
//
//   SQLite      keeps the type names as declared (they are what result columns
//               report), text columns compare without regard to case (NOCASE),
//               widths and number columns are checked by named constraints.
//   PostgreSQL  int -> integer, char/varchar/nvarchar(N) -> citext checked to N
//               characters (case-insensitive like the original server),
//               decimal -> numeric, datetime -> timestamp(0), bit -> boolean,
//               image -> bytea.
//
// Keys marked identity are assigned by the database; columns marked stamped
// take the database's local time when a row is inserted.

#include "data/ConnectionSettings.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace rv {
class Connection;
}

namespace rv::db {

struct ColumnDef {
    QString name;
    QString type;          // original server type, e.g. "char(50)"
    bool required = false; // NOT NULL
    bool key = false;      // primary key
    bool identity = false; // key assigned by the database
    bool stamped = false;  // defaults to the local time of the insert
    QString defaultValue;  // a literal default ("0", "'N'"), empty for none
};

struct IndexDef {
    QString name;
    QStringList columns;
    bool unique = false;
};

struct ForeignKeyDef {
    QString column;
    QString table;
    QString referenced;
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;
    QList<IndexDef> indexes;
    QList<ForeignKeyDef> references;

    const ColumnDef *column(const QString &name) const;
};

// Every table, in an order in which references point backwards.
const QList<TableDef> &tables();
const TableDef *table(const QString &name);

// Width of a text type ("char(50)" -> 50), 0 when it has none.
int textWidth(const QString &type);
bool isTextType(const QString &type);
// The PostgreSQL type that an original server type is kept as ("char(50)" -> citext).
QString postgresType(const QString &type);

// The statement that creates one index of a table.
QString indexStatement(const TableDef &table, const IndexDef &index);
// The statements that create the tables, their checks and indexes on a backend.
QStringList tableStatements(Backend backend);
// Backend support the schema needs before the tables (PostgreSQL: citext, integer LIKE).
QStringList supportStatements(Backend backend);

} // namespace rv::db
