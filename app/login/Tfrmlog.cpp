#include "Tfrmlog.h"

#include "app/common/Guard.h"
#include "app/common/KeyRules.h"
#include "data/Convert.h"
#include "data/modules/TDMBUSCA.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace rv {

Tfrmlog::Tfrmlog(AppContext &ctx, QWidget *parent)
    : Tfrmlog(ctx.modules.DMBUSCA(), ctx.messages, ctx.user, parent)
{
}

Tfrmlog::Tfrmlog(TDMBUSCA &busca, MessageService &messages, CurrentUser &user, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
    , m_busca(busca)
    , m_messages(messages)
    , m_user(user)
{
    setObjectName(QStringLiteral("frmlog"));
    setWindowTitle(QStringLiteral("Login"));
    QPalette cream = palette();
    cream.setColor(QPalette::Window, QColor(255, 251, 240));
    setPalette(cream);
    setAutoFillBackground(true);

    auto *lblUsuario = new QLabel(QStringLiteral("Usuario"), this);
    edtusuario = new QLineEdit(this);
    edtusuario->setObjectName(QStringLiteral("edtusuario"));
    lblUsuario->setBuddy(edtusuario);
    auto *lblSenha = new QLabel(QStringLiteral("Senha"), this);
    edtsenha = new QLineEdit(this);
    edtsenha->setObjectName(QStringLiteral("edtsenha"));
    edtsenha->setEchoMode(QLineEdit::Password);
    edtsenha->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // every character as "*"
    lblSenha->setBuddy(edtsenha);

    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnCancela = new QPushButton(QStringLiteral("&Cancela"), this);
    btnCancela->setObjectName(QStringLiteral("btnCancela"));
    // Clicked or reached by their accelerators only: neither is the dialog's default.
    for (QPushButton *b : {btnOk, btnCancela}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblUsuario);
    layout->addWidget(edtusuario);
    layout->addWidget(lblSenha);
    layout->addWidget(edtsenha);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancela);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(edtusuario, edtsenha);
    setTabOrder(edtsenha, btnOk);
    setTabOrder(btnOk, btnCancela);
    edtusuario->setFocus();

    connectGuarded(btnOk, &QPushButton::clicked, this, m_messages, [this] { btnOkClick(); });
    connectGuarded(btnCancela, &QPushButton::clicked, this, m_messages, [this] { btnCancelaClick(); });
}

bool Tfrmlog::ValidaLogin(const QString &usuario, const QString &senha)
{
    HeldResult &cds = m_busca.cdsVerificaUsuario;
    cds.close();
    cds.param(0).setAsString(upperCaseAZ(usuario));
    cds.param(1).setAsString(upperCaseAZ(senha));
    cds.open();
    return !cds.isEmpty();
}

void Tfrmlog::btnOkClick()
{
    if (!ValidaLogin(edtusuario->text(), edtsenha->text())) {
        m_messages.information(QStringLiteral("Usuario ou senhas invalidos !"));
        return;
    }
    const HeldResult &cds = m_busca.cdsVerificaUsuario;
    m_user.UsuarioLogadoId = cds.fieldByName(QStringLiteral("id_usuario")).asInteger();
    // A text that is no whole number stops the login here, with the id already set.
    m_user.UsuarioLogadoAcesso = convert::toInteger(cds.fieldByName(QStringLiteral("acesso")).asString());
    m_user.UsuarioLogadoNome = cds.fieldByName(QStringLiteral("usuario")).asString();
    m_messages.information(QStringLiteral("Seja bem vindo"));
    accept();
}

void Tfrmlog::btnCancelaClick()
{
    // The main window ends the program when the login closes without success.
    reject();
}

void Tfrmlog::keyPressEvent(QKeyEvent *event)
{
    // Escape does not close the login and Enter presses no button.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tfrmlog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the desktop, whatever window it belongs to.
    if (const QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace rv
