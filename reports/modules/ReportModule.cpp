#include "ReportModule.h"

namespace rv {

ReportModule::ReportModule(QString moduleName, QString projectName, QString projectFile, ReportTitles titles)
    : m_moduleName(std::move(moduleName))
    , m_projectName(std::move(projectName))
    , m_projectFile(std::move(projectFile))
    , m_titles(std::move(titles))
{
}

HeldResult *ReportModule::dataset(const QString &connectionName) const
{
    for (const DataConnection &c : m_connections)
        if (sameName(c.name, connectionName))
            return c.dataset ? c.dataset() : nullptr;
    return nullptr;
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

} // namespace rv
