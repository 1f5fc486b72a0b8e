#pragma once
// The preview window of a report: one page at a time at 100 percent, page
// navigation, printing through the system's print dialog (printer, setup,
// pages, copies, collation, duplex) and saving as a PDF file. It only shows
// and outputs the document it is given.

#include "reports/engine/ReportDocument.h"
#include "reports/modules/ReportTitles.h"

#include <QDialog>

class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace rv {

class ReportPreviewDialog : public QDialog {
    Q_OBJECT

public:
    ReportPreviewDialog(const ReportDocument &document, const ReportTitles &titles, QWidget *parent = nullptr);

    int currentPage() const { return m_page; } // 1-based
    void showPage(int page);

    // Print on a printer already set up (the print button asks for one first).
    void printOn(QPrinter &printer);
    // Save the report as a PDF file; false (and the reason in the status line) when it fails.
    bool saveAsPdf(const QString &filePath);

private:
    void btnPrintClick();
    void btnSavePdfClick();
    void renderPage();

    const ReportDocument &m_document;
    ReportTitles m_titles;
    int m_page = 1;
    QToolButton *m_first = nullptr;
    QToolButton *m_prior = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_last = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QLabel *m_pageCount = nullptr;
    QLabel *m_view = nullptr;
    QLabel *m_status = nullptr;
    QScrollArea *m_scroll = nullptr;
};

} // namespace rv
