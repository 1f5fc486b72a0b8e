#include "ScaledDatabase.h"
#include "BenchDatabase.h"

#include "data/Errors.h"
#include "db/Contract.h"
#include "db/Database.h"
#include "db/DemoData.h"
#include "db/Schema.h"
#include "db/Views.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <map>

namespace rv::bench {

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

} // namespace

ScaledDatabase &scaledDatabase(Backend backend)
{
    // Never destroyed: the process ends with its connections open, rather than
    // closing them after the database driver's own statics are gone.
    static auto *built = new std::map<Backend, std::unique_ptr<ScaledDatabase>>;
    auto &slot = (*built)[backend];
    if (slot)
        return *slot;
    slot = std::make_unique<ScaledDatabase>();
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
            Connection c(bench::postgresSettings(schema), nullptr);
            ready = orderCount(c) == wanted;
        }
        if (!ready) {
            {
                Connection admin(bench::postgresSettings(), nullptr);
                admin.serverExec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema), {});
                admin.serverExec(QStringLiteral("CREATE SCHEMA %1").arg(schema), {});
            }
            build(bench::postgresSettings(schema));
        }
        slot->settings = bench::postgresSettings(schema);
        slot->location = schema;
    }
    slot->connection = std::make_unique<Connection>(slot->settings, &db::contractProcedures());
    return *slot;
}

QList<qint64> sampleTelephones(Connection &c)
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

void Timings::report(benchmark::State &state)
{
    if (m_ns.empty())
        return;
    std::sort(m_ns.begin(), m_ns.end());
    state.counters["median_ms"] = m_ns[m_ns.size() / 2] / 1e6;
    state.counters["p95_ms"] = m_ns[std::min(m_ns.size() - 1, m_ns.size() * 95 / 100)] / 1e6;
}

} // namespace rv::bench
