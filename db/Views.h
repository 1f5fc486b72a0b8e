#pragma once
// The views of the contract, with the result columns the screens read.
//
// Each view is described once: its columns (name, type written as the
// original server's type, expression) and the joins they come from. The
// statement of each backend is generated from it:
//
//   PostgreSQL  every column is cast to its type (text to citext, so view
//               columns compare without regard to case like the tables);
//               names stay unquoted, so any spelling of them reaches them.
//   SQLite      a plain column reference keeps the table column's declared
//               type and collation; a computed text column gets NOCASE.
//
// Columns marked exact (the telephone as text) compare as typed on both
// backends, which lets an expression index serve a lookup on them.

#include "data/ConnectionSettings.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace rv::db {

struct ViewColumnDef {
    QString name;
    QString type;          // original server type, e.g. "char(50)"
    QString expression;    // SQL both backends read
    bool required = false; // never null
    bool exact = false;    // plain text compared exactly (digits)
};

struct ViewDef {
    QString name;
    QList<ViewColumnDef> columns;
    QString from; // "FROM ... [WHERE ...]"
};

// Every view of the contract.
const QList<ViewDef> &views();
const ViewDef *view(const QString &name);

// The statements that create the views and the indexes their lookups rely on.
QStringList viewStatements(Backend backend);

} // namespace rv::db
