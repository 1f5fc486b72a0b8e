// An unregistered caller on the real screens: the main window sends the
// number to the client registration, which stores the client for the user
// logged in and hands the number back; the caller is then identified.
#include "MainWindowFixture.h"

#include "app/Screens.h"
#include "clients/TfrmCadCliente.h"

using namespace rv;
using namespace rv::test;

class NewCallerTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        registerScreens(ctx().screens);
    }
};

TEST_P(NewCallerTest, AnUnregisteredCallerIsRegisteredAndIdentified)
{
    openMainWindow();
    messages.expect(QStringLiteral("Cliente Não cadastrado !"));
    QString openedWith;
    onModal<TfrmCadCliente>([&](TfrmCadCliente &d) {
        auto e = [&d](const char *name) { return find<QLineEdit>(&d, QLatin1String(name)); };
        openedWith = e("edtTelefone")->text();
        type(e("edtNome"), QStringLiteral("ana nova"));
        pressEnter();
        type(e("edtNome_logradouro"), QStringLiteral("das"));
        pressEnter();
        type(e("edtNumero"), QStringLiteral("9"));
        type(e("edt_ct_telefone"), QStringLiteral("cel"));
        pressEnter();
        messages.expect(QStringLiteral("Cadastro realizado com sucesso !"));
        click(find<QPushButton>(&d, QStringLiteral("btnCadastrar")));
    });
    type(edit("edtTelefone"), QString::number(Unknown));
    EXPECT_EQ(openedWith, QString::number(Unknown));

    const RowSet stored = db().connection().serverQuery(
        QStringLiteral("select NOME, ID_LOGRADOURO, NUMERO, ID_BAIRRO, ID_CATEGORIA, ID_USUARIO from cliente "
                       "where TELEFONE = ?"),
        {Unknown});
    ASSERT_EQ(stored.rows.size(), 1);
    EXPECT_EQ(stored.rows[0][0].toString(), QStringLiteral("ANA NOVA"));
    EXPECT_EQ(stored.rows[0][1].toInt(), flores);
    EXPECT_EQ(stored.rows[0][3].toInt(), centro);
    EXPECT_EQ(stored.rows[0][4].toInt(), 3);
    EXPECT_EQ(stored.rows[0][5].toInt(), 2); // ATENDENTE

    // Handed back: identified as if typed, the requester next.
    EXPECT_EQ(text("edtTelefone"), QString::number(Unknown));
    EXPECT_EQ(text("edtNome"), QStringLiteral("ANA NOVA"));
    EXPECT_EQ(text("edtNome_logradouro"), QStringLiteral("DAS FLORES"));
    EXPECT_EQ(text("edt_id_bairro"), QString::number(centro));
    EXPECT_EQ(text("edtTotalChamadas"), QStringLiteral("0"));
    EXPECT_TRUE(widget("pnPedido")->isVisible());
    showWindow(&window());
    EXPECT_EQ(focused(), edit("edtSolicitante"));
    EXPECT_EQ(messages.requests().size(), 3); // welcome, not registered, registered
}

TEST_P(NewCallerTest, AlterarOpensTheCallersRecordAndNothingIsHandedBack)
{
    openMainWindow();
    type(edit("edtTelefone"), QString::number(Maria));
    onModal<TfrmCadCliente>([](TfrmCadCliente &d) {
        EXPECT_EQ(find<QLineEdit>(&d, QStringLiteral("edtNome"))->text(), QStringLiteral("MARIA DA SILVA"));
        d.close();
    });
    click(button("BitBtn2"));
    EXPECT_EQ(text("edtNome"), QStringLiteral("MARIA DA SILVA"));
}

RV_BOTH_BACKENDS(NewCallerTest);
