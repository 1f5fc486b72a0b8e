#include "DataModules.h"

namespace rv {

template <class T, class... Args>
std::unique_ptr<T> DataModules::create(const char *name, Args &&...args)
{
    auto module = std::make_unique<T>(std::forward<Args>(args)...);
    m_order << QString::fromLatin1(name);
    return module;
}

DataModules::DataModules(ConnectionSettings settings, const ProcedureRegistry *procedures)
{
    m_principal = create<TDMPRINCIPAL>("TDMPRINCIPAL", std::move(settings), procedures);
    Connection &c = connection();
    m_busca = create<TDMBUSCA>("TDMBUSCA", c);
    m_rvCliente = create<TRVCLIENTE>("TRVCLIENTE");
    m_cadastro = create<TDMCADASTRO>("TDMCADASTRO", c);
    m_rvPedidos = create<TRVPEDIDOS>("TRVPEDIDOS");
    m_rvMotoqueiro = create<TRVMOTOQUEIRO>("TRVMOTOQUEIRO");
    m_rvFinanceiro = create<TRVFINANCEIRO>("TRVFINANCEIRO", c);
    m_radio = create<TDMRADIO>("TDMRADIO", c);
    m_global = create<TdmGlobal>("TdmGlobal");
    m_rel = create<TDM_REL>("TDM_REL");
    m_update = create<TDMUPDATE>("TDMUPDATE", c);
    m_relatorio = create<TDMRELATORIO>("TDMRELATORIO", c);
    m_adm = create<TRMAdm>("TRMAdm");
    m_veiculo = create<TDMVEICULO>("TDMVEICULO", c);
    m_locacao = create<TDmLocacao>("TDmLocacao", c);
    m_rvRadio = create<TrvRadio>("TrvRadio");
    m_motoqueiro = create<TDMMOTOQUEIRO>("TDMMOTOQUEIRO", c);
    bindReportConnections();
}

// The data connections of the report modules read held results of modules
// created after them; the bindings are looked up when a report runs.
void DataModules::bindReportConnections()
{
    m_rvPedidos->bind(QStringLiteral("RvDsPedidoData"), [this] { return &m_busca->cdspedidodata; });
    m_rvPedidos->bind(QStringLiteral("RvDsPedido1data"), [this] { return &m_busca->cdspedidodata; });
    m_rvMotoqueiro->bind(QStringLiteral("RvDsMotoqueiro"), [this] { return &m_busca->cdsExtratodiaria; });
    m_rvMotoqueiro->bind(QStringLiteral("RvDsRadioLocado"), [this] { return &m_busca->cdsRelRadioLocado; });
    m_rvMotoqueiro->bind(QStringLiteral("RvDsMotoqueiroTurno"), [this] { return &m_relatorio->cdsRelMotoTurno; });
    m_rel->bind(QStringLiteral("rvCaixaDia"), [this] { return &m_busca->cdsConsultacaixa; });
    m_adm->bind(QStringLiteral("RvDsTrajeto"), [this] { return &m_busca->cdsTbTrajeto; });
    m_adm->bind(QStringLiteral("RvDsRelBairroTurno"), [this] { return &m_relatorio->cdsRelBairroTurno; });
    m_adm->bind(QStringLiteral("RvDsRelfuncionario"), [this] { return &m_relatorio->cdsRelValeFuncionario; });
    m_adm->bind(QStringLiteral("rvRelTrajeto"), [this] { return &m_relatorio->cdsRelTrajeto; });
    m_rvRadio->bind(QStringLiteral("RvDsRadio"), [this] { return &m_relatorio->cdsRadioAusentes; });
}

void DataModules::setReportPreview(ReportPreview *preview)
{
    for (ReportModule *m : std::initializer_list<ReportModule *>{m_rvCliente.get(), m_rvPedidos.get(), m_rvMotoqueiro.get(),
                                                                  m_rvFinanceiro.get(), m_rel.get(), m_adm.get(),
                                                                  m_rvRadio.get()})
        m->setPreview(preview);
}

DataModules::~DataModules()
{
    // Datasets go before the connection they run on.
    m_motoqueiro.reset();
    m_rvRadio.reset();
    m_locacao.reset();
    m_veiculo.reset();
    m_adm.reset();
    m_relatorio.reset();
    m_update.reset();
    m_rel.reset();
    m_global.reset();
    m_radio.reset();
    m_rvFinanceiro.reset();
    m_rvMotoqueiro.reset();
    m_rvPedidos.reset();
    m_cadastro.reset();
    m_rvCliente.reset();
    m_busca.reset();
    m_principal.reset();
}


} // namespace rv
