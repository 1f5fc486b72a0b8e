// The radio list every seat refreshes once a second (prs_radio_locado) and the
// rental checks, over five years of returned rentals: 100,000 closed rentals,
// 60 open ones, 120 radios, 100 couriers.
#include "BenchDatabase.h"

#include "data/Connection.h"
#include "db/Contract.h"
#include "db/Database.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace rv;

namespace {

constexpr int ClosedRentals = 100000;
constexpr int Radios = 120;
constexpr int Couriers = 100;
constexpr int OpenRentals = 60;

struct Fixture {
    explicit Fixture(Backend backend)
    {
        connection = std::make_unique<Connection>(bench::freshDatabase(backend, QStringLiteral("radio")),
                                                  &db::contractProcedures());
        Connection &c = *connection;
        db::createSchema(c);
        c.serverExec(QStringLiteral("BEGIN"), {});
        for (int r = 1; r <= Radios; ++r)
            c.serverExec(QStringLiteral("insert into tb_radio (Cd_Radio, Nr_Serial) values (?, ?)"),
                         {r, QStringLiteral("SN-%1").arg(r)});
        for (int m = 1; m <= Couriers; ++m)
            c.serverExec(QStringLiteral(
                             "insert into tb_motoqueiro (Nr_Matricula, Nm_Motoqueiro, Cd_Turno, Nr_CEP, Nr_Telefone, "
                             "Nr_CPF, Ds_Identidade, Dt_Nascimento, Nm_Pai, Nm_Mae, Cd_Categoria_CNH, Cd_Usuario, "
                             "Vl_Limite_Debito, Nr_CNH, Dt_Validade_CNH, Qt_Colete, Cd_Estado_Civil, Id_Categoria) "
                             "values (?, ?, 1, 64000000, '32221234', 'CPF', 'RG', '1980-01-01 00:00:00', 'PAI', 'MAE', "
                             "'A', 1, 50, 'CNH', '2030-01-01 00:00:00', '1', 1, 1)"),
                         {1000 + m, QStringLiteral("MOTOQUEIRO %1").arg(m)});
        const bool pg = backend == Backend::PostgreSQL;
        const QString closed = pg
            ? QStringLiteral("insert into tb_locacao_radio (Cd_Radio, Nr_Matricula, Dt_Locacao, Cd_Usuario, Id_Categoria, "
                             "Vl_Locacao, Id_Status_Radio, Dt_Devolucao) select 1 + i % %2, 1001 + i % %3, "
                             "timestamp '2021-01-01 07:00:00' + (i || ' minutes')::interval, 1, 1, 10, 5, "
                             "timestamp '2021-01-01 19:00:00' + (i || ' minutes')::interval from generate_series(1, %1) i")
            : QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                             "insert into tb_locacao_radio (Cd_Radio, Nr_Matricula, Dt_Locacao, Cd_Usuario, Id_Categoria, "
                             "Vl_Locacao, Id_Status_Radio, Dt_Devolucao) select 1 + i % %2, 1001 + i % %3, "
                             "datetime('2021-01-01 07:00:00', '+' || i || ' minutes'), 1, 1, 10, 5, "
                             "datetime('2021-01-01 19:00:00', '+' || i || ' minutes') from n");
        c.serverExec(closed.arg(ClosedRentals).arg(Radios).arg(Couriers),
                     {});
        c.serverExec(QStringLiteral("COMMIT"), {});
        if (pg)
            c.serverExec(QStringLiteral("ANALYZE"), {});
        for (int r = 1; r <= OpenRentals; ++r)
            c.callProcedure(QStringLiteral("pri_locacao"),
                            {{FieldKind::Integer, r}, {FieldKind::Integer, 1000 + r}, {FieldKind::Integer, 1},
                             {FieldKind::Integer, 1}, {FieldKind::Float, 0.0}, {FieldKind::Float, 10.0},
                             {FieldKind::Integer, 2}});
    }
    std::unique_ptr<Connection> connection;
};

// The main window's one-second refresh of the couriers holding a radio.
void RadioListRefresh(benchmark::State &state)
{
    const auto backend = Backend(state.range(0));
    if (bench::skipUnavailable(state, backend))
        return;
    Connection &c = *bench::perBackend<Fixture>(backend).connection;
    int rows = 0;
    for (auto _ : state)
        rows = int(c.run(QStringLiteral("exec prs_radio_locado"), ParamList(true)).rows.rows.size());
    state.counters["rows"] = rows;
}

// The checks the rental screen runs as the attendant types: radio free, courier holding one.
void RentalChecks(benchmark::State &state)
{
    const auto backend = Backend(state.range(0));
    if (bench::skipUnavailable(state, backend))
        return;
    Connection &c = *bench::perBackend<Fixture>(backend).connection;
    int radio = OpenRentals + 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            c.callProcedure(QStringLiteral("PRC_SEL_RADIO_DISPONIVEL"), {{FieldKind::Integer, radio}}).rows.rows.size());
        benchmark::DoNotOptimize(
            c.callProcedure(QStringLiteral("prs_verifica_radio_locado"), {{FieldKind::Integer, 1000 + radio % Couriers}})
                .rows.rows.size());
        radio = radio % Radios + 1;
    }
}

} // namespace

BENCHMARK(RadioListRefresh)->Arg(int(Backend::SQLite))->Arg(int(Backend::PostgreSQL))->ArgName("pg")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RentalChecks)->Arg(int(Backend::SQLite))->Arg(int(Backend::PostgreSQL))->ArgName("pg")
    ->Unit(benchmark::kMillisecond);
