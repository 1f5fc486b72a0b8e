// Start-up failures: each is shown and ends the program with status 1 before
// any window exists.
#include "app/Startup.h"
#include "app/common/Clock.h"
#include "app/common/MessageService.h"
#include "orders/TfrmPrincipal.h"
#include "app/common/DataModules.h"
#include "db/Contract.h"
#include "tests/support/ContractDatabase.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace rv;

namespace {

class RecordingMessages : public MessageService {
public:
    MessageButton ask(const MessageRequest &request) override
    {
        shown << request;
        return request.buttons.isEmpty() ? MessageButton::Ok : request.buttons.first();
    }
    QList<MessageRequest> shown;
};

QString settingsFile(const QTemporaryDir &dir, const QString &name, const QByteArray &entry)
{
    const QString path = QDir(dir.path()).filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("[MSSQLConnection]\n" + entry);
    return path;
}

bool mainWindowExists()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<TfrmPrincipal *>(w))
            return true;
    return false;
}

} // namespace

TEST(Startup, EachFailureIsShownAndEndsWithStatusOne)
{
    QTemporaryDir dir;
    const QString missing = QDir(dir.path()).filePath(QStringLiteral("nao-existe.ini"));
    const struct {
        QString file;
        QString expected; // part of the message
    } cases[] = {
        {missing, missing},
        {settingsFile(dir, QStringLiteral("mssql.ini"), "DriverName=MSSQL\nHostName=servidor\n"), QStringLiteral("\"MSSQL\"")},
        // a database without the system's tables: the first start-up dataset fails
        {settingsFile(dir, QStringLiteral("vazio.ini"), "DriverName=SQLite\nDatabase=vazio.db\n"), QStringLiteral("tb_motoqueiro")},
    };
    for (const auto &c : cases) {
        RecordingMessages messages;
        FixedClock clock;
        EXPECT_EQ(runProgram(messages, clock, c.file), 1) << c.file.toStdString();
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Error);
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Ravelto"));
        EXPECT_TRUE(messages.shown[0].text.contains(c.expected)) << messages.shown[0].text.toStdString();
        EXPECT_FALSE(mainWindowExists());
    }
}

namespace {
class ModulesTest : public ::testing::TestWithParam<Backend> {};
} // namespace

// Over a database of the contract every module is created, in its order, and
// each opens its start-up datasets with unset parameters.
TEST_P(ModulesTest, AreCreatedInTheirOrderOverAContractDatabase)
{
    RV_REQUIRE_BACKEND(GetParam());
    rv::test::ContractDatabase db(GetParam());
    DataModules modules(db.settings(), &db::contractProcedures());
    EXPECT_EQ(modules.creationOrder(),
              (QStringList{QStringLiteral("TDMPRINCIPAL"), QStringLiteral("TDMBUSCA"), QStringLiteral("TRVCLIENTE"),
                           QStringLiteral("TDMCADASTRO"), QStringLiteral("TRVPEDIDOS"), QStringLiteral("TRVMOTOQUEIRO"),
                           QStringLiteral("TRVFINANCEIRO"), QStringLiteral("TDMRADIO"), QStringLiteral("TdmGlobal"),
                           QStringLiteral("TDM_REL"), QStringLiteral("TDMUPDATE"), QStringLiteral("TDMRELATORIO"),
                           QStringLiteral("TRMAdm"), QStringLiteral("TDMVEICULO"), QStringLiteral("TDmLocacao"),
                           QStringLiteral("TrvRadio"), QStringLiteral("TDMMOTOQUEIRO")}));
    EXPECT_TRUE(modules.DMCADASTRO().cdsCadmotoqueiro.active());
    EXPECT_TRUE(modules.RVFINANCEIRO().cdsCaixa.active());
    EXPECT_TRUE(modules.DMRELATORIO().cdsRelValeFuncionario.active());
    EXPECT_TRUE(modules.DmLocacao().cdsMotoqueirocomRadio.active());
    EXPECT_TRUE(modules.DMMOTOQUEIRO().cdsTodosMotoqueirosATivos.active());
}

RV_BOTH_BACKENDS(ModulesTest);
