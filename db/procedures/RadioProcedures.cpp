// Radios, rentals and returns, radio partners and the radio reports.
//
// A radio is free when its state is 1 (disponível) or 5 (devolvido) and no
// rental of it is open; a rental is open while its Dt_Devolucao is null; a
// courier holds a radio while one of his rentals is open, and holds one at most.
#include "Registration.h"
#include "ProcedureSupport.h"

#include "data/Errors.h"

namespace rv::db {

namespace {

constexpr qint64 RadioFree = 1;
constexpr qint64 RadioRented = 2;
constexpr qint64 RadioReturned = 5;

// Kinds of movement on the courier account.
constexpr qint64 MovementRentalFee = 2;

// "Cd_Radio in a free state": the SQL of the two free states.
const QString FreeStateSql = QStringLiteral("(%1, %2)").arg(RadioFree).arg(RadioReturned);

const Columns HeldRadioColumns{{QStringLiteral("Id_Locacao"), FieldKind::Integer},
                               {QStringLiteral("Cd_Radio"), FieldKind::Integer},
                               {QStringLiteral("Nr_Matricula"), FieldKind::Integer},
                               {QStringLiteral("Dt_Locacao"), FieldKind::DateTime}};

const Columns ReturnLookupColumns{{QStringLiteral("id_locacao"), FieldKind::Integer},
                                  {QStringLiteral("Nr_Matricula"), FieldKind::Integer},
                                  {QStringLiteral("nm_motoqueiro"), FieldKind::FixedText},
                                  {QStringLiteral("cd_radio"), FieldKind::Integer},
                                  {QStringLiteral("NR_SERIAL"), FieldKind::Text},
                                  {QStringLiteral("Categoria_diaria"), FieldKind::Text},
                                  {QStringLiteral("vl_limite_debito"), FieldKind::Decimal},
                                  {QStringLiteral("valor_locacao"), FieldKind::Decimal},
                                  {QStringLiteral("Dt_Locacao"), FieldKind::DateTime}};

const Columns RadioHoldersColumns{{QStringLiteral("Nr_Matricula"), FieldKind::Integer},
                                  {QStringLiteral("Nm_Motoqueiro"), FieldKind::FixedText},
                                  {QStringLiteral("Cd_Radio"), FieldKind::Integer},
                                  {QStringLiteral("Dt_Locacao"), FieldKind::DateTime}};

const Columns AwayRadioColumns{{QStringLiteral("Cd_Radio"), FieldKind::Integer},
                               {QStringLiteral("Nr_Serial"), FieldKind::Text},
                               {QStringLiteral("Ds_Status_Radio"), FieldKind::Text},
                               {QStringLiteral("Nr_Matricula"), FieldKind::Integer},
                               {QStringLiteral("Nm_Motoqueiro"), FieldKind::FixedText},
                               {QStringLiteral("Dt_Locacao"), FieldKind::DateTime}};

// prs_verifica_radio_locado: the open rentals of one courier (none or one).
std::optional<RowSet> radioHeldByCourier(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<qint64> matricula = a.integer(0);
    if (!matricula)
        return emptyResult(HeldRadioColumns);
    return shaped(HeldRadioColumns,
                  ctx.query(QStringLiteral("select Id_Locacao, Cd_Radio, Nr_Matricula, Dt_Locacao from tb_locacao_radio "
                                           "where Nr_Matricula = ? and Dt_Devolucao is null order by Id_Locacao"),
                            {qlonglong(*matricula)}));
}

// proc_consulta_devolucao_radio: the courier's open rental, with what the
// return screen shows of the courier, the radio and the courier's category.
std::optional<RowSet> openRentalForReturn(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<qint64> matricula = a.integer(0);
    if (!matricula)
        return emptyResult(ReturnLookupColumns);
    return shaped(ReturnLookupColumns,
                  ctx.query(QStringLiteral(
                                "select l.Id_Locacao, m.Nr_Matricula, m.Nm_Motoqueiro, l.Cd_Radio, r.Nr_Serial, "
                                "c.Ds_Categoria, m.Vl_Limite_Debito, l.Vl_Locacao, l.Dt_Locacao "
                                "from tb_locacao_radio l "
                                "join tb_motoqueiro m on m.Nr_Matricula = l.Nr_Matricula "
                                "join tb_radio r on r.Cd_Radio = l.Cd_Radio "
                                "left join tb_categoria_motoqueiro c on c.Id_Categoria = m.Id_Categoria "
                                "where l.Nr_Matricula = ? and l.Dt_Devolucao is null "
                                "order by l.Id_Locacao desc limit 1"),
                            {qlonglong(*matricula)}));
}

// PROC_lista_Radio_locado: the couriers holding a radio whose registration
// number matches the pattern (the typed digits and "%").
std::optional<RowSet> radioHoldersLike(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<QString> pattern = a.text(0);
    if (!pattern)
        return emptyResult(RadioHoldersColumns);
    return shaped(RadioHoldersColumns,
                  ctx.query(QStringLiteral("select m.Nr_Matricula, m.Nm_Motoqueiro, l.Cd_Radio, l.Dt_Locacao "
                                           "from tb_locacao_radio l "
                                           "join tb_motoqueiro m on m.Nr_Matricula = l.Nr_Matricula "
                                           "where l.Dt_Devolucao is null and cast(m.Nr_Matricula as text) like ? "
                                           "order by m.Nr_Matricula"),
                            {*pattern}));
}

// proc_radio_Ausente: the radios away from the desk: held by a courier, or in
// a state that is neither free nor rented (in repair, lost). Free radios at
// the desk are not listed.
std::optional<RowSet> radiosAway(ServerContext &ctx, const ProcedureArgs &)
{
    return shaped(AwayRadioColumns,
                  ctx.query(QStringLiteral(
                                "select r.Cd_Radio, r.Nr_Serial, s.Ds_Status_Radio, l.Nr_Matricula, m.Nm_Motoqueiro, "
                                "l.Dt_Locacao from tb_radio r "
                                "join tb_status_radio s on s.Id_Status_Radio = r.Id_Status_Radio "
                                "left join tb_locacao_radio l on l.Cd_Radio = r.Cd_Radio and l.Dt_Devolucao is null "
                                "left join tb_motoqueiro m on m.Nr_Matricula = l.Nr_Matricula "
                                "where l.Id_Locacao is not null or r.Id_Status_Radio not in %1 "
                                "order by r.Cd_Radio")
                                .arg(FreeStateSql)));
}

} // namespace

void registerRadioProcedures(ProcedureRegistry &registry)
{
    registry.add({QStringLiteral("prs_verifica_radio_locado"),
                  {{QStringLiteral("@PNrMatricula"), FieldKind::Integer}},
                  false, false, radioHeldByCourier, HeldRadioColumns});
    registry.add({QStringLiteral("proc_consulta_devolucao_radio"),
                  {{QStringLiteral("@PNrMatricula"), FieldKind::Integer}},
                  false, false, openRentalForReturn, ReturnLookupColumns});
    registry.add({QStringLiteral("PROC_lista_Radio_locado"),
                  {{QStringLiteral("@PMatricula"), FieldKind::Text}},
                  false, false, radioHoldersLike, RadioHoldersColumns});
    registry.add({QStringLiteral("proc_radio_Ausente"), {}, false, false, radiosAway, AwayRadioColumns});
}

} // namespace rv::db
