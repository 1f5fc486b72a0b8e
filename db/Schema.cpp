#include "Schema.h"

#include <QRegularExpression>

namespace rv::db {

namespace {

ColumnDef col(const char *name, const char *type, bool required = false)
{
    ColumnDef c;
    c.name = QString::fromUtf8(name);
    c.type = QString::fromUtf8(type);
    c.required = required;
    return c;
}

ColumnDef identityKey(const char *name)
{
    ColumnDef c = col(name, "int", true);
    c.key = true;
    c.identity = true;
    return c;
}

ColumnDef key(const char *name, const char *type = "int")
{
    ColumnDef c = col(name, type, true);
    c.key = true;
    return c;
}

ColumnDef stampedAt(const char *name, bool required = true)
{
    ColumnDef c = col(name, "datetime", required);
    c.stamped = true;
    return c;
}

ColumnDef withDefault(ColumnDef c, const char *value)
{
    c.defaultValue = QString::fromUtf8(value);
    return c;
}

IndexDef index(const char *name, QStringList columns, bool unique = false)
{
    return {QString::fromUtf8(name), std::move(columns), unique};
}

ForeignKeyDef ref(const char *column, const char *table, const char *referenced)
{
    return {QString::fromUtf8(column), QString::fromUtf8(table), QString::fromUtf8(referenced)};
}

QList<TableDef> buildTables()
{
    QList<TableDef> t;

    // Users of the system; names and passwords stored in upper case.
    t.append({QStringLiteral("usuario"),
              {identityKey("id_usuario"), col("usuario", "char(20)"), col("senha", "char(50)"),
               col("acesso", "char(20)"), col("nm_usuario", "varchar(100)")},
              {index("ix_usuario_login", {QStringLiteral("usuario"), QStringLiteral("senha")})},
              {}});

    t.append({QStringLiteral("categoria_telefone"),
              {identityKey("id_categoria"), col("categoria_telefone", "varchar(30)", true),
               withDefault(col("fl_publico", "bit", true), "0")},
              {},
              {}});

    t.append({QStringLiteral("cidade"),
              {identityKey("id_cidade"), col("cidade", "varchar(50)", true), col("Uf", "varchar(10)")},
              {index("ix_cidade_nome", {QStringLiteral("cidade")})},
              {}});

    // Neighbourhoods; a name may be registered twice.
    t.append({QStringLiteral("bairro"),
              {identityKey("ID_BAIRRO"), col("BAIRRO", "char(50)", true), col("PONTO", "char(50)"),
               col("datacad", "char(50)"), col("SETOR", "varchar(30)")},
              {index("ix_bairro_nome", {QStringLiteral("BAIRRO")})},
              {}});

    t.append({QStringLiteral("logradouro"),
              {identityKey("ID_LOGRADOURO"), col("LOGRADOURO", "char(10)"), col("NOME_LOGRADOURO", "char(70)"),
               col("ID_BAIRRO", "int"), col("BAIRRO_INICIO", "char(50)"), col("BAIRRO_FIM", "char(50)"),
               col("REFERENCIA", "char(50)"), col("CIDADE", "char(50)"), col("UF", "char(20)"),
               col("CEP", "char(20)"), col("ANTIGA", "char(20)"), col("id_cidade", "int")},
              {index("ix_logradouro_nome", {QStringLiteral("NOME_LOGRADOURO")}),
               index("ix_logradouro_bairro", {QStringLiteral("ID_BAIRRO")})},
              {ref("ID_BAIRRO", "bairro", "ID_BAIRRO"), ref("id_cidade", "cidade", "id_cidade")}});

    t.append({QStringLiteral("RUA_ANTIGA"),
              {identityKey("id_rua_antiga"), col("ANTIGA", "varchar(70)"), col("NOME", "varchar(70)"),
               col("BAIRRO", "varchar(50)"), col("SETOR", "varchar(30)"), col("CEP", "varchar(20)")},
              {index("ix_rua_antiga_antiga", {QStringLiteral("ANTIGA")}),
               index("ix_rua_antiga_nome", {QStringLiteral("NOME")})},
              {}});

    // Clients, one per telephone number.
    t.append({QStringLiteral("cliente"),
              {key("TELEFONE"), col("NOME", "char(50)", true), col("ID_LOGRADOURO", "int", true),
               col("NUMERO", "char(50)", true), col("COMPLEMENTO", "char(50)"), col("ANTIGA", "char(10)"),
               col("ID_BAIRRO", "int", true), col("ID_CIDADE", "int", true), col("UF", "varchar(50)"),
               col("CEP", "varchar(50)"), col("ID_CATEGORIA", "int", true), col("ID_USUARIO", "int"),
               stampedAt("DATACAD")},
              {index("ix_cliente_nome", {QStringLiteral("NOME")}),
               index("ix_cliente_logradouro", {QStringLiteral("ID_LOGRADOURO")})},
              {ref("ID_LOGRADOURO", "logradouro", "ID_LOGRADOURO"), ref("ID_BAIRRO", "bairro", "ID_BAIRRO"),
               ref("ID_CIDADE", "cidade", "id_cidade"), ref("ID_CATEGORIA", "categoria_telefone", "id_categoria"),
               ref("ID_USUARIO", "usuario", "id_usuario")}});

    // Fare categories and the routes that belong to them.
    t.append({QStringLiteral("categoria_valor"),
              {identityKey("id_categoria_valor"), col("valorDia", "decimal(9,2)", true),
               col("valorNoite", "decimal(9,2)"), col("Descricao", "char(100)")},
              {},
              {}});

    t.append({QStringLiteral("trajeto2009"),
              {identityKey("id_trajeto"), col("trajeto", "varchar(200)", true),
               col("id_categoria_Valor", "int", true), stampedAt("DATACAD", false)},
              {index("ix_trajeto2009_trajeto", {QStringLiteral("trajeto")}),
               index("ix_trajeto2009_categoria", {QStringLiteral("id_categoria_Valor")})},
              {ref("id_categoria_Valor", "categoria_valor", "id_categoria_valor")}});

    // The older route table with fares of its own (printed route table).
    t.append({QStringLiteral("trajeto"),
              {identityKey("ID_TRAJETO"), col("TRAJETO", "nvarchar(510)"), col("valorDia", "decimal(19,4)"),
               col("ValorNoite", "decimal(19,4)"), col("PONTO", "char(50)"), stampedAt("DATACAD", false)},
              {index("ix_trajeto_trajeto", {QStringLiteral("TRAJETO")})},
              {}});

    // Courier reference lists.
    t.append({QStringLiteral("tb_turno"),
              {key("Cd_Turno", "smallint"), col("Ds_Turno", "varchar(20)", true)}, {}, {}});
    t.append({QStringLiteral("tb_estado_civil"),
              {key("Cd_Estado_Civil", "smallint"), col("Ds_Estado_Civil", "varchar(30)", true)}, {}, {}});
    t.append({QStringLiteral("tb_categoria_motoqueiro"),
              {key("Id_Categoria", "smallint"), col("Ds_Categoria", "varchar(100)", true),
               col("Vl_Categoria", "decimal(12,2)", true)},
              {},
              {}});
    t.append({QStringLiteral("veiculo_Modelo"),
              {identityKey("id_modelo"), col("modelo", "varchar(50)", true)}, {}, {}});
    t.append({QStringLiteral("veiculo_cor"), {identityKey("id_cor"), col("cor", "varchar(10)", true)}, {}, {}});
    t.append({QStringLiteral("veiculo_conservacao"),
              {identityKey("id_conservacao"), col("conservacao", "varchar(50)", true)}, {}, {}});
    t.append({QStringLiteral("veiculo_documentacao"),
              {identityKey("id_documentacao"), col("documentacao", "varchar(50)", true)}, {}, {}});

    // Couriers; a courier works for the business while Dt_Saida is null.
    t.append({QStringLiteral("tb_motoqueiro"),
              {key("Nr_Matricula"),
               col("Nm_Motoqueiro", "char(80)", true),
               col("Cd_Turno", "smallint", true),
               col("Ds_Endereco", "char(100)"),
               col("Id_Logradouro", "int"),
               col("numero", "char(10)"),
               col("Complemento", "nvarchar(20)"),
               col("Nm_Bairro", "char(40)"),
               col("id_bairro", "int"),
               col("Nr_CEP", "int", true),
               col("Nm_Cidade", "char(40)"),
               col("ID_cidade", "int"),
               col("Ds_Origem", "char(30)"),
               col("Ds_Estado", "char(2)"),
               col("Nr_Telefone", "char(100)", true),
               col("Nr_CPF", "char(30)", true),
               col("Ds_Identidade", "char(20)", true),
               col("Fl_Sexo", "bit"),
               col("Dt_Nascimento", "datetime", true),
               col("Nm_Pai", "char(80)", true),
               col("Nm_Mae", "char(80)", true),
               col("Cd_Categoria_CNH", "char(10)", true),
               col("Cd_Usuario", "int", true),
               stampedAt("Dt_Cadastro"),
               col("Ds_Email", "char(40)"),
               withDefault(col("Vl_Limite_Debito", "decimal(12,2)", true), "0"),
               col("Nr_CNH", "char(13)", true),
               col("Dt_Validade_CNH", "datetime", true),
               col("Qt_Colete", "char(20)", true),
               col("Nr_Celular", "char(40)"),
               col("Cd_Estado_Civil", "smallint", true),
               col("Ds_Foto", "image"),
               col("Fl_Servico_Entrega", "bit"),
               col("Dt_Saida", "datetime"),
               col("Ds_Saida", "char(80)"),
               col("Ds_OBS", "char(200)"),
               col("Veiculoplaca", "char(50)"),
               col("Id_Categoria", "smallint", true),
               col("Id_Veiculomodelo", "int"),
               col("Id_veiculocor", "int"),
               col("Id_veiculoConservacao", "int"),
               col("Id_veiculo_Documentacao", "int"),
               col("Id_Veiculo_Municipio", "int"),
               col("Ds_Orgao_Emissor_RG", "nvarchar(20)"),
               col("cd_localnascimento", "int"),
               col("Rg_dataexpedicao", "datetime"),
               col("VEICULO_ANO", "char(15)"),
               col("id_veiculoCidade", "int")},
              {index("ix_motoqueiro_saida", {QStringLiteral("Dt_Saida")})},
              {ref("Cd_Turno", "tb_turno", "Cd_Turno"), ref("Cd_Estado_Civil", "tb_estado_civil", "Cd_Estado_Civil"),
               ref("Id_Categoria", "tb_categoria_motoqueiro", "Id_Categoria"),
               ref("Id_Logradouro", "logradouro", "ID_LOGRADOURO"), ref("id_bairro", "bairro", "ID_BAIRRO"),
               ref("Id_Veiculomodelo", "veiculo_Modelo", "id_modelo"), ref("Id_veiculocor", "veiculo_cor", "id_cor"),
               ref("id_veiculoCidade", "cidade", "id_cidade"), ref("Cd_Usuario", "usuario", "id_usuario")}});

    // Orders, one per call dispatched. The courier is kept as a number without a
    // reference: an order may name courier 0 ("no courier").
    t.append({QStringLiteral("pedido"),
              {identityKey("id_pedido"), col("telefone", "int"), col("solicitante", "char(50)", true),
               col("id_logradouro", "int"), col("numero", "varchar(50)"), col("complemento", "varchar(50)"),
               col("antiga", "char(20)"), col("id_bairro", "int"), col("id_destino", "int"),
               col("id_trajeto", "int"), col("VALOR", "decimal(18,2)", true), col("ID_MOTOQUEIRO", "int"),
               col("ID_CATEGORIA", "int"), col("ID_USUARIO", "int"), col("OBS", "char(200)"),
               stampedAt("datacad")},
              {index("ix_pedido_telefone", {QStringLiteral("telefone"), QStringLiteral("id_pedido")}),
               index("ix_pedido_datacad", {QStringLiteral("datacad")}),
               index("ix_pedido_motoqueiro", {QStringLiteral("ID_MOTOQUEIRO"), QStringLiteral("datacad")})},
              {}});

    // Radios and their rentals.
    t.append({QStringLiteral("tb_status_radio"),
              {key("Id_Status_Radio", "smallint"), col("Ds_Status_Radio", "varchar(30)", true)}, {}, {}});
    t.append({QStringLiteral("tb_radio"),
              {key("Cd_Radio"), col("Nr_Serial", "varchar(30)", true),
               withDefault(col("Id_Status_Radio", "smallint", true), "1")},
              {},
              {ref("Id_Status_Radio", "tb_status_radio", "Id_Status_Radio")}});
    t.append({QStringLiteral("tb_locacao_radio"),
              {identityKey("Id_Locacao"), col("Cd_Radio", "int", true), col("Nr_Matricula", "int", true),
               stampedAt("Dt_Locacao"), col("Cd_Usuario", "int", true), col("Id_Categoria", "smallint", true),
               col("Vl_Pagamento", "decimal(12,2)"), col("Vl_Locacao", "decimal(12,2)", true),
               col("Id_Status_Radio", "smallint", true), col("Dt_Devolucao", "datetime"),
               col("Vl_Pagamento_Devolucao", "decimal(12,2)"), col("Cd_Usuario_Devolucao", "int")},
              {index("ix_locacao_matricula", {QStringLiteral("Nr_Matricula"), QStringLiteral("Id_Locacao")}),
               index("ix_locacao_radio", {QStringLiteral("Cd_Radio"), QStringLiteral("Dt_Devolucao")}),
               index("ix_locacao_data", {QStringLiteral("Dt_Locacao")})},
              {ref("Cd_Radio", "tb_radio", "Cd_Radio"), ref("Nr_Matricula", "tb_motoqueiro", "Nr_Matricula"),
               ref("Id_Status_Radio", "tb_status_radio", "Id_Status_Radio")}});

    // The day and night partners of each radio (registration numbers as text).
    t.append({QStringLiteral("tb_Radio_Parceiro"),
              {identityKey("id_parceria"), col("radio", "char(20)", true), col("ParceiroDia", "char(20)", true),
               col("Parceironoite", "char(20)", true)},
              {index("ix_parceiro_radio", {QStringLiteral("radio")}),
               index("ix_parceiro_dia", {QStringLiteral("ParceiroDia")}),
               index("ix_parceiro_noite", {QStringLiteral("Parceironoite")})},
              {}});

    // Employees who take cash advances.
    t.append({QStringLiteral("tb_funcionario"),
              {identityKey("id_funcionario"), col("nm_funcionario", "varchar(100)", true),
               col("ds_endereco", "varchar(100)"), col("ds_bairro", "varchar(100)"), col("ds_email", "varchar(100)"),
               col("nr_telefone", "int"), col("nr_celular", "int"), stampedAt("dt_cadastro")},
              {index("ix_funcionario_nome", {QStringLiteral("nm_funcionario")})},
              {}});

    // The cash book: kinds of entry, cash books, entries.
    t.append({QStringLiteral("tb_tipo_lancamento"),
              {key("id_tipo_lancamento", "smallint"), col("ds_tipo_lancamento", "char(100)", true),
               col("fl_receita", "bit", true)},
              {},
              {}});
    t.append({QStringLiteral("tb_caixa"),
              {key("id_caixa"), col("ds_caixa", "varchar(50)", true), stampedAt("dt_abertura")}, {}, {}});
    t.append({QStringLiteral("tb_movimento_caixa"),
              {identityKey("id_movimento_caixa"), col("id_caixa", "int", true),
               col("id_tipo_lancamento", "smallint", true), col("vl_lancamento", "decimal(12,2)", true),
               stampedAt("dt_lancamento"), col("nr_matricula", "int"), col("id_usuario", "int", true),
               col("id_funcionario", "int")},
              {index("ix_movimento_caixa_data", {QStringLiteral("dt_lancamento")}),
               index("ix_movimento_caixa_matricula", {QStringLiteral("nr_matricula")})},
              {ref("id_caixa", "tb_caixa", "id_caixa"),
               ref("id_tipo_lancamento", "tb_tipo_lancamento", "id_tipo_lancamento"),
               ref("id_usuario", "usuario", "id_usuario"), ref("id_funcionario", "tb_funcionario", "id_funcionario")}});

    // The courier account: credits (payments) and debits (rental fees).
    t.append({QStringLiteral("tb_motoqueiro_movimento"),
              {identityKey("id_movimentacao"), col("nr_matricula", "int", true), col("id_locacao", "int"),
               col("fl_credito", "bit", true), col("vl_movimento", "decimal(12,2)", true),
               col("id_tipo_movimento", "smallint", true), col("id_usuario", "int"), stampedAt("dt_lancamento"),
               col("id_funcionario", "int")},
              {index("ix_motoqueiro_movimento", {QStringLiteral("nr_matricula"), QStringLiteral("dt_lancamento")})},
              {}});

    return t;
}

QString sqliteType(const ColumnDef &c)
{
    if (c.identity)
        return QStringLiteral("INTEGER");
    return c.type;
}

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

QString defaultFor(Backend backend, const ColumnDef &c)
{
    if (c.stamped)
        return backend == Backend::SQLite ? QStringLiteral(" DEFAULT (datetime('now','localtime'))")
                                          : QStringLiteral(" DEFAULT localtimestamp(0)");
    if (c.defaultValue.isEmpty())
        return {};
    if (backend == Backend::PostgreSQL && c.type.compare(QLatin1String("bit"), Qt::CaseInsensitive) == 0)
        return c.defaultValue == QLatin1String("0") ? QStringLiteral(" DEFAULT false") : QStringLiteral(" DEFAULT true");
    return QStringLiteral(" DEFAULT ") + c.defaultValue;
}

} // namespace

const ColumnDef *TableDef::column(const QString &n) const
{
    for (const ColumnDef &c : columns)
        if (c.name.compare(n, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const QList<TableDef> &tables()
{
    static const QList<TableDef> all = buildTables();
    return all;
}

const TableDef *table(const QString &name)
{
    for (const TableDef &t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString postgresType(const QString &type)
{
    const QString t = type.toLower();
    if (t == QLatin1String("int"))
        return QStringLiteral("integer");
    if (t == QLatin1String("smallint"))
        return QStringLiteral("smallint");
    if (isTextType(t))
        return QStringLiteral("citext");
    if (t.startsWith(QLatin1String("decimal")))
        return QStringLiteral("numeric") + t.mid(7);
    if (t == QLatin1String("datetime"))
        return QStringLiteral("timestamp(0) without time zone");
    if (t == QLatin1String("bit"))
        return QStringLiteral("boolean");
    if (t == QLatin1String("image"))
        return QStringLiteral("bytea");
    return type;
}

bool isTextType(const QString &type)
{
    const QString t = type.toLower();
    return t.startsWith(QLatin1String("char")) || t.startsWith(QLatin1String("varchar"))
        || t.startsWith(QLatin1String("nvarchar")) || t.startsWith(QLatin1String("nchar"));
}

int textWidth(const QString &type)
{
    static const QRegularExpression width(QStringLiteral("\\((\\d+)\\)"));
    const auto m = width.match(type);
    return isTextType(type) && m.hasMatch() ? m.captured(1).toInt() : 0;
}

QStringList supportStatements(Backend backend)
{
    if (backend == Backend::SQLite)
        return {};
    return {
        // Text compares without regard to case, as on the original server.
        QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"),
        // LIKE on an integer column ("matricula like '12%'"): the text of the number.
        QStringLiteral("CREATE OR REPLACE FUNCTION rv_integer_like(integer, text) RETURNS boolean "
                       "LANGUAGE sql IMMUTABLE AS 'SELECT $1::text LIKE $2'"),
        QStringLiteral("CREATE OR REPLACE FUNCTION rv_integer_like(integer, bigint) RETURNS boolean "
                       "LANGUAGE sql IMMUTABLE AS 'SELECT $1::text LIKE $2::text'"),
        QStringLiteral("CREATE OPERATOR ~~ (LEFTARG = integer, RIGHTARG = text, FUNCTION = rv_integer_like)"),
        QStringLiteral("CREATE OPERATOR ~~ (LEFTARG = integer, RIGHTARG = bigint, FUNCTION = rv_integer_like)"),
    };
}

QString indexStatement(const TableDef &table, const IndexDef &index)
{
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), index.name, table.name,
             index.columns.join(QStringLiteral(", ")));
}

QStringList tableStatements(Backend backend)
{
    QStringList out;
    const bool sqlite = backend == Backend::SQLite;
    for (const TableDef &t : tables()) {
        QStringList parts;
        QStringList keys;
        for (const ColumnDef &c : t.columns)
            if (c.key)
                keys << c.name;
        for (const ColumnDef &c : t.columns) {
            QString line = c.name + QLatin1Char(' ');
            if (c.identity) {
                line += sqlite ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                               : QStringLiteral("integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
            } else {
                line += sqlite ? sqliteType(c) : postgresType(c.type);
                if (c.required)
                    line += QStringLiteral(" NOT NULL");
                line += defaultFor(backend, c);
                if (sqlite && isTextType(c.type))
                    line += QStringLiteral(" COLLATE NOCASE");
            }
            parts << line;
        }
        bool identityKeyed = false;
        for (const ColumnDef &c : t.columns)
            identityKeyed = identityKeyed || c.identity;
        if (!identityKeyed && !keys.isEmpty())
            parts << QStringLiteral("PRIMARY KEY (%1)").arg(keys.join(QStringLiteral(", ")));
        // A text longer than its column is refused, naming the column.
        for (const ColumnDef &c : t.columns) {
            const int w = textWidth(c.type);
            if (w > 0)
                parts << QStringLiteral("CONSTRAINT %1 CHECK (%2(%3) <= %4)")
                             .arg(quoted(QStringLiteral("%1.%2 > %3 caracteres").arg(t.name, c.name).arg(w)),
                                  sqlite ? QStringLiteral("length") : QStringLiteral("char_length"), c.name)
                             .arg(w);
            // SQLite keeps whatever it is given; numbers must be numbers.
            const QString type = c.type.toLower();
            if (sqlite && !c.identity
                && (type == QLatin1String("int") || type == QLatin1String("smallint")))
                parts << QStringLiteral("CONSTRAINT %1 CHECK (typeof(%2) IN ('integer','null'))")
                             .arg(quoted(QStringLiteral("%1.%2 deve ser inteiro").arg(t.name, c.name)), c.name);
            if (sqlite && type.startsWith(QLatin1String("decimal")))
                parts << QStringLiteral("CONSTRAINT %1 CHECK (typeof(%2) IN ('integer','real','null'))")
                             .arg(quoted(QStringLiteral("%1.%2 deve ser número").arg(t.name, c.name)), c.name);
        }
        for (const ForeignKeyDef &f : t.references)
            parts << QStringLiteral("FOREIGN KEY (%1) REFERENCES %2 (%3)").arg(f.column, f.table, f.referenced);
        out << QStringLiteral("CREATE TABLE %1 (\n  %2\n)").arg(t.name, parts.join(QStringLiteral(",\n  ")));
        for (const IndexDef &i : t.indexes)
            out << indexStatement(t, i);
    }
    return out;
}

} // namespace rv::db
