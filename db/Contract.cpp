#include "Contract.h"
#include "procedures/Registration.h"

namespace rv::db {

const ProcedureRegistry &contractProcedures()
{
    static const ProcedureRegistry registry = [] {
        ProcedureRegistry r;
        registerRadioProcedures(r);
        registerCourierProcedures(r);
        registerCashProcedures(r);
        registerOrderProcedures(r);
        registerAddressProcedures(r);
        registerStatisticsProcedures(r);
        return r;
    }();
    return registry;
}

} // namespace rv::db
