#pragma once
// Connection settings for benchmarks: a SQLite file, or the PostgreSQL server
// that scripts/bench starts (RAVELTO_PG_HOST, RAVELTO_PG_PORT, RAVELTO_PG_USER,
// RAVELTO_PG_DATABASE).

#include "data/ConnectionSettings.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace rv::bench {

bool postgresAvailable();
// Marks a benchmark of a backend that is not available as skipped; true then.
bool skipUnavailable(benchmark::State &state, Backend backend);
// One fixture per backend, made on first use and never destroyed (the
// database drivers are gone by the time static objects are).
template <class Fixture>
Fixture &perBackend(Backend backend)
{
    static auto *fixtures = new std::map<Backend, std::unique_ptr<Fixture>>;
    auto &f = (*fixtures)[backend];
    if (!f)
        f = std::make_unique<Fixture>(backend);
    return *f;
}

// The benchmark PostgreSQL server, in the given schema when one is named.
ConnectionSettings postgresSettings(const QString &schema = {});

// A fresh, empty database (a new SQLite file, or a new PostgreSQL schema).
ConnectionSettings freshDatabase(Backend backend, const QString &label);

} // namespace rv::bench
