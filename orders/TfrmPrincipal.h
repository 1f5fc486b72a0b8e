#pragma once
// The main window: the attendant's working screen and the hub from which
// every other screen is opened. Its creation runs the login first; when the
// login does not succeed the window is never shown and the program ends.

#include "app/common/AppContext.h"

#include <QMainWindow>

namespace rv {

class TfrmPrincipal : public QMainWindow {
    Q_OBJECT

public:
    static constexpr const char *DesignedCaption = "Ravelto Moto Táxi 24 hs:";

    explicit TfrmPrincipal(AppContext &context, QWidget *parent = nullptr);
    ~TfrmPrincipal() override;

    // False after a cancelled login: the program ends without using this window.
    bool loginSucceeded() const { return m_loginSucceeded; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    bool login();

    AppContext &m_ctx;
    bool m_loginSucceeded = false;
};

} // namespace rv
