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
// The database (ScaledDatabase.h) is built once per backend (about a minute) and kept: the SQLite
// file in the temporary folder, the PostgreSQL schema on the server, both named
// after a digest of the schema, the views and the demo data version.
#include "BenchDatabase.h"
#include "ScaledDatabase.h"

#include "data/Connection.h"
#include "data/Errors.h"
#include "data/HeldResult.h"
#include "data/Query.h"
#include "data/modules/TDMBUSCA.h"

#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace rv;

namespace {

// Times re-running a held result as a screen does (close, then open).
void timeReopening(benchmark::State &state, HeldResult &cds)
{
    bench::Timings t;
    for (auto _ : state) {
        t.start();
        cds.close();
        cds.open();
        t.stop();
        benchmark::DoNotOptimize(cds.recordCount());
    }
    t.report(state);
}

void callerLookup(benchmark::State &state, Backend backend)
{
    Connection &c = *bench::scaledDatabase(backend).connection;
    TDMBUSCA dm(c);
    const QList<qint64> phones = bench::sampleTelephones(c);
    bench::Timings t;
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
    Connection &c = *bench::scaledDatabase(backend).connection;
    // The order log's dataset, as the screen declares it.
    TDMBUSCA search(c);
    timeReopening(state, search.cdsMovimentoPedido);
}

void rentedRadios(benchmark::State &state, Backend backend)
{
    TDMBUSCA search(*bench::scaledDatabase(backend).connection);
    timeReopening(state, search.cdsRelRadioLocado);
    state.counters["rows"] = search.cdsRelRadioLocado.recordCount();
}

void callsByNeighbourhood(benchmark::State &state, Backend backend)
{
    Connection &c = *bench::scaledDatabase(backend).connection;
    // The last whole month of the orders.
    const QDateTime last = c.serverQuery(QStringLiteral("select max(datacad) from pedido"), {}, {FieldKind::DateTime})
                               .rows.value(0)
                               .value(0)
                               .toDateTime();
    const QDate first = QDate(last.date().year(), last.date().month(), 1).addMonths(-1);
    const QString from = first.toString(QStringLiteral("yyyy/dd/MM")) + QStringLiteral(" 00:00:00");
    const QString to = first.addMonths(1).addDays(-1).toString(QStringLiteral("yyyy/dd/MM")) + QStringLiteral(" 23:59:59");
    Query q(c);
    bench::Timings t;
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
    bench::ScaledDatabase &s = bench::scaledDatabase(backend);
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
