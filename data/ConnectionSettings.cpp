#include "ConnectionSettings.h"
#include "Errors.h"
#include "RowSet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace rv {

ConnectionSettings ConnectionSettings::carried()
{
    return fromPairs({
        {QStringLiteral("DriverName"), QStringLiteral("MSSQL")},
        {QStringLiteral("HostName"), QString()},
        {QStringLiteral("Database"), QStringLiteral("DereVire")},
        {QStringLiteral("User_Name"), QStringLiteral("sa")},
        {QStringLiteral("Password"), QString()},
        {QStringLiteral("OS Authentication"), QStringLiteral("False")},
        {QStringLiteral("MSSQL TransIsolation"), QStringLiteral("ReadCommited")},
        {QStringLiteral("Prepare SQL"), QStringLiteral("False")},
        {QStringLiteral("BlobSize"), QStringLiteral("-1")},
        {QStringLiteral("SchemaOverride"), QStringLiteral("sa.dbo")},
    });
}

QStringList ConnectionSettings::searchPaths()
{
    QStringList paths;
    const QString name = QString::fromLatin1(FileName);
    if (QCoreApplication::instance())
        paths << QDir(QCoreApplication::applicationDirPath()).filePath(name);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!config.isEmpty())
        paths << QDir(config).filePath(name);
    return paths;
}

QString ConnectionSettings::locate()
{
    const QStringList paths = searchPaths();
    for (const QString &p : paths)
        if (QFileInfo(p).isFile())
            return p;
    throw Error(QStringLiteral("Arquivo de configuração da conexão não encontrado: %1")
                    .arg(paths.join(QStringLiteral(" ou "))));
}

ConnectionSettings ConnectionSettings::load(const QString &file, const QString &entry)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw Error(QStringLiteral("Arquivo de configuração da conexão não encontrado: %1").arg(file));
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    QList<QPair<QString, QString>> pairs;
    bool inEntry = false;
    bool found = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            inEntry = sameName(line.mid(1, line.size() - 2).trimmed(), entry);
            found = found || inEntry;
            continue;
        }
        if (!inEntry)
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        pairs.append({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    if (!found)
        throw Error(QStringLiteral("O arquivo de configuração %1 não tem a seção [%2]").arg(file, entry));
    ConnectionSettings s = fromPairs(std::move(pairs), QFileInfo(file).absolutePath());
    s.m_sourceFile = QFileInfo(file).absoluteFilePath();
    return s;
}

ConnectionSettings ConnectionSettings::fromPairs(QList<QPair<QString, QString>> pairs, QString baseFolder)
{
    ConnectionSettings s;
    s.m_pairs = std::move(pairs);
    s.m_baseFolder = baseFolder.isEmpty() ? QDir::currentPath() : std::move(baseFolder);
    return s;
}

QString ConnectionSettings::value(const QString &key, const QString &fallback) const
{
    for (const auto &p : m_pairs)
        if (sameName(p.first, key))
            return p.second;
    return fallback;
}

bool ConnectionSettings::has(const QString &key) const
{
    for (const auto &p : m_pairs)
        if (sameName(p.first, key))
            return true;
    return false;
}

Backend ConnectionSettings::backend() const
{
    const QString driver = value(QStringLiteral("DriverName"));
    if (sameName(driver, QStringLiteral("SQLite")))
        return Backend::SQLite;
    if (sameName(driver, QStringLiteral("PostgreSQL")))
        return Backend::PostgreSQL;
    throw Error(QStringLiteral("Driver de banco de dados não suportado: \"%1\" (DriverName deve ser "
                               "SQLite ou PostgreSQL)")
                    .arg(driver));
}

QString ConnectionSettings::sqliteFile() const
{
    const QString db = value(QStringLiteral("Database"));
    if (db.isEmpty() || db == QLatin1String(":memory:"))
        return db;
    return QFileInfo(db).isAbsolute() ? db : QDir(m_baseFolder).absoluteFilePath(db);
}

} // namespace rv
