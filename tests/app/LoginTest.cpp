#include "app/login/Tfrmlog.h"
#include "data/modules/TDMBUSCA.h"
#include "tests/support/ContractDatabase.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/Ui.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

// The login window over the lookup module alone, on both backends.
class LoginTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
        busca = std::make_unique<TDMBUSCA>(db->connection());
        frmlog = std::make_unique<Tfrmlog>(*busca, messages, user);
        showWindow(frmlog.get());
    }
    void TearDown() override { messages.verify(); }

    void attempt(const QString &usuario, const QString &senha)
    {
        QLineEdit *edtusuario = find<QLineEdit>(frmlog.get(), QStringLiteral("edtusuario"));
        QLineEdit *edtsenha = find<QLineEdit>(frmlog.get(), QStringLiteral("edtsenha"));
        edtusuario->clear();
        edtsenha->clear();
        type(edtusuario, usuario);
        type(edtsenha, senha);
        click(find<QPushButton>(frmlog.get(), QStringLiteral("btnOk")));
    }
    bool closedWithSuccess() const { return !frmlog->isVisible() && frmlog->result() == QDialog::Accepted; }

    std::optional<ContractDatabase> db;
    std::unique_ptr<TDMBUSCA> busca;
    ScriptedMessages messages;
    CurrentUser user;
    std::unique_ptr<Tfrmlog> frmlog;
};

TEST_P(LoginTest, TheWindowAsDesigned)
{
    EXPECT_EQ(frmlog->windowTitle(), QStringLiteral("Login"));
    EXPECT_EQ(find<QLineEdit>(frmlog.get(), QStringLiteral("edtsenha"))->echoMode(), QLineEdit::Password);
    auto *btnOk = find<QPushButton>(frmlog.get(), QStringLiteral("btnOk"));
    auto *btnCancela = find<QPushButton>(frmlog.get(), QStringLiteral("btnCancela"));
    EXPECT_EQ(btnOk->text(), QStringLiteral("&Ok"));
    EXPECT_EQ(btnCancela->text(), QStringLiteral("&Cancela"));
    for (QPushButton *b : {btnOk, btnCancela}) {
        EXPECT_FALSE(b->isDefault());
        EXPECT_FALSE(b->autoDefault());
    }
    QStringList order;
    focus(find<QLineEdit>(frmlog.get(), QStringLiteral("edtusuario")));
    for (int i = 0; i < 4; ++i) {
        order << focused()->objectName();
        pressTab();
    }
    EXPECT_EQ(order, (QStringList{QStringLiteral("edtusuario"), QStringLiteral("edtsenha"), QStringLiteral("btnOk"),
                                  QStringLiteral("btnCancela")}));
}

TEST_P(LoginTest, AValidPairInAnyCaseLogsTheUserIn)
{
    messages.expect(MessageIcon::Information, QStringLiteral("Seja bem vindo"));
    attempt(QStringLiteral("atendente"), QStringLiteral("1234"));
    EXPECT_TRUE(closedWithSuccess());
    EXPECT_EQ(user.UsuarioLogadoId, 2);
    EXPECT_EQ(user.UsuarioLogadoAcesso, 2);
    EXPECT_EQ(user.UsuarioLogadoNome, QStringLiteral("ATENDENTE"));
}

TEST_P(LoginTest, OnlyTheLettersAToZAreUpperCased)
{
    db->exec(QStringLiteral("insert into usuario (usuario, senha, acesso) values (?, ?, ?)"),
             {QStringLiteral("JOSé"), QStringLiteral("SENHA"), QStringLiteral("3")});
    messages.expect(QStringLiteral("Seja bem vindo"));
    attempt(QStringLiteral("josé"), QStringLiteral("senha"));
    EXPECT_TRUE(closedWithSuccess());
    EXPECT_EQ(user.UsuarioLogadoNome, QStringLiteral("JOSé"));
    EXPECT_EQ(user.UsuarioLogadoAcesso, 3);
}

TEST_P(LoginTest, AWrongPairIsRefusedAndTheAttendantMayTryAgain)
{
    for (const auto &[u, s] : {std::pair{"ADMIN", "1234"}, std::pair{"NINGUEM", "ADMIN"}, std::pair{"", ""}}) {
        messages.expect(MessageIcon::Information, QStringLiteral("Usuario ou senhas invalidos !"));
        attempt(QString::fromLatin1(u), QString::fromLatin1(s));
        EXPECT_TRUE(frmlog->isVisible());
        EXPECT_EQ(find<QLineEdit>(frmlog.get(), QStringLiteral("edtusuario"))->text(), QString::fromLatin1(u));
        EXPECT_EQ(find<QLineEdit>(frmlog.get(), QStringLiteral("edtsenha"))->text(), QString::fromLatin1(s));
    }
    EXPECT_EQ(user.UsuarioLogadoId, 0);
    messages.expect(QStringLiteral("Seja bem vindo"));
    attempt(QStringLiteral("admin"), QStringLiteral("admin"));
    EXPECT_TRUE(closedWithSuccess());
    EXPECT_EQ(user.UsuarioLogadoAcesso, 3);
}

TEST_P(LoginTest, OfTwoRowsForOnePairTheFirstOneReturnedWins)
{
    db->exec(QStringLiteral("insert into usuario (usuario, senha, acesso) values (?, ?, ?)"),
             {QStringLiteral("ATENDENTE"), QStringLiteral("1234"), QStringLiteral("3")});
    const RowSet rows = db->open(QStringLiteral("select usuario,senha,id_usuario,acesso from usuario Where usuario "
                                                "=:usuario and senha =:senha"),
                                 {{QStringLiteral("usuario"), QStringLiteral("ATENDENTE")},
                                  {QStringLiteral("senha"), QStringLiteral("1234")}});
    ASSERT_EQ(rows.rows.size(), 2);
    messages.expect(QStringLiteral("Seja bem vindo"));
    attempt(QStringLiteral("atendente"), QStringLiteral("1234"));
    EXPECT_TRUE(closedWithSuccess());
    EXPECT_EQ(user.UsuarioLogadoId, rows.rows[0][rows.indexOf(QStringLiteral("id_usuario"))].toInt());
    EXPECT_EQ(QString::number(user.UsuarioLogadoAcesso), rows.rows[0][rows.indexOf(QStringLiteral("acesso"))].toString().trimmed());
}

TEST_P(LoginTest, AnAccessLevelThatIsNoWholeNumberStopsTheLogin)
{
    db->exec(QStringLiteral("insert into usuario (id_usuario, usuario, senha, acesso) values (?, ?, ?, ?)"),
             {7, QStringLiteral("PEDRO"), QStringLiteral("X"), QStringLiteral("A3")});
    messages.expectError(QStringLiteral("'A3' is not a valid integer value"));
    attempt(QStringLiteral("pedro"), QStringLiteral("x"));
    EXPECT_TRUE(frmlog->isVisible());
    EXPECT_EQ(user.UsuarioLogadoId, 7); // set before the conversion failed
    EXPECT_EQ(user.UsuarioLogadoAcesso, 0);
    EXPECT_EQ(user.UsuarioLogadoNome, QString());
}

TEST_P(LoginTest, ADatabaseErrorIsShownAndTheWindowStaysOpen)
{
    db->exec(QStringLiteral("alter table usuario rename to usuario_fora"));
    ExpectedMessage error;
    error.icon = MessageIcon::Error;
    error.title = QStringLiteral("Ravelto");
    messages.expect(error);
    attempt(QStringLiteral("admin"), QStringLiteral("admin"));
    EXPECT_TRUE(frmlog->isVisible());

    db->exec(QStringLiteral("alter table usuario_fora rename to usuario"));
    messages.expect(QStringLiteral("Seja bem vindo"));
    click(find<QPushButton>(frmlog.get(), QStringLiteral("btnOk")));
    EXPECT_TRUE(closedWithSuccess());
}

TEST_P(LoginTest, CancelAndTheCloseBoxCloseWithoutSuccessWhileEnterAndEscapeDoNothing)
{
    focus(find<QLineEdit>(frmlog.get(), QStringLiteral("edtsenha")));
    pressEnter();
    pressEscape();
    focus(find<QPushButton>(frmlog.get(), QStringLiteral("btnOk")));
    pressEnter();
    EXPECT_TRUE(frmlog->isVisible());

    click(find<QPushButton>(frmlog.get(), QStringLiteral("btnCancela")));
    EXPECT_FALSE(frmlog->isVisible());
    EXPECT_EQ(frmlog->result(), QDialog::Rejected);

    showWindow(frmlog.get());
    frmlog->close();
    EXPECT_FALSE(frmlog->isVisible());
    EXPECT_EQ(frmlog->result(), QDialog::Rejected);
    EXPECT_EQ(user.UsuarioLogadoId, 0);
    EXPECT_TRUE(messages.requests().isEmpty());
}

RV_BOTH_BACKENDS(LoginTest);
