#pragma once
// The rows every database of the contract holds from its creation: kinds of
// cash entry, telephone categories, the "not informed" neighbourhood and route,
// cash book 15, shifts, radio states, courier categories and the first users.

namespace rv {
class Connection;
}

namespace rv::db {

void insertReferenceData(Connection &connection);

} // namespace rv::db
