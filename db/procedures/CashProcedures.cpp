#include "Registration.h"
#include "ProcedureSupport.h"

namespace rv::db {

void registerCashProcedures(ProcedureRegistry &registry)
{
}

} // namespace rv::db
