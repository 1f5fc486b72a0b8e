// Every report the program runs comes out of its project file over the demo
// database, through the real modules and the datasets the screens prepare.
// With RAVELTO_REPORT_SAMPLES set to a folder, each is also written there as
// PDF (to look at the pages).
#include "app/common/DataModules.h"
#include "db/Contract.h"
#include "db/DemoData.h"
#include "tests/support/ContractDatabase.h"

#include <QDir>
#include <gtest/gtest.h>

#include <functional>

using namespace rv;

namespace {

class DemoReportsTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        m_previous = QDir::currentPath();
        // The report projects are found below the current directory.
        QDir::setCurrent(QFileInfo(QStringLiteral(RAVELTO_REPORT_PROJECTS_DIR)).absolutePath());
        db.emplace(GetParam());
        db::loadDemoData(db->connection(), db::DemoScale::Demo, LoadDate);
        modules = std::make_unique<DataModules>(db->settings(), &db::contractProcedures());
    }
    void TearDown() override
    {
        modules.reset();
        db.reset();
        QDir::setCurrent(m_previous);
    }

    static QString ydm(const QDate &d, const char *time)
    {
        return d.toString(QStringLiteral("yyyy/dd/MM ")) + QLatin1String(time);
    }
    QVariant first(const QString &sql) { return db->scalar(sql); }

    static inline const QDate LoadDate{2026, 11, 30};
    std::optional<test::ContractDatabase> db;
    std::unique_ptr<DataModules> modules;

private:
    QString m_previous;
};

} // namespace

TEST_P(DemoReportsTest, EveryReportComesOutWithRows)
{
    const QDate from = LoadDate.addDays(-30);
    const QString employee = first(QStringLiteral(
        "select f.nm_funcionario from tb_funcionario f join tb_movimento_caixa m on m.id_funcionario = "
        "f.id_funcionario order by f.id_funcionario limit 1")).toString();
    const qint64 courier = first(QStringLiteral("select nr_matricula from tb_motoqueiro_movimento "
                                                "order by id_movimentacao desc limit 1")).toLongLong();
    TDMBUSCA &busca = modules->DMBUSCA();
    TDMRELATORIO &rel = modules->DMRELATORIO();
    TRVFINANCEIRO &fin = modules->RVFINANCEIRO();

    const struct {
        ReportModule &module;
        const char *report;
        HeldResult &dataset;
        std::function<void(HeldResult &)> prepare;
    } runs[] = {
        {fin, "rptRelatorioCaixa", fin.cdsCaixa,
         [&](HeldResult &h) { h.param(0).setAsString(ydm(from, "00:00:00")); h.param(1).setAsString(ydm(LoadDate, "23:59:59")); }},
        {fin, "rptCaixaanual", fin.cdsCaixaAnual, [&](HeldResult &h) { h.param(0).setAsInteger(LoadDate.year()); }},
        {modules->RVMOTOQUEIRO(), "rptextratodiaria", busca.cdsExtratodiaria,
         [&](HeldResult &h) {
             h.param(0).setAsInteger(courier);
             h.param(1).setAsString(ydm(LoadDate.addDays(-180), "00:00:00"));
             h.param(2).setAsString(ydm(LoadDate, "23:59:59"));
         }},
        {modules->RVMOTOQUEIRO(), "rptMotoqueiroturno", rel.cdsRelMotoTurno,
         [](HeldResult &h) { h.param(0).setAsString(QStringLiteral("NOITE ")); }},
        {modules->RVPEDIDOS(), "rptpedidodata", busca.cdspedidodata,
         [&](HeldResult &h) { h.param(0).setAsString(ydm(LoadDate.addDays(-1), "00:00:00")); h.param(1).setAsString(ydm(LoadDate.addDays(-1), "23:59:59")); }},
        {modules->rvRadio(), "rptradioausente", rel.cdsRadioAusentes, [](HeldResult &) {}},
        {modules->RMAdm(), "rptTbTrajeto", busca.cdsTbTrajeto, [](HeldResult &h) { h.param(0).setAsString(QStringLiteral("%")); }},
        {modules->RMAdm(), "rptRelbairroTurno", rel.cdsRelBairroTurno,
         [&](HeldResult &h) { h.param(0).setAsString(ydm(from.addDays(-1), "19:00:00")); h.param(1).setAsString(ydm(LoadDate, "06:59:59")); }},
        {modules->RMAdm(), "rptvalefuncionario", rel.cdsRelValeFuncionario,
         [&](HeldResult &h) {
             h.param(0).setAsString(ydm(LoadDate.addDays(-180), "00:00:00"));
             h.param(1).setAsString(ydm(LoadDate, "23:59:59"));
             h.param(2).setAsString(employee);
         }},
    };
    const QString samples = qEnvironmentVariable("RAVELTO_REPORT_SAMPLES");
    for (const auto &r : runs) {
        const QString name = QString::fromLatin1(r.report);
        r.dataset.close();
        r.prepare(r.dataset);
        r.dataset.open();
        EXPECT_GT(r.dataset.recordCount(), 0) << r.report;
        const std::optional<ReportDocument> doc = r.module.generate(name);
        ASSERT_TRUE(doc.has_value()) << r.report;
        EXPECT_GE(doc->pageCount(), 1) << r.report;
        // the first row's first printed value is on the first page
        EXPECT_GT(doc->lines(0).size(), 4) << r.report;
        if (!samples.isEmpty()) {
            EXPECT_TRUE(r.module.exportPdf(name, QDir(samples).filePath(name + QStringLiteral(".pdf"))));
        }
    }
}

RV_BOTH_BACKENDS(DemoReportsTest);
