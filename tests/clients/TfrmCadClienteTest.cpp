#include "clients/TfrmCadCliente.h"

#include "app/Screens.h"
#include "app/common/AbreFormModal.h"
#include "app/common/MainWindowLink.h"
#include "data/Query.h"
#include "tests/support/ScreenTest.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <memory>

using namespace rv;
using namespace rv::test;

namespace {

// The main window as the registration screen sees it: a telephone to copy
// and a record of what was handed back.
class RecordingMainWindow final : public MainWindowLink {
public:
    QString telephoneText;
    QStringList handedBack;
    int requesterFocused = 0;

    QString telephone() const override { return telephoneText; }
    void handBackTelephone(const QString &telephone) override { handedBack << telephone; }
    void focusRequester() override { ++requesterFocused; }
    void reloadRentedRadios() override {}
};

const QString AppTitle = QStringLiteral("Ravelto");

} // namespace

class TfrmCadClienteTest : public ScreenTest {
protected:
    void seed(ContractDatabase &db) override
    {
        for (const QVariantList &row : QList<QVariantList>{{10, "CAMPINAS", "SP"},
                                                          {11, "CAMPINA GRANDE", "PB"},
                                                          {12, "SALVADOR", "BA"}})
            db.exec(QStringLiteral("insert into cidade (id_cidade, cidade, Uf) values (?, ?, ?)"), row);
        for (const QVariantList &row : QList<QVariantList>{{10, "CENTRO"}, {11, "JARDIM"}, {12, "VILA NOVA"}})
            db.exec(QStringLiteral("insert into bairro (ID_BAIRRO, BAIRRO) values (?, ?)"), row);
        db.exec(QStringLiteral("insert into logradouro (ID_LOGRADOURO, LOGRADOURO, NOME_LOGRADOURO, ID_BAIRRO,"
                               " BAIRRO_INICIO, CIDADE, UF, CEP, id_cidade) values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {20, "RUA", "RUA DAS FLORES", 11, "JARDIM", "SALVADOR", "BA", "40000-000", 12});
        db.exec(QStringLiteral("insert into logradouro (ID_LOGRADOURO, LOGRADOURO, NOME_LOGRADOURO, ID_BAIRRO,"
                               " BAIRRO_INICIO, CIDADE, UF, CEP, id_cidade) values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {21, "AV", "AVENIDA BRASIL", 10, "CENTRO", "CAMPINAS", "SP", "13000-000", 10});
        const QString insert = QStringLiteral(
            "insert into cliente (TELEFONE, NOME, ID_LOGRADOURO, NUMERO, COMPLEMENTO, ANTIGA, ID_BAIRRO, ID_CIDADE,"
            " UF, CEP, ID_CATEGORIA, ID_USUARIO) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        // ANA has no complement, BETO (whose number begins ANA's) no old street name.
        db.exec(insert, {32221111, "ANA", 21, "100", QVariant(), "X", 10, 10, "SP", "13000-000", 1, 1});
        db.exec(insert, {3222, "BETO", 20, "5", "CASA", QVariant(), 11, 12, "BA", "40000-000", 2, 1});
    }

    void SetUp() override
    {
        ScreenTest::SetUp();
        loginAs(QStringLiteral("ATENDENTE")); // id 2
        ctx().mainLink = &main;
    }

    // The screen opened with the main window's telephone.
    TfrmCadCliente &open(const QString &telephone = {})
    {
        main.telephoneText = telephone;
        screen = std::make_unique<TfrmCadCliente>(ctx());
        showWindow(screen.get());
        return *screen;
    }

    QLineEdit *edit(const char *name) { return find<QLineEdit>(screen.get(), QLatin1String(name)); }
    QListWidget *list(const char *name) { return find<QListWidget>(screen.get(), QLatin1String(name)); }
    QPushButton *button(const char *name) { return find<QPushButton>(screen.get(), QLatin1String(name)); }
    QString highlighted(const char *listName)
    {
        const QListWidgetItem *item = list(listName)->currentItem();
        return item ? item->text() : QString();
    }

    // The visible fields, in tab order, then the four ids.
    QStringList form()
    {
        QStringList texts;
        for (const char *name : {"edtTelefone", "edtNome", "edtNome_logradouro", "edtNumero", "edtAntiga",
                                 "edtComplemento", "edtBairro", "edtCidade", "edtUF", "edtCep", "edt_ct_telefone",
                                 "edt_id_logradouro", "edt_id_bairro", "edt_idCidade", "edt_id_ct_telefone"})
            texts << edit(name)->text();
        return texts;
    }

    // The stored columns of a client, as text; empty when there is no row.
    QStringList client(int telefone)
    {
        const RowSet rows = db().open(QStringLiteral("select * from cliente where TELEFONE = :t"), {{"t", telefone}});
        QStringList texts;
        if (rows.isEmpty())
            return texts;
        for (const char *column : {"NOME", "ID_LOGRADOURO", "NUMERO", "COMPLEMENTO", "ANTIGA", "ID_BAIRRO",
                                   "ID_CIDADE", "UF", "CEP", "ID_CATEGORIA", "ID_USUARIO"})
            texts << fieldOf(rows, 0, QLatin1String(column)).asString();
        return texts;
    }

    int clientCount() { return db().scalar(QStringLiteral("select count(*) from cliente")).toInt(); }

    // Choose a list entry as the attendant does: type into the lookup edit
    // (emptied first) and leave it with Tab.
    void choose(const char *editName, const QString &typed)
    {
        QLineEdit *e = edit(editName);
        erase(e);
        type(e, typed);
        pressTab();
    }

    RecordingMainWindow main;
    std::unique_ptr<TfrmCadCliente> screen;
};

const QStringList AnaOnTheForm{
    "32221111", "ANA", "AVENIDA BRASIL", "100", "X", "", "CENTRO", "CAMPINAS", "SP", "13000-000", "RESIDENCIAL",
    "21",       "10",  "10",            "1"};

TEST_P(TfrmCadClienteTest, AKnownNumberFillsTheFormBeforeTheListsAreLoaded)
{
    open(QStringLiteral("32221111"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Cadastro de Cliente"));
    EXPECT_EQ(focused(), edit("edtTelefone"));
    EXPECT_EQ(form(), AnaOnTheForm);
    for (const char *name : {"lstlogradouro", "lstBairro", "lstcidade", "lstCATEGORIATELEFONE"}) {
        EXPECT_FALSE(list(name)->isVisible()) << name;
        EXPECT_GT(list(name)->count(), 0) << name;
        EXPECT_EQ(list(name)->currentRow(), -1) << name; // filled after the record came in
    }
    // Sorted by the lists themselves.
    EXPECT_EQ(list("lstcidade")->item(0)->text(), QStringLiteral("CAMPINA GRANDE"));

    // Nothing highlighted: leaving the neighbourhood, city and category takes
    // nothing, and the ids stay those of the record.
    focus(edit("edtBairro"));
    focus(edit("edtCidade"));
    focus(edit("edt_ct_telefone"));
    focus(edit("edtCep"));
    EXPECT_EQ(form(), AnaOnTheForm);

    // The street says so and keeps the focus.
    focus(edit("edtNome_logradouro"));
    messages.expect(ExpectedMessage{MessageIcon::Warning, AppTitle, QStringLiteral("Nome do logradouro invalido"),
                                    QList<MessageButton>{MessageButton::Yes}, MessageButton::Yes});
    pressTab();
    messages.verify();
    EXPECT_EQ(focused(), edit("edtNome_logradouro"));
    EXPECT_EQ(form(), AnaOnTheForm);
}

TEST_P(TfrmCadClienteTest, AnotherClientLoadedAfterOpeningHighlightsTheListEntries)
{
    open(QStringLiteral("32221111"));
    pressKey(Qt::Key_End); // entering the field selected the whole number
    for (int i = 0; i < 4; ++i)
        pressKey(Qt::Key_Backspace); // 3222, BETO
    EXPECT_EQ(highlighted("lstlogradouro"), QStringLiteral("RUA DAS FLORES"));
    EXPECT_EQ(highlighted("lstBairro"), QStringLiteral("JARDIM"));
    EXPECT_EQ(highlighted("lstcidade"), QStringLiteral("SALVADOR"));
    EXPECT_EQ(highlighted("lstCATEGORIATELEFONE"), QStringLiteral("COMERCIAL"));
    EXPECT_FALSE(list("lstlogradouro")->isVisible());
    focus(edit("edtNome_logradouro"));
    pressTab(); // the street is taken without a warning
    EXPECT_EQ(focused(), edit("edtNumero"));
    EXPECT_EQ(edit("edt_id_logradouro")->text(), QStringLiteral("20"));
}

TEST_P(TfrmCadClienteTest, TypingDigitByDigitFillsTheFormForEveryNumberThatIsAClients)
{
    open();
    EXPECT_EQ(form(), QStringList(15, QString()));
    type(edit("edtTelefone"), QStringLiteral("3222"));
    EXPECT_EQ(form(), (QStringList{"3222", "BETO", "RUA DAS FLORES", "5", "", "CASA", "JARDIM", "SALVADOR", "BA",
                                   "40000-000", "COMERCIAL", "20", "11", "12", "2"}));
    type(edit("edtTelefone"), QStringLiteral("111"));
    EXPECT_EQ(edit("edtNome")->text(), QStringLiteral("BETO")); // 3222111 is nobody's
    type(edit("edtTelefone"), QStringLiteral("1"));
    // ANA's NULL complement leaves BETO's in place.
    EXPECT_EQ(form(), (QStringList{"32221111", "ANA", "AVENIDA BRASIL", "100", "X", "CASA", "CENTRO", "CAMPINAS", "SP",
                                   "13000-000", "RESIDENCIAL", "21", "10", "10", "1"}));
    for (const char *name : {"lstlogradouro", "lstBairro", "lstcidade", "lstCATEGORIATELEFONE"})
        EXPECT_FALSE(list(name)->isVisible()) << name;
}

TEST_P(TfrmCadClienteTest, ANewNumberKeepsThePreviousDataWhichCadastrarStoresForTheLoggedInUser)
{
    open(QStringLiteral("32221111"));
    pressKey(Qt::Key_End);
    pressKey(Qt::Key_Backspace);
    type(edit("edtTelefone"), QStringLiteral("2"));
    QStringList expected = AnaOnTheForm;
    expected[0] = QStringLiteral("32221112");
    EXPECT_EQ(form(), expected);

    messages.expect(MessageIcon::Information, QStringLiteral("Cadastro realizado com sucesso !"));
    click(button("btnCadastrar"));
    EXPECT_EQ(client(32221112), (QStringList{"ANA", "21", "100", "", "X", "10", "10", "SP", "13000-000", "1", "2"}));
    EXPECT_EQ(main.handedBack, QStringList{"32221112"});
    EXPECT_EQ(main.requesterFocused, 1);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(screen->result(), QDialog::Accepted);
}

// From the menu: an empty form filled through the lists, opened and closed
// as the main window opens it.
TEST_P(TfrmCadClienteTest, ANewClientRegisteredThroughTheListsFromTheScreensKind)
{
    registerScreens(ctx().screens);
    main.telephoneText.clear();
    onModal<TfrmCadCliente>([this](TfrmCadCliente &d) {
        auto e = [&d](const char *name) { return find<QLineEdit>(&d, QLatin1String(name)); };
        type(e("edtTelefone"), QStringLiteral("55556666"));
        pressEnter();
        type(e("edtNome"), QStringLiteral("carla"));
        pressEnter();
        type(e("edtNome_logradouro"), QStringLiteral("av"));
        pressEnter();
        type(e("edtNumero"), QStringLiteral("7"));
        type(e("edt_ct_telefone"), QStringLiteral("cel"));
        pressEnter();
        EXPECT_EQ(e("edt_id_ct_telefone")->text(), QStringLiteral("3"));
        messages.expect(QStringLiteral("Cadastro realizado com sucesso !"));
        click(find<QPushButton>(&d, QStringLiteral("btnCadastrar")));
    });
    EXPECT_EQ(AbreFormModal(ctx(), QStringLiteral("TfrmCadCliente")), QDialog::Accepted);
    EXPECT_EQ(client(55556666),
              (QStringList{"CARLA", "21", "7", "", "", "10", "10", "SP", "13000-000", "3", "2"}));
    EXPECT_EQ(main.handedBack, QStringList{"55556666"});
}

TEST_P(TfrmCadClienteTest, RequiredFieldsAreNamedInTheOrderTheFormDeclaresThem)
{
    open(QStringLiteral("32221111"));
    erase(edit("edtTelefone")); // passing 3222 loads BETO on the way
    erase(edit("edtNome"));
    messages.expectError(QString::fromUtf8("Os Seguintes campos são requeridos para conclusão do pedido : \r"
                                           "Nome\rTelefone\r"));
    click(button("btnCadastrar"));
    EXPECT_EQ(clientCount(), 2);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(main.handedBack.isEmpty());
}

TEST_P(TfrmCadClienteTest, ARefusedInsertShowsTheDatabasesErrorAndKeepsTheScreenAsItWas)
{
    open(QStringLiteral("32221111")); // already registered
    messages.expect(ExpectedMessage{MessageIcon::Error, AppTitle, std::nullopt, QList<MessageButton>{MessageButton::Ok}});
    click(button("btnCadastrar"));
    messages.verify();
    const QString error = messages.requests().last().text;
    EXPECT_TRUE(error.contains(QStringLiteral("unique"), Qt::CaseInsensitive)
                || error.contains(QStringLiteral("duplicate"), Qt::CaseInsensitive))
        << error.toStdString();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(form(), AnaOnTheForm);
    EXPECT_TRUE(main.handedBack.isEmpty());
    EXPECT_EQ(main.requesterFocused, 0);
    EXPECT_EQ(clientCount(), 2);
}

TEST_P(TfrmCadClienteTest, AnIdNeverTakenFromItsListIsRefusedUntilTheEntryIsTaken)
{
    open();
    type(edit("edtTelefone"), QStringLiteral("55556666"));
    type(edit("edtNome"), QStringLiteral("DORA"));
    choose("edtNome_logradouro", QStringLiteral("RUA"));
    type(edit("edtNumero"), QStringLiteral("9"));
    choose("edt_ct_telefone", QStringLiteral("xyz")); // matches no category
    EXPECT_EQ(edit("edt_id_ct_telefone")->text(), QString());

    messages.expectError(QStringLiteral("'' is not a valid integer value"));
    click(button("btnCadastrar"));
    messages.verify();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(edit("edtNome")->text(), QStringLiteral("DORA"));
    EXPECT_TRUE(main.handedBack.isEmpty());
    EXPECT_TRUE(client(55556666).isEmpty());

    choose("edt_ct_telefone", QStringLiteral("RES"));
    messages.expect(QStringLiteral("Cadastro realizado com sucesso !"));
    click(button("btnCadastrar"));
    EXPECT_EQ(client(55556666),
              (QStringList{"DORA", "20", "9", "", "", "11", "12", "BA", "40000-000", "1", "2"}));
    EXPECT_EQ(main.handedBack, QStringList{"55556666"});
}

TEST_P(TfrmCadClienteTest, ANumberTypedWithALeadingZeroIsHandedBackAsStored)
{
    open(QStringLiteral("32221111"));
    erase(edit("edtTelefone"));
    type(edit("edtTelefone"), QStringLiteral("01234567"));
    messages.expect(QStringLiteral("Cadastro realizado com sucesso !"));
    click(button("btnCadastrar"));
    EXPECT_FALSE(client(1234567).isEmpty());
    EXPECT_EQ(main.handedBack, QStringList{"1234567"});
}

TEST_P(TfrmCadClienteTest, AtualizarRewritesEverythingButTelephoneAndUserAndKeepsTheScreenOpen)
{
    open(QStringLiteral("32221111"));
    erase(edit("edtNome"));
    type(edit("edtNome"), QStringLiteral("ANA MARIA"));
    choose("edtNome_logradouro", QStringLiteral("RUA"));
    erase(edit("edtNumero"));
    type(edit("edtNumero"), QStringLiteral("200"));
    erase(edit("edtAntiga"));
    type(edit("edtAntiga"), QStringLiteral("Y"));
    type(edit("edtComplemento"), QStringLiteral("FUNDOS"));
    choose("edt_ct_telefone", QStringLiteral("CEL"));

    messages.expect(MessageIcon::Information, QStringLiteral("Cliente atualizado com sucesso !"));
    click(button("btnAtualizar"));
    const QStringList updated{"ANA MARIA", "20", "200", "FUNDOS", "Y", "11", "12", "BA", "40000-000", "3", "1"};
    EXPECT_EQ(client(32221111), updated);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(edit("edtNome")->text(), QStringLiteral("ANA MARIA"));
    EXPECT_TRUE(main.handedBack.isEmpty());

    // A number nobody has: nothing changes, and the screen says it did.
    erase(edit("edtTelefone"));
    type(edit("edtTelefone"), QStringLiteral("99998888"));
    erase(edit("edtNome"));
    type(edit("edtNome"), QStringLiteral("OUTRA"));
    messages.expect(QStringLiteral("Cliente atualizado com sucesso !"));
    click(button("btnAtualizar"));
    EXPECT_EQ(client(32221111), updated);
    EXPECT_TRUE(client(99998888).isEmpty());
    EXPECT_EQ(clientCount(), 2);
}

TEST_P(TfrmCadClienteTest, AStreetBringsItsNeighbourhoodPostalCodeCityAndStateAndTheCityKeepsItsTypedText)
{
    open();
    choose("edtBairro", QStringLiteral("VILA"));
    EXPECT_EQ(edit("edtBairro")->text(), QStringLiteral("VILA NOVA"));
    EXPECT_EQ(edit("edt_id_bairro")->text(), QStringLiteral("12"));
    // CAMPINAS follows CAMPINA GRANDE and wins; the edit keeps what was typed.
    choose("edtCidade", QStringLiteral("campina"));
    EXPECT_EQ(edit("edtCidade")->text(), QStringLiteral("CAMPINA"));
    EXPECT_EQ(edit("edt_idCidade")->text(), QStringLiteral("10"));
    EXPECT_EQ(edit("edtUF")->text(), QStringLiteral("SP"));
    EXPECT_FALSE(list("lstcidade")->isVisible());
    type(edit("edtCep"), QStringLiteral("99999-999"));

    choose("edtNome_logradouro", QStringLiteral("rua"));
    EXPECT_EQ(edit("edtNome_logradouro")->text(), QStringLiteral("RUA DAS FLORES"));
    const QStringList streetColumns{edit("edt_id_logradouro")->text(), edit("edtBairro")->text(),
                                    edit("edt_id_bairro")->text(),     edit("edtCep")->text(),
                                    edit("edtCidade")->text(),         edit("edt_idCidade")->text(),
                                    edit("edtUF")->text()};
    EXPECT_EQ(streetColumns, (QStringList{"20", "JARDIM", "11", "40000-000", "SALVADOR", "12", "BA"}));
    for (const char *name : {"lstlogradouro", "lstBairro", "lstcidade"})
        EXPECT_FALSE(list(name)->isVisible()) << name;
    EXPECT_EQ(highlighted("lstBairro"), QStringLiteral("JARDIM"));
}

TEST_P(TfrmCadClienteTest, TelephoneAndNumberTakeDigitsOnlyAndTypedLettersAreUpperCase)
{
    open();
    type(edit("edtTelefone"), QStringLiteral("12a3-b4 5678"));
    EXPECT_EQ(edit("edtTelefone")->text(), QStringLiteral("12345678"));
    type(edit("edtTelefone"), QStringLiteral("9")); // a ninth digit
    EXPECT_EQ(edit("edtTelefone")->text(), QStringLiteral("12345678"));
    pressEnter();
    EXPECT_EQ(focused(), edit("edtNome"));
    type(edit("edtNome"), QString::fromUtf8("joão"));
    EXPECT_EQ(edit("edtNome")->text(), QString::fromUtf8("JOÃO"));
    type(edit("edtNumero"), QStringLiteral("1a,2 b"));
    EXPECT_EQ(edit("edtNumero")->text(), QStringLiteral("12"));
    type(edit("edtComplemento"), QStringLiteral("fundos"));
    EXPECT_EQ(edit("edtComplemento")->text(), QStringLiteral("FUNDOS"));
    EXPECT_TRUE(edit("edtUF")->isReadOnly());
}

TEST_P(TfrmCadClienteTest, LimparEmptiesTheFormAndForgetsTheListHighlights)
{
    open(QStringLiteral("32221111"));
    erase(edit("edtBairro"));
    type(edit("edtBairro"), QStringLiteral("JAR"));
    EXPECT_EQ(highlighted("lstBairro"), QStringLiteral("JARDIM"));
    click(button("btnLimpar"));
    EXPECT_EQ(form(), QStringList(15, QString()));
    EXPECT_EQ(focused(), edit("edtTelefone"));

    // Passing the emptied neighbourhood takes nothing.
    focus(edit("edtBairro"));
    focus(edit("edtCep"));
    EXPECT_EQ(edit("edtBairro")->text(), QString());
    EXPECT_EQ(edit("edt_id_bairro")->text(), QString());
}

TEST_P(TfrmCadClienteTest, WithoutAMainWindowTheScreenOpensEmptyAndStillClosesAfterARegistration)
{
    ctx().mainLink = nullptr;
    open();
    type(edit("edtTelefone"), QStringLiteral("3222"));
    pressKey(Qt::Key_Backspace);
    type(edit("edtTelefone"), QStringLiteral("3")); // 3223, BETO's data
    messages.expect(QStringLiteral("Cadastro realizado com sucesso !"));
    click(button("btnCadastrar"));
    EXPECT_EQ(client(3223).value(0), QStringLiteral("BETO"));
    EXPECT_FALSE(screen->isVisible());
}

RV_BOTH_BACKENDS(TfrmCadClienteTest);
