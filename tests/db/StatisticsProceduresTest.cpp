// The call statistics on both backends: their columns, the calls made at
// start-up with NULL windows, the window bounds, and the counts of a small
// fixture whose totals are known.
#include "OrderFixture.h"

#include "data/Errors.h"
#include "data/HeldResult.h"
#include "data/StatementText.h"

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

namespace {

class StatisticsTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
        fx.emplace(*db);
    }

    RowSet call(const QString &text, const QDateTime &from, const QDateTime &to)
    {
        const QStringList markers = parseStatementText(text).markers;
        return db->open(text, {{markers.value(0), ydm(from)}, {markers.value(1), ydm(to)}});
    }

    // Rows as "label=total" texts, in the order returned.
    static QStringList totals(const RowSet &rows, const QString &label, const QString &total)
    {
        QStringList out;
        const int l = rows.indexOf(label);
        const int t = rows.indexOf(total);
        for (const Row &r : rows.rows)
            out << r[l].toString() + QLatin1Char('=') + r[t].toString();
        return out;
    }

    std::optional<ContractDatabase> db;
    std::optional<OrderFixture> fx;
};

} // namespace

TEST_P(StatisticsTest, StartUpCallWithNullWindowGivesTheColumnsAndNoRows)
{
    HeldResult cds(db->connection(), QStringLiteral("cdsRelBairroTurno"),
                   QStringLiteral("proc_chamadasbairro_periodo :dataI ,:dataF"),
                   {{QStringLiteral("dataI"), FieldKind::Text}, {QStringLiteral("dataF"), FieldKind::Text}});
    fx->order(OrderRow(32221111, at(2009, 3, 10)));
    ASSERT_NO_THROW(cds.open());
    EXPECT_EQ(cds.recordCount(), 0);
    ASSERT_EQ(cds.columnCount(), 2);
    EXPECT_EQ(cds.column(0).name, QStringLiteral("bairro"));
    EXPECT_EQ(cds.column(1).name, QStringLiteral("Total"));
}

TEST_P(StatisticsTest, NightShiftWindowCountsFromSevenInTheEveningToSevenInTheMorning)
{
    const int centro = fx->bairro(QStringLiteral("CENTRO"));
    const int aldeota = fx->bairro(QStringLiteral("ALDEOTA"));
    fx->order(OrderRow(1, at(2009, 3, 9, 18, 59, 59)).inBairro(centro));  // day shift of the 9th
    fx->order(OrderRow(1, at(2009, 3, 9, 19, 0, 0)).inBairro(centro));
    fx->order(OrderRow(1, at(2009, 3, 10, 0, 0, 0)).inBairro(aldeota));
    fx->order(OrderRow(1, at(2009, 3, 10, 6, 59, 59)).inBairro(centro));
    fx->order(OrderRow(1, at(2009, 3, 10, 7, 0, 0)).inBairro(aldeota)); // day shift of the 10th

    const RowSet night = call(QStringLiteral("proc_chamadasbairro_periodo :dataI ,:dataF"),
                              at(2009, 3, 9, 19, 0, 0), at(2009, 3, 10, 6, 59, 59));
    EXPECT_EQ(totals(night, QStringLiteral("bairro"), QStringLiteral("Total")),
              QStringList({QStringLiteral("CENTRO=2"), QStringLiteral("ALDEOTA=1")}));
}

namespace {

// January 2009 with an order just outside each end; counts known per summary.
void fillJanuary(OrderFixture &fx)
{
    const int centro = fx.bairro(QStringLiteral("CENTRO"), QStringLiteral("NORTE"));
    const int centroAgain = fx.bairro(QStringLiteral("Centro"), QStringLiteral("norte")); // registered twice
    const int aldeota = fx.bairro(QStringLiteral("ALDEOTA"), QStringLiteral("SUL"));
    const int meireles = fx.bairro(QStringLiteral("MEIRELES"));
    const int flores = fx.street(QStringLiteral("RUA"), QStringLiteral("DAS FLORES"), centro);
    const int santos = fx.street(QStringLiteral("AV"), QStringLiteral("SANTOS DUMONT"), aldeota);
    fx.client(32221111, QStringLiteral("MARIA"), flores, centro, 1);
    fx.client(32222222, QStringLiteral("JOSE"), santos, aldeota, 3);
    fx.client(32223333, QStringLiteral("ORELHÃO DA PRAÇA"), flores, meireles, 4);
    fx.courier(12, QStringLiteral("ANTONIO"));
    fx.courier(34, QStringLiteral("PEDRO"));

    fx.order(OrderRow(32221111, at(2009, 1, 1, 0, 0, 0)).inBairro(centro).onStreet(flores).byCourier(12));
    fx.order(OrderRow(32221111, at(2009, 1, 5)).inBairro(centro).onStreet(flores).byCourier(12).takenBy(2).worth(12.5));
    fx.order(OrderRow(32221111, at(2009, 1, 9)).inBairro(centroAgain).onStreet(flores).byCourier(34).worth(8));
    fx.order(OrderRow(32222222, at(2009, 1, 12)).inBairro(aldeota).onStreet(santos).byCourier(34).fromCategory(3).takenBy(2));
    fx.order(OrderRow(32223333, at(2009, 1, 20)).inBairro(meireles).byCourier(12).fromCategory(4).worth(5));
    fx.order(OrderRow(32223333, at(2009, 1, 31, 23, 59, 59)).inBairro(meireles).fromCategory(4));
    // outside the month
    fx.order(OrderRow(32222222, at(2008, 12, 31, 23, 59, 59)).inBairro(aldeota).fromCategory(4).byCourier(34));
    fx.order(OrderRow(32222222, at(2009, 2, 1, 0, 0, 0)).inBairro(aldeota).fromCategory(4).byCourier(34));
}

struct SummaryCase {
    const char *statement;
    QList<ResultColumn> columns;
    const char *label;
    const char *total;
    QStringList expected; // label=total, in the order returned
};

QList<SummaryCase> januaryCases()
{
    const auto I = FieldKind::Integer;
    const auto T = FieldKind::FixedText;
    const auto S = [](std::initializer_list<const char *> l) {
        QStringList out;
        for (const char *s : l)
            out << QString::fromUtf8(s);
        return out;
    };
    return {
        {"PRS_CHAMADAS_BAIRRO :dataInicio ,:datafinal", {{"BAIRRO", T}, {"total", I}}, "BAIRRO", "total",
         S({"CENTRO=3", "MEIRELES=2", "ALDEOTA=1"})},
        {"PROC_CHAMAS_BAIRRO :DATAINICIO,:DATAFIM", {{"BAIRRO", T}, {"total", I}}, "BAIRRO", "total",
         S({"CENTRO=3", "MEIRELES=2", "ALDEOTA=1"})},
        {"proc_chamadasbairro_periodo :dataI ,:dataF", {{"bairro", T}, {"Total", I}}, "bairro", "Total",
         S({"CENTRO=3", "MEIRELES=2", "ALDEOTA=1"})},
        {"exec PRS_REL_MOTOQUEIRO :datainicial ,:dataFinal",
         {{"NR_MATRICULA", I}, {"NM_MOTOQUEIRO", T}, {"total", I}, {"VALOR", FieldKind::Decimal}}, "NM_MOTOQUEIRO",
         "total", S({"ANTONIO=3", "PEDRO=2", "NÃO INFORMADO=1"})},
        {"exec PRS_REL_LOGRADOURO :DataInicial ,:dataFim",
         {{"LOGRADOURO", T}, {"NOME_LOGRADOURO", T}, {"BAIRRO", T}, {"total", I}}, "NOME_LOGRADOURO", "total",
         S({"DAS FLORES=3", "NÃO INFORMADO=2", "SANTOS DUMONT=1"})},
        {"exec PRC_CORRIDA_SETOR :datainicial ,:DataFim", {{"SETOR", T}, {"total", I}}, "SETOR", "total",
         S({"NORTE=3", "NÃO INFORMADO=2", "SUL=1"})},
        {"exec PRS_REL_CATEGORIA_TELEFONE :datainicial ,:datafim ", {{"CATEGORIA_TELEFONE", T}, {"total", I}},
         "CATEGORIA_TELEFONE", "total", S({"RESIDENCIAL=3", "TELEFONE PÚBLICO=2", "CELULAR=1"})},
        {" EXEC PROC_RELTELEFONE_PUBLICO :DATAINICIO ,:DATAFIM ", {{"TELEFONE", I}, {"NOME", T}, {"total", I}},
         "NOME", "total", S({"ORELHÃO DA PRAÇA=2"})},
        {"exec PRS_REL_CLIENTE_PEDIDO :DATAINICO ,:DATAFIM ", {{"TELEFONE", I}, {"NOME", T}, {"total", I}},
         "TELEFONE", "total", S({"32221111=3", "32223333=2", "32222222=1"})},
        {"PROC_CHAMADAS_USUARIO :DATAINICIO ,:DATAFIM ", {{"USUARIO", T}, {"total", I}}, "USUARIO", "total",
         S({"ADMIN=4", "ATENDENTE=2"})},
    };
}

} // namespace

TEST_P(StatisticsTest, EverySummaryCountsTheOrdersOfTheWindowByItsGroup)
{
    fillJanuary(*fx);
    for (const SummaryCase &c : januaryCases()) {
        SCOPED_TRACE(c.statement);
        const RowSet rows = call(QString::fromUtf8(c.statement), at(2009, 1, 1, 0, 0, 0), at(2009, 1, 31, 23, 59, 59));
        expectColumns(rows, c.columns);
        EXPECT_EQ(totals(rows, QString::fromUtf8(c.label), QString::fromUtf8(c.total)), c.expected);
    }
}

TEST_P(StatisticsTest, CourierSummaryAddsTheFares)
{
    fillJanuary(*fx);
    const RowSet rows = call(QStringLiteral("exec PRS_REL_MOTOQUEIRO :datainicial ,:dataFinal"),
                             at(2009, 1, 1, 0, 0, 0), at(2009, 1, 31, 23, 59, 59));
    ASSERT_EQ(rows.rows.size(), 3);
    EXPECT_EQ(rows.rows[0][0].toLongLong(), 12);
    EXPECT_DOUBLE_EQ(rows.rows[0][3].toDouble(), 27.5);
    EXPECT_DOUBLE_EQ(rows.rows[1][3].toDouble(), 18.0);
    EXPECT_TRUE(rows.rows[2][0].isNull()); // orders without a courier
}

TEST_P(StatisticsTest, NullOrReversedWindowsGiveTheColumnsAndNoRows)
{
    fillJanuary(*fx);
    for (const SummaryCase &c : januaryCases()) {
        SCOPED_TRACE(c.statement);
        const QString text = QString::fromUtf8(c.statement);
        const QStringList markers = parseStatementText(text).markers;
        const RowSet nulls = db->open(text, {{markers[0], QVariant()}, {markers[1], QVariant()}});
        expectColumns(nulls, c.columns);
        EXPECT_TRUE(nulls.rows.isEmpty());
        EXPECT_TRUE(call(text, at(2009, 1, 31, 23, 59, 59), at(2009, 1, 1, 0, 0, 0)).rows.isEmpty());
    }
}

TEST_P(StatisticsTest, AWindowTextThatIsNoDateIsRefusedNamingIt)
{
    try {
        db->open(QStringLiteral("PROC_CHAMAS_BAIRRO :DATAINICIO,:DATAFIM"),
                 {{QStringLiteral("DATAINICIO"), QStringLiteral("2009/30/02 00:00:00")},
                  {QStringLiteral("DATAFIM"), QStringLiteral("2009/28/02 23:59:59")}});
        FAIL() << "30 February was accepted";
    } catch (const DatabaseError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("'2009/30/02 00:00:00'"))) << e.text().toStdString();
    }
}

RV_BOTH_BACKENDS(StatisticsTest);
