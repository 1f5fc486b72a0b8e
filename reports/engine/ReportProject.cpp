#include "ReportProject.h"

#include "data/Errors.h"
#include "data/RowSet.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace rv {

namespace {

// A fault in one place of the file; the loader adds the file's name.
struct LayoutFault {
    QString text;
};

[[noreturn]] void fault(const QString &where, const QString &what)
{
    throw LayoutFault{where.isEmpty() ? what : where + QStringLiteral(": ") + what};
}

QString textOf(const QJsonObject &o, const char *key, const QString &where, const QString &fallback = {})
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return fallback;
    if (!v.isString())
        fault(where, QStringLiteral("\"%1\" must be a text").arg(QLatin1String(key)));
    return v.toString();
}

double numberOf(const QJsonObject &o, const char *key, const QString &where, double fallback)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return fallback;
    if (!v.isDouble())
        fault(where, QStringLiteral("\"%1\" must be a number").arg(QLatin1String(key)));
    return v.toDouble();
}

bool flagOf(const QJsonObject &o, const char *key, const QString &where, bool fallback)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return fallback;
    if (!v.isBool())
        fault(where, QStringLiteral("\"%1\" must be true or false").arg(QLatin1String(key)));
    return v.toBool();
}

std::optional<Aggregate> aggregateFromName(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("sum"))
        return Aggregate::Sum;
    if (n == QLatin1String("count"))
        return Aggregate::Count;
    if (n == QLatin1String("avg") || n == QLatin1String("average"))
        return Aggregate::Average;
    if (n == QLatin1String("min"))
        return Aggregate::Minimum;
    if (n == QLatin1String("max"))
        return Aggregate::Maximum;
    return std::nullopt;
}

FormatSpec formatOf(const QJsonObject &o, const QString &where)
{
    FormatSpec spec;
    const QString name = textOf(o, "format", where);
    const auto format = valueFormatFromName(name);
    if (!format)
        fault(where, QStringLiteral("unknown format \"%1\"").arg(name));
    spec.format = *format;
    spec.decimals = int(numberOf(o, "decimals", where, 2));
    if (spec.decimals < 0 || spec.decimals > 6)
        fault(where, QStringLiteral("\"decimals\" must be from 0 to 6"));
    return spec;
}

Qt::Alignment alignmentOf(const QJsonObject &o, const QString &where, const FormatSpec &format, bool hasTotal)
{
    const QString name = textOf(o, "align", where).trimmed().toLower();
    if (name == QLatin1String("left"))
        return Qt::AlignLeft;
    if (name == QLatin1String("right"))
        return Qt::AlignRight;
    if (name == QLatin1String("center") || name == QLatin1String("centre"))
        return Qt::AlignHCenter;
    if (!name.isEmpty())
        fault(where, QStringLiteral("unknown alignment \"%1\" (left, center or right)").arg(name));
    switch (format.format) {
    case ValueFormat::Number:
    case ValueFormat::Currency:
        return Qt::AlignRight;
    case ValueFormat::Date:
    case ValueFormat::DateTime:
    case ValueFormat::Time:
    case ValueFormat::Boolean:
        return Qt::AlignHCenter;
    default:
        return hasTotal ? Qt::AlignRight : Qt::AlignLeft;
    }
}

ReportColumn columnOf(const QJsonValue &v, const QString &where)
{
    if (!v.isObject())
        fault(where, QStringLiteral("a column must be an object"));
    const QJsonObject o = v.toObject();
    ReportColumn c;
    c.field = textOf(o, "field", where).trimmed();
    if (c.field.isEmpty())
        fault(where, QStringLiteral("a column needs a \"field\""));
    const QString at = where + QStringLiteral(", column \"%1\"").arg(c.field);
    c.title = textOf(o, "title", at, c.field);
    c.width = numberOf(o, "width", at, 10);
    if (!(c.width > 0))
        fault(at, QStringLiteral("\"width\" must be greater than 0"));
    c.format = formatOf(o, at);
    const QString total = textOf(o, "total", at);
    if (!total.isEmpty()) {
        c.total = aggregateFromName(total);
        if (!c.total)
            fault(at, QStringLiteral("unknown total \"%1\" (sum, count, avg, min or max)").arg(total));
    }
    c.alignment = alignmentOf(o, at, c.format, c.total.has_value());
    c.maxLines = int(numberOf(o, "maxLines", at, 0));
    if (c.maxLines < 0)
        fault(at, QStringLiteral("\"maxLines\" must not be negative"));
    return c;
}

// "sum(VL_RECEITA) - sum(VL_DESPESA)", "count()", "count".
QList<SummaryTerm> termsOf(const QString &expression, const QString &where)
{
    static const QRegularExpression term(QStringLiteral(
        "\\G\\s*([+-])?\\s*([A-Za-z]+)\\s*(?:\\(\\s*([^()]*?)\\s*\\))?\\s*"));
    QList<SummaryTerm> terms;
    int at = 0;
    while (at < expression.size()) {
        const auto m = term.match(expression, at);
        if (!m.hasMatch() || m.capturedLength() == 0)
            fault(where, QStringLiteral("cannot read the value \"%1\"").arg(expression));
        if (!terms.isEmpty() && m.captured(1).isEmpty())
            fault(where, QStringLiteral("cannot read the value \"%1\": + or - expected").arg(expression));
        SummaryTerm t;
        t.sign = m.captured(1) == QLatin1String("-") ? -1 : 1;
        const auto aggregate = aggregateFromName(m.captured(2));
        if (!aggregate)
            fault(where, QStringLiteral("unknown total \"%1\" in \"%2\"").arg(m.captured(2), expression));
        t.aggregate = *aggregate;
        t.field = m.captured(3);
        if (t.field.isEmpty() && t.aggregate != Aggregate::Count)
            fault(where, QStringLiteral("\"%1\" needs a field in \"%2\"").arg(m.captured(2), expression));
        terms.append(t);
        at = int(m.capturedEnd());
    }
    if (terms.isEmpty())
        fault(where, QStringLiteral("a summary line needs a \"value\""));
    return terms;
}

ReportLayout layoutOf(const QJsonValue &v, int index)
{
    if (!v.isObject())
        fault(QString(), QStringLiteral("report %1 is not an object").arg(index + 1));
    const QJsonObject o = v.toObject();
    ReportLayout l;
    l.name = textOf(o, "name", QString()).trimmed();
    if (l.name.isEmpty())
        fault(QString(), QStringLiteral("report %1 has no \"name\"").arg(index + 1));
    const QString where = QStringLiteral("report \"%1\"").arg(l.name);
    l.connection = textOf(o, "connection", where).trimmed();
    if (l.connection.isEmpty())
        fault(where, QStringLiteral("no \"connection\""));
    l.title = textOf(o, "title", where, l.name);

    const QJsonValue header = o.value(QLatin1String("header"));
    if (header.isString()) {
        l.header << header.toString();
    } else if (header.isArray()) {
        for (const QJsonValue &line : header.toArray()) {
            if (!line.isString())
                fault(where, QStringLiteral("\"header\" lines must be texts"));
            l.header << line.toString();
        }
    } else if (!header.isUndefined() && !header.isNull()) {
        fault(where, QStringLiteral("\"header\" must be a text or a list of texts"));
    }

    const QString orientation = textOf(o, "orientation", where, QStringLiteral("portrait")).trimmed().toLower();
    if (orientation == QLatin1String("landscape"))
        l.orientation = QPageLayout::Landscape;
    else if (orientation != QLatin1String("portrait"))
        fault(where, QStringLiteral("\"orientation\" must be portrait or landscape"));

    l.fontSize = numberOf(o, "fontSize", where, 8);
    if (l.fontSize < 5 || l.fontSize > 16)
        fault(where, QStringLiteral("\"fontSize\" must be from 5 to 16"));

    const QJsonValue columns = o.value(QLatin1String("columns"));
    if (!columns.isArray() || columns.toArray().isEmpty())
        fault(where, QStringLiteral("\"columns\" must list at least one column"));
    for (const QJsonValue &c : columns.toArray())
        l.columns.append(columnOf(c, where));

    const QJsonValue group = o.value(QLatin1String("group"));
    if (group.isObject()) {
        const QJsonObject g = group.toObject();
        ReportGroup rg;
        const QString at = where + QStringLiteral(", group");
        rg.field = textOf(g, "field", at).trimmed();
        if (rg.field.isEmpty())
            fault(at, QStringLiteral("a group needs a \"field\""));
        rg.header = textOf(g, "header", at, rg.header);
        rg.format = formatOf(g, at);
        rg.subtotals = flagOf(g, "subtotals", at, true);
        rg.subtotalLabel = textOf(g, "subtotalLabel", at, rg.subtotalLabel);
        l.group = rg;
    } else if (!group.isUndefined() && !group.isNull()) {
        fault(where, QStringLiteral("\"group\" must be an object"));
    }

    l.totalsLabel = textOf(o, "totalsLabel", where, l.totalsLabel);

    const QJsonValue summary = o.value(QLatin1String("summary"));
    if (summary.isArray()) {
        for (const QJsonValue &s : summary.toArray()) {
            if (!s.isObject())
                fault(where, QStringLiteral("a summary line must be an object"));
            const QJsonObject so = s.toObject();
            SummaryLine line;
            line.label = textOf(so, "label", where);
            const QString at = where + QStringLiteral(", summary \"%1\"").arg(line.label);
            line.terms = termsOf(textOf(so, "value", at), at);
            line.format = formatOf(so, at);
            l.summary.append(line);
        }
    } else if (!summary.isUndefined() && !summary.isNull()) {
        fault(where, QStringLiteral("\"summary\" must be a list"));
    }

    l.emptyText = textOf(o, "empty", where, l.emptyText);

    const QJsonValue footer = o.value(QLatin1String("footer"));
    if (footer.isObject()) {
        const QJsonObject f = footer.toObject();
        l.footer.left = textOf(f, "left", where, l.footer.left);
        l.footer.right = textOf(f, "right", where, l.footer.right);
    } else if (!footer.isUndefined() && !footer.isNull()) {
        fault(where, QStringLiteral("\"footer\" must be an object"));
    }
    return l;
}

QString unreadable(const QString &source, const QString &why)
{
    return QStringLiteral("The reporting project could not be read:\n\"%1\"\n%2").arg(source, why);
}

} // namespace

bool ReportLayout::hasTotals() const
{
    for (const ReportColumn &c : columns)
        if (c.total)
            return true;
    return false;
}

const ReportLayout *ReportProject::find(const QString &reportName) const
{
    for (const ReportLayout &l : reports)
        if (sameName(l.name, reportName))
            return &l;
    return nullptr;
}

ReportProject ReportProject::fromJson(const QByteArray &json, const QString &source)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw Error(unreadable(source, QStringLiteral("%1 at character %2").arg(error.errorString()).arg(error.offset)));
    if (!doc.isObject())
        throw Error(unreadable(source, QStringLiteral("the file does not hold a report project")));
    const QJsonObject o = doc.object();
    ReportProject project;
    project.filePath = source;
    try {
        const QString format = textOf(o, "format", QString(), QStringLiteral("ravelto-report-project"));
        if (format != QLatin1String("ravelto-report-project"))
            fault(QString(), QStringLiteral("the file does not hold a report project (format \"%1\")").arg(format));
        if (numberOf(o, "version", QString(), 1) > 1)
            fault(QString(), QStringLiteral("the project was written for a newer version of the program"));
        project.name = textOf(o, "project", QString());
        project.company = textOf(o, "company", QString());
        const QJsonValue reports = o.value(QLatin1String("reports"));
        if (!reports.isArray())
            fault(QString(), QStringLiteral("\"reports\" must list the project's reports"));
        const QJsonArray list = reports.toArray();
        for (int i = 0; i < list.size(); ++i) {
            ReportLayout layout = layoutOf(list[i], i);
            if (project.find(layout.name))
                fault(QString(), QStringLiteral("two reports are named \"%1\"").arg(layout.name));
            project.reports.append(std::move(layout));
        }
    } catch (const LayoutFault &f) {
        throw Error(unreadable(source, f.text));
    }
    return project;
}

ReportProject ReportProject::load(const QString &filePath)
{
    QFile file(filePath);
    const QString shown = QDir::toNativeSeparators(filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(unreadable(shown, file.errorString()));
    return fromJson(file.readAll(), shown);
}

} // namespace rv
