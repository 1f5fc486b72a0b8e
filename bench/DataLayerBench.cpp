// The data layer's own costs: fetching 100,000 rows into a held result (time
// and peak memory), filtering them in memory, and one query round trip.
#include "BenchDatabase.h"

#include "data/Connection.h"
#include "data/HeldResult.h"
#include "data/Query.h"

#include <QFile>
#include <benchmark/benchmark.h>

#include <memory>

using namespace rv;

namespace {

constexpr int Rows = 100000;

// Peak resident memory of the process in kB (Linux; 0 elsewhere).
long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

long currentResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

struct Fixture {
    explicit Fixture(Backend backend)
    {
        connection = std::make_unique<Connection>(bench::freshDatabase(backend, QStringLiteral("data")), nullptr);
        const bool pg = backend == Backend::PostgreSQL;
        connection->serverExec(QStringLiteral("create table pessoa (id integer primary key, nome varchar(50), "
                                              "endereco varchar(120), valor decimal(12,2), quando %1)")
                                   .arg(pg ? QStringLiteral("timestamp") : QStringLiteral("datetime")),
                               {});
        const QString fill = pg
            ? QStringLiteral("insert into pessoa select i, 'CLIENTE ' || i, 'RUA DAS FLORES, ' || (i % 997), "
                             "(i % 1000) / 10.0, timestamp '2026-01-01 00:00:00' + (i || ' seconds')::interval "
                             "from generate_series(1, %1) i")
            : QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                             "insert into pessoa select i, 'CLIENTE ' || i, 'RUA DAS FLORES, ' || (i % 997), "
                             "(i % 1000) / 10.0, datetime('2026-01-01 00:00:00', '+' || i || ' seconds') from n");
        connection->serverExec(fill.arg(Rows), {});
    }
    std::unique_ptr<Connection> connection;
};

void HeldResultFetch100k(benchmark::State &state)
{
    const auto backend = Backend(state.range(0));
    if (bench::skipUnavailable(state, backend))
        return;
    Connection &c = *bench::perBackend<Fixture>(backend).connection;
    const long before = currentResidentKb();
    long held = 0;
    for (auto _ : state) {
        HeldResult cds(c, QStringLiteral("cds"), QStringLiteral("select * from pessoa order by id"));
        cds.open();
        benchmark::DoNotOptimize(cds.recordCount());
        held = std::max(held, currentResidentKb() - before);
    }
    state.counters["rows"] = Rows;
    state.counters["held_MB"] = double(held) / 1024.0;
    state.counters["peak_RSS_MB"] = double(peakResidentKb()) / 1024.0;
}

void HeldResultFilter100k(benchmark::State &state)
{
    const auto backend = Backend(state.range(0));
    if (bench::skipUnavailable(state, backend))
        return;
    HeldResult cds(*bench::perBackend<Fixture>(backend).connection, QStringLiteral("cds"), QStringLiteral("select * from pessoa order by id"));
    cds.open();
    int passed = 0;
    for (auto _ : state) {
        cds.setFiltered(false);
        cds.setFilter(QStringLiteral("Upper(NOME) like'CLIENTE 99%'"));
        cds.setFiltered(true);
        passed = cds.recordCount();
    }
    state.counters["rows_passing"] = passed;
}

void QueryRoundTrip(benchmark::State &state)
{
    const auto backend = Backend(state.range(0));
    if (bench::skipUnavailable(state, backend))
        return;
    Query q(*bench::perBackend<Fixture>(backend).connection);
    q.setText(QStringLiteral("select * from pessoa where id = :pId"));
    int id = 1;
    for (auto _ : state) {
        q.paramByName(QStringLiteral("pId")).setAsInteger(id);
        q.open();
        benchmark::DoNotOptimize(q.fieldByName(QStringLiteral("nome")).asString());
        id = id % Rows + 7;
    }
}

} // namespace

BENCHMARK(HeldResultFetch100k)->Arg(int(Backend::SQLite))->Arg(int(Backend::PostgreSQL))
    ->ArgName("pg")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(HeldResultFilter100k)->Arg(int(Backend::SQLite))->Arg(int(Backend::PostgreSQL))
    ->ArgName("pg")->Unit(benchmark::kMillisecond);
BENCHMARK(QueryRoundTrip)->Arg(int(Backend::SQLite))->Arg(int(Backend::PostgreSQL))
    ->ArgName("pg")->Unit(benchmark::kMicrosecond);
