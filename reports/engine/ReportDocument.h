#pragma once
// A generated report: its pages, each a list of positioned lines of text,
// rules and shaded boxes in points (1/72 inch) from the paper's top-left
// corner. It holds no widgets: the preview paints its pages, the printer and
// the PDF writer get the same painting, and tests read its text.

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;
class QPagedPaintDevice;

namespace rv {

enum class ReportRole { Company, Title, Header, ColumnTitle, Cell, GroupHeader, Subtotal, Total, SummaryLabel,
                        SummaryValue, Empty, Footer };

struct ReportText {
    ReportRole role = ReportRole::Cell;
    QRectF rect;               // one line of text
    QString text;
    Qt::Alignment alignment = Qt::AlignLeft;
};

struct ReportRule {
    QLineF line;
    double width = 0.5;        // points
    bool light = false;        // the thin grey line between rows
};

struct ReportPage {
    QList<ReportText> texts;
    QList<ReportRule> rules;
    QList<QRectF> shades;
};

// The font of a kind of text in a report whose cells are baseSize points.
QFont reportFont(ReportRole role, double baseSize);

class ReportDocument {
public:
    QString reportName;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double fontSize = 8;
    QList<ReportPage> pages;

    int pageCount() const { return int(pages.size()); }
    // A4 in points, turned as the orientation says.
    QSizeF pageSize() const;
    QPageLayout pageLayout() const;   // A4, the orientation, no margins (the pages hold theirs)
    QFont font(ReportRole role) const;

    // The lines of a page as they read from top to bottom, the texts that
    // share a line separated by tabs.
    QStringList lines(int page) const;
    QString pageText(int page) const;
    // Every page, separated by form feeds.
    QString text() const;

    // Paint one page on a device of the given resolution, the paper's corner at (0,0).
    void paintPage(QPainter &painter, int page, double dpiX, double dpiY) const;
    // One page as an image at a resolution (the preview shows 100 percent at the screen's).
    QImage pageImage(int page, double dpi) const;

    // Paint pages on a paged device, one sheet each, in the order given
    // (1-based numbers; a number may repeat for copies). progress is told
    // each page number before it is painted and may return false to stop.
    void paintPages(QPagedPaintDevice &device, const QList<int> &sequence,
                    const std::function<bool(int page)> &progress = {}) const;
    // Write the whole report as a PDF file (throws Error when the file cannot be written).
    void writePdf(const QString &filePath, const QString &jobTitle) const;
};

} // namespace rv
