#pragma once
// The client registration and update screen. A client is its telephone
// number: the screen opens with the main window's telephone, which looks the
// client up and fills the form when the number is known; "&Cadastrar" stores
// a new client and hands the number back to the main window, "&Atualizar"
// rewrites the record of the number on the screen.

#include "app/common/AppContext.h"
#include "data/Query.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace rv {

class LookupList;

class TfrmCadCliente : public QDialog {
    Q_OBJECT

public:
    static constexpr const char *Caption = "Cadastro de Cliente";

    TfrmCadCliente(AppContext &ctx, QWidget *parent = nullptr);
    ~TfrmCadCliente() override;

    // The screen's own datasets; they stay open while it lives, since each
    // list's choice is looked up again in its dataset.
    Query QryBairro;
    Query QryCategoriaTel;
    Query QryCidade;
    Query Qrylogradouro;
    Query QryCadCliente;
    Query QryAtualizacliente;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void FormCreate();
    void edtTelefoneChange();
    void takeStreetColumns();
    void streetNotTaken(bool highlighted);
    void btnCadastrarClick();
    void btnAtualizarClick();
    void btnLimparClick();

    void CarregaClientePorTelefone();
    void GravaNovoCliente();

    AppContext &m_ctx;

    QLineEdit *edtTelefone;
    QLineEdit *edtNome;
    QLineEdit *edtNome_logradouro;
    QLineEdit *edtNumero;
    QLineEdit *edtAntiga;
    QLineEdit *edtComplemento;
    QLineEdit *edtBairro;
    QLineEdit *edtCidade;
    QLineEdit *edtUF;
    QLineEdit *edtCep;
    QLineEdit *edt_ct_telefone;

    QLineEdit *edt_id_logradouro;
    QLineEdit *edt_id_bairro;
    QLineEdit *edt_idCidade;
    QLineEdit *edt_id_ct_telefone;

    QListWidget *lstlogradouro;
    QListWidget *lstBairro;
    QListWidget *lstcidade;
    QListWidget *lstCATEGORIATELEFONE;

    QPushButton *btnCadastrar;
    QPushButton *btnAtualizar;
    QPushButton *btnLimpar;

    LookupList *m_logradouro = nullptr;
    LookupList *m_bairro = nullptr;
    LookupList *m_cidade = nullptr;
    LookupList *m_categoria = nullptr;
};

} // namespace rv
