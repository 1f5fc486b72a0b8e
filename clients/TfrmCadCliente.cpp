#include "TfrmCadCliente.h"

#include "app/common/FloatingList.h"
#include "app/common/FormFields.h"
#include "app/common/Guard.h"
#include "app/common/KeyRules.h"
#include "app/common/LookupList.h"
#include "data/Convert.h"
#include "data/modules/TDMBUSCA.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace rv {

namespace {

const char *const ClientLookupText = "select * from VW_CONSULTA_CLIENTE_TEL where fone= :Pfone";

const char *const InsertText =
    "insert into Cliente (TELEFONE,NOME,ID_LOGRADOURO,NUMERO,COMPLEMENTO,ANTIGA,ID_BAIRRO,ID_CIDADE,UF,CEP,"
    "ID_CATEGORIA,ID_USUARIO) values  (:pTELEFONE,:pNOMECLIENTE,:pIDLOGRADOURO,:pNUMERO,:pCOMPLEMENTO,:pANTIGA,"
    ":pIDBAIRRO,:pIDCIDADE,:pUF,:pCEP,:pIDCATEGORIA,:pIDUSUARIO)";

const char *const UpdateText =
    "update cliente set nome =:pnome,id_logradouro =:pidlogradouro,numero =:pnumero,complemento =:pcomplemento,"
    "antiga =:pAntiga,id_bairro =:pIdbairro,id_cidade =:pIdcidade,uf =:pUf, cep =:pCep ,id_categoria =:pCategoria "
    "where telefone =:ptelefone";

// A column's text into an edit; a NULL column leaves the edit as it was.
void copyUnlessNull(const Field &value, QLineEdit *edit)
{
    if (!value.isNull())
        edit->setText(value.asString());
}

} // namespace

TfrmCadCliente::TfrmCadCliente(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , QryBairro(ctx.modules.connection(), QStringLiteral("QryBairro"))
    , QryCategoriaTel(ctx.modules.connection(), QStringLiteral("QryCategoriaTel"))
    , QryCidade(ctx.modules.connection(), QStringLiteral("QryCidade"))
    , Qrylogradouro(ctx.modules.connection(), QStringLiteral("Qrylogradouro"))
    , QryCadCliente(ctx.modules.connection(), QStringLiteral("QryCadCliente"))
    , QryAtualizacliente(ctx.modules.connection(), QStringLiteral("QryAtualizacliente"))
    , m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmCadCliente"));
    setWindowTitle(QString::fromUtf8(Caption));
    QryBairro.setText(QStringLiteral("Select * from bairro order by bairro ;"));
    QryCategoriaTel.setText(QStringLiteral("select * from categoria_telefone order by categoria_telefone ;"));
    QryCidade.setText(QStringLiteral("Select * from cidade order by cidade ;"));
    Qrylogradouro.setText(QStringLiteral("select *from logradouro order by nome_logradouro "));

    createControls();
    FormCreate();
    edtTelefone->setFocus();
}

TfrmCadCliente::~TfrmCadCliente() = default;

void TfrmCadCliente::createControls()
{
    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    edtTelefone = edit("edtTelefone");
    edtNome = edit("edtNome");
    edtNome_logradouro = edit("edtNome_logradouro");
    edtNumero = edit("edtNumero");
    edtAntiga = edit("edtAntiga");
    edtComplemento = edit("edtComplemento");
    edtBairro = edit("edtBairro");
    edtCidade = edit("edtCidade");
    edtUF = edit("edtUF");
    edtCep = edit("edtCep");
    edt_ct_telefone = edit("edt_ct_telefone");
    edt_id_logradouro = edit("edt_id_logradouro");
    edt_id_bairro = edit("edt_id_bairro");
    edt_idCidade = edit("edt_idCidade");
    edt_id_ct_telefone = edit("edt_id_ct_telefone");

    auto list = [this](const char *name) {
        auto *l = new QListWidget(this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    lstlogradouro = list("lstlogradouro");
    lstBairro = list("lstBairro");
    lstcidade = list("lstcidade");
    lstCATEGORIATELEFONE = list("lstCATEGORIATELEFONE");

    auto button = [this](const QString &caption, const char *name) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        // Enter moves between fields here; no button is the dialog's default.
        b->setAutoDefault(false);
        b->setDefault(false);
        return b;
    };
    btnCadastrar = button(QStringLiteral("&Cadastrar"), "btnCadastrar");
    btnAtualizar = button(QStringLiteral("&Atualizar"), "btnAtualizar");
    btnLimpar = button(QStringLiteral("&Limpar"), "btnLimpar");

    // Captions above the fields.
    auto *grid = new QGridLayout;
    auto place = [this, grid](const QString &caption, QLineEdit *field, int row, int column, int span = 1) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row * 2, column, 1, span);
        grid->addWidget(field, row * 2 + 1, column, 1, span);
    };
    place(QStringLiteral("Telefone"), edtTelefone, 0, 0);
    place(QStringLiteral("Nome"), edtNome, 0, 1, 3);
    place(QStringLiteral("Nome logradouro"), edtNome_logradouro, 1, 0, 2);
    place(QString::fromUtf8("Nº"), edtNumero, 1, 2);
    place(QStringLiteral("Antiga"), edtAntiga, 1, 3);
    place(QStringLiteral("Complemento"), edtComplemento, 2, 0);
    place(QStringLiteral("Bairro:"), edtBairro, 2, 1);
    place(QStringLiteral("Cidade"), edtCidade, 2, 2);
    place(QStringLiteral("UF:"), edtUF, 2, 3);
    place(QStringLiteral("Cep"), edtCep, 3, 0);
    place(QStringLiteral("Categoria Telefone"), edt_ct_telefone, 3, 1);
    for (int c = 0; c < 4; ++c)
        grid->setColumnStretch(c, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCadastrar);
    buttons->addWidget(btnAtualizar);
    buttons->addWidget(btnLimpar);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumSize(680, 340);

    // The ids the lookups find: held as text, never shown, never reached by Tab.
    for (QLineEdit *hidden : {edt_id_logradouro, edt_id_bairro, edt_idCidade, edt_id_ct_telefone}) {
        hidden->setFocusPolicy(Qt::NoFocus);
        hidden->hide();
    }

    edtTelefone->setMaxLength(8);
    SomenteDigitos(edtTelefone); // edtTelefoneKeyPress
    SomenteDigitos(edtNumero);   // edtNumeroKeyPress
    edtUF->setReadOnly(true);
    for (QLineEdit *visible : {edtTelefone, edtNome, edtNome_logradouro, edtNumero, edtAntiga, edtComplemento,
                               edtBairro, edtCidade, edtUF, edtCep, edt_ct_telefone})
        forceUpperCase(visible);

    // The order in which the form declares its fields: the required-field
    // check names the empty ones in this order.
    declareFields(this, {edtNome_logradouro, edtNome, edtTelefone, edtBairro, edtCidade, edtCep, edt_ct_telefone,
                         edtUF, edtNumero, edtAntiga, edtComplemento, edt_id_logradouro, edt_id_bairro, edt_idCidade,
                         edt_id_ct_telefone});
    markRequired(edtNome_logradouro, QStringLiteral("Nome do logradouro"));
    markRequired(edtNome, QStringLiteral("Nome"));
    markRequired(edtTelefone, QStringLiteral("Telefone"));
    markRequired(edtBairro, QStringLiteral("Bairro"));
    markRequired(edtCidade, QStringLiteral("Cidade"));
    markRequired(edtCep, QStringLiteral("Cep"));
    markRequired(edt_ct_telefone, QStringLiteral("Categoria Telefone"));
    markRequired(edtUF, QStringLiteral("Uf"));
    markRequired(edtNumero, QString::fromUtf8("Nº"));

    const QList<QWidget *> tabOrder{edtTelefone, edtNome,      edtNome_logradouro, edtNumero,       edtAntiga,
                                    edtComplemento, edtBairro, edtCidade,          edtUF,           edtCep,
                                    edt_ct_telefone, btnCadastrar, btnAtualizar,   btnLimpar};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    installEnterAsTab(this); // FormKeyPress

    // The lookup lists: sorted entries; each leave takes the highlighted entry.
    m_logradouro = new LookupList(edtNome_logradouro, lstlogradouro, m_ctx.messages, this);
    m_logradouro->setSource(Qrylogradouro, QStringLiteral("nome_logradouro"), QStringLiteral("id_logradouro"),
                            edt_id_logradouro);
    m_logradouro->setOnMatch([this] { takeStreetColumns(); });
    m_logradouro->setOnNoMatch([this](bool highlighted) { streetNotTaken(highlighted); });

    m_bairro = new LookupList(edtBairro, lstBairro, m_ctx.messages, this);
    m_bairro->setSource(QryBairro, QStringLiteral("bairro"), QStringLiteral("id_bairro"), edt_id_bairro);

    // The city edit keeps what was typed; the id and the state come from the row.
    m_cidade = new LookupList(edtCidade, lstcidade, m_ctx.messages, this);
    m_cidade->setSource(QryCidade, QStringLiteral("cidade"), QStringLiteral("id_cidade"), edt_idCidade);
    m_cidade->setWritesDisplay(false);
    m_cidade->setOnMatch([this] { copyUnlessNull(m_cidade->field(QStringLiteral("Uf")), edtUF); });

    m_categoria = new LookupList(edt_ct_telefone, lstCATEGORIATELEFONE, m_ctx.messages, this);
    m_categoria->setSource(QryCategoriaTel, QStringLiteral("Categoria_telefone"), QStringLiteral("id_categoria"),
                           edt_id_ct_telefone);

    for (LookupList *lookup : {m_logradouro, m_bairro, m_cidade, m_categoria}) {
        lookup->setSorted(true);
        floatUnderEdit(lookup->edit(), lookup->list());
    }

    connectGuarded(edtTelefone, &QLineEdit::textChanged, this, m_ctx.messages, [this] { edtTelefoneChange(); });
    connectGuarded(btnCadastrar, &QPushButton::clicked, this, m_ctx.messages, [this] { btnCadastrarClick(); });
    connectGuarded(btnAtualizar, &QPushButton::clicked, this, m_ctx.messages, [this] { btnAtualizarClick(); });
    connectGuarded(btnLimpar, &QPushButton::clicked, this, m_ctx.messages, [this] { btnLimparClick(); });
}

// The telephone comes first, so that a known client is on the form before the
// lists are loaded; the lists then have no entry highlighted until their
// edits change again.
void TfrmCadCliente::FormCreate()
{
    if (m_ctx.mainLink)
        edtTelefone->setText(m_ctx.mainLink->telephone());
    m_bairro->fill();
    m_categoria->fill();
    m_cidade->fill();
    m_logradouro->fill();
}

void TfrmCadCliente::edtTelefoneChange()
{
    CarregaClientePorTelefone();
}

// Runs at every change of the telephone, digit by digit: a number that is
// some client's fills the form; one that is nobody's changes nothing.
void TfrmCadCliente::CarregaClientePorTelefone()
{
    Query &q = m_ctx.modules.DMBUSCA().QryConsultaCliente;
    q.close();
    q.setText(QString::fromLatin1(ClientLookupText));
    q.paramByName(QStringLiteral("Pfone")).setAsString(edtTelefone->text());
    q.open();
    if (q.isEmpty())
        return;
    const std::pair<const char *, QLineEdit *> columns[] = {
        {"nome", edtNome},
        {"nome_logradouro", edtNome_logradouro},
        {"numero", edtNumero},
        {"antiga", edtAntiga},
        {"complemento", edtComplemento},
        {"bairro", edtBairro},
        {"id_cidade", edt_idCidade},
        {"cidade", edtCidade},
        {"uf", edtUF},
        {"cep", edtCep},
        {"categoria_telefone", edt_ct_telefone},
        {"id_logradouro", edt_id_logradouro},
        {"id_bairro", edt_id_bairro},
        {"id_categoria", edt_id_ct_telefone},
    };
    for (const auto &[column, edit] : columns)
        copyUnlessNull(q.fieldByName(QLatin1String(column)), edit);
    // Writing the lookup edits showed their lists and moved their highlights;
    // the highlights stay, the lists go.
    for (QListWidget *list : {lstBairro, lstCATEGORIATELEFONE, lstcidade, lstlogradouro})
        list->hide();
}

// A street chosen brings its own neighbourhood (where it begins), postal
// code, city and state, replacing what the form held.
void TfrmCadCliente::takeStreetColumns()
{
    const std::pair<const char *, QLineEdit *> columns[] = {
        {"BAIRRO_INICIO", edtBairro}, {"id_bairro", edt_id_bairro}, {"cep", edtCep},
        {"cidade", edtCidade},        {"id_cidade", edt_idCidade},   {"uf", edtUF},
    };
    for (const auto &[column, edit] : columns)
        copyUnlessNull(m_logradouro->field(QLatin1String(column)), edit);
    lstBairro->hide();
    lstcidade->hide();
    lstlogradouro->hide();
}

void TfrmCadCliente::streetNotTaken(bool highlighted)
{
    if (highlighted)
        return;
    m_ctx.messages.warningYes(QStringLiteral("Nome do logradouro invalido"));
    edtNome_logradouro->setFocus();
}

void TfrmCadCliente::btnCadastrarClick()
{
    VerificaCamposRequeridos(this);
    GravaNovoCliente();
}

// The number goes back to the main window only once it is stored: a refused
// insert (a number already registered, an id never taken from its list)
// stops here with its error, and the screen stays open with what was typed.
void TfrmCadCliente::GravaNovoCliente()
{
    Query &q = QryCadCliente;
    q.close();
    q.setText(QString::fromLatin1(InsertText));
    const int telefone = convert::toInteger(edtTelefone->text());
    q.paramByName(QStringLiteral("pTELEFONE")).setAsInteger(telefone);
    q.paramByName(QStringLiteral("pNOMECLIENTE")).setAsString(edtNome->text());
    q.paramByName(QStringLiteral("pIDLOGRADOURO")).setAsInteger(convert::toInteger(edt_id_logradouro->text()));
    q.paramByName(QStringLiteral("pNUMERO")).setAsString(edtNumero->text());
    q.paramByName(QStringLiteral("pCOMPLEMENTO")).setAsString(edtComplemento->text());
    q.paramByName(QStringLiteral("pANTIGA")).setAsString(edtAntiga->text());
    q.paramByName(QStringLiteral("pIDBAIRRO")).setAsInteger(convert::toInteger(edt_id_bairro->text()));
    q.paramByName(QStringLiteral("pIDCIDADE")).setAsInteger(convert::toInteger(edt_idCidade->text()));
    q.paramByName(QStringLiteral("pUF")).setAsString(edtUF->text());
    q.paramByName(QStringLiteral("pCEP")).setAsString(edtCep->text());
    q.paramByName(QStringLiteral("pIDCATEGORIA")).setAsInteger(convert::toInteger(edt_id_ct_telefone->text()));
    q.paramByName(QStringLiteral("pIDUSUARIO")).setAsInteger(m_ctx.user.UsuarioLogadoId);
    q.execute();

    m_ctx.messages.information(QStringLiteral("Cadastro realizado com sucesso !"));
    if (m_ctx.mainLink) {
        // The number as stored ("01234567" is kept as 1234567), so that the
        // main window finds the client it hands over.
        m_ctx.mainLink->handBackTelephone(QString::number(telefone));
        m_ctx.mainLink->focusRequester();
    }
    accept();
}

void TfrmCadCliente::btnAtualizarClick()
{
    Query &q = QryAtualizacliente;
    q.close();
    q.setText(QString::fromLatin1(UpdateText));
    q.paramByName(QStringLiteral("pnome")).setAsString(edtNome->text());
    q.paramByName(QStringLiteral("pidlogradouro")).setAsInteger(convert::toInteger(edt_id_logradouro->text()));
    q.paramByName(QStringLiteral("pnumero")).setAsString(edtNumero->text());
    q.paramByName(QStringLiteral("pcomplemento")).setAsString(edtComplemento->text());
    q.paramByName(QStringLiteral("pAntiga")).setAsString(edtAntiga->text());
    q.paramByName(QStringLiteral("pIdbairro")).setAsInteger(convert::toInteger(edt_id_bairro->text()));
    q.paramByName(QStringLiteral("pIdcidade")).setAsInteger(convert::toInteger(edt_idCidade->text()));
    q.paramByName(QStringLiteral("pUf")).setAsString(edtUF->text());
    q.paramByName(QStringLiteral("pCep")).setAsString(edtCep->text());
    q.paramByName(QStringLiteral("pCategoria")).setAsInteger(convert::toInteger(edt_id_ct_telefone->text()));
    q.paramByName(QStringLiteral("ptelefone")).setAsInteger(convert::toInteger(edtTelefone->text()));
    q.execute();
    // Said also when no client has the number: the statement ran.
    m_ctx.messages.information(QStringLiteral("Cliente atualizado com sucesso !"));
}

// A fresh form, as an opening with no number gives it: every edit and id
// emptied, no list entry highlighted, the focus on the telephone.
void TfrmCadCliente::btnLimparClick()
{
    LimpaCampos(this);
    for (QListWidget *list : {lstBairro, lstCATEGORIATELEFONE, lstcidade, lstlogradouro}) {
        list->setCurrentRow(-1);
        list->hide();
    }
    edtTelefone->setFocus();
}

// Escape does not close the screen: what was typed would be lost. The
// close box closes it.
void TfrmCadCliente::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace rv
