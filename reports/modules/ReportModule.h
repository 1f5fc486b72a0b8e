#pragma once
// A report module: one report project file, the titles of its output windows,
// and the named data connections through which the project's layouts read the
// held results of the data modules.
//
// A screen fills the dataset a report reads and runs the report by name:
//
//   fin.cdsCaixa.close();
//   fin.cdsCaixa.paramByName("datainicial").setAsString(...);
//   fin.cdsCaixa.open();
//   fin.run(QStringLiteral("rptRelatorioCaixa"));   // returns when the preview closes
//
// The first run opens the project file (an Error when it is missing; the next
// run tries again) and the project then stays open. A name the project lacks
// does nothing. Tests give the module a ReportCapture with setPreview().

#include "ReportTitles.h"

#include "data/HeldResult.h"
#include "reports/engine/ReportDocument.h"
#include "reports/engine/ReportProject.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace rv {

class ReportPreview;

struct DataConnection {
    QString name;
    std::function<HeldResult *()> dataset; // resolved at run time; null when bound to nothing
};

class ReportModule {
public:
    ReportModule(QString moduleName, QString projectName, QString projectFile, ReportTitles titles = {});
    virtual ~ReportModule();
    ReportModule(const ReportModule &) = delete;
    ReportModule &operator=(const ReportModule &) = delete;

    const QString &moduleName() const { return m_moduleName; }
    const QString &projectName() const { return m_projectName; }
    // The project file as the program names it, relative to the current directory.
    const QString &projectFile() const { return m_projectFile; }
    const ReportTitles &titles() const { return m_titles; }
    const QList<DataConnection> &connections() const { return m_connections; }
    HeldResult *dataset(const QString &connectionName) const;
    bool hasConnection(const QString &connectionName) const;

    // Bind a named data connection to the held result it reads (declared
    // connections are bound by the owner of all modules).
    void bind(const QString &name, std::function<HeldResult *()> dataset);

    // Run a report: generate it from the connections' datasets as they are
    // and show it in the preview; returns when the preview is closed.
    void run(const QString &reportName);

    // Write a report to a file without the preview; false when the project
    // has no report of that name. The project is opened as for a run.
    bool exportPdf(const QString &reportName, const QString &filePath);
    bool exportCsv(const QString &reportName, const QString &filePath);

    // The report as a run would show it, or nothing for an unknown name.
    std::optional<ReportDocument> generate(const QString &reportName);

    bool isProjectOpen() const { return m_project.has_value(); }
    const ReportProject *project() const { return m_project ? &*m_project : nullptr; }

    // Where runs show their report; nullptr goes back to the preview window.
    // The module does not own it.
    void setPreview(ReportPreview *preview) { m_preview = preview; }
    // The time printed on reports; the current time when not set.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

protected:
    void declareConnection(QString name, std::function<HeldResult *()> dataset = {});

private:
    // The layout of a report, opening the project on first use (nullptr for a
    // name the project lacks).
    const ReportLayout *layout(const QString &reportName);
    void openProject();
    HeldResult *datasetOf(const ReportLayout &layout) const;
    ReportDocument generate(const ReportLayout &layout, ReportPreview *progress);
    ReportPreview &preview();

    QString m_moduleName;
    QString m_projectName;
    QString m_projectFile;
    ReportTitles m_titles;
    QList<DataConnection> m_connections;
    std::optional<ReportProject> m_project;
    ReportPreview *m_preview = nullptr;
    std::unique_ptr<ReportPreview> m_window; // the preview window, made on first use
    std::function<QDateTime()> m_now;
};

} // namespace rv
