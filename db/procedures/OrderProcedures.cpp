// Order queries and order totals: the orders of a window (all of them, or one
// courier's), the number of orders per day of a month and per month of a year.

#include "Registration.h"
#include "ProcedureSupport.h"

#include <QDate>

namespace rv::db {

namespace {

// ---------------------------------------------------------------- order rows

// The values of one order, as every order result takes them.
enum OrderValue {
    Id, Telefone, Solicitante, Endereco, Antiga, Bairro, Trajeto, Valor, Categoria, Usuario, Obs, Motoqueiro,
    Datacad, Hora, OrderValueCount
};

struct OrderColumn {
    ResultColumn column;
    OrderValue value;
};
using OrderShape = QList<OrderColumn>;

// The columns every shape shares, up to OBS.
OrderShape orderShape(std::initializer_list<OrderColumn> tail, bool dataBeforeObs)
{
    OrderShape shape{{{QStringLiteral("ID_PEDIDO"), FieldKind::Integer}, Id},
                     {{QStringLiteral("TELEFONE"), FieldKind::Integer}, Telefone},
                     {{QStringLiteral("SOLICITANTE"), FieldKind::FixedText}, Solicitante},
                     {{QStringLiteral("ENDEREÇO"), FieldKind::FixedText}, Endereco},
                     {{QStringLiteral("ANTIGA"), FieldKind::FixedText}, Antiga},
                     {{QStringLiteral("BAIRRO"), FieldKind::FixedText}, Bairro},
                     {{QStringLiteral("TRAJETO"), FieldKind::Text}, Trajeto},
                     {{QStringLiteral("VALOR"), FieldKind::Decimal}, Valor},
                     {{QStringLiteral("CATEGORIA_TELEFONE"), FieldKind::FixedText}, Categoria},
                     {{QStringLiteral("USUARIO"), FieldKind::FixedText}, Usuario}};
    if (dataBeforeObs)
        shape.append({{QStringLiteral("Data"), FieldKind::DateTime}, Datacad});
    shape.append({{QStringLiteral("OBS"), FieldKind::FixedText}, Obs});
    shape.append(tail);
    return shape;
}

// The order views' row: ... USUARIO, Data, OBS, ID_MOTOQUEIRO.
const OrderShape &viewShape()
{
    static const OrderShape s = orderShape({{{QStringLiteral("ID_MOTOQUEIRO"), FieldKind::FixedText}, Motoqueiro}}, true);
    return s;
}

// The orders of a period: ... OBS, hora, datacad, ID_MOTOQUEIRO.
const OrderShape &periodShape()
{
    static const OrderShape s = orderShape({{{QStringLiteral("hora"), FieldKind::FixedText}, Hora},
                                            {{QStringLiteral("datacad"), FieldKind::DateTime}, Datacad},
                                            {{QStringLiteral("ID_MOTOQUEIRO"), FieldKind::FixedText}, Motoqueiro}},
                                           false);
    return s;
}

// The orders of a day or a shift: ... OBS, ID_MOTOQUEIRO, DAtacad.
const OrderShape &dayShape()
{
    static const OrderShape s = orderShape({{{QStringLiteral("ID_MOTOQUEIRO"), FieldKind::FixedText}, Motoqueiro},
                                            {{QStringLiteral("DAtacad"), FieldKind::DateTime}, Datacad}},
                                           false);
    return s;
}

Columns columnsOf(const OrderShape &shape)
{
    Columns c;
    for (const OrderColumn &oc : shape)
        c.append(oc.column);
    return c;
}

// The orders registered in the window (both ends included), oldest first, of
// one courier when one is given, in the shape asked for. The fare comes with no
// decimal places, the courier's registration number as text.
RowSet orderRows(ServerContext &ctx, const OrderShape &shape, const Period &period,
                 std::optional<qint64> courier = std::nullopt)
{
    QVariantList args;
    QString condition = QStringLiteral("p.datacad between ? and ?");
    if (courier) {
        condition.prepend(QStringLiteral("p.ID_MOTOQUEIRO = ? and "));
        args << qlonglong(*courier);
    }
    args << period.from << period.to;
    const RowSet raw = ctx.query(
        QStringLiteral("select p.id_pedido, p.telefone, p.solicitante, l.LOGRADOURO, l.NOME_LOGRADOURO, p.numero, "
                       "p.complemento, p.antiga, b.BAIRRO, t.trajeto, round(p.VALOR, 0), c.categoria_telefone, "
                       "u.usuario, p.OBS, p.ID_MOTOQUEIRO, p.datacad "
                       "from pedido p "
                       "left join logradouro l on l.ID_LOGRADOURO = p.id_logradouro "
                       "left join bairro b on b.ID_BAIRRO = p.id_bairro "
                       "left join trajeto2009 t on t.id_trajeto = p.id_trajeto "
                       "left join categoria_telefone c on c.id_categoria = p.ID_CATEGORIA "
                       "left join usuario u on u.id_usuario = p.ID_USUARIO "
                       "where %1 order by p.datacad, p.id_pedido")
            .arg(condition),
        args,
        {FieldKind::Integer, FieldKind::Integer, FieldKind::Text, FieldKind::Text, FieldKind::Text, FieldKind::Text,
         FieldKind::Text, FieldKind::Text, FieldKind::Text, FieldKind::Text, FieldKind::Decimal, FieldKind::Text,
         FieldKind::Text, FieldKind::Text, FieldKind::Integer, FieldKind::DateTime});

    RowSet out = emptyResult(columnsOf(shape));
    out.rows.reserve(raw.rows.size());
    Row values(OrderValueCount);
    for (const Row &r : raw.rows) {
        values[Id] = r[0];
        values[Telefone] = r[1];
        values[Solicitante] = r[2];
        values[Endereco] = addressText(r[3], r[4], r[5], r[6], 123);
        values[Antiga] = r[7];
        values[Bairro] = r[8];
        values[Trajeto] = r[9];
        values[Valor] = r[10];
        values[Categoria] = r[11];
        values[Usuario] = r[12];
        values[Obs] = r[13];
        values[Motoqueiro] = r[14].isNull() ? QVariant() : QVariant(r[14].toString());
        values[Datacad] = r[15];
        values[Hora] = r[15].isNull() ? QVariant() : QVariant(r[15].toDateTime().toString(QStringLiteral("HH:mm")));
        Row row;
        row.reserve(shape.size());
        for (const OrderColumn &oc : shape)
            row.append(values[oc.value]);
        out.rows.append(std::move(row));
    }
    return out;
}

ProcedureDef windowProcedure(const QString &name, const OrderShape &shape, const QString &from, const QString &to)
{
    ProcedureDef def;
    def.name = name;
    def.params = {{from, FieldKind::Text}, {to, FieldKind::Text}};
    def.result = columnsOf(shape);
    def.handler = [shape](ServerContext &ctx, const ProcedureArgs &args) -> std::optional<RowSet> {
        const std::optional<Period> period = periodArgs(args, 0);
        if (!period)
            return emptyResult(columnsOf(shape));
        return orderRows(ctx, shape, *period);
    };
    return def;
}

// The orders of one courier in the window.
std::optional<RowSet> pedidoMotoPeriodo(ServerContext &ctx, const ProcedureArgs &args)
{
    const std::optional<qint64> courier = args.integer(0);
    const std::optional<Period> period = periodArgs(args, 1);
    if (!courier || !period)
        return emptyResult(columnsOf(viewShape()));
    return orderRows(ctx, viewShape(), *period, courier);
}

// ---------------------------------------------------------------- totals

// How a day went, by its number of orders: the same bands the daily totals
// screen paints (below 150 red, above 250 highlighted).
QString dayStatus(qint64 total)
{
    if (total < 150)
        return QStringLiteral("BAIXO");
    if (total > 250)
        return QStringLiteral("ALTO");
    return QStringLiteral("NORMAL");
}

// The monthly goal of orders.
constexpr qint64 MonthlyGoal = 6000;

QString goalText(qint64 total)
{
    if (total >= MonthlyGoal)
        return QStringLiteral("META ATINGIDA");
    return QStringLiteral("FALTAM %1 PARA A META").arg(MonthlyGoal - total);
}

QString monthName(int month)
{
    static const char *const names[] = {"JANEIRO", "FEVEREIRO", "MARÇO",    "ABRIL",   "MAIO",     "JUNHO",
                                        "JULHO",   "AGOSTO",    "SETEMBRO", "OUTUBRO", "NOVEMBRO", "DEZEMBRO"};
    return month >= 1 && month <= 12 ? QString::fromUtf8(names[month - 1]) : QString();
}

// The number of orders registered from the start of `from` to just before the
// start of `until`. Each count is an index range count on the registration
// time, much cheaper than extracting the day or month of every order.
qint64 ordersBetween(ServerContext &ctx, const QDate &from, const QDate &until)
{
    return ctx.scalar(QStringLiteral("select count(*) from pedido where datacad >= ? and datacad < ?"),
                      {QDateTime(from, QTime(0, 0)), QDateTime(until, QTime(0, 0))})
        .toLongLong();
}

const Columns &dayTotalColumns()
{
    static const Columns c{{QStringLiteral("dia"), FieldKind::Integer},
                           {QStringLiteral("total"), FieldKind::Integer},
                           {QStringLiteral("status"), FieldKind::FixedText}};
    return c;
}

const Columns &monthTotalColumns()
{
    static const Columns c{{QStringLiteral("mes"), FieldKind::Integer},
                           {QStringLiteral("total"), FieldKind::Integer},
                           {QStringLiteral("extenso"), FieldKind::FixedText},
                           {QStringLiteral("Meta"), FieldKind::FixedText}};
    return c;
}

// A year the date arithmetic can hold; anything else (0, a NULL) lists nothing.
bool usableYear(const std::optional<qint64> &year)
{
    return year && *year >= 1 && *year <= 9998;
}

// One row per day of the month, days without orders included.
std::optional<RowSet> contaPedido(ServerContext &ctx, const ProcedureArgs &args)
{
    const std::optional<qint64> month = args.integer(0);
    const std::optional<qint64> year = args.integer(1);
    RowSet out = emptyResult(dayTotalColumns());
    if (!month || *month < 1 || *month > 12 || !usableYear(year))
        return out;
    const QDate first(int(*year), int(*month), 1);
    for (int day = 1; day <= first.daysInMonth(); ++day) {
        const QDate date = first.addDays(day - 1);
        const qint64 total = ordersBetween(ctx, date, date.addDays(1));
        out.rows.append({QVariant(qlonglong(day)), QVariant(qlonglong(total)), QVariant(dayStatus(total))});
    }
    return out;
}

// One row per month of the year, months without orders included.
std::optional<RowSet> contaPedidoMes(ServerContext &ctx, const ProcedureArgs &args)
{
    const std::optional<qint64> year = args.integer(0);
    RowSet out = emptyResult(monthTotalColumns());
    if (!usableYear(year))
        return out;
    for (int month = 1; month <= 12; ++month) {
        const QDate first(int(*year), month, 1);
        const qint64 total = ordersBetween(ctx, first, first.addMonths(1));
        out.rows.append({QVariant(qlonglong(month)), QVariant(qlonglong(total)), QVariant(monthName(month)),
                         QVariant(goalText(total))});
    }
    return out;
}

} // namespace

void registerOrderProcedures(ProcedureRegistry &registry)
{
    registry.add(windowProcedure(QStringLiteral("proc_PEDIDO_PERIODO"), periodShape(), QStringLiteral("@DataInicial"),
                                 QStringLiteral("@DataFinal")));
    registry.add(windowProcedure(QStringLiteral("proc_consulta_Pedido"), dayShape(), QStringLiteral("@DataI"),
                                 QStringLiteral("@DataF")));

    ProcedureDef moto;
    moto.name = QStringLiteral("PRC_PEDIDO_MOTO_PERIODO");
    moto.params = {{QStringLiteral("@Moto"), FieldKind::Integer},
                   {QStringLiteral("@DataInicio"), FieldKind::Text},
                   {QStringLiteral("@DataFim"), FieldKind::Text}};
    moto.result = columnsOf(viewShape());
    moto.handler = pedidoMotoPeriodo;
    registry.add(std::move(moto));

    ProcedureDef days;
    days.name = QStringLiteral("proc_Conta_pedido");
    days.params = {{QStringLiteral("@mes"), FieldKind::Integer}, {QStringLiteral("@ano"), FieldKind::Integer}};
    days.result = dayTotalColumns();
    days.handler = contaPedido;
    registry.add(std::move(days));

    ProcedureDef months;
    months.name = QStringLiteral("proc_Conta_pedido_mes");
    months.params = {{QStringLiteral("@ano"), FieldKind::Integer}};
    months.result = monthTotalColumns();
    months.handler = contaPedidoMes;
    registry.add(std::move(months));
}

} // namespace rv::db
