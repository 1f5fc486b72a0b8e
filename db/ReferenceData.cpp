#include "ReferenceData.h"

#include "data/Connection.h"

namespace rv::db {

void insertReferenceData(Connection &connection)
{
}

} // namespace rv::db
