#pragma once
// Modules that are created in their place of the start-up order and hold
// nothing the program uses.

#include "../Query.h"

namespace rv {

class TdmGlobal {
};

class TDMUPDATE {
public:
    explicit TDMUPDATE(Connection &c) : qryUpdate1(c, QStringLiteral("qryUpdate1")), qryUpdate2(c, QStringLiteral("qryUpdate2")) {}
    Query qryUpdate1;
    Query qryUpdate2;
};

} // namespace rv
