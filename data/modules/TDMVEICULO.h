#pragma once
// Vehicle lookup lists, loaded whole at start-up.

#include "../HeldResult.h"

namespace rv {

class TDMVEICULO {
public:
    explicit TDMVEICULO(Connection &connection);

    HeldResult cdsVeiculoModelo;
    HeldResult cdsVeiculoCor;
    HeldResult cdsVeiculoConservacao;
    HeldResult cdsVeiculoDocumentos;
};

} // namespace rv
