#pragma once
// The one database connection that every screen and module shares.
//
// Statement texts are given as the screens write them (SQL Server text with
// ":name" markers); the connection reads the markers, binds every value by
// position, translates the text for the backend in use and sends it. Procedure
// calls reach the handlers of the registry. A statement issued while the
// connection is closed opens it first; after the server drops a connection,
// the failing statement reports its error and the next one reconnects.

#include "ConnectionSettings.h"
#include "Dialect.h"
#include "Params.h"
#include "Procedures.h"
#include "RowSet.h"
#include "StatementText.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>

#include <list>
#include <memory>
#include <optional>

class QSqlQuery;

namespace rv {

class Connection {
public:
    Connection(ConnectionSettings settings, const ProcedureRegistry *procedures);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    struct Result {
        bool hasRows = false; // the (last) statement returned a result set
        RowSet rows;
        int rowsAffected = 0;
    };

    // Open now (throws DatabaseError when the server cannot be reached).
    void open();
    void close();
    bool isOpen() const;

    Backend backend() const { return m_dialect->backend(); }
    const ConnectionSettings &settings() const { return m_settings; }
    const ProcedureRegistry *procedures() const { return m_procedures; }

    // Run a statement text, one statement or several, with its parameters.
    Result run(const QString &text, const ParamList &params);
    // Call a procedure of the registry with values by position.
    Result callProcedure(const QString &name, const QList<BoundValue> &args);
    // Run a complete statement without parameters; the number of rows it changed.
    int executeDirect(const QString &text);

    // Server-side SQL of the procedure handlers and of the admin tool.
    RowSet serverQuery(const QString &sql, const QVariantList &args, const QList<FieldKind> &kinds = {});
    int serverExec(const QString &sql, const QVariantList &args);
    std::optional<RowSet> callProcedureInline(const QString &name, const QList<BoundValue> &args);

    // Statements sent since the connection was created (for tests and benchmarks).
    qint64 statementCount() const { return m_statementCount; }

    // The underlying database, for the admin tool's schema work.
    QSqlDatabase database();

private:
    struct Translated {
        QString sql;         // '?' placeholders
        QString sqlNumbered; // $1, $2 ...
        QList<BoundValue> values;
    };

    void ensureOpen();
    const ParsedText &parsed(const QString &text);
    Translated translate(const ParsedStatement &st, const ParamList &params) const;
    Result runSql(const Translated &t, bool adaptText);
    std::optional<RowSet> runProcedure(const ParsedStatement &st, const ParamList &params);
    std::optional<RowSet> invoke(const ProcedureDef &def, const QList<BoundValue> &args, bool ownTransaction);
    QSqlQuery &prepared(const QString &sql);
    void checkAliveAfterFailure();
    void dropPrepared();
    [[noreturn]] void fail(const QString &text, const QString &statement);

    ConnectionSettings m_settings;
    const ProcedureRegistry *m_procedures;
    std::unique_ptr<Dialect> m_dialect;
    QString m_name;
    bool m_inProcedure = false;
    qint64 m_statementCount = 0;

    QHash<QString, ParsedText> m_parsed;
    // Prepared statements kept for reuse, most recent first.
    std::list<std::pair<QString, std::unique_ptr<QSqlQuery>>> m_prepared;
    QHash<QString, std::list<std::pair<QString, std::unique_ptr<QSqlQuery>>>::iterator> m_preparedIndex;
};

} // namespace rv
