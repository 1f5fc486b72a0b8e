#include "TfrmPrincipal.h"

#include <QCloseEvent>

namespace rv {

TfrmPrincipal::TfrmPrincipal(AppContext &context, QWidget *parent) : QMainWindow(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(QString::fromUtf8(DesignedCaption));
    FormCreate();
}

void TfrmPrincipal::FormCreate()
{
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
