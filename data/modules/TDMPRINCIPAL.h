#pragma once
// The module that holds the one connection. Creating it opens the connection.

#include "../Connection.h"

namespace rv {

class TDMPRINCIPAL {
public:
    TDMPRINCIPAL(ConnectionSettings settings, const ProcedureRegistry *procedures);
    Connection sqlconnection;
};

} // namespace rv
