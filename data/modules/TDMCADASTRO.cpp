#include "TDMCADASTRO.h"

namespace rv {

namespace {

// The courier row as the start-up query declares it.
QList<ColumnDecl> courierRow()
{
    using namespace col;
    return {
        integer(QStringLiteral("Nr_Matricula")).required(),
        fixed(QStringLiteral("Nm_Motoqueiro"), 80).required(),
        smallint(QStringLiteral("Cd_Turno")).required(),
        fixed(QStringLiteral("Ds_Endereco"), 100),
        integer(QStringLiteral("Id_Logradouro")),
        fixed(QStringLiteral("numero"), 10),
        text(QStringLiteral("Complemento"), 20),
        fixed(QStringLiteral("Nm_Bairro"), 40),
        integer(QStringLiteral("id_bairro")),
        integer(QStringLiteral("Nr_CEP")).required(),
        fixed(QStringLiteral("Nm_Cidade"), 40),
        integer(QStringLiteral("ID_cidade")),
        fixed(QStringLiteral("Ds_Origem"), 30),
        fixed(QStringLiteral("Ds_Estado"), 2),
        fixed(QStringLiteral("Nr_Telefone"), 100).required(),
        fixed(QStringLiteral("Nr_CPF"), 30).required(),
        fixed(QStringLiteral("Ds_Identidade"), 20).required(),
        boolean(QStringLiteral("Fl_Sexo")),
        dateTime(QStringLiteral("Dt_Nascimento")).required(),
        fixed(QStringLiteral("Nm_Pai"), 80).required(),
        fixed(QStringLiteral("Nm_Mae"), 80).required(),
        fixed(QStringLiteral("Cd_Categoria_CNH"), 10).required(),
        integer(QStringLiteral("Cd_Usuario")).required(),
        dateTime(QStringLiteral("Dt_Cadastro")).required(),
        fixed(QStringLiteral("Ds_Email"), 40),
        decimal(QStringLiteral("Vl_Limite_Debito"), 12, 2).required(),
        fixed(QStringLiteral("Nr_CNH"), 13).required(),
        dateTime(QStringLiteral("Dt_Validade_CNH")).required(),
        fixed(QStringLiteral("Qt_Colete"), 20).required(),
        fixed(QStringLiteral("Nr_Celular"), 40),
        smallint(QStringLiteral("Cd_Estado_Civil")).required(),
        blob(QStringLiteral("Ds_Foto")),
        boolean(QStringLiteral("Fl_Servico_Entrega")),
        dateTime(QStringLiteral("Dt_Saida")),
        fixed(QStringLiteral("Ds_Saida"), 80),
        fixed(QStringLiteral("Ds_OBS"), 200),
        fixed(QStringLiteral("Veiculoplaca"), 50),
        smallint(QStringLiteral("Id_Categoria")).required(),
        integer(QStringLiteral("Id_Veiculomodelo")),
        integer(QStringLiteral("Id_veiculocor")),
        integer(QStringLiteral("Id_veiculoConservacao")),
        integer(QStringLiteral("Id_veiculo_Documentacao")),
        integer(QStringLiteral("Id_Veiculo_Municipio")),
        text(QStringLiteral("Ds_Orgao_Emissor_RG"), 20),
        integer(QStringLiteral("cd_localnascimento")),
        dateTime(QStringLiteral("Rg_dataexpedicao")),
        fixed(QStringLiteral("VEICULO_ANO"), 15),
    };
}

} // namespace

TDMCADASTRO::TDMCADASTRO(Connection &c)
    : cdsCadmotoqueiro(c, QStringLiteral("cdsCadmotoqueiro"), QStringLiteral("select * from tb_motoqueiro"), {},
                       courierRow())
    , QryCadPedido(c, QStringLiteral("QryCadPedido"))
{
    cdsCadmotoqueiro.open();
}

} // namespace rv
