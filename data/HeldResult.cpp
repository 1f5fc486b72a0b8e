#include "HeldResult.h"
#include "Convert.h"
#include "Errors.h"
#include "Query.h"

namespace rv {

namespace col {
ColumnDecl fixed(const QString &name, int size) { return {name, FieldKind::FixedText, size}; }
ColumnDecl text(const QString &name, int size) { return {name, FieldKind::Text, size}; }
ColumnDecl integer(const QString &name) { return {name, FieldKind::Integer}; }
ColumnDecl smallint(const QString &name) { return {name, FieldKind::SmallInt}; }
ColumnDecl decimal(const QString &name, int precision, int scale)
{
    ColumnDecl c{name, FieldKind::Decimal};
    c.precision = precision;
    c.scale = scale;
    return c;
}
ColumnDecl money(const QString &name)
{
    ColumnDecl c{name, FieldKind::Currency};
    c.precision = 19;
    c.scale = 4;
    c.isCurrency = true;
    return c;
}
ColumnDecl dateTime(const QString &name) { return {name, FieldKind::DateTime}; }
ColumnDecl boolean(const QString &name) { return {name, FieldKind::Boolean}; }
ColumnDecl blob(const QString &name) { return {name, FieldKind::Blob}; }
ColumnDecl recNo(const QString &name, bool asText)
{
    ColumnDecl c{name, asText ? FieldKind::Text : FieldKind::Integer};
    c.isRecNo = true;
    return c;
}
} // namespace col

HeldResult::HeldResult(Connection &connection, QString name, QString commandText, QList<ParamDecl> params,
                       QList<ColumnDecl> columns)
    : m_connection(connection)
    , m_name(std::move(name))
    , m_declared(std::move(columns))
{
    setCommandText(commandText);
    for (int i = 0; i < params.size() && i < m_params.count(); ++i)
        m_params.at(i) = Param(m_params.at(i).name(), params[i].kind);
}

void HeldResult::setCommandText(const QString &text)
{
    close();
    m_commandText = text;
    m_params.rebuild(text.isEmpty() ? QStringList() : parseStatementText(text).markers);
}

void HeldResult::open()
{
    if (m_active)
        return;
    Connection::Result r = m_connection.run(m_commandText, m_params);
    if (!r.hasRows)
        throw DatabaseError(QStringLiteral("%1: Cursor not returned from Query").arg(m_name), m_commandText);

    QList<ResultColumn> columns;
    QList<Row> rows;
    if (m_declared.isEmpty()) {
        columns = r.rows.columns;
        rows = std::move(r.rows.rows);
    } else {
        QList<int> source;
        for (const ColumnDecl &d : std::as_const(m_declared)) {
            columns.append({d.name, d.kind});
            if (d.isRecNo) {
                source.append(-1);
                continue;
            }
            const int at = r.rows.indexOf(d.name);
            if (at < 0)
                throw DatabaseError(QStringLiteral("%1: Field '%2' not found").arg(m_name, d.name), m_commandText);
            if (!kindsCompatible(d.kind, r.rows.columns[at].kind))
                throw DatabaseError(QStringLiteral("%1: Type mismatch for field '%2', expecting: %3 actual: %4")
                                        .arg(m_name, d.name, kindName(d.kind), kindName(r.rows.columns[at].kind)),
                                    m_commandText);
            source.append(at);
        }
        rows.reserve(r.rows.rows.size());
        for (const Row &in : std::as_const(r.rows.rows)) {
            Row out;
            out.reserve(source.size());
            for (int i = 0; i < source.size(); ++i)
                out.append(source[i] < 0 ? QVariant() : normaliseValue(in[source[i]], m_declared[i].kind));
            rows.append(std::move(out));
        }
    }

    Q_EMIT aboutToChange();
    m_columns = std::move(columns);
    m_rows = std::move(rows);
    m_active = true;
    m_visible.clear();
    if (m_filtered && !m_filter.isEmpty()) {
        try {
            const FilterSpec spec = parseFilter(m_filter);
            m_visible = visibleRows(&spec);
        } catch (...) {
            m_filtered = false;
            m_visible = visibleRows(nullptr);
        }
    } else {
        m_visible = visibleRows(nullptr);
    }
    m_current = 0;
    Q_EMIT changed();
    Q_EMIT currentChanged(m_current);
}

void HeldResult::close()
{
    if (!m_active && m_rows.isEmpty())
        return;
    Q_EMIT aboutToChange();
    m_active = false;
    m_rows.clear();
    m_visible.clear();
    if (m_declared.isEmpty())
        m_columns.clear();
    m_current = 0;
    Q_EMIT changed();
}

void HeldResult::setRecNo(int recNo)
{
    if (recNo < 1 || recNo > m_visible.size())
        return;
    if (m_current != recNo - 1) {
        m_current = recNo - 1;
        Q_EMIT currentChanged(m_current);
    }
}

void HeldResult::first()
{
    m_current = 0;
    Q_EMIT currentChanged(m_current);
}

void HeldResult::next()
{
    if (m_current < m_visible.size()) {
        ++m_current;
        if (m_current < m_visible.size())
            Q_EMIT currentChanged(m_current);
    }
}

void HeldResult::last()
{
    m_current = m_visible.isEmpty() ? 0 : int(m_visible.size()) - 1;
    Q_EMIT currentChanged(m_current);
}

int HeldResult::columnIndex(const QString &name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (sameName(m_columns[i].name, name))
            return i;
    if (m_columns.isEmpty())
        for (int i = 0; i < m_declared.size(); ++i)
            if (sameName(m_declared[i].name, name))
                return i;
    return -1;
}

const ColumnDecl *HeldResult::declaration(int column) const
{
    return column >= 0 && column < m_declared.size() ? &m_declared[column] : nullptr;
}

QVariant HeldResult::valueAt(int visibleRow, int column) const
{
    if (visibleRow < 0 || visibleRow >= m_visible.size() || column < 0 || column >= m_columns.size())
        return {};
    const ColumnDecl *d = declaration(column);
    if (d && d->isRecNo)
        return d->kind == FieldKind::Text ? QVariant(QString::number(visibleRow + 1))
                                          : QVariant(qlonglong(visibleRow + 1));
    return m_rows[m_visible[visibleRow]][column];
}

Field HeldResult::fieldAt(int visibleRow, int column) const
{
    if (column < 0 || column >= m_columns.size())
        return {};
    return Field(m_columns[column].name, m_columns[column].kind, valueAt(visibleRow, column));
}

Field HeldResult::fieldByName(const QString &name) const
{
    const int c = columnIndex(name);
    if (c < 0)
        throw DatabaseError(QStringLiteral("%1: Field '%2' not found").arg(m_name, name));
    if (c >= m_columns.size())
        return Field(m_declared[c].name, m_declared[c].kind, QVariant());
    return fieldAt(m_current, c);
}

bool HeldResult::locate(const QString &column, const QVariant &value)
{
    const int c = columnIndex(column);
    if (c < 0)
        throw DatabaseError(QStringLiteral("%1: Field '%2' not found").arg(m_name, column));
    const FieldKind kind = c < m_columns.size() ? m_columns[c].kind : FieldKind::Unknown;
    const bool numeric = isNumberKind(kind);
    double number = 0;
    bool numberOk = true;
    if (numeric) {
        if (value.typeId() == QMetaType::QString) {
            const QString t = value.toString().trimmed();
            bool ok = false;
            number = t.toDouble(&ok);
            if (!ok) {
                QString c2 = t;
                c2.replace(QLatin1Char(','), QLatin1Char('.'));
                number = c2.toDouble(&ok);
            }
            numberOk = ok;
        } else {
            number = value.toDouble();
        }
    }
    const QString prefix = Field::textOf(value);
    for (int r = 0; r < m_visible.size(); ++r) {
        const QVariant v = valueAt(r, c);
        bool match = false;
        if (numeric) {
            match = numberOk && !v.isNull() && v.toDouble() == number;
        } else {
            match = !v.isNull() && Field::textOf(v).startsWith(prefix, Qt::CaseInsensitive);
        }
        if (match) {
            m_current = r;
            Q_EMIT currentChanged(m_current);
            return true;
        }
    }
    return false;
}

HeldResult::FilterSpec HeldResult::parseFilter(const QString &expression) const
{
    static const QRegularExpression form(QStringLiteral("^\\s*upper\\s*\\(\\s*([^)]*?)\\s*\\)\\s*like\\s*'(.*)'\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption
                                             | QRegularExpression::DotMatchesEverythingOption);
    const auto m = form.match(expression);
    if (!m.hasMatch())
        throw DatabaseError(QStringLiteral("%1: Filter expression incorrectly formatted: %2").arg(m_name, expression));
    FilterSpec spec;
    spec.column = columnIndex(m.captured(1));
    if (spec.column < 0)
        throw DatabaseError(QStringLiteral("%1: Field '%2' not found").arg(m_name, m.captured(1)));
    QString literal = m.captured(2);
    // inner quotes are doubled; a single one left over breaks the expression
    QString pattern;
    for (int i = 0; i < literal.size(); ++i) {
        const QChar ch = literal[i];
        if (ch == QLatin1Char('\'')) {
            if (i + 1 < literal.size() && literal[i + 1] == QLatin1Char('\'')) {
                pattern += QRegularExpression::escape(QStringLiteral("'"));
                ++i;
                continue;
            }
            throw DatabaseError(QStringLiteral("%1: Filter expression incorrectly formatted: %2").arg(m_name, expression));
        }
        if (ch == QLatin1Char('%'))
            pattern += QStringLiteral(".*");
        else if (ch == QLatin1Char('_'))
            pattern += QLatin1Char('.');
        else
            pattern += QRegularExpression::escape(QString(ch));
    }
    spec.pattern = QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                      QRegularExpression::CaseInsensitiveOption
                                          | QRegularExpression::DotMatchesEverythingOption);
    return spec;
}

QList<int> HeldResult::visibleRows(const FilterSpec *spec) const
{
    QList<int> visible;
    visible.reserve(m_rows.size());
    const ColumnDecl *d = spec ? declaration(spec->column) : nullptr;
    const bool recNo = d && d->isRecNo;
    for (int r = 0; r < m_rows.size(); ++r) {
        if (spec) {
            const QString text = recNo ? QString::number(r + 1) : Field::textOf(m_rows[r][spec->column]);
            if (!spec->pattern.match(text.toUpper()).hasMatch())
                continue;
        }
        visible.append(r);
    }
    return visible;
}

void HeldResult::setFilter(const QString &expression)
{
    if (m_filtered && m_active) {
        const FilterSpec spec = parseFilter(expression); // a bad expression changes nothing
        Q_EMIT aboutToChange();
        m_filter = expression;
        m_visible = visibleRows(&spec);
        m_current = 0;
        Q_EMIT changed();
        return;
    }
    m_filter = expression;
}

void HeldResult::setFiltered(bool on)
{
    if (on == m_filtered && !on)
        return;
    if (!m_active) {
        if (on && !m_filter.isEmpty() && !m_columns.isEmpty())
            parseFilter(m_filter);
        m_filtered = on;
        return;
    }
    QList<int> visible;
    if (on && !m_filter.isEmpty()) {
        const FilterSpec spec = parseFilter(m_filter);
        visible = visibleRows(&spec);
    } else {
        visible = visibleRows(nullptr);
    }
    Q_EMIT aboutToChange();
    m_filtered = on;
    m_visible = std::move(visible);
    m_current = 0;
    Q_EMIT changed();
}

void HeldResult::editValue(int visibleRow, int column, const QVariant &value)
{
    if (visibleRow < 0 || visibleRow >= m_visible.size() || column < 0 || column >= m_columns.size())
        return;
    const FieldKind kind = m_columns[column].kind;
    const ColumnDecl *d = declaration(column);
    QVariant stored;
    const QString text = value.typeId() == QMetaType::QString ? value.toString() : QString();
    if (value.typeId() == QMetaType::QString && text.trimmed().isEmpty()) {
        if (d && d->isRequired)
            throw ValidationError(QStringLiteral("Field '%1' must have a value").arg(m_columns[column].name));
    } else if (value.typeId() == QMetaType::QString && isWholeNumberKind(kind)) {
        stored = qlonglong(convert::toInteger(text));
    } else if (value.typeId() == QMetaType::QString && isNumberKind(kind)) {
        stored = convert::toFloat(text);
    } else {
        stored = normaliseValue(value, kind);
    }
    m_rows[m_visible[visibleRow]][column] = stored;
    m_current = visibleRow;
    Q_EMIT rowEdited(visibleRow);
    if (m_afterPost)
        m_afterPost(*this);
}

} // namespace rv
