// The cash book: entries, the cash reports, the yearly summary, employees and
// their advances.
#include "Registration.h"
#include "ProcedureSupport.h"

#include "data/Errors.h"

#include <array>

namespace rv::db {

namespace {

const Columns CashReportColumns{{QStringLiteral("HORA"), FieldKind::FixedText},
                                {QStringLiteral("DS_TIPO_LANCAMENTO"), FieldKind::FixedText},
                                {QStringLiteral("VL_LANCAMENTO"), FieldKind::Decimal},
                                {QStringLiteral("NR_MATRICULA"), FieldKind::Integer},
                                {QStringLiteral("Nm_Usuario"), FieldKind::FixedText},
                                {QStringLiteral("VL_DESPESA"), FieldKind::Decimal},
                                {QStringLiteral("VL_RECEITA"), FieldKind::Decimal},
                                {QStringLiteral("VL_SALDO"), FieldKind::Decimal},
                                {QStringLiteral("Fl_Receita"), FieldKind::Boolean},
                                {QStringLiteral("DT_LANCAMENTO"), FieldKind::DateTime}};

const Columns YearSummaryColumns{{QStringLiteral("mesId"), FieldKind::Integer},
                                 {QStringLiteral("lancamentos"), FieldKind::Integer},
                                 {QStringLiteral("receita"), FieldKind::Decimal},
                                 {QStringLiteral("Mes"), FieldKind::FixedText},
                                 {QStringLiteral("Status"), FieldKind::FixedText}};

const Columns AdvanceColumns{{QStringLiteral("NM_FUNCIONARIO"), FieldKind::FixedText},
                             {QStringLiteral("DT_LANCAMENTO"), FieldKind::DateTime},
                             {QStringLiteral("VL_LANCAMENTO"), FieldKind::Decimal},
                             {QStringLiteral("DS_TIPO_LANCAMENTO"), FieldKind::FixedText}};

const std::array<const char *, 12> MonthNames{"JANEIRO", "FEVEREIRO", "MARÇO",    "ABRIL",   "MAIO",     "JUNHO",
                                              "JULHO",   "AGOSTO",    "SETEMBRO", "OUTUBRO", "NOVEMBRO", "DEZEMBRO"};

// pri_movimento_Caixa: one entry in a cash book: the book, the kind of entry,
// the amount, the courier concerned (or none), the user who records it and,
// for an advance, the employee. Stamped with the database's time.
std::optional<RowSet> cashEntry(ServerContext &ctx, const ProcedureArgs &a)
{
    const qint64 book = requiredInteger(a, 0, QStringLiteral("@PIdCaixa"));
    const qint64 kind = requiredInteger(a, 1, QStringLiteral("@PIdTipoLancamento"));
    const double amount = cents(requiredNumber(a, 2, QStringLiteral("@PVlLancamento")));
    const std::optional<qint64> matricula = a.integer(3);
    const qint64 user = requiredInteger(a, 4, QStringLiteral("@PCdUsuario"));
    const std::optional<qint64> employee = a.integer(5);
    if (amount <= 0)
        throw DatabaseError(QStringLiteral("O valor do lançamento deve ser maior que zero."));
    auto exists = [&ctx](const char *sql, qint64 id) {
        return ctx.scalar(QString::fromLatin1(sql), {qlonglong(id)}).isValid();
    };
    if (!exists("select id_caixa from tb_caixa where id_caixa = ?", book))
        throw DatabaseError(QStringLiteral("Caixa %1 não cadastrado.").arg(book));
    if (!exists("select id_tipo_lancamento from tb_tipo_lancamento where id_tipo_lancamento = ?", kind))
        throw DatabaseError(QStringLiteral("Tipo de lançamento %1 não cadastrado.").arg(kind));
    if (matricula && !exists("select Nr_Matricula from tb_motoqueiro where Nr_Matricula = ?", *matricula))
        throw DatabaseError(QStringLiteral("Motoqueiro %1 não cadastrado.").arg(*matricula));
    if (!exists("select id_usuario from usuario where id_usuario = ?", user))
        throw DatabaseError(QStringLiteral("Usuário %1 não cadastrado.").arg(user));
    if (employee && !exists("select id_funcionario from tb_funcionario where id_funcionario = ?", *employee))
        throw DatabaseError(QStringLiteral("Funcionário %1 não cadastrado.").arg(*employee));
    ctx.exec(QStringLiteral("insert into tb_movimento_caixa (id_caixa, id_tipo_lancamento, vl_lancamento, nr_matricula, "
                            "id_usuario, id_funcionario) values (?, ?, ?, ?, ?, ?)"),
             {qlonglong(book), qlonglong(kind), amount, orNull(matricula), qlonglong(user), orNull(employee)});
    return std::nullopt;
}

// A telephone number as the employee registration takes it: digits only,
// converted to an integer; anything else (an empty text included) refuses
// the registration naming the field.
qint64 telephone(const ProcedureArgs &a, int index, const QString &field)
{
    const BoundValue &raw = a.raw(index);
    if (!raw.isNull() && raw.value.typeId() != QMetaType::QString)
        return *a.integer(index);
    const QString text = raw.isNull() ? QString() : raw.value.toString().trimmed();
    bool digits = !text.isEmpty();
    for (const QChar c : text)
        digits = digits && c.isDigit() && c.unicode() < 128;
    bool ok = false;
    const qint64 number = digits ? text.toLongLong(&ok) : 0;
    if (!ok || number > 2147483647)
        throw DatabaseError(QStringLiteral("%1 inválido: '%2'. Informe somente os dígitos do número.").arg(field, text));
    return number;
}

// PROC_CAD_FUNCIONARIO: registers an employee.
std::optional<RowSet> registerEmployee(ServerContext &ctx, const ProcedureArgs &a)
{
    const QString name = a.text(0).value_or(QString()).trimmed();
    if (name.isEmpty())
        throw DatabaseError(QStringLiteral("Informe o nome do funcionário."));
    const qint64 phone = telephone(a, 3, QStringLiteral("Telefone"));
    const qint64 mobile = telephone(a, 4, QStringLiteral("Celular"));
    ctx.exec(QStringLiteral("insert into tb_funcionario (nm_funcionario, ds_endereco, ds_bairro, nr_telefone, "
                            "nr_celular, ds_email) values (?, ?, ?, ?, ?, ?)"),
             {name, orNull(a.text(1)), orNull(a.text(2)), qlonglong(phone), qlonglong(mobile), orNull(a.text(5))});
    return std::nullopt;
}

// PRS_CONSULTA_CAIXA_RELATORIO and PRS_CONSULTA_CAIXA_PERIODO: the entries of
// the period in the order they were made, each split into its income and
// expense part, with the balance of the period so far (income minus expense
// from the first entry of the period on; the report starts from zero).
std::optional<RowSet> cashReport(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<Period> p = period(a, 0, 1);
    if (!p)
        return emptyResult(CashReportColumns);
    const RowSet entries = ctx.query(
        QStringLiteral("select c.dt_lancamento, t.ds_tipo_lancamento, c.vl_lancamento, c.nr_matricula, "
                       "coalesce(u.nm_usuario, u.usuario), t.fl_receita "
                       "from tb_movimento_caixa c "
                       "join tb_tipo_lancamento t on t.id_tipo_lancamento = c.id_tipo_lancamento "
                       "join usuario u on u.id_usuario = c.id_usuario "
                       "where c.dt_lancamento between ? and ? "
                       "order by c.dt_lancamento, c.id_movimento_caixa"),
        {p->from, p->to},
        {FieldKind::DateTime, FieldKind::Text, FieldKind::Decimal, FieldKind::Integer, FieldKind::Text,
         FieldKind::Boolean});
    RowSet out;
    double balance = 0;
    for (const Row &e : entries.rows) {
        const QDateTime at = e[0].toDateTime();
        const double amount = cents(e[2].toDouble());
        const bool income = e[5].toBool();
        balance = cents(balance + (income ? amount : -amount));
        out.rows.append(Row{at.toString(QStringLiteral("HH:mm")), e[1], amount, e[3], e[4],
                            income ? 0.0 : amount, income ? amount : 0.0, balance, income, at});
    }
    return shaped(CashReportColumns, out);
}

// proc_rel_Caixa_Anual: one row per month of the year. The goal of a month is
// the income of the month before (January: December of the year before); the
// status tells how the month stands against it.
std::optional<RowSet> yearSummary(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<qint64> year = a.integer(0);
    if (!year || *year < 1753 || *year > 9998)
        return emptyResult(YearSummaryColumns);
    struct Month {
        qint64 entries = 0;
        double income = 0;
    };
    auto monthTotals = [&ctx](const QDate &first) {
        const RowSet r = ctx.query(
            QStringLiteral("select count(*), coalesce(sum(case when t.fl_receita then c.vl_lancamento else 0 end), 0) "
                           "from tb_movimento_caixa c "
                           "join tb_tipo_lancamento t on t.id_tipo_lancamento = c.id_tipo_lancamento "
                           "where c.dt_lancamento >= ? and c.dt_lancamento < ?"),
            {QDateTime(first, QTime(0, 0)), QDateTime(first.addMonths(1), QTime(0, 0))});
        return Month{r.rows.value(0).value(0).toLongLong(), cents(r.rows.value(0).value(1).toDouble())};
    };
    const QDate today = ctx.now().date();
    const QDate thisMonth(today.year(), today.month(), 1);
    Month previous = monthTotals(QDate(int(*year) - 1, 12, 1));
    RowSet out;
    for (int m = 1; m <= 12; ++m) {
        const QDate first(int(*year), m, 1);
        const Month month = monthTotals(first);
        QString status;
        if (first > thisMonth)
            status = QStringLiteral("A REALIZAR");
        else if (first == thisMonth)
            status = QStringLiteral("EM ANDAMENTO");
        else if (month.entries == 0)
            status = QStringLiteral("SEM MOVIMENTO");
        else if (month.income >= previous.income)
            status = QStringLiteral("META ATINGIDA");
        else
            status = QStringLiteral("ABAIXO DA META");
        out.rows.append(Row{m, month.entries, month.income, QString::fromUtf8(MonthNames[m - 1]), status});
        previous = month;
    }
    return shaped(YearSummaryColumns, out);
}

// proc_vale_funcionario: the entries made for one employee, named as the
// list shows the name (without regard to case or trailing blanks), within
// the period.
std::optional<RowSet> employeeAdvances(ServerContext &ctx, const ProcedureArgs &a)
{
    const std::optional<Period> p = period(a, 0, 1);
    const std::optional<QString> name = a.text(2);
    if (!p || !name)
        return emptyResult(AdvanceColumns);
    QVariantList args;
    const RowSet employees = ctx.query(QStringLiteral("select id_funcionario, nm_funcionario from tb_funcionario"));
    for (const Row &e : employees.rows)
        if (sameServerText(e.value(1).toString(), *name))
            args << e.value(0).toLongLong();
    if (args.isEmpty())
        return emptyResult(AdvanceColumns);
    const QStringList marks(args.size(), QStringLiteral("?"));
    args << p->from << p->to;
    return shaped(AdvanceColumns,
                  ctx.query(QStringLiteral("select f.nm_funcionario, c.dt_lancamento, c.vl_lancamento, "
                                           "t.ds_tipo_lancamento from tb_movimento_caixa c "
                                           "join tb_funcionario f on f.id_funcionario = c.id_funcionario "
                                           "join tb_tipo_lancamento t on t.id_tipo_lancamento = c.id_tipo_lancamento "
                                           "where c.id_funcionario in (%1) and c.dt_lancamento between ? and ? "
                                           "order by c.dt_lancamento, c.id_movimento_caixa")
                                .arg(marks.join(QLatin1Char(','))),
                            args));
}

} // namespace

void registerCashProcedures(ProcedureRegistry &registry)
{
    const QList<ProcedureParam> periodParams{{QStringLiteral("@PDtInicial"), FieldKind::Text},
                                             {QStringLiteral("@PDtFinal"), FieldKind::Text}};
    registry.add({QStringLiteral("pri_movimento_Caixa"),
                  {{QStringLiteral("@PIdCaixa"), FieldKind::Integer},
                   {QStringLiteral("@PIdTipoLancamento"), FieldKind::SmallInt},
                   {QStringLiteral("@PVlLancamento"), FieldKind::Decimal},
                   {QStringLiteral("@PNrMatricula"), FieldKind::Integer},
                   {QStringLiteral("@PCdUsuario"), FieldKind::Integer},
                   {QStringLiteral("@PIdFuncionario"), FieldKind::Integer}},
                  true, false, cashEntry, {}});
    registry.add({QStringLiteral("PROC_CAD_FUNCIONARIO"),
                  {{QStringLiteral("@NOME"), FieldKind::Text},
                   {QStringLiteral("@ENDERECO"), FieldKind::Text},
                   {QStringLiteral("@BAIRRO"), FieldKind::Text},
                   {QStringLiteral("@TELEFONE"), FieldKind::Integer},
                   {QStringLiteral("@CELULAR"), FieldKind::Integer},
                   {QStringLiteral("@EMAIL"), FieldKind::Text}},
                  true, true, registerEmployee, {}});
    registry.add({QStringLiteral("PRS_CONSULTA_CAIXA_RELATORIO"), periodParams, false, false, cashReport,
                  CashReportColumns});
    registry.add({QStringLiteral("PRS_CONSULTA_CAIXA_PERIODO"), periodParams, false, false, cashReport,
                  CashReportColumns});
    registry.add({QStringLiteral("proc_rel_Caixa_Anual"), {{QStringLiteral("@PAno"), FieldKind::Integer}}, false,
                  false, yearSummary, YearSummaryColumns});
    registry.add({QStringLiteral("proc_vale_funcionario"),
                  {{QStringLiteral("@PDtInicial"), FieldKind::Text},
                   {QStringLiteral("@PDtFinal"), FieldKind::Text},
                   {QStringLiteral("@PNmFuncionario"), FieldKind::Text}},
                  false, false, employeeAdvances, AdvanceColumns});
}

} // namespace rv::db
