#pragma once
// The connection settings: the key and value pairs of the named entry
// "MSSQLConnection" of the connection settings file "ravelto.ini".
//
// The file is an INI file: one [section] per named connection, one
// key=value pair per line, ';' or '#' starting a comment line. It is looked
// for beside the executable first, then in the user's configuration folder
// (QStandardPaths::AppConfigLocation, e.g. ~/.config/Ravelto/ravelto.ini).
//
//   [MSSQLConnection]
//   DriverName=SQLite              ; or PostgreSQL
//   Database=ravelto.db            ; SQLite: file, relative to this file's folder
//   HostName=localhost             ; PostgreSQL: server address or socket folder
//   User_Name=ravelto
//   Password=secret
//   Port=5432                      ; further keys are passed to the driver

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace rv {

enum class Backend { SQLite, PostgreSQL };

class ConnectionSettings {
public:
    static constexpr const char *FileName = "ravelto.ini";
    static constexpr const char *EntryName = "MSSQLConnection";

    // The values the program carries before the entry is read.
    static ConnectionSettings carried();
    // Where the file is looked for, in order.
    static QStringList searchPaths();
    // The first existing file of searchPaths(); throws Error naming the file when none exists.
    static QString locate();
    // Read the entry of a file; its pairs replace every carried value.
    static ConnectionSettings load(const QString &file, const QString &entry = QString::fromLatin1(EntryName));
    // Settings built in code (tests, the admin tool).
    static ConnectionSettings fromPairs(QList<QPair<QString, QString>> pairs, QString baseFolder = {});

    QString value(const QString &key, const QString &fallback = {}) const;
    bool has(const QString &key) const;
    const QList<QPair<QString, QString>> &pairs() const { return m_pairs; }
    // The folder that a relative SQLite file is taken against.
    const QString &baseFolder() const { return m_baseFolder; }
    const QString &sourceFile() const { return m_sourceFile; }

    // The backend that DriverName selects; throws Error naming any other driver.
    Backend backend() const;
    // SQLite: the database file with a relative path resolved.
    QString sqliteFile() const;

private:
    QList<QPair<QString, QString>> m_pairs;
    QString m_baseFolder;
    QString m_sourceFile;
};

} // namespace rv
