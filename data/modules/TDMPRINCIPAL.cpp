#include "TDMPRINCIPAL.h"

namespace rv {

TDMPRINCIPAL::TDMPRINCIPAL(ConnectionSettings settings, const ProcedureRegistry *procedures)
    : sqlconnection(std::move(settings), procedures)
{
    sqlconnection.open();
}

} // namespace rv
