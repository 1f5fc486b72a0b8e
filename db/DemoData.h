#pragma once
// Demo data: a small city with its neighbourhoods, stands, streets (old names
// too), fare categories and routes, couriers in shifts with their vehicles,
// radios and partners, clients, months of orders, radio rentals and returns,
// the courier accounts and the cash book, employees with their advances and a
// few more users. Everything follows the rules of the procedures: a courier
// holds at most one radio, the radios of open rentals are rented, every rental
// fee is a debit of the courier's account and every payment a credit with its
// cash entry.
//
// The data is the same at every load on both backends: fixed seeds and
// arithmetic pseudo-random values computed by the database itself; only the
// dates follow the load date (the orders fill the months before it). The big
// tables are filled by set-based inserts (a recursive series on SQLite,
// generate_series on PostgreSQL), all in one transaction.
//
// Expected to be loaded into a database just created by createSchema.

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

namespace rv {
class Connection;
}

namespace rv::db {

// Changes whenever the rows the load makes change (cached benchmark databases
// are kept per version).
constexpr int DemoDataVersion = 1;

enum class DemoScale {
    Demo,      // thousands of clients, six months of orders
    Benchmark, // 200,000 clients and 2,000,000 orders over a year
};

struct DemoSize {
    int neighbourhoods = 120;
    int streetsPerNeighbourhood = 25;
    int routesPerNeighbourhood = 25;
    int clients = 0;
    int orders = 0;
    int days = 0; // orders and rentals fill the days before the load date

    static DemoSize of(DemoScale scale);
};

// Load the demo data. Throws Error when the database already holds data the
// load would overwrite (or has no schema), DatabaseError when a statement
// fails; nothing stays of a failed load.
void loadDemoData(Connection &connection, DemoScale scale, const QDate &loadDate = QDate::currentDate());

// True when the database holds rows beyond those every new database starts with.
bool hasOwnData(Connection &connection, QString *where = nullptr);

// The number of rows of the main tables, for reports.
QList<QPair<QString, qint64>> rowCounts(Connection &connection);

} // namespace rv::db
