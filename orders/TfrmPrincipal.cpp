#include "TfrmPrincipal.h"

#include "app/login/Tfrmlog.h"

#include <QCloseEvent>

namespace rv {

TfrmPrincipal::TfrmPrincipal(AppContext &context, QWidget *parent) : QMainWindow(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(QString::fromUtf8(DesignedCaption));
    m_ctx.mainWindow = this;
    FormCreate();
}

TfrmPrincipal::~TfrmPrincipal()
{
    if (m_ctx.mainWindow == this)
        m_ctx.mainWindow = nullptr;
}

void TfrmPrincipal::FormCreate()
{
    m_loginSucceeded = login();
    if (!m_loginSucceeded) {
        // Cancelled: the window closes (and with it the connection) and the
        // program ends without showing it; nothing more is set up.
        FormClose();
        return;
    }
}

// The login runs before anything else of the window. Whatever its outcome,
// the caption gets 118 spaces and the user's name (empty when nobody logged in).
bool TfrmPrincipal::login()
{
    bool succeeded = false;
    {
        Tfrmlog frmlog(m_ctx);
        succeeded = frmlog.exec() == QDialog::Accepted;
    }
    setWindowTitle(windowTitle() + QString(118, QLatin1Char(' ')) + m_ctx.user.UsuarioLogadoNome);
    return succeeded;
}

void TfrmPrincipal::closeEvent(QCloseEvent *event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

// Closing the main window closes the connection; the program then ends.
void TfrmPrincipal::FormClose()
{
    m_ctx.modules.connection().close();
}

} // namespace rv
