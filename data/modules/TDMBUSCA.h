#pragma once
// Lookup and search datasets shared by the screens (login, order entry, the
// order log, client and street searches, route screens, radio partners).

#include "../HeldResult.h"
#include "../Query.h"

namespace rv {

class TDMBUSCA {
public:
    explicit TDMBUSCA(Connection &connection);

    Connection &connection;

    // Login
    HeldResult cdsVerificaUsuario;

    // Caller identification
    Query QryConsultaCliente;
    HeldResult cdspedidoTop5ped;

    // Order entry lists
    Query Qrylistabairro;
    HeldResult cdsListalogradouro;
    HeldResult cdslistabairro;
    HeldResult cdsListatrajeto;
    HeldResult cdsListaCidade;

    // Couriers holding a rented radio
    HeldResult cdsRelRadioLocado;

    // The order log (latest hundred orders) and the client searches
    HeldResult cdsMovimentoPedido;
    HeldResult cdsConsultaNome;
    HeldResult cdsConsultaEndereco;

    // Datasets of printed reports
    HeldResult cdspedidodata;     // the orders of a period
    HeldResult cdsExtratodiaria;  // a courier's daily charges
    HeldResult cdsTbTrajeto;      // the printed route table
    HeldResult cdsConsultacaixa;  // the cash entries of a period
};

} // namespace rv
