// The statements of the busiest screens against a database of benchmark size
// (200,000 clients, 2,000,000 orders, a year of rentals), on SQLite and, when
// RAVELTO_PG_HOST is set, on PostgreSQL, through the data layer as the screens
// run them:
//
//   CallerLookup        the caller lookup on VW_CONSULTA_CLIENTE_TEL and the five
//                       latest orders of the number (goal: median under 1 ms on SQLite)
//   OrderLog            the latest hundred orders of VW_Consulta_Pedido (under 10 ms)
//   RentedRadios        exec prs_radio_locado (under 1 ms)
//   CallsByNeighbourhood one month of PROC_CHAMAS_BAIRRO (under 200 ms)
//   DatabaseSize        the size of the database on disk
//
// The database is built once per backend (about a minute) and kept: the SQLite
// file in the temporary folder, the PostgreSQL schema on the server, both named
// after a digest of the schema, the views and the demo data version.
#include "BenchDatabase.h"

#include "data/Connection.h"
#include "data/Errors.h"
#include "data/HeldResult.h"
#include "data/Query.h"
#include "data/modules/TDMBUSCA.h"
#include "db/Contract.h"
#include "db/Database.h"
#include "db/DemoData.h"
#include "db/Schema.h"
#include "db/Views.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

using namespace rv;

namespace {

QString digest(Backend backend)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const QStringList &part : {db::supportStatements(backend), db::tableStatements(backend),
                                    db::viewStatements(backend)})
        h.addData(part.join(QLatin1Char('\n')).toUtf8());
    h.addData(QByteArray::number(db::DemoDataVersion));
    return QString::fromLatin1(h.result().toHex().left(12));
}

qint64 orderCount(Connection &c)
{
    try {
        if (!db::hasSchema(c))
            return 0;
        return c.serverQuery(QStringLiteral("select count(*) from pedido"), {}).rows.value(0).value(0).toLongLong();
    } catch (const Error &) {
        return 0;
    }
}

struct Scaled {
    ConnectionSettings settings;
    std::unique_ptr<Connection> connection;
    QString location; // the SQLite file or the PostgreSQL schema
};

ConnectionSettings postgresSettings(const QString &schema = {})
{
    QList<QPair<QString, QString>> pairs = {
        {QStringLiteral("DriverName"), QStringLiteral("PostgreSQL")},
        {QStringLiteral("HostName"), qEnvironmentVariable("RAVELTO_PG_HOST")},
        {QStringLiteral("Port"), qEnvironmentVariable("RAVELTO_PG_PORT", QStringLiteral("5432"))},
        {QStringLiteral("User_Name"), qEnvironmentVariable("RAVELTO_PG_USER")},
        {QStringLiteral("Database"), qEnvironmentVariable("RAVELTO_PG_DATABASE")},
    };
    if (!schema.isEmpty())
        pairs.append({QStringLiteral("Schema"), schema});
    return ConnectionSettings::fromPairs(pairs);
}

void build(const ConnectionSettings &settings)
{
    std::fprintf(stderr, "building the benchmark database (a minute or two)...\n");
    QElapsedTimer t;
    t.start();
    Connection c(settings, nullptr);
    db::createSchema(c);
    db::loadDemoData(c, db::DemoScale::Benchmark);
    std::fprintf(stderr, "built in %.1f s\n", t.elapsed() / 1000.0);
}

Scaled &scaled(Backend backend)
{
    static std::map<Backend, std::unique_ptr<Scaled>> built;
    auto &slot = built[backend];
    if (slot)
        return *slot;
    slot = std::make_unique<Scaled>();
    const qint64 wanted = db::DemoSize::of(db::DemoScale::Benchmark).orders;
    if (backend == Backend::SQLite) {
        const QString file =
            QDir(QDir::tempPath()).filePath(QStringLiteral("ravelto-bench-%1.db").arg(digest(backend)));
        auto settingsOf = [](const QString &f) {
            return ConnectionSettings::fromPairs(
                {{QStringLiteral("DriverName"), QStringLiteral("SQLite")}, {QStringLiteral("Database"), f}});
        };
        bool ready = false;
        if (QFileInfo(file).isFile()) {
            Connection c(settingsOf(file), nullptr);
            ready = orderCount(c) == wanted;
        }
        if (!ready) {
            // Built aside and renamed: an interrupted build leaves no half database behind.
            const QString part = file + QStringLiteral(".part");
            QFile::remove(part);
            QFile::remove(file);
            build(settingsOf(part));
            QFile::rename(part, file);
        }
        slot->settings = settingsOf(file);
        slot->location = file;
    } else {
        const QString schema = QStringLiteral("bench_scaled_%1").arg(digest(backend));
        bool ready = false;
        {
            Connection c(postgresSettings(schema), nullptr);
            ready = orderCount(c) == wanted;
        }
        if (!ready) {
            {
                Connection admin(postgresSettings(), nullptr);
                admin.serverExec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema), {});
                admin.serverExec(QStringLiteral("CREATE SCHEMA %1").arg(schema), {});
            }
            build(postgresSettings(schema));
        }
        slot->settings = postgresSettings(schema);
        slot->location = schema;
    }
    slot->connection = std::make_unique<Connection>(slot->settings, &db::contractProcedures());
    return *slot;
}

// Per-iteration times, reported as the median and the 95th percentile.
class Timings {
public:
    void start() { m_timer.start(); }
    void stop() { m_ns.push_back(m_timer.nsecsElapsed()); }
    void report(benchmark::State &state)
    {
        if (m_ns.empty())
            return;
        std::sort(m_ns.begin(), m_ns.end());
        state.counters["median_ms"] = m_ns[m_ns.size() / 2] / 1e6;
        state.counters["p95_ms"] = m_ns[std::min(m_ns.size() - 1, m_ns.size() * 95 / 100)] / 1e6;
    }

private:
    QElapsedTimer m_timer;
    std::vector<qint64> m_ns;
};

// Telephones of clients spread over the register, heavy callers among them.
QList<qint64> someTelephones(Connection &c)
{
    QList<qint64> out;
    const RowSet rows = c.serverQuery(QStringLiteral("select TELEFONE from cliente order by TELEFONE"), {});
    for (int i = 0; i < rows.rows.size(); i += 199)
        out << rows.rows[i][0].toLongLong();
    // The clients who call most.
    const RowSet heavy = c.serverQuery(
        QStringLiteral("select telefone from pedido group by telefone order by count(*) desc limit 50"), {});
    for (const Row &r : heavy.rows)
        out << r[0].toLongLong();
    return out;
}

void callerLookup(benchmark::State &state, Backend backend)
{
    Connection &c = *scaled(backend).connection;
    TDMBUSCA dm(c);
    const QList<qint64> phones = someTelephones(c);
    Timings t;
    int i = 0;
    qint64 found = 0;
    for (auto _ : state) {
        const QString phone = QString::number(phones[i++ % phones.size()]);
        t.start();
        // As the main window identifies a caller (the lookup, then the five latest orders).
        Query &q = dm.QryConsultaCliente;
        q.close();
        q.setText(QStringLiteral("select * from VW_CONSULTA_CLIENTE_TEL where fone= :Pfone"));
        q.paramByName(QStringLiteral("Pfone")).setAsString(phone);
        q.open();
        if (!q.isEmpty()) {
            benchmark::DoNotOptimize(q.fieldByName(QStringLiteral("CHAMADAS")).asInteger());
            dm.cdspedidoTop5ped.close();
            dm.cdspedidoTop5ped.param(0).setAsInteger(phone.toLongLong());
            dm.cdspedidoTop5ped.open();
            found += dm.cdspedidoTop5ped.recordCount();
        }
        t.stop();
    }
    t.report(state);
    state.counters["orders_shown"] = benchmark::Counter(double(found), benchmark::Counter::kAvgIterations);
}

void orderLog(benchmark::State &state, Backend backend)
{
    Connection &c = *scaled(backend).connection;
    using namespace col;
    // The order log's dataset, as the screen declares it.
    HeldResult cds(c, QStringLiteral("cdsMovimentoPedido"),
                   QStringLiteral("select top 100 * from VW_Consulta_Pedido order by id_pedido desc "), {},
                   {recNo(QStringLiteral("RecNo"), true), integer(QStringLiteral("ID_PEDIDO")).required(),
                    integer(QStringLiteral("TELEFONE")).required(), fixed(QStringLiteral("SOLICITANTE"), 50).required(),
                    fixed(QStringLiteral("Endereco"), 123), fixed(QStringLiteral("ANTIGA"), 20),
                    fixed(QStringLiteral("BAIRRO"), 50), text(QStringLiteral("TRAJETO"), 510),
                    decimal(QStringLiteral("VALOR"), 18, 0).required(), fixed(QStringLiteral("CATEGORIA_TELEFONE"), 30),
                    fixed(QStringLiteral("USUARIO"), 20), dateTime(QStringLiteral("Data")).required(),
                    fixed(QStringLiteral("OBS"), 200), fixed(QStringLiteral("ID_MOTOQUEIRO"), 4)});
    Timings t;
    for (auto _ : state) {
        t.start();
        cds.close();
        cds.open();
        t.stop();
        benchmark::DoNotOptimize(cds.recordCount());
    }
    t.report(state);
}

bool registered(benchmark::State &state, const char *procedure)
{
    if (db::contractProcedures().find(QString::fromLatin1(procedure)))
        return true;
    state.SkipWithError((std::string("procedure ") + procedure + " is not registered yet").c_str());
    return false;
}

void rentedRadios(benchmark::State &state, Backend backend)
{
    if (!registered(state, "prs_radio_locado"))
        return;
    Connection &c = *scaled(backend).connection;
    HeldResult cds(c, QStringLiteral("cdsRelRadioLocado"), QStringLiteral("exec prs_radio_locado"));
    Timings t;
    for (auto _ : state) {
        t.start();
        cds.close();
        cds.open();
        t.stop();
        benchmark::DoNotOptimize(cds.recordCount());
    }
    t.report(state);
    state.counters["rows"] = cds.recordCount();
}

void callsByNeighbourhood(benchmark::State &state, Backend backend)
{
    if (!registered(state, "PROC_CHAMAS_BAIRRO"))
        return;
    Connection &c = *scaled(backend).connection;
    // The last whole month of the orders.
    const QDateTime last = c.serverQuery(QStringLiteral("select max(datacad) from pedido"), {}, {FieldKind::DateTime})
                               .rows.value(0)
                               .value(0)
                               .toDateTime();
    const QDate first = QDate(last.date().year(), last.date().month(), 1).addMonths(-1);
    const QString from = first.toString(QStringLiteral("yyyy/dd/MM")) + QStringLiteral(" 00:00:00");
    const QString to = first.addMonths(1).addDays(-1).toString(QStringLiteral("yyyy/dd/MM")) + QStringLiteral(" 23:59:59");
    Query q(c);
    Timings t;
    for (auto _ : state) {
        t.start();
        q.close();
        q.setText(QStringLiteral("PROC_CHAMAS_BAIRRO :DATAINICIO,:DATAFIM"));
        q.paramByName(QStringLiteral("DATAINICIO")).setAsString(from);
        q.paramByName(QStringLiteral("DATAFIM")).setAsString(to);
        q.open();
        t.stop();
        benchmark::DoNotOptimize(q.recordCount());
    }
    t.report(state);
    state.counters["rows"] = q.recordCount();
}

void databaseSize(benchmark::State &state, Backend backend)
{
    Scaled &s = scaled(backend);
    double bytes = 0;
    for (auto _ : state) {
        if (backend == Backend::SQLite)
            bytes = double(QFileInfo(s.location).size());
        else
            bytes = s.connection
                        ->serverQuery(QStringLiteral("select sum(pg_total_relation_size(c.oid)) from pg_class c "
                                                     "join pg_namespace n on n.oid = c.relnamespace "
                                                     "where n.nspname = current_schema() and c.relkind in ('r', 'm')"),
                                      {})
                        .rows.value(0)
                        .value(0)
                        .toDouble();
    }
    state.counters["size_MB"] = bytes / (1024.0 * 1024.0);
    std::fprintf(stderr, "%s database on disk: %.1f MB (%s)\n",
                 backend == Backend::SQLite ? "SQLite" : "PostgreSQL", bytes / (1024.0 * 1024.0),
                 qPrintable(s.location));
}

[[maybe_unused]] const bool Registered = [] {
    QList<Backend> backends{Backend::SQLite};
    if (bench::postgresAvailable())
        backends << Backend::PostgreSQL;
    for (Backend b : backends) {
        const std::string suffix = b == Backend::SQLite ? "/SQLite" : "/PostgreSQL";
        benchmark::RegisterBenchmark(("DatabaseSize" + suffix).c_str(), databaseSize, b)->Iterations(1);
        benchmark::RegisterBenchmark(("CallerLookup" + suffix).c_str(), callerLookup, b)
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(2.0);
        benchmark::RegisterBenchmark(("OrderLog" + suffix).c_str(), orderLog, b)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("RentedRadios" + suffix).c_str(), rentedRadios, b)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("CallsByNeighbourhood" + suffix).c_str(), callsByNeighbourhood, b)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
