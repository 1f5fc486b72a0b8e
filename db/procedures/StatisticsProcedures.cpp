#include "Registration.h"
#include "ProcedureSupport.h"

namespace rv::db {

void registerStatisticsProcedures(ProcedureRegistry &registry)
{
}

} // namespace rv::db
