#pragma once
// Where a run's report goes. The program shows it in the preview window
// (QtReportPreview); tests put a ReportCapture in its place and read what was
// generated instead of showing a window.
//
//   ReportCapture capture;
//   modules.RVFINANCEIRO().setPreview(&capture);
//   ... click "Imprimir" ...
//   EXPECT_TRUE(capture.last().text().contains("Total de receitas"));

#include "ReportDocument.h"

#include "reports/modules/ReportTitles.h"

#include <QList>

namespace rv {

class ReportPreview {
public:
    virtual ~ReportPreview() = default;
    // Told each page number while the report is being generated.
    virtual void generating(const ReportTitles &titles, int page) {}
    // The generation is over (successfully or not).
    virtual void generated() {}
    // Show the report; returns when it is closed.
    virtual void show(const ReportDocument &document, const ReportTitles &titles) = 0;
};

// Keeps every report it is given.
class ReportCapture final : public ReportPreview {
public:
    struct Shown {
        ReportDocument document;
        ReportTitles titles;
    };

    void show(const ReportDocument &document, const ReportTitles &titles) override
    {
        m_shown.append({document, titles});
    }

    int count() const { return int(m_shown.size()); }
    bool isEmpty() const { return m_shown.isEmpty(); }
    const ReportDocument &last() const { return m_shown.last().document; }
    const QList<Shown> &shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    QList<Shown> m_shown;
};

} // namespace rv
