#pragma once
// Small helpers for writing procedure handlers.

#include "data/Procedures.h"
#include "data/RowSet.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace rv::db {

// Result columns written compactly: {"Nr_Matricula", FieldKind::Integer}, ...
using Columns = QList<ResultColumn>;

// A result with the given columns and the rows of a server query whose
// columns come in the same order; values are brought to the declared kinds.
RowSet shaped(const Columns &columns, const RowSet &rows);
// An empty result with the given columns.
RowSet emptyResult(const Columns &columns);

// A bound value for an integer, a text or NULL (std::nullopt).
QVariant orNull(const std::optional<qint64> &v);
QVariant orNull(const std::optional<QString> &v);
QVariant orNull(const std::optional<double> &v);
QVariant orNull(const std::optional<QDateTime> &v);

} // namespace rv::db
