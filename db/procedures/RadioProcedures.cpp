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

// The two free states, as an SQL list.
const QString FreeStateSql = QStringLiteral("(%1, %2)").arg(RadioFree).arg(RadioReturned);

// The open rentals with their couriers, reached radio by radio: the rentals
// of all time grow without end, the radios do not, and (Cd_Radio,
// Dt_Devolucao) finds each radio's open rental directly. The main window runs
// this every second in every seat. Ends with a where clause to extend.
const QString OpenRentalsSql = QStringLiteral(
    "tb_radio r cross join tb_locacao_radio l join tb_motoqueiro m on m.Nr_Matricula = l.Nr_Matricula "
    "where l.Cd_Radio = r.Cd_Radio and l.Dt_Devolucao is null");

const Columns HeldRadioColumns{{QStringLiteral("Id_Locacao"), FieldKind::Integer},
                               {QStringLiteral("Cd_Radio"), FieldKind::Integer},
                               {QStringLiteral("Nr_Matricula"), FieldKind::Integer},
                               {QStringLiteral("Dt_Locacao"), FieldKind::DateTime}};

const Columns RadioHolderTextColumns{{QStringLiteral("Nr_Matricula"), FieldKind::Integer},
                                     {QStringLiteral("Nm_Motoqueiro"), FieldKind::FixedText},
                                     {QStringLiteral("Cd_Radio"), FieldKind::Integer},
                                     {QStringLiteral("radiomoto"), FieldKind::Text}};

const Columns FreeRadioColumns{{QStringLiteral("Cd_Radio"), FieldKind::Integer},
                               {QStringLiteral("NR_SERIAL"), FieldKind::Text},
                               {QStringLiteral("Id_Status_Radio"), FieldKind::SmallInt}};

const Columns NewRentalColumns{{QStringLiteral("ID_LOCACAO"), FieldKind::Integer}};

const Columns RentalRowColumns{{QStringLiteral("Id_Locacao"), FieldKind::Integer},
                               {QStringLiteral("Cd_Radio"), FieldKind::Integer},
                               {QStringLiteral("Nr_Matricula"), FieldKind::Integer},
                               {QStringLiteral("Dt_Locacao"), FieldKind::DateTime},
                               {QStringLiteral("Cd_Usuario"), FieldKind::Integer},
                               {QStringLiteral("Id_Categoria"), FieldKind::SmallInt},
                               {QStringLiteral("Vl_Pagamento"), FieldKind::Decimal},
                               {QStringLiteral("Vl_Locacao"), FieldKind::Decimal},
                               {QStringLiteral("Id_Status_Radio"), FieldKind::SmallInt}};

const Columns RentalCountColumns{{QStringLiteral("total"), FieldKind::Integer}};

const Columns PartnerColumns{{QStringLiteral("id_parceria"), FieldKind::Integer},
                             {QStringLiteral("radio"), FieldKind::FixedText},
                             {QStringLiteral("ParceiroDia"), FieldKind::FixedText},
                             {QStringLiteral("Parceironoite"), FieldKind::FixedText}};

const Columns ShiftRentalColumns{{QStringLiteral("TURNO"), FieldKind::Text},
                                 {QStringLiteral("LOCACOES"), FieldKind::Integer},
                                 {QStringLiteral("VL_LOCACAO"), FieldKind::Decimal},
                                 {QStringLiteral("VL_PAGAMENTO"), FieldKind::Decimal}};

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

// Why a radio cannot be rented now, or nothing when it is free. With lock,
// the radio's row stays locked until the calling procedure ends.
std::optional<QString> whyNotFree(ServerContext &ctx, qint64 radio, bool lock)
{
    const RowSet r = ctx.query(QStringLiteral("select Id_Status_Radio from tb_radio where Cd_Radio = ?")
                                   + (lock ? forUpdate(ctx) : QString()),
                               {qlonglong(radio)});
    if (r.rows.isEmpty())
        return QStringLiteral("Rádio %1 não cadastrado.").arg(radio);
    const QVariant holder = ctx.scalar(
        QStringLiteral("select Nr_Matricula from tb_locacao_radio where Cd_Radio = ? and Dt_Devolucao is null"),
        {qlonglong(radio)});
    if (holder.isValid())
        return QStringLiteral("O rádio %1 não está disponível: está locado ao motoqueiro %2.")
            .arg(radio)
            .arg(holder.toLongLong());
    const qint64 state = r.rows[0][0].toLongLong();
    if (state != RadioFree && state != RadioReturned) {
        const QString name = ctx.scalar(QStringLiteral("select Ds_Status_Radio from tb_status_radio "
                                                       "where Id_Status_Radio = ?"),
                                        {qlonglong(state)})
                                 .toString();
        return QStringLiteral("O rádio %1 não está disponível (%2).").arg(radio).arg(name);
    }
    return std::nullopt;
}

// prs_radio_locado: the couriers holding a radio, one row each, with the text
// the main window lists: radio number in three digits, registration number
// and name ("012 - 1234 - JOSE DA SILVA").
std::optional<RowSet> radioHolders(ServerContext &ctx, const ProcedureArgs &)
{
    RowSet rows = shaped(RadioHolderTextColumns,
                         ctx.query(QStringLiteral("select m.Nr_Matricula, m.Nm_Motoqueiro, l.Cd_Radio from %1 "
                                                  "order by r.Cd_Radio, l.Id_Locacao")
                                       .arg(OpenRentalsSql)));
    for (Row &r : rows.rows)
        r[3] = QStringLiteral("%1 - %2 - %3")
                   .arg(r[2].toLongLong(), 3, 10, QLatin1Char('0'))
                   .arg(r[0].toLongLong())
                   .arg(r[1].toString());
    return rows;
}

// PRC_SEL_RADIO_DISPONIVEL: the radio with its serial when it exists and is free.
std::optional<RowSet> freeRadio(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<qint64> radio = a.integer(0);
    if (!radio || whyNotFree(ctx, *radio, false))
        return emptyResult(FreeRadioColumns);
    return shaped(FreeRadioColumns,
                  ctx.query(QStringLiteral("select Cd_Radio, Nr_Serial, Id_Status_Radio from tb_radio where Cd_Radio = ?"),
                            {qlonglong(*radio)}));
}

// pri_locacao: records the rental of a free radio to a working courier who
// holds none, puts the radio in the given state (2, rented) and charges the
// rental fee to the courier's account. The payment made at the counter is
// kept on the rental; the screen credits it to the account itself.
std::optional<RowSet> rentRadio(ServerContext &ctx, const ProcedureArgs &a)
{
    const qint64 radio = requiredInteger(a, 0, QStringLiteral("@PCdRadio"));
    const qint64 matricula = requiredInteger(a, 1, QStringLiteral("@PNrMatricula"));
    const qint64 user = requiredInteger(a, 2, QStringLiteral("@PCdUsuario"));
    const std::optional<qint64> category = a.integer(3);
    const double payment = cents(a.number(4).value_or(0));
    const double fee = cents(requiredNumber(a, 5, QStringLiteral("@PVlLocacao")));
    const qint64 state = a.integer(6).value_or(RadioRented);
    if (fee < 0 || payment < 0)
        throw DatabaseError(QStringLiteral("O valor da locação e o pagamento não podem ser negativos."));

    // The courier's row first, then the radio's: every rental locks in this
    // order, so two rentals never wait for each other crosswise.
    const RowSet courier = ctx.query(QStringLiteral("select Dt_Saida, Id_Categoria from tb_motoqueiro "
                                                    "where Nr_Matricula = ?")
                                         + forUpdate(ctx),
                                     {qlonglong(matricula)});
    if (courier.rows.isEmpty())
        throw DatabaseError(QStringLiteral("Motoqueiro %1 não cadastrado.").arg(matricula));
    if (!courier.rows[0][0].isNull())
        throw DatabaseError(QStringLiteral("O motoqueiro %1 não trabalha mais na empresa.").arg(matricula));
    if (const std::optional<QString> refused = whyNotFree(ctx, radio, true))
        throw DatabaseError(*refused);
    const QVariant held = ctx.scalar(QStringLiteral("select Cd_Radio from tb_locacao_radio "
                                                    "where Nr_Matricula = ? and Dt_Devolucao is null"),
                                     {qlonglong(matricula)});
    if (held.isValid())
        throw DatabaseError(QStringLiteral("O motoqueiro %1 já tem o rádio %2 locado.")
                                .arg(matricula)
                                .arg(held.toLongLong()));

    const qint64 rentalCategory = category.value_or(courier.rows[0][1].toLongLong());
    const RowSet inserted = ctx.query(
        QStringLiteral("insert into tb_locacao_radio (Cd_Radio, Nr_Matricula, Cd_Usuario, Id_Categoria, Vl_Pagamento, "
                       "Vl_Locacao, Id_Status_Radio) values (?, ?, ?, ?, ?, ?, ?) returning Id_Locacao"),
        {qlonglong(radio), qlonglong(matricula), qlonglong(user), qlonglong(rentalCategory), payment, fee,
         qlonglong(state)});
    const qint64 rental = inserted.rows.value(0).value(0).toLongLong();
    ctx.exec(QStringLiteral("update tb_radio set Id_Status_Radio = ? where Cd_Radio = ?"),
             {qlonglong(state), qlonglong(radio)});
    if (fee > 0)
        ctx.exec(QStringLiteral("insert into tb_motoqueiro_movimento (nr_matricula, id_locacao, fl_credito, "
                                "vl_movimento, id_tipo_movimento, id_usuario) values (?, ?, ?, ?, ?, ?)"),
                 {qlonglong(matricula), qlonglong(rental), false, fee, qlonglong(MovementRentalFee),
                  qlonglong(user)});
    RowSet out;
    out.rows.append(Row{qlonglong(rental)});
    return shaped(NewRentalColumns, out);
}

// pri_devolucao: closes an open rental: return time, payment, user, and the
// given state (5, returned) on the rental and on the radio.
std::optional<RowSet> returnRadio(ServerContext &ctx, const ProcedureArgs &a)
{
    const qint64 rental = requiredInteger(a, 0, QStringLiteral("@PIdLocacao"));
    const std::optional<qint64> user = a.integer(1);
    const double payment = cents(a.number(2).value_or(0));
    const qint64 state = a.integer(3).value_or(RadioReturned);
    if (payment < 0)
        throw DatabaseError(QStringLiteral("O pagamento não pode ser negativo."));
    const RowSet r = ctx.query(QStringLiteral("select Cd_Radio, Dt_Devolucao from tb_locacao_radio where Id_Locacao = ?")
                                   + forUpdate(ctx),
                               {qlonglong(rental)});
    if (r.rows.isEmpty())
        throw DatabaseError(QStringLiteral("Locação %1 não encontrada.").arg(rental));
    if (!r.rows[0][1].isNull())
        throw DatabaseError(QStringLiteral("O rádio da locação %1 já foi devolvido.").arg(rental));
    const qint64 radio = r.rows[0][0].toLongLong();
    ctx.query(QStringLiteral("select Cd_Radio from tb_radio where Cd_Radio = ?") + forUpdate(ctx), {qlonglong(radio)});
    ctx.exec(QStringLiteral("update tb_locacao_radio set Dt_Devolucao = ?, Vl_Pagamento_Devolucao = ?, "
                            "Cd_Usuario_Devolucao = ?, Id_Status_Radio = ? where Id_Locacao = ?"),
             {ctx.now(), payment, orNull(user), qlonglong(state), qlonglong(rental)});
    ctx.exec(QStringLiteral("update tb_radio set Id_Status_Radio = ? where Cd_Radio = ?"),
             {qlonglong(state), qlonglong(radio)});
    return std::nullopt;
}

// proc_ultima_locacao: the courier's latest rental.
std::optional<RowSet> latestRental(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<qint64> matricula = a.integer(0);
    if (!matricula)
        return emptyResult(RentalRowColumns);
    return shaped(RentalRowColumns,
                  ctx.query(QStringLiteral("select Id_Locacao, Cd_Radio, Nr_Matricula, Dt_Locacao, Cd_Usuario, "
                                           "Id_Categoria, Vl_Pagamento, Vl_Locacao, Id_Status_Radio "
                                           "from tb_locacao_radio where Nr_Matricula = ? "
                                           "order by Id_Locacao desc limit 1"),
                            {qlonglong(*matricula)}));
}

RowSet countResult(const QVariant &total)
{
    RowSet out;
    out.rows.append(Row{total.toLongLong()});
    return shaped(RentalCountColumns, out);
}

// proc_Total_locacao_motoqueiro: how many rentals the courier ever made.
std::optional<RowSet> rentalCount(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<qint64> matricula = a.integer(0);
    if (!matricula)
        return countResult(0);
    return countResult(ctx.scalar(QStringLiteral("select count(*) from tb_locacao_radio where Nr_Matricula = ?"),
                                  {qlonglong(*matricula)}));
}

// proc_Total_locacao_motoqueiro_mes: the same within a period.
std::optional<RowSet> rentalCountInPeriod(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<qint64> matricula = a.integer(0);
    const std::optional<Period> p = period(a, 1, 2);
    if (!matricula || !p)
        return countResult(0);
    return countResult(ctx.scalar(QStringLiteral("select count(*) from tb_locacao_radio where Nr_Matricula = ? "
                                                 "and Dt_Locacao between ? and ?"),
                                  {qlonglong(*matricula), p->from, p->to}));
}

// proc_radioDia and proc_radioNoite: the partner rows whose day (night)
// partner begins with the typed registration number.
ProcedureHandler partnersBy(const QString &column)
{
    return [column](ServerContext &ctx, const ProcedureArgs &a) -> std::optional<RowSet> {
        const std::optional<QString> matricula = a.text(0);
        if (!matricula)
            return emptyResult(PartnerColumns);
        return shaped(PartnerColumns,
                      ctx.query(QStringLiteral("select id_parceria, radio, ParceiroDia, Parceironoite "
                                               "from tb_Radio_Parceiro where %1 like ? order by radio, id_parceria")
                                    .arg(column),
                                {matricula->trimmed() + QLatin1Char('%')}));
    };
}

// PRS_LOCACAO_TURNO: the rentals of the period by the shift of the courier
// who rented, every shift listed: number of rentals, fees and payments.
std::optional<RowSet> rentalsByShift(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<Period> p = period(a, 0, 1);
    if (!p)
        return emptyResult(ShiftRentalColumns);
    RowSet rows = shaped(ShiftRentalColumns,
                         ctx.query(QStringLiteral("select t.Ds_Turno, count(l.Id_Locacao), coalesce(sum(l.Vl_Locacao), 0), "
                                                  "coalesce(sum(l.Vl_Pagamento), 0) from tb_turno t "
                                                  "left join tb_motoqueiro m on m.Cd_Turno = t.Cd_Turno "
                                                  "left join tb_locacao_radio l on l.Nr_Matricula = m.Nr_Matricula "
                                                  "and l.Dt_Locacao between ? and ? "
                                                  "group by t.Cd_Turno, t.Ds_Turno order by t.Cd_Turno"),
                                   {p->from, p->to}));
    for (Row &r : rows.rows) {
        r[2] = cents(r[2].toDouble());
        r[3] = cents(r[3].toDouble());
    }
    return rows;
}

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
                  ctx.query(QStringLiteral("select m.Nr_Matricula, m.Nm_Motoqueiro, l.Cd_Radio, l.Dt_Locacao from %1 "
                                           "and cast(m.Nr_Matricula as text) like ? order by m.Nr_Matricula")
                                .arg(OpenRentalsSql),
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
    const QList<ProcedureParam> courier{{QStringLiteral("@PNrMatricula"), FieldKind::Integer}};
    const QList<ProcedureParam> periodParams{{QStringLiteral("@PDtInicial"), FieldKind::Text},
                                             {QStringLiteral("@PDtFinal"), FieldKind::Text}};
    registry.add({QStringLiteral("prs_radio_locado"), {}, false, false, radioHolders, RadioHolderTextColumns});
    registry.add({QStringLiteral("prs_verifica_radio_locado"), courier, false, false, radioHeldByCourier,
                  HeldRadioColumns});
    registry.add({QStringLiteral("PRC_SEL_RADIO_DISPONIVEL"), {{QStringLiteral("@PCdRadio"), FieldKind::Integer}},
                  false, false, freeRadio, FreeRadioColumns});
    registry.add({QStringLiteral("pri_locacao"),
                  {{QStringLiteral("@PCdRadio"), FieldKind::Integer},
                   {QStringLiteral("@PNrMatricula"), FieldKind::Integer},
                   {QStringLiteral("@PCdUsuario"), FieldKind::Integer},
                   {QStringLiteral("@PIdCategoria"), FieldKind::SmallInt},
                   {QStringLiteral("@PVlPagamento"), FieldKind::Decimal},
                   {QStringLiteral("@PVlLocacao"), FieldKind::Decimal},
                   {QStringLiteral("@PIdStatusRadio"), FieldKind::SmallInt}},
                  true, false, rentRadio, NewRentalColumns});
    registry.add({QStringLiteral("proc_consulta_devolucao_radio"), courier, false, false, openRentalForReturn,
                  ReturnLookupColumns});
    registry.add({QStringLiteral("proc_ultima_locacao"), courier, false, false, latestRental, RentalRowColumns});
    registry.add({QStringLiteral("pri_devolucao"),
                  {{QStringLiteral("@PIdLocacao"), FieldKind::Integer},
                   {QStringLiteral("@PCdUsuario"), FieldKind::Integer},
                   {QStringLiteral("@PVlPagamento"), FieldKind::Decimal},
                   {QStringLiteral("@PIdStatusRadio"), FieldKind::SmallInt}},
                  true, false, returnRadio, {}});
    registry.add({QStringLiteral("proc_Total_locacao_motoqueiro"), courier, false, false, rentalCount,
                  RentalCountColumns});
    registry.add({QStringLiteral("proc_Total_locacao_motoqueiro_mes"),
                  {{QStringLiteral("@PNrMatricula"), FieldKind::Integer},
                   {QStringLiteral("@PDtInicial"), FieldKind::Text},
                   {QStringLiteral("@PDtFinal"), FieldKind::Text}},
                  false, false, rentalCountInPeriod, RentalCountColumns});
    registry.add({QStringLiteral("PROC_lista_Radio_locado"), {{QStringLiteral("@PMatricula"), FieldKind::Text}},
                  false, false, radioHoldersLike, RadioHoldersColumns});
    registry.add({QStringLiteral("proc_radioDia"), {{QStringLiteral("@PDia"), FieldKind::Text}}, false, false,
                  partnersBy(QStringLiteral("ParceiroDia")), PartnerColumns});
    registry.add({QStringLiteral("proc_radioNoite"), {{QStringLiteral("@PNoite"), FieldKind::Text}}, false, false,
                  partnersBy(QStringLiteral("Parceironoite")), PartnerColumns});
    registry.add({QStringLiteral("proc_radio_Ausente"), {}, false, false, radiosAway, AwayRadioColumns});
    registry.add({QStringLiteral("PRS_LOCACAO_TURNO"), periodParams, false, false, rentalsByShift,
                  ShiftRentalColumns});
}

} // namespace rv::db
