#include "Registration.h"
#include "ProcedureSupport.h"

namespace rv::db {

void registerRadioProcedures(ProcedureRegistry &registry)
{
}

} // namespace rv::db
