#include "ReportFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace rv::test {

namespace {

// The cash module's two procedures, answered from the fixture's tables.
const ProcedureRegistry &cashProcedures()
{
    static const ProcedureRegistry registry = [] {
        ProcedureRegistry r;
        const QList<ResultColumn> cash{{QStringLiteral("HORA"), FieldKind::FixedText},
                                       {QStringLiteral("DS_TIPO_LANCAMENTO"), FieldKind::FixedText},
                                       {QStringLiteral("VL_LANCAMENTO"), FieldKind::Decimal},
                                       {QStringLiteral("NR_MATRICULA"), FieldKind::Integer},
                                       {QStringLiteral("Nm_Usuario"), FieldKind::FixedText},
                                       {QStringLiteral("VL_DESPESA"), FieldKind::Decimal},
                                       {QStringLiteral("VL_RECEITA"), FieldKind::Decimal},
                                       {QStringLiteral("VL_SALDO"), FieldKind::Decimal},
                                       {QStringLiteral("Fl_Receita"), FieldKind::Boolean}};
        ProcedureDef caixa{QStringLiteral("PRS_CONSULTA_CAIXA_RELATORIO"),
                           {{QStringLiteral("@datainicial"), FieldKind::Text},
                            {QStringLiteral("@datafinal"), FieldKind::Text}},
                           false,
                           false,
                           [cash](ServerContext &ctx, const ProcedureArgs &) -> std::optional<RowSet> {
                               QList<FieldKind> kinds;
                               for (const ResultColumn &c : cash)
                                   kinds << c.kind;
                               RowSet rows = ctx.query(
                                   QStringLiteral("select HORA, DS_TIPO_LANCAMENTO, VL_LANCAMENTO, NR_MATRICULA, "
                                                  "Nm_Usuario, VL_DESPESA, VL_RECEITA, VL_SALDO, Fl_Receita "
                                                  "from caixa_rel order by seq"),
                                   {}, kinds);
                               rows.columns = cash;
                               return rows;
                           },
                           cash};
        r.add(caixa);
        const QList<ResultColumn> year{{QStringLiteral("mesId"), FieldKind::Integer},
                                       {QStringLiteral("lancamentos"), FieldKind::Integer},
                                       {QStringLiteral("receita"), FieldKind::Decimal},
                                       {QStringLiteral("Mes"), FieldKind::FixedText},
                                       {QStringLiteral("Status"), FieldKind::FixedText}};
        ProcedureDef anual{QStringLiteral("proc_rel_Caixa_Anual"),
                           {{QStringLiteral("@ano"), FieldKind::Integer}},
                           false,
                           false,
                           [year](ServerContext &ctx, const ProcedureArgs &) -> std::optional<RowSet> {
                               RowSet rows = ctx.query(
                                   QStringLiteral("select mesId, lancamentos, receita, Mes, Status from caixa_anual "
                                                  "order by mesId"),
                                   {},
                                   {FieldKind::Integer, FieldKind::Integer, FieldKind::Decimal, FieldKind::FixedText,
                                    FieldKind::FixedText});
                               rows.columns = year;
                               return rows;
                           },
                           year};
        r.add(anual);
        return r;
    }();
    return registry;
}

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString &name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), QDir(to).filePath(name));
}

// Parameters the screens set, added to a result whose fixture statement needs none.
void addParam(HeldResult &held, const QString &name, const QVariant &value)
{
    Param p(name, FieldKind::Text);
    if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong)
        p.setAsInteger(value.toLongLong());
    else
        p.setAsString(value.toString());
    held.params().append(p);
}

} // namespace

ReportFixture::ReportFixture(Backend backend)
{
    m_database = std::make_unique<TestDatabase>(backend);
    m_connection = std::make_unique<Connection>(m_database->settings(), &cashProcedures());
    createTables();
    m_previousFolder = QDir::currentPath();
    copyProjects();
    QDir::setCurrent(m_folder.path());

    financeiro = std::make_unique<TRVFINANCEIRO>(*m_connection);
    motoqueiro = std::make_unique<TRVMOTOQUEIRO>();
    pedidos = std::make_unique<TRVPEDIDOS>();
    radio = std::make_unique<TrvRadio>();
    adm = std::make_unique<TRMAdm>();
    createResults();
    for (ReportModule *m : std::initializer_list<ReportModule *>{financeiro.get(), motoqueiro.get(), pedidos.get(),
                                                                  radio.get(), adm.get()})
        m->setPreview(&capture);
}

ReportFixture::~ReportFixture()
{
    QDir::setCurrent(m_previousFolder);
    financeiro.reset();
}

QString ReportFixture::projectPath(const QString &fileName) const
{
    return QDir(m_folder.path()).filePath(QStringLiteral("RELATORIOS/") + fileName);
}

void ReportFixture::removeProjects()
{
    QDir(QDir(m_folder.path()).filePath(QStringLiteral("RELATORIOS"))).removeRecursively();
}

void ReportFixture::copyProjects()
{
    copyFolder(QStringLiteral(RAVELTO_REPORT_PROJECTS_DIR), QDir(m_folder.path()).filePath(QStringLiteral("RELATORIOS")));
}

void ReportFixture::exec(const QString &sql, const QVariantList &args)
{
    m_connection->serverExec(sql, args);
}

void ReportFixture::createTables()
{
    exec(QStringLiteral("create table caixa_rel (seq integer primary key, HORA char(6), DS_TIPO_LANCAMENTO char(100), "
                        "VL_LANCAMENTO decimal(12,2), NR_MATRICULA integer, Nm_Usuario char(100), "
                        "VL_DESPESA decimal(12,2), VL_RECEITA decimal(12,2), VL_SALDO decimal(13,2), Fl_Receita integer)"));
    exec(QStringLiteral("create table caixa_anual (mesId integer, lancamentos integer, receita decimal(32,2), "
                        "Mes char(9), Status char(20))"));
    exec(QStringLiteral("create table extrato_diaria (NR_MATRICULA integer, ID_MOVIMENTACAO integer, "
                        "ID_TIPO_LANCAMENTO smallint, DT_LANCAMENTO timestamp, VL_LANCAMENTO decimal(12,2), "
                        "ID_FUNCIONARIO integer)"));
    exec(QStringLiteral("create table moto_turno (NR_MATRICULA integer, NM_MOTOQUEIRO char(50), TURNO char(20))"));
    exec(QStringLiteral("create table pedido_rel (ID_PEDIDO integer, TELEFONE integer, SOLICITANTE char(50), "
                        "\"ENDEREÇO\" varchar(123), ANTIGA char(20), BAIRRO char(50), TRAJETO varchar(510), "
                        "VALOR decimal(18,0), CATEGORIA_TELEFONE char(30), USUARIO char(20), OBS char(200), "
                        "hora char(5), datacad timestamp, ID_MOTOQUEIRO char(4))"));
    // The absent radios as the server may return them: no serial number column.
    exec(QStringLiteral("create table radio_ausente (Cd_Radio integer, Nr_Matricula integer, Nm_Motoqueiro char(50), "
                        "Dt_Locacao timestamp)"));
    exec(QStringLiteral("create table trajeto_rel (ID_TRAJETO integer, TRAJETO varchar(510), valorDia decimal(19,4), "
                        "ValorNoite decimal(19,4), PONTO char(50), DATACAD timestamp)"));
    exec(QStringLiteral("create table bairro_turno (bairro char(50), Total integer)"));
    exec(QStringLiteral("create table vale_funcionario (NM_FUNCIONARIO char(100), DT_LANCAMENTO timestamp, "
                        "VL_LANCAMENTO decimal(12,2), DS_TIPO_LANCAMENTO char(100))"));
}

void ReportFixture::createResults()
{
    Connection &c = *m_connection;
    cdsExtratodiaria = std::make_unique<HeldResult>(
        c, QStringLiteral("cdsExtratodiaria"), QStringLiteral("select * from extrato_diaria order by DT_LANCAMENTO"));
    addParam(*cdsExtratodiaria, QStringLiteral("Moto"), 12);
    addParam(*cdsExtratodiaria, QStringLiteral("DataInicio"), QStringLiteral("2024/01/03 00:00:00"));
    addParam(*cdsExtratodiaria, QStringLiteral("DataFim"), QStringLiteral("2024/31/03 23:59:59"));

    cdsRelMotoTurno = std::make_unique<HeldResult>(c, QStringLiteral("cdsRelMotoTurno"),
                                                   QStringLiteral("select * from moto_turno order by NR_MATRICULA"));
    addParam(*cdsRelMotoTurno, QStringLiteral("Turno"), QStringLiteral("NOITE "));

    cdspedidodata = std::make_unique<HeldResult>(
        c, QStringLiteral("cdspedidodata"), QStringLiteral("select * from pedido_rel order by ID_PEDIDO"),
        QList<ParamDecl>{},
        QList<ColumnDecl>{col::recNo(QStringLiteral("Recno")), col::integer(QStringLiteral("ID_PEDIDO")),
                          col::integer(QStringLiteral("TELEFONE")), col::fixed(QStringLiteral("SOLICITANTE"), 50),
                          col::text(QStringLiteral("ENDEREÇO"), 123), col::fixed(QStringLiteral("ANTIGA"), 20),
                          col::fixed(QStringLiteral("BAIRRO"), 50), col::text(QStringLiteral("TRAJETO"), 510),
                          col::decimal(QStringLiteral("VALOR"), 18, 0).currency(),
                          col::fixed(QStringLiteral("CATEGORIA_TELEFONE"), 30), col::fixed(QStringLiteral("USUARIO"), 20),
                          col::fixed(QStringLiteral("OBS"), 200), col::fixed(QStringLiteral("hora"), 5),
                          col::dateTime(QStringLiteral("datacad")), col::fixed(QStringLiteral("ID_MOTOQUEIRO"), 4)});
    addParam(*cdspedidodata, QStringLiteral("dataInicial"), QStringLiteral("2024/15/03 00:00:00"));
    addParam(*cdspedidodata, QStringLiteral("Datafinal"), QStringLiteral("2024/16/03 23:59:59"));

    cdsRadioAusentes = std::make_unique<HeldResult>(c, QStringLiteral("cdsRadioAusentes"),
                                                    QStringLiteral("select * from radio_ausente order by Cd_Radio"));

    cdsTbTrajeto = std::make_unique<HeldResult>(
        c, QStringLiteral("cdsTbTrajeto"), QStringLiteral("select * from trajeto_rel where TRAJETO like :pTrajeto order by ID_TRAJETO"),
        QList<ParamDecl>{{QStringLiteral("pTrajeto"), FieldKind::Text}},
        QList<ColumnDecl>{col::text(QStringLiteral("TRAJETO"), 510), col::money(QStringLiteral("valorDia")),
                          col::money(QStringLiteral("ValorNoite")), col::fixed(QStringLiteral("PONTO"), 50),
                          col::dateTime(QStringLiteral("DATACAD")), col::integer(QStringLiteral("ID_TRAJETO")).required(),
                          col::recNo(QStringLiteral("RecNO"))});
    cdsTbTrajeto->paramByName(QStringLiteral("pTrajeto")).setAsString(QStringLiteral("CENTRO%"));

    cdsRelBairroTurno = std::make_unique<HeldResult>(c, QStringLiteral("cdsRelBairroTurno"),
                                                     QStringLiteral("select * from bairro_turno order by Total desc"));
    addParam(*cdsRelBairroTurno, QStringLiteral("dataI"), QStringLiteral("2024/09/03 19:00:00"));
    addParam(*cdsRelBairroTurno, QStringLiteral("dataF"), QStringLiteral("2024/10/03 06:59:59"));

    cdsRelValeFuncionario = std::make_unique<HeldResult>(
        c, QStringLiteral("cdsRelValeFuncionario"),
        QStringLiteral("select * from vale_funcionario order by DT_LANCAMENTO"), QList<ParamDecl>{},
        QList<ColumnDecl>{col::fixed(QStringLiteral("NM_FUNCIONARIO"), 100),
                          col::dateTime(QStringLiteral("DT_LANCAMENTO")).required(),
                          col::decimal(QStringLiteral("VL_LANCAMENTO"), 12, 2).currency().required(),
                          col::fixed(QStringLiteral("DS_TIPO_LANCAMENTO"), 100).required()});
    addParam(*cdsRelValeFuncionario, QStringLiteral("dataI"), QStringLiteral("2024/01/03 00:00:00"));
    addParam(*cdsRelValeFuncionario, QStringLiteral("dataF"), QStringLiteral("2024/31/03 23:59:59"));
    addParam(*cdsRelValeFuncionario, QStringLiteral("Funcionario"), QStringLiteral("todos"));

    motoqueiro->bind(QStringLiteral("RvDsMotoqueiro"), [this] { return cdsExtratodiaria.get(); });
    motoqueiro->bind(QStringLiteral("RvDsMotoqueiroTurno"), [this] { return cdsRelMotoTurno.get(); });
    pedidos->bind(QStringLiteral("RvDsPedidoData"), [this] { return cdspedidodata.get(); });
    pedidos->bind(QStringLiteral("RvDsPedido1data"), [this] { return cdspedidodata.get(); });
    radio->bind(QStringLiteral("RvDsRadio"), [this] { return cdsRadioAusentes.get(); });
    adm->bind(QStringLiteral("RvDsTrajeto"), [this] { return cdsTbTrajeto.get(); });
    adm->bind(QStringLiteral("RvDsRelBairroTurno"), [this] { return cdsRelBairroTurno.get(); });
    adm->bind(QStringLiteral("RvDsRelfuncionario"), [this] { return cdsRelValeFuncionario.get(); });
}

void ReportFixture::addCashEntry(const QString &hora, const QString &kind, double amount, const QVariant &courier,
                                 const QString &user, double expense, double income, double balance)
{
    exec(QStringLiteral("insert into caixa_rel values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {++m_cashSeq, hora, kind, amount, courier, user, expense, income, balance, income > 0 ? 1 : 0});
}

void ReportFixture::addTrajetos(int count)
{
    const QStringList places{QStringLiteral("JARDIM AMÉRICA"), QStringLiteral("VILA NOVA"), QStringLiteral("SÃO JOSÉ"),
                             QStringLiteral("BOA VISTA"), QStringLiteral("ALTO DA SERRA")};
    exec(QStringLiteral("BEGIN"));
    for (int i = 1; i <= count; ++i)
        exec(QStringLiteral("insert into trajeto_rel values (?, ?, ?, ?, ?, ?)"),
             {i, QStringLiteral("CENTRO / %1 %2").arg(places[i % places.size()]).arg(i), 8.0 + (i % 7),
              12.5 + (i % 7), i % 3 ? QStringLiteral("PONTO CENTRAL") : QString(),
              QDateTime(QDate(2009, 1 + i % 12, 1 + i % 28), QTime(10, 0))});
    exec(QStringLiteral("COMMIT"));
}

bool pdfToolAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

QString pdfText(const QString &pdfPath)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace rv::test
