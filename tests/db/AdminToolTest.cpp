// The admin tool: creating a database from a settings file (a missing
// PostgreSQL database too), checking that it answers the contract (and naming
// what it lacks), refusing bad targets with a clear message and a non-zero
// status, and the executable itself.
#include "data/Connection.h"
#include "data/Errors.h"
#include "db/AdminTool.h"
#include "db/Database.h"
#include "tests/support/TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>

#include <gtest/gtest.h>

using namespace rv;
using rv::test::TestDatabase;

namespace {

struct ToolRun {
    int status;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList &arguments)
{
    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    const int status = db::runAdminTool(arguments, o, e);
    o.flush();
    e.flush();
    return {status, out, err};
}

// A settings file of the program for the given settings.
QString writeSettings(const QString &folder, const QList<QPair<QString, QString>> &pairs, const QString &name = {})
{
    const QString file = QDir(folder).filePath(name.isEmpty() ? QStringLiteral("ravelto.ini") : name);
    QFile f(file);
    f.open(QIODevice::WriteOnly | QIODevice::Text);
    QTextStream s(&f);
    s << "; written by the test\n[MSSQLConnection]\n";
    for (const auto &p : pairs)
        s << p.first << '=' << p.second << '\n';
    return file;
}

class AdminToolTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        database = std::make_unique<TestDatabase>(GetParam());
        settingsFile = writeSettings(dir.path(), database->settings().pairs());
    }

    QTemporaryDir dir;
    std::unique_ptr<TestDatabase> database;
    QString settingsFile;
};

} // namespace

TEST_P(AdminToolTest, CreateThenCheckAndASecondCreateIsRefused)
{
    const ToolRun created = runTool({QStringLiteral("create"), QStringLiteral("--settings"), settingsFile});
    ASSERT_EQ(created.status, 0) << created.err.toStdString();
    const ToolRun checked = runTool({QStringLiteral("check"), QStringLiteral("--settings"), settingsFile});
    EXPECT_EQ(checked.status, 0) << checked.err.toStdString();
    EXPECT_TRUE(checked.out.contains(QStringLiteral("visão VW_CONSULTA_CLIENTE_TEL: 19 colunas"))) << checked.out.toStdString();
    EXPECT_TRUE(checked.out.contains(QStringLiteral("responde a todo o contrato")));

    const ToolRun again = runTool({QStringLiteral("create"), QStringLiteral("--settings"), settingsFile});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("já tem as tabelas"))) << again.err.toStdString();
}

TEST_P(AdminToolTest, CheckNamesWhatAViewLacksAndChangesNothing)
{
    db::createDatabase(database->settings());
    Connection c(database->settings(), nullptr);
    c.serverExec(QStringLiteral("DROP VIEW VW_PEDIDO_NEW"), {});
    c.serverExec(QStringLiteral("CREATE VIEW VW_PEDIDO_NEW AS SELECT id_pedido AS ID_PEDIDO, solicitante AS "
                                "SOLICITANTE FROM pedido"),
                 {});
    const qint64 users = c.serverQuery(QStringLiteral("select count(*) from usuario"), {}).rows[0][0].toLongLong();

    const ToolRun checked = runTool({QStringLiteral("check"), QStringLiteral("--settings"), settingsFile});
    EXPECT_EQ(checked.status, 1);
    EXPECT_TRUE(checked.err.contains(QStringLiteral("ERRO  visão VW_PEDIDO_NEW: coluna 2: SOLICITANTE em vez de TELEFONE"),
                                   Qt::CaseInsensitive))
        << checked.err.toStdString();
    EXPECT_TRUE(checked.out.contains(QStringLiteral("ok    visão vw_trajeto: 6 colunas"), Qt::CaseInsensitive)) << checked.out.toStdString();
    EXPECT_EQ(c.serverQuery(QStringLiteral("select count(*) from usuario"), {}).rows[0][0].toLongLong(), users);
}

TEST_P(AdminToolTest, DemoLoadsOnceIntoACreatedDatabase)
{
    ASSERT_EQ(runTool({QStringLiteral("create"), QStringLiteral("--settings"), settingsFile}).status, 0);
    db::loadDemo(database->settings(), db::DemoScale::Demo, QDate(2024, 3, 15));
    const ToolRun again = runTool({QStringLiteral("demo"), QStringLiteral("--settings"), settingsFile});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("já tem dados"))) << again.err.toStdString();
}

RV_BOTH_BACKENDS(AdminToolTest);

TEST(AdminToolTargetsTest, BadTargetsAndArgumentsGetAClearMessageAndAStatus)
{
    QTemporaryDir dir;
    const QString missingFolder = QDir(dir.path()).filePath(QStringLiteral("nao/existe/banco.db"));
    const QString absent = QDir(dir.path()).filePath(QStringLiteral("ausente.db"));
    struct Case {
        QStringList arguments;
        int status;
        const char *message;
    };
    auto settings = [&](const QList<QPair<QString, QString>> &pairs, const char *name) {
        return writeSettings(dir.path(), pairs, QString::fromLatin1(name));
    };
    const QString mssql = settings({{QStringLiteral("DriverName"), QStringLiteral("MSSQL")}}, "mssql.ini");
    const QString noFile = settings({{QStringLiteral("DriverName"), QStringLiteral("SQLite")}}, "nofile.ini");
    const QString deep = settings({{QStringLiteral("DriverName"), QStringLiteral("SQLite")},
                                   {QStringLiteral("Database"), missingFolder}},
                                  "deep.ini");
    const QString notThere = settings({{QStringLiteral("DriverName"), QStringLiteral("SQLite")},
                                       {QStringLiteral("Database"), absent}},
                                      "absent.ini");
    QFile other(QDir(dir.path()).filePath(QStringLiteral("other.ini")));
    other.open(QIODevice::WriteOnly);
    other.write("[OutraConexao]\nDriverName=SQLite\n");
    other.close();
    const QString s = QStringLiteral("--settings");
    const Case cases[] = {
        {{QStringLiteral("create"), s, QDir(dir.path()).filePath(QStringLiteral("nenhum.ini"))}, 1, "não encontrado"},
        {{QStringLiteral("create"), s, other.fileName()}, 1, "não tem a seção [MSSQLConnection]"},
        {{QStringLiteral("create"), s, mssql}, 1, "não suportado: \"MSSQL\""},
        {{QStringLiteral("create"), s, noFile}, 1, "não dizem o arquivo do banco de dados"},
        {{QStringLiteral("create"), s, deep}, 1, "não existe"},
        {{QStringLiteral("demo"), s, notThere}, 1, "crie-o com \"ravelto-db create\""},
        {{QStringLiteral("check"), s, notThere}, 1, "crie-o com \"ravelto-db create\""},
        {{QStringLiteral("demo"), s, notThere, QStringLiteral("--scale"), QStringLiteral("enorme")}, 2, "Escala desconhecida"},
        {{QStringLiteral("drop"), s, notThere}, 2, "Uso:"},
        {{QStringLiteral("create")}, 2, "Uso:"},
        {{QStringLiteral("create"), s, notThere, QStringLiteral("--force")}, 2, "Argumento desconhecido: --force"},
        {{}, 2, "Uso:"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(absent)) << "demo and check made up an empty database";
}

TEST(AdminToolTargetsTest, CreateMakesAMissingPostgreSQLDatabase)
{
    RV_REQUIRE_BACKEND(Backend::PostgreSQL);
    const QString name = QStringLiteral("rv_admin_%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    auto pairs = TestDatabase::postgresServerSettings().pairs();
    for (auto &p : pairs)
        if (p.first == QLatin1String("Database"))
            p.second = name;
    db::createDatabase(ConnectionSettings::fromPairs(pairs));
    {
        Connection c(ConnectionSettings::fromPairs(pairs), nullptr);
        EXPECT_TRUE(db::hasSchema(c));
    }
    Connection server(TestDatabase::postgresServerSettings(), nullptr);
    server.serverExec(QStringLiteral("DROP DATABASE %1").arg(name), {});
}

TEST(AdminToolTargetsTest, TheExecutableCreatesLoadsAndChecks)
{
    QTemporaryDir dir;
    const QString file = writeSettings(dir.path(), {{QStringLiteral("DriverName"), QStringLiteral("SQLite")},
                                                    {QStringLiteral("Database"), QStringLiteral("ravelto.db")}});
    auto run = [&](const QStringList &arguments) {
        QProcess p;
        p.start(QStringLiteral(RAVELTO_DB_TOOL), arguments);
        EXPECT_TRUE(p.waitForFinished(120000));
        return ToolRun{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                       QString::fromUtf8(p.readAllStandardError())};
    };
    const ToolRun usage = run({});
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.err.contains(QStringLiteral("ravelto-db demo --settings ARQUIVO [--scale benchmark]")));
    for (const char *command : {"create", "demo", "check"}) {
        const ToolRun r = run({QString::fromLatin1(command), QStringLiteral("--settings"), file});
        EXPECT_EQ(r.status, 0) << command << ": " << r.err.toStdString();
    }
    // The database lies beside the settings file, as the program finds it.
    EXPECT_TRUE(QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("ravelto.db"))));
    const ToolRun again = run({QStringLiteral("demo"), QStringLiteral("--settings"), file});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("já tem dados")));
}
