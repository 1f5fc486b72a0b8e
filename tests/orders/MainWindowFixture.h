#pragma once
// The main window over a small register: three neighbourhoods, two streets,
// clients, routes with their fares, earlier orders of the main client, and
// couriers of whom three hold a radio.
//
//   TEST_P(OrderEntryTest, ...)
//   {
//       TfrmPrincipal &w = openMainWindow();     // logs in as ATENDENTE
//       type(edit("edtTelefone"), "32221111");
//   }

#include "orders/TfrmPrincipal.h"
#include "tests/support/ScreenTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <memory>

namespace rv::test {

class MainWindowTest : public ScreenTest {
protected:
    void seed(ContractDatabase &db) override;
    void TearDown() override;

    // Creates the main window, answering its login, and shows it.
    TfrmPrincipal &openMainWindow(const QString &usuario = QStringLiteral("ATENDENTE"),
                                  const QString &senha = QStringLiteral("1234"));
    // ... over another context (another message service, for instance).
    TfrmPrincipal &openMainWindowIn(AppContext &context, const QString &usuario = QStringLiteral("ATENDENTE"),
                                    const QString &senha = QStringLiteral("1234"));
    TfrmPrincipal &window() { return *m_window; }
    void closeMainWindow() { m_window.reset(); }
    // The one-second timer stopped, so that a test drives the refresh itself.
    void stopRefresh();

    QLineEdit *edit(const char *name) { return find<QLineEdit>(m_window.get(), QLatin1String(name)); }
    QListWidget *list(const char *name) { return find<QListWidget>(m_window.get(), QLatin1String(name)); }
    QPushButton *button(const char *name) { return find<QPushButton>(m_window.get(), QLatin1String(name)); }
    QWidget *widget(const char *name) { return find<QWidget>(m_window.get(), QLatin1String(name)); }
    QString text(const char *name) { return edit(name)->text(); }

    // Types the telephone and takes every default of the order up to the
    // courier field: requester, pick-up street, destination, route.
    void identifyAndFillOrder(const QString &telephone, const QString &destination);
    // The "Fechar pedido ?" question, answered.
    void expectCloseQuestion(MessageButton answer);

    int orderCount();
    // The columns of the newest order, by name in lower case.
    QVariantMap newestOrder();

    // Ids of the fixture rows.
    int centro = 0, jardim = 0, aldeota = 0;
    int flores = 0, dumont = 0;
    int centroJardim = 0, centroAldeota = 0;

    static constexpr qint64 Maria = 32221111;   // CENTRO, RUA DAS FLORES 120, seven earlier orders
    static constexpr qint64 Pedro = 32221112;   // ALDEOTA, no complement, no old name
    static constexpr qint64 Jose = 3339999;     // seven digits
    static constexpr qint64 Unknown = 32229999; // no client

private:
    std::unique_ptr<TfrmPrincipal> m_window;
};

} // namespace rv::test
