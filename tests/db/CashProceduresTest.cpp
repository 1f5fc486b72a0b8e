// The cash book's procedures on both backends: entries, the cash report with
// its running balance, the yearly summary, employees and their advances.
#include "data/Errors.h"
#include "data/Query.h"
#include "data/StoredProc.h"
#include "reports/modules/ReportModules.h"
#include "db/Contract.h"
#include "tests/support/ContractDatabase.h"
#include "tests/support/CourierFixture.h"

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

namespace {

class CashProceduresTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
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

// A cash entry written directly at a given time (the procedure stamps the
// current time).
void entryAt(ContractDatabase &db, const QDateTime &at, int kind, double amount, const QVariant &matricula = {},
             int user = 1)
{
    db.exec(QStringLiteral("insert into tb_movimento_caixa (id_caixa, id_tipo_lancamento, vl_lancamento, dt_lancamento, "
                           "nr_matricula, id_usuario) values (15, ?, ?, ?, ?, ?)"),
            {kind, amount, at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), matricula, user});
}

// pri_movimento_Caixa as the screens execute it, every parameter an integer.
void cashEntry(ContractDatabase &db, qint64 book, qint64 kind, qint64 amount, qint64 matricula, qint64 user)
{
    Query q(db.connection());
    q.setText(QStringLiteral("exec pri_movimento_Caixa :aidcaixa,:atipoLancamento,:aValor ,:aMatricula,:aUsuario"));
    q.paramByName(QStringLiteral("aIdCaixa")).setAsInteger(book);
    q.paramByName(QStringLiteral("aTipolancamento")).setAsInteger(kind);
    q.paramByName(QStringLiteral("aValor")).setAsInteger(amount);
    q.paramByName(QStringLiteral("aMatricula")).setAsInteger(matricula);
    q.paramByName(QStringLiteral("aUsuario")).setAsInteger(user);
    q.execute();
}

QString today(const char *time)
{
    return QDate::currentDate().toString(QStringLiteral("yyyy/dd/MM ")) + QLatin1String(time);
}

} // namespace

TEST_P(CashProceduresTest, StartUpCallsWithNullParametersReturnTheirColumnsAndNoRows)
{
    const RowSet caixa = db->open(QStringLiteral("PRS_CONSULTA_CAIXA_RELATORIO :datainicial ,:datafinal "),
                                  {{QStringLiteral("datainicial"), QVariant()}, {QStringLiteral("datafinal"), QVariant()}});
    EXPECT_TRUE(caixa.rows.isEmpty());
    for (const char *c : {"HORA", "DS_TIPO_LANCAMENTO", "VL_LANCAMENTO", "NR_MATRICULA", "Nm_Usuario", "VL_DESPESA",
                          "VL_RECEITA", "VL_SALDO", "Fl_Receita"})
        EXPECT_GE(caixa.indexOf(QString::fromUtf8(c)), 0) << c;

    const RowSet anual = db->open(QStringLiteral("proc_rel_Caixa_Anual :ano"), {{QStringLiteral("ano"), QVariant()}});
    EXPECT_TRUE(anual.rows.isEmpty());
    EXPECT_EQ(names(anual), (QStringList{"mesId", "lancamentos", "receita", "Mes", "Status"}));

    const RowSet vale = db->open(QStringLiteral("exec proc_vale_funcionario :dataI ,:dataF ,:Funcionario"),
                                 {{QStringLiteral("dataI"), QVariant()},
                                  {QStringLiteral("dataF"), QVariant()},
                                  {QStringLiteral("Funcionario"), QVariant()}});
    EXPECT_TRUE(vale.rows.isEmpty());
    EXPECT_EQ(names(vale), (QStringList{"NM_FUNCIONARIO", "DT_LANCAMENTO", "VL_LANCAMENTO", "DS_TIPO_LANCAMENTO"}));
}

TEST_P(CashProceduresTest, ALooseReceiptGoesToCashBook15AndCreditsTheCourier)
{
    addCourier(*db, 37, QStringLiteral("JOAO"));
    cashEntry(*db, 15, 3, 120, 37, 2);

    StoredProc credit(db->connection(), QStringLiteral("spMovMotoqueiro"), QStringLiteral("PRI_MOTOQUEIRO_MOVIMENTO"),
                      {{QStringLiteral("@RETURN_VALUE"), FieldKind::Integer},
                       {QStringLiteral("@PIntMatricula"), FieldKind::Integer},
                       {QStringLiteral("@PIntLocacao"), FieldKind::Integer},
                       {QStringLiteral("@PBitCredito"), FieldKind::Boolean},
                       {QStringLiteral("@PDecMovimento"), FieldKind::Decimal},
                       {QStringLiteral("@PSntTipoMovimento"), FieldKind::SmallInt},
                       {QStringLiteral("@PIndUsuario"), FieldKind::Integer}});
    credit.paramByName(QStringLiteral("@PIntMatricula")).setAsInteger(37);
    credit.paramByName(QStringLiteral("@PBitCredito")).setAsBoolean(true);
    credit.paramByName(QStringLiteral("@PDecMovimento")).setAsDecimal(120);
    credit.paramByName(QStringLiteral("@PSntTipoMovimento")).setAsSmallInt(3);
    credit.paramByName(QStringLiteral("@PIndUsuario")).setAsInteger(2);
    credit.execute();
    EXPECT_DOUBLE_EQ(value(credit.rows(), 0, QStringLiteral("Vl_Saldo")).toDouble(), 120.0);

    const RowSet cash = db->connection().serverQuery(
        QStringLiteral("select id_caixa, id_tipo_lancamento, vl_lancamento, nr_matricula, id_usuario from tb_movimento_caixa"), {});
    ASSERT_EQ(cash.rows.size(), 1);
    EXPECT_EQ(cash.rows[0], (Row{qlonglong(15), qlonglong(3), 120.0, qlonglong(37), qlonglong(2)}));
    const RowSet account = db->connection().serverQuery(
        QStringLiteral("select nr_matricula, id_locacao, fl_credito, vl_movimento, id_tipo_movimento from tb_motoqueiro_movimento"),
        {}, {FieldKind::Integer, FieldKind::Integer, FieldKind::Boolean, FieldKind::Decimal, FieldKind::Integer});
    ASSERT_EQ(account.rows.size(), 1);
    EXPECT_EQ(account.rows[0], (Row{qlonglong(37), QVariant(), true, 120.0, qlonglong(3)}));
    EXPECT_EQ(db->count(QStringLiteral("tb_locacao_radio")), 0);

    const RowSet report = db->open(QStringLiteral("PRS_CONSULTA_CAIXA_RELATORIO :datainicial ,:datafinal "),
                                   {{QStringLiteral("datainicial"), today("00:00:00")},
                                    {QStringLiteral("datafinal"), today("23:59:59")}});
    ASSERT_EQ(report.rows.size(), 1);
    EXPECT_EQ(value(report, 0, QStringLiteral("DS_TIPO_LANCAMENTO")).toString(),
              QStringLiteral("RECEBIMENTO AVULSO DE MOTOQUEIRO"));
    EXPECT_EQ(value(report, 0, QStringLiteral("Nm_Usuario")).toString(), QStringLiteral("ATENDENTE"));
    EXPECT_EQ(value(report, 0, QStringLiteral("NR_MATRICULA")).toLongLong(), 37);
    EXPECT_DOUBLE_EQ(value(report, 0, QStringLiteral("VL_RECEITA")).toDouble(), 120.0);
}

TEST_P(CashProceduresTest, ACashEntryNamingNothingKnownIsRefusedAndNothingIsWritten)
{
    addCourier(*db, 37, QStringLiteral("JOAO"));
    const struct {
        qint64 book, kind, amount, matricula, user;
        const char *error;
    } refused[] = {
        {99, 3, 10, 37, 1, "Caixa 99 não cadastrado"},
        {15, 9, 10, 37, 1, "Tipo de lançamento 9 não cadastrado"},
        {15, 3, 0, 37, 1, "O valor do lançamento deve ser maior que zero"},
        {15, 3, -5, 37, 1, "O valor do lançamento deve ser maior que zero"},
        {15, 3, 10, 9999, 1, "Motoqueiro 9999 não cadastrado"},
        {15, 3, 10, 37, 77, "Usuário 77 não cadastrado"},
    };
    for (const auto &r : refused) {
        const QString error = errorOf([&] { cashEntry(*db, r.book, r.kind, r.amount, r.matricula, r.user); });
        EXPECT_TRUE(error.contains(QString::fromUtf8(r.error))) << r.error << ": " << error.toStdString();
    }
    EXPECT_EQ(db->count(QStringLiteral("tb_movimento_caixa")), 0);
}

TEST_P(CashProceduresTest, TheCashReportSplitsIncomeFromExpenseWithTheRunningBalanceOfThePeriod)
{
    addCourier(*db, 37, QStringLiteral("JOAO"));
    const QDate day(2009, 1, 21);
    entryAt(*db, QDateTime(day.addDays(-1), QTime(23, 59, 59)), 1, 99, 37);
    entryAt(*db, QDateTime(day, QTime(8, 5, 0)), 1, 10, 37);
    entryAt(*db, QDateTime(day, QTime(9, 30, 0)), 2, 4.5, QVariant(), 2);
    entryAt(*db, QDateTime(day, QTime(23, 59, 59)), 3, 120, 37);
    entryAt(*db, QDateTime(day.addDays(1), QTime(0, 0, 0)), 1, 99, 37);

    // The cash report module opens its dataset at creation (NULL period) and
    // again for the day, with its declared columns and row numbers.
    TRVFINANCEIRO module(db->connection());
    EXPECT_EQ(module.cdsCaixa.recordCount(), 0);
    HeldResult &caixa = module.cdsCaixa;
    caixa.close();
    caixa.param(0).setAsString(QStringLiteral("2009/21/01 00:00:00"));
    caixa.param(1).setAsString(QStringLiteral("2009/21/01 23:59:59"));
    caixa.open();
    ASSERT_EQ(caixa.recordCount(), 3);
    const struct {
        const char *hora;
        double receita, despesa, saldo;
        bool income;
    } expected[] = {{"08:05", 10, 0, 10, true}, {"09:30", 0, 4.5, 5.5, false}, {"23:59", 120, 0, 125.5, true}};
    double receitas = 0, despesas = 0;
    caixa.first();
    for (const auto &e : expected) {
        EXPECT_EQ(caixa.fieldByName(QStringLiteral("HORA")).asString(), QString::fromLatin1(e.hora));
        EXPECT_DOUBLE_EQ(caixa.fieldByName(QStringLiteral("VL_RECEITA")).asFloat(), e.receita) << e.hora;
        EXPECT_DOUBLE_EQ(caixa.fieldByName(QStringLiteral("VL_DESPESA")).asFloat(), e.despesa) << e.hora;
        EXPECT_DOUBLE_EQ(caixa.fieldByName(QStringLiteral("VL_SALDO")).asFloat(), e.saldo) << e.hora;
        EXPECT_EQ(caixa.fieldByName(QStringLiteral("Fl_Receita")).asBoolean(), e.income) << e.hora;
        receitas += caixa.fieldByName(QStringLiteral("VL_RECEITA")).asFloat();
        despesas += caixa.fieldByName(QStringLiteral("VL_DESPESA")).asFloat();
        caixa.next();
    }
    EXPECT_DOUBLE_EQ(receitas - despesas, 125.5);
    caixa.first();
    caixa.next();
    EXPECT_EQ(caixa.fieldByName(QStringLiteral("RecNo")).asInteger(), 2);
    EXPECT_EQ(caixa.fieldByName(QStringLiteral("Nm_Usuario")).asString(), QStringLiteral("ATENDENTE"));
    EXPECT_TRUE(caixa.fieldByName(QStringLiteral("NR_MATRICULA")).isNull());
    EXPECT_EQ(caixa.fieldByName(QStringLiteral("DS_TIPO_LANCAMENTO")).asString(), QStringLiteral("DESPESA"));

    // The second cash report reads the same rows; the next day starts again from zero.
    const RowSet periodo = db->open(QStringLiteral("PRS_CONSULTA_CAIXA_PERIODO :datainicial ,:datafinal "),
                                    {{QStringLiteral("datainicial"), "2009/21/01 00:00:00"},
                                     {QStringLiteral("datafinal"), "2009/22/01 23:59:59"}});
    ASSERT_EQ(periodo.rows.size(), 4);
    EXPECT_DOUBLE_EQ(value(periodo, 3, QStringLiteral("VL_SALDO")).toDouble(), 224.5);
    const RowSet next = db->open(QStringLiteral("PRS_CONSULTA_CAIXA_PERIODO :datainicial ,:datafinal "),
                                 {{QStringLiteral("datainicial"), "2009/22/01 00:00:00"},
                                  {QStringLiteral("datafinal"), "2009/22/01 23:59:59"}});
    ASSERT_EQ(next.rows.size(), 1);
    EXPECT_DOUBLE_EQ(value(next, 0, QStringLiteral("VL_SALDO")).toDouble(), 99.0);
}

TEST_P(CashProceduresTest, TheYearlySummaryMeasuresEachMonthAgainstTheMonthBefore)
{
    entryAt(*db, QDateTime(QDate(2008, 12, 31), QTime(23, 59, 59)), 1, 50);
    entryAt(*db, QDateTime(QDate(2009, 1, 1), QTime(0, 0, 0)), 3, 100);
    entryAt(*db, QDateTime(QDate(2009, 1, 31), QTime(12, 0, 0)), 2, 30);
    entryAt(*db, QDateTime(QDate(2009, 2, 28), QTime(23, 59, 59)), 1, 80);
    entryAt(*db, QDateTime(QDate(2009, 4, 10), QTime(10, 0, 0)), 1, 80);

    TRVFINANCEIRO module(db->connection());
    HeldResult &anual = module.cdsCaixaAnual;
    anual.close();
    anual.param(0).setAsInteger(2009);
    anual.open();
    ASSERT_EQ(anual.recordCount(), 12);
    const struct {
        int entries;
        double income;
        const char *month;
        const char *status;
    } expected[] = {{2, 100, "JANEIRO", "META ATINGIDA"},
                    {1, 80, "FEVEREIRO", "ABAIXO DA META"},
                    {0, 0, "MARÇO", "SEM MOVIMENTO"},
                    {1, 80, "ABRIL", "META ATINGIDA"},
                    {0, 0, "MAIO", "SEM MOVIMENTO"}};
    anual.first();
    for (int m = 0; m < 5; ++m) {
        EXPECT_EQ(anual.fieldByName(QStringLiteral("mesId")).asInteger(), m + 1);
        EXPECT_EQ(anual.fieldByName(QStringLiteral("lancamentos")).asInteger(), expected[m].entries) << m + 1;
        EXPECT_DOUBLE_EQ(anual.fieldByName(QStringLiteral("receita")).asFloat(), expected[m].income) << m + 1;
        EXPECT_EQ(anual.fieldByName(QStringLiteral("Mes")).asString(), QString::fromUtf8(expected[m].month));
        EXPECT_EQ(anual.fieldByName(QStringLiteral("Status")).asString(), QString::fromUtf8(expected[m].status)) << m + 1;
        anual.next();
    }

    // This year: the running month is under way, the later ones are still to come.
    const QDate now = QDate::currentDate();
    const RowSet thisYear = db->open(QStringLiteral("proc_rel_Caixa_Anual :ano"), {{QStringLiteral("ano"), now.year()}});
    ASSERT_EQ(thisYear.rows.size(), 12);
    EXPECT_EQ(value(thisYear, now.month() - 1, QStringLiteral("Status")).toString(), QStringLiteral("EM ANDAMENTO"));
    if (now.month() < 12) {
        EXPECT_EQ(value(thisYear, now.month(), QStringLiteral("Status")).toString(), QStringLiteral("A REALIZAR"));
    }
}

TEST_P(CashProceduresTest, EmployeesAreRegisteredWithTelephonesOfDigitsOnlyAndTheirAdvancesReported)
{
    StoredProc cad(db->connection(), QStringLiteral("spCadFuncionario"), QStringLiteral("PROC_CAD_FUNCIONARIO"),
                   {{QStringLiteral("@RETURN_VALUE"), FieldKind::Integer},
                    {QStringLiteral("@NOME"), FieldKind::Text},
                    {QStringLiteral("@ENDERECO"), FieldKind::Text},
                    {QStringLiteral("@BAIRRO"), FieldKind::Text},
                    {QStringLiteral("@TELEFONE"), FieldKind::Text},
                    {QStringLiteral("@CELULAR"), FieldKind::Text},
                    {QStringLiteral("@EMAIL"), FieldKind::Text}});
    auto registerEmployee = [&](const char *name, const char *phone, const char *mobile) {
        cad.paramByName(QStringLiteral("@NOME")).setAsString(QString::fromUtf8(name));
        cad.paramByName(QStringLiteral("@ENDERECO")).setAsString(QStringLiteral("RUA DAS FLORES 10"));
        cad.paramByName(QStringLiteral("@BAIRRO")).setAsString(QStringLiteral("CENTRO"));
        cad.paramByName(QStringLiteral("@TELEFONE")).setAsString(QString::fromUtf8(phone));
        cad.paramByName(QStringLiteral("@CELULAR")).setAsString(QString::fromUtf8(mobile));
        cad.paramByName(QStringLiteral("@EMAIL")).setAsString(QStringLiteral("ANA@EXEMPLO.COM"));
        cad.execute();
    };
    registerEmployee("ANA PAULA", "32221234", "991234567");
    EXPECT_EQ(cad.paramByName(QStringLiteral("@RETURN_VALUE")).value().toInt(), 0);
    const RowSet stored = db->connection().serverQuery(
        QStringLiteral("select nm_funcionario, nr_telefone, nr_celular, ds_bairro from tb_funcionario"), {});
    ASSERT_EQ(stored.rows.size(), 1);
    EXPECT_EQ(stored.rows[0], (Row{QStringLiteral("ANA PAULA"), qlonglong(32221234), qlonglong(991234567), QStringLiteral("CENTRO")}));

    const struct {
        const char *name, *phone, *mobile, *error;
    } refused[] = {
        {"BETO", "3222-1234", "991234567", "Telefone inválido: '3222-1234'"},
        {"BETO", "", "991234567", "Telefone inválido: ''"},
        {"BETO", "32221234", "abc", "Celular inválido: 'abc'"},
        {"BETO", "32221234", "11991234567", "Celular inválido"},
        {"", "32221234", "991234567", "Informe o nome do funcionário"},
    };
    for (const auto &r : refused) {
        const QString error = errorOf([&] { registerEmployee(r.name, r.phone, r.mobile); });
        EXPECT_TRUE(error.contains(QString::fromUtf8(r.error))) << r.error << ": " << error.toStdString();
    }
    EXPECT_EQ(db->count(QStringLiteral("tb_funcionario")), 1);

    // An advance names the employee; the report finds it by the name as typed.
    const qint64 ana = db->scalar(QStringLiteral("select id_funcionario from tb_funcionario")).toLongLong();
    call(*db, QStringLiteral("pri_movimento_Caixa"), {15, 4, 50.0, QVariant(), 1, qlonglong(ana)});
    auto advances = [&](const QString &name) {
        return db->open(QStringLiteral("exec proc_vale_funcionario :dataI ,:dataF ,:Funcionario"),
                        {{QStringLiteral("dataI"), today("00:00:00")},
                         {QStringLiteral("dataF"), today("23:59:59")},
                         {QStringLiteral("Funcionario"), name}});
    };
    const RowSet found = advances(QStringLiteral("ana paula "));
    ASSERT_EQ(found.rows.size(), 1);
    EXPECT_EQ(value(found, 0, QStringLiteral("NM_FUNCIONARIO")).toString(), QStringLiteral("ANA PAULA"));
    EXPECT_DOUBLE_EQ(value(found, 0, QStringLiteral("VL_LANCAMENTO")).toDouble(), 50.0);
    EXPECT_EQ(value(found, 0, QStringLiteral("DS_TIPO_LANCAMENTO")).toString(), QStringLiteral("VALE DE FUNCIONÁRIO"));
    EXPECT_TRUE(advances(QStringLiteral("ANA")).rows.isEmpty());
}

RV_BOTH_BACKENDS(CashProceduresTest);
