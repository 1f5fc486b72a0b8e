#pragma once
// Radio rental and return datasets.

#include "../HeldResult.h"
#include "../Query.h"

namespace rv {

class TDmLocacao {
public:
    explicit TDmLocacao(Connection &connection);

    HeldResult cdsConsultaDevolucao;
    HeldResult cdsVerificaLocados;
    HeldResult cdsMotoqueirocomRadio;
    HeldResult cdsConsultaMotoqueiro;
    HeldResult cdsRadioDisponivel;
    HeldResult cdsSaldoMotoqueiro;
    HeldResult cdsUltimaLocacao;
    Query qryIdLocacao;
    Query qryMovMotoqueiro;
    Query qrylancaCaixa;
    Query QryLancaDevoluca;
    Query qryTipoLancamento;
    Query QryFuncionario;
};

} // namespace rv
