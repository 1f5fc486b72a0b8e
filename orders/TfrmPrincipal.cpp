#include "TfrmPrincipal.h"

#include "app/common/AbreFormModal.h"
#include "app/common/DatasetGrid.h"
#include "app/common/FloatingList.h"
#include "app/common/FormFields.h"
#include "app/common/Guard.h"
#include "app/common/KeyRules.h"
#include "app/common/LookupList.h"
#include "app/common/ServerDates.h"
#include "app/login/Tfrmlog.h"
#include "data/Convert.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace rv {

namespace {

const char *const CadastroCliente = "TfrmCadCliente";

const char *const InsertPedido =
    "insert into pedido (telefone,solicitante,id_logradouro,numero,complemento,antiga,id_bairro,id_destino,"
    "id_trajeto,VALOR,ID_MOTOQUEIRO,ID_CATEGORIA,ID_USUARIO,OBS ) values  (:pTelefone,:pSolicitante,:pIDlogradouro,"
    ":pNUMERO,:pCOMPLEMENTO,:pANTIGA,:pIdbairro,:pID_DESTINO,:pIDtrajeto,:pVALOR,:pID_MOTOQUEIRO,:pID_CATEGORIA,"
    ":PID_USUARIO,:pOBS )";

QLineEdit *newEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

// An id field: holds a key as text, never shown, never reached.
QLineEdit *newHiddenEdit(QWidget *parent, const char *name)
{
    QLineEdit *edit = newEdit(parent, name);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->hide();
    return edit;
}

QListWidget *newList(QWidget *parent, const char *name)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    return list;
}

QPushButton *newButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

// A field with its label above it, in a grid of label rows and field rows.
QLabel *addLabelled(QGridLayout *grid, int row, int column, const QString &label, QWidget *field, int stretch = 0,
                    int span = 1)
{
    auto *caption = new QLabel(label, field->parentWidget());
    caption->setBuddy(field);
    grid->addWidget(caption, row, column);
    grid->addWidget(field, row + 1, column, 1, span);
    if (stretch > 0)
        grid->setColumnStretch(column, stretch);
    return caption;
}

// A short field: as wide as the characters it takes, not stretched.
void fitChars(QLineEdit *edit, int chars)
{
    const int width = edit->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 16;
    edit->setMinimumWidth(width);
    edit->setMaximumWidth(width + width / 2);
}

// A read-only figure shown as text rather than as a field.
void makeBorderless(QLineEdit *edit)
{
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setFocusPolicy(Qt::ClickFocus); // skipped by Tab and Enter
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    edit->setPalette(p);
    QFont f = edit->font();
    f.setBold(true);
    edit->setFont(f);
}

} // namespace

TfrmPrincipal::TfrmPrincipal(AppContext &context, QWidget *parent) : QMainWindow(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(QString::fromUtf8(DesignedCaption));
    setWindowState(Qt::WindowMaximized);
    m_ctx.mainWindow = this;
    m_ctx.mainLink = this;

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnPrincipal"));
    setCentralWidget(central);
    auto *columns = new QHBoxLayout(central);
    auto *work = new QVBoxLayout;
    columns->addLayout(work, 1);
    buildUpperPart(central, work);
    buildOrderPanel(central, work);
    columns->addLayout(buildRadioList(central));

    m_refreshStatus = new QLabel(this);
    m_refreshStatus->setObjectName(QStringLiteral("lblStatusAtualizacao"));
    statusBar()->addWidget(m_refreshStatus, 1);

    setTabOrder();
    connectHandlers();
    buildMenus();

    // The refresh runs from the creation of the window on, the login included.
    timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("timer"));
    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this, [this] { timerTimer(); });
    timer->start();

    FormCreate();
}

TfrmPrincipal::~TfrmPrincipal()
{
    if (m_ctx.mainWindow == this)
        m_ctx.mainWindow = nullptr;
    if (m_ctx.mainLink == this)
        m_ctx.mainLink = nullptr;
}

// ------------------------------------------------------------------ layout

void TfrmPrincipal::buildUpperPart(QWidget *parent, QVBoxLayout *work)
{

    edtTelefone = newEdit(parent, "edtTelefone");
    edtTelefone->setMaxLength(8);
    fitChars(edtTelefone, 10);
    edtNome = newEdit(parent, "edtNome");
    EdtLogradouro = newEdit(parent, "EdtLogradouro");
    EdtLogradouro->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
    fitChars(EdtLogradouro, 10);
    edtNome_logradouro = newEdit(parent, "edtNome_logradouro");
    edtNumero = newEdit(parent, "edtNumero");
    fitChars(edtNumero, 6);
    edtAntiga = newEdit(parent, "edtAntiga");
    edtComplemento = newEdit(parent, "edtComplemento");
    edtBairro = newEdit(parent, "edtBairro");
    edtCidade = newEdit(parent, "edtCidade");
    edtUF = newEdit(parent, "edtUF");
    edtUF->setReadOnly(true);
    fitChars(edtUF, 3);
    edtCep = newEdit(parent, "edtCep");
    fitChars(edtCep, 10);
    edt_ct_telefone = newEdit(parent, "edt_ct_telefone");
    BitBtn4 = newButton(parent, "BitBtn4", QStringLiteral("&Limpar"));
    BitBtn2 = newButton(parent, "BitBtn2", QStringLiteral("&Alterar"));
    edtTotalChamadas = newEdit(parent, "edtTotalChamadas");
    makeBorderless(edtTotalChamadas);
    fitChars(edtTotalChamadas, 6);
    edtPonto = newEdit(parent, "edtPonto");
    makeBorderless(edtPonto);

    edt_id_logradouro = newHiddenEdit(parent, "edt_id_logradouro");
    edt_id_bairro = newHiddenEdit(parent, "edt_id_bairro");
    edt_id_ct_telefone = newHiddenEdit(parent, "edt_id_ct_telefone");

    SomenteDigitos(edtTelefone);
    SomenteDigitos(edtNumero);
    for (QLineEdit *e : {edtNome, EdtLogradouro, edtNome_logradouro, edtAntiga, edtComplemento, edtBairro, edtCidade,
                         edtCep, edt_ct_telefone})
        forceUpperCase(e);

    auto *client = new QGridLayout;
    client->setVerticalSpacing(2);
    addLabelled(client, 0, 0, QStringLiteral("Telefone"), edtTelefone);
    addLabelled(client, 0, 1, QStringLiteral("Nome"), edtNome, 4);
    addLabelled(client, 0, 2, QStringLiteral("logradouro"), EdtLogradouro);
    addLabelled(client, 0, 3, QStringLiteral("Endereço"), edtNome_logradouro, 5);
    addLabelled(client, 0, 4, QStringLiteral("Nº"), edtNumero);
    addLabelled(client, 0, 5, QStringLiteral("Antiga"), edtAntiga, 2);
    addLabelled(client, 0, 6, QStringLiteral("Complemento"), edtComplemento, 3);

    auto *place = new QGridLayout;
    place->setVerticalSpacing(2);
    addLabelled(place, 0, 0, QStringLiteral("Bairro"), edtBairro, 3);
    addLabelled(place, 0, 1, QStringLiteral("Cidade"), edtCidade, 4);
    addLabelled(place, 0, 2, QStringLiteral("UF"), edtUF);
    addLabelled(place, 0, 3, QStringLiteral("Cep"), edtCep);
    addLabelled(place, 0, 4, QStringLiteral("Categoria Telefone"), edt_ct_telefone, 3);
    place->addWidget(BitBtn4, 1, 5);
    place->addWidget(BitBtn2, 1, 6);
    addLabelled(place, 0, 7, QStringLiteral("Chamadas"), edtTotalChamadas);
    addLabelled(place, 0, 8, QStringLiteral("Ponto:"), edtPonto, 6);

    grdPedido = new DatasetGrid(m_ctx.messages, parent);
    grdPedido->setObjectName(QStringLiteral("grdPedido"));
    // The column widths were drawn for a small font whose digits are five
    // pixels wide; they grow with the font in use, so that a value and a time
    // stay readable.
    const double scale = std::max(1.0, grdPedido->fontMetrics().horizontalAdvance(QLatin1Char('0')) / 5.0);
    auto wide = [scale](int width) { return int(width * scale + 0.5); };
    grdPedido->bind(&m_ctx.modules.DMBUSCA().cdspedidoTop5ped,
                    {gridColumn(QStringLiteral("ID_MOTOQUEIRO")).titled(QStringLiteral("Moto")).wide(wide(70)).centred()
                         .coloured(QColor(Qt::darkRed)),
                     gridColumn(QStringLiteral("SOLICITANTE")).wide(wide(120)),
                     gridColumn(QStringLiteral("VALOR")).wide(wide(50)), gridColumn(QStringLiteral("USUARIO")).wide(wide(80)),
                     gridColumn(QStringLiteral("Data")).wide(wide(130)), gridColumn(QStringLiteral("OBS")).wide(wide(150))});
    grdPedido->setFocusPolicy(Qt::ClickFocus);
    grdPedido->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdPedido->horizontalHeader()->setStretchLastSection(true);
    // Room for the five orders, no more.
    grdPedido->setFixedHeight(grdPedido->horizontalHeader()->sizeHint().height()
                              + 5 * grdPedido->verticalHeader()->defaultSectionSize() + 2 * grdPedido->frameWidth()
                              + 2);
    grdPedido->hide();

    work->addLayout(client);
    work->addLayout(place);
    work->addWidget(grdPedido);
}

void TfrmPrincipal::buildOrderPanel(QWidget *parent, QVBoxLayout *work)
{

    pnPedido = new QFrame(parent);
    pnPedido->setObjectName(QStringLiteral("pnPedido"));
    pnPedido->setFrameShape(QFrame::StyledPanel);
    QWidget *p = pnPedido;

    edtSolicitante = newEdit(p, "edtSolicitante");
    Edtnome_logradouroPD = newEdit(p, "Edtnome_logradouroPD");
    edtnumeropd = newEdit(p, "edtnumeropd");
    fitChars(edtnumeropd, 6);
    edtComplementoPD = newEdit(p, "edtComplementoPD");
    edtAntigaPd = newEdit(p, "edtAntigaPd");
    edtDestino = newEdit(p, "edtDestino");
    edtTrajeto = newEdit(p, "edtTrajeto");
    edtValorDia = newEdit(p, "edtValorDia");
    fitChars(edtValorDia, 7);
    edtValornoite = newEdit(p, "edtValornoite");
    fitChars(edtValornoite, 7);
    EdtMotoPD = newEdit(p, "EdtMotoPD");
    EdtMotoPD->setMaxLength(4);
    fitChars(EdtMotoPD, 6);
    edtOBSpd = newEdit(p, "edtOBSpd");
    btnRegistraPD = newButton(p, "btnRegistraPD", QStringLiteral("&Registra"));
    btnCancelaPD = newButton(p, "btnCancelaPD", QStringLiteral("&Cancela"));
    edt_id_logradouroPd = newHiddenEdit(p, "edt_id_logradouroPd");
    edt_id_destinoPd = newHiddenEdit(p, "edt_id_destinoPd");
    edt_idTrajeto = newHiddenEdit(p, "edt_idTrajeto");

    SomenteDigitos(edtnumeropd);
    SomenteDigitos(edtValorDia);
    SomenteDigitos(edtValornoite);
    SomenteDigitos(EdtMotoPD); // EdtMotoPDKeyPress
    for (QLineEdit *e : {edtSolicitante, Edtnome_logradouroPD, edtComplementoPD, edtAntigaPd, edtDestino, edtTrajeto,
                         edtOBSpd})
        forceUpperCase(e);

    auto *grid = new QGridLayout(pnPedido);
    grid->setVerticalSpacing(2);
    addLabelled(grid, 0, 0, QStringLiteral("Solicitante"), edtSolicitante, 4);
    addLabelled(grid, 0, 1, QStringLiteral("&Endereço"), Edtnome_logradouroPD, 5);
    addLabelled(grid, 0, 2, QStringLiteral("&Nº"), edtnumeropd);
    addLabelled(grid, 0, 3, QStringLiteral("&Complemento"), edtComplementoPD, 3);
    addLabelled(grid, 0, 4, QStringLiteral("&Antiga"), edtAntigaPd, 2);
    addLabelled(grid, 2, 0, QStringLiteral("&Destino"), edtDestino);
    addLabelled(grid, 2, 1, QStringLiteral("&Trajeto:"), edtTrajeto);
    auto *fares = new QHBoxLayout;
    auto *day = new QVBoxLayout;
    auto *night = new QVBoxLayout;
    auto *dayLabel = new QLabel(QStringLiteral("&Valor dia:"), p);
    dayLabel->setBuddy(edtValorDia);
    auto *nightLabel = new QLabel(QStringLiteral("&Valor noite:"), p);
    nightLabel->setBuddy(edtValornoite);
    day->addWidget(dayLabel);
    day->addWidget(edtValorDia);
    night->addWidget(nightLabel);
    night->addWidget(edtValornoite);
    fares->addLayout(day);
    fares->addLayout(night);
    grid->addLayout(fares, 2, 2, 2, 2, Qt::AlignLeft);
    addLabelled(grid, 2, 4, QStringLiteral("&Moto"), EdtMotoPD);
    addLabelled(grid, 4, 0, QStringLiteral("&OBS:"), edtOBSpd, 0, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnRegistraPD);
    buttons->addWidget(btnCancelaPD);
    grid->addLayout(buttons, 5, 3, 1, 2);
    pnPedido->hide();

    work->addWidget(pnPedido);
    work->addStretch(1);

    // The list boxes of the lookups float under their edits.
    lstlogradouropd = newList(parent, "lstlogradouropd");
    lstdestino = newList(parent, "lstdestino");
    lsttrajeto = newList(parent, "lsttrajeto");
    lstMotoqueiro = newList(parent, "lstMotoqueiro");
    floatUnderEdit(Edtnome_logradouroPD, lstlogradouropd);
    floatUnderEdit(edtDestino, lstdestino);
    floatUnderEdit(edtTrajeto, lsttrajeto);
    floatUnderEdit(EdtMotoPD, lstMotoqueiro);

    MessageService &messages = m_ctx.messages;
    TDMBUSCA &dm = m_ctx.modules.DMBUSCA();
    m_logradouro = new LookupList(Edtnome_logradouroPD, lstlogradouropd, messages, this, LookupList::Leave::ByScreen);
    m_logradouro->setSource(dm.cdsListalogradouro, QStringLiteral("nome_logradouro"), QStringLiteral("id_logradouro"),
                            edt_id_logradouroPd);
    m_destino = new LookupList(edtDestino, lstdestino, messages, this, LookupList::Leave::ByScreen);
    m_destino->setSource(dm.cdslistabairro, QStringLiteral("bairro"), QStringLiteral("id_bairro"), edt_id_destinoPd);
    m_trajeto = new LookupList(edtTrajeto, lsttrajeto, messages, this, LookupList::Leave::ByScreen);
    m_trajeto->setSource(dm.cdsListatrajeto, QStringLiteral("trajeto"), QStringLiteral("id_trajeto"), edt_idTrajeto);
    // EdtMotoPDChange: the change rule of this lookup.
    m_moto = new LookupList(EdtMotoPD, lstMotoqueiro, messages, this, LookupList::Leave::ByScreen);
    m_moto->setSource(dm.cdsRelRadioLocado, QStringLiteral("Nr_Matricula"));
    m_moto->setSorted(true);

    // Required fields, in the order the refusal names them.
    declareFields(this, {edtSolicitante, edtnumeropd, edtDestino, edtTrajeto, edtValornoite, Edtnome_logradouroPD,
                         edtValorDia});
    markRequired(edtSolicitante, QStringLiteral("Solicitante"));
    markRequired(edtnumeropd, QStringLiteral("Número"));
    markRequired(edtDestino, QStringLiteral("Destino"));
    markRequired(edtTrajeto, QStringLiteral("Trajeto"));
    markRequired(edtValornoite, QStringLiteral("Valor Noite"));
    markRequired(Edtnome_logradouroPD, QStringLiteral("Endereço"));
    markRequired(edtValorDia, QStringLiteral("Valor Dia"));
}

QLayout *TfrmPrincipal::buildRadioList(QWidget *parent)
{
    auto *radios = new QVBoxLayout;
    auto *heading = new QLabel(QStringLiteral("Rádio"), parent);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    lstMotoqueiroRadio = newList(parent, "lstMotoqueiroRadio");
    lstMotoqueiroRadio->setFocusPolicy(Qt::ClickFocus);
    lstMotoqueiroRadio->setMinimumWidth(lstMotoqueiroRadio->fontMetrics().horizontalAdvance(
                                            QStringLiteral("000 - 0000 - MMMMMMMMMMMMMMMMMMMM")));
    lbltotalradio = new QLabel(parent);
    lbltotalradio->setObjectName(QStringLiteral("lbltotalradio"));
    lbltotalradio->setFont(bold);
    radios->addWidget(heading);
    radios->addWidget(lstMotoqueiroRadio, 1);
    radios->addWidget(lbltotalradio);
    return radios;
}

void TfrmPrincipal::setTabOrder()
{
    const QList<QWidget *> order = {edtTelefone,    edtNome,        EdtLogradouro, edtNome_logradouro,
                                    edtNumero,      edtAntiga,      edtComplemento, edtBairro,
                                    edtCidade,      edtUF,          edtCep,         edt_ct_telefone,
                                    BitBtn4,        BitBtn2,        edtTotalChamadas, edtPonto,
                                    grdPedido,      edtSolicitante, Edtnome_logradouroPD, edtnumeropd,
                                    edtComplementoPD, edtAntigaPd,  edtDestino,     edtTrajeto,
                                    edtValorDia,    edtValornoite,  EdtMotoPD,      edtOBSpd,
                                    btnRegistraPD,  btnCancelaPD};
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TfrmPrincipal::connectHandlers()
{
    MessageService &messages = m_ctx.messages;
    // FormKeyPress: Enter moves to the next field on the whole window.
    installEnterAsTab(this);

    connectGuarded(edtTelefone, &QLineEdit::textChanged, this, messages, [this] { edtTelefoneChange(); });
    onLeave(edtSolicitante, messages, [this] { edtSolicitanteExit(); });
    connectGuarded(BitBtn2, &QPushButton::clicked, this, messages, [this] { BitBtn2Click(); });
    connectGuarded(BitBtn4, &QPushButton::clicked, this, messages, [this] { BitBtn4Click(); });

    onLeave(Edtnome_logradouroPD, messages, [this] { Edtnome_logradouroPDExit(); });
    onLeave(edtDestino, messages, [this] { edtDestinoExit(); });
    onLeave(edtTrajeto, messages, [this] { edtTrajetoExit(); });
    onLeave(EdtMotoPD, messages, [this] { EdtMotoPDExit(); });

    connectGuarded(btnRegistraPD, &QPushButton::clicked, this, messages, [this] { btnRegistraPDClick(); });
    connectGuarded(btnCancelaPD, &QPushButton::clicked, this, messages, [this] { btnCancelaPDClick(); });
}

// ------------------------------------------------------------------- menus

// The menu bar. Each named action is one QAction, shared by the entries that
// name it, with its shortcut working anywhere in the window, the menu closed
// or not. An action with nothing to run is greyed out; a plain entry can be
// chosen and does nothing.
void TfrmPrincipal::buildMenus()
{
    MessageService &messages = m_ctx.messages;
    auto action = [&](const char *name, const QString &caption, std::function<void()> run,
                      const QKeySequence &shortcut = {}) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        if (!shortcut.isEmpty()) {
            a->setShortcut(shortcut);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        addAction(a);
        if (run)
            connectGuarded(a, &QAction::triggered, this, messages, std::move(run));
        else
            a->setEnabled(false);
        return a;
    };
    auto plain = [](QMenu *menu, const QString &caption) { menu->addAction(caption); };

    QAction *ac_Cliente = action("ac_Cliente", QStringLiteral("Cliente"), [this] { ac_ClienteExecute(); });
    QAction *ac_Clogradouro =
        action("ac_Clogradouro", QStringLiteral("Logradouro"), [this] { ac_cLogradouroExecute(); });
    QAction *ac_Bairro = action("ac_Bairro", QStringLiteral("Bairro"), [this] { ac_BairroExecute(); });
    QAction *ac_Cidade = action("ac_Cidade", QStringLiteral("Cidade"), {});
    QAction *ac_Trajeto = action("ac_Trajeto", QStringLiteral("Trajeto"), {});
    QAction *ac_c_mCorridasdia = action("ac_c_mCorridasdia", QStringLiteral("Corridas Dia"),
                                        [this] { ac_c_mCorridasdiaExecute(); }, QKeySequence(Qt::Key_F2));
    QAction *ac_Data = action("ac_Data", QStringLiteral("Data"), [this] { ac_DataExecute(); });
    QAction *ac_mTurnoData =
        action("ac_mTurnoData", QStringLiteral("Bairro por Turno"), [this] { ac_mTurnoDataExecute(); });
    QAction *ac_Clocacacoes = action("ac_Clocacacoes", QStringLiteral("Locações"), {});
    QAction *ac_cCliente = action("ac_cCliente", QStringLiteral("Cliente"), [this] { ac_CclienteExecute(); });
    QAction *ac_cPedido = action("ac_cPedido", QStringLiteral("Pedido"), [this] { ac_cPedidoExecute(); });
    QAction *ac_cMotoqueiro =
        action("ac_cMotoqueiro", QStringLiteral("Motoqueiro"), [this] { ac_CmotoqueiroExecute(); });
    QAction *ac_cFuncionario = action("ac_cFuncionario", QStringLiteral("Funcionario"), {});
    QAction *ac_Cantigas = action("ac_Cantigas", QStringLiteral("Antigas"), [this] { ac_cAntigasExecute(); });
    QAction *Ac_CTrajeto = action("Ac_CTrajeto", QStringLiteral("Trajeto"), [this] { ac_cTrajetoExecute(); });
    QAction *ac_RCliente = action("ac_RCliente", QStringLiteral("Cliente"), {});
    QAction *ac_rPedido = action("ac_rPedido", QStringLiteral("Pedido"), {});
    QAction *ac_Restatisticas =
        action("ac_Restatisticas", QStringLiteral("Estatisticas"), [this] { ac_RestatisticasExecute(); });
    QAction *ac_motoTurno = action("ac_motoTurno", QStringLiteral("Turno"), [this] { ac_motoTurnoExecute(); });
    QAction *ac_mNaoTrabalhando = action("ac_mNaoTrabalhando", QStringLiteral("Não Trabalhando"),
                                         [this] { ac_mNaoTrabalhandoExecute(); });
    QAction *ac_MExtrato = action("ac_MExtrato", QStringLiteral("Extrato"), [this] { ac_MextratoExecute(); });
    QAction *ac_rLocar = action("ac_rLocar", QStringLiteral("Locar"), [this] { ac_rLocarExecute(); },
                                QKeySequence(Qt::CTRL | Qt::Key_L));
    QAction *ac_RDevolver = action("ac_RDevolver", QStringLiteral("Devolver"), [this] { ac_RDevolverExecute(); },
                                   QKeySequence(Qt::CTRL | Qt::Key_D));
    QAction *ac_Rreceber = action("ac_Rreceber", QStringLiteral("Receber"), [this] { ac_RreceberExecute(); },
                                  QKeySequence(Qt::CTRL | Qt::Key_R));
    QAction *ac_Rparceiros = action("ac_Rparceiros", QStringLiteral("Parceiros de Rádio"),
                                    [this] { ac_RparceirosExecute(); }, QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction *ac_dia = action("ac_dia", QStringLiteral("Dia"), [this] { ac_diaExecute(); });
    QAction *ac_Uagendarcorrida = action("ac_Uagendarcorrida", QStringLiteral("Agenda Corrida"), {});
    QAction *ac_URecibo = action("ac_URecibo", QStringLiteral("Recibo"), {});

    QMenuBar *bar = menuBar();
    QMenu *cadastro = bar->addMenu(QStringLiteral("Cadastro"));
    cadastro->addAction(ac_Cliente);
    cadastro->addSeparator();
    plain(cadastro, QStringLiteral("Funcionario"));
    cadastro->addSeparator();
    cadastro->addAction(ac_Clogradouro);
    cadastro->addAction(ac_Bairro);
    cadastro->addAction(ac_Cidade);
    cadastro->addSeparator();
    cadastro->addAction(ac_Trajeto);
    cadastro->addSeparator();
    plain(cadastro, QStringLiteral("Motoqueiro"));
    cadastro->addSeparator();
    plain(cadastro, QStringLiteral("Sair"));

    QMenu *movimento = bar->addMenu(QStringLiteral("&Movimento"));
    QMenu *corridas = movimento->addMenu(QStringLiteral("Corridas"));
    corridas->addAction(ac_c_mCorridasdia);
    corridas->addAction(ac_Data);
    corridas->addAction(ac_mTurnoData);
    movimento->addAction(ac_Clocacacoes);

    QMenu *consulta = bar->addMenu(QStringLiteral("C&onsulta"));
    for (QAction *a : {ac_cCliente, ac_cPedido, ac_cMotoqueiro, ac_cFuncionario, ac_Clogradouro, ac_Cantigas,
                       Ac_CTrajeto})
        consulta->addAction(a);

    QMenu *relatorio = bar->addMenu(QStringLiteral("Relatório"));
    relatorio->addAction(ac_RCliente);
    relatorio->addAction(ac_rPedido);
    plain(relatorio, QStringLiteral("Financeiro"));
    relatorio->addAction(ac_Restatisticas);
    QMenu *motoqueiro = relatorio->addMenu(QStringLiteral("Motoqueiro"));
    motoqueiro->addAction(ac_motoTurno);
    motoqueiro->addAction(ac_mNaoTrabalhando);
    motoqueiro->addAction(ac_MExtrato);

    QMenu *radio = bar->addMenu(QStringLiteral("Rádio"));
    for (QAction *a : {ac_rLocar, ac_RDevolver, ac_Rreceber, ac_Rparceiros})
        radio->addAction(a);

    QMenu *caixa = bar->addMenu(QStringLiteral("Caixa"));
    caixa->addAction(ac_dia);
    caixa->addAction(ac_Data);
    caixa->addAction(ac_Rreceber);
    plain(caixa, QStringLiteral("Lançar Saidas"));
    plain(caixa, QStringLiteral("Contas a pagar "));
    plain(caixa, QStringLiteral("Contas a Receber "));

    QMenu *utilitarios = bar->addMenu(QStringLiteral("Utilitarios"));
    utilitarios->addAction(ac_Uagendarcorrida);
    utilitarios->addSeparator();
    utilitarios->addAction(ac_URecibo);
}

void TfrmPrincipal::openScreen(const QString &kind, Access access)
{
    if (access == Access::Restricted && m_ctx.user.UsuarioLogadoAcesso != 3)
        return;
    // Screens still to come are not registered: their entries do nothing.
    if (!m_ctx.screens.contains(kind))
        return;
    AbreFormModal(m_ctx, kind);
}

void TfrmPrincipal::ac_ClienteExecute() { openClientRegistration(); }
void TfrmPrincipal::ac_cLogradouroExecute() { openScreen(QStringLiteral("TfrmConsultaLogradouro")); }
void TfrmPrincipal::ac_BairroExecute() { openScreen(QStringLiteral("TfrmCadBairro"), Access::Restricted); }
void TfrmPrincipal::ac_c_mCorridasdiaExecute() { openScreen(QStringLiteral("TfrmMovimentoPedido")); }
void TfrmPrincipal::ac_DataExecute() { openScreen(QStringLiteral("TfrmconsultaCaixaData"), Access::Restricted); }
void TfrmPrincipal::ac_mTurnoDataExecute() { openScreen(QStringLiteral("TfrmConsultaPedidoData"), Access::Restricted); }
void TfrmPrincipal::ac_CclienteExecute() { openScreen(QStringLiteral("TfrmCliente")); }
void TfrmPrincipal::ac_cPedidoExecute() { openScreen(QStringLiteral("TfrmMovimentoPedido")); }
void TfrmPrincipal::ac_CmotoqueiroExecute() { openScreen(QStringLiteral("TfrmMotoqueiro")); }
void TfrmPrincipal::ac_cAntigasExecute() { openScreen(QStringLiteral("TfrmConsultaRuasAntigas")); }
void TfrmPrincipal::ac_cTrajetoExecute() { openScreen(QStringLiteral("TfrmConsultaTrajeto")); }
void TfrmPrincipal::ac_RestatisticasExecute() { openScreen(QStringLiteral("TfrmRelestatisticas"), Access::Restricted); }
void TfrmPrincipal::ac_motoTurnoExecute() { openScreen(QStringLiteral("TfrmRelTurnoMotoqueiro"), Access::Restricted); }
void TfrmPrincipal::ac_mNaoTrabalhandoExecute() { openScreen(QStringLiteral("TfrmMotoqueiroAusente")); }
void TfrmPrincipal::ac_MextratoExecute() { openScreen(QStringLiteral("TfrmextratoMotoqueiro")); }
void TfrmPrincipal::ac_rLocarExecute() { openScreen(QStringLiteral("TfrmRadioLocar")); }
void TfrmPrincipal::ac_RDevolverExecute() { openScreen(QStringLiteral("TfrmRadioDevolucao")); }
void TfrmPrincipal::ac_RreceberExecute() { openScreen(QStringLiteral("TfrmLancamentosAvulso")); }
void TfrmPrincipal::ac_RparceirosExecute() { openScreen(QStringLiteral("TfrmParceirosRadio")); }

// Today's cash report at once, for everybody.
void TfrmPrincipal::ac_diaExecute()
{
    TRVFINANCEIRO &financeiro = m_ctx.modules.RVFINANCEIRO();
    HeldResult &caixa = financeiro.cdsCaixa;
    caixa.close();
    const ServerWindow today = dayWindow(m_ctx.clock.today());
    caixa.paramByName(QStringLiteral("datainicial")).setAsString(today.from);
    caixa.paramByName(QStringLiteral("datafinal")).setAsString(today.to);
    caixa.open();
    financeiro.run(QStringLiteral("rptRelatorioCaixa"));
}

// --------------------------------------------------------------- lifecycle

void TfrmPrincipal::FormCreate()
{
    m_loginSucceeded = login();
    if (!m_loginSucceeded) {
        // Cancelled: the window closes (and with it the connection) and the
        // program ends without showing it; nothing more is set up.
        FormClose();
        return;
    }
    CarregaRadiosLocados();
    loadLists();
    edtTelefone->setFocus();
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

// The route, street and destination lists, then the couriers holding a radio
// from the rows the radio list was just loaded from. Loaded once: what is
// registered later appears after a restart.
void TfrmPrincipal::loadLists()
{
    TDMBUSCA &dm = m_ctx.modules.DMBUSCA();
    m_trajeto->fill();
    m_logradouro->fill();
    // The destination list is first read from the neighbourhood query, which
    // stays open, and then refilled from the held result it looks rows up in.
    Query &bairros = dm.Qrylistabairro;
    bairros.close();
    bairros.setText(QStringLiteral("select * from bairro order by bairro "));
    bairros.open();
    m_destino->setEntries(columnTexts(bairros, QStringLiteral("bairro")));
    m_destino->fill();
    m_moto->fill();
}

void TfrmPrincipal::closeEvent(QCloseEvent *event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

// Closing the main window closes the connection; the program then ends. The
// refresh stops first, so that it does not open the connection again.
void TfrmPrincipal::FormClose()
{
    timer->stop();
    m_ctx.modules.connection().close();
}

// ------------------------------------------------------ caller identification

QString TfrmPrincipal::telephone() const
{
    return edtTelefone->text();
}

// The one routine that writes the telephone field for other screens: emptied
// first, so that the identification runs even for the number already there.
void TfrmPrincipal::handBackTelephone(const QString &telephone)
{
    edtTelefone->clear();
    edtTelefone->setText(telephone);
}

void TfrmPrincipal::focusRequester()
{
    edtSolicitante->setFocus();
}

void TfrmPrincipal::edtTelefoneChange()
{
    const bool found = IdentificaChamador();
    if (found || edtTelefone->text().size() < 8)
        return;
    // An open registration handing a number back that is still unregistered
    // (its insert failed) reports that itself; no second registration opens.
    if (m_registrationOpen)
        return;
    m_ctx.messages.information(QStringLiteral("Cliente Não cadastrado !"));
    openClientRegistration();
}

// The client's record, the five latest orders and the order panel for the
// number typed; false when no client has it (nothing changes then).
bool TfrmPrincipal::IdentificaChamador()
{
    TDMBUSCA &dm = m_ctx.modules.DMBUSCA();
    Query &q = dm.QryConsultaCliente;
    q.close();
    q.setText(QStringLiteral("select * from VW_CONSULTA_CLIENTE_TEL where fone= :Pfone"));
    q.paramByName(QStringLiteral("Pfone")).setAsString(edtTelefone->text());
    q.open();
    if (q.isEmpty())
        return false;

    // A NULL column leaves its field as it was.
    const QList<QPair<const char *, QLineEdit *>> fields = {
        {"nome", edtNome},
        {"logradouro", EdtLogradouro},
        {"nome_logradouro", edtNome_logradouro},
        {"numero", edtNumero},
        {"antiga", edtAntiga},
        {"complemento", edtComplemento},
        {"bairro", edtBairro},
        {"cidade", edtCidade},
        {"uf", edtUF},
        {"cep", edtCep},
        {"categoria_telefone", edt_ct_telefone},
        {"CHAMADAS", edtTotalChamadas},
        {"PONTO", edtPonto},
        {"id_logradouro", edt_id_logradouro},
        {"id_bairro", edt_id_bairro},
        {"id_categoria", edt_id_ct_telefone},
    };
    for (const auto &[column, edit] : fields) {
        const Field f = q.fieldByName(QLatin1String(column));
        if (!f.isNull()) {
            edit->setText(f.asString());
            edit->home(false); // a long text shows from its beginning
        }
    }

    grdPedido->show();
    HeldResult &top5 = dm.cdspedidoTop5ped;
    top5.close();
    top5.paramByName(QStringLiteral("pTelefone")).setAsInteger(convert::toInteger(edtTelefone->text()));
    top5.open();

    pnPedido->show();
    edtSolicitante->setFocus();
    lstMotoqueiro->hide();
    return true;
}

void TfrmPrincipal::edtSolicitanteExit()
{
    if (edtSolicitante->text().isEmpty())
        edtSolicitante->setText(edtNome->text());
}

void TfrmPrincipal::BitBtn2Click()
{
    if (edtTelefone->text().size() < 8) {
        m_ctx.messages.warning(QStringLiteral("Informe o telefone do cliente para atualização !"));
        return;
    }
    openClientRegistration();
}

void TfrmPrincipal::openClientRegistration()
{
    if (m_registrationOpen)
        return;
    m_registrationOpen = true;
    struct Reset {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{m_registrationOpen};
    openScreen(QLatin1String(CadastroCliente));
}

void TfrmPrincipal::BitBtn4Click()
{
    LimpaTela();
}

// Back to waiting for a call.
void TfrmPrincipal::LimpaTela()
{
    LimpaCampos(this);
    // The focus leaves the panel before the panel hides, so that it goes to
    // the telephone and not wherever the hiding would send it.
    edtTelefone->setFocus();
    grdPedido->hide();
    pnPedido->hide();
    EdtMotoPD->clear();
    lstMotoqueiro->hide();
}

// --------------------------------------------------- destination, route, fare

void TfrmPrincipal::Edtnome_logradouroPDExit()
{
    if (Edtnome_logradouroPD->text().isEmpty())
        Edtnome_logradouroPD->setText(edtNome_logradouro->text());
    edtnumeropd->setText(edtNumero->text());
    edtComplementoPD->setText(edtComplemento->text());
    edtAntigaPd->setText(edtAntiga->text());
    lstlogradouropd->hide();
    m_logradouro->apply();
}

void TfrmPrincipal::edtDestinoExit()
{
    if (edtDestino->text().isEmpty())
        edtDestino->setText(QStringLiteral("Não Informado"));
    edtTrajeto->setText(QStringLiteral("não informado"));
    edtValorDia->setText(QStringLiteral("0"));
    edtValornoite->setText(QStringLiteral("0"));
    if (!m_destino->apply())
        return;
    // The route proposed: the client's neighbourhood to the destination.
    edtTrajeto->setText(edtBairro->text() + QLatin1Char('/') + edtDestino->text());
    lstdestino->hide();
    lsttrajeto->hide();
}

void TfrmPrincipal::edtTrajetoExit()
{
    if (!m_trajeto->apply())
        return;
    edtValorDia->setText(m_trajeto->field(QStringLiteral("valorDia")).asString());
    edtValornoite->setText(m_trajeto->field(QStringLiteral("valorNoite")).asString());
}

// ---------------------------------------------------- courier, registration

void TfrmPrincipal::EdtMotoPDExit()
{
    HeldResult &radios = m_ctx.modules.DMBUSCA().cdsRelRadioLocado;
    radios.close();
    radios.open();
    if (EdtMotoPD->text().isEmpty()) {
        EdtMotoPD->setText(QStringLiteral("0"));
        lstMotoqueiro->hide();
        return;
    }
    // A number that begins no listed courier's stays as typed: the list's
    // earlier highlight belongs to another courier, and taking it would store
    // the order under the wrong courier.
    if (m_moto->find(EdtMotoPD->text()) < 0)
        return;
    // Only a courier who still holds a radio is taken.
    m_moto->apply();
}

void TfrmPrincipal::btnRegistraPDClick()
{
    VerificaCamposRequeridos(this);
    // Both answers store the order; Yes also clears the window for the next call.
    const bool fechar = m_ctx.messages.confirm(QStringLiteral("Fechar pedido ?"), QStringLiteral("Pedido"),
                                               MessageIcon::Question);
    GravaPedido();
    if (fechar)
        LimpaTela();
}

void TfrmPrincipal::btnCancelaPDClick()
{
    LimpaTela();
}

void TfrmPrincipal::GravaPedido()
{
    Query &q = m_ctx.modules.DMCADASTRO().QryCadPedido;
    q.close();
    q.clearText();
    q.setText(QLatin1String(InsertPedido));
    // Converted in this order: the first field that is not a number stops it.
    q.paramByName(QStringLiteral("pTelefone")).setAsInteger(convert::toInteger(edtTelefone->text()));
    q.paramByName(QStringLiteral("pSolicitante")).setAsString(edtSolicitante->text());
    q.paramByName(QStringLiteral("pIDlogradouro")).setAsInteger(convert::toInteger(edt_id_logradouroPd->text()));
    q.paramByName(QStringLiteral("pNUMERO")).setAsString(edtnumeropd->text());
    q.paramByName(QStringLiteral("pCOMPLEMENTO")).setAsString(edtComplementoPD->text());
    q.paramByName(QStringLiteral("pANTIGA")).setAsString(edtAntigaPd->text());
    q.paramByName(QStringLiteral("pIdbairro")).setAsInteger(convert::toInteger(edt_id_bairro->text()));
    q.paramByName(QStringLiteral("pID_DESTINO")).setAsInteger(convert::toInteger(edt_id_destinoPd->text()));
    q.paramByName(QStringLiteral("pIDtrajeto")).setAsInteger(convert::toInteger(edt_idTrajeto->text()));
    q.paramByName(QStringLiteral("pVALOR")).setAsCurrency(convert::toCurrency(edtValorDia->text()));
    q.paramByName(QStringLiteral("pID_MOTOQUEIRO")).setAsCurrency(convert::toCurrency(EdtMotoPD->text()));
    q.paramByName(QStringLiteral("pID_CATEGORIA")).setAsInteger(convert::toInteger(edt_id_ct_telefone->text()));
    q.paramByName(QStringLiteral("PID_USUARIO")).setAsInteger(m_ctx.user.UsuarioLogadoId);
    q.paramByName(QStringLiteral("pOBS")).setAsString(edtOBSpd->text());
    q.execute();
}

// ----------------------------------------------------------- rented radios

void TfrmPrincipal::reloadRentedRadios()
{
    CarregaRadiosLocados();
}

// The radio list from the rows cdsRelRadioLocado holds (opened when it is not).
void TfrmPrincipal::CarregaRadiosLocados()
{
    HeldResult &radios = m_ctx.modules.DMBUSCA().cdsRelRadioLocado;
    radios.open();
    radios.first();
    const QStringList texts = columnTexts(radios, QStringLiteral("radiomoto"));
    // Rebuilt only when it changed, so that a list the attendant scrolled
    // stays where it was from one second to the next.
    QStringList shown;
    shown.reserve(lstMotoqueiroRadio->count());
    for (int i = 0; i < lstMotoqueiroRadio->count(); ++i)
        shown << lstMotoqueiroRadio->item(i)->text();
    if (shown == texts)
        return;
    const int scrolled = lstMotoqueiroRadio->verticalScrollBar()->value();
    lstMotoqueiroRadio->clear();
    lstMotoqueiroRadio->addItems(texts);
    lstMotoqueiroRadio->verticalScrollBar()->setValue(scrolled);
}

// Every second: the list from the rows of the previous run, the count, and the
// procedure run again for the next one. While the database cannot be reached
// the failure is reported once, the refresh goes on trying quietly and the
// status line says so; it says when the refresh works again.
void TfrmPrincipal::timerTimer()
{
    // The error box of a failing refresh must not let the next tick in.
    if (m_refreshing)
        return;
    if (m_refreshFailing && --m_ticksToRetry > 0)
        return;
    m_refreshing = true;
    struct Reset {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{m_refreshing};

    HeldResult &radios = m_ctx.modules.DMBUSCA().cdsRelRadioLocado;
    try {
        CarregaRadiosLocados();
        radios.close();
        lbltotalradio->setText(QString::number(lstMotoqueiroRadio->count()));
        radios.open();
    } catch (const Error &e) {
        m_ticksToRetry = RetryEveryTicks;
        refreshFailed(e.text());
        return;
    }
    if (m_refreshFailing)
        refreshRecovered();
}

void TfrmPrincipal::refreshFailed(const QString &text)
{
    if (m_refreshFailing)
        return;
    m_refreshFailing = true;
    m_refreshStatus->setStyleSheet(QStringLiteral("color: darkred; font-weight: bold;"));
    m_refreshStatus->setText(QStringLiteral("Sem comunicação com o banco de dados: a lista de rádios não está "
                                            "sendo atualizada."));
    m_ctx.messages.error(text);
}

void TfrmPrincipal::refreshRecovered()
{
    m_refreshFailing = false;
    m_refreshStatus->setStyleSheet(QString());
    m_refreshStatus->setText(QStringLiteral("Comunicação com o banco de dados restabelecida às %1.")
                                 .arg(m_ctx.clock.now().time().toString(QStringLiteral("HH:mm:ss"))));
}

QString TfrmPrincipal::refreshStatus() const
{
    return m_refreshStatus->text();
}

} // namespace rv
