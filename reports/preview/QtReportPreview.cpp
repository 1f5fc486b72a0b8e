#include "QtReportPreview.h"

#include "ReportPreviewDialog.h"

#include <QApplication>
#include <QProgressDialog>

namespace rv {

QtReportPreview::~QtReportPreview()
{
    delete m_progress;
}

void QtReportPreview::generating(const ReportTitles &titles, int page)
{
    if (!m_progress) {
        m_progress = new QProgressDialog(QApplication::activeWindow());
        m_progress->setWindowTitle(titles.status);
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setCancelButton(nullptr);
        m_progress->setRange(0, 0);
        m_progress->setMinimumDuration(400); // short reports go straight to the preview
    }
    m_progress->setLabelText(ReportTitles::progressText(titles.generating, page));
    m_progress->setValue(0);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtReportPreview::generated()
{
    delete m_progress;
}

void QtReportPreview::show(const ReportDocument &document, const ReportTitles &titles)
{
    ReportPreviewDialog dialog(document, titles, QApplication::activeWindow());
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}

} // namespace rv
