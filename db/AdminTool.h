#pragma once
// The administration of a database of the system, behind the ravelto-db
// command:
//
//   ravelto-db create --settings FILE                  the tables, views and reference rows
//   ravelto-db demo   --settings FILE [--scale benchmark]   the demo data
//   ravelto-db check  --settings FILE                  every view and procedure answers
//
// FILE is a connection settings file of the program (ravelto.ini); its entry
// [MSSQLConnection] names the database, on SQLite or on a PostgreSQL server.

#include "DemoData.h"

#include "data/ConnectionSettings.h"

#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

namespace rv {
class Connection;
}

namespace rv::db {

// The settings of a file, refusing what cannot be a database of the system
// (a driver other than SQLite or PostgreSQL, a SQLite database without a file).
ConnectionSettings adminSettings(const QString &file);

// Create the schema on the database the settings name. On PostgreSQL the
// database (and the schema the settings name) are created first when missing.
// Throws Error when the database cannot be reached or already has the tables.
void createDatabase(const ConnectionSettings &settings);

// Load the demo data into a database created by createDatabase.
void loadDemo(const ConnectionSettings &settings, DemoScale scale, const QDate &loadDate = QDate::currentDate());

struct ContractFinding {
    QString object;  // "view VW_PEDIDO_NEW", "procedure prs_radio_locado"
    QString text;
    bool problem;    // false: a note (a procedure that refuses NULL arguments)
};

// Ask every view and every procedure of the contract for its rows (the
// procedures with NULL arguments, inside a transaction that is rolled back)
// and compare the columns they return with those of the contract.
QList<ContractFinding> checkContract(Connection &connection);

// The command line of ravelto-db (without the program's name); the exit status.
int runAdminTool(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace rv::db
