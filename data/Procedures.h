#pragma once
// The procedures of the database contract. The screens reach them only through
// statement texts ("exec name :a, :b" or "name :a, :b") or declared procedure
// calls; the data layer finds the handler that the database library registered
// under the name and runs it on the shared connection. A handler that writes
// runs inside one transaction, so a call is atomic even with several seats on
// one PostgreSQL database.

#include "ConnectionSettings.h"
#include "Params.h"
#include "RowSet.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

namespace rv {

class Connection;

// Server-side SQL for handlers: '?' placeholders, SQL both backends read
// (standard joins, CASE, COALESCE, ||, LIMIT, RETURNING). Values are bound.
class ServerContext {
public:
    explicit ServerContext(Connection &connection) : m_connection(connection) {}

    Backend backend() const;
    // Rows of a select. kinds, when given, fix the kinds of the result columns in order.
    RowSet query(const QString &sql, const QVariantList &args = {}, const QList<FieldKind> &kinds = {});
    // First column of the first row; an invalid QVariant when there is no row.
    QVariant scalar(const QString &sql, const QVariantList &args = {});
    // Rows affected by an insert, update or delete.
    int exec(const QString &sql, const QVariantList &args = {});
    // Call another procedure of the contract inside the same transaction.
    std::optional<RowSet> call(const QString &procedure, const QList<BoundValue> &args);
    // The database's current local time (what a registration time gets).
    QDateTime now();

    Connection &connection() { return m_connection; }

private:
    Connection &m_connection;
};

// The arguments of one call, by position, converted the way the original
// server converted parameters (text to numbers, year/day/month date texts).
class ProcedureArgs {
public:
    ProcedureArgs(QString procedure, QList<BoundValue> values)
        : m_procedure(std::move(procedure)), m_values(std::move(values)) {}

    int count() const { return int(m_values.size()); }
    bool isNull(int i) const;
    const BoundValue &raw(int i) const;
    // Each accessor returns std::nullopt for NULL (or a missing argument) and
    // raises DatabaseError for a value that does not convert.
    std::optional<QString> text(int i) const;
    std::optional<qint64> integer(int i) const;  // "" converts to 0, as the original server did
    std::optional<double> number(int i) const;
    std::optional<bool> boolean(int i) const;
    // A date-time: text "yyyy/dd/mm HH:MM:SS" (year, day, month), or a date-time value.
    std::optional<QDateTime> dateTime(int i) const;

    const QString &procedure() const { return m_procedure; }

private:
    QString m_procedure;
    QList<BoundValue> m_values;
};

// Read a server date-time text in year/day/month order ("2009/21/01 00:00:00");
// throws DatabaseError naming the text when it is not such a date.
QDateTime parseYearDayMonth(const QString &text);

struct ProcedureParam {
    QString name; // as the server declares it, with the at sign ("@PCdRadio")
    FieldKind kind = FieldKind::Unknown;
};

using ProcedureHandler = std::function<std::optional<RowSet>(ServerContext &, const ProcedureArgs &)>;

struct ProcedureDef {
    QString name;
    QList<ProcedureParam> params;
    bool writes = false;            // runs inside a transaction
    bool hasReturnValue = false;    // declares a @RETURN_VALUE slot
    ProcedureHandler handler;
    // The columns of the rows it returns (empty for a procedure that returns
    // none); every call returns exactly these, rows or no rows.
    QList<ResultColumn> result;
};

class ProcedureRegistry {
public:
    void add(ProcedureDef def);
    const ProcedureDef *find(const QString &name) const; // without regard to case
    QStringList names() const;

private:
    QHash<QString, ProcedureDef> m_defs; // key: lower-case name
};

} // namespace rv
