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

// Arguments a procedure cannot do without: DatabaseError naming the parameter
// when the caller sent NULL.
qint64 requiredInteger(const ProcedureArgs &args, int index, const QString &param);
double requiredNumber(const ProcedureArgs &args, int index, const QString &param);

// The row lock a writing procedure takes on the rows it checks: "FOR UPDATE"
// on PostgreSQL. On SQLite the writing procedure already holds the database's
// write lock (BEGIN IMMEDIATE), so nothing is added.
QString forUpdate(const ServerContext &ctx);

// An amount rounded to cents (SQLite keeps decimals as floating point).
double cents(double value);

// Texts compared as the screens send them: without regard to case, trailing
// blanks ignored (the pick list's "NOITE " equals "noite").
bool sameServerText(const QString &a, const QString &b);

// A window of time given to a procedure as two date-time arguments, both ends
// included ("2009/21/01 00:00:00" to "2009/21/01 23:59:59"). A window with a
// NULL end is no window: std::nullopt, and the procedure finds nothing in it
// (the calls made at start-up). A text that is no date raises the error naming it.
struct Period {
    QDateTime from;
    QDateTime to;
};
std::optional<Period> period(const ProcedureArgs &args, int fromIndex, int toIndex);
// The same for the arguments first and first + 1.
std::optional<Period> periodArgs(const ProcedureArgs &args, int first);

// The courier account (tb_motoqueiro_movimento): a credit counts plus, a debit
// minus. The expression reads the columns of the table, unqualified.
inline constexpr const char *SignedMovementSql =
    "CASE WHEN fl_credito THEN vl_movimento ELSE -vl_movimento END";
// Credits minus debits of one courier: negative while the courier owes.
double courierBalance(ServerContext &ctx, qint64 matricula);

// An address as one text: "RUA DAS FLORES, 120 - APTO 3" from the street's kind,
// its name, the house number and a detail (complement, neighbourhood); empty
// parts are left out; the text is cut to width characters.
QString addressText(const QVariant &kind, const QVariant &name, const QVariant &number, const QVariant &detail,
                    int width);

} // namespace rv::db
