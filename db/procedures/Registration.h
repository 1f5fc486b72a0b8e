#pragma once
// Each area of the contract registers its procedures here.

#include "data/Procedures.h"

namespace rv::db {

void registerRadioProcedures(ProcedureRegistry &registry);      // rentals, returns, partners, radio reports
void registerCourierProcedures(ProcedureRegistry &registry);    // courier account, shifts, statements
void registerCashProcedures(ProcedureRegistry &registry);       // cash book, cash reports, employees
void registerOrderProcedures(ProcedureRegistry &registry);      // order queries and totals
void registerAddressProcedures(ProcedureRegistry &registry);    // clients, streets, neighbourhoods, routes
void registerStatisticsProcedures(ProcedureRegistry &registry); // call statistics

} // namespace rv::db
