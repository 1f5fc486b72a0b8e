#include "MainWindowFixture.h"

#include "app/login/Tfrmlog.h"
#include "tests/db/OrderFixture.h"
#include "tests/support/CourierFixture.h"

#include <QTimer>

namespace rv::test {

void MainWindowTest::seed(ContractDatabase &db)
{
    OrderFixture fx(db);
    centro = fx.bairro(QStringLiteral("CENTRO"), {}, QStringLiteral("PRAÇA DO FERREIRA"));
    jardim = fx.bairro(QStringLiteral("JARDIM"));
    aldeota = fx.bairro(QStringLiteral("ALDEOTA"));
    flores = fx.street(QStringLiteral("RUA"), QStringLiteral("DAS FLORES"), centro);
    dumont = fx.street(QStringLiteral("AVENIDA"), QStringLiteral("SANTOS DUMONT"), aldeota);
    centroJardim = fx.route(QStringLiteral("CENTRO/JARDIM"), fx.category(12.5, 15, QStringLiteral("CURTA")));
    centroAldeota = fx.route(QStringLiteral("CENTRO/ALDEOTA"), fx.category(8, 10, QStringLiteral("MÍNIMA")));

    fx.client(Maria, QStringLiteral("MARIA DA SILVA"), flores, centro, 2, QStringLiteral("120"),
              QStringLiteral("CASA 2"));
    fx.client(Jose, QStringLiteral("JOSE DE SOUSA"), flores, centro);
    db.exec(QStringLiteral("insert into cliente (TELEFONE, NOME, ID_LOGRADOURO, NUMERO, COMPLEMENTO, ANTIGA, "
                           "ID_BAIRRO, ID_CIDADE, UF, CEP, ID_CATEGORIA, ID_USUARIO) "
                           "values (?, 'PEDRO ALVES', ?, '45', null, null, ?, ?, 'CE', '60100-000', 3, 1)"),
            {Pedro, dumont, aldeota, fx.cidade()});

    // Seven earlier orders of Maria's, one a minute: the grid shows the last five.
    for (int i = 1; i <= 7; ++i)
        fx.order(OrderRow(Maria, at(2009, 1, 20, 9, i)).inBairro(centro).askedBy(QStringLiteral("PEDIDO %1").arg(i))
                     .byCourier(100 + i));

    // Three couriers hold a radio; 205 holds none.
    for (const auto &[matricula, name] : {std::pair{1234, "JOSE DA SILVA"}, std::pair{120, "ANTONIO LIMA"},
                                          std::pair{1001, "CARLOS NUNES"}, std::pair{205, "PAULO REIS"}})
        addCourier(db, matricula, QString::fromUtf8(name));
    for (int radio : {12, 13, 14, 15})
        addRadio(db, radio, QStringLiteral("SN-%1").arg(radio));
    rent(db, 12, 1234, 10);
    rent(db, 13, 120, 10);
    rent(db, 14, 1001, 10);
}

void MainWindowTest::TearDown()
{
    m_window.reset();
    ScreenTest::TearDown();
}

TfrmPrincipal &MainWindowTest::openMainWindow(const QString &usuario, const QString &senha)
{
    return openMainWindowIn(ctx(), usuario, senha);
}

TfrmPrincipal &MainWindowTest::openMainWindowIn(AppContext &context, const QString &usuario, const QString &senha)
{
    onModal<Tfrmlog>([usuario, senha](Tfrmlog &frmlog) {
        type(find<QLineEdit>(&frmlog, QStringLiteral("edtusuario")), usuario);
        type(find<QLineEdit>(&frmlog, QStringLiteral("edtsenha")), senha);
        click(find<QPushButton>(&frmlog, QStringLiteral("btnOk")));
    });
    messages.expect(QStringLiteral("Seja bem vindo"));
    m_window = std::make_unique<TfrmPrincipal>(context);
    showWindow(m_window.get());
    return *m_window;
}

void MainWindowTest::stopRefresh()
{
    find<QTimer>(m_window.get(), QStringLiteral("timer"))->stop();
}

void MainWindowTest::identifyAndFillOrder(const QString &telephone, const QString &destination)
{
    type(edit("edtTelefone"), telephone);
    ASSERT_EQ(focused(), edit("edtSolicitante"));
    pressTab(); // the requester: the client's name
    pressTab(); // the pick-up street: the client's
    ASSERT_EQ(focused(), edit("edtnumeropd"));
    focus(edit("edtDestino"));
    type(edit("edtDestino"), destination);
    pressTab(); // the route proposed
    pressTab(); // the route's fares
    ASSERT_EQ(focused(), edit("edtValorDia"));
}

void MainWindowTest::expectCloseQuestion(MessageButton answer)
{
    ExpectedMessage question;
    question.icon = MessageIcon::Question;
    question.title = QStringLiteral("Pedido");
    question.text = QStringLiteral("Fechar pedido ?");
    question.buttons = QList<MessageButton>{MessageButton::Yes, MessageButton::No};
    question.answer = answer;
    messages.expect(question);
}

int MainWindowTest::orderCount()
{
    return db().scalar(QStringLiteral("select count(*) from pedido")).toInt();
}

QVariantMap MainWindowTest::newestOrder()
{
    const RowSet rows = db().connection().serverQuery(
        QStringLiteral("select * from pedido where id_pedido = (select max(id_pedido) from pedido)"), {});
    QVariantMap order;
    if (rows.rows.isEmpty())
        return order;
    for (int c = 0; c < rows.columns.size(); ++c)
        order.insert(rows.columns[c].name.toLower(), rows.rows.first().value(c));
    return order;
}

} // namespace rv::test
