#include "Registration.h"
#include "ProcedureSupport.h"

namespace rv::db {

void registerAddressProcedures(ProcedureRegistry &registry)
{
}

} // namespace rv::db
