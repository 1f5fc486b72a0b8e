#include "TDMVEICULO.h"

namespace rv {

TDMVEICULO::TDMVEICULO(Connection &c)
    : cdsVeiculoModelo(c, QStringLiteral("cdsVeiculoModelo"), QStringLiteral("select * from veiculo_Modelo"))
    , cdsVeiculoCor(c, QStringLiteral("cdsVeiculoCor"), QStringLiteral("Select * from veiculo_cor"))
    , cdsVeiculoConservacao(c, QStringLiteral("cdsVeiculoConservacao"), QStringLiteral("select * from veiculo_conservacao"))
    , cdsVeiculoDocumentos(c, QStringLiteral("cdsVeiculoDocumentos"), QStringLiteral("select * from veiculo_documentacao"))
{
    cdsVeiculoModelo.open();
    cdsVeiculoCor.open();
    cdsVeiculoConservacao.open();
    cdsVeiculoDocumentos.open();
}

} // namespace rv
