#include "data/Errors.h"
#include "data/StatementText.h"

#include <gtest/gtest.h>

using namespace rv;

namespace {

QStringList markersOf(const ParsedStatement &st)
{
    QStringList m;
    for (const SqlPiece &p : st.pieces)
        if (p.type == SqlPiece::Type::Marker)
            m << p.text;
    return m;
}

QString codeOf(const ParsedStatement &st)
{
    QString s;
    for (const SqlPiece &p : st.pieces)
        s += p.type == SqlPiece::Type::Marker ? QStringLiteral("?") : p.text;
    return s;
}

} // namespace

TEST(StatementText, MarkersAreReadWithAccentsAndOnlyOutsideLiterals)
{
    const ParsedText t = parseStatementText(
        QStringLiteral("select * from vw_cliente_2008 where endereco like :pEndereço and x = '10:30' and y = :PVALOR"
                       " and z = \"a:b\" -- :comentario\n and w = :pvalor"));
    ASSERT_EQ(t.statements.size(), 1);
    EXPECT_EQ(markersOf(t.statements[0]),
              (QStringList{QStringLiteral("pEndereço"), QStringLiteral("PVALOR"), QStringLiteral("pvalor")}));
    // the repeated name (in another case) is one parameter
    EXPECT_EQ(t.markers, (QStringList{QStringLiteral("pEndereço"), QStringLiteral("PVALOR")}));
    EXPECT_TRUE(t.statements[0].returnsRows);
}

TEST(StatementText, TopBecomesALimitAndSchemaPrefixesGo)
{
    const ParsedText t = parseStatementText(
        QStringLiteral("select top 100 * from dbo.VW_Consulta_Pedido order by id_pedido desc "));
    ASSERT_EQ(t.statements.size(), 1);
    EXPECT_EQ(t.statements[0].top, 100);
    EXPECT_EQ(codeOf(t.statements[0]), QStringLiteral("select * from VW_Consulta_Pedido order by id_pedido desc "));
}

TEST(StatementText, ANumberGluedToAKeywordIsSeparated)
{
    const ParsedText t = parseStatementText(QStringLiteral("update trajeto2009 set id_categoria_Valor =3where id_trajeto = 15"));
    EXPECT_EQ(codeOf(t.statements[0]), QStringLiteral("update trajeto2009 set id_categoria_Valor =3 where id_trajeto = 15"));
}

TEST(StatementText, ProcedureCallsWithAndWithoutExec)
{
    const struct {
        const char *text;
        const char *name;
        int args;
    } cases[] = {
        {"exec proc_PEDIDO_PERIODO :dataInicial, :Datafinal", "proc_PEDIDO_PERIODO", 2},
        {"PRS_CHAMADAS_BAIRRO :dataInicio ,:datafinal", "PRS_CHAMADAS_BAIRRO", 2},
        {"proc_consulta_devolucao_radio :aMatricula ", "proc_consulta_devolucao_radio", 1},
        {" EXEC PROC_RELTELEFONE_PUBLICO :DATAINICIO ,:DATAFIM ", "PROC_RELTELEFONE_PUBLICO", 2},
        {"proc_radio_Ausente", "proc_radio_Ausente", 0},
        {"exec dbo.prs_radio_locado", "prs_radio_locado", 0},
        {"exec pri_x 15, 'a''b', NULL", "pri_x", 3},
    };
    for (const auto &c : cases) {
        const ParsedText t = parseStatementText(QString::fromLatin1(c.text));
        ASSERT_EQ(t.statements.size(), 1) << c.text;
        EXPECT_EQ(t.statements[0].kind, ParsedStatement::Kind::Procedure) << c.text;
        EXPECT_EQ(t.statements[0].procedure, QString::fromLatin1(c.name)) << c.text;
        EXPECT_EQ(t.statements[0].arguments.size(), c.args) << c.text;
    }
    const ParsedText lit = parseStatementText(QStringLiteral("exec pri_x 15, 'a''b', NULL"));
    EXPECT_EQ(lit.statements[0].arguments[0].literal.toLongLong(), 15);
    EXPECT_EQ(lit.statements[0].arguments[1].literal.toString(), QStringLiteral("a'b"));
    EXPECT_FALSE(lit.statements[0].arguments[2].literal.isValid());
}

TEST(StatementText, BatchesSplitAtLineBreaksAndSemicolons)
{
    const ParsedText t = parseStatementText(QStringLiteral(
        "update tb_motoqueiro set id_logradouro =:pIdLogradouro where nr_matricula =:pMatricula\n"
        "update tb_motoqueiro set complemento =:pComplemento where nr_matricula =:pMatricula\n"
        "  update tb_motoqueiro set id_veiculocor =:pCor where nr_matricula =:pmatricula "));
    ASSERT_EQ(t.statements.size(), 3);
    EXPECT_EQ(t.markers.size(), 4);
    const ParsedText semi = parseStatementText(QStringLiteral("Select * from cidade order by cidade ;"));
    EXPECT_EQ(semi.statements.size(), 1);
    // a line break inside one statement does not split it
    const ParsedText multi = parseStatementText(QStringLiteral("select *\nfrom cidade\nwhere id = :p"));
    EXPECT_EQ(multi.statements.size(), 1);
}

TEST(StatementText, AnUnclosedLiteralIsRefused)
{
    EXPECT_THROW(parseStatementText(QStringLiteral("select * from x where a = 'abc")), DatabaseError);
}
