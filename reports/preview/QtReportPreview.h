#pragma once
// The program's report output: a progress window while the report is
// generated, then the modal, maximised preview window.

#include "reports/engine/ReportPreview.h"

#include <QPointer>

class QProgressDialog;

namespace rv {

class QtReportPreview final : public ReportPreview {
public:
    ~QtReportPreview() override;
    void generating(const ReportTitles &titles, int page) override;
    void generated() override;
    void show(const ReportDocument &document, const ReportTitles &titles) override;

private:
    QPointer<QProgressDialog> m_progress;
};

} // namespace rv
