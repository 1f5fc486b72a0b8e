#include "app/login/Tfrmlog.h"
#include "orders/TfrmPrincipal.h"
#include "tests/support/ScreenTest.h"

#include <QLineEdit>
#include <QPushButton>

using namespace rv;
using namespace rv::test;

// The main window runs the login while it is created.
class MainWindowLoginTest : public ScreenTest {};

TEST_P(MainWindowLoginTest, ASuccessfulLoginPutsTheUsersNameInTheCaption)
{
    onModal<Tfrmlog>([](Tfrmlog &frmlog) {
        type(find<QLineEdit>(&frmlog, QStringLiteral("edtusuario")), QStringLiteral("atendente"));
        type(find<QLineEdit>(&frmlog, QStringLiteral("edtsenha")), QStringLiteral("1234"));
        click(find<QPushButton>(&frmlog, QStringLiteral("btnOk")));
    });
    messages.expect(QStringLiteral("Seja bem vindo"));
    TfrmPrincipal main(ctx());
    EXPECT_TRUE(main.loginSucceeded());
    EXPECT_EQ(main.windowTitle(),
              QString::fromUtf8(TfrmPrincipal::DesignedCaption) + QString(118, QLatin1Char(' ')) + QStringLiteral("ATENDENTE"));
    EXPECT_EQ(ctx().user.UsuarioLogadoId, 2);
    EXPECT_EQ(ctx().mainWindow, &main);
}

TEST_P(MainWindowLoginTest, ACancelledLoginClosesTheConnectionAndEndsTheProgram)
{
    onModal<Tfrmlog>([](Tfrmlog &frmlog) { click(find<QPushButton>(&frmlog, QStringLiteral("btnCancela"))); });
    TfrmPrincipal main(ctx());
    EXPECT_FALSE(main.loginSucceeded());
    EXPECT_EQ(main.windowTitle(), QString::fromUtf8(TfrmPrincipal::DesignedCaption) + QString(118, QLatin1Char(' ')));
    EXPECT_FALSE(modules().connection().isOpen());
    EXPECT_FALSE(main.isVisible());
}

TEST_P(MainWindowLoginTest, TheCloseBoxOfTheLoginEndsTheProgramToo)
{
    onModal<Tfrmlog>([](Tfrmlog &frmlog) { frmlog.close(); });
    TfrmPrincipal main(ctx());
    EXPECT_FALSE(main.loginSucceeded());
}

RV_BOTH_BACKENDS(MainWindowLoginTest);
