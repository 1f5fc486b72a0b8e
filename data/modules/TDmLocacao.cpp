#include "TDmLocacao.h"

namespace rv {

TDmLocacao::TDmLocacao(Connection &c)
    : cdsConsultaDevolucao(c, QStringLiteral("cdsConsultaDevolucao"),
                           QStringLiteral("proc_consulta_devolucao_radio :aMatricula "),
                           {{QStringLiteral("aMatricula"), FieldKind::Text}})
    , cdsVerificaLocados(c, QStringLiteral("cdsVerificaLocados"), QStringLiteral("PROC_lista_Radio_locado :aMoto"),
                         {{QStringLiteral("aMoto"), FieldKind::Text}})
    , cdsMotoqueirocomRadio(c, QStringLiteral("cdsMotoqueirocomRadio"),
                            QStringLiteral("prs_verifica_radio_locado :Motoqueiro"),
                            {{QStringLiteral("Motoqueiro"), FieldKind::Text}})
    , cdsConsultaMotoqueiro(c, QStringLiteral("cdsConsultaMotoqueiro"),
                            QStringLiteral("Select * from vw_cad_motoqueiro where matricula like :aMatricula and "
                                           "dt_saida is null  "),
                            {{QStringLiteral("aMatricula"), FieldKind::Text}})
    , cdsRadioDisponivel(c, QStringLiteral("cdsRadioDisponivel"), QStringLiteral("PRC_SEL_RADIO_DISPONIVEL :aRadio"),
                         {{QStringLiteral("aRadio"), FieldKind::Text}})
    , cdsSaldoMotoqueiro(c, QStringLiteral("cdsSaldoMotoqueiro"), QStringLiteral("PRC_SALDO_MOTOQUEIRO :aSaldo"),
                         {{QStringLiteral("aSaldo"), FieldKind::Text}})
    , cdsUltimaLocacao(c, QStringLiteral("cdsUltimaLocacao"), QStringLiteral("proc_ultima_locacao :aMotoqueiro"),
                       {{QStringLiteral("aMotoqueiro"), FieldKind::Text}})
    , qryIdLocacao(c, QStringLiteral("qryIdLocacao"))
    , qryMovMotoqueiro(c, QStringLiteral("qryMovMotoqueiro"))
    , qrylancaCaixa(c, QStringLiteral("qrylancaCaixa"))
    , QryLancaDevoluca(c, QStringLiteral("QryLancaDevoluca"))
    , qryTipoLancamento(c, QStringLiteral("qryTipoLancamento"))
    , QryFuncionario(c, QStringLiteral("QryFuncionario"))
{
    cdsConsultaDevolucao.open();
    cdsVerificaLocados.open();
    cdsMotoqueirocomRadio.open();
}

} // namespace rv
