#include "ReportModule.h"

#include "data/Errors.h"
#include "reports/engine/ProjectLocator.h"
#include "reports/engine/ReportGenerator.h"
#include "reports/engine/ReportPreview.h"
#include "reports/preview/QtReportPreview.h"

namespace rv {

ReportModule::ReportModule(QString moduleName, QString projectName, QString projectFile, ReportTitles titles)
    : m_moduleName(std::move(moduleName))
    , m_projectName(std::move(projectName))
    , m_projectFile(std::move(projectFile))
    , m_titles(std::move(titles))
{
}

ReportModule::~ReportModule() = default;

HeldResult *ReportModule::dataset(const QString &connectionName) const
{
    for (const DataConnection &c : m_connections)
        if (sameName(c.name, connectionName))
            return c.dataset ? c.dataset() : nullptr;
    return nullptr;
}

bool ReportModule::hasConnection(const QString &connectionName) const
{
    for (const DataConnection &c : m_connections)
        if (sameName(c.name, connectionName))
            return true;
    return false;
}

void ReportModule::declareConnection(QString name, std::function<HeldResult *()> dataset)
{
    m_connections.append({std::move(name), std::move(dataset)});
}

void ReportModule::bind(const QString &name, std::function<HeldResult *()> dataset)
{
    for (DataConnection &c : m_connections)
        if (sameName(c.name, name)) {
            c.dataset = std::move(dataset);
            return;
        }
    m_connections.append({name, std::move(dataset)});
}

void ReportModule::openProject()
{
    if (m_project)
        return;
    const QString path = locateProjectFile(m_projectFile, projectSearchFolders());
    if (path.isEmpty())
        throw Error(QStringLiteral("The following reporting project does not exist:\n\"%1\"")
                        .arg(expectedProjectPath(m_projectFile)));
    m_project = ReportProject::load(path); // a file that cannot be read leaves the project closed
}

const ReportLayout *ReportModule::layout(const QString &reportName)
{
    if (m_projectFile.isEmpty())
        return nullptr; // a module without a project has no reports
    openProject();
    return m_project->find(reportName);
}

HeldResult *ReportModule::datasetOf(const ReportLayout &layout) const
{
    if (!hasConnection(layout.connection))
        throw Error(QStringLiteral("The report \"%1\" reads the data connection \"%2\", which %3 does not offer.")
                        .arg(layout.name, layout.connection, m_moduleName));
    return dataset(layout.connection);
}

ReportDocument ReportModule::generate(const ReportLayout &layout, ReportPreview *progress)
{
    ReportContext context;
    context.company = m_project ? m_project->company : QString();
    context.printTime = m_now ? m_now() : QDateTime::currentDateTime();
    if (progress)
        context.progress = [this, progress](int page) { progress->generating(m_titles, page); };
    try {
        ReportDocument doc = generateReport(layout, datasetOf(layout), context);
        if (progress)
            progress->generated();
        return doc;
    } catch (...) {
        if (progress)
            progress->generated();
        throw;
    }
}

ReportPreview &ReportModule::preview()
{
    if (m_preview)
        return *m_preview;
    if (!m_window)
        m_window = std::make_unique<QtReportPreview>();
    return *m_window;
}

void ReportModule::run(const QString &reportName)
{
    const ReportLayout *l = layout(reportName);
    if (!l)
        return;
    ReportPreview &out = preview();
    const ReportDocument doc = generate(*l, &out);
    out.show(doc, m_titles);
}

std::optional<ReportDocument> ReportModule::generate(const QString &reportName)
{
    const ReportLayout *l = layout(reportName);
    if (!l)
        return std::nullopt;
    return generate(*l, nullptr);
}

bool ReportModule::exportPdf(const QString &reportName, const QString &filePath)
{
    const std::optional<ReportDocument> doc = generate(reportName);
    if (!doc)
        return false;
    doc->writePdf(filePath, m_titles.job);
    return true;
}

bool ReportModule::exportCsv(const QString &reportName, const QString &filePath)
{
    const ReportLayout *l = layout(reportName);
    if (!l)
        return false;
    writeReportCsv(*l, datasetOf(*l), filePath);
    return true;
}

} // namespace rv
