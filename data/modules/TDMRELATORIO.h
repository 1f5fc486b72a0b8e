#pragma once
// Report and statistics datasets.

#include "../HeldResult.h"

namespace rv {

class TDMRELATORIO {
public:
    explicit TDMRELATORIO(Connection &connection);

    HeldResult cdsRelMotoTurno;
    HeldResult cdsSaidaMotoqueiro;
    HeldResult cdsRadioAusentes;
    HeldResult cdsRelBairroTurno;
    HeldResult cdsRelValeFuncionario;
    HeldResult cdsRelTrajeto;
};

} // namespace rv
