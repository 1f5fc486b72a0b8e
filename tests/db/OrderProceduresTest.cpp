// The order, address and route procedures on both backends: their columns,
// the calls made at start-up, date texts and window bounds.
#include "OrderFixture.h"

#include "data/Errors.h"
#include "data/HeldResult.h"
#include "data/StatementText.h"
#include "data/StoredProc.h"

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

namespace {

class ContractTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
        fx.emplace(*db);
    }

    static QStringList column(const RowSet &rows, const QString &name)
    {
        QStringList out;
        const int c = rows.indexOf(name);
        for (const Row &r : rows.rows)
            out << r.value(c).toString();
        return out;
    }

    std::optional<ContractDatabase> db;
    std::optional<OrderFixture> fx;
};

class RouteProceduresTest : public ContractTest {};

const QList<ResultColumn> routeColumns{
    {QStringLiteral("id_trajeto"), FieldKind::Integer},   {QStringLiteral("TRAJETO"), FieldKind::FixedText},
    {QStringLiteral("VALORDIA"), FieldKind::Decimal},     {QStringLiteral("VALORNOITE"), FieldKind::Decimal},
    {QStringLiteral("DESCRICAO"), FieldKind::FixedText},  {QStringLiteral("id_categoria_valor"), FieldKind::Integer}};

} // namespace

TEST_P(RouteProceduresTest, RouteTableByCategoryOpensAtStartUpWithEveryRoute)
{
    const int cheap = fx->category(5.0, 7.5, QStringLiteral("CURTA"));
    const int dear = fx->category(12.0, 15.0, QStringLiteral("LONGA"));
    fx->route(QStringLiteral("CENTRO/MEIRELES"), dear);
    fx->route(QStringLiteral("ALDEOTA/CENTRO"), cheap);
    fx->route(QStringLiteral("CENTRO/ALDEOTA"), cheap);

    HeldResult cds(db->connection(), QStringLiteral("cdsRelTrajeto"), QStringLiteral("proc_relCategoriaTrajeto"));
    ASSERT_NO_THROW(cds.open());
    RowSet rows = db->open(QStringLiteral("proc_relCategoriaTrajeto"));
    expectColumns(rows, routeColumns);
    EXPECT_EQ(column(rows, QStringLiteral("TRAJETO")),
              QStringList({QStringLiteral("NÃO INFORMADO"), QStringLiteral("ALDEOTA/CENTRO"),
                           QStringLiteral("CENTRO/ALDEOTA"), QStringLiteral("CENTRO/MEIRELES")}));
    EXPECT_EQ(column(rows, QStringLiteral("VALORNOITE")).last(), QStringLiteral("15"));
    EXPECT_EQ(column(rows, QStringLiteral("DESCRICAO")).last(), QStringLiteral("LONGA"));
}

TEST_P(RouteProceduresTest, NeighbourhoodReviewListsTheRoutesFromOrToTheNeighbourhood)
{
    const int cheap = fx->category(5.0, 7.5, QStringLiteral("CURTA"));
    for (const char *r : {"MEIRELES/ALDEOTA", "CENTRO/ALDEOTA", "ALDEOTA/MEIRELES", "ALDEOTA/CENTRO", "IRELES/CENTRO"})
        fx->route(QString::fromLatin1(r), cheap);

    HeldResult cds(db->connection(), QStringLiteral("cdsVTrajeto"), QStringLiteral("exec proc_verificaTrajetobairro :pBairro"),
                   {{QStringLiteral("pBairro"), FieldKind::Text}},
                   {col::integer(QStringLiteral("id_trajeto")).required(), col::fixed(QStringLiteral("TRAJETO"), 200).required(),
                    col::decimal(QStringLiteral("VALORDIA"), 9, 2).required(), col::decimal(QStringLiteral("VALORNOITE"), 9, 2),
                    col::fixed(QStringLiteral("DESCRICAO"), 100), col::integer(QStringLiteral("id_categoria_valor")).required(),
                    col::recNo(QStringLiteral("RecNo"))});
    cds.param(0).setAsString(QStringLiteral("meir%"));
    ASSERT_NO_THROW(cds.open());
    QStringList routes;
    for (cds.first(); !cds.eof(); cds.next())
        routes << cds.fieldByName(QStringLiteral("TRAJETO")).asString();
    EXPECT_EQ(routes, QStringList({QStringLiteral("ALDEOTA/MEIRELES"), QStringLiteral("MEIRELES/ALDEOTA")}));

    const auto pattern = [&](const QVariant &p) {
        return db->open(QStringLiteral("exec proc_verificaTrajetobairro :pBairro"), {{QStringLiteral("pBairro"), p}});
    };
    expectColumns(pattern(QStringLiteral("CENTRO%")), routeColumns);
    EXPECT_EQ(column(pattern(QStringLiteral("CENTRO%")), QStringLiteral("TRAJETO")),
              QStringList({QStringLiteral("ALDEOTA/CENTRO"), QStringLiteral("CENTRO/ALDEOTA"), QStringLiteral("IRELES/CENTRO")}));
    EXPECT_TRUE(pattern(QVariant()).rows.isEmpty());
}

TEST_P(RouteProceduresTest, CategoryReviewListsTheRoutesOfTheCategoryAsTheyAreNow)
{
    const int cheap = fx->category(5.0, 7.5, QStringLiteral("CURTA"));
    const int dear = fx->category(12.0, 15.0, QStringLiteral("LONGA"));
    const int moved = fx->route(QStringLiteral("CENTRO/ALDEOTA"), cheap);
    fx->route(QStringLiteral("ALDEOTA/CENTRO"), cheap);
    fx->route(QStringLiteral("CENTRO/MEIRELES"), dear);

    const auto category = [&](const QVariant &c) {
        return db->open(QStringLiteral("proc_CorrigeTrajeto :Categoria"), {{QStringLiteral("Categoria"), c}});
    };
    RowSet rows = category(cheap);
    expectColumns(rows, routeColumns);
    EXPECT_EQ(column(rows, QStringLiteral("TRAJETO")),
              QStringList({QStringLiteral("ALDEOTA/CENTRO"), QStringLiteral("CENTRO/ALDEOTA")}));
    EXPECT_EQ(column(rows, QStringLiteral("VALORDIA")), QStringList({QStringLiteral("5"), QStringLiteral("5")}));

    db->exec(QStringLiteral("update trajeto2009 set id_categoria_Valor = ? where id_trajeto = ?"), {dear, moved});
    EXPECT_EQ(category(cheap).rows.size(), 1);
    EXPECT_EQ(column(category(dear), QStringLiteral("DESCRICAO")), QStringList({QStringLiteral("LONGA"), QStringLiteral("LONGA")}));
    EXPECT_TRUE(category(QVariant()).rows.isEmpty());
    EXPECT_TRUE(category(QString()).rows.isEmpty()); // '' reads as category 0
}

RV_BOTH_BACKENDS(RouteProceduresTest);

// ---------------------------------------------------------------- orders

namespace {

class OrderProceduresTest : public ContractTest {
protected:
    // A client on a street, for orders that resolve their text columns.
    void SetUp() override
    {
        ContractTest::SetUp();
        if (IsSkipped())
            return;
        centro = fx->bairro(QStringLiteral("CENTRO"));
        flores = fx->street(QStringLiteral("RUA"), QStringLiteral("DAS FLORES"), centro);
        const int curta = fx->category(5.0, 7.0, QStringLiteral("CURTA"));
        route = fx->route(QStringLiteral("CENTRO/ALDEOTA"), curta);
        fx->client(32221111, QStringLiteral("MARIA"), flores, centro);
        fx->courier(12, QStringLiteral("ANTONIO"));
        fx->courier(34, QStringLiteral("PEDRO"));
    }

    OrderRow order(const QDateTime &when) const
    {
        return OrderRow(32221111, when).inBairro(centro).onStreet(flores).onRoute(route).byCourier(12);
    }

    RowSet window(const QString &text, const QString &from, const QString &to)
    {
        const QStringList markers = parseStatementText(text).markers;
        return db->open(text, {{markers[0], from}, {markers[1], to}});
    }

    int centro = 0;
    int flores = 0;
    int route = 0;
};

const QString periodCall = QStringLiteral("exec proc_PEDIDO_PERIODO :dataInicial, :Datafinal");
const QString dayCall = QStringLiteral("exec proc_consulta_Pedido :dataI, :dataF");
const QString courierCall = QStringLiteral("PRC_PEDIDO_MOTO_PERIODO :MOTO,:DATAINICIO,:DATAFIM ");

QList<ResultColumn> orderColumns(std::initializer_list<ResultColumn> tail, bool dataBeforeObs)
{
    QList<ResultColumn> c{{QStringLiteral("ID_PEDIDO"), FieldKind::Integer},
                          {QStringLiteral("TELEFONE"), FieldKind::Integer},
                          {QStringLiteral("SOLICITANTE"), FieldKind::FixedText},
                          {QStringLiteral("ENDEREÇO"), FieldKind::FixedText},
                          {QStringLiteral("ANTIGA"), FieldKind::FixedText},
                          {QStringLiteral("BAIRRO"), FieldKind::FixedText},
                          {QStringLiteral("TRAJETO"), FieldKind::Text},
                          {QStringLiteral("VALOR"), FieldKind::Decimal},
                          {QStringLiteral("CATEGORIA_TELEFONE"), FieldKind::FixedText},
                          {QStringLiteral("USUARIO"), FieldKind::FixedText}};
    if (dataBeforeObs)
        c.append({QStringLiteral("Data"), FieldKind::DateTime});
    c.append({QStringLiteral("OBS"), FieldKind::FixedText});
    c.append(tail);
    return c;
}

} // namespace

TEST_P(OrderProceduresTest, PeriodOrdersAreTheOrdersOfTheWholeDaysInTheirShape)
{
    fx->order(order(at(2009, 1, 20, 23, 59, 59)));
    const int first = fx->order(order(at(2009, 1, 21, 0, 0, 0)).onStreet(flores, QStringLiteral("120"),
                                                                          QStringLiteral("APTO 3"))
                                    .worth(12.5).askedBy(QStringLiteral("JOÃO")).remark(QStringLiteral("PORTÃO AZUL")));
    fx->order(order(at(2009, 1, 21, 12, 30, 5)).worth(12.49).takenBy(2));
    fx->order(order(at(2009, 1, 21, 23, 59, 59)).byCourier(7));
    fx->order(order(at(2009, 1, 22, 0, 0, 0)));

    HeldResult cds(db->connection(), QStringLiteral("cdspedidodata"), periodCall,
                   {{QStringLiteral("dataInicial"), FieldKind::Text}, {QStringLiteral("Datafinal"), FieldKind::Text}},
                   {col::recNo(QStringLiteral("Recno")), col::integer(QStringLiteral("ID_PEDIDO")),
                    col::integer(QStringLiteral("TELEFONE")), col::fixed(QStringLiteral("SOLICITANTE"), 50),
                    col::fixed(QStringLiteral("ENDEREÇO"), 123), col::fixed(QStringLiteral("ANTIGA"), 20),
                    col::fixed(QStringLiteral("BAIRRO"), 50), col::text(QStringLiteral("TRAJETO"), 510),
                    col::money(QStringLiteral("VALOR")), col::fixed(QStringLiteral("CATEGORIA_TELEFONE"), 30),
                    col::fixed(QStringLiteral("USUARIO"), 20), col::fixed(QStringLiteral("OBS"), 200),
                    col::fixed(QStringLiteral("hora"), 5), col::dateTime(QStringLiteral("datacad")),
                    col::fixed(QStringLiteral("ID_MOTOQUEIRO"), 4)});
    cds.param(0).setAsString(QStringLiteral("2009/21/01 00:00:00"));
    cds.param(1).setAsString(QStringLiteral("2009/21/01 23:59:59"));
    ASSERT_NO_THROW(cds.open());
    ASSERT_EQ(cds.recordCount(), 3);

    const RowSet rows = window(periodCall, QStringLiteral("2009/21/01 00:00:00"), QStringLiteral("2009/21/01 23:59:59"));
    expectColumns(rows, orderColumns({{QStringLiteral("hora"), FieldKind::FixedText},
                                      {QStringLiteral("datacad"), FieldKind::DateTime},
                                      {QStringLiteral("ID_MOTOQUEIRO"), FieldKind::FixedText}},
                                     false));
    EXPECT_EQ(column(rows, QStringLiteral("hora")),
              QStringList({QStringLiteral("00:00"), QStringLiteral("12:30"), QStringLiteral("23:59")}));
    EXPECT_EQ(column(rows, QStringLiteral("VALOR")),
              QStringList({QStringLiteral("13"), QStringLiteral("12"), QStringLiteral("10")}));
    EXPECT_EQ(column(rows, QStringLiteral("ID_MOTOQUEIRO")),
              QStringList({QStringLiteral("12"), QStringLiteral("12"), QStringLiteral("7")}));
    EXPECT_EQ(column(rows, QStringLiteral("USUARIO")),
              QStringList({QStringLiteral("ADMIN"), QStringLiteral("ATENDENTE"), QStringLiteral("ADMIN")}));

    const Row &r = rows.rows.first();
    EXPECT_EQ(r[0].toInt(), first);
    EXPECT_EQ(r[1].toLongLong(), 32221111);
    EXPECT_EQ(r[2].toString(), QStringLiteral("JOÃO"));
    EXPECT_EQ(r[3].toString(), QStringLiteral("RUA DAS FLORES, 120 - APTO 3"));
    EXPECT_EQ(r[4].toString(), QStringLiteral("A12"));
    EXPECT_EQ(r[5].toString(), QStringLiteral("CENTRO"));
    EXPECT_EQ(r[6].toString(), QStringLiteral("CENTRO/ALDEOTA"));
    EXPECT_EQ(r[8].toString(), QStringLiteral("RESIDENCIAL"));
    EXPECT_EQ(r[10].toString(), QStringLiteral("PORTÃO AZUL"));
    EXPECT_EQ(r[12].toDateTime(), at(2009, 1, 21, 0, 0, 0));
}

TEST_P(OrderProceduresTest, DayShiftAndNightWindowsOfTheOrderQuery)
{
    // 1 March 2008: its night starts on 29 February at 19:00:00.
    for (const QDateTime &t : {at(2008, 2, 29, 18, 59, 59), at(2008, 2, 29, 19, 0, 0), at(2008, 3, 1, 6, 59, 59),
                               at(2008, 3, 1, 7, 0, 0), at(2008, 3, 1, 18, 59, 59), at(2008, 3, 1, 19, 0, 0),
                               at(2008, 3, 2, 0, 0, 0)})
        fx->order(order(t));
    struct Case {
        const char *choice, *from, *to;
        QStringList times;
    } cases[] = {
        {"Data", "2008/01/03 00:00:00", "2008/01/03 23:59:59", {"06:59:59", "07:00:00", "18:59:59", "19:00:00"}},
        {"Dia", "2008/01/03 07:00:00", "2008/01/03 18:59:59", {"07:00:00", "18:59:59"}},
        {"Noite", "2008/29/02 19:00:00", "2008/01/03 06:59:59", {"19:00:00", "06:59:59"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.choice);
        const RowSet rows = window(dayCall, QString::fromLatin1(c.from), QString::fromLatin1(c.to));
        expectColumns(rows, orderColumns({{QStringLiteral("ID_MOTOQUEIRO"), FieldKind::FixedText},
                                          {QStringLiteral("DAtacad"), FieldKind::DateTime}},
                                         false));
        QStringList times;
        for (const Row &r : rows.rows)
            times << r.last().toDateTime().toString(QStringLiteral("HH:mm:ss"));
        EXPECT_EQ(times, c.times);
    }
}

TEST_P(OrderProceduresTest, CourierOrdersAreThoseOfTheCourierInTheWindow)
{
    fx->order(order(at(2009, 1, 1, 0, 0, 0)));
    fx->order(order(at(2009, 1, 15)).byCourier(34));
    fx->order(order(at(2009, 1, 31, 23, 59, 59)));
    fx->order(order(at(2009, 2, 1, 0, 0, 0)));
    fx->order(order(at(2009, 1, 10)).onStreet(flores).byCourier(0)); // no courier

    const auto call = [&](const QVariant &moto) {
        return db->open(courierCall, {{QStringLiteral("MOTO"), moto},
                                      {QStringLiteral("DATAINICIO"), QStringLiteral("2009/01/01 00:00:00")},
                                      {QStringLiteral("DATAFIM"), QStringLiteral("2009/31/01 23:59:59")}});
    };
    const RowSet rows = call(12);
    expectColumns(rows, orderColumns({{QStringLiteral("ID_MOTOQUEIRO"), FieldKind::FixedText}}, true));
    EXPECT_EQ(column(rows, QStringLiteral("Data")).size(), 2);
    EXPECT_EQ(column(rows, QStringLiteral("ID_MOTOQUEIRO")), QStringList({QStringLiteral("12"), QStringLiteral("12")}));
    EXPECT_EQ(call(34).rows.size(), 1);
    EXPECT_EQ(call(99).rows.size(), 0);
}

TEST_P(OrderProceduresTest, NullArgumentsGiveTheColumnsAndNoRows)
{
    fx->order(order(at(2009, 1, 1)));
    for (const QString &text : {periodCall, dayCall, courierCall, QStringLiteral("proc_Conta_pedido :mes,:ano"),
                                QStringLiteral("exec proc_Conta_pedido_mes :ano")}) {
        SCOPED_TRACE(text.toStdString());
        QList<QPair<QString, QVariant>> params;
        for (const QString &m : parseStatementText(text).markers)
            params.append({m, QVariant()});
        const RowSet rows = db->open(text, params);
        EXPECT_FALSE(rows.columns.isEmpty());
        EXPECT_TRUE(rows.rows.isEmpty());
    }
}

TEST_P(OrderProceduresTest, DateTextsAreReadYearDayMonthAndANonDateIsRefusedNamingIt)
{
    fx->order(order(at(2008, 2, 29, 10, 0, 0)));
    EXPECT_EQ(window(periodCall, QStringLiteral("2008/29/02 00:00:00"), QStringLiteral("2008/29/02 23:59:59")).rows.size(), 1);
    for (const QString &bad : {QStringLiteral("2009/29/02 00:00:00"), QStringLiteral("2009/02/13 00:00:00"),
                               QStringLiteral("amanhã"), QString()}) {
        SCOPED_TRACE(bad.toStdString());
        try {
            window(periodCall, bad, QStringLiteral("2009/01/03 23:59:59"));
            FAIL() << "accepted";
        } catch (const DatabaseError &e) {
            EXPECT_TRUE(e.text().contains(QLatin1Char('\'') + bad + QLatin1Char('\''))) << e.text().toStdString();
        }
    }
}

TEST_P(OrderProceduresTest, DailyTotalsListEveryDayOfTheMonthWithItsStatus)
{
    fx->orders(149, order(at(2008, 2, 1, 8)));
    fx->orders(150, order(at(2008, 2, 2, 8)));
    fx->orders(250, order(at(2008, 2, 3, 8)));
    fx->orders(251, order(at(2008, 2, 4, 8)));
    fx->order(order(at(2008, 2, 29, 23, 59, 59)));
    fx->order(order(at(2008, 3, 1, 0, 0, 0)));
    fx->order(order(at(2008, 1, 31, 23, 59, 59)));

    HeldResult cds(db->connection(), QStringLiteral("cdsRelPedidoMes"), QStringLiteral("proc_Conta_pedido :mes,:ano"),
                   {{QStringLiteral("mes"), FieldKind::Integer}, {QStringLiteral("ano"), FieldKind::Integer}},
                   {col::integer(QStringLiteral("dia")), col::integer(QStringLiteral("total")),
                    col::fixed(QStringLiteral("status"), 8), col::recNo(QStringLiteral("RecNo"))});
    cds.param(0).setAsInteger(2);
    cds.param(1).setAsInteger(2008);
    ASSERT_NO_THROW(cds.open());
    ASSERT_EQ(cds.recordCount(), 29);

    QStringList days;
    for (cds.first(); !cds.eof(); cds.next()) {
        const QString status = cds.fieldByName(QStringLiteral("status")).asString();
        EXPECT_LE(status.size(), 8);
        const qint64 total = cds.fieldByName(QStringLiteral("total")).asInteger();
        if (total != 0 || cds.recNo() == 5)
            days << QStringLiteral("%1:%2:%3").arg(cds.fieldByName(QStringLiteral("dia")).asString()).arg(total).arg(status);
    }
    EXPECT_EQ(days, QStringList({QStringLiteral("1:149:BAIXO"), QStringLiteral("2:150:NORMAL"),
                                 QStringLiteral("3:250:NORMAL"), QStringLiteral("4:251:ALTO"),
                                 QStringLiteral("5:0:BAIXO"), QStringLiteral("29:1:BAIXO")}));

    for (int month : {0, 13}) {
        const RowSet none = db->open(QStringLiteral("proc_Conta_pedido :mes,:ano"),
                                     {{QStringLiteral("mes"), month}, {QStringLiteral("ano"), 2008}});
        EXPECT_TRUE(none.rows.isEmpty()) << month;
    }
}

TEST_P(OrderProceduresTest, MonthlyTotalsListEveryMonthWithItsNameAndGoal)
{
    fx->orders(6000, order(at(2008, 1, 15)));
    fx->orders(5999, order(at(2008, 2, 29, 23, 59, 59)));
    fx->orders(6001, order(at(2008, 12, 31, 23, 59, 59)));
    fx->order(order(at(2007, 12, 31, 23, 59, 59)));
    fx->order(order(at(2009, 1, 1, 0, 0, 0)));

    HeldResult cds(db->connection(), QStringLiteral("cdsPedidoMensal"), QStringLiteral("exec proc_Conta_pedido_mes :ano"),
                   {{QStringLiteral("ano"), FieldKind::Integer}},
                   {col::integer(QStringLiteral("mes")), col::integer(QStringLiteral("total")),
                    col::fixed(QStringLiteral("extenso"), 9), col::fixed(QStringLiteral("Meta"), 25)});
    cds.param(0).setAsInteger(2008);
    ASSERT_NO_THROW(cds.open());
    ASSERT_EQ(cds.recordCount(), 12);
    QStringList months;
    for (cds.first(); !cds.eof(); cds.next()) {
        const QString name = cds.fieldByName(QStringLiteral("extenso")).asString();
        const QString goal = cds.fieldByName(QStringLiteral("Meta")).asString();
        EXPECT_LE(name.size(), 9);
        EXPECT_LE(goal.size(), 25);
        months << QStringLiteral("%1 %2 %3 %4")
                      .arg(cds.fieldByName(QStringLiteral("mes")).asString(), name,
                           cds.fieldByName(QStringLiteral("total")).asString(), goal);
    }
    EXPECT_EQ(months[0], QStringLiteral("1 JANEIRO 6000 META ATINGIDA"));
    EXPECT_EQ(months[1], QStringLiteral("2 FEVEREIRO 5999 FALTAM 1 PARA A META"));
    EXPECT_EQ(months[2], QStringLiteral("3 MARÇO 0 FALTAM 6000 PARA A META"));
    EXPECT_EQ(months[8], QStringLiteral("9 SETEMBRO 0 FALTAM 6000 PARA A META"));
    EXPECT_EQ(months[11], QStringLiteral("12 DEZEMBRO 6001 META ATINGIDA"));
}

RV_BOTH_BACKENDS(OrderProceduresTest);

// ---------------------------------------------------------------- clients, streets, neighbourhoods

namespace {
class AddressProceduresTest : public ContractTest {};
} // namespace

TEST_P(AddressProceduresTest, ClientListHasOneRowPerClientWithItsCalls)
{
    const int centro = fx->bairro(QStringLiteral("CENTRO"), {}, QStringLiteral("PONTO DA PRAÇA"));
    const int flores = fx->street(QStringLiteral("RUA"), QStringLiteral("DAS FLORES"), centro);
    fx->client(32221111, QStringLiteral("MARIA"), flores, centro, 1, QStringLiteral("120"), QStringLiteral("APTO 3"));
    fx->client(32222222, QStringLiteral("ANA"), flores, centro, 3, QStringLiteral("7"));
    fx->order(OrderRow(32221111, at(2009, 1, 1)));
    fx->order(OrderRow(32221111, at(2009, 1, 2)));

    const RowSet rows = db->open(QStringLiteral("proc_consulta_DadosCliente"));
    const auto I = FieldKind::Integer;
    const auto T = FieldKind::FixedText;
    expectColumns(rows, {{QStringLiteral("DataCad"), FieldKind::DateTime}, {QStringLiteral("TELEFONE"), I},
                         {QStringLiteral("NOME"), T}, {QStringLiteral("LOGRADOURO"), T}, {QStringLiteral("Endereco"), T},
                         {QStringLiteral("COMPLEMENTO"), T}, {QStringLiteral("ANTIGA"), T}, {QStringLiteral("BAIRRO"), T},
                         {QStringLiteral("CIDADE"), T}, {QStringLiteral("CEP"), T},
                         {QStringLiteral("CATEGORIA_TELEFONE"), T}, {QStringLiteral("USUARIO"), T},
                         {QStringLiteral("REFERENCIA"), T}, {QStringLiteral("TELEFONE_1"), I},
                         {QStringLiteral("CHAMADAS"), I}, {QStringLiteral("PONTO"), T}, {QStringLiteral("UF"), T}});
    ASSERT_EQ(rows.rows.size(), 2);
    EXPECT_EQ(column(rows, QStringLiteral("NOME")), QStringList({QStringLiteral("ANA"), QStringLiteral("MARIA")}));
    EXPECT_EQ(column(rows, QStringLiteral("CHAMADAS")), QStringList({QStringLiteral("0"), QStringLiteral("2")}));
    const Row &maria = rows.rows[1];
    EXPECT_FALSE(maria[0].toDateTime().isNull());
    EXPECT_EQ(maria[1].toLongLong(), 32221111);
    EXPECT_EQ(maria[3].toString(), QStringLiteral("RUA"));
    EXPECT_EQ(maria[4].toString(), QStringLiteral("DAS FLORES, 120"));
    EXPECT_EQ(maria[5].toString(), QStringLiteral("APTO 3"));
    EXPECT_EQ(maria[7].toString(), QStringLiteral("CENTRO"));
    EXPECT_EQ(maria[8].toString(), QStringLiteral("FORTALEZA"));
    EXPECT_EQ(maria[10].toString(), QStringLiteral("RESIDENCIAL"));
    EXPECT_EQ(maria[11].toString(), QStringLiteral("ADMIN"));
    EXPECT_EQ(maria[12].toString(), QStringLiteral("PERTO DA PRAÇA"));
    EXPECT_EQ(maria[13].toLongLong(), 32221111);
    EXPECT_EQ(maria[15].toString(), QStringLiteral("PONTO DA PRAÇA"));
    EXPECT_EQ(maria[16].toString(), QStringLiteral("CE"));
}

TEST_P(AddressProceduresTest, StreetSearchMatchesTheStreetNameAndOrdersByIt)
{
    const int centro = fx->bairro(QStringLiteral("CENTRO"));
    const int aldeota = fx->bairro(QStringLiteral("ALDEOTA"));
    fx->street(QStringLiteral("TV"), QStringLiteral("DAS FLORES"), aldeota);
    fx->street(QStringLiteral("AV"), QStringLiteral("DOM LUIS"), aldeota, QStringLiteral("DAS FLORES VELHA"));
    fx->street(QStringLiteral("RUA"), QStringLiteral("DAS FLORES"), centro);

    const auto search = [&](const QVariant &p) {
        return db->open(QStringLiteral("PROC_CONSULTA_LOGRADOURO :ENDERECO"), {{QStringLiteral("ENDERECO"), p}});
    };
    const RowSet rows = search(QStringLiteral("das f%"));
    const auto I = FieldKind::Integer;
    const auto T = FieldKind::FixedText;
    expectColumns(rows, {{QStringLiteral("ID_LOGRADOURO"), I}, {QStringLiteral("LOGRADOURO"), T},
                         {QStringLiteral("NOME_LOGRADOURO"), T}, {QStringLiteral("ENDERECO"), T},
                         {QStringLiteral("ID_BAIRRO"), I}, {QStringLiteral("BAIRRO_INICIO"), T},
                         {QStringLiteral("BAIRRO_FIM"), T}, {QStringLiteral("REFERENCIA"), T},
                         {QStringLiteral("CIDADE"), T}, {QStringLiteral("UF"), T}, {QStringLiteral("CEP"), T},
                         {QStringLiteral("ANTIGA"), T}, {QStringLiteral("id_cidade"), I}});
    EXPECT_EQ(column(rows, QStringLiteral("ENDERECO")),
              QStringList({QStringLiteral("RUA DAS FLORES - CENTRO"), QStringLiteral("TV DAS FLORES - ALDEOTA")}));
    EXPECT_EQ(column(rows, QStringLiteral("ID_BAIRRO")),
              QStringList({QString::number(centro), QString::number(aldeota)}));
    EXPECT_EQ(search(QStringLiteral("%")).rows.size(), 3);
    EXPECT_EQ(column(search(QStringLiteral("D%")), QStringLiteral("NOME_LOGRADOURO")),
              QStringList({QStringLiteral("DAS FLORES"), QStringLiteral("DAS FLORES"), QStringLiteral("DOM LUIS")}));
    EXPECT_TRUE(search(QVariant()).rows.isEmpty());
}

TEST_P(AddressProceduresTest, NeighbourhoodRegistrationStoresEachCallAndRefusesAnEmptyName)
{
    StoredProc procBairroIns(db->connection(), QStringLiteral("procBairroIns"), QStringLiteral("proc_cad_bairro"),
                             {{QStringLiteral("@RETURN_VALUE"), FieldKind::Integer},
                              {QStringLiteral("@bairro"), FieldKind::Text},
                              {QStringLiteral("@ponto"), FieldKind::Text}});
    const auto registered = [&](const QString &name) {
        return db->scalar(QStringLiteral("select count(*) from bairro where BAIRRO = ?"), {name}).toInt();
    };
    const QString longName(50, QChar(0x00C1)); // 50 × Á
    for (const QString &name : {QStringLiteral("JARDIM AMÉRICA"), QStringLiteral("JARDIM AMÉRICA"), longName}) {
        procBairroIns.paramByName(QStringLiteral("@bairro")).setAsString(name);
        procBairroIns.paramByName(QStringLiteral("@ponto")).setAsString(QStringLiteral("PONTO 1234"));
        ASSERT_NO_THROW(procBairroIns.execute());
    }
    EXPECT_EQ(registered(QStringLiteral("JARDIM AMÉRICA")), 2);
    EXPECT_EQ(registered(longName), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("select PONTO from bairro where BAIRRO = ?"), {longName}).toString(),
              QStringLiteral("PONTO 1234"));
    EXPECT_EQ(db->scalar(QStringLiteral("select datacad from bairro where BAIRRO = ?"), {longName}).toString(),
              QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));

    const int before = db->scalar(QStringLiteral("select count(*) from bairro")).toInt();
    for (const QString &bad : {QString(), QStringLiteral("   "), QString(51, QLatin1Char('A'))}) {
        procBairroIns.paramByName(QStringLiteral("@bairro")).setAsString(bad);
        EXPECT_THROW(procBairroIns.execute(), DatabaseError) << bad.toStdString();
    }
    procBairroIns.paramByName(QStringLiteral("@bairro")).clear();
    EXPECT_THROW(procBairroIns.execute(), DatabaseError);
    EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from bairro")).toInt(), before);
}

RV_BOTH_BACKENDS(AddressProceduresTest);
