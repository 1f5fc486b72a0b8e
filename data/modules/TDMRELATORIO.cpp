#include "TDMRELATORIO.h"

namespace rv {

TDMRELATORIO::TDMRELATORIO(Connection &c)
    : cdsRelMotoTurno(c, QStringLiteral("cdsRelMotoTurno"), QStringLiteral("PRS_MOTOQUEIRO_TURNO :Turno"),
                      {{QStringLiteral("Turno"), FieldKind::Text}})
    , cdsSaidaMotoqueiro(c, QStringLiteral("cdsSaidaMotoqueiro"),
                         QStringLiteral("proc_saida_motoqueiro :datainicio ,:Datafim "),
                         {{QStringLiteral("datainicio"), FieldKind::Text}, {QStringLiteral("Datafim"), FieldKind::Text}})
    , cdsRadioAusentes(c, QStringLiteral("cdsRadioAusentes"), QStringLiteral("proc_radio_Ausente"))
    , cdsRelBairroTurno(c, QStringLiteral("cdsRelBairroTurno"), QStringLiteral("proc_chamadasbairro_periodo :dataI ,:dataF"),
                        {{QStringLiteral("dataI"), FieldKind::Text}, {QStringLiteral("dataF"), FieldKind::Text}})
    , cdsRelValeFuncionario(c, QStringLiteral("cdsRelValeFuncionario"),
                            QStringLiteral("exec proc_vale_funcionario :dataI ,:dataF ,:Funcionario"),
                            {{QStringLiteral("dataI"), FieldKind::Text},
                             {QStringLiteral("dataF"), FieldKind::Text},
                             {QStringLiteral("Funcionario"), FieldKind::Text}},
                            {col::fixed(QStringLiteral("NM_FUNCIONARIO"), 100),
                             col::dateTime(QStringLiteral("DT_LANCAMENTO")).required(),
                             col::decimal(QStringLiteral("VL_LANCAMENTO"), 12, 2).required().currency(),
                             col::fixed(QStringLiteral("DS_TIPO_LANCAMENTO"), 100).required()})
    , cdsRelTrajeto(c, QStringLiteral("cdsRelTrajeto"), QStringLiteral("proc_relCategoriaTrajeto"))
{
    cdsRelMotoTurno.open();
    cdsSaidaMotoqueiro.open();
    cdsRadioAusentes.open();
    cdsRelBairroTurno.open();
    cdsRelValeFuncionario.open();
    cdsRelTrajeto.open();
}

} // namespace rv
