#include "TDMMOTOQUEIRO.h"

namespace rv {

TDMMOTOQUEIRO::TDMMOTOQUEIRO(Connection &c)
    : cdsTodosMotoqueirosATivos(
          c, QStringLiteral("cdsTodosMotoqueirosATivos"), QStringLiteral("Select * from VW_Consulta_Motoqueiro"), {},
          {col::integer(QStringLiteral("Matricula")).required(), col::text(QStringLiteral("Nome"), 80).required(),
           col::text(QStringLiteral("Endereco"), 70), col::fixed(QStringLiteral("Numero"), 10),
           col::text(QStringLiteral("Complemento"), 20), col::text(QStringLiteral("Bairro"), 50),
           col::integer(QStringLiteral("Cep")).required(), col::text(QStringLiteral("Cidade"), 50),
           col::fixed(QStringLiteral("UF"), 10), col::blob(QStringLiteral("Foto")),
           col::text(QStringLiteral("Telefone"), 100).required(), col::text(QStringLiteral("Celular"), 40),
           col::text(QStringLiteral("Estado_Civel"), 30), col::text(QStringLiteral("Veiculo_Ano"), 15),
           col::text(QStringLiteral("Placa"), 50), col::fixed(QStringLiteral("Cor"), 10),
           col::text(QStringLiteral("Documentacao"), 50), col::text(QStringLiteral("Modelo"), 50),
           col::text(QStringLiteral("Turno"), 20), col::boolean(QStringLiteral("Fl_Servico_Entrega"))})
    , qryUltimalocacao(c, QStringLiteral("qryUltimalocacao"))
{
    cdsTodosMotoqueirosATivos.open();
}

} // namespace rv
