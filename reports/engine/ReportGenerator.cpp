#include "ReportGenerator.h"

#include "data/Errors.h"

#include <QDir>
#include <QFontMetricsF>
#include <QHash>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <limits>

namespace rv {

namespace {

// Page geometry, in points.
constexpr double kMargin = 28.0;    // about 10 mm on every side
constexpr double kPadX = 3.0;       // inside a cell, left and right
constexpr double kPadY = 1.5;       // inside a cell, above and below
constexpr double kGap = 4.0;        // between header blocks
constexpr double kMeasureDpi = 1200.0;

// One column value as the layout sees it.
struct CellValue {
    bool present = false; // the result has the column
    QVariant value;
    FieldKind kind = FieldKind::Unknown;
    bool currency = false;
};

// Read access to the rows of a result by column name, tolerating a result
// that is missing, closed or lacks a column.
class RowSource {
public:
    explicit RowSource(const HeldResult *dataset) : m_dataset(dataset) {}

    int rowCount() const { return m_dataset && m_dataset->active() ? m_dataset->recordCount() : 0; }

    CellValue value(int row, const QString &field) const
    {
        const int c = columnOf(field);
        CellValue v;
        if (c < 0 || !m_dataset || c >= m_dataset->columnCount())
            return v;
        v.present = true;
        const Field f = m_dataset->fieldAt(row, c);
        v.value = f.value();
        v.kind = f.kind();
        const ColumnDecl *decl = m_dataset->declaration(c);
        v.currency = decl && decl->isCurrency;
        return v;
    }

    bool hasColumn(const QString &field) const
    {
        const int c = columnOf(field);
        return c >= 0 && m_dataset && c < m_dataset->columnCount();
    }

    FieldKind kindOf(const QString &field) const
    {
        const int c = columnOf(field);
        return hasColumn(field) ? m_dataset->column(c).kind : FieldKind::Unknown;
    }

    bool currencyOf(const QString &field) const
    {
        const int c = columnOf(field);
        const ColumnDecl *decl = hasColumn(field) ? m_dataset->declaration(c) : nullptr;
        return decl && decl->isCurrency;
    }

    // The value of a placeholder in the header: a parameter of the result.
    std::optional<QVariant> parameter(const QString &name) const
    {
        if (!m_dataset)
            return std::nullopt;
        const Param *p = m_dataset->params().find(name);
        if (!p)
            return std::nullopt;
        return p->value();
    }

private:
    int columnOf(const QString &field) const
    {
        if (!m_dataset)
            return -1;
        auto it = m_columns.constFind(field);
        if (it == m_columns.constEnd())
            it = m_columns.insert(field, m_dataset->columnIndex(field));
        return *it;
    }

    const HeldResult *m_dataset;
    mutable QHash<QString, int> m_columns;
};

// An aggregate over some rows; nullopt when it has no value (the column is
// missing, or an average, minimum or maximum over no numbers).
std::optional<double> aggregate(const RowSource &rows, const QList<int> &which, Aggregate fn, const QString &field)
{
    if (fn == Aggregate::Count && field.isEmpty())
        return double(which.size());
    if (!rows.hasColumn(field))
        return std::nullopt;
    double sum = 0;
    int count = 0;
    double lo = std::numeric_limits<double>::max();
    double hi = std::numeric_limits<double>::lowest();
    for (int r : which) {
        const CellValue v = rows.value(r, field);
        if (fn == Aggregate::Count) {
            if (v.value.isValid() && !v.value.isNull())
                ++count;
            continue;
        }
        const auto n = numberOf(v.value);
        if (!n)
            continue;
        sum += *n;
        ++count;
        lo = std::min(lo, *n);
        hi = std::max(hi, *n);
    }
    switch (fn) {
    case Aggregate::Sum: return sum;
    case Aggregate::Count: return double(count);
    case Aggregate::Average: return count ? std::optional<double>(sum / count) : std::nullopt;
    case Aggregate::Minimum: return count ? std::optional<double>(lo) : std::nullopt;
    case Aggregate::Maximum: return count ? std::optional<double>(hi) : std::nullopt;
    }
    return std::nullopt;
}

QString aggregateText(const RowSource &rows, const QList<int> &which, const ReportColumn &column)
{
    const auto value = aggregate(rows, which, *column.total, column.field);
    if (!value)
        return {};
    FormatSpec spec = column.format;
    FieldKind kind = rows.kindOf(column.field);
    spec.currencyKind = rows.currencyOf(column.field);
    if (*column.total == Aggregate::Count) {
        spec.format = ValueFormat::Integer;
        kind = FieldKind::Integer;
    }
    return formatValue(QVariant(*value), kind, spec);
}

QString summaryText(const RowSource &rows, const QList<int> &which, const SummaryLine &line)
{
    double total = 0;
    bool allCounts = true;
    for (const SummaryTerm &t : line.terms) {
        const auto v = aggregate(rows, which, t.aggregate, t.field);
        if (!v)
            return {};
        total += t.sign * *v;
        allCounts = allCounts && t.aggregate == Aggregate::Count;
    }
    FormatSpec spec = line.format;
    FieldKind kind = FieldKind::Decimal;
    if (allCounts) {
        kind = FieldKind::Integer;
    } else {
        const QString &field = line.terms.first().field;
        kind = rows.kindOf(field);
        spec.currencyKind = rows.currencyOf(field);
    }
    return formatValue(QVariant(total), kind, spec);
}

// Text widths for paper: measured at a high resolution and given in points.
class Measure {
public:
    explicit Measure(double baseSize) : m_baseSize(baseSize), m_device(1, 1, QImage::Format_RGB32)
    {
        const int dpm = qRound(kMeasureDpi / 0.0254);
        m_device.setDotsPerMeterX(dpm);
        m_device.setDotsPerMeterY(dpm);
    }

    const QFontMetricsF &metrics(ReportRole role)
    {
        auto it = m_metrics.find(int(role));
        if (it == m_metrics.end())
            it = m_metrics.emplace(int(role), QFontMetricsF(reportFont(role, m_baseSize), &m_device)).first;
        return it->second;
    }

    double lineHeight(ReportRole role) { return metrics(role).lineSpacing() * 72.0 / kMeasureDpi; }
    double width(ReportRole role, const QString &text)
    {
        return metrics(role).horizontalAdvance(text) * 72.0 / kMeasureDpi;
    }

    // The text broken into lines no wider than width points, at word ends
    // where it can and inside a word that is wider than the line by itself.
    QStringList wrap(ReportRole role, const QString &text, double width, int maxLines = 0)
    {
        const QFontMetricsF &fm = metrics(role);
        const double limit = width * kMeasureDpi / 72.0;
        const auto fits = [&fm, limit](const QString &s) { return fm.horizontalAdvance(s) <= limit; };
        QStringList out;
        const QStringList paragraphs = text.split(QLatin1Char('\n'));
        for (const QString &paragraph : paragraphs) {
            QString line;
            const QStringList words = paragraph.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            for (QString word : words) {
                const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
                if (fits(candidate)) {
                    line = candidate;
                    continue;
                }
                if (!line.isEmpty())
                    out << line;
                while (!fits(word) && word.size() > 1) {
                    int n = int(word.size()) - 1;
                    while (n > 1 && !fits(word.left(n)))
                        --n;
                    out << word.left(n);
                    word = word.mid(n);
                }
                line = word;
            }
            out << line;
        }
        if (maxLines > 0 && out.size() > maxLines) {
            out = out.mid(0, maxLines);
            out.last() = fm.elidedText(out.last() + QStringLiteral(" …"), Qt::ElideRight, limit);
        }
        return out;
    }

private:
    double m_baseSize;
    QImage m_device;
    std::map<int, QFontMetricsF> m_metrics;
};

class Builder {
public:
    Builder(const ReportLayout &layout, const HeldResult *dataset, const ReportContext &context)
        : m_layout(layout), m_context(context), m_rows(dataset), m_measure(layout.fontSize)
    {
        m_doc.reportName = layout.name;
        m_doc.orientation = layout.orientation;
        m_doc.fontSize = layout.fontSize;
        const QSizeF page = m_doc.pageSize();
        m_pageWidth = page.width();
        m_pageHeight = page.height();
        m_left = kMargin;
        m_right = m_pageWidth - kMargin;
        m_footerTop = m_pageHeight - kMargin - m_measure.lineHeight(ReportRole::Footer);
        m_bodyBottom = m_footerTop - kGap - 1.0;

        double weights = 0;
        for (const ReportColumn &c : layout.columns)
            weights += c.width;
        double x = m_left;
        for (const ReportColumn &c : layout.columns) {
            const double w = (m_right - m_left) * c.width / weights;
            m_colX << x;
            m_colW << w;
            x += w;
        }
    }

    ReportDocument build()
    {
        const int count = m_rows.rowCount();
        QList<int> all;
        for (int r = 0; r < count; ++r)
            all << r;

        newPage();
        if (count == 0) {
            addLine(ReportRole::Empty, m_layout.emptyText, Qt::AlignLeft);
        } else if (m_layout.group) {
            for (const auto &[value, rows] : groups(all)) {
                groupHeader(value, rows);
                for (int r : rows)
                    dataRow(r);
                if (m_layout.group->subtotals && m_layout.hasTotals())
                    totalsRow(ReportRole::Subtotal, m_layout.group->subtotalLabel, rows);
            }
        } else {
            for (int r : all)
                dataRow(r);
        }
        closing(all);
        footers();
        return std::move(m_doc);
    }

private:
    // Rows by the group field's shown value, groups in the order they first
    // appear, rows in the result's order inside each.
    QList<std::pair<QString, QList<int>>> groups(const QList<int> &rows) const
    {
        QList<std::pair<QString, QList<int>>> out;
        QHash<QString, int> index;
        for (int r : rows) {
            const CellValue v = m_rows.value(r, m_layout.group->field);
            FormatSpec spec = m_layout.group->format;
            spec.currencyKind = v.currency;
            const QString key = formatValue(v.value, v.kind, spec);
            auto it = index.constFind(key);
            if (it == index.constEnd()) {
                it = index.insert(key, int(out.size()));
                out.append({key, {}});
            }
            out[*it].second.append(r);
        }
        return out;
    }

    void newPage()
    {
        m_doc.pages.append(ReportPage());
        m_page = &m_doc.pages.last();
        m_bodyRows = 0;
        if (m_context.progress)
            m_context.progress(int(m_doc.pages.size()));
        m_y = kMargin;

        if (!m_context.company.isEmpty())
            addLine(ReportRole::Company, m_context.company, Qt::AlignLeft);
        addLine(ReportRole::Title, m_layout.title, Qt::AlignLeft);
        for (const QString &line : m_layout.header)
            addLine(ReportRole::Header, expandTemplate(line, [this](const QString &n) { return headerValue(n); }),
                    Qt::AlignLeft);
        m_y += kGap;
        columnTitles();
    }

    std::optional<QVariant> headerValue(const QString &name) const
    {
        if (sameName(name, QStringLiteral("rows")))
            return QVariant(m_rows.rowCount());
        if (sameName(name, QStringLiteral("printTime")))
            return QVariant(m_context.printTime);
        return m_rows.parameter(name);
    }

    // A line of text across the printable width (wrapped when it is longer).
    void addLine(ReportRole role, const QString &text, Qt::Alignment alignment)
    {
        const double lh = m_measure.lineHeight(role);
        for (const QString &line : m_measure.wrap(role, text, m_right - m_left)) {
            m_page->texts.append({role, QRectF(m_left, m_y, m_right - m_left, lh), line, alignment});
            m_y += lh;
        }
    }

    void rule(double y, double width, bool light = false)
    {
        m_page->rules.append({QLineF(m_left, y, m_right, y), width, light});
    }

    // One band of cells; each cell's lines stacked from the band's top.
    double placeCells(ReportRole role, const QList<QStringList> &cells, const QList<Qt::Alignment> &alignment,
                      const QList<std::pair<double, double>> &spans)
    {
        const double lh = m_measure.lineHeight(role);
        int lines = 1;
        for (const QStringList &c : cells)
            lines = std::max(lines, int(c.size()));
        // A band taller than a whole page is cut to the page.
        const int room = std::max(1, int((m_bodyBottom - m_y - 2 * kPadY) / lh));
        lines = std::min(lines, room);
        for (int i = 0; i < cells.size(); ++i) {
            const auto [x, w] = spans[i];
            for (int l = 0; l < cells[i].size() && l < lines; ++l) {
                if (cells[i][l].isEmpty())
                    continue;
                m_page->texts.append(
                    {role, QRectF(x + kPadX, m_y + kPadY + l * lh, w - 2 * kPadX, lh), cells[i][l], alignment[i]});
            }
        }
        const double height = lines * lh + 2 * kPadY;
        m_y += height;
        return height;
    }

    double bandHeight(ReportRole role, const QList<QStringList> &cells)
    {
        int lines = 1;
        for (const QStringList &c : cells)
            lines = std::max(lines, int(c.size()));
        return lines * m_measure.lineHeight(role) + 2 * kPadY;
    }

    bool fits(double height) const { return m_y + height <= m_bodyBottom + 0.01; }

    // Start a new page unless the band fits, or the page holds no rows yet
    // (a band taller than a page is then cut rather than repeated forever).
    void makeRoom(double height)
    {
        if (!fits(height) && m_bodyRows > 0)
            newPage();
    }

    QList<std::pair<double, double>> columnSpans() const
    {
        QList<std::pair<double, double>> spans;
        for (int i = 0; i < m_colX.size(); ++i)
            spans.append({m_colX[i], m_colW[i]});
        return spans;
    }

    QList<Qt::Alignment> columnAlignments() const
    {
        QList<Qt::Alignment> a;
        for (const ReportColumn &c : m_layout.columns)
            a << c.alignment;
        return a;
    }

    void columnTitles()
    {
        QList<QStringList> cells;
        for (int i = 0; i < m_layout.columns.size(); ++i)
            cells << m_measure.wrap(ReportRole::ColumnTitle, m_layout.columns[i].title, m_colW[i] - 2 * kPadX);
        const double top = m_y;
        const double h = bandHeight(ReportRole::ColumnTitle, cells);
        m_page->shades.append(QRectF(m_left, top, m_right - m_left, h));
        rule(top, 0.8);
        placeCells(ReportRole::ColumnTitle, cells, columnAlignments(), columnSpans());
        rule(m_y, 0.8);
    }

    QList<QStringList> rowCells(int row)
    {
        QList<QStringList> cells;
        for (int i = 0; i < m_layout.columns.size(); ++i) {
            const ReportColumn &c = m_layout.columns[i];
            const CellValue v = m_rows.value(row, c.field);
            FormatSpec spec = c.format;
            spec.currencyKind = v.currency;
            const QString text = v.present ? formatValue(v.value, v.kind, spec) : QString();
            cells << m_measure.wrap(ReportRole::Cell, text, m_colW[i] - 2 * kPadX, c.maxLines);
        }
        return cells;
    }

    void dataRow(int row)
    {
        const QList<QStringList> cells = rowCells(row);
        makeRoom(bandHeight(ReportRole::Cell, cells));
        placeCells(ReportRole::Cell, cells, columnAlignments(), columnSpans());
        rule(m_y, 0.3, true);
        ++m_bodyRows;
    }

    void groupHeader(const QString &value, const QList<int> &rows)
    {
        const QString text = expandTemplate(m_layout.group->header, [&](const QString &n) -> std::optional<QVariant> {
            if (sameName(n, QStringLiteral("value")))
                return QVariant(value);
            if (sameName(n, QStringLiteral("count")))
                return QVariant(int(rows.size()));
            return headerValue(n);
        });
        const QList<QStringList> cells{m_measure.wrap(ReportRole::GroupHeader, text, m_right - m_left - 2 * kPadX)};
        const double h = bandHeight(ReportRole::GroupHeader, cells);
        // The header stays with the group's first row.
        makeRoom(h + bandHeight(ReportRole::Cell, rowCells(rows.first())));
        m_page->shades.append(QRectF(m_left, m_y, m_right - m_left, h));
        placeCells(ReportRole::GroupHeader, cells, {Qt::AlignLeft}, {{m_left, m_right - m_left}});
        ++m_bodyRows;
    }

    // The label spans the columns before the first total.
    std::pair<QList<QStringList>, QList<std::pair<double, double>>> totalsBand(ReportRole role, const QString &label,
                                                                                const QList<int> &rows,
                                                                                QList<Qt::Alignment> &alignment)
    {
        int firstTotal = 0;
        while (firstTotal < m_layout.columns.size() && !m_layout.columns[firstTotal].total)
            ++firstTotal;
        QList<QStringList> cells;
        QList<std::pair<double, double>> spans;
        if (firstTotal > 0) {
            const double w = m_colX[firstTotal - 1] + m_colW[firstTotal - 1] - m_left;
            cells << m_measure.wrap(role, label, w - 2 * kPadX);
            spans.append({m_left, w});
            alignment << Qt::AlignLeft;
        }
        for (int i = firstTotal; i < m_layout.columns.size(); ++i) {
            const ReportColumn &c = m_layout.columns[i];
            const QString text = c.total ? aggregateText(m_rows, rows, c) : QString();
            cells << m_measure.wrap(role, text, m_colW[i] - 2 * kPadX);
            spans.append({m_colX[i], m_colW[i]});
            alignment << c.alignment;
        }
        return {cells, spans};
    }

    void totalsRow(ReportRole role, const QString &label, const QList<int> &rows)
    {
        QList<Qt::Alignment> alignment;
        const auto [cells, spans] = totalsBand(role, label, rows, alignment);
        makeRoom(bandHeight(role, cells));
        rule(m_y, role == ReportRole::Total ? 0.8 : 0.5);
        placeCells(role, cells, alignment, spans);
        ++m_bodyRows;
    }

    // The totals row and the summary, kept together on the last page.
    void closing(const QList<int> &rows)
    {
        double height = 0;
        QList<Qt::Alignment> alignment;
        if (m_layout.hasTotals())
            height += bandHeight(ReportRole::Total, totalsBand(ReportRole::Total, m_layout.totalsLabel, rows, alignment).first);
        const double summaryLine = m_measure.lineHeight(ReportRole::SummaryValue) + 2 * kPadY;
        if (!m_layout.summary.isEmpty())
            height += kGap * 2 + summaryLine * m_layout.summary.size();
        if (height == 0)
            return;
        makeRoom(height);
        if (m_layout.hasTotals()) {
            totalsRow(ReportRole::Total, m_layout.totalsLabel, rows);
            rule(m_y, 0.8);
        }
        if (m_layout.summary.isEmpty())
            return;
        m_y += kGap * 2;
        // Labels right-aligned against the values, the block at the right edge.
        double valueWidth = 0;
        double labelWidth = 0;
        QStringList values;
        for (const SummaryLine &line : m_layout.summary) {
            values << summaryText(m_rows, rows, line);
            valueWidth = std::max(valueWidth, m_measure.width(ReportRole::SummaryValue, values.last()));
            labelWidth = std::max(labelWidth, m_measure.width(ReportRole::SummaryLabel, line.label));
        }
        const double width = m_right - m_left;
        valueWidth = std::min(valueWidth + 2 * kPadX, width / 2);
        labelWidth = std::min(labelWidth + 2 * kPadX, width - valueWidth);
        const double valueX = m_right - valueWidth;
        const double labelX = valueX - labelWidth;
        for (int i = 0; i < m_layout.summary.size(); ++i) {
            const double lh = m_measure.lineHeight(ReportRole::SummaryValue);
            m_page->texts.append({ReportRole::SummaryLabel, QRectF(labelX + kPadX, m_y + kPadY, labelWidth - 2 * kPadX, lh),
                                  m_layout.summary[i].label, Qt::AlignRight});
            m_page->texts.append({ReportRole::SummaryValue, QRectF(valueX + kPadX, m_y + kPadY, valueWidth - 2 * kPadX, lh),
                                  values[i], Qt::AlignRight});
            m_y += summaryLine;
        }
    }

    void footers()
    {
        const int pages = m_doc.pageCount();
        const double lh = m_measure.lineHeight(ReportRole::Footer);
        const double half = (m_right - m_left) / 2;
        for (int i = 0; i < pages; ++i) {
            const auto lookup = [&](const QString &n) -> std::optional<QVariant> {
                if (sameName(n, QStringLiteral("page")))
                    return QVariant(i + 1);
                if (sameName(n, QStringLiteral("pages")))
                    return QVariant(pages);
                return headerValue(n);
            };
            ReportPage &page = m_doc.pages[i];
            page.rules.append({QLineF(m_left, m_footerTop - 2, m_right, m_footerTop - 2), 0.5, false});
            const QString left = expandTemplate(m_layout.footer.left, lookup);
            const QString right = expandTemplate(m_layout.footer.right, lookup);
            if (!left.isEmpty())
                page.texts.append({ReportRole::Footer, QRectF(m_left, m_footerTop, half, lh), left, Qt::AlignLeft});
            if (!right.isEmpty())
                page.texts.append({ReportRole::Footer, QRectF(m_left + half, m_footerTop, half, lh), right, Qt::AlignRight});
        }
    }

    const ReportLayout &m_layout;
    const ReportContext &m_context;
    RowSource m_rows;
    Measure m_measure;
    ReportDocument m_doc;
    ReportPage *m_page = nullptr;
    int m_bodyRows = 0;
    double m_pageWidth = 0;
    double m_pageHeight = 0;
    double m_left = 0;
    double m_right = 0;
    double m_footerTop = 0;
    double m_bodyBottom = 0;
    double m_y = 0;
    QList<double> m_colX;
    QList<double> m_colW;
};

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

ReportDocument generateReport(const ReportLayout &layout, const HeldResult *dataset, const ReportContext &context)
{
    return Builder(layout, dataset, context).build();
}

QByteArray reportCsv(const ReportLayout &layout, const HeldResult *dataset)
{
    const RowSource rows(dataset);
    QStringList lines;
    QStringList titles;
    for (const ReportColumn &c : layout.columns)
        titles << csvField(c.title);
    lines << titles.join(QLatin1Char(';'));
    for (int r = 0; r < rows.rowCount(); ++r) {
        QStringList fields;
        for (const ReportColumn &c : layout.columns) {
            const CellValue v = rows.value(r, c.field);
            FormatSpec spec = c.format;
            spec.currencyKind = v.currency;
            fields << csvField(v.present ? formatValue(v.value, v.kind, spec, FormatPurpose::Data) : QString());
        }
        lines << fields.join(QLatin1Char(';'));
    }
    return QByteArray("\xEF\xBB\xBF") + (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

void writeReportCsv(const ReportLayout &layout, const HeldResult *dataset, const QString &filePath)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(reportCsv(layout, dataset)) < 0 || !file.commit())
        throw Error(QStringLiteral("The file could not be written:\n\"%1\"\n%2")
                        .arg(QDir::toNativeSeparators(filePath), file.errorString()));
}

} // namespace rv
