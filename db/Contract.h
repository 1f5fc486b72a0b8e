#pragma once
// The database contract: the procedures that the screens call by name, as
// handlers registered for the data layer.

#include "data/Procedures.h"

namespace rv::db {

// Every procedure of the contract, registered once.
const ProcedureRegistry &contractProcedures();

} // namespace rv::db
