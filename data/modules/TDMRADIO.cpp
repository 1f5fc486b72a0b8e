#include "TDMRADIO.h"

namespace rv {

TDMRADIO::TDMRADIO(Connection &c)
    : cdsTotalLocacoesGerais(c, QStringLiteral("cdsTotalLocacoesGerais"),
                             QStringLiteral("exec proc_Total_locacao_motoqueiro :aMoto"),
                             {{QStringLiteral("aMoto"), FieldKind::Text}})
    , cdsTotalLocacaoMes(c, QStringLiteral("cdsTotalLocacaoMes"),
                         QStringLiteral("exec proc_Total_locacao_motoqueiro_mes :moto,:DataI ,:dataF"),
                         {{QStringLiteral("moto"), FieldKind::Text},
                          {QStringLiteral("DataI"), FieldKind::Text},
                          {QStringLiteral("dataF"), FieldKind::Text}})
    , cdsLAtualizaLimiteMotoqueiro(c, QStringLiteral("cdsLAtualizaLimiteMotoqueiro"),
                                   QStringLiteral("Proc_atualiza_limite_motoqueiro :aMotoqueiro"),
                                   {{QStringLiteral("aMotoqueiro"), FieldKind::Text}})
    , cdsVerificaLocados(c, QStringLiteral("cdsVerificaLocados"), QStringLiteral("PROC_lista_Radio_locado :aMoto"),
                         {{QStringLiteral("aMoto"), FieldKind::Text}})
    , qryAtualizaLimiteMotoqueiro(c, QStringLiteral("qryAtualizaLimiteMotoqueiro"))
{
}

} // namespace rv
