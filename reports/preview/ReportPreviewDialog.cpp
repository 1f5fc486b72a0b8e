#include "ReportPreviewDialog.h"

#include "data/Errors.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace rv {

namespace {

QToolButton *toolButton(QWidget *parent, const char *name, const QString &text, const QKeySequence &key = {})
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    if (!key.isEmpty())
        b->setShortcut(key);
    return b;
}

} // namespace

ReportPreviewDialog::ReportPreviewDialog(const ReportDocument &document, const ReportTitles &titles, QWidget *parent)
    : QDialog(parent), m_document(document), m_titles(titles)
{
    setObjectName(QStringLiteral("ReportPreviewDialog"));
    setWindowTitle(titles.preview);
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);

    const int pages = std::max(1, document.pageCount());
    m_first = toolButton(this, "btnFirst", QStringLiteral("|◀ First"), QKeySequence(Qt::CTRL | Qt::Key_Home));
    m_prior = toolButton(this, "btnPrior", QStringLiteral("◀ Previous"), QKeySequence(Qt::Key_PageUp));
    m_next = toolButton(this, "btnNext", QStringLiteral("Next ▶"), QKeySequence(Qt::Key_PageDown));
    m_last = toolButton(this, "btnLast", QStringLiteral("Last ▶|"), QKeySequence(Qt::CTRL | Qt::Key_End));
    m_pageBox = new QSpinBox(this);
    m_pageBox->setObjectName(QStringLiteral("spnPage"));
    m_pageBox->setRange(1, pages);
    m_pageBox->setPrefix(QStringLiteral("Page "));
    m_pageCount = new QLabel(QStringLiteral("of %1").arg(document.pageCount()), this);
    m_pageCount->setObjectName(QStringLiteral("lblPages"));
    QToolButton *print = toolButton(this, "btnPrint", QStringLiteral("Print..."), QKeySequence::Print);
    QToolButton *save = toolButton(this, "btnSavePdf", QStringLiteral("Save as PDF..."), QKeySequence::Save);
    QToolButton *close = toolButton(this, "btnClose", QStringLiteral("Close"));

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_first);
    bar->addWidget(m_prior);
    bar->addWidget(m_pageBox);
    bar->addWidget(m_pageCount);
    bar->addWidget(m_next);
    bar->addWidget(m_last);
    bar->addSpacing(24);
    bar->addWidget(print);
    bar->addWidget(save);
    bar->addStretch(1);
    bar->addWidget(close);

    m_view = new QLabel(this);
    m_view->setObjectName(QStringLiteral("pageView"));
    m_view->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPage"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_view);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_status);

    connect(m_first, &QToolButton::clicked, this, [this] { showPage(1); });
    connect(m_prior, &QToolButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(m_last, &QToolButton::clicked, this, [this] { showPage(m_document.pageCount()); });
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int page) { showPage(page); });
    connect(print, &QToolButton::clicked, this, [this] { btnPrintClick(); });
    connect(save, &QToolButton::clicked, this, [this] { btnSavePdfClick(); });
    connect(close, &QToolButton::clicked, this, &QDialog::accept);

    resize(900, 700);
    m_page = 0;
    showPage(1);
}

void ReportPreviewDialog::showPage(int page)
{
    page = std::clamp(page, 1, std::max(1, m_document.pageCount()));
    if (page == m_page)
        return;
    m_page = page;
    {
        const QSignalBlocker block(m_pageBox);
        m_pageBox->setValue(page);
    }
    m_first->setEnabled(page > 1);
    m_prior->setEnabled(page > 1);
    m_next->setEnabled(page < m_document.pageCount());
    m_last->setEnabled(page < m_document.pageCount());
    renderPage();
}

void ReportPreviewDialog::renderPage()
{
    // 100 percent: the page at its paper size on this screen.
    const double ratio = devicePixelRatioF();
    QImage image = m_document.pageImage(m_page - 1, logicalDpiX() * ratio);
    image.setDevicePixelRatio(ratio);
    m_view->setPixmap(QPixmap::fromImage(image));
    m_view->resize(image.size() / ratio);
}

void ReportPreviewDialog::btnPrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_titles.job);
    printer.setPageLayout(m_document.pageLayout());
    printer.setFullPage(true);
    QPrintDialog dialog(&printer, this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange
                      | QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize
                      | QAbstractPrintDialog::PrintCurrentPage);
    dialog.setMinMax(1, std::max(1, m_document.pageCount()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printOn(printer);
}

void ReportPreviewDialog::printOn(QPrinter &printer)
{
    printer.setFullPage(true); // the pages carry their own margins
    const int count = m_document.pageCount();
    int from = 1;
    int to = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = printer.fromPage();
        to = std::min(count, printer.toPage() > 0 ? printer.toPage() : count);
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = m_page;
    }
    // Copies the printer cannot make itself are sent as sheets of their own.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    QList<int> sequence;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            for (int p = from; p <= to; ++p)
                sequence << p;
    } else {
        for (int p = from; p <= to; ++p)
            for (int c = 0; c < copies; ++c)
                sequence << p;
    }

    QProgressDialog progress(this);
    progress.setWindowTitle(m_titles.status);
    progress.setWindowModality(Qt::WindowModal);
    progress.setRange(0, int(sequence.size()));
    progress.setMinimumDuration(0);
    int done = 0;
    try {
        m_document.paintPages(printer, sequence, [&](int page) {
            progress.setLabelText(ReportTitles::progressText(m_titles.printing, page));
            progress.setValue(done++);
            return !progress.wasCanceled();
        });
        m_status->setText(progress.wasCanceled() ? QStringLiteral("Printing cancelled.") : QString());
        if (progress.wasCanceled())
            printer.abort();
    } catch (const Error &e) {
        m_status->setText(e.text());
    }
}

bool ReportPreviewDialog::saveAsPdf(const QString &filePath)
{
    try {
        m_document.writePdf(filePath, m_titles.job);
        m_status->setText(QStringLiteral("Saved to %1").arg(QDir::toNativeSeparators(filePath)));
        return true;
    } catch (const Error &e) {
        m_status->setText(QString(e.text()).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        return false;
    }
}

void ReportPreviewDialog::btnSavePdfClick()
{
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"),
                                                m_document.reportName + QStringLiteral(".pdf"),
                                                QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    saveAsPdf(path);
}

} // namespace rv
