// The demo data on both backends: its size, the rules of radios, rentals,
// courier accounts and the cash book, orders consistent with their clients and
// routes, the views answering on it, the same rows on both backends, and a
// load that refuses (or fails) leaving the database as it was.
#include "data/Errors.h"
#include "db/AdminTool.h"
#include "db/DemoData.h"
#include "tests/support/ContractDatabase.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace rv;
using rv::test::ContractDatabase;

namespace {

const QDate LoadDate(2024, 3, 15);

// One loaded database per backend, shared by the tests of the suite.
class DemoDataTest : public ::testing::TestWithParam<Backend> {
protected:
    static std::map<Backend, std::unique_ptr<ContractDatabase>> &loaded()
    {
        static std::map<Backend, std::unique_ptr<ContractDatabase>> dbs;
        return dbs;
    }

    static ContractDatabase &demo(Backend backend)
    {
        auto &slot = loaded()[backend];
        if (!slot) {
            slot = std::make_unique<ContractDatabase>(backend);
            db::loadDemoData(slot->connection(), db::DemoScale::Demo, LoadDate);
        }
        return *slot;
    }

    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db = &demo(GetParam());
    }

    qint64 count(const QString &sql) { return db->scalar(sql).toLongLong(); }

    // Figures that change with any row of the main tables.
    static QStringList digest(ContractDatabase &d)
    {
        const char *const queries[] = {
            "select count(*), sum(telefone % 9973), sum(VALOR), sum(ID_MOTOQUEIRO), sum(length(solicitante)), "
            "sum(id_trajeto), sum(length(coalesce(OBS, ''))) from pedido",
            "select min(datacad), max(datacad) from pedido",
            "select count(*), sum(TELEFONE % 9973), sum(length(NOME)), sum(ID_LOGRADOURO), sum(length(coalesce(COMPLEMENTO, ''))), "
            "sum(ID_CATEGORIA) from cliente",
            "select count(*), sum(length(NOME_LOGRADOURO)), sum(length(coalesce(ANTIGA, ''))) from logradouro",
            "select count(*), sum(Cd_Radio), sum(Nr_Matricula), sum(Vl_Pagamento), sum(coalesce(Vl_Pagamento_Devolucao, 0)) "
            "from tb_locacao_radio",
            "select min(Dt_Locacao), max(Dt_Locacao) from tb_locacao_radio",
            "select count(*), sum(vl_movimento), sum(nr_matricula * id_tipo_movimento) from tb_motoqueiro_movimento",
            "select count(*), sum(vl_lancamento), sum(id_tipo_lancamento * id_usuario) from tb_movimento_caixa",
            "select count(*), sum(length(Nm_Motoqueiro)), sum(length(Nr_CPF)), sum(Id_Veiculomodelo) from tb_motoqueiro",
        };
        QStringList out;
        for (const char *q : queries) {
            const RowSet rows = d.connection().serverQuery(QString::fromUtf8(q), {});
            QStringList values;
            for (const QVariant &v : rows.rows.value(0)) {
                // Numbers and times alike, whatever type the backend returns them in.
                const QDateTime t =
                    v.typeId() == QMetaType::QDateTime
                        ? v.toDateTime()
                        : QDateTime::fromString(v.toString().replace(QLatin1Char(' '), QLatin1Char('T')), Qt::ISODate);
                values << (t.isValid() ? t.toString(Qt::ISODate) : QString::number(v.toDouble(), 'f', 2));
            }
            out << values.join(QLatin1Char(' '));
        }
        return out;
    }

    ContractDatabase *db = nullptr;
    friend class DemoCleanup;
};

// The shared databases go when the tests end (the PostgreSQL schemas with them).
class DemoCleanup : public ::testing::Environment {
public:
    void TearDown() override { DemoDataTest::loaded().clear(); }
};
[[maybe_unused]] ::testing::Environment *const Cleanup = ::testing::AddGlobalTestEnvironment(new DemoCleanup);

} // namespace

TEST_P(DemoDataTest, ItHasTheSizeOfADemo)
{
    const db::DemoSize size = db::DemoSize::of(db::DemoScale::Demo);
    EXPECT_EQ(count("select count(*) from bairro"), size.neighbourhoods + 1);
    EXPECT_EQ(count("select count(distinct PONTO) from bairro where ID_BAIRRO > 1"), 30);
    EXPECT_EQ(count("select count(*) from logradouro"), size.neighbourhoods * size.streetsPerNeighbourhood);
    EXPECT_GT(count("select count(*) from logradouro where ANTIGA is not null"), 1000);
    EXPECT_GT(count("select count(*) from RUA_ANTIGA"), 1000);
    EXPECT_EQ(count("select count(*) from cliente"), size.clients);
    EXPECT_EQ(count("select count(*) from pedido"), size.orders);
    EXPECT_EQ(count("select count(*) from tb_motoqueiro"), 80);
    EXPECT_EQ(count("select count(*) from tb_motoqueiro where Dt_Saida is null"), 72);
    EXPECT_EQ(count("select count(distinct Cd_Turno) from tb_motoqueiro"), 5);
    EXPECT_GT(count("select count(*) from trajeto2009"), 3000);
    EXPECT_GT(count("select count(*) from trajeto"), 0);
    EXPECT_GT(count("select count(*) from categoria_valor where valorNoite > valorDia"), 5);
    EXPECT_GE(count("select count(*) from tb_locacao_radio where Dt_Devolucao is null"), 20);
    EXPECT_EQ(count("select count(*) from tb_funcionario"), 5);
    EXPECT_GT(count("select count(*) from tb_movimento_caixa where id_tipo_lancamento = 4 and id_funcionario is not null"), 0);
    EXPECT_EQ(count("select count(*) from usuario"), 5);
    EXPECT_EQ(count("select count(*) from usuario where usuario = 'GERENTE' and senha = 'GERENTE' and acesso = '3'"), 1);
    const RowSet last = db->connection().serverQuery(QStringLiteral("select min(datacad), max(datacad) from pedido"), {},
                                                     {FieldKind::DateTime, FieldKind::DateTime});
    EXPECT_EQ(last.rows[0][0].toDateTime(), QDateTime(LoadDate.addDays(-size.days), QTime(0, 0)));
    EXPECT_EQ(last.rows[0][1].toDateTime().date(), LoadDate.addDays(-1)) << "the months before the load date";
}

TEST_P(DemoDataTest, RadiosAndRentalsFollowTheRules)
{
    // A courier holds at most one radio, a radio is in at most one open rental.
    EXPECT_EQ(count("select count(*) from (select Nr_Matricula from tb_locacao_radio where Dt_Devolucao is null "
                    "group by Nr_Matricula having count(*) > 1) x"),
              0);
    EXPECT_EQ(count("select count(*) from (select Cd_Radio from tb_locacao_radio where Dt_Devolucao is null "
                    "group by Cd_Radio having count(*) > 1) x"),
              0);
    // States: rented while open, returned after; the radios follow their rentals.
    EXPECT_EQ(count("select count(*) from tb_locacao_radio where (Dt_Devolucao is null) <> (Id_Status_Radio = 2)"), 0);
    EXPECT_EQ(count("select count(*) from tb_locacao_radio where Dt_Devolucao <= Dt_Locacao"), 0);
    EXPECT_EQ(count("select count(*) from tb_radio r where (r.Id_Status_Radio = 2) <> exists (select 1 from "
                    "tb_locacao_radio l where l.Cd_Radio = r.Cd_Radio and l.Dt_Devolucao is null)"),
              0);
    EXPECT_GT(count("select count(*) from tb_radio where Id_Status_Radio in (1, 5)"), 10) << "free radios to rent";
    // No two rentals of a radio at the same time.
    EXPECT_EQ(count("select count(*) from tb_locacao_radio a join tb_locacao_radio b on b.Cd_Radio = a.Cd_Radio "
                    "and b.Id_Locacao <> a.Id_Locacao and b.Dt_Locacao >= a.Dt_Locacao "
                    "and (a.Dt_Devolucao is null or b.Dt_Locacao < a.Dt_Devolucao)"),
              0);
    // Nobody rents after leaving; every partner is a courier; the fee is the courier's category.
    EXPECT_EQ(count("select count(*) from tb_locacao_radio l join tb_motoqueiro m on m.Nr_Matricula = l.Nr_Matricula "
                    "where m.Dt_Saida is not null and l.Dt_Locacao >= m.Dt_Saida"),
              0);
    EXPECT_GT(count("select count(*) from tb_locacao_radio l join tb_motoqueiro m on m.Nr_Matricula = l.Nr_Matricula "
                    "where m.Dt_Saida is not null"),
              0);
    EXPECT_EQ(count("select count(*) from tb_Radio_Parceiro p where not exists (select 1 from tb_motoqueiro m where "
                    "m.Dt_Saida is null and (m.Nr_Matricula = CAST(p.ParceiroDia AS INTEGER) or "
                    "m.Nr_Matricula = CAST(p.Parceironoite AS INTEGER)))"),
              0);
    EXPECT_EQ(count("select count(*) from tb_locacao_radio l join tb_categoria_motoqueiro c on c.Id_Categoria = "
                    "l.Id_Categoria where l.Vl_Locacao <> c.Vl_Categoria"),
              0);
}

TEST_P(DemoDataTest, CourierAccountsAndTheCashBookAgree)
{
    // Every rental fee is one debit of the courier's account.
    EXPECT_EQ(count("select count(*) from tb_locacao_radio l left join (select id_locacao, count(*) as n, "
                    "sum(vl_movimento) as v, min(nr_matricula) as m from tb_motoqueiro_movimento where NOT fl_credito "
                    "and id_tipo_movimento = 2 group by id_locacao) d on d.id_locacao = l.Id_Locacao "
                    "where l.Vl_Locacao > 0 and (d.n is null or d.n <> 1 or d.v <> l.Vl_Locacao or d.m <> l.Nr_Matricula)"),
              0);
    // Every payment is a credit of the rental, whole amounts from 0 to 99.
    EXPECT_EQ(count("select count(*) from tb_locacao_radio l left join (select id_locacao, sum(vl_movimento) as v "
                    "from tb_motoqueiro_movimento where fl_credito and id_tipo_movimento = 1 group by id_locacao) c "
                    "on c.id_locacao = l.Id_Locacao "
                    "where l.Vl_Pagamento + coalesce(l.Vl_Pagamento_Devolucao, 0) <> coalesce(c.v, 0)"),
              0);
    EXPECT_EQ(count("select count(*) from tb_motoqueiro_movimento where fl_credito and (vl_movimento <> "
                    "round(vl_movimento) or vl_movimento < 0 or vl_movimento > 99)"),
              0);
    // ... and each credit has its cash entry: radio payments kind 1, loose receipts kind 3.
    for (int kind : {1, 3}) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(count(QStringLiteral("select count(*) from tb_motoqueiro m where (select coalesce(sum(vl_movimento), 0) "
                                       "from tb_motoqueiro_movimento v where v.nr_matricula = m.Nr_Matricula and "
                                       "v.fl_credito and v.id_tipo_movimento = %1) <> (select "
                                       "coalesce(sum(vl_lancamento), 0) from tb_movimento_caixa c where c.nr_matricula = "
                                       "m.Nr_Matricula and c.id_tipo_lancamento = %1 and c.id_caixa = 15)")
                            .arg(kind)),
                  0);
        EXPECT_GT(count(QStringLiteral("select count(*) from tb_movimento_caixa where id_tipo_lancamento = %1").arg(kind)), 0);
    }
    // Balance = credits - debits: nobody owes beyond the debit limit, some owe now.
    const QString balance = QStringLiteral(
        "(select coalesce(sum(case when v.fl_credito then v.vl_movimento else -v.vl_movimento end), 0) "
        "from tb_motoqueiro_movimento v where v.nr_matricula = m.Nr_Matricula)");
    EXPECT_EQ(count(QStringLiteral("select count(*) from tb_motoqueiro m where %1 < -m.Vl_Limite_Debito").arg(balance)), 0);
    EXPECT_GT(count(QStringLiteral("select count(*) from tb_motoqueiro m where %1 < 0").arg(balance)), 0);
    // Entries come in the order of their times.
    EXPECT_EQ(count("select count(*) from tb_movimento_caixa a join tb_movimento_caixa b on b.id_movimento_caixa = "
                    "a.id_movimento_caixa + 1 where b.dt_lancamento < a.dt_lancamento"),
              0);
}

TEST_P(DemoDataTest, OrdersAreTheirClientsCallsAtTheFaresOfTheirRoutes)
{
    EXPECT_EQ(count("select count(*) from pedido p left join cliente c on c.TELEFONE = p.telefone "
                    "where c.TELEFONE is null or c.ID_BAIRRO <> p.id_bairro or c.ID_LOGRADOURO <> p.id_logradouro"),
              0);
    EXPECT_EQ(count("select count(*) from cliente c join logradouro l on l.ID_LOGRADOURO = c.ID_LOGRADOURO "
                    "where l.ID_BAIRRO <> c.ID_BAIRRO or l.id_cidade <> c.ID_CIDADE"),
              0);
    // The route is "ORIGIN/DESTINATION" and the fare that of its category by the time of day.
    EXPECT_EQ(count("select count(*) from pedido p join trajeto2009 t on t.id_trajeto = p.id_trajeto "
                    "join bairro o on o.ID_BAIRRO = p.id_bairro join bairro d on d.ID_BAIRRO = p.id_destino "
                    "where t.trajeto <> o.BAIRRO || '/' || d.BAIRRO"),
              0);
    EXPECT_EQ(count("select count(*) from pedido p join trajeto2009 t on t.id_trajeto = p.id_trajeto "
                    "join categoria_valor v on v.id_categoria_valor = t.id_categoria_Valor "
                    "where p.VALOR <> v.valorDia and p.VALOR <> coalesce(v.valorNoite, v.valorDia)"),
              0);
    EXPECT_EQ(count("select count(*) from pedido p where p.ID_MOTOQUEIRO <> 0 and not exists (select 1 from "
                    "tb_motoqueiro m where m.Nr_Matricula = p.ID_MOTOQUEIRO)"),
              0);
    // Keys grow with time; some clients call far more than others.
    EXPECT_EQ(count("select count(*) from pedido a join pedido b on b.id_pedido = a.id_pedido + 1 "
                    "where b.datacad < a.datacad"),
              0);
    EXPECT_GT(count("select max(n) from (select count(*) as n from pedido group by telefone) x"), 40);
    EXPECT_EQ(count("select count(*) from cliente c where c.DATACAD >= (select min(datacad) from pedido)"), 0);
}

TEST_P(DemoDataTest, TheViewsAndTheCallerLookupAnswerOnIt)
{
    for (const db::ContractFinding &f : db::checkContract(db->connection()))
        EXPECT_FALSE(f.problem) << f.object.toStdString() << ": " << f.text.toStdString();
    const qint64 telephone = db->scalar("select telefone from pedido group by telefone order by count(*) desc, telefone "
                                        "limit 1")
                                 .toLongLong();
    const RowSet caller = db->open(QStringLiteral("select * from VW_CONSULTA_CLIENTE_TEL where fone= :Pfone"),
                                   {{QStringLiteral("Pfone"), QString::number(telephone)}});
    ASSERT_EQ(caller.rows.size(), 1);
    EXPECT_EQ(fieldOf(caller, 0, QStringLiteral("CHAMADAS")).asInteger(),
              count(QStringLiteral("select count(*) from pedido where telefone = %1").arg(telephone)));
    EXPECT_FALSE(fieldOf(caller, 0, QStringLiteral("PONTO")).isNull());
}

TEST_P(DemoDataTest, ALoadIntoADatabaseWithDataIsRefusedAndAFailedOneLeavesNothing)
{
    const qint64 orders = count("select count(*) from pedido");
    try {
        db::loadDemoData(db->connection(), db::DemoScale::Demo, LoadDate);
        FAIL() << "loaded twice";
    } catch (const DatabaseError &) {
        FAIL() << "refused by the database instead of a clear message";
    } catch (const Error &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("já tem dados"))) << e.text().toStdString();
    }
    EXPECT_EQ(count("select count(*) from pedido"), orders);

    // A user of the demo's keys already there: the load fails half-way and leaves nothing.
    ContractDatabase fresh(GetParam());
    fresh.exec("insert into usuario (id_usuario, usuario, senha, acesso) values (3, 'OUTRO', 'X', '2')");
    EXPECT_THROW(db::loadDemoData(fresh.connection(), db::DemoScale::Demo, LoadDate), DatabaseError);
    EXPECT_EQ(fresh.scalar("select count(*) from cidade").toInt(), 0);
    EXPECT_EQ(fresh.scalar("select count(*) from logradouro").toInt(), 0);
    EXPECT_EQ(fresh.scalar("select count(*) from usuario").toInt(), 3);
}

RV_BOTH_BACKENDS(DemoDataTest);

// The figures of the loaded data are the same on both backends (and so from one
// load to the next: nothing depends on the clock but the load date).
TEST(DemoDataBothBackendsTest, TheSameRowsOnSQLiteAndPostgreSQL)
{
    RV_REQUIRE_BACKEND(Backend::PostgreSQL);
    struct Access : DemoDataTest {
        static QStringList of(Backend b) { return digest(demo(b)); }
        void TestBody() override {}
    };
    const QStringList sqlite = Access::of(Backend::SQLite);
    const QStringList postgres = Access::of(Backend::PostgreSQL);
    ASSERT_EQ(sqlite.size(), postgres.size());
    for (int i = 0; i < sqlite.size(); ++i)
        EXPECT_EQ(sqlite[i].toStdString(), postgres[i].toStdString());
}
