#pragma once
// Fresh, empty databases for tests, on either backend.
//
// SQLite: a file in a temporary folder. PostgreSQL: a schema of its own in the
// test server that scripts/test starts, found through the environment:
//   RAVELTO_PG_HOST (host or socket folder), RAVELTO_PG_PORT, RAVELTO_PG_USER,
//   RAVELTO_PG_DATABASE. Without them PostgreSQL tests are skipped, unless
//   RAVELTO_REQUIRE_PG is set, which makes their absence a failure.

#include "data/ConnectionSettings.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>

namespace rv::test {

class TestDatabase {
public:
    explicit TestDatabase(Backend backend);
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    Backend backend() const { return m_backend; }
    // Settings that reach this database (a fresh schema on PostgreSQL).
    const ConnectionSettings &settings() const { return m_settings; }
    // The PostgreSQL schema, or the SQLite file.
    const QString &location() const { return m_location; }

    static bool postgresConfigured();
    static bool postgresRequired();
    // Settings of the PostgreSQL test server without a schema of its own.
    static ConnectionSettings postgresServerSettings();

private:
    Backend m_backend;
    ConnectionSettings m_settings;
    QString m_location;
    std::unique_ptr<QTemporaryDir> m_dir;
};

// For parameterised tests over both backends.
inline std::string backendName(const testing::TestParamInfo<Backend> &info)
{
    return info.param == Backend::SQLite ? "SQLite" : "PostgreSQL";
}

// Skips (or fails, when PostgreSQL is required) a test whose backend is not available.
#define RV_REQUIRE_BACKEND(backend)                                                                              \
    do {                                                                                                         \
        if ((backend) == ::rv::Backend::PostgreSQL && !::rv::test::TestDatabase::postgresConfigured()) {         \
            if (::rv::test::TestDatabase::postgresRequired())                                                    \
                FAIL() << "PostgreSQL test server not configured (RAVELTO_PG_HOST)";                             \
            GTEST_SKIP() << "PostgreSQL test server not configured";                                             \
        }                                                                                                        \
    } while (0)

#define RV_BOTH_BACKENDS(Suite)                                                                                 \
    INSTANTIATE_TEST_SUITE_P(Backends, Suite, ::testing::Values(::rv::Backend::SQLite, ::rv::Backend::PostgreSQL), \
                             ::rv::test::backendName)

} // namespace rv::test
