#include "ScreenTest.h"

#include "data/Convert.h"
#include "db/Contract.h"

namespace rv::test {

void ScreenTest::SetUp()
{
    RV_REQUIRE_BACKEND(GetParam());
    m_db.emplace(GetParam());
    seed(*m_db);
    m_modules = std::make_unique<DataModules>(m_db->settings(), &db::contractProcedures());
    m_ctx = std::make_unique<AppContext>(*m_modules, messages, clock);
    m_watchdog = std::make_unique<ModalWatchdog>();
}

void ScreenTest::TearDown()
{
    closeLeftoverModals();
    messages.verify();
    // The context, the modules and the database go with the fixture, after
    // any screen a derived fixture holds.
}

void ScreenTest::loginAs(const QString &usuario)
{
    const RowSet rows = m_db->connection().serverQuery(
        QStringLiteral("select id_usuario, acesso, usuario from usuario where usuario = ?"), {usuario});
    if (rows.rows.isEmpty())
        throw std::runtime_error("no user " + usuario.toStdString());
    const Row &row = rows.rows.first();
    CurrentUser &user = m_ctx->user;
    user.UsuarioLogadoId = row[0].toInt();
    user.UsuarioLogadoAcesso = convert::toInteger(row[1].toString().trimmed());
    user.UsuarioLogadoNome = row[2].toString().trimmed();
}

} // namespace rv::test
