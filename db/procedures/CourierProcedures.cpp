// The courier account, courier shifts, absences, statements and departures.
#include "Registration.h"
#include "ProcedureSupport.h"

#include "data/Errors.h"

namespace rv::db {

namespace {

// The balance of the courier of the current row of a query on tb_motoqueiro m.
QString balanceOfRowSql()
{
    return QStringLiteral("(select coalesce(sum(%1), 0) from tb_motoqueiro_movimento v "
                          "where v.nr_matricula = m.Nr_Matricula)")
        .arg(QLatin1String(SignedMovementSql));
}

const Columns ShiftListColumns{{QStringLiteral("NR_MATRICULA"), FieldKind::Integer},
                               {QStringLiteral("NM_MOTOQUEIRO"), FieldKind::FixedText},
                               {QStringLiteral("TURNO"), FieldKind::Text}};

const Columns DepartureColumns{{QStringLiteral("Nr_Matricula"), FieldKind::Integer},
                               {QStringLiteral("Nm_Motoqueiro"), FieldKind::FixedText},
                               {QStringLiteral("TURNO"), FieldKind::Text},
                               {QStringLiteral("Dt_Cadastro"), FieldKind::DateTime},
                               {QStringLiteral("Dt_Saida"), FieldKind::DateTime},
                               {QStringLiteral("Ds_Saida"), FieldKind::FixedText},
                               {QStringLiteral("Vl_Saldo"), FieldKind::Decimal}};

// PRS_MOTOQUEIRO_TURNO: the working couriers of a shift named by its text.
// The name compares without regard to case and trailing blanks, so the pick
// list's "NOITE " finds the shift "NOITE".
std::optional<RowSet> couriersOfShift(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<QString> name = a.text(0);
    if (!name)
        return emptyResult(ShiftListColumns);
    const RowSet shifts = ctx.query(QStringLiteral("select Cd_Turno, Ds_Turno from tb_turno"));
    QVariantList codes;
    for (const Row &s : shifts.rows)
        if (sameServerText(s.value(1).toString(), *name))
            codes << s.value(0).toLongLong();
    if (codes.isEmpty())
        return emptyResult(ShiftListColumns);
    QStringList marks(codes.size(), QStringLiteral("?"));
    return shaped(ShiftListColumns,
                  ctx.query(QStringLiteral("select m.Nr_Matricula, m.Nm_Motoqueiro, t.Ds_Turno from tb_motoqueiro m "
                                           "join tb_turno t on t.Cd_Turno = m.Cd_Turno "
                                           "where m.Dt_Saida is null and m.Cd_Turno in (%1) order by m.Nr_Matricula")
                                .arg(marks.join(QLatin1Char(','))),
                            codes));
}

// proc_saida_motoqueiro: the couriers who left within the period, with the
// balance they left (negative: what they still owe).
std::optional<RowSet> departures(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<Period> p = period(a, 0, 1);
    if (!p)
        return emptyResult(DepartureColumns);
    RowSet rows = shaped(DepartureColumns,
                         ctx.query(QStringLiteral("select m.Nr_Matricula, m.Nm_Motoqueiro, t.Ds_Turno, m.Dt_Cadastro, "
                                                  "m.Dt_Saida, m.Ds_Saida, %1 from tb_motoqueiro m "
                                                  "left join tb_turno t on t.Cd_Turno = m.Cd_Turno "
                                                  "where m.Dt_Saida between ? and ? "
                                                  "order by m.Dt_Saida, m.Nr_Matricula")
                                       .arg(balanceOfRowSql()),
                                   {p->from, p->to}));
    for (Row &r : rows.rows)
        r[6] = cents(r[6].toDouble());
    return rows;
}

} // namespace

void registerCourierProcedures(ProcedureRegistry &registry)
{
    registry.add({QStringLiteral("PRS_MOTOQUEIRO_TURNO"),
                  {{QStringLiteral("@PDsTurno"), FieldKind::Text}},
                  false, false, couriersOfShift, ShiftListColumns});
    registry.add({QStringLiteral("proc_saida_motoqueiro"),
                  {{QStringLiteral("@PDtInicio"), FieldKind::Text}, {QStringLiteral("@PDtFim"), FieldKind::Text}},
                  false, false, departures, DepartureColumns});
}

} // namespace rv::db
