#pragma once
// Small helpers for writing procedure handlers.

#include "data/Procedures.h"
#include "data/RowSet.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

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

// A window of time given to a procedure as two date-time arguments, both ends
// included ("2009/21/01 00:00:00" to "2009/21/01 23:59:59").
struct Period {
    QDateTime from;
    QDateTime to;
};
// The window of the arguments first and first + 1; std::nullopt when either is
// NULL (the calls made at start-up), so the procedure returns no rows. A text
// that is no date raises the error naming it.
std::optional<Period> periodArgs(const ProcedureArgs &args, int first);

// An address as one text: "RUA DAS FLORES, 120 - APTO 3" from the street's kind,
// its name, the house number and a detail (complement, neighbourhood); empty
// parts are left out; the text is cut to width characters.
QString addressText(const QVariant &kind, const QVariant &name, const QVariant &number, const QVariant &detail,
                    int width);

} // namespace rv::db
