// The courier account, courier shifts, absences, statements and departures.
#include "Registration.h"
#include "ProcedureSupport.h"

#include "db/Schema.h"

#include "data/Errors.h"

namespace rv::db {

namespace {

// Kinds of movement on the courier account.
constexpr qint64 MovementPayment = 1;

// A courier may owe at most this many daily fees of his category.
constexpr int DailyFeesOfCredit = 5;

// The balance of the courier of the current row of a query on tb_motoqueiro m.
QString balanceOfRowSql()
{
    return QStringLiteral("(select coalesce(sum(%1), 0) from tb_motoqueiro_movimento v "
                          "where v.nr_matricula = m.Nr_Matricula)")
        .arg(QLatin1String(SignedMovementSql));
}

const Columns BalanceColumns{{QStringLiteral("Nr_Matricula"), FieldKind::Integer},
                             {QStringLiteral("Vl_Saldo"), FieldKind::Decimal}};

const Columns NextLimitColumns{{QStringLiteral("nr_matricula"), FieldKind::Integer},
                               {QStringLiteral("vl_limite_debito"), FieldKind::Decimal},
                               {QStringLiteral("vl_atualiza_limite_debito"), FieldKind::Decimal},
                               {QStringLiteral("Novo_limite"), FieldKind::Decimal}};

const Columns MovementColumns{{QStringLiteral("id_movimentacao"), FieldKind::Integer},
                              {QStringLiteral("Vl_Saldo"), FieldKind::Decimal}};

const Columns StatementColumns{{QStringLiteral("NR_MATRICULA"), FieldKind::Integer},
                               {QStringLiteral("ID_MOVIMENTACAO"), FieldKind::Integer},
                               {QStringLiteral("ID_TIPO_LANCAMENTO"), FieldKind::SmallInt},
                               {QStringLiteral("DT_LANCAMENTO"), FieldKind::DateTime},
                               {QStringLiteral("VL_LANCAMENTO"), FieldKind::Decimal},
                               {QStringLiteral("ID_FUNCIONARIO"), FieldKind::Integer},
                               {QStringLiteral("FL_CREDITO"), FieldKind::Boolean}};

const Columns ReceiptsColumns{{QStringLiteral("nr_matricula"), FieldKind::Integer},
                              {QStringLiteral("locaçoes"), FieldKind::Integer},
                              {QStringLiteral("Recebimentos"), FieldKind::Decimal},
                              {QStringLiteral("Situacao"), FieldKind::FixedText}};

// The columns of a tb_motoqueiro row, as the table declares them.
Columns courierRowColumns()
{
    Columns c;
    for (const ColumnDef &d : table(QStringLiteral("tb_motoqueiro"))->columns)
        c.append({d.name, kindFromTypeName(d.type)});
    return c;
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

// PRC_SALDO_MOTOQUEIRO: the courier's balance, credits minus debits.
std::optional<RowSet> balance(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<qint64> matricula = a.integer(0);
    RowSet out;
    out.rows.append(Row{orNull(matricula), matricula ? courierBalance(ctx, *matricula) : 0.0});
    return shaped(BalanceColumns, out);
}

// Proc_atualiza_limite_motoqueiro: the debit limit the courier is to have
// next: five daily fees of his category (a working week of radio). The
// rental screen writes it while the courier owes, except for category 3,
// whose limit the office sets by hand (its fee is 0, so the rule gives 0).
std::optional<RowSet> nextLimit(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<qint64> matricula = a.integer(0);
    if (!matricula)
        return emptyResult(NextLimitColumns);
    const RowSet r = ctx.query(QStringLiteral("select m.Nr_Matricula, m.Vl_Limite_Debito, c.Vl_Categoria "
                                              "from tb_motoqueiro m "
                                              "left join tb_categoria_motoqueiro c on c.Id_Categoria = m.Id_Categoria "
                                              "where m.Nr_Matricula = ?"),
                               {qlonglong(*matricula)});
    if (r.rows.isEmpty())
        return emptyResult(NextLimitColumns);
    const double current = cents(r.rows[0][1].toDouble());
    const double next = cents(DailyFeesOfCredit * r.rows[0][2].toDouble());
    RowSet out;
    out.rows.append(Row{r.rows[0][0], current, cents(next - current), next});
    return shaped(NextLimitColumns, out);
}

// pri_motoqueiro_movimento (also called PRI_MOTOQUEIRO_MOVIMENTO): one
// movement on a courier's account: a credit (a payment) or a debit, of a
// kind, for a rental of that courier or for none. Returns the movement's id
// and the courier's balance after it.
std::optional<RowSet> postMovement(ServerContext &ctx, const ProcedureArgs &a)
{
    const qint64 matricula = requiredInteger(a, 0, QStringLiteral("@PIntMatricula"));
    std::optional<qint64> rental = a.integer(1);
    const std::optional<bool> credit = a.boolean(2);
    const double amount = cents(requiredNumber(a, 3, QStringLiteral("@PDecMovimento")));
    const qint64 kind = a.integer(4).value_or(MovementPayment);
    const std::optional<qint64> user = a.integer(5);
    if (!credit)
        throw DatabaseError(QStringLiteral("%1: o parâmetro @PBitCredito é obrigatório.").arg(a.procedure()));
    if (amount < 0)
        throw DatabaseError(QStringLiteral("O valor da movimentação não pode ser negativo."));
    if (!ctx.scalar(QStringLiteral("select Nr_Matricula from tb_motoqueiro where Nr_Matricula = ?"),
                    {qlonglong(matricula)})
             .isValid())
        throw DatabaseError(QStringLiteral("Motoqueiro %1 não cadastrado.").arg(matricula));
    if (rental == 0)
        rental.reset();
    if (rental) {
        const QVariant owner = ctx.scalar(QStringLiteral("select Nr_Matricula from tb_locacao_radio where Id_Locacao = ?"),
                                          {qlonglong(*rental)});
        if (!owner.isValid())
            throw DatabaseError(QStringLiteral("Locação %1 não encontrada.").arg(*rental));
        if (owner.toLongLong() != matricula)
            throw DatabaseError(QStringLiteral("A locação %1 não é do motoqueiro %2.").arg(*rental).arg(matricula));
    }
    const RowSet inserted = ctx.query(QStringLiteral("insert into tb_motoqueiro_movimento (nr_matricula, id_locacao, "
                                                     "fl_credito, vl_movimento, id_tipo_movimento, id_usuario) "
                                                     "values (?, ?, ?, ?, ?, ?) returning id_movimentacao"),
                                      {qlonglong(matricula), orNull(rental), *credit, amount, qlonglong(kind),
                                       orNull(user)});
    RowSet out;
    out.rows.append(Row{inserted.rows.value(0).value(0), courierBalance(ctx, matricula)});
    return shaped(MovementColumns, out);
}

// PRC_MOTOQUEIRO_AUSENTE: the working couriers of a shift (its code; 0: every
// shift) who are not working now, that is who hold no radio.
std::optional<RowSet> absentCouriers(ServerContext &ctx, const ProcedureArgs &a)
{
    static const Columns columns = courierRowColumns();
    const std::optional<qint64> shift = a.integer(0);
    if (!shift)
        return emptyResult(columns);
    QStringList names;
    for (const ResultColumn &c : columns)
        names << QStringLiteral("m.") + c.name;
    QVariantList args;
    QString shiftFilter;
    if (*shift != 0) {
        shiftFilter = QStringLiteral(" and m.Cd_Turno = ?");
        args << qlonglong(*shift);
    }
    return shaped(columns,
                  ctx.query(QStringLiteral("select %1 from tb_motoqueiro m where m.Dt_Saida is null%2 "
                                           "and not exists (select 1 from tb_locacao_radio l "
                                           "where l.Nr_Matricula = m.Nr_Matricula and l.Dt_Devolucao is null) "
                                           "order by m.Nr_Matricula")
                                .arg(names.join(QStringLiteral(", ")), shiftFilter),
                            args));
}

// proc_extrato_diaria: the movements on the courier's account within the
// period, oldest first; credits positive, debits (the daily fees) negative.
std::optional<RowSet> accountStatement(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<qint64> matricula = a.integer(0);
    const std::optional<Period> p = period(a, 1, 2);
    if (!matricula || !p)
        return emptyResult(StatementColumns);
    RowSet rows = shaped(StatementColumns,
                         ctx.query(QStringLiteral("select nr_matricula, id_movimentacao, id_tipo_movimento, dt_lancamento, "
                                                  "%1, id_funcionario, fl_credito from tb_motoqueiro_movimento "
                                                  "where nr_matricula = ? and dt_lancamento between ? and ? "
                                                  "order by dt_lancamento, id_movimentacao")
                                       .arg(QLatin1String(SignedMovementSql)),
                                   {qlonglong(*matricula), p->from, p->to}));
    for (Row &r : rows.rows)
        r[4] = cents(r[4].toDouble());
    return rows;
}

// Prc_Extrato_Motoqueiro: per courier with rentals or receipts in the
// period: the number of rentals, the amount received (credits) and where the
// account stands now: "EM DIA" (owes nothing), "EM DÉBITO" (owes within the
// debit limit) or "LIMITE ESTOURADO" (owes more than the limit).
std::optional<RowSet> receiptsStatement(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<Period> p = period(a, 0, 1);
    if (!p)
        return emptyResult(ReceiptsColumns);
    const RowSet r = ctx.query(
        QStringLiteral("select m.Nr_Matricula, "
                       "(select count(*) from tb_locacao_radio l where l.Nr_Matricula = m.Nr_Matricula "
                       "and l.Dt_Locacao between ? and ?), "
                       "(select coalesce(sum(v.vl_movimento), 0) from tb_motoqueiro_movimento v "
                       "where v.nr_matricula = m.Nr_Matricula and v.fl_credito and v.dt_lancamento between ? and ?), "
                       "%1, m.Vl_Limite_Debito from tb_motoqueiro m order by m.Nr_Matricula")
            .arg(balanceOfRowSql()),
        {p->from, p->to, p->from, p->to});
    RowSet out;
    for (const Row &c : r.rows) {
        const qint64 rentals = c[1].toLongLong();
        const double received = cents(c[2].toDouble());
        if (rentals == 0 && received == 0)
            continue;
        const double owed = -cents(c[3].toDouble());
        const QString situation = owed <= 0 ? QStringLiteral("EM DIA")
            : owed <= cents(c[4].toDouble()) ? QStringLiteral("EM DÉBITO")
                                             : QStringLiteral("LIMITE ESTOURADO");
        out.rows.append(Row{c[0], rentals, received, situation});
    }
    return shaped(ReceiptsColumns, out);
}

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
    const QList<ProcedureParam> courier{{QStringLiteral("@PNrMatricula"), FieldKind::Integer}};
    const QList<ProcedureParam> periodParams{{QStringLiteral("@PDtInicial"), FieldKind::Text},
                                             {QStringLiteral("@PDtFinal"), FieldKind::Text}};
    registry.add({QStringLiteral("PRC_SALDO_MOTOQUEIRO"), courier, false, false, balance, BalanceColumns});
    registry.add({QStringLiteral("Proc_atualiza_limite_motoqueiro"), courier, false, false, nextLimit,
                  NextLimitColumns});
    registry.add({QStringLiteral("pri_motoqueiro_movimento"),
                  {{QStringLiteral("@PIntMatricula"), FieldKind::Integer},
                   {QStringLiteral("@PIntLocacao"), FieldKind::Integer},
                   {QStringLiteral("@PBitCredito"), FieldKind::Boolean},
                   {QStringLiteral("@PDecMovimento"), FieldKind::Decimal},
                   {QStringLiteral("@PSntTipoMovimento"), FieldKind::SmallInt},
                   {QStringLiteral("@PIndUsuario"), FieldKind::Integer}},
                  true, false, postMovement, MovementColumns});
    registry.add({QStringLiteral("PRS_MOTOQUEIRO_TURNO"), {{QStringLiteral("@PDsTurno"), FieldKind::Text}}, false,
                  false, couriersOfShift, ShiftListColumns});
    registry.add({QStringLiteral("PRC_MOTOQUEIRO_AUSENTE"), {{QStringLiteral("@PCdTurno"), FieldKind::Integer}},
                  false, false, absentCouriers, courierRowColumns()});
    registry.add({QStringLiteral("proc_extrato_diaria"),
                  {{QStringLiteral("@PNrMatricula"), FieldKind::Integer},
                   {QStringLiteral("@PDtInicial"), FieldKind::Text},
                   {QStringLiteral("@PDtFinal"), FieldKind::Text}},
                  false, false, accountStatement, StatementColumns});
    registry.add({QStringLiteral("Prc_Extrato_Motoqueiro"), periodParams, false, false, receiptsStatement,
                  ReceiptsColumns});
    registry.add({QStringLiteral("proc_saida_motoqueiro"), periodParams, false, false, departures,
                  DepartureColumns});
}

} // namespace rv::db
