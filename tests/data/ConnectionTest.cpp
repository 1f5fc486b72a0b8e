// The data layer against both backends: markers, translations, parameter
// kinds, procedure calls, batches, errors and reconnection.
#include "data/Connection.h"
#include "data/Errors.h"
#include "data/HeldResult.h"
#include "data/Query.h"
#include "data/StoredProc.h"
#include "tests/support/TestDatabase.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace rv;
using rv::test::TestDatabase;

namespace {

// Procedures of a small test contract.
const ProcedureRegistry &testProcedures()
{
    static const ProcedureRegistry registry = [] {
        ProcedureRegistry r;
        r.add({QStringLiteral("proc_eco"),
               {{QStringLiteral("@a"), FieldKind::Text}, {QStringLiteral("@b"), FieldKind::Integer}},
               false,
               false,
               [](ServerContext &, const ProcedureArgs &args) -> std::optional<RowSet> {
                   RowSet rs;
                   rs.columns = {{QStringLiteral("a"), FieldKind::Text}, {QStringLiteral("b"), FieldKind::Integer},
                                 {QStringLiteral("count"), FieldKind::Integer}};
                   rs.rows.append({args.text(0) ? QVariant(*args.text(0)) : QVariant(),
                                   args.integer(1) ? QVariant(qlonglong(*args.integer(1))) : QVariant(),
                                   QVariant(qlonglong(args.count()))});
                   return rs;
               }});
        r.add({QStringLiteral("pri_grava_e_falha"),
               {{QStringLiteral("@nome"), FieldKind::Text}},
               true,
               false,
               [](ServerContext &ctx, const ProcedureArgs &args) -> std::optional<RowSet> {
                   ctx.exec(QStringLiteral("insert into t (id, nome) values (?, ?)"),
                            {QVariant(qlonglong(900)), QVariant(*args.text(0))});
                   throw DatabaseError(QStringLiteral("falhou depois de gravar"));
               }});
        r.add({QStringLiteral("pri_grava"),
               {{QStringLiteral("@id"), FieldKind::Integer}},
               true,
               true,
               [](ServerContext &ctx, const ProcedureArgs &args) -> std::optional<RowSet> {
                   ctx.exec(QStringLiteral("insert into t (id, nome) values (?, 'PROC')"),
                            {QVariant(qlonglong(*args.integer(0)))});
                   return std::nullopt;
               }});
        return r;
    }();
    return registry;
}

class ConnectionTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db = std::make_unique<TestDatabase>(GetParam());
        conn = std::make_unique<Connection>(db->settings(), &testProcedures());
        const bool pg = GetParam() == Backend::PostgreSQL;
        conn->serverExec(QStringLiteral("create table t (id integer primary key, nome varchar(50), "
                                        "valor decimal(12,2), quando %1, ativo %2, moto integer)")
                             .arg(pg ? QStringLiteral("timestamp") : QStringLiteral("datetime"),
                                  pg ? QStringLiteral("boolean") : QStringLiteral("bit")),
                         {});
        for (int id : {1, 10, 11, 2})
            conn->serverExec(QStringLiteral("insert into t (id, nome, valor) values (?, ?, ?)"),
                             {id, QStringLiteral("NOME %1   ").arg(id), id * 1.5});
    }

    int count(const QString &where = QStringLiteral("1=1"))
    {
        return conn->serverQuery(QStringLiteral("select count(*) from t where ") + where, {}).rows[0][0].toInt();
    }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Connection> conn;
};

} // namespace

TEST_P(ConnectionTest, ParametersByMarkerNameCaseAndRepetition)
{
    Query q(*conn, QStringLiteral("q"));
    q.setText(QStringLiteral("select id from t where id = :pId or id = :PID + 9 order by id"));
    EXPECT_EQ(q.params().count(), 1);
    q.paramByName(QStringLiteral("pid")).setAsInteger(1);
    q.open();
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.fieldByName(QStringLiteral("ID")).asInteger(), 1);
    q.next();
    EXPECT_EQ(q.fieldByName(QStringLiteral("id")).asInteger(), 10);
}

TEST_P(ConnectionTest, AccentedMarkerNames)
{
    Query q(*conn);
    q.setText(QStringLiteral("select nome from t where nome like :pEndereço"));
    q.paramByName(QStringLiteral("pENDEREÇO")).setAsString(QStringLiteral("NOME 1%"));
    q.open();
    EXPECT_EQ(q.recordCount(), 3);
}

TEST_P(ConnectionTest, AnUnsetParameterIsRefusedBeforeSending)
{
    Query q(*conn);
    q.setText(QStringLiteral("update t set nome = :pNome where id = :pId"));
    q.paramByName(QStringLiteral("pId")).setAsInteger(1);
    const qint64 before = conn->statementCount();
    try {
        q.execute();
        FAIL() << "executed with an unset parameter";
    } catch (const DatabaseError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("No value for parameter 'pNome'"));
    }
    EXPECT_EQ(conn->statementCount(), before);
}

TEST_P(ConnectionTest, DeclaredParametersLeftUnsetGoAsNull)
{
    HeldResult cds(*conn, QStringLiteral("cds"), QStringLiteral("select * from t where nome = :pNome or id = :pId"),
                   {{QStringLiteral("pNome"), FieldKind::Text}, {QStringLiteral("pId"), FieldKind::Integer}});
    cds.param(1).setAsInteger(2);
    cds.open();
    EXPECT_EQ(cds.recordCount(), 1); // NULL matches nothing
    Query q(*conn);
    q.setText(QStringLiteral("update t set nome = :pNome where id = 1"));
    q.paramByName(QStringLiteral("pNome")).clear();
    EXPECT_EQ(q.execute(), 1);
    EXPECT_EQ(count(QStringLiteral("nome is null")), 1);
}

TEST_P(ConnectionTest, ValuesReadBackTheSameOnBothBackends)
{
    Query ins(*conn);
    ins.setText(QStringLiteral("insert into t (id, nome, valor, quando, ativo, moto) values (:id, :nome, :valor, "
                               ":quando, :ativo, :moto)"));
    ins.paramByName(QStringLiteral("id")).setAsInteger(50);
    ins.paramByName(QStringLiteral("nome")).setAsString(QStringLiteral("JOÃO   "));
    ins.paramByName(QStringLiteral("valor")).setAsCurrency(12.5);
    ins.paramByName(QStringLiteral("quando")).setAsDateTime(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)));
    ins.paramByName(QStringLiteral("ativo")).setAsBoolean(true);
    ins.paramByName(QStringLiteral("moto")).setAsCurrency(123.0); // the courier goes as 123.0000
    EXPECT_EQ(ins.execute(), 1);

    Query q(*conn);
    q.setText(QStringLiteral("select * from t where id = :id"));
    q.paramByName(QStringLiteral("id")).setAsInteger(50);
    q.open();
    EXPECT_EQ(q.fieldByName(QStringLiteral("NOME")).asString(), QStringLiteral("JOÃO"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("valor")).asString(), QStringLiteral("12,5"));
    EXPECT_DOUBLE_EQ(q.fieldByName(QStringLiteral("valor")).asFloat(), 12.5);
    EXPECT_EQ(q.fieldByName(QStringLiteral("quando")).asDateTime(), QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)));
    EXPECT_EQ(q.fieldByName(QStringLiteral("quando")).asString(), QStringLiteral("29/02/2024 23:59:59"));
    EXPECT_TRUE(q.fieldByName(QStringLiteral("ativo")).asBoolean());
    EXPECT_EQ(q.fieldByName(QStringLiteral("moto")).asInteger(), 123);
    EXPECT_EQ(q.fieldByName(QStringLiteral("moto")).asString(), QStringLiteral("123"));
    // NULL reads as the empty text
    q.close();
    q.paramByName(QStringLiteral("id")).setAsInteger(1);
    q.open();
    EXPECT_TRUE(q.fieldByName(QStringLiteral("quando")).isNull());
    EXPECT_EQ(q.fieldByName(QStringLiteral("quando")).asString(), QString());
    EXPECT_THROW(q.fieldByName(QStringLiteral("nao_existe")), DatabaseError);
}

TEST_P(ConnectionTest, AResultWithACorrelatedSubqueryIsReadToTheEnd)
{
    // Every row runs the subquery again; the first reading of a text learns its
    // column types without disturbing that.
    Query q(*conn);
    q.setText(QStringLiteral("select id, (select count(*) from t b where b.id <= t.id) as n from t order by id"));
    q.open();
    ASSERT_EQ(q.recordCount(), 4);
    for (int n = 1; n <= 4; ++n, q.next())
        EXPECT_EQ(q.fieldByName(QStringLiteral("n")).asInteger(), n);
}

TEST_P(ConnectionTest, AFailureInsideATransactionKeepsTheTransaction)
{
    conn->serverExec(QStringLiteral("BEGIN"), {});
    conn->serverExec(QStringLiteral("insert into t (id, nome) values (60, 'A')"), {});
    conn->serverExec(QStringLiteral("SAVEPOINT s"), {});
    EXPECT_THROW(conn->serverExec(QStringLiteral("insert into t (id, nome) values (60, 'B')"), {}), DatabaseError);
    conn->serverExec(QStringLiteral("ROLLBACK TO SAVEPOINT s"), {});
    conn->serverExec(QStringLiteral("insert into t (id, nome) values (61, 'C')"), {});
    conn->serverExec(QStringLiteral("COMMIT"), {});
    EXPECT_EQ(count(QStringLiteral("id in (60, 61)")), 2);
}

TEST_P(ConnectionTest, TopAndALikeOnAWholeNumberAsAnEquality)
{
    Query q(*conn);
    q.setText(QStringLiteral("select top 2 * from t order by id desc"));
    q.open();
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.fieldByName(QStringLiteral("id")).asInteger(), 11);

    // PostgreSQL has no integer LIKE: with a whole number bound it is an equality.
    q.setText(QStringLiteral("select * from t where id like :pTelefone"));
    q.paramByName(QStringLiteral("pTelefone")).setAsInteger(1);
    q.open();
    EXPECT_EQ(q.recordCount(), 1);
}

TEST_P(ConnectionTest, AnEmptyTextComparedWithANumberMatchesNothing)
{
    Query q(*conn);
    q.setText(QStringLiteral("select * from t where id = :aMotoqueiro"));
    q.paramByName(QStringLiteral("aMotoqueiro")).setAsString(QString());
    q.open();
    EXPECT_TRUE(q.isEmpty());
    q.paramByName(QStringLiteral("aMotoqueiro")).setAsString(QStringLiteral("10"));
    q.open();
    EXPECT_EQ(q.recordCount(), 1);
}

TEST_P(ConnectionTest, BatchesRunInOrderWithSharedValues)
{
    Query q(*conn);
    q.setText(QStringLiteral("update t set nome =:pNome where id =:pId\n"
                             "update t set valor =:pValor where id =:pid\n"
                             "update t set moto =:pValor where id =:PID "));
    q.paramByName(QStringLiteral("pNome")).setAsString(QStringLiteral("NOVO"));
    q.paramByName(QStringLiteral("pValor")).setAsInteger(7);
    q.paramByName(QStringLiteral("pId")).setAsInteger(2);
    EXPECT_EQ(q.execute(), 3);
    EXPECT_EQ(count(QStringLiteral("id = 2 and nome = 'NOVO' and valor = 7 and moto = 7")), 1);
}

TEST_P(ConnectionTest, DirectExecutionReturnsTheRowsChanged)
{
    EXPECT_EQ(conn->executeDirect(QStringLiteral("update t set moto =3where id = 10")), 1);
    EXPECT_EQ(conn->executeDirect(QStringLiteral("update dbo.t set moto = 4 where id > 100")), 0);
}

TEST_P(ConnectionTest, ProceduresWithAndWithoutExec)
{
    for (const char *text : {"exec proc_eco :a, :b", "proc_eco :a ,:b", "  EXEC dbo.PROC_ECO :A,:B "}) {
        Query q(*conn);
        q.setText(QString::fromLatin1(text));
        q.paramByName(QStringLiteral("a")).setAsString(QStringLiteral("x"));
        q.paramByName(QStringLiteral("b")).setAsString(QStringLiteral("42"));
        q.open();
        EXPECT_EQ(q.fieldByName(QStringLiteral("a")).asString(), QStringLiteral("x")) << text;
        EXPECT_EQ(q.fieldByName(QStringLiteral("b")).asInteger(), 42) << text;
    }
    HeldResult nulls(*conn, QStringLiteral("cdsNulls"), QStringLiteral("proc_eco :a, :b"),
                     {{QStringLiteral("a"), FieldKind::Text}, {QStringLiteral("b"), FieldKind::Integer}});
    nulls.open();
    EXPECT_TRUE(nulls.fieldByName(QStringLiteral("a")).isNull());

    Query unknown(*conn);
    unknown.setText(QStringLiteral("exec proc_que_nao_existe"));
    try {
        unknown.open();
        FAIL();
    } catch (const DatabaseError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("proc_que_nao_existe")));
    }
    // a procedure that returns nothing cannot be opened
    Query noRows(*conn);
    noRows.setText(QStringLiteral("exec pri_grava :id"));
    noRows.paramByName(QStringLiteral("id")).setAsInteger(77);
    EXPECT_THROW(noRows.open(), DatabaseError);
    EXPECT_EQ(count(QStringLiteral("id = 77")), 1);
}

TEST_P(ConnectionTest, DeclaredProcedureCallsByPosition)
{
    StoredProc proc(*conn, QStringLiteral("procGrava"), QStringLiteral("pri_grava"),
                    {{QStringLiteral("@RETURN_VALUE"), FieldKind::Integer}, {QStringLiteral("@id"), FieldKind::Integer}});
    proc.param(1).setAsInteger(88);
    proc.execute();
    EXPECT_EQ(count(QStringLiteral("id = 88")), 1);
    EXPECT_FALSE(proc.param(0).isNull());
}

TEST_P(ConnectionTest, AWritingProcedureIsAtomic)
{
    Query q(*conn);
    q.setText(QStringLiteral("exec pri_grava_e_falha :nome"));
    q.paramByName(QStringLiteral("nome")).setAsString(QStringLiteral("X"));
    EXPECT_THROW(q.execute(), DatabaseError);
    EXPECT_EQ(count(QStringLiteral("id = 900")), 0);
    // and the connection goes on
    EXPECT_EQ(count(), 4);
}

TEST_P(ConnectionTest, ErrorsCarryTheDatabaseTextAndTheProgramGoesOn)
{
    Query q(*conn);
    q.setText(QStringLiteral("select * from tabela_que_nao_existe"));
    try {
        q.open();
        FAIL();
    } catch (const DatabaseError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("tabela_que_nao_existe"))) << e.text().toStdString();
        EXPECT_FALSE(e.statement().isEmpty());
    }
    q.setText(QStringLiteral("insert into t (id) values (:id)"));
    q.paramByName(QStringLiteral("id")).setAsInteger(1);
    EXPECT_THROW(q.execute(), DatabaseError); // duplicate key
    EXPECT_EQ(count(), 4);
}

TEST_P(ConnectionTest, AClosedConnectionOpensSilently)
{
    conn->close();
    EXPECT_FALSE(conn->isOpen());
    EXPECT_EQ(count(), 4);
    EXPECT_TRUE(conn->isOpen());
}

TEST_P(ConnectionTest, AfterTheServerDropsTheConnectionTheNextStatementReconnects)
{
    if (GetParam() != Backend::PostgreSQL)
        GTEST_SKIP() << "only a server drops connections";
    const int pid = conn->serverQuery(QStringLiteral("select pg_backend_pid()"), {}).rows[0][0].toInt();
    {
        Connection admin(TestDatabase::postgresServerSettings(), nullptr);
        admin.serverQuery(QStringLiteral("select pg_terminate_backend(?)"), {pid});
    }
    Query q(*conn);
    q.setText(QStringLiteral("select count(*) as n from t where id > :p"));
    q.paramByName(QStringLiteral("p")).setAsInteger(0);
    EXPECT_THROW(q.open(), DatabaseError); // the failing statement reports its error
    q.open();                              // the next one reconnects with the same settings
    EXPECT_EQ(q.fieldByName(QStringLiteral("n")).asInteger(), 4);
    EXPECT_NE(conn->serverQuery(QStringLiteral("select pg_backend_pid()"), {}).rows[0][0].toInt(), pid);
}

RV_BOTH_BACKENDS(ConnectionTest);
