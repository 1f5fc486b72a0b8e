#include "AdminTool.h"
#include "Contract.h"
#include "Database.h"
#include "Views.h"

#include "data/Connection.h"
#include "data/Errors.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

namespace rv::db {

namespace {

QString quotedIdentifier(QString name)
{
    name.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// The settings of the same server, on another database.
ConnectionSettings onDatabase(const ConnectionSettings &settings, const QString &database)
{
    QList<QPair<QString, QString>> pairs;
    for (const auto &p : settings.pairs())
        if (!sameName(p.first, QStringLiteral("Database")) && !sameName(p.first, QStringLiteral("Schema")))
            pairs.append(p);
    pairs.append({QStringLiteral("Database"), database});
    return ConnectionSettings::fromPairs(pairs, settings.baseFolder());
}

// PostgreSQL: the database and the schema of the settings, created when missing.
void preparePostgres(const ConnectionSettings &settings)
{
    const QString database = settings.value(QStringLiteral("Database"));
    if (database.isEmpty())
        throw Error(QStringLiteral("As configurações não dizem o banco de dados (Database)."));
    try {
        Connection server(onDatabase(settings, QStringLiteral("postgres")), nullptr);
        if (server.serverQuery(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = ?"), {database}).isEmpty())
            server.serverExec(QStringLiteral("CREATE DATABASE %1").arg(quotedIdentifier(database)), {});
    } catch (const DatabaseError &) {
        // No right to the server's own database: the database must exist already,
        // which the connection below tells.
    }
    const QString schema = settings.value(QStringLiteral("Schema"));
    if (!schema.isEmpty()) {
        Connection c(onDatabase(settings, database), nullptr);
        c.serverExec(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(quotedIdentifier(schema)), {});
    }
}

// A database that must exist already (demo, check): a SQLite file is not made up.
void requireExisting(const ConnectionSettings &settings)
{
    if (settings.backend() == Backend::SQLite && !QFileInfo(settings.sqliteFile()).isFile())
        throw Error(QStringLiteral("O banco de dados %1 não existe: crie-o com \"ravelto-db create\".")
                        .arg(settings.sqliteFile()));
}

void requireSchema(Connection &c)
{
    if (!hasSchema(c))
        throw Error(QStringLiteral("O banco de dados não tem as tabelas do sistema: crie-as com \"ravelto-db create\"."));
}

QString columnsDiffer(const QList<ResultColumn> &got, const QList<ResultColumn> &wanted)
{
    for (int i = 0; i < wanted.size(); ++i) {
        if (i >= got.size())
            return QStringLiteral("falta a coluna %1").arg(wanted[i].name);
        if (!sameName(got[i].name, wanted[i].name))
            return QStringLiteral("coluna %1: %2 em vez de %3").arg(i + 1).arg(got[i].name, wanted[i].name);
        if (!kindsCompatible(wanted[i].kind, got[i].kind))
            return QStringLiteral("coluna %1 do tipo %2 em vez de %3")
                .arg(wanted[i].name, kindName(got[i].kind), kindName(wanted[i].kind));
    }
    if (got.size() > wanted.size())
        return QStringLiteral("coluna a mais: %1").arg(got[wanted.size()].name);
    return {};
}

void usage(QTextStream &err)
{
    err << "Uso:\n"
           "  ravelto-db create --settings ARQUIVO                 cria as tabelas, as visões e os dados iniciais\n"
           "  ravelto-db demo --settings ARQUIVO [--scale benchmark]  carrega os dados de demonstração\n"
           "  ravelto-db check --settings ARQUIVO                  confere as visões e os procedimentos\n"
           "ARQUIVO é um arquivo de configuração da conexão (ravelto.ini, seção [MSSQLConnection]).\n";
}

} // namespace

ConnectionSettings adminSettings(const QString &file)
{
    ConnectionSettings s = ConnectionSettings::load(file);
    if (s.backend() == Backend::SQLite) {
        const QString db = s.value(QStringLiteral("Database"));
        if (db.isEmpty() || db == QLatin1String(":memory:"))
            throw Error(QStringLiteral("As configurações de %1 não dizem o arquivo do banco de dados (Database).").arg(file));
    }
    return s;
}

void createDatabase(const ConnectionSettings &settings)
{
    if (settings.backend() == Backend::PostgreSQL)
        preparePostgres(settings);
    else if (!QFileInfo(settings.sqliteFile()).absoluteDir().exists())
        throw Error(QStringLiteral("A pasta do banco de dados %1 não existe.").arg(settings.sqliteFile()));
    Connection c(settings, nullptr);
    createSchema(c);
}

void loadDemo(const ConnectionSettings &settings, DemoScale scale, const QDate &loadDate)
{
    requireExisting(settings);
    Connection c(settings, nullptr);
    loadDemoData(c, scale, loadDate);
}

QList<ContractFinding> checkContract(Connection &connection)
{
    requireSchema(connection);
    QList<ContractFinding> out;
    for (const ViewDef &v : views()) {
        const QString object = QStringLiteral("visão %1").arg(v.name);
        QList<ResultColumn> wanted;
        for (const ViewColumnDef &col : v.columns)
            wanted.append({col.name, kindFromTypeName(col.type)});
        try {
            const RowSet rows = connection.serverQuery(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(v.name), {});
            const QString differ = columnsDiffer(rows.columns, wanted);
            out.append({object, differ.isEmpty() ? QStringLiteral("%1 colunas").arg(wanted.size()) : differ,
                        !differ.isEmpty()});
        } catch (const DatabaseError &e) {
            out.append({object, e.text(), true});
        }
    }

    // The procedures change nothing: every call runs inside one transaction,
    // rolled back at the end, each behind a savepoint of its own.
    const ProcedureRegistry &registry = contractProcedures();
    QStringList names = registry.names();
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    connection.serverExec(QStringLiteral("BEGIN"), {});
    try {
        for (const QString &name : names) {
            const ProcedureDef *def = registry.find(name);
            const QString object = QStringLiteral("procedimento %1").arg(def->name);
            QList<BoundValue> args;
            for (const ProcedureParam &p : def->params)
                args.append(BoundValue{p.kind, QVariant()});
            connection.serverExec(QStringLiteral("SAVEPOINT rv_check"), {});
            try {
                const std::optional<RowSet> rows = connection.callProcedureInline(def->name, args);
                connection.serverExec(QStringLiteral("RELEASE SAVEPOINT rv_check"), {});
                if (def->result.isEmpty()) {
                    out.append({object, QStringLiteral("sem linhas"), false});
                } else if (!rows) {
                    out.append({object, QStringLiteral("não devolveu linhas"), true});
                } else {
                    const QString differ = columnsDiffer(rows->columns, def->result);
                    out.append({object, differ.isEmpty() ? QStringLiteral("%1 colunas").arg(def->result.size()) : differ,
                                !differ.isEmpty()});
                }
            } catch (const DatabaseError &e) {
                connection.serverExec(QStringLiteral("ROLLBACK TO SAVEPOINT rv_check"), {});
                // A refusal of the procedure's own (no statement) is its answer to
                // NULL arguments; a statement the database refused is a fault.
                const bool problem = !e.statement().isEmpty();
                out.append({object,
                            problem ? e.text() : QStringLiteral("recusa argumentos nulos: %1").arg(e.text()), problem});
            }
        }
    } catch (...) {
        connection.serverExec(QStringLiteral("ROLLBACK"), {});
        throw;
    }
    connection.serverExec(QStringLiteral("ROLLBACK"), {});
    return out;
}

int runAdminTool(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QString command = arguments.value(0);
    QString settingsFile;
    QString scale;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--settings") && i + 1 < arguments.size()) {
            settingsFile = arguments[++i];
        } else if (a == QLatin1String("--scale") && i + 1 < arguments.size() && command == QLatin1String("demo")) {
            scale = arguments[++i];
        } else {
            err << "Argumento desconhecido: " << a << "\n";
            usage(err);
            return 2;
        }
    }
    const QStringList commands{QStringLiteral("create"), QStringLiteral("demo"), QStringLiteral("check")};
    if (!commands.contains(command) || settingsFile.isEmpty()) {
        usage(err);
        return 2;
    }
    if (!scale.isEmpty() && scale != QLatin1String("benchmark")) {
        err << "Escala desconhecida: " << scale << " (a única é benchmark)\n";
        return 2;
    }
    try {
        const ConnectionSettings settings = adminSettings(settingsFile);
        const QString target = settings.backend() == Backend::SQLite
            ? settings.sqliteFile()
            : QStringLiteral("%1 em %2").arg(settings.value(QStringLiteral("Database")),
                                              settings.value(QStringLiteral("HostName")));
        QElapsedTimer timer;
        timer.start();
        if (command == QLatin1String("create")) {
            createDatabase(settings);
            out << "Banco de dados criado: " << target << "\n";
            return 0;
        }
        if (command == QLatin1String("demo")) {
            const DemoScale s = scale.isEmpty() ? DemoScale::Demo : DemoScale::Benchmark;
            loadDemo(settings, s);
            out << "Dados de demonstração carregados em " << target << " (" << timer.elapsed() / 1000.0 << " s):\n";
            Connection c(settings, nullptr);
            for (const auto &count : rowCounts(c))
                out << "  " << count.first << ": " << count.second << "\n";
            return 0;
        }
        requireExisting(settings);
        Connection c(settings, &contractProcedures());
        int problems = 0;
        for (const ContractFinding &f : checkContract(c)) {
            problems += f.problem ? 1 : 0;
            (f.problem ? err : out) << (f.problem ? "ERRO  " : "ok    ") << f.object << ": " << f.text << "\n";
        }
        if (problems) {
            err << problems << " problema(s) em " << target << "\n";
            return 1;
        }
        out << "O banco de dados " << target << " responde a todo o contrato.\n";
        return 0;
    } catch (const Error &e) {
        err << "ravelto-db " << command << ": " << e.text() << "\n";
        return 1;
    }
}

} // namespace rv::db
