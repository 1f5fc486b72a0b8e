#pragma once
// Rows of one result, fetched whole. Both the backends' statements and the
// procedure handlers of the database contract produce results in this form.

#include "FieldKind.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace rv {

struct ResultColumn {
    QString name;
    FieldKind kind = FieldKind::Unknown;
};

using Row = QList<QVariant>;

struct RowSet {
    QList<ResultColumn> columns;
    QList<Row> rows;

    // Index of a column by name, without regard to case (Unicode-aware); -1 if absent.
    int indexOf(const QString &name) const;
    bool isEmpty() const { return rows.isEmpty(); }
};

// Case-insensitive comparison of names as the whole program uses it.
bool sameName(const QString &a, const QString &b);

} // namespace rv
