// One call from the telephone to the stored order on the real main window,
// and the rules of the order panel that decide what is stored.
#include "MainWindowFixture.h"

#include "app/common/DatasetGrid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTime>

using namespace rv;
using namespace rv::test;

class OrderEntryTest : public MainWindowTest {};

TEST_P(OrderEntryTest, ACallFromTheTelephoneToTheStoredOrder)
{
    openMainWindow();
    ASSERT_EQ(focused(), edit("edtTelefone"));
    EXPECT_FALSE(widget("pnPedido")->isVisible());
    EXPECT_FALSE(widget("grdPedido")->isVisible());

    // The eighth digit identifies the caller.
    type(edit("edtTelefone"), QStringLiteral("3222111"));
    EXPECT_EQ(focused(), edit("edtTelefone"));
    EXPECT_FALSE(widget("pnPedido")->isVisible());
    type(edit("edtTelefone"), QStringLiteral("1"));
    EXPECT_EQ(focused(), edit("edtSolicitante"));
    EXPECT_EQ(text("edtNome"), QStringLiteral("MARIA DA SILVA"));
    EXPECT_EQ(text("EdtLogradouro"), QStringLiteral("RUA"));
    EXPECT_EQ(text("edtNome_logradouro"), QStringLiteral("DAS FLORES"));
    EXPECT_EQ(text("edtNumero"), QStringLiteral("120"));
    EXPECT_EQ(text("edtComplemento"), QStringLiteral("CASA 2"));
    EXPECT_EQ(text("edtAntiga"), QStringLiteral("A12"));
    EXPECT_EQ(text("edtBairro"), QStringLiteral("CENTRO"));
    EXPECT_EQ(text("edtCidade"), QStringLiteral("FORTALEZA"));
    EXPECT_EQ(text("edtUF"), QStringLiteral("CE"));
    EXPECT_EQ(text("edt_ct_telefone"), QStringLiteral("COMERCIAL"));
    EXPECT_EQ(text("edtTotalChamadas"), QStringLiteral("7"));
    EXPECT_EQ(text("edtPonto"), QStringLiteral("PRAÇA DO FERREIRA"));
    EXPECT_EQ(text("edt_id_bairro"), QString::number(centro));
    EXPECT_EQ(text("edt_id_ct_telefone"), QStringLiteral("2"));
    EXPECT_TRUE(widget("pnPedido")->isVisible());
    auto *grid = find<DatasetGrid>(&window(), QStringLiteral("grdPedido"));
    ASSERT_TRUE(grid->isVisible());
    ASSERT_EQ(grid->model()->rowCount(), 5);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Moto"));
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), QStringLiteral("PEDIDO 7")); // newest first
    EXPECT_EQ(grid->model()->index(4, 1).data().toString(), QStringLiteral("PEDIDO 3"));
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), QStringLiteral("107"));

    pressTab(); // the requester left empty: the client's name
    EXPECT_EQ(text("edtSolicitante"), QStringLiteral("MARIA DA SILVA"));
    pressTab(); // the street left empty: the client's street, number, complement and old name
    EXPECT_EQ(text("Edtnome_logradouroPD"), QStringLiteral("DAS FLORES"));
    EXPECT_EQ(text("edt_id_logradouroPd"), QString::number(flores));
    EXPECT_EQ(text("edtnumeropd"), QStringLiteral("120"));
    EXPECT_EQ(text("edtComplementoPD"), QStringLiteral("CASA 2"));
    EXPECT_EQ(text("edtAntigaPd"), QStringLiteral("A12"));
    pressTab();
    pressTab();
    pressTab();
    ASSERT_EQ(focused(), edit("edtDestino"));
    type(edit("edtDestino"), QStringLiteral("jar"));
    EXPECT_EQ(text("edtDestino"), QStringLiteral("JAR"));
    EXPECT_TRUE(list("lstdestino")->isVisible());
    pressEnter(); // Enter moves on as Tab does: the route from the client's neighbourhood
    EXPECT_EQ(text("edtDestino"), QStringLiteral("JARDIM"));
    EXPECT_EQ(text("edt_id_destinoPd"), QString::number(jardim));
    EXPECT_EQ(text("edtTrajeto"), QStringLiteral("CENTRO/JARDIM"));
    EXPECT_FALSE(list("lstdestino")->isVisible());
    EXPECT_EQ(text("edtValorDia"), QStringLiteral("0"));
    pressTab(); // the proposed route accepted: its fares
    EXPECT_EQ(text("edt_idTrajeto"), QString::number(centroJardim));
    EXPECT_EQ(text("edtValorDia"), QStringLiteral("12,5"));
    EXPECT_EQ(text("edtValornoite"), QStringLiteral("15"));
    pressTab();
    pressTab();
    ASSERT_EQ(focused(), edit("EdtMotoPD"));
    type(edit("EdtMotoPD"), QStringLiteral("1234"));
    pressTab();
    EXPECT_EQ(text("EdtMotoPD"), QStringLiteral("1234"));
    type(edit("edtOBSpd"), QStringLiteral("levar troco"));

    expectCloseQuestion(MessageButton::Yes);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    click(button("btnRegistraPD"));
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);

    ASSERT_EQ(orderCount(), 8);
    const QVariantMap o = newestOrder();
    EXPECT_EQ(o.value("telefone").toLongLong(), Maria);
    EXPECT_EQ(o.value("solicitante").toString(), QStringLiteral("MARIA DA SILVA"));
    EXPECT_EQ(o.value("id_logradouro").toInt(), flores);
    EXPECT_EQ(o.value("numero").toString(), QStringLiteral("120"));
    EXPECT_EQ(o.value("complemento").toString(), QStringLiteral("CASA 2"));
    EXPECT_EQ(o.value("antiga").toString(), QStringLiteral("A12"));
    EXPECT_EQ(o.value("id_bairro").toInt(), centro);
    EXPECT_EQ(o.value("id_destino").toInt(), jardim);
    EXPECT_EQ(o.value("id_trajeto").toInt(), centroJardim);
    EXPECT_DOUBLE_EQ(o.value("valor").toDouble(), 12.5);
    EXPECT_EQ(o.value("id_motoqueiro").toInt(), 1234);
    EXPECT_EQ(o.value("id_categoria").toInt(), 2);
    EXPECT_EQ(o.value("id_usuario").toInt(), 2);
    EXPECT_EQ(o.value("obs").toString(), QStringLiteral("LEVAR TROCO"));
    const QDateTime stamped = o.value("datacad").toDateTime();
    EXPECT_TRUE(stamped >= before && stamped <= after) << stamped.toString(Qt::ISODate).toStdString();
    // The courier reads back as the order log shows it.
    EXPECT_EQ(db().scalar(QStringLiteral("select ID_MOTOQUEIRO from VW_PEDIDO_NEW where ID_PEDIDO = ?"),
                          {o.value("id_pedido")})
                  .toString()
                  .trimmed(),
              QStringLiteral("1234"));

    // Ready for the next call.
    for (const char *name : {"edtTelefone", "edtNome", "edtNome_logradouro", "edt_id_bairro", "edtSolicitante",
                             "Edtnome_logradouroPD", "edt_id_logradouroPd", "edtDestino", "edt_id_destinoPd",
                             "edtTrajeto", "edt_idTrajeto", "edtValorDia", "EdtMotoPD", "edtOBSpd"})
        EXPECT_TRUE(text(name).isEmpty()) << name;
    EXPECT_FALSE(widget("pnPedido")->isVisible());
    EXPECT_FALSE(grid->isVisible());
    EXPECT_EQ(focused(), edit("edtTelefone"));
}

TEST_P(OrderEntryTest, AnsweringNoStoresTheOrderAndKeepsEveryFieldForAnotherOne)
{
    openMainWindow();
    identifyAndFillOrder(QString::number(Pedro), QStringLiteral("JAR"));
    // No route begins with ALDEOTA/JARDIM: the route list keeps the entry
    // that "não informado" highlighted when the destination was left.
    EXPECT_EQ(text("edtTrajeto"), QStringLiteral("NÃO INFORMADO"));
    EXPECT_EQ(text("edt_idTrajeto"), QStringLiteral("1"));
    EXPECT_EQ(text("edtValorDia"), QStringLiteral("0"));
    focus(edit("edtTrajeto"));
    erase(edit("edtTrajeto"));
    type(edit("edtTrajeto"), QStringLiteral("CENTRO/A"));
    pressTab();
    EXPECT_EQ(text("edtTrajeto"), QStringLiteral("CENTRO/ALDEOTA"));
    EXPECT_EQ(text("edtValorDia"), QStringLiteral("8"));
    focus(edit("EdtMotoPD"));
    type(edit("EdtMotoPD"), QStringLiteral("120"));
    pressTab();

    expectCloseQuestion(MessageButton::No);
    click(button("btnRegistraPD"));
    EXPECT_EQ(text("edtTelefone"), QString::number(Pedro));
    EXPECT_EQ(text("EdtMotoPD"), QStringLiteral("120"));
    EXPECT_TRUE(widget("pnPedido")->isVisible());
    expectCloseQuestion(MessageButton::No);
    click(button("btnRegistraPD"));

    ASSERT_EQ(orderCount(), 9);
    const RowSet rows = db().connection().serverQuery(
        QStringLiteral("select telefone, solicitante, id_logradouro, numero, complemento, antiga, id_bairro, "
                       "id_destino, id_trajeto, VALOR, ID_MOTOQUEIRO, ID_CATEGORIA, ID_USUARIO, OBS from pedido "
                       "where telefone = ? order by id_pedido"),
        {Pedro});
    ASSERT_EQ(rows.rows.size(), 2);
    EXPECT_EQ(rows.rows[0], rows.rows[1]);
    const Row &r = rows.rows[0];
    EXPECT_EQ(r[1].toString(), QStringLiteral("PEDRO ALVES"));
    EXPECT_EQ(r[2].toInt(), dumont);
    EXPECT_TRUE(r[4].isNull() || r[4].toString().isEmpty()); // no complement to copy
    EXPECT_EQ(r[6].toInt(), aldeota);
    EXPECT_EQ(r[8].toInt(), centroAldeota);
    EXPECT_DOUBLE_EQ(r[9].toDouble(), 8);
    EXPECT_EQ(r[10].toInt(), 120);
    EXPECT_EQ(r[11].toInt(), 3);
}

TEST_P(OrderEntryTest, TheRefusalNamesTheEmptyRequiredFieldsInTheWindowsOrder)
{
    openMainWindow();
    type(edit("edtTelefone"), QString::number(Maria));
    // Leaving the requester for the button fills it with the client's name.
    messages.expectError(QStringLiteral("Os Seguintes campos são requeridos para conclusão do pedido : \r"
                                        "Número\rDestino\rTrajeto\rValor Noite\rEndereço\rValor Dia\r"));
    click(button("btnRegistraPD"));
    EXPECT_EQ(text("edtSolicitante"), QStringLiteral("MARIA DA SILVA"));
    EXPECT_EQ(orderCount(), 7);
}


// The courier field: completed from the couriers who hold a radio, "0" when
// left empty, and a conversion error when never visited.
TEST_P(OrderEntryTest, TheCourierIsCompletedFromTheCouriersHoldingARadio)
{
    openMainWindow();
    identifyAndFillOrder(QString::number(Maria), QStringLiteral("JAR"));
    // Sorted as text.
    EXPECT_EQ(list("lstMotoqueiro")->count(), 3);
    EXPECT_EQ(list("lstMotoqueiro")->item(0)->text(), QStringLiteral("1001"));
    EXPECT_EQ(list("lstMotoqueiro")->item(2)->text(), QStringLiteral("1234"));

    focus(edit("EdtMotoPD"));
    type(edit("EdtMotoPD"), QStringLiteral("12"));
    EXPECT_EQ(list("lstMotoqueiro")->currentItem()->text(), QStringLiteral("120"));
    pressTab();
    EXPECT_EQ(text("EdtMotoPD"), QStringLiteral("120"));
    EXPECT_FALSE(list("lstMotoqueiro")->isVisible());

    // 99 begins no listed courier's number: it stays as typed, the earlier
    // highlight (120) is not put in its place; nor is it for 129, typed on
    // from a prefix that highlighted 120.
    for (const QString &typed : {QStringLiteral("99"), QStringLiteral("129")}) {
        focus(edit("EdtMotoPD"));
        erase(edit("EdtMotoPD"));
        type(edit("EdtMotoPD"), typed);
        pressTab();
        EXPECT_EQ(text("EdtMotoPD"), typed);
    }

    // Left empty: courier 0, and the order is stored with it.
    focus(edit("EdtMotoPD"));
    erase(edit("EdtMotoPD"));
    pressTab();
    EXPECT_EQ(text("EdtMotoPD"), QStringLiteral("0"));
    EXPECT_FALSE(list("lstMotoqueiro")->isVisible());
    expectCloseQuestion(MessageButton::Yes);
    click(button("btnRegistraPD"));
    ASSERT_EQ(orderCount(), 8);
    EXPECT_EQ(newestOrder().value("id_motoqueiro").toInt(), 0);
}

TEST_P(OrderEntryTest, ACourierFieldNeverVisitedRefusesTheOrderWhateverTheAnswer)
{
    openMainWindow();
    identifyAndFillOrder(QString::number(Maria), QStringLiteral("JAR"));
    for (MessageButton answer : {MessageButton::Yes, MessageButton::No}) {
        expectCloseQuestion(answer);
        messages.expectError(QStringLiteral("'' is not a valid floating point value"));
        click(button("btnRegistraPD"));
        EXPECT_EQ(orderCount(), 7);
        EXPECT_EQ(text("edtTelefone"), QString::number(Maria));
        EXPECT_EQ(text("edtDestino"), QStringLiteral("JARDIM"));
        EXPECT_TRUE(widget("pnPedido")->isVisible());
    }
}

TEST_P(OrderEntryTest, ADestinationThatMatchesNothingTakesTheEarlierChoice)
{
    openMainWindow();
    identifyAndFillOrder(QString::number(Maria), QStringLiteral("JAR"));
    ASSERT_EQ(text("edtDestino"), QStringLiteral("JARDIM"));
    focus(edit("edtDestino"));
    erase(edit("edtDestino"));
    type(edit("edtDestino"), QStringLiteral("XYZ"));
    pressTab();
    EXPECT_EQ(text("edtDestino"), QStringLiteral("JARDIM"));
    EXPECT_EQ(text("edt_id_destinoPd"), QString::number(jardim));
    EXPECT_EQ(text("edtTrajeto"), QStringLiteral("CENTRO/JARDIM"));
    // Leaving it again resets the fares until the route is left.
    EXPECT_EQ(text("edtValorDia"), QStringLiteral("0"));
    pressTab();
    EXPECT_EQ(text("edtValorDia"), QStringLiteral("12,5"));

    // Left empty: "Não Informado", the neighbourhood every database has.
    focus(edit("edtDestino"));
    erase(edit("edtDestino"));
    pressTab();
    EXPECT_EQ(text("edtDestino"), QStringLiteral("NÃO INFORMADO"));
    EXPECT_EQ(text("edt_id_destinoPd"), QStringLiteral("1"));
    EXPECT_EQ(text("edtTrajeto"), QStringLiteral("CENTRO/NÃO INFORMADO"));
    EXPECT_EQ(text("edtValornoite"), QStringLiteral("0"));
}

TEST_P(OrderEntryTest, TheStreetFieldTakesTheClientsAddressEveryTimeItIsLeft)
{
    openMainWindow();
    type(edit("edtTelefone"), QString::number(Maria));
    pressTab();
    type(edit("Edtnome_logradouroPD"), QStringLiteral("SAN"));
    pressTab();
    EXPECT_EQ(text("Edtnome_logradouroPD"), QStringLiteral("SANTOS DUMONT"));
    EXPECT_EQ(text("edt_id_logradouroPd"), QString::number(dumont));
    EXPECT_EQ(text("edtnumeropd"), QStringLiteral("120"));
    erase(edit("edtnumeropd"));
    type(edit("edtnumeropd"), QStringLiteral("7a"));
    EXPECT_EQ(text("edtnumeropd"), QStringLiteral("7"));
    focus(edit("Edtnome_logradouroPD"));
    pressTab();
    EXPECT_EQ(text("edtnumeropd"), QStringLiteral("120"));
    EXPECT_EQ(text("Edtnome_logradouroPD"), QStringLiteral("SANTOS DUMONT"));
}


// At 1366 x 768, the smallest screen of the desks, every control of the
// identified window is on screen, wide enough to read and clear of the others.
TEST_P(OrderEntryTest, EverythingFitsOnA1366By768Screen)
{
    openMainWindow();
    window().setWindowState(Qt::WindowNoState);
    window().resize(1366, 768);
    type(edit("edtTelefone"), QString::number(Maria));
    QApplication::processEvents();
    if (qEnvironmentVariableIsSet("RAVELTO_SCREENSHOT"))
        window().grab().save(qEnvironmentVariable("RAVELTO_SCREENSHOT"));
    const QRect area = window().rect();
    QList<QWidget *> controls;
    for (QWidget *w : window().findChildren<QWidget *>()) {
        const bool control = qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractButton *>(w)
                             || qobject_cast<QAbstractItemView *>(w);
        if (control && w->isVisible() && w->parentWidget()->inherits("QWidget")
            && !w->parentWidget()->inherits("QAbstractItemView"))
            controls << w;
    }
    ASSERT_GE(controls.size(), 30);
    for (QWidget *w : controls) {
        const QRect r(w->mapTo(&window(), QPoint(0, 0)), w->size());
        EXPECT_TRUE(area.contains(r)) << w->objectName().toStdString();
        EXPECT_GE(r.width(), 30) << w->objectName().toStdString();
        for (QWidget *other : controls) {
            if (other != w && !w->isAncestorOf(other) && !other->isAncestorOf(w)) {
                EXPECT_FALSE(r.intersects(QRect(other->mapTo(&window(), QPoint(0, 0)), other->size())))
                    << w->objectName().toStdString() << " overlaps " << other->objectName().toStdString();
            }
        }
    }
}

RV_BOTH_BACKENDS(OrderEntryTest);
