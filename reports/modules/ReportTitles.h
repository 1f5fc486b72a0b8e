#pragma once
// The window titles and progress texts of a report module's output.

#include <QString>

namespace rv {

struct ReportTitles {
    QString status = QStringLiteral("Report Status");   // the progress window
    QString preview = QStringLiteral("Report Preview"); // the preview window
    QString job = QStringLiteral("Rave Report");        // the print job and the PDF's title
    QString generating = QStringLiteral("Generating page %p");
    QString printing = QStringLiteral("Printing page %p");

    // A progress text with its page number in place of %p.
    static QString progressText(QString pattern, int page)
    {
        return pattern.replace(QStringLiteral("%p"), QString::number(page));
    }
};

} // namespace rv
