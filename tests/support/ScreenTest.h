#pragma once
// The fixture of screen tests, on both backends: a fresh contract database
// (rows a test needs are added in seed(), before the modules open their
// start-up datasets), the program's data modules over it, a context with a
// scripted message service and a fixed clock, a chosen user logged in.
//
//   class TfrmCadClienteTest : public rv::test::ScreenTest {
//       void seed(ContractDatabase &db) override { db.exec("insert into bairro ..."); }
//   };
//   TEST_P(TfrmCadClienteTest, RegistersANewClient)
//   {
//       loginAs("ATENDENTE");
//       TfrmCadCliente screen(ctx());
//       showWindow(&screen);
//       type(find<QLineEdit>(&screen, "edtNome"), "ANA");
//       messages.expect("Cadastro realizado com sucesso !");
//       click(find<QPushButton>(&screen, "btnCadastrar"));
//       EXPECT_EQ(db().scalar("select nome from cliente where telefone = ?", {32221111}), "ANA");
//   }
//   RV_BOTH_BACKENDS(TfrmCadClienteTest);
//
// After every test: modal screens left open fail it and are closed, and every
// expected message must have come.

#include "ContractDatabase.h"
#include "Printers.h"
#include "ScriptedMessages.h"
#include "Ui.h"
#include "app/common/AppContext.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace rv::test {

class ScreenTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override;
    void TearDown() override;

    // Rows the test needs before the data modules are created.
    virtual void seed(ContractDatabase &db) {}

    ContractDatabase &db() { return *m_db; }
    DataModules &modules() { return *m_modules; }
    AppContext &ctx() { return *m_ctx; }

    // Fix the current user as a successful login would (the row of usuario
    // with that name); throws when there is none.
    void loginAs(const QString &usuario);

    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2009, 1, 21), QTime(10, 0, 0))};

private:
    std::optional<ContractDatabase> m_db;
    std::unique_ptr<DataModules> m_modules;
    std::unique_ptr<AppContext> m_ctx;
    std::unique_ptr<ModalWatchdog> m_watchdog;
};

} // namespace rv::test
