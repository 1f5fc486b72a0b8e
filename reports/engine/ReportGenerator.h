#pragma once
// Turning a layout and the held result it reads into a paginated document,
// or into a CSV file of the same columns.
//
//   ReportDocument doc = generateReport(*project.find("rptRelatorioCaixa"), &cdsCaixa,
//                                       {project.company, QDateTime::currentDateTime()});
//
// Rows are read from the first to the last under the result's filter, with
// the columns the layout names; a column the result lacks prints blank. A
// closed or missing result prints as a report without rows.

#include "ReportDocument.h"
#include "ReportProject.h"

#include "data/HeldResult.h"

#include <QByteArray>
#include <QDateTime>

#include <functional>

namespace rv {

struct ReportContext {
    QString company;
    QDateTime printTime;
    std::function<void(int page)> progress; // told each page number as its layout begins
};

ReportDocument generateReport(const ReportLayout &layout, const HeldResult *dataset, const ReportContext &context);

// The rows as CSV: the column titles, then one line per row, fields separated
// by semicolons, numbers with a decimal comma and no grouping, UTF-8 with a
// byte-order mark and CRLF line ends (what spreadsheets here read directly).
QByteArray reportCsv(const ReportLayout &layout, const HeldResult *dataset);
// The same written to a file (throws Error when it cannot be written).
void writeReportCsv(const ReportLayout &layout, const HeldResult *dataset, const QString &filePath);

} // namespace rv
