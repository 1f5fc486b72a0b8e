#pragma once
// Radio datasets shared by the rental and return screens.

#include "../HeldResult.h"
#include "../Query.h"

namespace rv {

class TDMRADIO {
public:
    explicit TDMRADIO(Connection &connection);

    HeldResult cdsTotalLocacoesGerais;
    HeldResult cdsTotalLocacaoMes;
    HeldResult cdsLAtualizaLimiteMotoqueiro;
    HeldResult cdsVerificaLocados;
    Query qryAtualizaLimiteMotoqueiro;
};

} // namespace rv
