#include "data/ConnectionSettings.h"
#include "data/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace rv;

namespace {
QString write(const QTemporaryDir &dir, const QByteArray &content)
{
    const QString path = QDir(dir.path()).filePath(QStringLiteral("ravelto.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    return path;
}
} // namespace

TEST(ConnectionSettings, TheEntryReplacesTheCarriedValues)
{
    QTemporaryDir dir;
    const QString path = write(dir, "; seats\n[Outra]\nDriverName=PostgreSQL\n\n[MSSQLConnection]\n"
                                    "DriverName=SQLite\nDatabase=dados/ravelto.db\n# comment\nHostName = servidor2 \n");
    const ConnectionSettings s = ConnectionSettings::load(path);
    EXPECT_EQ(s.backend(), Backend::SQLite);
    EXPECT_EQ(s.value(QStringLiteral("hostname")), QStringLiteral("servidor2"));
    EXPECT_FALSE(s.has(QStringLiteral("User_Name"))); // the carried "sa" plays no part
    EXPECT_EQ(s.sqliteFile(), QDir(dir.path()).absoluteFilePath(QStringLiteral("dados/ravelto.db")));
    EXPECT_EQ(ConnectionSettings::carried().value(QStringLiteral("DriverName")), QStringLiteral("MSSQL"));
}

TEST(ConnectionSettings, UnknownDriverAndMissingFileAreNamed)
{
    QTemporaryDir dir;
    const QString path = write(dir, "[MSSQLConnection]\nDriverName=MSSQL\n");
    try {
        ConnectionSettings::load(path).backend();
        FAIL();
    } catch (const Error &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("\"MSSQL\"")));
    }
    const QString missing = QDir(dir.path()).filePath(QStringLiteral("nada.ini"));
    try {
        ConnectionSettings::load(missing);
        FAIL();
    } catch (const Error &e) {
        EXPECT_TRUE(e.text().contains(missing));
    }
    const QString noEntry = write(dir, "[Outra]\nDriverName=SQLite\n");
    EXPECT_THROW(ConnectionSettings::load(noEntry), Error);
}
