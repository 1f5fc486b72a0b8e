#pragma once
// A report module: one report project file, the titles of its output windows,
// and the named data connections through which the project's layouts read the
// held results of the data modules.

#include "data/HeldResult.h"

#include <QList>
#include <QString>

#include <functional>

namespace rv {

struct ReportTitles {
    QString status = QStringLiteral("Report Status");
    QString preview = QStringLiteral("Report Preview");
    QString job = QStringLiteral("Rave Report");
};

struct DataConnection {
    QString name;
    std::function<HeldResult *()> dataset; // resolved at run time; null when bound to nothing
};

class ReportModule {
public:
    ReportModule(QString moduleName, QString projectName, QString projectFile, ReportTitles titles = {});
    virtual ~ReportModule() = default;

    const QString &moduleName() const { return m_moduleName; }
    const QString &projectName() const { return m_projectName; }
    // The project file as the program names it, relative to the current directory.
    const QString &projectFile() const { return m_projectFile; }
    const ReportTitles &titles() const { return m_titles; }
    const QList<DataConnection> &connections() const { return m_connections; }
    HeldResult *dataset(const QString &connectionName) const;

    // Bind a named data connection to the held result it reads (declared
    // connections are bound by the owner of all modules).
    void bind(const QString &name, std::function<HeldResult *()> dataset);

protected:
    void declareConnection(QString name, std::function<HeldResult *()> dataset = {});

private:
    QString m_moduleName;
    QString m_projectName;
    QString m_projectFile;
    ReportTitles m_titles;
    QList<DataConnection> m_connections;
};

} // namespace rv
