#pragma once
// Everything that differs between the two backends, in one place: how the
// connection is configured, how a value is bound, how result columns get
// their kinds, how a writing procedure starts its transaction.

#include "ConnectionSettings.h"
#include "FieldKind.h"
#include "Params.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QStringList>

#include <functional>
#include <memory>

namespace rv {

class Dialect {
public:
    virtual ~Dialect() = default;
    static std::unique_ptr<Dialect> forBackend(Backend backend);

    virtual Backend backend() const = 0;
    virtual QString qtDriver() const = 0;
    // Database name, host, options of the QSqlDatabase before it opens.
    virtual void configure(QSqlDatabase &db, const ConnectionSettings &settings) const = 0;
    // Statements run once after every (re)connection.
    virtual QStringList sessionSetup(const ConnectionSettings &settings) const = 0;
    // Whether the server can drop a connection that the client holds open.
    virtual bool canLoseConnection() const = 0;
    virtual QString beginWriteTransaction() const = 0;

    // The driver value that a parameter value is bound as.
    virtual QVariant driverValue(const BoundValue &value) const;

    // Called before a statement runs, for backends that must ask the database
    // about its result columns: asking then cannot disturb the statement's reading.
    virtual void learnResultKinds(QSqlDatabase &db, const QString &sql) {}
    // Kinds of the result columns of a statement that ran. SQL with '?' placeholders.
    virtual QList<FieldKind> resultKinds(QSqlDatabase &db, const QString &sql, const QSqlRecord &record) = 0;

    // Text parameters that the original server would have converted to a number
    // ('' to 0) and this backend would refuse: adjust the bound values. sqlNumbered
    // is the statement with $1, $2 ... placeholders.
    virtual void adaptTextToNumber(QSqlDatabase &db, const QString &sqlNumbered, QList<BoundValue> &values)
    {
    }

    // Forget what was learnt about statements (after a reconnection).
    virtual void forgetStatements() {}
};

class SqliteDialect final : public Dialect {
public:
    Backend backend() const override { return Backend::SQLite; }
    QString qtDriver() const override { return QStringLiteral("QSQLITE"); }
    void configure(QSqlDatabase &db, const ConnectionSettings &settings) const override;
    QStringList sessionSetup(const ConnectionSettings &settings) const override;
    bool canLoseConnection() const override { return false; }
    QString beginWriteTransaction() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    QVariant driverValue(const BoundValue &value) const override;
    void learnResultKinds(QSqlDatabase &db, const QString &sql) override;
    QList<FieldKind> resultKinds(QSqlDatabase &db, const QString &sql, const QSqlRecord &record) override;
    void forgetStatements() override { m_kinds.clear(); }

private:
    // Declared types of result columns, learnt once per statement text through a
    // temporary view (SQLite reports the declared types of a view's columns).
    // The view is created before the statement runs: a schema change while a
    // statement is reading aborts it when it opens a further cursor (a
    // correlated subquery on the next row).
    QHash<QString, QList<FieldKind>> m_kinds;
};

class PostgresDialect final : public Dialect {
public:
    Backend backend() const override { return Backend::PostgreSQL; }
    QString qtDriver() const override { return QStringLiteral("QPSQL"); }
    void configure(QSqlDatabase &db, const ConnectionSettings &settings) const override;
    QStringList sessionSetup(const ConnectionSettings &settings) const override;
    bool canLoseConnection() const override { return true; }
    QString beginWriteTransaction() const override { return QStringLiteral("BEGIN"); }
    QList<FieldKind> resultKinds(QSqlDatabase &db, const QString &sql, const QSqlRecord &record) override;
    void adaptTextToNumber(QSqlDatabase &db, const QString &sqlNumbered, QList<BoundValue> &values) override;
    void forgetStatements() override { m_paramTypes.clear(); }

private:
    QHash<QString, QStringList> m_paramTypes; // parameter types the server infers, per statement
};

// Replace the '?' placeholders outside quotes of a server-side statement.
QString replacePlaceholders(const QString &sql, const std::function<QString(int)> &replacement);

} // namespace rv
