#pragma once
// The database of benchmark size (200,000 clients, 2,000,000 orders, a year of
// rentals, loaded by the demo data at its benchmark scale), on SQLite and on
// the PostgreSQL server of RAVELTO_PG_HOST. Built once per backend (a minute
// or two) and kept: the SQLite file in the temporary folder, the PostgreSQL
// schema on the server, both named after a digest of the schema, the views
// and the demo data version, so that a changed schema builds a new one.
//
//   ScaledDatabase &db = scaledDatabase(Backend::SQLite);
//   DataModules modules(db.settings, &db::contractProcedures());
//
//   Timings t;
//   for (auto _ : state) { t.start(); ...; t.stop(); }
//   t.report(state);   // median_ms and p95_ms counters

#include "data/Connection.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace rv::bench {

struct ScaledDatabase {
    ConnectionSettings settings;
    std::unique_ptr<Connection> connection; // with the contract's procedures
    QString location;                       // the SQLite file or the PostgreSQL schema
};

ScaledDatabase &scaledDatabase(Backend backend);

// Telephones of clients spread over the register, the fifty heaviest callers
// among them.
QList<qint64> sampleTelephones(Connection &connection);

// Per-iteration times, reported as the median and the 95th percentile.
class Timings {
public:
    void start() { m_timer.start(); }
    void stop() { m_ns.push_back(m_timer.nsecsElapsed()); }
    void report(benchmark::State &state);

private:
    QElapsedTimer m_timer;
    std::vector<qint64> m_ns;
};

} // namespace rv::bench
