#pragma once
// Insert statements, among them the order insert, and the courier table as
// loaded at start-up.

#include "../HeldResult.h"
#include "../Query.h"

namespace rv {

class TDMCADASTRO {
public:
    explicit TDMCADASTRO(Connection &connection);

    HeldResult cdsCadmotoqueiro;
    Query QryCadPedido;
};

} // namespace rv
