#pragma once
// The login window: user name and password checked against the table
// usuario; a success fixes the current user for the rest of the run.
// Closed with success (Accepted) only by a valid login; "&Cancela" and the
// close box close it without success. Enter and Escape do nothing here.

#include "app/common/AppContext.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace rv {

class TDMBUSCA;

class Tfrmlog : public QDialog {
    Q_OBJECT

public:
    Tfrmlog(AppContext &ctx, QWidget *parent = nullptr);
    // The parts it needs, for a login without the whole program around it.
    Tfrmlog(TDMBUSCA &busca, MessageService &messages, CurrentUser &user, QWidget *parent = nullptr);

    // True when the table holds a row for the pair; the row stays current in
    // cdsVerificaUsuario.
    bool ValidaLogin(const QString &usuario, const QString &senha);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void btnOkClick();
    void btnCancelaClick();

    TDMBUSCA &m_busca;
    MessageService &m_messages;
    CurrentUser &m_user;

    QLineEdit *edtusuario;
    QLineEdit *edtsenha;
    QPushButton *btnOk;
    QPushButton *btnCancela;
};

} // namespace rv
