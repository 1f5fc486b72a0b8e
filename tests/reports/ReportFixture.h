#pragma once
// Small tables with the columns of the datasets the reports read, held
// results over them bound to the report modules' connections, and a copy of
// the report projects in a folder of its own that becomes the current
// directory for the test.

#include "data/Connection.h"
#include "data/HeldResult.h"
#include "reports/engine/ReportPreview.h"
#include "reports/modules/ReportModules.h"
#include "tests/support/TestDatabase.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace rv::test {

class ReportFixture {
public:
    explicit ReportFixture(Backend backend);
    ~ReportFixture();

    Connection &connection() { return *m_connection; }
    // Where the projects were copied to (the current directory while the fixture lives).
    QString folder() const { return m_folder.path(); }
    // The copied project file of that name ("rvFinanceiro.rav").
    QString projectPath(const QString &fileName) const;
    // Leave the current directory without report projects.
    void removeProjects();
    // Copy the projects (back) into the current directory.
    void copyProjects();

    void exec(const QString &sql, const QVariantList &args = {});

    // The cash entries of the cash report, in this order.
    void addCashEntry(const QString &hora, const QString &kind, double amount, const QVariant &courier,
                      const QString &user, double expense, double income, double balance);
    void addTrajetos(int count);

    ReportCapture capture;

    // The report modules, each with its connections bound to the fixture's results.
    std::unique_ptr<TRVFINANCEIRO> financeiro;
    std::unique_ptr<TRVMOTOQUEIRO> motoqueiro;
    std::unique_ptr<TRVPEDIDOS> pedidos;
    std::unique_ptr<TrvRadio> radio;
    std::unique_ptr<TRMAdm> adm;

    // Results over the fixture's tables, with the parameters the screens set.
    std::unique_ptr<HeldResult> cdsExtratodiaria;
    std::unique_ptr<HeldResult> cdsRelMotoTurno;
    std::unique_ptr<HeldResult> cdspedidodata;
    std::unique_ptr<HeldResult> cdsRadioAusentes;
    std::unique_ptr<HeldResult> cdsTbTrajeto;
    std::unique_ptr<HeldResult> cdsRelBairroTurno;
    std::unique_ptr<HeldResult> cdsRelValeFuncionario;

private:
    void createTables();
    void createResults();

    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<Connection> m_connection;
    QTemporaryDir m_folder;
    QString m_previousFolder;
    int m_cashSeq = 0;
};

// The text pdftotext reads from a PDF file; empty when the tool is missing.
QString pdfText(const QString &pdfPath);
bool pdfToolAvailable();

} // namespace rv::test
