#include "Registration.h"
#include "ProcedureSupport.h"

namespace rv::db {

void registerCourierProcedures(ProcedureRegistry &registry)
{
}

} // namespace rv::db
