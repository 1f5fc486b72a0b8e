#include "Contract.h"

namespace rv::db {

const ProcedureRegistry &contractProcedures()
{
    static const ProcedureRegistry registry = [] {
        ProcedureRegistry r;
        return r;
    }();
    return registry;
}

} // namespace rv::db
