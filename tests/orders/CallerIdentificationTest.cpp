// The upper part of the main window: the caller identified at every
// keystroke, the registration of an unknown caller (a stand-in screen under
// the registration's kind) and the hand-back of a number.
#include "MainWindowFixture.h"

#include "app/common/DatasetGrid.h"

#include <QDialog>

using namespace rv;
using namespace rv::test;

class CallerIdentificationTest : public MainWindowTest {
protected:
    // A stand-in for the client registration: remembers the telephone the
    // main window held when it was created, and does what act says.
    void registerStandIn()
    {
        ctx().screens.add(QStringLiteral("TfrmCadCliente"), [this](AppContext &c, QWidget *parent) {
            ++opened;
            seenTelephone = c.mainLink ? c.mainLink->telephone() : QString();
            auto dialog = std::make_unique<QDialog>(parent);
            dialog->setObjectName(QStringLiteral("frmCadCliente"));
            return dialog;
        });
    }
    void storeClient(qint64 telefone)
    {
        db().exec(QStringLiteral("insert into cliente (TELEFONE, NOME, ID_LOGRADOURO, NUMERO, ID_BAIRRO, ID_CIDADE, "
                                 "UF, CEP, ID_CATEGORIA, ID_USUARIO) "
                                 "values (?, 'ANA NOVA', ?, '9', ?, ?, 'CE', '60000-000', 1, 2)"),
                  {telefone, flores, jardim, db().scalar(QStringLiteral("select min(id_cidade) from cidade"))});
    }

    int opened = 0;
    QString seenTelephone;
};

TEST_P(CallerIdentificationTest, AShorterRegisteredNumberIsFoundOnItsLastDigit)
{
    openMainWindow();
    type(edit("edtTelefone"), QString::number(Jose));
    EXPECT_EQ(text("edtNome"), QStringLiteral("JOSE DE SOUSA"));
    ASSERT_EQ(focused(), edit("edtSolicitante"));
    // The attendant goes on typing: the digit lands in the requester.
    pressKey(Qt::Key_5);
    EXPECT_EQ(text("edtTelefone"), QString::number(Jose));
    EXPECT_EQ(text("edtSolicitante"), QStringLiteral("5"));
}

TEST_P(CallerIdentificationTest, ANullColumnOfTheNextCallerKeepsTheEarlierValue)
{
    openMainWindow();
    type(edit("edtTelefone"), QString::number(Maria));
    focus(edit("edtTelefone"));
    pressKey(Qt::Key_Backspace); // seven digits: nobody, nothing changes
    EXPECT_EQ(text("edtNome"), QStringLiteral("MARIA DA SILVA"));
    type(edit("edtTelefone"), QStringLiteral("2"));
    EXPECT_EQ(text("edtNome"), QStringLiteral("PEDRO ALVES"));
    EXPECT_EQ(text("edtNome_logradouro"), QStringLiteral("SANTOS DUMONT"));
    EXPECT_EQ(text("edtBairro"), QStringLiteral("ALDEOTA"));
    EXPECT_EQ(text("edt_id_bairro"), QString::number(aldeota));
    EXPECT_EQ(text("edt_ct_telefone"), QStringLiteral("CELULAR"));
    EXPECT_EQ(text("edtTotalChamadas"), QStringLiteral("0"));
    // NULL for Pedro: Maria's values stay.
    EXPECT_EQ(text("edtComplemento"), QStringLiteral("CASA 2"));
    EXPECT_EQ(text("edtAntiga"), QStringLiteral("A12"));
    EXPECT_EQ(text("edtPonto"), QStringLiteral("PRAÇA DO FERREIRA"));
    EXPECT_EQ(find<DatasetGrid>(&window(), QStringLiteral("grdPedido"))->model()->rowCount(), 0);

    // "&Limpar": everything empty, the grid and the panel hidden, the telephone focused.
    click(button("BitBtn4"));
    for (const char *name : {"edtTelefone", "edtNome", "edtComplemento", "edtPonto", "edt_id_bairro",
                             "edt_id_logradouro", "edt_id_ct_telefone", "edtSolicitante"})
        EXPECT_TRUE(text(name).isEmpty()) << name;
    EXPECT_FALSE(widget("grdPedido")->isVisible());
    EXPECT_FALSE(widget("pnPedido")->isVisible());
    EXPECT_EQ(focused(), edit("edtTelefone"));
}

TEST_P(CallerIdentificationTest, AnUnknownNumberOpensTheRegistrationWhichHandsTheNewClientBack)
{
    registerStandIn();
    openMainWindow();
    type(edit("edtTelefone"), QString::number(Unknown).left(7)); // seven digits: nothing prompts
    EXPECT_EQ(opened, 0);

    messages.expect(QStringLiteral("Cliente Não cadastrado !"));
    onModal("QDialog", [this](QDialog &d) {
        storeClient(Unknown);
        ctx().mainLink->handBackTelephone(QString::number(Unknown));
        ctx().mainLink->focusRequester();
        d.accept();
    });
    type(edit("edtTelefone"), QString::number(Unknown).right(1));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(seenTelephone, QString::number(Unknown));
    EXPECT_EQ(text("edtNome"), QStringLiteral("ANA NOVA"));
    EXPECT_TRUE(widget("pnPedido")->isVisible());
    EXPECT_EQ(window().focusWidget(), edit("edtSolicitante"));
    showWindow(&window()); // active again once the registration is gone
    EXPECT_EQ(focused(), edit("edtSolicitante"));
}

TEST_P(CallerIdentificationTest, ARegistrationThatStoresNothingLeavesTheWindowAsItWas)
{
    registerStandIn();
    openMainWindow();
    // Closed without storing.
    messages.expect(QStringLiteral("Cliente Não cadastrado !"));
    onModal("QDialog", [](QDialog &d) { d.reject(); });
    type(edit("edtTelefone"), QString::number(Unknown));
    EXPECT_EQ(text("edtTelefone"), QString::number(Unknown));
    EXPECT_TRUE(text("edtNome").isEmpty());
    EXPECT_FALSE(widget("pnPedido")->isVisible());

    // A failed insert hands the still unknown number back: the open
    // registration reports that itself, no second one opens.
    messages.expect(QStringLiteral("Cliente Não cadastrado !"));
    onModal("QDialog", [this](QDialog &d) {
        ctx().mainLink->handBackTelephone(QString::number(Unknown));
        d.reject();
    });
    ctx().mainLink->handBackTelephone(QString::number(Unknown));
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(messages.requests().size(), 3); // welcome and two "Cliente Não cadastrado !"
}

TEST_P(CallerIdentificationTest, AlterarNeedsEightDigits)
{
    registerStandIn();
    openMainWindow();
    type(edit("edtTelefone"), QString::number(Jose));
    messages.expect(MessageIcon::Warning, QStringLiteral("Informe o telefone do cliente para atualização !"));
    click(button("BitBtn2"));
    EXPECT_EQ(opened, 0);

    focus(edit("edtTelefone"));
    erase(edit("edtTelefone"));
    type(edit("edtTelefone"), QString::number(Maria));
    onModal("QDialog", [](QDialog &d) { d.reject(); });
    click(button("BitBtn2"));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(seenTelephone, QString::number(Maria));
}

RV_BOTH_BACKENDS(CallerIdentificationTest);
