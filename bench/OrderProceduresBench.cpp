// Order queries, order totals and call statistics on a database of 2,000,000
// orders (four years, about 41,000 a month), called as the screens call them.
// The database is built once per backend and kept for the run.
#include "BenchDatabase.h"

#include "data/Connection.h"
#include "data/Query.h"
#include "db/Contract.h"
#include "db/Database.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

using rv::Backend;
using rv::Connection;

constexpr int Orders = 2000000;
constexpr int Clients = 20000;
constexpr int Bairros = 60;
constexpr int Streets = 500;
constexpr int Couriers = 80;

void fill(Connection &c)
{
    const bool sqlite = c.backend() == Backend::SQLite;
    // n(i) = 1..count, on either backend.
    const auto numbers = [sqlite](int count) {
        return sqlite ? QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) ")
                            .arg(count)
                      : QStringLiteral("with n(i) as (select generate_series(1, %1)) ").arg(count);
    };
    c.serverExec(QStringLiteral("BEGIN"), {});
    c.serverExec(QStringLiteral("insert into cidade (id_cidade, cidade, Uf) values (1, 'FORTALEZA', 'CE')"), {});
    c.serverExec(numbers(Bairros) + QStringLiteral("insert into bairro (ID_BAIRRO, BAIRRO, SETOR) "
                                                   "select i + 1, 'BAIRRO ' || i, 'SETOR ' || (i % 6) from n"),
                 {});
    c.serverExec(numbers(Streets) + QStringLiteral("insert into logradouro (ID_LOGRADOURO, LOGRADOURO, NOME_LOGRADOURO, "
                                                   "ID_BAIRRO, id_cidade) "
                                                   "select i, 'RUA', 'RUA NÚMERO ' || i, 2 + i % %1, 1 from n")
                                       .arg(Bairros),
                 {});
    c.serverExec(numbers(Clients) + QStringLiteral("insert into cliente (TELEFONE, NOME, ID_LOGRADOURO, NUMERO, ID_BAIRRO, "
                                                   "ID_CIDADE, ID_CATEGORIA) "
                                                   "select 30000000 + i, 'CLIENTE ' || i, 1 + i % %1, '10', "
                                                   "2 + i % %2, 1, 1 + i % 4 from n")
                                       .arg(Streets)
                                       .arg(Bairros),
                 {});
    c.serverExec(numbers(Couriers) + QStringLiteral(
                     "insert into tb_motoqueiro (Nr_Matricula, Nm_Motoqueiro, Cd_Turno, Nr_CEP, Nr_Telefone, Nr_CPF, "
                     "Ds_Identidade, Dt_Nascimento, Nm_Pai, Nm_Mae, Cd_Categoria_CNH, Cd_Usuario, Nr_CNH, "
                     "Dt_Validade_CNH, Qt_Colete, Cd_Estado_Civil, Id_Categoria) "
                     "select i, 'MOTOQUEIRO ' || i, 1, 60000000, '0', '0', '0', '1980-01-01 00:00:00', 'P', 'M', "
                     "'A', 1, '0', '2030-01-01 00:00:00', '1', 1, 1 from n"),
                 {});
    // One order every 63 seconds from 1 January 2006.
    const QString when = sqlite ? QStringLiteral("datetime('2006-01-01 00:00:00', '+' || (i * 63) || ' seconds')")
                                : QStringLiteral("timestamp '2006-01-01 00:00:00' + i * interval '63 second'");
    c.serverExec(numbers(Orders) + QStringLiteral(
                     "insert into pedido (telefone, solicitante, id_logradouro, numero, id_bairro, id_destino, "
                     "id_trajeto, VALOR, ID_MOTOQUEIRO, ID_CATEGORIA, ID_USUARIO, datacad) "
                     "select 30000001 + (i * 7) % %1, 'SOLICITANTE', 1 + i % %2, '10', 2 + i % %3, 2 + (i * 3) % %3, "
                     "1, 10, 1 + i % %4, 1 + i % 4, 1 + i % 2, %5 from n")
                                      .arg(Clients)
                                      .arg(Streets)
                                      .arg(Bairros)
                                      .arg(Couriers)
                                      .arg(when),
                 {});
    c.serverExec(QStringLiteral("COMMIT"), {});
    if (!sqlite)
        c.serverExec(QStringLiteral("ANALYZE"), {});
}

struct Built {
    rv::ConnectionSettings settings;
    std::unique_ptr<Connection> connection;
};

std::map<Backend, Built> &built()
{
    static std::map<Backend, Built> databases;
    return databases;
}

// The connections close while the application still exists; the SQLite file
// (some 300 MB) and the PostgreSQL schema go with them.
void dropDatabases()
{
    for (auto &[backend, b] : built()) {
        b.connection.reset();
        if (backend == Backend::SQLite) {
            QFile::remove(b.settings.sqliteFile());
        } else {
            rv::ConnectionSettings server = b.settings;
            const QString schema = server.value(QStringLiteral("Schema"));
            QList<QPair<QString, QString>> pairs;
            for (const auto &p : server.pairs())
                if (p.first.compare(QLatin1String("Schema"), Qt::CaseInsensitive) != 0)
                    pairs.append(p);
            Connection admin(rv::ConnectionSettings::fromPairs(pairs), nullptr);
            admin.serverExec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema), {});
        }
    }
    built().clear();
}

Connection *database(Backend backend)
{
    auto it = built().find(backend);
    if (it != built().end())
        return it->second.connection.get();
    if (built().empty())
        qAddPostRoutine(dropDatabases);
    Built b{rv::bench::freshDatabase(backend, QStringLiteral("orders")), nullptr};
    b.connection = std::make_unique<Connection>(b.settings, &rv::db::contractProcedures());
    rv::db::createSchema(*b.connection);
    fill(*b.connection);
    return built().emplace(backend, std::move(b)).first->second.connection.get();
}

// Runs a statement text as a screen does; text parameters, or integers for numbers.
void run(benchmark::State &state, const QString &text, const QList<QVariant> &params)
{
    const Backend backend = state.range(0) == 0 ? Backend::SQLite : Backend::PostgreSQL;
    if (rv::bench::skipUnavailable(state, backend))
        return;
    Connection *c = database(backend);
    qint64 rows = 0;
    for (auto _ : state) {
        rv::Query q(*c);
        q.setText(text);
        for (int i = 0; i < params.size(); ++i) {
            rv::Param &p = q.params().at(i);
            if (params[i].typeId() == QMetaType::Int)
                p.setAsInteger(params[i].toInt());
            else
                p.setAsString(params[i].toString());
        }
        q.open();
        rows = q.recordCount();
    }
    state.counters["rows"] = double(rows);
}

const QString monthStart = QStringLiteral("2008/01/03 00:00:00");
const QString monthEnd = QStringLiteral("2008/31/03 23:59:59");

#define RV_ORDER_BENCH(Name, Text, ...)                                                                       \
    void Name(benchmark::State &state) { run(state, QStringLiteral(Text), __VA_ARGS__); }                    \
    BENCHMARK(Name)->ArgName("pg")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)

// One month of each statistics summary.
RV_ORDER_BENCH(ChamadasBairroMonth, "PRS_CHAMADAS_BAIRRO :dataInicio ,:datafinal", {monthStart, monthEnd});
RV_ORDER_BENCH(ChamasBairroMonth, "PROC_CHAMAS_BAIRRO :DATAINICIO,:DATAFIM", {monthStart, monthEnd});
RV_ORDER_BENCH(BairroTurnoNight, "proc_chamadasbairro_periodo :dataI ,:dataF",
               {QStringLiteral("2008/29/02 19:00:00"), QStringLiteral("2008/31/03 06:59:59")});
RV_ORDER_BENCH(MotoqueiroMonth, "exec PRS_REL_MOTOQUEIRO :datainicial ,:dataFinal", {monthStart, monthEnd});
RV_ORDER_BENCH(LogradouroMonth, "exec PRS_REL_LOGRADOURO :DataInicial ,:dataFim", {monthStart, monthEnd});
RV_ORDER_BENCH(SetorMonth, "exec PRC_CORRIDA_SETOR :datainicial ,:DataFim", {monthStart, monthEnd});
RV_ORDER_BENCH(CategoriaTelefoneMonth, "exec PRS_REL_CATEGORIA_TELEFONE :datainicial ,:datafim ", {monthStart, monthEnd});
RV_ORDER_BENCH(TelefonePublicoMonth, " EXEC PROC_RELTELEFONE_PUBLICO :DATAINICIO ,:DATAFIM ", {monthStart, monthEnd});
RV_ORDER_BENCH(ClientePedidoMonth, "exec PRS_REL_CLIENTE_PEDIDO :DATAINICO ,:DATAFIM ", {monthStart, monthEnd});
RV_ORDER_BENCH(ChamadasUsuarioMonth, "PROC_CHAMADAS_USUARIO :DATAINICIO ,:DATAFIM ", {monthStart, monthEnd});

// Order lists and totals.
RV_ORDER_BENCH(PedidoPeriodoDay, "exec proc_PEDIDO_PERIODO :dataInicial, :Datafinal",
               {QStringLiteral("2008/21/01 00:00:00"), QStringLiteral("2008/21/01 23:59:59")});
RV_ORDER_BENCH(ConsultaPedidoNight, "exec proc_consulta_Pedido :dataI, :dataF",
               {QStringLiteral("2008/20/01 19:00:00"), QStringLiteral("2008/21/01 06:59:59")});
RV_ORDER_BENCH(PedidoMotoMonth, "PRC_PEDIDO_MOTO_PERIODO :MOTO,:DATAINICIO,:DATAFIM ", {12, monthStart, monthEnd});
RV_ORDER_BENCH(ContaPedidoMonth, "proc_Conta_pedido :mes,:ano", {3, 2008});
RV_ORDER_BENCH(ContaPedidoMesYear, "exec proc_Conta_pedido_mes :ano", {2008});
RV_ORDER_BENCH(ConsultaDadosCliente, "proc_consulta_DadosCliente", {});

} // namespace
