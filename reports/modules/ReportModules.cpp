#include "ReportModules.h"

namespace rv {

TRVCLIENTE::TRVCLIENTE() : ReportModule(QStringLiteral("TRVCLIENTE"), QString(), QString()) {}

TRVPEDIDOS::TRVPEDIDOS()
    : ReportModule(QStringLiteral("TRVPEDIDOS"), QStringLiteral("RvPedido"), QStringLiteral("relatorios\\pedidos.rav"),
                   {QStringLiteral("Report Status"), QStringLiteral("Consulta Pedido "), QStringLiteral("Consulta pedido")})
{
    declareConnection(QStringLiteral("RvDsPedidoData"));
    declareConnection(QStringLiteral("RvDsPedido1data"));
    declareConnection(QStringLiteral("RvDsPedidoMotoqueiro"));
}

TRVMOTOQUEIRO::TRVMOTOQUEIRO()
    : ReportModule(QStringLiteral("TRVMOTOQUEIRO"), QStringLiteral("rvMotoqueiro"), QStringLiteral("RELATORIOS\\Motoqueiro.rav"))
{
    declareConnection(QStringLiteral("RvDsMotoqueiro"));
    declareConnection(QStringLiteral("RvDsRadioLocado"));
    declareConnection(QStringLiteral("RvDsMotoqueiroTurno"));
}

TRVFINANCEIRO::TRVFINANCEIRO(Connection &c)
    : ReportModule(QStringLiteral("TRVFINANCEIRO"), QStringLiteral("RvCaixa"), QStringLiteral("RELATORIOS\\rvFinanceiro.rav"),
                   {QStringLiteral("Caixa"), QStringLiteral("Caixa"), QStringLiteral("Rave Report")})
    , cdsCaixa(c, QStringLiteral("cdsCaixa"), QStringLiteral("PRS_CONSULTA_CAIXA_RELATORIO :datainicial ,:datafinal "),
               {{QStringLiteral("datainicial"), FieldKind::Text}, {QStringLiteral("datafinal"), FieldKind::Text}},
               {col::fixed(QStringLiteral("HORA"), 6), col::fixed(QStringLiteral("DS_TIPO_LANCAMENTO"), 100).required(),
                col::decimal(QStringLiteral("VL_LANCAMENTO"), 12, 2).required(), col::integer(QStringLiteral("NR_MATRICULA")),
                col::fixed(QStringLiteral("Nm_Usuario"), 100).required(),
                col::decimal(QStringLiteral("VL_DESPESA"), 12, 2).required(),
                col::decimal(QStringLiteral("VL_RECEITA"), 12, 2).required(), col::decimal(QStringLiteral("VL_SALDO"), 13, 2),
                col::boolean(QStringLiteral("Fl_Receita")).required(), col::recNo(QStringLiteral("RecNo"))})
    , cdsCaixaAnual(c, QStringLiteral("cdsCaixaAnual"), QStringLiteral("proc_rel_Caixa_Anual :ano"),
                    {{QStringLiteral("ano"), FieldKind::Integer}},
                    {col::integer(QStringLiteral("mesId")), col::integer(QStringLiteral("lancamentos")),
                     col::decimal(QStringLiteral("receita"), 32, 2).currency(), col::fixed(QStringLiteral("Mes"), 9),
                     col::fixed(QStringLiteral("Status"), 20)})
{
    declareConnection(QStringLiteral("RvDsCaixa"), [this] { return &cdsCaixa; });
    declareConnection(QStringLiteral("rvCnnCaixaAnual"), [this] { return &cdsCaixaAnual; });
    cdsCaixa.open();
    cdsCaixaAnual.open();
}

TDM_REL::TDM_REL()
    : ReportModule(QStringLiteral("TDM_REL"), QStringLiteral("Rvravelto"), QStringLiteral("Relatorios\\rvcaixa.rav"))
{
    declareConnection(QStringLiteral("rvCaixaDia"));
}

TRMAdm::TRMAdm()
    : ReportModule(QStringLiteral("TRMAdm"), QStringLiteral("RvAdmim"), QStringLiteral("RELATORIOS\\adm.rav"),
                   {QStringLiteral("Report Status"), QStringLiteral("Ravelto Moto Táxi Ltda."), QStringLiteral("Rave Report")})
{
    declareConnection(QStringLiteral("RvDsTrajeto"));
    declareConnection(QStringLiteral("RvDsRelBairroTurno"));
    declareConnection(QStringLiteral("RvDsRelfuncionario"));
    declareConnection(QStringLiteral("rvRelTrajeto"));
}

TrvRadio::TrvRadio()
    : ReportModule(QStringLiteral("TrvRadio"), QStringLiteral("RvpjRadio"), QStringLiteral("RELATORIOS\\rvradio.rav"))
{
    declareConnection(QStringLiteral("RvDsRadio"));
}

} // namespace rv
