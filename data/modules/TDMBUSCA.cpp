#include "TDMBUSCA.h"

namespace rv {

namespace {

// The rows of the client searches by name and by address.
QList<ColumnDecl> clientSearchRow()
{
    using namespace col;
    return {integer(QStringLiteral("TELEFONE")).required(), fixed(QStringLiteral("NOME"), 50).required(),
            fixed(QStringLiteral("endereco"), 173),         fixed(QStringLiteral("ANTIGA"), 10),
            fixed(QStringLiteral("BAIRRO"), 50).required(), fixed(QStringLiteral("CIDADE"), 50),
            fixed(QStringLiteral("CEP"), 50),               fixed(QStringLiteral("CATEGORIA_TELEFONE"), 30),
            fixed(QStringLiteral("USUARIO"), 20),           dateTime(QStringLiteral("DATACAD")).required(),
            fixed(QStringLiteral("REFERENCIA"), 300)};
}

} // namespace

TDMBUSCA::TDMBUSCA(Connection &c)
    : connection(c)
    , cdsVerificaUsuario(c, QStringLiteral("cdsVerificaUsuario"),
                         QStringLiteral("select usuario,senha,id_usuario,acesso from usuario Where usuario =:usuario "
                                        "and senha =:senha"),
                         {{QStringLiteral("usuario"), FieldKind::Text}, {QStringLiteral("senha"), FieldKind::Text}},
                         {col::fixed(QStringLiteral("usuario"), 20), col::fixed(QStringLiteral("senha"), 50),
                          col::integer(QStringLiteral("id_usuario")).required(),
                          col::fixed(QStringLiteral("acesso"), 20)})
    , QryConsultaCliente(c, QStringLiteral("QryConsultaCliente"))
    , cdspedidoTop5ped(c, QStringLiteral("cdspedidoTop5ped"),
                       QStringLiteral("select top 5 * from VW_PEDIDO_NEW where telefone like :pTelefone order by "
                                      "id_pedido desc"),
                       {{QStringLiteral("pTelefone"), FieldKind::Integer}},
                       {col::integer(QStringLiteral("ID_PEDIDO")).required(), col::integer(QStringLiteral("TELEFONE")),
                        col::fixed(QStringLiteral("SOLICITANTE"), 50), col::fixed(QStringLiteral("ENDEREÇO"), 123),
                        col::fixed(QStringLiteral("ANTIGA"), 20), col::fixed(QStringLiteral("BAIRRO"), 50),
                        col::text(QStringLiteral("TRAJETO"), 510),
                        col::decimal(QStringLiteral("VALOR"), 18, 0).currency(),
                        col::fixed(QStringLiteral("CATEGORIA_TELEFONE"), 30), col::fixed(QStringLiteral("USUARIO"), 20),
                        col::dateTime(QStringLiteral("Data")), col::fixed(QStringLiteral("OBS"), 200),
                        col::fixed(QStringLiteral("ID_MOTOQUEIRO"), 4)})
    , Qrylistabairro(c, QStringLiteral("Qrylistabairro"))
    , cdsListalogradouro(c, QStringLiteral("cdsListalogradouro"),
                         QStringLiteral("select * from logradouro order by id_logradouro desc  "), {},
                         {col::integer(QStringLiteral("ID_LOGRADOURO")).required(),
                          col::fixed(QStringLiteral("LOGRADOURO"), 10), col::fixed(QStringLiteral("NOME_LOGRADOURO"), 70),
                          col::integer(QStringLiteral("ID_BAIRRO")), col::fixed(QStringLiteral("BAIRRO_INICIO"), 50),
                          col::fixed(QStringLiteral("BAIRRO_FIM"), 50), col::fixed(QStringLiteral("REFERENCIA"), 50),
                          col::fixed(QStringLiteral("CIDADE"), 50), col::fixed(QStringLiteral("UF"), 20),
                          col::fixed(QStringLiteral("CEP"), 20), col::fixed(QStringLiteral("ANTIGA"), 20),
                          col::integer(QStringLiteral("id_cidade"))})
    , cdslistabairro(c, QStringLiteral("cdslistabairro"), QStringLiteral("select * from bairro order by bairro"), {},
                     {col::integer(QStringLiteral("ID_BAIRRO")).required(),
                      col::fixed(QStringLiteral("BAIRRO"), 50).required(), col::fixed(QStringLiteral("PONTO"), 50),
                      col::fixed(QStringLiteral("datacad"), 50)})
    , cdsListatrajeto(c, QStringLiteral("cdsListatrajeto"), QStringLiteral("select * from vw_trajeto "), {},
                      {col::integer(QStringLiteral("id_trajeto")).required(),
                       col::fixed(QStringLiteral("TRAJETO"), 200).required(),
                       col::decimal(QStringLiteral("VALORDIA"), 9, 2).required(),
                       col::decimal(QStringLiteral("VALORNOITE"), 9, 2), col::fixed(QStringLiteral("DESCRICAO"), 100),
                       col::integer(QStringLiteral("id_categoria_valor")).required()})
    , cdsListaCidade(c, QStringLiteral("cdsListaCidade"), QStringLiteral("Select * from cidade "))
    , cdsRelRadioLocado(c, QStringLiteral("cdsRelRadioLocado"), QStringLiteral("exec prs_radio_locado"))
    , cdsMovimentoPedido(
          c, QStringLiteral("cdsMovimentoPedido"),
          QStringLiteral("select top 100 * from VW_Consulta_Pedido order by id_pedido desc "), {},
          {col::recNo(QStringLiteral("RecNo"), true), col::integer(QStringLiteral("ID_PEDIDO")).required(),
           col::integer(QStringLiteral("TELEFONE")).required(), col::fixed(QStringLiteral("SOLICITANTE"), 50).required(),
           col::fixed(QStringLiteral("Endereco"), 123), col::fixed(QStringLiteral("ANTIGA"), 20),
           col::fixed(QStringLiteral("BAIRRO"), 50), col::text(QStringLiteral("TRAJETO"), 510),
           col::decimal(QStringLiteral("VALOR"), 18, 0).required(), col::fixed(QStringLiteral("CATEGORIA_TELEFONE"), 30),
           col::fixed(QStringLiteral("USUARIO"), 20), col::dateTime(QStringLiteral("Data")).required(),
           col::fixed(QStringLiteral("OBS"), 200), col::fixed(QStringLiteral("ID_MOTOQUEIRO"), 4)})
    , cdsConsultaNome(c, QStringLiteral("cdsConsultaNome"),
                      QStringLiteral("select *  from vw_cliente_2008 where nome like :pNome"),
                      {{QStringLiteral("pNome"), FieldKind::Text}}, clientSearchRow())
    , cdsConsultaEndereco(c, QStringLiteral("cdsConsultaEndereco"),
                          QStringLiteral("select * from vw_cliente_2008 where endereco like :pEndereço "),
                          {{QStringLiteral("pEndereço"), FieldKind::Text}}, clientSearchRow())
    , cdspedidodata(c, QStringLiteral("cdspedidodata"), QStringLiteral("exec proc_PEDIDO_PERIODO :dataInicial, :Datafinal"),
                    {{QStringLiteral("dataInicial"), FieldKind::Text}, {QStringLiteral("Datafinal"), FieldKind::Text}},
                    {col::recNo(QStringLiteral("Recno")), col::integer(QStringLiteral("ID_PEDIDO")).required(),
                     col::integer(QStringLiteral("TELEFONE")), col::fixed(QStringLiteral("SOLICITANTE"), 50),
                     col::fixed(QStringLiteral("ENDEREÇO"), 123), col::fixed(QStringLiteral("ANTIGA"), 20),
                     col::fixed(QStringLiteral("BAIRRO"), 50), col::text(QStringLiteral("TRAJETO"), 510),
                     col::decimal(QStringLiteral("VALOR"), 18, 0).currency(),
                     col::fixed(QStringLiteral("CATEGORIA_TELEFONE"), 30), col::fixed(QStringLiteral("USUARIO"), 20),
                     col::fixed(QStringLiteral("OBS"), 200), col::fixed(QStringLiteral("hora"), 5),
                     col::dateTime(QStringLiteral("datacad")), col::fixed(QStringLiteral("ID_MOTOQUEIRO"), 4)})
    , cdsExtratodiaria(c, QStringLiteral("cdsExtratodiaria"), QStringLiteral("proc_extrato_diaria :Moto ,:DataInicio,:DataFim "),
                       {{QStringLiteral("Moto"), FieldKind::Integer},
                        {QStringLiteral("DataInicio"), FieldKind::Text},
                        {QStringLiteral("DataFim"), FieldKind::Text}},
                       {col::integer(QStringLiteral("NR_MATRICULA")), col::integer(QStringLiteral("ID_MOVIMENTACAO")),
                        col::smallint(QStringLiteral("ID_TIPO_LANCAMENTO")), col::dateTime(QStringLiteral("DT_LANCAMENTO")),
                        col::decimal(QStringLiteral("VL_LANCAMENTO"), 12, 2).currency(),
                        col::integer(QStringLiteral("ID_FUNCIONARIO"))})
    , cdsTbTrajeto(c, QStringLiteral("cdsTbTrajeto"), QStringLiteral("select * from trajeto where trajeto like :pTrajeto"),
                   {{QStringLiteral("pTrajeto"), FieldKind::Text}},
                   {col::text(QStringLiteral("TRAJETO"), 510), col::money(QStringLiteral("valorDia")),
                    col::money(QStringLiteral("ValorNoite")), col::fixed(QStringLiteral("PONTO"), 50),
                    col::dateTime(QStringLiteral("DATACAD")), col::integer(QStringLiteral("ID_TRAJETO")).required(),
                    col::recNo(QStringLiteral("RecNO"))})
    , cdsConsultacaixa(c, QStringLiteral("cdsConsultacaixa"),
                       QStringLiteral("PRS_CONSULTA_CAIXA_PERIODO :datainicial ,:datafinal "),
                       {{QStringLiteral("datainicial"), FieldKind::Text}, {QStringLiteral("datafinal"), FieldKind::Text}},
                       {col::recNo(QStringLiteral("recNo")), col::fixed(QStringLiteral("HORA"), 6),
                        col::fixed(QStringLiteral("DS_TIPO_LANCAMENTO"), 100).required(),
                        col::decimal(QStringLiteral("VL_LANCAMENTO"), 12, 2).required(),
                        col::integer(QStringLiteral("NR_MATRICULA")), col::fixed(QStringLiteral("Nm_Usuario"), 100),
                        col::decimal(QStringLiteral("VL_DESPESA"), 12, 2), col::decimal(QStringLiteral("VL_RECEITA"), 12, 2),
                        col::decimal(QStringLiteral("VL_SALDO"), 13, 2), col::boolean(QStringLiteral("Fl_Receita"))})
{
}

} // namespace rv
