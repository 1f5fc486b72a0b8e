#pragma once
// Courier datasets: the courier list, read once at start-up, and the query of
// a courier's latest rental.

#include "../HeldResult.h"
#include "../Query.h"

namespace rv {

class TDMMOTOQUEIRO {
public:
    explicit TDMMOTOQUEIRO(Connection &connection);

    HeldResult cdsTodosMotoqueirosATivos;
    Query qryUltimalocacao;
};

} // namespace rv
