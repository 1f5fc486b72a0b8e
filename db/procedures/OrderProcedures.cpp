#include "Registration.h"
#include "ProcedureSupport.h"

namespace rv::db {

void registerOrderProcedures(ProcedureRegistry &registry)
{
}

} // namespace rv::db
