// The procedures of radios and couriers on both backends: result columns as
// the screens read them, the calls made at start-up with NULL parameters, the
// rental rules and the courier account.
#include "data/Errors.h"
#include "data/HeldResult.h"
#include "data/StoredProc.h"
#include "db/Contract.h"
#include "tests/support/ContractDatabase.h"
#include "tests/support/CourierFixture.h"

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

namespace {

class RadioProceduresTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
        addCourier(*db, 1234, QStringLiteral("JOSE DA SILVA"), 1, 1, 50);
        addCourier(*db, 2001, QStringLiteral("MARIA SOUZA"), 2, 2, 30);
        addRadio(*db, 12, QStringLiteral("SN-012"));
        addRadio(*db, 13, QStringLiteral("SN-013"));
    }
    std::optional<ContractDatabase> db;
};

QStringList names(const RowSet &rs)
{
    QStringList n;
    for (const ResultColumn &c : rs.columns)
        n << c.name;
    return n;
}

QStringList declaredNames(const QString &procedure)
{
    QStringList n;
    for (const ResultColumn &c : db::contractProcedures().find(procedure)->result)
        n << c.name;
    return n;
}

// Every column a screen reads is there, and the call returns its declared shape.
void expectShape(const RowSet &rs, const QString &procedure, const QStringList &read)
{
    EXPECT_EQ(names(rs), declaredNames(procedure)) << procedure.toStdString();
    for (const QString &c : read)
        EXPECT_GE(rs.indexOf(c), 0) << procedure.toStdString() << " lacks " << c.toStdString();
}

double balanceOf(ContractDatabase &db, qint64 matricula)
{
    return value(db.open(QStringLiteral("PRC_SALDO_MOTOQUEIRO :aSaldo"),
                         {{QStringLiteral("aSaldo"), QString::number(matricula)}}),
                 0, QStringLiteral("Vl_Saldo"))
        .toDouble();
}

// A payment as the rental and return screens post it (credit, kind 1).
RowSet pay(ContractDatabase &db, qint64 matricula, qint64 rental, int amount)
{
    return db.open(QStringLiteral("exec pri_motoqueiro_movimento :aMatricula,:aidlocacao,:atipocredito,:aPagamento,"
                                  ":atipomovimento,:aUsuario"),
                   {{QStringLiteral("aMatricula"), qlonglong(matricula)},
                    {QStringLiteral("aIdLocacao"), qlonglong(rental)},
                    {QStringLiteral("atipocredito"), 1},
                    {QStringLiteral("aPagamento"), amount},
                    {QStringLiteral("aTipoMovimento"), 1},
                    {QStringLiteral("aUsuario"), 1}});
}

} // namespace

TEST_P(RadioProceduresTest, StartUpCallsWithNullParametersReturnTheirColumnsAndNoRows)
{
    insertRental(*db, 12, 1234, QDateTime::currentDateTime());
    const struct {
        const char *text;
        const char *procedure;
        QStringList read;
    } calls[] = {
        {"proc_consulta_devolucao_radio :aMatricula ", "proc_consulta_devolucao_radio",
         {"nm_motoqueiro", "cd_radio", "NR_SERIAL", "Categoria_diaria", "vl_limite_debito", "valor_locacao",
          "id_locacao"}},
        {"PROC_lista_Radio_locado :aMoto", "PROC_lista_Radio_locado", {"Nr_Matricula", "Nm_Motoqueiro"}},
        {"prs_verifica_radio_locado :Motoqueiro", "prs_verifica_radio_locado", {}},
        {"PRS_MOTOQUEIRO_TURNO :Turno", "PRS_MOTOQUEIRO_TURNO", {"NR_MATRICULA", "NM_MOTOQUEIRO", "TURNO"}},
        {"proc_saida_motoqueiro :datainicio ,:Datafim ", "proc_saida_motoqueiro", {}},
    };
    for (const auto &c : calls) {
        const QString text = QString::fromUtf8(c.text);
        QList<QPair<QString, QVariant>> nulls;
        for (const QString &marker : {QStringLiteral("aMatricula"), QStringLiteral("aMoto"),
                                      QStringLiteral("Motoqueiro"), QStringLiteral("Turno"),
                                      QStringLiteral("datainicio"), QStringLiteral("Datafim")})
            if (text.contains(QLatin1Char(':') + marker + QLatin1Char(' ')) || text.endsWith(QLatin1Char(':') + marker))
                nulls.append({marker, QVariant()});
        const RowSet rs = db->open(text, nulls);
        expectShape(rs, QString::fromUtf8(c.procedure), c.read);
        EXPECT_TRUE(rs.rows.isEmpty()) << c.text;
    }
    // Without parameters: the rented radio is away from the desk.
    const RowSet away = db->open(QStringLiteral("proc_radio_Ausente"));
    expectShape(away, QStringLiteral("proc_radio_Ausente"), {"Cd_Radio", "Nr_Matricula"});
    ASSERT_EQ(away.rows.size(), 1);
    EXPECT_EQ(away.rows[0][away.indexOf(QStringLiteral("Cd_Radio"))].toLongLong(), 12);
}

TEST_P(RadioProceduresTest, ResultColumnsAreThoseTheScreensRead)
{
    const qint64 rental = rent(*db, 12, 1234, 10);
    pay(*db, 1234, rental, 4);
    db->exec(QStringLiteral("insert into tb_Radio_Parceiro (radio, ParceiroDia, Parceironoite) values ('12', '1234', '2001')"));
    const QString from = QStringLiteral("2000/01/01 00:00:00");
    const QString to = ydm(QDateTime::currentDateTime().addDays(1));
    const struct {
        QString text;
        QList<QPair<QString, QVariant>> params;
        QStringList read;
    } calls[] = {
        {"exec prs_radio_locado", {}, {"Nr_Matricula", "radiomoto"}},
        {"PRC_SEL_RADIO_DISPONIVEL :aRadio", {{"aRadio", "013"}}, {"NR_SERIAL"}},
        {"prs_verifica_radio_locado :Motoqueiro", {{"Motoqueiro", "1234"}}, {}},
        {"exec proc_Total_locacao_motoqueiro :aMoto", {{"aMoto", "1234"}}, {"total"}},
        {"exec proc_Total_locacao_motoqueiro_mes :moto,:DataI ,:dataF",
         {{"moto", "1234"}, {"DataI", from}, {"dataF", to}},
         {"total"}},
        {"PRC_SALDO_MOTOQUEIRO :aSaldo", {{"aSaldo", "1234"}}, {"Vl_Saldo"}},
        {"Proc_atualiza_limite_motoqueiro :aMotoqueiro",
         {{"aMotoqueiro", "1234"}},
         {"Novo_limite", "nr_matricula", "vl_limite_debito", "vl_atualiza_limite_debito"}},
        {"proc_consulta_devolucao_radio :aMatricula ",
         {{"aMatricula", "1234"}},
         {"nm_motoqueiro", "cd_radio", "NR_SERIAL", "Categoria_diaria", "vl_limite_debito", "valor_locacao",
          "id_locacao"}},
        {"proc_ultima_locacao :aMotoqueiro",
         {{"aMotoqueiro", "1234"}},
         {"Id_Locacao", "Cd_Radio", "Nr_Matricula", "Dt_Locacao", "Cd_Usuario", "Id_Categoria", "Vl_Pagamento",
          "Vl_Locacao", "Id_Status_Radio"}},
        {"PROC_lista_Radio_locado :aMoto", {{"aMoto", "1%"}}, {"Nr_Matricula", "Nm_Motoqueiro"}},
        {"proc_radioDia :pDia", {{"pDia", "1234"}}, {"radio", "ParceiroDia", "Parceironoite"}},
        {"proc_radioNoite :pNoite", {{"pNoite", "2001"}}, {"radio", "ParceiroDia", "Parceironoite"}},
        {"exec PRC_MOTOQUEIRO_AUSENTE :turno", {{"turno", 2}}, {"Nr_Matricula", "Nm_Motoqueiro"}},
        {"PRS_MOTOQUEIRO_TURNO :Turno", {{"Turno", "DIA"}}, {"NR_MATRICULA", "NM_MOTOQUEIRO", "TURNO"}},
        {"proc_extrato_diaria :Moto ,:DataInicio,:DataFim ", {{"Moto", 1234}, {"DataInicio", from}, {"DataFim", to}}, {}},
        {"exec PRS_LOCACAO_TURNO :dataInicio ,:datafim ", {{"dataInicio", from}, {"datafim", to}}, {}},
    };
    for (const auto &c : calls) {
        const RowSet rs = db->open(c.text, c.params);
        const QString procedure = c.text.split(QLatin1Char(' '), Qt::SkipEmptyParts)
                                      .value(c.text.startsWith(QLatin1String("exec")) ? 1 : 0);
        expectShape(rs, procedure, c.read);
        EXPECT_FALSE(rs.rows.isEmpty()) << c.text.toStdString();
    }

    // Columns the screens declare: the open checks names and kinds.
    HeldResult extrato(db->connection(), QStringLiteral("cdsExtratodiaria"),
                       QStringLiteral("proc_extrato_diaria :Moto ,:DataInicio,:DataFim "),
                       {{QStringLiteral("Moto"), FieldKind::Integer},
                        {QStringLiteral("DataInicio"), FieldKind::Text},
                        {QStringLiteral("DataFim"), FieldKind::Text}},
                       {col::integer(QStringLiteral("NR_MATRICULA")), col::integer(QStringLiteral("ID_MOVIMENTACAO")),
                        col::smallint(QStringLiteral("ID_TIPO_LANCAMENTO")),
                        col::dateTime(QStringLiteral("DT_LANCAMENTO")),
                        col::decimal(QStringLiteral("VL_LANCAMENTO"), 12, 2).currency(),
                        col::integer(QStringLiteral("ID_FUNCIONARIO"))});
    extrato.param(0).setAsInteger(1234);
    extrato.param(1).setAsString(from);
    extrato.param(2).setAsString(to);
    ASSERT_NO_THROW(extrato.open());
    EXPECT_EQ(extrato.recordCount(), 2); // the fee and the payment

    HeldResult recebimentos(db->connection(), QStringLiteral("cdsRelExtratoMotoqueiro"),
                            QStringLiteral("Prc_Extrato_Motoqueiro :dataInicio ,:datafim "),
                            {{QStringLiteral("dataInicio"), FieldKind::Text},
                             {QStringLiteral("datafim"), FieldKind::Text}},
                            {col::integer(QStringLiteral("nr_matricula")), col::integer(QStringLiteral("locaçoes")),
                             col::decimal(QStringLiteral("Recebimentos"), 32, 2).currency(),
                             col::fixed(QStringLiteral("Situacao"), 17)});
    recebimentos.param(0).setAsString(from);
    recebimentos.param(1).setAsString(to);
    ASSERT_NO_THROW(recebimentos.open());
    ASSERT_EQ(recebimentos.recordCount(), 1);
    EXPECT_EQ(recebimentos.fieldByName(QStringLiteral("locaçoes")).asInteger(), 1);
    EXPECT_DOUBLE_EQ(recebimentos.fieldByName(QStringLiteral("Recebimentos")).asFloat(), 4.0);
    EXPECT_EQ(recebimentos.fieldByName(QStringLiteral("Situacao")).asString(), QStringLiteral("EM DÉBITO"));

    // The absent couriers come as whole courier rows.
    const RowSet absent = db->open(QStringLiteral("exec PRC_MOTOQUEIRO_AUSENTE :turno"), {{QStringLiteral("turno"), 2}});
    for (const char *c : {"Nr_Matricula", "Nm_Motoqueiro", "Cd_Turno", "Vl_Limite_Debito", "Id_Categoria", "Dt_Saida"})
        EXPECT_GE(absent.indexOf(QString::fromUtf8(c)), 0) << c;
}

TEST_P(RadioProceduresTest, ARadioIsFreeThenHeldThenFreeAgain)
{
    auto free12 = [&] {
        return db->open(QStringLiteral("PRC_SEL_RADIO_DISPONIVEL :aRadio"), {{QStringLiteral("aRadio"), "012"}});
    };
    auto held = [&](const char *matricula) {
        return db->open(QStringLiteral("prs_verifica_radio_locado :Motoqueiro"),
                        {{QStringLiteral("Motoqueiro"), QString::fromLatin1(matricula)}});
    };
    ASSERT_EQ(free12().rows.size(), 1);
    EXPECT_EQ(value(free12(), 0, QStringLiteral("NR_SERIAL")).toString(), QStringLiteral("SN-012"));
    EXPECT_TRUE(held("1234").rows.isEmpty());

    const qint64 rental = rent(*db, 12, 1234, 10);
    EXPECT_GT(rental, 0);
    EXPECT_TRUE(free12().rows.isEmpty());
    EXPECT_EQ(held("1234").rows.size(), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("select Id_Status_Radio from tb_radio where Cd_Radio = 12")).toInt(), 2);

    const RowSet list = db->open(QStringLiteral("exec prs_radio_locado"));
    ASSERT_EQ(list.rows.size(), 1);
    EXPECT_EQ(value(list, 0, QStringLiteral("Nr_Matricula")).toLongLong(), 1234);
    EXPECT_EQ(value(list, 0, QStringLiteral("radiomoto")).toString(), QStringLiteral("012 - 1234 - JOSE DA SILVA"));
    EXPECT_EQ(db->open(QStringLiteral("PROC_lista_Radio_locado :aMoto"), {{QStringLiteral("aMoto"), "12%"}}).rows.size(), 1);
    EXPECT_TRUE(db->open(QStringLiteral("PROC_lista_Radio_locado :aMoto"), {{QStringLiteral("aMoto"), "2%"}}).rows.isEmpty());

    const RowSet lookup = db->open(QStringLiteral("proc_consulta_devolucao_radio :aMatricula "),
                                   {{QStringLiteral("aMatricula"), "1234"}});
    ASSERT_EQ(lookup.rows.size(), 1);
    EXPECT_EQ(value(lookup, 0, QStringLiteral("id_locacao")).toLongLong(), rental);
    EXPECT_EQ(value(lookup, 0, QStringLiteral("nm_motoqueiro")).toString(), QStringLiteral("JOSE DA SILVA"));
    EXPECT_EQ(value(lookup, 0, QStringLiteral("cd_radio")).toLongLong(), 12);
    EXPECT_EQ(value(lookup, 0, QStringLiteral("Categoria_diaria")).toString(), QStringLiteral("DIÁRIA INTEGRAL"));
    EXPECT_DOUBLE_EQ(value(lookup, 0, QStringLiteral("valor_locacao")).toDouble(), 10.0);
    EXPECT_DOUBLE_EQ(value(lookup, 0, QStringLiteral("vl_limite_debito")).toDouble(), 50.0);

    giveBack(*db, rental, 0);
    EXPECT_EQ(free12().rows.size(), 1);
    EXPECT_TRUE(held("1234").rows.isEmpty());
    EXPECT_TRUE(db->open(QStringLiteral("exec prs_radio_locado")).rows.isEmpty());
    EXPECT_TRUE(db->open(QStringLiteral("proc_consulta_devolucao_radio :aMatricula "),
                         {{QStringLiteral("aMatricula"), "1234"}}).rows.isEmpty());
    EXPECT_EQ(db->scalar(QStringLiteral("select Id_Status_Radio from tb_radio where Cd_Radio = 12")).toInt(), 5);
    const RowSet last = db->open(QStringLiteral("proc_ultima_locacao :aMotoqueiro"), {{QStringLiteral("aMotoqueiro"), "1234"}});
    EXPECT_EQ(value(last, 0, QStringLiteral("Id_Locacao")).toLongLong(), rental);
    EXPECT_EQ(value(last, 0, QStringLiteral("Id_Status_Radio")).toInt(), 5);

    // Returned, the radio goes to the next courier; a returned rental cannot be returned again.
    EXPECT_GT(rent(*db, 12, 2001, 6), rental);
    EXPECT_TRUE(errorOf([&] { giveBack(*db, rental, 0); }).contains(QStringLiteral("já foi devolvido")));
    EXPECT_TRUE(errorOf([&] { giveBack(*db, 0, 0); }).contains(QStringLiteral("Locação 0 não encontrada")));
}

TEST_P(RadioProceduresTest, BalanceFollowsTheRentalThePaymentsAndTheReturn)
{
    EXPECT_DOUBLE_EQ(balanceOf(*db, 1234), 0.0);
    const qint64 rental = rent(*db, 12, 1234, 10, 4); // the fee is charged; the payment is the screen's to post
    EXPECT_DOUBLE_EQ(balanceOf(*db, 1234), -10.0);
    const RowSet posted = pay(*db, 1234, rental, 4);
    EXPECT_DOUBLE_EQ(value(posted, 0, QStringLiteral("Vl_Saldo")).toDouble(), -6.0);
    EXPECT_DOUBLE_EQ(balanceOf(*db, 1234), -6.0);

    giveBack(*db, rental, 9);
    EXPECT_DOUBLE_EQ(balanceOf(*db, 1234), -6.0); // the return records the payment on the rental only
    pay(*db, 1234, rental, 9);
    EXPECT_DOUBLE_EQ(balanceOf(*db, 1234), 3.0);
    EXPECT_DOUBLE_EQ(balanceOf(*db, 2001), 0.0);

    const RowSet statement = db->open(QStringLiteral("proc_extrato_diaria :Moto ,:DataInicio,:DataFim "),
                                      {{QStringLiteral("Moto"), 1234},
                                       {QStringLiteral("DataInicio"), ydm(QDateTime::currentDateTime().addDays(-1))},
                                       {QStringLiteral("DataFim"), ydm(QDateTime::currentDateTime().addDays(1))}});
    ASSERT_EQ(statement.rows.size(), 3);
    EXPECT_DOUBLE_EQ(value(statement, 0, QStringLiteral("VL_LANCAMENTO")).toDouble(), -10.0);
    EXPECT_EQ(value(statement, 0, QStringLiteral("ID_TIPO_LANCAMENTO")).toInt(), 2);
    EXPECT_DOUBLE_EQ(value(statement, 1, QStringLiteral("VL_LANCAMENTO")).toDouble(), 4.0);
    EXPECT_DOUBLE_EQ(value(statement, 2, QStringLiteral("VL_LANCAMENTO")).toDouble(), 9.0);
    EXPECT_DOUBLE_EQ(db->scalar(QStringLiteral("select Vl_Pagamento from tb_locacao_radio")).toDouble(), 4.0);
    EXPECT_DOUBLE_EQ(db->scalar(QStringLiteral("select Vl_Pagamento_Devolucao from tb_locacao_radio")).toDouble(), 9.0);

    // A courier of category 3 pays no fee: nothing is charged.
    addCourier(*db, 3001, QStringLiteral("ISENTO"), 1, 3, 0);
    rent(*db, 13, 3001, 0);
    EXPECT_DOUBLE_EQ(balanceOf(*db, 3001), 0.0);
}

TEST_P(RadioProceduresTest, ARentalIsRefusedForARadioThatIsNotFreeOrACourierWhoHoldsOne)
{
    rent(*db, 12, 1234, 10);
    addCourier(*db, 4001, QStringLiteral("SAIU"));
    setLeft(*db, 4001, QDateTime::currentDateTime().addDays(-2), QStringLiteral("PEDIU DEMISSAO"));
    addRadio(*db, 14, QStringLiteral("SN-014"), 3); // in repair
    const struct {
        qint64 radio;
        qint64 matricula;
        const char *error;
    } refused[] = {
        {12, 2001, "O rádio 12 não está disponível: está locado ao motoqueiro 1234"},
        {13, 1234, "O motoqueiro 1234 já tem o rádio 12 locado"},
        {12, 1234, "O rádio 12 não está disponível"},
        {14, 2001, "O rádio 14 não está disponível (EM MANUTENÇÃO)"},
        {99, 2001, "Rádio 99 não cadastrado"},
        {13, 9999, "Motoqueiro 9999 não cadastrado"},
        {13, 4001, "O motoqueiro 4001 não trabalha mais na empresa"},
    };
    for (const auto &r : refused) {
        const QString error = errorOf([&] { rent(*db, r.radio, r.matricula, 10); });
        EXPECT_TRUE(error.contains(QString::fromUtf8(r.error))) << r.radio << "/" << r.matricula << ": "
                                                                << error.toStdString();
    }
    EXPECT_EQ(db->count(QStringLiteral("tb_locacao_radio")), 1);
    EXPECT_EQ(db->count(QStringLiteral("tb_motoqueiro_movimento")), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("select Id_Status_Radio from tb_radio where Cd_Radio = 13")).toInt(), 1);
    EXPECT_EQ(rent(*db, 13, 2001, 6) > 0, true);
}

TEST_P(RadioProceduresTest, TheNextLimitIsFiveDailyFeesOfTheCategory)
{
    addCourier(*db, 3001, QStringLiteral("ISENTO"), 1, 3, 80);
    const struct {
        const char *matricula;
        double current;
        double next;
    } cases[] = {{"1234", 50, 50}, {"2001", 30, 30}, {"3001", 80, 0}};
    db->exec(QStringLiteral("update tb_motoqueiro set Vl_Limite_Debito = 20 where Nr_Matricula = 2001"));
    for (const auto &c : cases) {
        const RowSet r = db->open(QStringLiteral("Proc_atualiza_limite_motoqueiro :aMotoqueiro"),
                                  {{QStringLiteral("aMotoqueiro"), QString::fromLatin1(c.matricula)}});
        ASSERT_EQ(r.rows.size(), 1) << c.matricula;
        const double current = QByteArray(c.matricula) == "2001" ? 20 : c.current;
        EXPECT_DOUBLE_EQ(value(r, 0, QStringLiteral("vl_limite_debito")).toDouble(), current) << c.matricula;
        EXPECT_DOUBLE_EQ(value(r, 0, QStringLiteral("Novo_limite")).toDouble(), c.next) << c.matricula;
        EXPECT_DOUBLE_EQ(value(r, 0, QStringLiteral("vl_atualiza_limite_debito")).toDouble(), c.next - current)
            << c.matricula;
    }
    EXPECT_TRUE(db->open(QStringLiteral("Proc_atualiza_limite_motoqueiro :aMotoqueiro"),
                         {{QStringLiteral("aMotoqueiro"), "9999"}}).rows.isEmpty());
}

TEST_P(RadioProceduresTest, AccountMovementsAreRefusedForAnUnknownCourierOrAnotherCouriersRental)
{
    const qint64 rental = rent(*db, 12, 1234, 10);
    EXPECT_TRUE(errorOf([&] { pay(*db, 9999, 0, 5); }).contains(QStringLiteral("Motoqueiro 9999 não cadastrado")));
    EXPECT_TRUE(errorOf([&] { pay(*db, 2001, rental, 5); })
                    .contains(QStringLiteral("A locação %1 não é do motoqueiro 2001").arg(rental)));
    EXPECT_EQ(db->count(QStringLiteral("tb_motoqueiro_movimento")), 1);
    // A payment of 0 is posted as the screens send it.
    pay(*db, 1234, rental, 0);
    EXPECT_EQ(db->count(QStringLiteral("tb_motoqueiro_movimento")), 2);
}

TEST_P(RadioProceduresTest, PeriodsReadYearDayMonthTextsTo235959)
{
    insertRental(*db, 12, 1234, QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)));
    giveBack(*db, db->scalar(QStringLiteral("select max(Id_Locacao) from tb_locacao_radio")).toLongLong());
    insertRental(*db, 12, 1234, QDateTime(QDate(2024, 3, 1), QTime(0, 0, 0)));
    auto monthTotal = [&](const char *from, const char *to) {
        return value(db->open(QStringLiteral("exec proc_Total_locacao_motoqueiro_mes :moto,:DataI ,:dataF"),
                              {{QStringLiteral("moto"), "1234"},
                               {QStringLiteral("DataI"), QString::fromLatin1(from)},
                               {QStringLiteral("dataF"), QString::fromLatin1(to)}}),
                     0, QStringLiteral("total"))
            .toLongLong();
    };
    EXPECT_EQ(monthTotal("2024/01/02 00:00:00", "2024/29/02 23:59:59"), 1);
    EXPECT_EQ(monthTotal("2024/01/03 00:00:00", "2024/31/03 23:59:59"), 1);
    EXPECT_EQ(monthTotal("2024/29/02 00:00:00", "2024/01/03 00:00:00"), 2);
    EXPECT_EQ(monthTotal("2024/01/02 00:00:00", "2024/29/02 23:59:58"), 0);
    EXPECT_EQ(value(db->open(QStringLiteral("exec proc_Total_locacao_motoqueiro_mes :moto,:DataI ,:dataF"),
                             {{QStringLiteral("moto"), ""},
                              {QStringLiteral("DataI"), "2024/01/02 00:00:00"},
                              {QStringLiteral("dataF"), "2024/29/02 23:59:59"}}),
                    0, QStringLiteral("total"))
                  .toLongLong(),
              0);
    EXPECT_EQ(value(db->open(QStringLiteral("exec proc_Total_locacao_motoqueiro :aMoto"), {{QStringLiteral("aMoto"), "1234"}}),
                    0, QStringLiteral("total"))
                  .toLongLong(),
              2);
    // 2023 had no 29 February; a month of 13 is no month either.
    EXPECT_TRUE(errorOf([&] { monthTotal("2023/29/02 00:00:00", "2023/31/03 23:59:59"); }).contains(QStringLiteral("2023/29/02")));
    EXPECT_FALSE(errorOf([&] { monthTotal("2024/01/13 00:00:00", "2024/31/03 23:59:59"); }).isEmpty());
}

TEST_P(RadioProceduresTest, ShiftListsAndAbsentCouriers)
{
    addCourier(*db, 2002, QStringLiteral("NOTURNO SAIU"), 2, 1, 50);
    setLeft(*db, 2002, QDateTime::currentDateTime().addDays(-1));
    addCourier(*db, 2003, QStringLiteral("NOTURNO DOIS"), 2, 1, 50);
    auto shift = [&](const QString &name) {
        QList<qint64> m;
        const RowSet r = db->open(QStringLiteral("PRS_MOTOQUEIRO_TURNO :Turno"), {{QStringLiteral("Turno"), name}});
        for (int i = 0; i < r.rows.size(); ++i)
            m << value(r, i, QStringLiteral("NR_MATRICULA")).toLongLong();
        return m;
    };
    EXPECT_EQ(shift(QStringLiteral("NOITE ")), (QList<qint64>{2001, 2003}));
    EXPECT_EQ(shift(QStringLiteral("noite")), (QList<qint64>{2001, 2003}));
    EXPECT_EQ(shift(QStringLiteral("DIA")), (QList<qint64>{1234}));
    EXPECT_TRUE(shift(QStringLiteral("NOIT")).isEmpty());
    EXPECT_EQ(value(db->open(QStringLiteral("PRS_MOTOQUEIRO_TURNO :Turno"), {{QStringLiteral("Turno"), "NOITE "}}), 0,
                    QStringLiteral("TURNO"))
                  .toString(),
              QStringLiteral("NOITE"));

    rent(*db, 12, 2001, 6);
    auto absent = [&](int code) {
        QList<qint64> m;
        const RowSet r = db->open(QStringLiteral("exec PRC_MOTOQUEIRO_AUSENTE :turno"), {{QStringLiteral("turno"), code}});
        for (int i = 0; i < r.rows.size(); ++i)
            m << value(r, i, QStringLiteral("Nr_Matricula")).toLongLong();
        return m;
    };
    EXPECT_EQ(absent(2), (QList<qint64>{2003}));
    EXPECT_EQ(absent(1), (QList<qint64>{1234}));
    EXPECT_EQ(absent(0), (QList<qint64>{1234, 2003}));
    EXPECT_TRUE(absent(5).isEmpty());
}

TEST_P(RadioProceduresTest, PartnersAreFoundByTheBeginningOfTheirRegistrationNumber)
{
    db->exec(QStringLiteral("insert into tb_Radio_Parceiro (radio, ParceiroDia, Parceironoite) values "
                            "('12', '1234', '2001'), ('13', '1299', '2002'), ('14', '3000', '')"));
    auto radios = [&](const char *procedure, const char *param, const char *typed) {
        QStringList r;
        const RowSet rs = db->open(QStringLiteral("%1 :%2").arg(QLatin1String(procedure), QLatin1String(param)),
                                   {{QString::fromLatin1(param), QString::fromLatin1(typed)}});
        for (int i = 0; i < rs.rows.size(); ++i)
            r << value(rs, i, QStringLiteral("radio")).toString();
        return r;
    };
    EXPECT_EQ(radios("proc_radioDia", "pDia", "12"), (QStringList{"12", "13"}));
    EXPECT_EQ(radios("proc_radioDia", "pDia", "1234"), (QStringList{"12"}));
    EXPECT_EQ(radios("proc_radioNoite", "pNoite", "2002"), (QStringList{"13"}));
    EXPECT_TRUE(radios("proc_radioNoite", "pNoite", "1234").isEmpty());
}

TEST_P(RadioProceduresTest, ReportsOfRentalsByShiftReceiptsAndDepartures)
{
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 a = rent(*db, 12, 1234, 10, 5);
    pay(*db, 1234, a, 5);
    const qint64 b = rent(*db, 13, 2001, 6);
    pay(*db, 2001, b, 40);
    addCourier(*db, 5001, QStringLiteral("DEVEDOR"), 1, 1, 5);
    addRadio(*db, 15, QStringLiteral("SN-015"));
    rent(*db, 15, 5001, 10);
    const QString from = ydm(now.addDays(-1));
    const QString to = ydm(now.addDays(1));

    const RowSet byShift = db->open(QStringLiteral("exec PRS_LOCACAO_TURNO :dataInicio ,:datafim "),
                                    {{QStringLiteral("dataInicio"), from}, {QStringLiteral("datafim"), to}});
    ASSERT_EQ(byShift.rows.size(), 5);
    EXPECT_EQ(value(byShift, 0, QStringLiteral("TURNO")).toString(), QStringLiteral("DIA"));
    EXPECT_EQ(value(byShift, 0, QStringLiteral("LOCACOES")).toLongLong(), 2);
    EXPECT_DOUBLE_EQ(value(byShift, 0, QStringLiteral("VL_LOCACAO")).toDouble(), 20.0);
    EXPECT_DOUBLE_EQ(value(byShift, 0, QStringLiteral("VL_PAGAMENTO")).toDouble(), 5.0);
    EXPECT_EQ(value(byShift, 1, QStringLiteral("LOCACOES")).toLongLong(), 1);
    EXPECT_EQ(value(byShift, 2, QStringLiteral("LOCACOES")).toLongLong(), 0);

    const RowSet receipts = db->open(QStringLiteral("Prc_Extrato_Motoqueiro :dataInicio ,:datafim "),
                                     {{QStringLiteral("dataInicio"), from}, {QStringLiteral("datafim"), to}});
    ASSERT_EQ(receipts.rows.size(), 3);
    const QStringList situations{value(receipts, 0, QStringLiteral("Situacao")).toString(),
                                 value(receipts, 1, QStringLiteral("Situacao")).toString(),
                                 value(receipts, 2, QStringLiteral("Situacao")).toString()};
    EXPECT_EQ(situations, (QStringList{"EM DÉBITO", "EM DIA", "LIMITE ESTOURADO"}));
    EXPECT_DOUBLE_EQ(value(receipts, 1, QStringLiteral("Recebimentos")).toDouble(), 40.0);

    setLeft(*db, 5001, now.addSecs(-30), QStringLiteral("MUDOU DE CIDADE"));
    const RowSet left = db->open(QStringLiteral("proc_saida_motoqueiro :datainicio ,:Datafim "),
                                 {{QStringLiteral("datainicio"), from}, {QStringLiteral("Datafim"), to}});
    ASSERT_EQ(left.rows.size(), 1);
    EXPECT_EQ(value(left, 0, QStringLiteral("Nr_Matricula")).toLongLong(), 5001);
    EXPECT_EQ(value(left, 0, QStringLiteral("Ds_Saida")).toString(), QStringLiteral("MUDOU DE CIDADE"));
    EXPECT_DOUBLE_EQ(value(left, 0, QStringLiteral("Vl_Saldo")).toDouble(), -10.0);
}

RV_BOTH_BACKENDS(RadioProceduresTest);
