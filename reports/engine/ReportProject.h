#pragma once
// A report project: the named layouts of one project file. The file is JSON
// (docs/reports.md describes it); loading checks it whole and raises an Error
// naming the file and what is wrong, so a broken file is never half used.

#include "ReportFormat.h"

#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <optional>

namespace rv {

enum class Aggregate { Sum, Count, Average, Minimum, Maximum };

struct ReportColumn {
    QString field;             // the dataset column; a column the dataset lacks prints blank
    QString title;
    double width = 10;         // relative to the other columns; the table spans the page
    Qt::Alignment alignment = Qt::AlignLeft;
    FormatSpec format;
    std::optional<Aggregate> total; // shown in the totals row (and in group subtotals)
    int maxLines = 0;          // 0: a long text wraps onto as many lines as it needs
};

// One term of a summary value: sign, aggregate and field ("- sum(VL_DESPESA)");
// count with no field counts the rows.
struct SummaryTerm {
    int sign = 1;
    Aggregate aggregate = Aggregate::Sum;
    QString field;
};

struct SummaryLine {
    QString label;
    QList<SummaryTerm> terms;
    FormatSpec format;
};

struct ReportGroup {
    QString field;
    QString header = QStringLiteral("{value}"); // {value}: the group's value, {count}: its rows
    FormatSpec format;                         // how {value} is shown
    bool subtotals = true;
    QString subtotalLabel = QStringLiteral("Subtotal");
};

struct ReportFooter {
    QString left = QStringLiteral("Impresso em {printTime}");
    QString right = QStringLiteral("Página {page} de {pages}");
};

struct ReportLayout {
    QString name;
    QString connection;        // the data connection of the module the layout reads
    QString title;
    QStringList header;        // lines under the title; placeholders name the dataset's parameters
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double fontSize = 8;       // points, of the table's cells
    QList<ReportColumn> columns;
    std::optional<ReportGroup> group;
    QString totalsLabel = QStringLiteral("Total");
    QList<SummaryLine> summary; // label and value lines after the table, on the last page
    QString emptyText = QStringLiteral("Nenhum registro encontrado.");
    ReportFooter footer;

    bool hasTotals() const;
};

struct ReportProject {
    QString name;
    QString company;           // printed above every report's title
    QString filePath;          // where it was read from
    QList<ReportLayout> reports;

    // The layout of that name, without regard to case; nullptr when absent.
    const ReportLayout *find(const QString &reportName) const;

    // Read a project from its JSON text; source names it in error texts.
    static ReportProject fromJson(const QByteArray &json, const QString &source);
    // Read a project file (throws Error when it cannot be read or is not a project).
    static ReportProject load(const QString &filePath);
};

} // namespace rv
