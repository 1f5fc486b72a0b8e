#pragma once
// A fresh database of the contract (schema, views, reference rows) on either
// backend, with a connection that reaches the contract's procedures. The
// contract tests of both backends share it.
//
//   class RadioTest : public ::testing::TestWithParam<Backend> {
//       void SetUp() override { RV_REQUIRE_BACKEND(GetParam()); db.emplace(GetParam()); }
//       std::optional<rv::test::ContractDatabase> db;
//   };

#include "TestDatabase.h"
#include "data/Connection.h"
#include "data/Errors.h"
#include "data/Query.h"

#include <QVariantList>
#include <memory>

namespace rv::test {

class ContractDatabase {
public:
    explicit ContractDatabase(Backend backend);
    ~ContractDatabase();

    Connection &connection() { return *m_connection; }
    const ConnectionSettings &settings() const { return m_database.settings(); }
    Backend backend() const { return m_database.backend(); }

    // Server-side statements for fixtures ('?' placeholders).
    void exec(const QString &sql, const QVariantList &args = {});
    QVariant scalar(const QString &sql, const QVariantList &args = {});

    // Open a statement text as a screen would, with parameters by name as text.
    RowSet open(const QString &text, const QList<QPair<QString, QVariant>> &params = {});

    // Rows of a table.
    qint64 count(const QString &table);

private:
    TestDatabase m_database;
    std::unique_ptr<Connection> m_connection;
};

// The text of the DatabaseError a step raises, or an empty text when it succeeds.
template <typename F>
QString errorOf(F &&step)
{
    try {
        step();
    } catch (const DatabaseError &e) {
        return e.text();
    }
    return {};
}

} // namespace rv::test
