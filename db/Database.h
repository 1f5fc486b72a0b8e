#pragma once
// Creating a database of the contract on a connection: backend support, the
// tables with their checks and indexes (and, as they are described, the views
// and the reference rows the program relies on).

namespace rv {
class Connection;
}

namespace rv::db {

// Create every object of the schema in one transaction. Throws DatabaseError
// when the database already has tables of the schema or a statement fails.
void createSchema(Connection &connection);

// True when the database already holds the tables of the schema.
bool hasSchema(Connection &connection);

} // namespace rv::db
