#include "Connection.h"
#include "Errors.h"

#include <QAtomicInt>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace rv {

namespace {

QAtomicInt connectionCounter;
constexpr int PreparedCacheSize = 96;
constexpr int ParsedCacheSize = 512;

QString errorText(const QSqlError &e)
{
    QString t = e.databaseText().trimmed();
    if (t.isEmpty())
        t = e.driverText().trimmed();
    if (t.isEmpty())
        t = e.text().trimmed();
    // libpq prefixes messages with the severity
    static const QRegularExpression severity(QStringLiteral("^(ERROR|FATAL|PANIC):\\s+"));
    t.remove(severity);
    return t;
}

} // namespace

Connection::Connection(ConnectionSettings settings, const ProcedureRegistry *procedures)
    : m_settings(std::move(settings))
    , m_procedures(procedures)
    , m_dialect(Dialect::forBackend(m_settings.backend()))
    , m_name(QStringLiteral("ravelto-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(m_dialect->qtDriver(), m_name);
    if (!db.isValid())
        throw DatabaseError(QStringLiteral("O driver %1 do Qt não está instalado").arg(m_dialect->qtDriver()));
    m_dialect->configure(db, m_settings);
}

Connection::~Connection()
{
    close();
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase Connection::database()
{
    ensureOpen();
    return QSqlDatabase::database(m_name, false);
}

bool Connection::isOpen() const
{
    return QSqlDatabase::database(m_name, false).isOpen();
}

void Connection::open()
{
    ensureOpen();
}

void Connection::close()
{
    dropPrepared();
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (db.isOpen())
        db.close();
}

void Connection::dropPrepared()
{
    m_preparedIndex.clear();
    m_prepared.clear();
    m_dialect->forgetStatements();
}

void Connection::ensureOpen()
{
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (db.isOpen())
        return;
    if (!db.open()) {
        const QString text = errorText(db.lastError());
        db.close();
        throw DatabaseError(text.isEmpty() ? QStringLiteral("Não foi possível abrir a conexão") : text);
    }
    for (const QString &sql : m_dialect->sessionSetup(m_settings)) {
        QSqlQuery q(db);
        if (!q.exec(sql)) {
            const QString text = errorText(q.lastError());
            db.close();
            throw DatabaseError(text, sql);
        }
    }
}

[[noreturn]] void Connection::fail(const QString &text, const QString &statement)
{
    checkAliveAfterFailure();
    throw DatabaseError(text, statement);
}

void Connection::checkAliveAfterFailure()
{
    if (!m_dialect->canLoseConnection() || m_inProcedure)
        return;
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (!db.isOpen())
        return;
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT 1"))) {
        // Inside a transaction that the failure aborted the server still answers,
        // only refusing everything until the transaction is rolled back.
        if (probe.lastError().nativeErrorCode() == QLatin1String("25P02"))
            return;
        probe = QSqlQuery();
        // The server dropped us: the next statement reconnects with the same settings.
        close();
    }
}

const ParsedText &Connection::parsed(const QString &text)
{
    auto it = m_parsed.constFind(text);
    if (it != m_parsed.constEnd())
        return *it;
    if (m_parsed.size() >= ParsedCacheSize)
        m_parsed.clear();
    return *m_parsed.insert(text, parseStatementText(text));
}

QSqlQuery &Connection::prepared(const QString &sql)
{
    auto found = m_preparedIndex.find(sql);
    if (found != m_preparedIndex.end()) {
        m_prepared.splice(m_prepared.begin(), m_prepared, found.value());
        return *m_prepared.front().second;
    }
    auto q = std::make_unique<QSqlQuery>(QSqlDatabase::database(m_name, false));
    q->setForwardOnly(true);
    q->setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!q->prepare(sql)) {
        const QString text = errorText(q->lastError());
        q.reset();
        fail(text, sql);
    }
    m_prepared.emplace_front(sql, std::move(q));
    m_preparedIndex.insert(sql, m_prepared.begin());
    if (int(m_prepared.size()) > PreparedCacheSize) {
        m_preparedIndex.remove(m_prepared.back().first);
        m_prepared.pop_back();
    }
    return *m_prepared.front().second;
}

Connection::Translated Connection::translate(const ParsedStatement &st, const ParamList &params) const
{
    static const QRegularExpression likeAtEnd(QStringLiteral("\\blike\\s*$"),
                                              QRegularExpression::CaseInsensitiveOption);
    Translated t;
    for (const SqlPiece &piece : st.pieces) {
        switch (piece.type) {
        case SqlPiece::Type::Code:
            t.sql += piece.text;
            t.sqlNumbered += piece.text;
            break;
        case SqlPiece::Type::Quoted:
            if (piece.text.startsWith(QLatin1Char('['))) {
                const QString ident = QLatin1Char('"') + piece.text.mid(1, piece.text.size() - 2) + QLatin1Char('"');
                t.sql += ident;
                t.sqlNumbered += ident;
            } else if (!piece.text.startsWith(QLatin1String("--")) && !piece.text.startsWith(QLatin1String("/*"))) {
                t.sql += piece.text;
                t.sqlNumbered += piece.text;
            }
            break;
        case SqlPiece::Type::Marker: {
            const BoundValue v = params.valueFor(piece.text);
            // "col like :p" with a whole number: an equality, which an index serves.
            if (isWholeNumberKind(v.kind) && !v.isNull()) {
                const auto m = likeAtEnd.match(t.sql);
                if (m.hasMatch()) {
                    t.sql.replace(m.capturedStart(), m.capturedLength(), QStringLiteral("= "));
                    const auto m2 = likeAtEnd.match(t.sqlNumbered);
                    t.sqlNumbered.replace(m2.capturedStart(), m2.capturedLength(), QStringLiteral("= "));
                }
            }
            t.values.append(v);
            t.sql += QLatin1Char('?');
            t.sqlNumbered += QLatin1Char('$') + QString::number(t.values.size());
            break;
        }
        }
    }
    if (st.top >= 0) {
        static const QRegularExpression tail(QStringLiteral("[\\s;]*$"));
        t.sql.remove(tail);
        t.sqlNumbered.remove(tail);
        t.sql += QStringLiteral(" LIMIT %1").arg(st.top);
        t.sqlNumbered += QStringLiteral(" LIMIT %1").arg(st.top);
    }
    return t;
}

Connection::Result Connection::runSql(const Translated &t, bool adaptText)
{
    ensureOpen();
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    QList<BoundValue> values = t.values;
    if (adaptText)
        m_dialect->adaptTextToNumber(db, t.sqlNumbered, values);
    // Statements without parameters go as they are (transaction control and
    // schema statements cannot be prepared on every backend); the others are
    // prepared once and reused.
    std::optional<QSqlQuery> direct;
    if (values.isEmpty()) {
        direct.emplace(db);
        direct->setForwardOnly(true);
        direct->setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    }
    QSqlQuery &q = direct ? *direct : prepared(t.sql);
    m_dialect->learnResultKinds(db, t.sql);
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, m_dialect->driverValue(values[i]));
    ++m_statementCount;
    if (direct ? !q.exec(t.sql) : !q.exec()) {
        const QString text = errorText(q.lastError());
        q.finish();
        fail(text, t.sql);
    }
    Result r;
    if (q.isSelect()) {
        r.hasRows = true;
        const QSqlRecord rec = q.record();
        const QList<FieldKind> kinds = m_dialect->resultKinds(db, t.sql, rec);
        const int n = rec.count();
        r.rows.columns.reserve(n);
        for (int i = 0; i < n; ++i)
            r.rows.columns.append({rec.fieldName(i), i < kinds.size() ? kinds[i] : FieldKind::Unknown});
        while (q.next()) {
            Row row;
            row.reserve(n);
            for (int i = 0; i < n; ++i)
                row.append(normaliseValue(q.value(i), r.rows.columns[i].kind));
            r.rows.rows.append(std::move(row));
        }
        if (q.lastError().isValid()) {
            const QString text = errorText(q.lastError());
            q.finish();
            fail(text, t.sql);
        }
        // Columns whose kind nobody reported take it from their first value.
        for (int i = 0; i < n; ++i) {
            if (r.rows.columns[i].kind != FieldKind::Unknown)
                continue;
            for (const Row &row : std::as_const(r.rows.rows))
                if (!row[i].isNull()) {
                    r.rows.columns[i].kind = kindFromValue(row[i]);
                    break;
                }
        }
    } else {
        r.rowsAffected = q.numRowsAffected();
    }
    q.finish();
    return r;
}

Connection::Result Connection::run(const QString &text, const ParamList &params)
{
    const ParsedText pt = parsed(text); // a copy: a procedure handler may parse further texts
    // Every value is checked before anything is sent.
    for (const ParsedStatement &st : pt.statements) {
        if (st.kind == ParsedStatement::Kind::Sql) {
            for (const SqlPiece &p : st.pieces)
                if (p.type == SqlPiece::Type::Marker)
                    params.valueFor(p.text);
        } else {
            for (const ProcedureArgument &a : st.arguments)
                if (a.isMarker)
                    params.valueFor(a.marker);
        }
    }
    Result result;
    int affected = 0;
    for (const ParsedStatement &st : pt.statements) {
        if (st.kind == ParsedStatement::Kind::Sql) {
            Result r = runSql(translate(st, params), true);
            affected += r.rowsAffected;
            if (r.hasRows || !result.hasRows)
                result = std::move(r);
        } else {
            std::optional<RowSet> rows = runProcedure(st, params);
            if (rows) {
                result.hasRows = true;
                result.rows = std::move(*rows);
            } else if (!result.hasRows) {
                result = Result();
            }
        }
    }
    result.rowsAffected = affected;
    return result;
}

std::optional<RowSet> Connection::runProcedure(const ParsedStatement &st, const ParamList &params)
{
    QList<BoundValue> args;
    for (const ProcedureArgument &a : st.arguments) {
        if (a.isMarker)
            args.append(params.valueFor(a.marker));
        else
            args.append(BoundValue{kindFromValue(a.literal), a.literal});
    }
    const ProcedureDef *def = m_procedures ? m_procedures->find(st.procedure) : nullptr;
    if (!def)
        throw DatabaseError(QStringLiteral("Could not find stored procedure '%1'.").arg(st.procedure), st.original);
    return invoke(*def, args, true);
}

Connection::Result Connection::callProcedure(const QString &name, const QList<BoundValue> &args)
{
    const ProcedureDef *def = m_procedures ? m_procedures->find(name) : nullptr;
    if (!def)
        throw DatabaseError(QStringLiteral("Could not find stored procedure '%1'.").arg(name));
    Result r;
    std::optional<RowSet> rows = invoke(*def, args, true);
    if (rows) {
        r.hasRows = true;
        r.rows = std::move(*rows);
    }
    return r;
}

std::optional<RowSet> Connection::callProcedureInline(const QString &name, const QList<BoundValue> &args)
{
    const ProcedureDef *def = m_procedures ? m_procedures->find(name) : nullptr;
    if (!def)
        throw DatabaseError(QStringLiteral("Could not find stored procedure '%1'.").arg(name));
    return invoke(*def, args, false);
}

std::optional<RowSet> Connection::invoke(const ProcedureDef &def, const QList<BoundValue> &args, bool ownTransaction)
{
    if (args.size() > def.params.size())
        throw DatabaseError(
            QStringLiteral("Procedure or function %1 has too many arguments specified.").arg(def.name));
    ensureOpen();
    ServerContext ctx(*this);
    const ProcedureArgs pargs(def.name, args);
    const bool transaction = ownTransaction && def.writes && !m_inProcedure;
    const bool outer = !m_inProcedure;
    if (transaction)
        serverExec(m_dialect->beginWriteTransaction(), {});
    m_inProcedure = true;
    try {
        std::optional<RowSet> rows = def.handler(ctx, pargs);
        if (outer)
            m_inProcedure = false;
        if (transaction)
            serverExec(QStringLiteral("COMMIT"), {});
        return rows;
    } catch (...) {
        if (outer)
            m_inProcedure = false;
        if (transaction) {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            if (db.isOpen()) {
                QSqlQuery rollback(db);
                rollback.exec(QStringLiteral("ROLLBACK"));
            }
        }
        if (outer)
            checkAliveAfterFailure();
        throw;
    }
}

int Connection::executeDirect(const QString &text)
{
    return run(text, ParamList(true)).rowsAffected;
}

RowSet Connection::serverQuery(const QString &sql, const QVariantList &args, const QList<FieldKind> &kinds)
{
    Translated t;
    t.sql = sql;
    for (const QVariant &a : args)
        t.values.append(BoundValue{kindFromValue(a), a});
    Result r = runSql(t, false);
    if (!r.hasRows)
        throw DatabaseError(QStringLiteral("Cursor not returned from Query"), sql);
    for (int i = 0; i < kinds.size() && i < r.rows.columns.size(); ++i) {
        if (kinds[i] == FieldKind::Unknown)
            continue;
        r.rows.columns[i].kind = kinds[i];
        for (Row &row : r.rows.rows)
            row[i] = normaliseValue(row[i], kinds[i]);
    }
    return std::move(r.rows);
}

int Connection::serverExec(const QString &sql, const QVariantList &args)
{
    Translated t;
    t.sql = sql;
    for (const QVariant &a : args)
        t.values.append(BoundValue{kindFromValue(a), a});
    return runSql(t, false).rowsAffected;
}

} // namespace rv
