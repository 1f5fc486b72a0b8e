// The main window's menu bar: its entries and their actions, the access rule
// of the restricted actions, the shortcuts, the entries of screens still to
// come, and today's cash report.
#include "MainWindowFixture.h"

#include "reports/engine/ReportPreview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QTimer>

using namespace rv;
using namespace rv::test;

namespace {

// Every entry of the menu bar as "Menu > Entry", with the action it runs,
// its shortcut and whether it is greyed out; "-" for a separator.
void describe(QMenu *menu, const QString &path, QStringList &out)
{
    for (QAction *a : menu->actions()) {
        if (a->isSeparator()) {
            out << path + QStringLiteral(" > -");
            continue;
        }
        QString line = path + QStringLiteral(" > ") + a->text();
        if (a->menu()) {
            out << line + QStringLiteral(" >");
            describe(a->menu(), line, out);
            continue;
        }
        if (!a->objectName().isEmpty())
            line += QStringLiteral(" = ") + a->objectName();
        if (!a->shortcut().isEmpty())
            line += QLatin1Char(' ') + a->shortcut().toString();
        if (!a->isEnabled())
            line += QStringLiteral(" (greyed)");
        out << line;
    }
}

} // namespace

class MenuTest : public MainWindowTest {
protected:
    // Stand-ins under the kinds given: each records that it opened and closes at once.
    void registerStandIns(const QStringList &kinds)
    {
        for (const QString &kind : kinds)
            ctx().screens.add(kind, [this, kind](AppContext &, QWidget *parent) {
                opened << kind;
                auto dialog = std::make_unique<QDialog>(parent);
                QTimer::singleShot(0, dialog.get(), &QDialog::reject);
                return dialog;
            });
    }
    QAction *action(const char *name) { return find<QAction>(&window(), QLatin1String(name)); }

    QStringList opened;
};

TEST_P(MenuTest, TheMenuBarHoldsEveryEntryInOrder)
{
    openMainWindow();
    QStringList entries;
    for (QAction *top : window().menuBar()->actions()) {
        entries << top->text();
        describe(top->menu(), top->text(), entries);
    }
    const QStringList expected = {
        "Cadastro",
        "Cadastro > Cliente = ac_Cliente",
        "Cadastro > -",
        "Cadastro > Funcionario",
        "Cadastro > -",
        "Cadastro > Logradouro = ac_Clogradouro",
        "Cadastro > Bairro = ac_Bairro",
        "Cadastro > Cidade = ac_Cidade (greyed)",
        "Cadastro > -",
        "Cadastro > Trajeto = ac_Trajeto (greyed)",
        "Cadastro > -",
        "Cadastro > Motoqueiro",
        "Cadastro > -",
        "Cadastro > Sair",
        "&Movimento",
        "&Movimento > Corridas >",
        "&Movimento > Corridas > Corridas Dia = ac_c_mCorridasdia F2",
        "&Movimento > Corridas > Data = ac_Data",
        "&Movimento > Corridas > Bairro por Turno = ac_mTurnoData",
        "&Movimento > Locações = ac_Clocacacoes (greyed)",
        "C&onsulta",
        "C&onsulta > Cliente = ac_cCliente",
        "C&onsulta > Pedido = ac_cPedido",
        "C&onsulta > Motoqueiro = ac_cMotoqueiro",
        "C&onsulta > Funcionario = ac_cFuncionario (greyed)",
        "C&onsulta > Logradouro = ac_Clogradouro",
        "C&onsulta > Antigas = ac_Cantigas",
        "C&onsulta > Trajeto = Ac_CTrajeto",
        "Relatório",
        "Relatório > Cliente = ac_RCliente (greyed)",
        "Relatório > Pedido = ac_rPedido (greyed)",
        "Relatório > Financeiro",
        "Relatório > Estatisticas = ac_Restatisticas",
        "Relatório > Motoqueiro >",
        "Relatório > Motoqueiro > Turno = ac_motoTurno",
        "Relatório > Motoqueiro > Não Trabalhando = ac_mNaoTrabalhando",
        "Relatório > Motoqueiro > Extrato = ac_MExtrato",
        "Rádio",
        "Rádio > Locar = ac_rLocar Ctrl+L",
        "Rádio > Devolver = ac_RDevolver Ctrl+D",
        "Rádio > Receber = ac_Rreceber Ctrl+R",
        "Rádio > Parceiros de Rádio = ac_Rparceiros Ctrl+P",
        "Caixa",
        "Caixa > Dia = ac_dia",
        "Caixa > Data = ac_Data",
        "Caixa > Receber = ac_Rreceber Ctrl+R",
        "Caixa > Lançar Saidas",
        "Caixa > Contas a pagar ",
        "Caixa > Contas a Receber ",
        "Utilitarios",
        "Utilitarios > Agenda Corrida = ac_Uagendarcorrida (greyed)",
        "Utilitarios > -",
        "Utilitarios > Recibo = ac_URecibo (greyed)",
    };
    EXPECT_EQ(entries, expected);
    // The entries that share an action share one: the same object in both menus.
    EXPECT_EQ(window().findChildren<QAction *>(QStringLiteral("ac_Data")).size(), 1);
    EXPECT_EQ(window().findChildren<QAction *>(QStringLiteral("ac_Clogradouro")).size(), 1);
    EXPECT_EQ(window().findChildren<QAction *>(QStringLiteral("ac_Rreceber")).size(), 1);
}

TEST_P(MenuTest, RestrictedActionsActOnlyForLevelThreeAndSayNothingOtherwise)
{
    const QList<QPair<const char *, QString>> restricted = {{"ac_Bairro", "TfrmCadBairro"},
                                                            {"ac_Data", "TfrmconsultaCaixaData"},
                                                            {"ac_mTurnoData", "TfrmConsultaPedidoData"},
                                                            {"ac_Restatisticas", "TfrmRelestatisticas"},
                                                            {"ac_motoTurno", "TfrmRelTurnoMotoqueiro"}};
    QStringList kinds;
    for (const auto &r : restricted)
        kinds << r.second;
    registerStandIns(kinds);

    // Level 2 and level 4 alike: nothing, not a word.
    db().exec(QStringLiteral("insert into usuario (id_usuario, usuario, senha, acesso, nm_usuario) "
                             "values (9, 'SUPERVISOR', '4321', '4', 'SUPERVISOR')"));
    for (const auto &[usuario, senha] : {std::pair{"ATENDENTE", "1234"}, std::pair{"SUPERVISOR", "4321"}}) {
        messages.clear();
        openMainWindow(QLatin1String(usuario), QLatin1String(senha));
        for (const auto &r : restricted)
            action(r.first)->trigger();
        EXPECT_TRUE(opened.isEmpty()) << usuario << ": " << opened.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(messages.requests().size(), 1) << usuario; // the welcome only
        closeMainWindow();
    }

    openMainWindow(QStringLiteral("admin"), QStringLiteral("admin")); // level 3
    for (const auto &r : restricted)
        action(r.first)->trigger();
    EXPECT_EQ(opened, kinds);
}

TEST_P(MenuTest, EveryEntryOpensItsScreenAndScreensStillToComeOpenNothing)
{
    openMainWindow(QStringLiteral("admin"), QStringLiteral("admin"));
    // Nothing registered: no entry opens anything or says anything.
    for (QAction *a : window().findChildren<QAction *>())
        if (a->objectName().startsWith(QStringLiteral("ac_"), Qt::CaseInsensitive)
            && a->objectName() != QStringLiteral("ac_dia"))
            a->trigger();
    EXPECT_EQ(messages.requests().size(), 1);

    const QList<QPair<const char *, QString>> screens = {
        {"ac_Cliente", "TfrmCadCliente"},          {"ac_Clogradouro", "TfrmConsultaLogradouro"},
        {"ac_c_mCorridasdia", "TfrmMovimentoPedido"}, {"ac_cCliente", "TfrmCliente"},
        {"ac_cPedido", "TfrmMovimentoPedido"},     {"ac_cMotoqueiro", "TfrmMotoqueiro"},
        {"ac_Cantigas", "TfrmConsultaRuasAntigas"}, {"Ac_CTrajeto", "TfrmConsultaTrajeto"},
        {"ac_mNaoTrabalhando", "TfrmMotoqueiroAusente"}, {"ac_MExtrato", "TfrmextratoMotoqueiro"},
        {"ac_rLocar", "TfrmRadioLocar"},           {"ac_RDevolver", "TfrmRadioDevolucao"},
        {"ac_Rreceber", "TfrmLancamentosAvulso"},  {"ac_Rparceiros", "TfrmParceirosRadio"}};
    QStringList kinds;
    for (const auto &s : screens)
        kinds << s.second;
    registerStandIns(kinds);
    for (const auto &s : screens) {
        opened.clear();
        action(s.first)->trigger();
        EXPECT_EQ(opened, QStringList{s.second}) << s.first;
    }
}

TEST_P(MenuTest, EachShortcutReachesItsActionFromAnyField)
{
    const QList<QPair<QKeySequence, QString>> shortcuts = {
        {QKeySequence(Qt::Key_F2), "TfrmMovimentoPedido"},
        {QKeySequence(Qt::CTRL | Qt::Key_L), "TfrmRadioLocar"},
        {QKeySequence(Qt::CTRL | Qt::Key_D), "TfrmRadioDevolucao"},
        {QKeySequence(Qt::CTRL | Qt::Key_R), "TfrmLancamentosAvulso"},
        {QKeySequence(Qt::CTRL | Qt::Key_P), "TfrmParceirosRadio"}};
    QStringList kinds;
    for (const auto &s : shortcuts)
        kinds << s.second;
    registerStandIns(kinds);
    openMainWindow();
    type(edit("edtTelefone"), QString::number(Maria));
    for (const char *field : {"edtTelefone", "edtOBSpd", "EdtMotoPD"})
        for (const auto &[keys, kind] : shortcuts) {
            opened.clear();
            focus(edit(field));
            const QKeyCombination key = keys[0];
            pressKey(key.key(), key.keyboardModifiers());
            QApplication::processEvents();
            EXPECT_EQ(opened, QStringList{kind}) << field << " " << keys.toString().toStdString();
        }
}

// Caixa > Dia: today's entries of the cash book, previewed at once.
TEST_P(MenuTest, CaixaDiaPreviewsTodaysCashReport)
{
    const QString insert = QStringLiteral("insert into tb_movimento_caixa (id_caixa, id_tipo_lancamento, "
                                          "vl_lancamento, dt_lancamento, nr_matricula, id_usuario) "
                                          "values (15, ?, ?, ?, ?, 2)");
    db().exec(insert, {3, 12.0, QStringLiteral("2009-01-20 23:59:59"), 1234});  // yesterday
    db().exec(insert, {1, 10.0, QStringLiteral("2009-01-21 00:00:00"), 1234});
    db().exec(insert, {2, 3.5, QStringLiteral("2009-01-21 23:59:59"), QVariant()});
    db().exec(insert, {3, 7.0, QStringLiteral("2009-01-22 00:00:00"), 120});   // tomorrow

    // The program finds its report projects below the current directory.
    const QString previous = QDir::currentPath();
    const auto back = qScopeGuard([previous] { QDir::setCurrent(previous); });
    QDir::setCurrent(QStringLiteral(RAVELTO_SOURCE_DIR));
    ReportCapture capture;
    modules().setReportPreview(&capture);
    const auto detach = qScopeGuard([this] { modules().setReportPreview(nullptr); });

    openMainWindow(); // every level may
    action("ac_dia")->trigger();
    ASSERT_EQ(capture.count(), 1);
    HeldResult &caixa = modules().RVFINANCEIRO().cdsCaixa;
    EXPECT_EQ(caixa.paramByName(QStringLiteral("datainicial")).value().toString(),
              QStringLiteral("2009/21/01 00:00:00"));
    EXPECT_EQ(caixa.paramByName(QStringLiteral("datafinal")).value().toString(),
              QStringLiteral("2009/21/01 23:59:59"));
    const QString report = capture.last().text();
    EXPECT_EQ(capture.last().reportName, QStringLiteral("rptRelatorioCaixa"));
    EXPECT_TRUE(report.contains(QStringLiteral("LOCAÇÃO DE RÁDIO"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("DESPESA"))) << report.toStdString();
    EXPECT_FALSE(report.contains(QStringLiteral("RECEBIMENTO AVULSO"))) << report.toStdString();
    EXPECT_EQ(caixa.recordCount(), 2);
}

RV_BOTH_BACKENDS(MenuTest);
