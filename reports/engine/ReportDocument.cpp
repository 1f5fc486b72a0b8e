#include "ReportDocument.h"

#include "data/Errors.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace rv {

QFont reportFont(ReportRole role, double baseSize)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    // Unhinted glyphs measure the same at every resolution, so a line laid
    // out for paper fits the preview's pixels too.
    f.setHintingPreference(QFont::PreferNoHinting);
    double size = baseSize;
    switch (role) {
    case ReportRole::Company:
        size = baseSize - 0.5;
        f.setItalic(true);
        break;
    case ReportRole::Title:
        size = baseSize + 6;
        f.setBold(true);
        break;
    case ReportRole::Header:
        size = baseSize + 1;
        break;
    case ReportRole::ColumnTitle:
    case ReportRole::GroupHeader:
    case ReportRole::Subtotal:
    case ReportRole::Total:
        f.setBold(true);
        break;
    case ReportRole::SummaryLabel:
        size = baseSize + 1;
        break;
    case ReportRole::SummaryValue:
        size = baseSize + 1;
        f.setBold(true);
        break;
    case ReportRole::Empty:
        size = baseSize + 1;
        f.setItalic(true);
        break;
    case ReportRole::Footer:
        size = std::max(5.0, baseSize - 1);
        break;
    case ReportRole::Cell:
        break;
    }
    f.setPointSizeF(size);
    return f;
}

QSizeF ReportDocument::pageSize() const
{
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
    return orientation == QPageLayout::Landscape ? a4.transposed() : a4;
}

QPageLayout ReportDocument::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

QFont ReportDocument::font(ReportRole role) const
{
    return reportFont(role, fontSize);
}

QStringList ReportDocument::lines(int page) const
{
    if (page < 0 || page >= pages.size())
        return {};
    QList<const ReportText *> texts;
    for (const ReportText &t : pages[page].texts)
        texts.append(&t);
    std::stable_sort(texts.begin(), texts.end(), [](const ReportText *a, const ReportText *b) {
        if (std::abs(a->rect.top() - b->rect.top()) > 0.5)
            return a->rect.top() < b->rect.top();
        return a->rect.left() < b->rect.left();
    });
    QStringList lines;
    double top = -1e9;
    for (const ReportText *t : texts) {
        if (std::abs(t->rect.top() - top) > 0.5 || lines.isEmpty()) {
            lines << t->text;
            top = t->rect.top();
        } else {
            lines.last() += QLatin1Char('\t') + t->text;
        }
    }
    return lines;
}

QString ReportDocument::pageText(int page) const
{
    return lines(page).join(QLatin1Char('\n'));
}

QString ReportDocument::text() const
{
    QStringList all;
    for (int i = 0; i < pages.size(); ++i)
        all << pageText(i);
    return all.join(QLatin1Char('\f'));
}

void ReportDocument::paintPage(QPainter &painter, int page, double dpiX, double dpiY) const
{
    if (page < 0 || page >= pages.size())
        return;
    const double sx = dpiX / 72.0;
    const double sy = dpiY / 72.0;
    const auto toDevice = [sx, sy](const QRectF &r) {
        return QRectF(r.left() * sx, r.top() * sy, r.width() * sx, r.height() * sy);
    };
    const ReportPage &p = pages[page];
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xe6, 0xe6, 0xe6));
    for (const QRectF &shade : p.shades)
        painter.drawRect(toDevice(shade));

    for (const ReportRule &rule : p.rules) {
        QPen pen(rule.light ? QColor(0xbb, 0xbb, 0xbb) : QColor(Qt::black));
        pen.setWidthF(std::max(1.0, rule.width * sx));
        if (rule.light)
            pen.setWidthF(std::max(0.6, rule.width * sx));
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(QLineF(rule.line.x1() * sx, rule.line.y1() * sy, rule.line.x2() * sx, rule.line.y2() * sy));
    }

    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    ReportRole current = ReportRole::Footer;
    bool fontSet = false;
    for (const ReportText &t : p.texts) {
        if (!fontSet || t.role != current) {
            painter.setFont(font(t.role));
            current = t.role;
            fontSet = true;
        }
        const QRectF r = toDevice(t.rect);
        // The line was measured for paper; should the device's glyphs come
        // out wider, the end is cut with an ellipsis rather than overlap.
        const QFontMetricsF fm(painter.font(), painter.device());
        QString text = t.text;
        if (fm.horizontalAdvance(text) > r.width() + 0.5)
            text = fm.elidedText(text, Qt::ElideRight, r.width());
        painter.drawText(r, int(t.alignment | Qt::AlignVCenter | Qt::TextSingleLine), text);
    }
    painter.restore();
}

QImage ReportDocument::pageImage(int page, double dpi) const
{
    const QSizeF size = pageSize();
    QImage image(qRound(size.width() * dpi / 72.0), qRound(size.height() * dpi / 72.0), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, page, dpi, dpi);
    return image;
}

void ReportDocument::paintPages(QPagedPaintDevice &device, const QList<int> &sequence,
                                const std::function<bool(int)> &progress) const
{
    QPainter painter;
    if (!painter.begin(&device))
        throw Error(QStringLiteral("The report could not be sent to the output device."));
    bool first = true;
    for (int page : sequence) {
        if (page < 1 || page > pageCount())
            continue;
        if (progress && !progress(page))
            break;
        if (!first)
            device.newPage();
        first = false;
        paintPage(painter, page - 1, device.logicalDpiX(), device.logicalDpiY());
    }
    painter.end();
}

void ReportDocument::writePdf(const QString &filePath, const QString &jobTitle) const
{
    QPdfWriter writer(filePath);
    writer.setTitle(jobTitle);
    writer.setCreator(QStringLiteral("Ravelto"));
    writer.setPageLayout(pageLayout());
    QList<int> all;
    for (int page = 1; page <= pageCount(); ++page)
        all << page;
    try {
        paintPages(writer, all);
    } catch (const Error &) {
        throw Error(QStringLiteral("The file could not be written:\n\"%1\"").arg(QDir::toNativeSeparators(filePath)));
    }
}

} // namespace rv
