#pragma once
// The owner of the program-wide modules, created in their fixed order at
// start-up; each module exists once and is reached through its instance name
// (DMBUSCA(), RVFINANCEIRO(), ...). Creating the first one opens the
// connection; each one opens its start-up datasets with unset parameters.
// Any failure stops the creation there and propagates.

#include "data/Procedures.h"
#include "data/modules/EmptyModules.h"
#include "data/modules/TDMBUSCA.h"
#include "data/modules/TDMCADASTRO.h"
#include "data/modules/TDMMOTOQUEIRO.h"
#include "data/modules/TDMPRINCIPAL.h"
#include "data/modules/TDMRADIO.h"
#include "data/modules/TDMRELATORIO.h"
#include "data/modules/TDMVEICULO.h"
#include "data/modules/TDmLocacao.h"
#include "reports/engine/ReportPreview.h"
#include "reports/modules/ReportModules.h"

#include <QStringList>
#include <memory>

namespace rv {

class DataModules {
public:
    DataModules(ConnectionSettings settings, const ProcedureRegistry *procedures);
    ~DataModules();
    DataModules(const DataModules &) = delete;
    DataModules &operator=(const DataModules &) = delete;

    Connection &connection() { return m_principal->sqlconnection; }

    TDMPRINCIPAL &DMPRINCIPAL() { return *m_principal; }
    TDMBUSCA &DMBUSCA() { return *m_busca; }
    TRVCLIENTE &RVCLIENTE() { return *m_rvCliente; }
    TDMCADASTRO &DMCADASTRO() { return *m_cadastro; }
    TRVPEDIDOS &RVPEDIDOS() { return *m_rvPedidos; }
    TRVMOTOQUEIRO &RVMOTOQUEIRO() { return *m_rvMotoqueiro; }
    TRVFINANCEIRO &RVFINANCEIRO() { return *m_rvFinanceiro; }
    TDMRADIO &DMRADIO() { return *m_radio; }
    TdmGlobal &dmGlobal() { return *m_global; }
    TDM_REL &DM_REL() { return *m_rel; }
    TDMUPDATE &DMUPDATE() { return *m_update; }
    TDMRELATORIO &DMRELATORIO() { return *m_relatorio; }
    TRMAdm &RMAdm() { return *m_adm; }
    TDMVEICULO &DMVEICULO() { return *m_veiculo; }
    TDmLocacao &DmLocacao() { return *m_locacao; }
    TrvRadio &rvRadio() { return *m_rvRadio; }
    TDMMOTOQUEIRO &DMMOTOQUEIRO() { return *m_motoqueiro; }

    // Where every report module shows its reports; tests give a ReportCapture.
    // nullptr goes back to the preview window. Not owned.
    void setReportPreview(ReportPreview *preview);

    // Modules in the order they were created (for tests of the start-up order).
    const QStringList &creationOrder() const { return m_order; }
private:
    template <class T, class... Args>
    std::unique_ptr<T> create(const char *name, Args &&...args);
    void bindReportConnections();

    QStringList m_order;
    std::unique_ptr<TDMPRINCIPAL> m_principal;
    std::unique_ptr<TDMBUSCA> m_busca;
    std::unique_ptr<TRVCLIENTE> m_rvCliente;
    std::unique_ptr<TDMCADASTRO> m_cadastro;
    std::unique_ptr<TRVPEDIDOS> m_rvPedidos;
    std::unique_ptr<TRVMOTOQUEIRO> m_rvMotoqueiro;
    std::unique_ptr<TRVFINANCEIRO> m_rvFinanceiro;
    std::unique_ptr<TDMRADIO> m_radio;
    std::unique_ptr<TdmGlobal> m_global;
    std::unique_ptr<TDM_REL> m_rel;
    std::unique_ptr<TDMUPDATE> m_update;
    std::unique_ptr<TDMRELATORIO> m_relatorio;
    std::unique_ptr<TRMAdm> m_adm;
    std::unique_ptr<TDMVEICULO> m_veiculo;
    std::unique_ptr<TDmLocacao> m_locacao;
    std::unique_ptr<TrvRadio> m_rvRadio;
    std::unique_ptr<TDMMOTOQUEIRO> m_motoqueiro;
};

} // namespace rv
