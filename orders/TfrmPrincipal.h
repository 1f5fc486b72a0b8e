#pragma once
// The main window: the attendant's working screen and the hub from which
// every other screen is opened. Its creation runs the login first; when the
// login does not succeed the window is never shown and the program ends.
//
// The upper part identifies the caller by telephone (the client's record, the
// call count and stand, the five latest orders); the order panel below takes
// the requester, the pick-up address, the destination, the route with its
// fares, the courier and an observation, and stores the order. Beside them the
// list of rented radios is refreshed every second.

#include "app/common/AppContext.h"
#include "app/common/MainWindowLink.h"

#include <QMainWindow>

class QFrame;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class QVBoxLayout;

namespace rv {

class DatasetGrid;
class LookupList;

class TfrmPrincipal : public QMainWindow, public MainWindowLink {
    Q_OBJECT

public:
    static constexpr const char *DesignedCaption = "Ravelto Moto Táxi 24 hs:";

    explicit TfrmPrincipal(AppContext &context, QWidget *parent = nullptr);
    ~TfrmPrincipal() override;

    // False after a cancelled login: the program ends without using this window.
    bool loginSucceeded() const { return m_loginSucceeded; }

    // MainWindowLink: what other screens may do to this window.
    QString telephone() const override;
    void handBackTelephone(const QString &telephone) override;
    void focusRequester() override;
    void reloadRentedRadios() override;

    // The one-second refresh of the rented radios (the timer's handler; tests
    // drive it directly instead of waiting for the timer).
    void timerTimer();

    // The text the status line shows about the refresh ("" while all is well).
    QString refreshStatus() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildUpperPart(QWidget *parent, QVBoxLayout *work);
    void buildOrderPanel(QWidget *parent, QVBoxLayout *work);
    QLayout *buildRadioList(QWidget *parent);
    void setTabOrder();
    void connectHandlers();
    void buildMenus();
    void loadLists();

    void FormCreate();
    void FormClose();
    bool login();

    // Caller identification.
    void edtTelefoneChange();
    bool IdentificaChamador();
    void edtSolicitanteExit();
    void BitBtn2Click();
    void BitBtn4Click();
    void LimpaTela();
    // The client registration, opened from one place only so that a hand-back
    // while it is open never opens a second one.
    void openClientRegistration();

    // Opening a screen by kind from the menu or the window: a restricted one
    // does nothing, silently, unless the user's access level is 3, and a kind
    // the program does not hold (yet) opens nothing.
    enum class Access { All, Restricted };
    void openScreen(const QString &kind, Access access = Access::All);

    // The menu's actions.
    void ac_ClienteExecute();
    void ac_cLogradouroExecute();
    void ac_BairroExecute();
    void ac_c_mCorridasdiaExecute();
    void ac_DataExecute();
    void ac_mTurnoDataExecute();
    void ac_CclienteExecute();
    void ac_cPedidoExecute();
    void ac_CmotoqueiroExecute();
    void ac_cAntigasExecute();
    void ac_cTrajetoExecute();
    void ac_RestatisticasExecute();
    void ac_motoTurnoExecute();
    void ac_mNaoTrabalhandoExecute();
    void ac_MextratoExecute();
    void ac_rLocarExecute();
    void ac_RDevolverExecute();
    void ac_RreceberExecute();
    void ac_RparceirosExecute();
    void ac_diaExecute();

    // Destination, route and fare.
    void Edtnome_logradouroPDExit();
    void edtDestinoExit();
    void edtTrajetoExit();

    // Courier and registration. EdtMotoPDChange is the courier lookup's change
    // rule and EdtMotoPDKeyPress its digits-only filter (both installed in
    // connectHandlers).
    void EdtMotoPDExit();
    void btnRegistraPDClick();
    void btnCancelaPDClick();
    void GravaPedido();
    void CarregaRadiosLocados();
    void refreshFailed(const QString &text);
    void refreshRecovered();

    AppContext &m_ctx;
    bool m_loginSucceeded = false;

    // Upper part.
    QLineEdit *edtTelefone = nullptr;
    QLineEdit *edtNome = nullptr;
    QLineEdit *EdtLogradouro = nullptr;
    QLineEdit *edtNome_logradouro = nullptr;
    QLineEdit *edtNumero = nullptr;
    QLineEdit *edtAntiga = nullptr;
    QLineEdit *edtComplemento = nullptr;
    QLineEdit *edtBairro = nullptr;
    QLineEdit *edtCidade = nullptr;
    QLineEdit *edtUF = nullptr;
    QLineEdit *edtCep = nullptr;
    QLineEdit *edt_ct_telefone = nullptr;
    QPushButton *BitBtn4 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QLineEdit *edtTotalChamadas = nullptr;
    QLineEdit *edtPonto = nullptr;
    DatasetGrid *grdPedido = nullptr;
    QLineEdit *edt_id_logradouro = nullptr;
    QLineEdit *edt_id_bairro = nullptr;
    QLineEdit *edt_id_ct_telefone = nullptr;

    // Order panel.
    QFrame *pnPedido = nullptr;
    QLineEdit *edtSolicitante = nullptr;
    QLineEdit *Edtnome_logradouroPD = nullptr;
    QLineEdit *edtnumeropd = nullptr;
    QLineEdit *edtComplementoPD = nullptr;
    QLineEdit *edtAntigaPd = nullptr;
    QLineEdit *edtDestino = nullptr;
    QLineEdit *edtTrajeto = nullptr;
    QLineEdit *edtValorDia = nullptr;
    QLineEdit *edtValornoite = nullptr;
    QLineEdit *EdtMotoPD = nullptr;
    QLineEdit *edtOBSpd = nullptr;
    QPushButton *btnRegistraPD = nullptr;
    QPushButton *btnCancelaPD = nullptr;
    QLineEdit *edt_id_logradouroPd = nullptr;
    QLineEdit *edt_id_destinoPd = nullptr;
    QLineEdit *edt_idTrajeto = nullptr;
    QListWidget *lstlogradouropd = nullptr;
    QListWidget *lstdestino = nullptr;
    QListWidget *lsttrajeto = nullptr;
    QListWidget *lstMotoqueiro = nullptr;

    // Rented radios.
    QListWidget *lstMotoqueiroRadio = nullptr;
    QLabel *lbltotalradio = nullptr;
    QTimer *timer = nullptr;

    LookupList *m_logradouro = nullptr;
    LookupList *m_destino = nullptr;
    LookupList *m_trajeto = nullptr;
    LookupList *m_moto = nullptr;

    bool m_registrationOpen = false;
    // The refresh: running (a message it shows must not let the next tick in),
    // and failing since its first failure was reported.
    bool m_refreshing = false;
    bool m_refreshFailing = false;
    // While the refresh fails it is tried again every few ticks only: reaching a
    // server that is out of reach can block for seconds each time.
    static constexpr int RetryEveryTicks = 5;
    int m_ticksToRetry = 0;
    QLabel *m_refreshStatus = nullptr;
};

} // namespace rv
