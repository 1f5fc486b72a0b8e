#include "DemoData.h"
#include "Database.h"
#include "Schema.h"

#include "data/Connection.h"
#include "data/Errors.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QVariantList>

#include <algorithm>

namespace rv::db {

namespace {

// ------------------------------------------------------------------ words

const char *const FirstNames[] = {
    "JOSÉ",     "JOÃO",    "ANTÔNIO", "FRANCISCO", "CARLOS",   "PAULO",   "PEDRO",    "LUCAS",   "LUIZ",
    "MARCOS",   "LUÍS",    "GABRIEL", "RAFAEL",    "DANIEL",   "MARCELO", "BRUNO",    "EDUARDO", "FELIPE",
    "RAIMUNDO", "RODRIGO", "MANOEL",  "SEVERINO",  "FÁBIO",    "JORGE",   "SÉRGIO",   "RICARDO", "EDSON",
    "MARIA",    "ANA",     "FRANCISCA", "ANTÔNIA", "ADRIANA",  "JULIANA", "MÁRCIA",   "FERNANDA", "PATRÍCIA",
    "ALINE",    "SANDRA",  "CAMILA",  "AMANDA",    "BRUNA",    "JÉSSICA", "LETÍCIA",  "JÚLIA",   "LUCIANA",
    "VANESSA",  "MARIANA", "GABRIELA", "VERA",     "KELLY",    "SIMONE",  "CRISTINA", "RITA",    "LÚCIA",
    "TEREZA",   "JOSEFA",  "SEBASTIANA", "IRENE",  "CLÁUDIA",  "DÉBORA",
};

constexpr int MaleNames = 27; // the first names of men come first

const char *const Surnames[] = {
    "SILVA",    "SANTOS",   "OLIVEIRA", "SOUZA",     "RODRIGUES", "FERREIRA", "ALVES",    "PEREIRA",  "LIMA",
    "GOMES",    "COSTA",    "RIBEIRO",  "MARTINS",   "CARVALHO",  "ALMEIDA",  "LOPES",    "SOARES",   "FERNANDES",
    "VIEIRA",   "BARBOSA",  "ROCHA",    "DIAS",      "NASCIMENTO", "ANDRADE", "MOREIRA",  "NUNES",    "MARQUES",
    "MACHADO",  "MENDES",   "FREITAS",  "CARDOSO",   "RAMOS",     "GONÇALVES", "SANTANA", "TEIXEIRA", "ARAÚJO",
    "CAVALCANTI", "MELO",   "MONTEIRO", "BEZERRA",   "ALBUQUERQUE", "QUEIROZ", "TAVARES", "BATISTA",  "FARIAS",
    "BRITO",    "MOURA",    "CAMPOS",   "PINTO",     "SALES",
};

// Neighbourhood names: plain ones, and words that follow "JARDIM", "VILA", "PARQUE".
const char *const PlainNeighbourhoods[] = {
    "CENTRO",        "BOA VISTA",     "SANTO ANTÔNIO", "SÃO JOSÉ",       "SÃO FRANCISCO", "SANTA CRUZ",
    "BELA VISTA",    "LIBERDADE",     "INDUSTRIAL",    "AEROPORTO",      "ESTAÇÃO",       "MATRIZ",
    "CRUZEIRO",      "IPIRANGA",      "INDEPENDÊNCIA", "PROGRESSO",      "SÃO CRISTÓVÃO", "NOSSA SENHORA DE FÁTIMA",
    "SANTA TEREZA",  "CAMPO GRANDE",  "MORADA DO SOL", "LAGOA SECA",     "MANGABEIRA",    "CANDEIAS",
    "PIEDADE",       "COQUEIRAL",     "CAJUEIRO",      "AREIAS",         "BARRO",         "VÁRZEA",
    "CORDEIRO",      "TORRE",         "GRAÇAS",        "PRADO",          "MADALENA",      "ALTO DO CÉU",
    "ALTO DA BELA VISTA", "BOA ESPERANÇA", "CIDADE NOVA",
};
const char *const GardenWords[] = {
    "AMÉRICA",  "EUROPA",      "BRASIL",       "ATLÂNTICO",     "DAS FLORES", "DOS IPÊS",  "SÃO PAULO",
    "SÃO JORGE", "SANTA MARIA", "SANTA RITA",  "NOVO",          "RICA",       "REAL",      "IMPERIAL",
    "DAS PALMEIRAS", "DOS COQUEIROS", "DAS ACÁCIAS", "DO LAGO", "DO SOL",     "DA SERRA",  "DAS MANGUEIRAS",
    "PRIMAVERA", "ESPERANÇA",  "UNIÃO",        "DOS PÁSSAROS",  "DAS OLIVEIRAS", "SÃO LUÍS",
};
const char *const NeighbourhoodPrefixes[] = {"JARDIM", "VILA", "PARQUE"};

const char *const StreetNames[] = {
    "SETE DE SETEMBRO",  "QUINZE DE NOVEMBRO", "TREZE DE MAIO",      "PRIMEIRO DE MAIO",    "VINTE E UM DE ABRIL",
    "TIRADENTES",        "DOM PEDRO II",       "PRINCESA ISABEL",    "MARECHAL DEODORO",    "FLORIANO PEIXOTO",
    "SANTOS DUMONT",     "RUI BARBOSA",        "JOAQUIM NABUCO",     "CASTRO ALVES",        "JOSÉ DE ALENCAR",
    "MACHADO DE ASSIS",  "OLAVO BILAC",        "CARLOS GOMES",       "VISCONDE DE MAUÁ",    "BARÃO DO RIO BRANCO",
    "DUQUE DE CAXIAS",   "GETÚLIO VARGAS",     "PADRE CÍCERO",       "FREI CANECA",         "DAS FLORES",
    "DAS ACÁCIAS",       "DOS IPÊS",           "DAS MANGUEIRAS",     "DAS PALMEIRAS",       "DOS COQUEIROS",
    "DAS ORQUÍDEAS",     "DAS HORTÊNSIAS",     "DO SOL",             "DA AURORA",           "DA SAUDADE",
    "DA PAZ",            "DA HARMONIA",        "DA CONCÓRDIA",       "DO COMÉRCIO",         "DA MATRIZ",
    "DA IGREJA",         "DO ROSÁRIO",         "SÃO JOÃO",           "SÃO PEDRO",           "SÃO JOSÉ",
    "SANTO ANTÔNIO",     "SANTA LUZIA",        "NOSSA SENHORA DO CARMO", "BOM JESUS",       "BELA VISTA",
    "DO CAMPO",          "DO RIO",             "DA PRAIA",           "DO MERCADO",          "DA ESTAÇÃO",
    "DOS PESCADORES",    "DOS ARTISTAS",       "DOS OPERÁRIOS",      "JOÃO PESSOA",         "EPITÁCIO PESSOA",
    "CONSELHEIRO AGUIAR", "GENERAL OSÓRIO",    "ALMIRANTE TAMANDARÉ", "CORONEL FONSECA",    "PROFESSOR JOSÉ AMARO",
    "DOUTOR JOSÉ MARIANO", "ENGENHEIRO ABDIAS", "MAESTRO NELSON FERREIRA", "LUIZ GONZAGA",   "DAS CRIANÇAS",
    "DO CAJUEIRO",       "DA LAGOA",           "DO CANAL",           "DA PONTE",            "DO PORTO",
    "DOS NAVEGANTES",    "DA INDEPENDÊNCIA",   "DA REPÚBLICA",       "DA LIBERDADE",        "DA CONSTITUIÇÃO",
    "DO PROGRESSO",      "DA ESPERANÇA",       "DAS GAIVOTAS",       "DOS SABIÁS",          "DOS BEIJA-FLORES",
    "DAS JANGADAS",      "DO FAROL",           "DA FONTE",           "DO CRUZEIRO",         "DA ALEGRIA",
    "ANITA GARIBALDI",   "BENJAMIN CONSTANT",  "EUCLIDES DA CUNHA",  "GONÇALVES DIAS",      "JOSÉ BONIFÁCIO",
    "MANUEL BANDEIRA",   "NILO PEÇANHA",       "OSWALDO CRUZ",       "PAULO FREIRE",        "VOLUNTÁRIOS DA PÁTRIA",
    "CECÍLIA MEIRELES",  "CLARICE LISPECTOR",  "RACHEL DE QUEIROZ",  "ARIANO SUASSUNA",     "GILBERTO FREYRE",
};

struct StreetKind {
    const char *word;
    const char *oldPrefix; // how the old numbering named it
    int weight;
};
const StreetKind StreetKinds[] = {
    {"RUA", "RUA", 65},         {"AVENIDA", "AV", 12}, {"TRAVESSA", "TRAV", 10}, {"ALAMEDA", "AL", 4},
    {"PRAÇA", "PÇA", 3},        {"ESTRADA", "ESTR", 3}, {"BECO", "BECO", 3},
};

const char *const References[] = {
    "PRÓXIMO AO MERCADO PÚBLICO", "EM FRENTE À IGREJA MATRIZ", "AO LADO DO POSTO DE SAÚDE",
    "PRÓXIMO À ESCOLA ESTADUAL",  "ATRÁS DO SUPERMERCADO",    "PERTO DA PADARIA",
    "EM FRENTE AO CAMPO DE FUTEBOL", "PRÓXIMO AO TERMINAL DE ÔNIBUS", "AO LADO DA FARMÁCIA",
    "PERTO DA PRAÇA",
};

const char *const Stands[] = {
    "PRAÇA DA MATRIZ",     "TERMINAL RODOVIÁRIO", "MERCADO PÚBLICO",     "HOSPITAL REGIONAL",  "SHOPPING CENTER",
    "ESTAÇÃO DO METRÔ",    "PRAÇA DO CRUZEIRO",   "AV. GETÚLIO VARGAS",  "FEIRA LIVRE",        "POSTO DO TREVO",
    "IGREJA DE SÃO JOSÉ",  "UNIVERSIDADE",        "FÓRUM",               "PRAÇA DA BANDEIRA",  "CAIS DO PORTO",
    "ESTÁDIO MUNICIPAL",   "CEMITÉRIO DA SAUDADE", "RODOVIA BR-101",     "PRAIA DO FORTE",     "LAGOA DO ARAÇÁ",
    "PRAÇA DO SOL",        "MATADOURO VELHO",     "CAIXA D'ÁGUA",        "PONTE DO RIO",       "BAIRRO NOVO",
    "ESCOLA TÉCNICA",      "AEROPORTO",           "QUARTEL",             "PREFEITURA",         "CORREIOS",
};

const char *const Sectors[] = {"CENTRO", "NORTE", "SUL", "LESTE", "OESTE"};

struct City {
    const char *name;
    const char *uf;
    int cepBase; // the first five digits of its postal codes
};
// The city of the business first, then its neighbours.
const City Cities[] = {
    {"SÃO BENTO DAS PALMEIRAS", "PE", 55100}, {"NOVA ESPERANÇA", "PE", 55300}, {"SANTA RITA DO NORTE", "PE", 55400},
    {"PORTO REAL", "PE", 55500},              {"ALTO ALEGRE", "PE", 55600},
};

const char *const Observations[] = {
    "LEVAR TROCO PARA 50", "CLIENTE AGUARDA NA PORTARIA", "LIGAR AO CHEGAR", "ENTREGA DE DOCUMENTOS",
    "PASSAGEIRO COM BAGAGEM", "BUSCAR NA FARMÁCIA", "PORTÃO AZUL", "URGENTE",
};

const char *const Models[] = {"CG 125 TITAN", "CG 150 FAN", "YBR 125 FACTOR", "FAZER 250", "BIZ 125",
                              "POP 100",      "NXR 150 BROS", "CB 300R",      "XRE 300",   "FACTOR 150"};
const char *const Colours[] = {"PRETA", "VERMELHA", "BRANCA", "PRATA", "AZUL", "CINZA", "AMARELA", "VERDE"};
const char *const Conditions[] = {"ÓTIMO", "BOM", "REGULAR", "RUIM"};
const char *const Papers[] = {"EM DIA", "IPVA ATRASADO", "LICENCIAMENTO VENCIDO", "EM TRANSFERÊNCIA"};

template <typename T, std::size_t N>
constexpr int count(const T (&)[N])
{
    return int(N);
}

QString u(const char *s)
{
    return QString::fromUtf8(s);
}

// ------------------------------------------------------------------ pseudo-random values

// The same sequence everywhere (std::mt19937's distributions are not portable).
class Random {
public:
    explicit Random(quint64 seed) : m_state(seed) {}
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, std::size_t N>
    const T &pick(const T (&items)[N]) { return items[below(int(N))]; }

private:
    quint64 m_state;
};

// A pseudo-random whole number in [0, modulo) computed by the database from an
// integer expression: the same value on both backends (64-bit arithmetic, no
// overflow: every product stays below 2^62).
QString rnd(const QString &expression, int salt, qint64 modulo)
{
    const QString x = QStringLiteral("((CAST(%1 AS BIGINT) * 48271 + %2) %% 2147483647)").arg(expression).arg(salt * 7919 + 17);
    return QStringLiteral("(((%1 * %1) %% 2147483647 * 16807 + %2) %% 2147483647 %% %3)")
        .arg(x)
        .arg(salt)
        .arg(modulo)
        .replace(QStringLiteral("%%"), QStringLiteral("%"));
}

// ------------------------------------------------------------------ the loader

class Loader {
public:
    Loader(Connection &connection, DemoSize size, const QDate &loadDate)
        : m_c(connection)
        , m_backend(connection.backend())
        , m_size(size)
        , m_historyStart(QDateTime(loadDate.addDays(-size.days), QTime(0, 0)))
    {
    }

    void run()
    {
        temporaryWords();
        places();
        streets();
        users();
        clients();
        routes();
        vehicles();
        couriers();
        orders();
        radios();
        rentals();
        accountsAndCash();
        dropTemporaryWords();
        flush();
        fixIdentities();
    }

private:
    // Runs a statement whose {name} markers take the values given, bound in order.
    void exec(QString sql, const QHash<QString, QVariant> &values = {})
    {
        flush();
        static const QRegularExpression marker(QStringLiteral("\\{(\\w+)\\}"));
        QVariantList args;
        QString out;
        int last = 0;
        for (auto it = marker.globalMatch(sql); it.hasNext();) {
            const auto m = it.next();
            out += sql.mid(last, m.capturedStart() - last) + QLatin1Char('?');
            args << values.value(m.captured(1));
            last = m.capturedEnd();
        }
        out += sql.mid(last);
        m_c.serverExec(out, args);
    }

    // Rows of the small tables go a hundred at a time; the rows of one table
    // are sent before those of the next, which may refer to them.
    void insert(const QString &table, const QStringList &columns, const QVariantList &values)
    {
        if (table != m_pendingTable || columns != m_pendingColumns)
            flush();
        m_pendingTable = table;
        m_pendingColumns = columns;
        m_pending << values;
        if (m_pending.size() >= 100)
            flush();
    }

    void flush()
    {
        if (m_pending.isEmpty())
            return;
        QStringList marks;
        for (int i = 0; i < m_pendingColumns.size(); ++i)
            marks << QStringLiteral("?");
        const QString row = QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
        QStringList rows;
        QVariantList args;
        for (const QVariantList &values : std::as_const(m_pending)) {
            rows << row;
            args << values;
        }
        m_pending.clear();
        m_c.serverExec(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                           .arg(m_pendingTable, m_pendingColumns.join(QStringLiteral(", ")), rows.join(QStringLiteral(", "))),
                       args);
    }

    bool sqlite() const { return m_backend == Backend::SQLite; }

    // The rows i = 1 .. {count} of a set-based insert, as a WITH clause.
    QString series() const
    {
        return sqlite() ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < {count}) ")
                        : QStringLiteral("WITH n(i) AS (SELECT generate_series(CAST(1 AS BIGINT), CAST({count} AS BIGINT))) ");
    }

    // A time some seconds after a base time (a column or a {marker}).
    QString after(const QString &base, const QString &seconds) const
    {
        return sqlite() ? QStringLiteral("datetime(%1, '+' || (%2) || ' seconds')").arg(base, seconds)
                        : QStringLiteral("(CAST(%1 AS TIMESTAMP) + (%2) * INTERVAL '1 second')").arg(base, seconds);
    }

    QString truth(bool v) const
    {
        return sqlite() ? QString::number(v ? 1 : 0) : (v ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    }

    QString text(const QString &expression) const { return QStringLiteral("CAST(%1 AS TEXT)").arg(expression); }

    static QString stamp(const QDateTime &t) { return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

    // -------------------------------------------------------------- words the set-based inserts draw from

    void temporaryWords()
    {
        exec(QStringLiteral("CREATE TEMP TABLE rv_demo_nome (i INTEGER PRIMARY KEY, nome VARCHAR(30))"));
        exec(QStringLiteral("CREATE TEMP TABLE rv_demo_sobrenome (i INTEGER PRIMARY KEY, nome VARCHAR(30))"));
        exec(QStringLiteral("CREATE TEMP TABLE rv_demo_obs (i INTEGER PRIMARY KEY, obs VARCHAR(60))"));
        for (int i = 0; i < count(FirstNames); ++i)
            insert(QStringLiteral("rv_demo_nome"), {QStringLiteral("i"), QStringLiteral("nome")}, {i, u(FirstNames[i])});
        for (int i = 0; i < count(Surnames); ++i)
            insert(QStringLiteral("rv_demo_sobrenome"), {QStringLiteral("i"), QStringLiteral("nome")}, {i, u(Surnames[i])});
        for (int i = 0; i < count(Observations); ++i)
            insert(QStringLiteral("rv_demo_obs"), {QStringLiteral("i"), QStringLiteral("obs")}, {i, u(Observations[i])});
    }

    void dropTemporaryWords()
    {
        for (const char *t : {"rv_demo_nome", "rv_demo_sobrenome", "rv_demo_obs"})
            exec(QStringLiteral("DROP TABLE %1").arg(QLatin1String(t)));
    }

    // -------------------------------------------------------------- cities and neighbourhoods

    QString neighbourhoodName(int k) const
    {
        const int plain = count(PlainNeighbourhoods);
        if (k < plain)
            return u(PlainNeighbourhoods[k]);
        const int j = k - plain;
        return u(NeighbourhoodPrefixes[j % count(NeighbourhoodPrefixes)]) + QLatin1Char(' ')
            + u(GardenWords[(j / count(NeighbourhoodPrefixes)) % count(GardenWords)]);
    }

    // Neighbourhoods of the last sixth belong to the neighbouring cities.
    int cityOf(int k) const
    {
        const int own = m_size.neighbourhoods - m_size.neighbourhoods / 6;
        return k < own ? 0 : 1 + (k - own) % (count(Cities) - 1);
    }

    static int neighbourhoodId(int k) { return 2 + k; } // 1 is "NÃO INFORMADO"

    void places()
    {
        for (int i = 0; i < count(Cities); ++i)
            insert(QStringLiteral("cidade"), {QStringLiteral("id_cidade"), QStringLiteral("cidade"), QStringLiteral("Uf")},
                   {i + 1, u(Cities[i].name), u(Cities[i].uf)});
        Random r(101);
        for (int k = 0; k < m_size.neighbourhoods; ++k) {
            const QDate registered = QDate(2009, 1, 5).addDays(r.below(400));
            insert(QStringLiteral("bairro"),
                   {QStringLiteral("ID_BAIRRO"), QStringLiteral("BAIRRO"), QStringLiteral("PONTO"),
                    QStringLiteral("datacad"), QStringLiteral("SETOR")},
                   {neighbourhoodId(k), neighbourhoodName(k),
                    // Neighbouring neighbourhoods share the stand nearest to them.
                    u("PONTO ") + u(Stands[(k / 4) % count(Stands)]), registered.toString(QStringLiteral("dd/MM/yyyy")),
                    u(Sectors[k % count(Sectors)])});
        }
    }

    // -------------------------------------------------------------- streets and their old names

    int streetCount() const { return m_size.neighbourhoods * m_size.streetsPerNeighbourhood; }

    void streets()
    {
        Random r(202);
        QList<QVariantList> oldNames;
        int id = 0;
        int kindWeights = 0;
        for (const StreetKind &k : StreetKinds)
            kindWeights += k.weight;
        for (int k = 0; k < m_size.neighbourhoods; ++k) {
            const City &city = Cities[cityOf(k)];
            for (int s = 0; s < m_size.streetsPerNeighbourhood; ++s) {
                ++id;
                int w = r.below(kindWeights);
                const StreetKind *kind = &StreetKinds[0];
                for (const StreetKind &candidate : StreetKinds) {
                    if (w < candidate.weight) {
                        kind = &candidate;
                        break;
                    }
                    w -= candidate.weight;
                }
                // Different names within a neighbourhood; the same name recurs elsewhere.
                const QString name = u(StreetNames[(k * 37 + s * 13) % count(StreetNames)]);
                const QString cep = QStringLiteral("%1-%2")
                                        .arg(city.cepBase + k % 100, 5, 10, QLatin1Char('0'))
                                        .arg(100 + s * 10 + r.below(10), 3, 10, QLatin1Char('0'));
                const QString oldName = r.chance(40) ? QStringLiteral("%1 %2").arg(u(kind->oldPrefix)).arg(1 + r.below(300))
                                                     : QString();
                const int end = r.chance(25) ? (k + 1) % m_size.neighbourhoods : k;
                insert(QStringLiteral("logradouro"),
                       {QStringLiteral("ID_LOGRADOURO"), QStringLiteral("LOGRADOURO"), QStringLiteral("NOME_LOGRADOURO"),
                        QStringLiteral("ID_BAIRRO"), QStringLiteral("BAIRRO_INICIO"), QStringLiteral("BAIRRO_FIM"),
                        QStringLiteral("REFERENCIA"), QStringLiteral("CIDADE"), QStringLiteral("UF"),
                        QStringLiteral("CEP"), QStringLiteral("ANTIGA"), QStringLiteral("id_cidade")},
                       {id, u(kind->word), name, neighbourhoodId(k), neighbourhoodName(k), neighbourhoodName(end),
                        r.chance(30) ? QVariant(u(r.pick(References))) : QVariant(), u(city.name), u(city.uf), cep,
                        oldName.isEmpty() ? QVariant() : QVariant(oldName), cityOf(k) + 1});
                if (!oldName.isEmpty() || r.chance(5)) {
                    // The register of old names also keeps names from before the numbering.
                    const QString old = oldName.isEmpty() ? u("ESTRADA DO ENGENHO ") + u(r.pick(Surnames)) : oldName;
                    oldNames.append({old, u(kind->word) + QLatin1Char(' ') + name, neighbourhoodName(k),
                                     u(Sectors[k % count(Sectors)]), cep});
                }
            }
        }
        for (const QVariantList &row : std::as_const(oldNames))
            insert(QStringLiteral("RUA_ANTIGA"),
                   {QStringLiteral("ANTIGA"), QStringLiteral("NOME"), QStringLiteral("BAIRRO"), QStringLiteral("SETOR"),
                    QStringLiteral("CEP")},
                   row);
    }

    // -------------------------------------------------------------- users

    void users()
    {
        // ADMIN (1) and ATENDENTE (2) come with every database.
        const QStringList columns{QStringLiteral("id_usuario"), QStringLiteral("usuario"), QStringLiteral("senha"),
                                  QStringLiteral("acesso"), QStringLiteral("nm_usuario")};
        insert(QStringLiteral("usuario"), columns, {3, u("CARLA"), u("1111"), u("2"), u("CARLA MENDES")});
        insert(QStringLiteral("usuario"), columns, {4, u("MARCOS"), u("2222"), u("2"), u("MARCOS TAVARES")});
        insert(QStringLiteral("usuario"), columns, {5, u("GERENTE"), u("GERENTE"), u("3"), u("GERENTE DA CENTRAL")});
    }

    // -------------------------------------------------------------- clients

    // The telephone of client j (1-based): distinct 8-digit numbers (7919 is
    // prime to 60,000,000, so j -> j * 7919 mod 60,000,000 never repeats).
    static QString telephoneOf(const QString &j)
    {
        return QStringLiteral("(30000000 + (CAST(%1 AS BIGINT) * 7919) % 60000000)").arg(j);
    }

    void clients()
    {
        const int streets = streetCount();
        const QString name =
            QStringLiteral("nm.nome || ' ' || s1.nome || CASE WHEN %1 <> 0 THEN ' ' || s2.nome ELSE '' END")
                .arg(rnd(QStringLiteral("n.i"), 4, 3));
        const QString complement = QStringLiteral(
                                       "CASE %1 WHEN 0 THEN 'APTO ' || %2 WHEN 1 THEN 'APTO ' || %2 WHEN 2 THEN 'CASA ' || %3 "
                                       "WHEN 3 THEN 'FUNDOS' WHEN 4 THEN 'BLOCO ' || %4 ELSE NULL END")
                                       .arg(rnd(QStringLiteral("n.i"), 7, 10),
                                            text(QStringLiteral("(101 + %1 * 100 + %2)")
                                                     .arg(rnd(QStringLiteral("n.i"), 8, 12), rnd(QStringLiteral("n.i"), 9, 4))),
                                            text(QStringLiteral("(1 + %1)").arg(rnd(QStringLiteral("n.i"), 8, 6))),
                                            text(QStringLiteral("(1 + %1)").arg(rnd(QStringLiteral("n.i"), 9, 9))));
        const QString category = QStringLiteral("CASE WHEN %1 < 62 THEN 1 WHEN %1 < 80 THEN 2 WHEN %1 < 97 THEN 3 ELSE 4 END")
                                     .arg(rnd(QStringLiteral("n.i"), 10, 100));
        // Registered in the three years before the orders start.
        const QString registered =
            after(QStringLiteral("{registered}"), QStringLiteral("%1 * 86400 + %2")
                                                      .arg(rnd(QStringLiteral("n.i"), 11, 1095),
                                                           rnd(QStringLiteral("n.i"), 12, 86400)));
        exec(series()
                 + QStringLiteral("INSERT INTO cliente (TELEFONE, NOME, ID_LOGRADOURO, NUMERO, COMPLEMENTO, ANTIGA, "
                                  "ID_BAIRRO, ID_CIDADE, UF, CEP, ID_CATEGORIA, ID_USUARIO, DATACAD) "
                                  "SELECT %1, %2, l.ID_LOGRADOURO, %3, %4, CASE WHEN %5 = 0 THEN l.ANTIGA END, "
                                  "l.ID_BAIRRO, l.id_cidade, l.UF, l.CEP, %6, 2 + %7, %8 "
                                  "FROM n "
                                  "JOIN logradouro l ON l.ID_LOGRADOURO = 1 + %9 "
                                  "JOIN rv_demo_nome nm ON nm.i = %10 "
                                  "JOIN rv_demo_sobrenome s1 ON s1.i = %11 "
                                  "JOIN rv_demo_sobrenome s2 ON s2.i = %12")
                       .arg(telephoneOf(QStringLiteral("n.i")), name,
                            text(QStringLiteral("(1 + %1)").arg(rnd(QStringLiteral("n.i"), 6, 1500))), complement,
                            rnd(QStringLiteral("n.i"), 13, 2), category, rnd(QStringLiteral("n.i"), 14, 4), registered,
                            rnd(QStringLiteral("n.i"), 5, streets))
                       .arg(rnd(QStringLiteral("n.i"), 1, count(FirstNames)), rnd(QStringLiteral("n.i"), 2, count(Surnames)),
                            rnd(QStringLiteral("n.i"), 3, count(Surnames))),
             {{QStringLiteral("count"), m_size.clients},
              {QStringLiteral("registered"), stamp(m_historyStart.addDays(-1095))}});
    }

    // -------------------------------------------------------------- fares and routes

    static constexpr int Categories = 9;

    // Route m (0-based) of neighbourhood k leads to the neighbourhood k + 1 + m:
    // the farther, the dearer its category.
    int routeId(int k, int m) const { return 2 + k * m_size.routesPerNeighbourhood + m; } // 1 is "NÃO INFORMADO"
    int destinationOf(int k, int m) const { return (k + 1 + m) % m_size.neighbourhoods; }
    int categoryOf(int m) const { return 2 + (m * Categories) / m_size.routesPerNeighbourhood; }

    void routes()
    {
        for (int c = 0; c < Categories; ++c) {
            const double day = 5.0 + c * 2.5;
            insert(QStringLiteral("categoria_valor"),
                   {QStringLiteral("id_categoria_valor"), QStringLiteral("valorDia"), QStringLiteral("valorNoite"),
                    QStringLiteral("Descricao")},
                   {c + 2, day, c == Categories - 1 ? QVariant() : QVariant(day + 2.0 + c * 0.5),
                    QStringLiteral("CATEGORIA %1 - ATÉ %2 KM").arg(c + 1).arg(3 + c * 3)});
        }
        Random r(303);
        const QDateTime registered(QDate(2009, 1, 2), QTime(8, 0));
        for (int k = 0; k < m_size.neighbourhoods; ++k)
            for (int m = 0; m < m_size.routesPerNeighbourhood; ++m)
                insert(QStringLiteral("trajeto2009"),
                       {QStringLiteral("id_trajeto"), QStringLiteral("trajeto"), QStringLiteral("id_categoria_Valor"),
                        QStringLiteral("DATACAD")},
                       {routeId(k, m), neighbourhoodName(k) + QLatin1Char('/') + neighbourhoodName(destinationOf(k, m)),
                        categoryOf(m), stamp(registered.addSecs(qint64(k) * 3600 + m * 60))});
        // The older table of routes with fares of their own, from before the categories.
        for (int i = 0; i < 300; ++i) {
            const int k = r.below(m_size.neighbourhoods);
            const int m = r.below(m_size.routesPerNeighbourhood);
            const double day = 4.0 + m * 1.0;
            insert(QStringLiteral("trajeto"),
                   {QStringLiteral("ID_TRAJETO"), QStringLiteral("TRAJETO"), QStringLiteral("valorDia"),
                    QStringLiteral("ValorNoite"), QStringLiteral("PONTO"), QStringLiteral("DATACAD")},
                   {i + 1, neighbourhoodName(k) + QLatin1Char('/') + neighbourhoodName(destinationOf(k, m)), day,
                    day * 1.3, u("PONTO ") + u(Stands[(k / 4) % count(Stands)]),
                    stamp(QDateTime(QDate(2008, 3, 1), QTime(9, 0)).addDays(i))});
        }
    }

    // -------------------------------------------------------------- couriers

    void vehicles()
    {
        auto list = [this](const char *table, const char *key, const char *column, const char *const *items, int n) {
            for (int i = 0; i < n; ++i)
                insert(QLatin1String(table), {QLatin1String(key), QLatin1String(column)}, {i + 1, u(items[i])});
        };
        list("veiculo_Modelo", "id_modelo", "modelo", Models, count(Models));
        list("veiculo_cor", "id_cor", "cor", Colours, count(Colours));
        list("veiculo_conservacao", "id_conservacao", "conservacao", Conditions, count(Conditions));
        list("veiculo_documentacao", "id_documentacao", "documentacao", Papers, count(Papers));
    }

    // How a courier works: his shift, his radio, the hours of his rentals.
    struct Plan {
        int matricula;
        int shift;        // tb_turno
        int category;     // tb_categoria_motoqueiro
        int radio;
        int hour;         // the rental starts at this hour
        int hours;        // and the radio comes back before this many hours later
        int pattern;      // 0: six days a week; 1: even days; 2: odd days; 3: now and then
        int lastDay;      // the last day of the history he works (he left after it)
        bool holdsAtEnd;  // his rental of the last day is still open
    };

    static constexpr int DayCouriers = 34;
    static constexpr int LeftCouriers = 8;

    QList<Plan> plans() const
    {
        const int last = m_size.days - 1;
        QList<Plan> out;
        for (int i = 0; i < DayCouriers; ++i) // the day and night partners of radios 1 .. 34
            out.append({101 + i, 1, i % 9 == 8 ? 2 : 1, 1 + i, 7, 12, 0, last, false});
        for (int i = 0; i < DayCouriers; ++i)
            out.append({101 + DayCouriers + i, 2, i % 9 == 8 ? 2 : 1, 1 + i, 19, 12, 0, last, true});
        const int next = 101 + 2 * DayCouriers;
        out.append({next, 4, 3, 35, 7, 24, 0, last, true});      // 24 hours, exempt
        out.append({next + 1, 3, 2, 36, 9, 8, 3, last, false});  // free lancer
        out.append({next + 2, 5, 1, 37, 7, 12, 1, last, true});  // 12 by 36, one radio between two
        out.append({next + 3, 5, 1, 37, 7, 12, 2, last, true});
        for (int i = 0; i < LeftCouriers; ++i) // left the business during the history
            out.append({next + 4 + i, 1, 1, 38 + i, 7, 12, 0, m_size.days / 2 + i * 5, false});
        return out;
    }

    static QString cpf(Random &r)
    {
        int d[11];
        for (int i = 0; i < 9; ++i)
            d[i] = r.below(10);
        for (int k = 9; k <= 10; ++k) {
            int sum = 0;
            for (int i = 0; i < k; ++i)
                sum += d[i] * (k + 1 - i);
            d[k] = (sum * 10) % 11 % 10;
        }
        QString s;
        for (int i = 0; i < 11; ++i) {
            s += QChar(u'0' + d[i]);
            if (i == 2 || i == 5)
                s += QLatin1Char('.');
            if (i == 8)
                s += QLatin1Char('-');
        }
        return s;
    }

    static QString digits(Random &r, int n)
    {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + (i == 0 ? 1 + r.below(9) : r.below(10)));
        return s;
    }

    void couriers()
    {
        Random r(404);
        const QStringList columns{
            QStringLiteral("Nr_Matricula"),     QStringLiteral("Nm_Motoqueiro"),     QStringLiteral("Cd_Turno"),
            QStringLiteral("Ds_Endereco"),      QStringLiteral("Id_Logradouro"),     QStringLiteral("numero"),
            QStringLiteral("Complemento"),      QStringLiteral("Nm_Bairro"),         QStringLiteral("id_bairro"),
            QStringLiteral("Nr_CEP"),           QStringLiteral("Nm_Cidade"),         QStringLiteral("ID_cidade"),
            QStringLiteral("Ds_Origem"),        QStringLiteral("Ds_Estado"),         QStringLiteral("Nr_Telefone"),
            QStringLiteral("Nr_CPF"),           QStringLiteral("Ds_Identidade"),     QStringLiteral("Fl_Sexo"),
            QStringLiteral("Dt_Nascimento"),    QStringLiteral("Nm_Pai"),            QStringLiteral("Nm_Mae"),
            QStringLiteral("Cd_Categoria_CNH"), QStringLiteral("Cd_Usuario"),        QStringLiteral("Dt_Cadastro"),
            QStringLiteral("Ds_Email"),         QStringLiteral("Vl_Limite_Debito"),  QStringLiteral("Nr_CNH"),
            QStringLiteral("Dt_Validade_CNH"),  QStringLiteral("Qt_Colete"),         QStringLiteral("Nr_Celular"),
            QStringLiteral("Cd_Estado_Civil"),  QStringLiteral("Fl_Servico_Entrega"), QStringLiteral("Dt_Saida"),
            QStringLiteral("Ds_Saida"),         QStringLiteral("Ds_OBS"),            QStringLiteral("Veiculoplaca"),
            QStringLiteral("Id_Categoria"),     QStringLiteral("Id_Veiculomodelo"),  QStringLiteral("Id_veiculocor"),
            QStringLiteral("Id_veiculoConservacao"), QStringLiteral("Id_veiculo_Documentacao"),
            QStringLiteral("Id_Veiculo_Municipio"), QStringLiteral("Ds_Orgao_Emissor_RG"),
            QStringLiteral("cd_localnascimento"), QStringLiteral("Rg_dataexpedicao"), QStringLiteral("VEICULO_ANO"),
            QStringLiteral("id_veiculoCidade")};
        const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        for (const Plan &p : plans()) {
            const int k = r.below(m_size.neighbourhoods);
            const int s = r.below(m_size.streetsPerNeighbourhood);
            const int street = k * m_size.streetsPerNeighbourhood + s + 1;
            const City &city = Cities[cityOf(k)];
            // Most couriers are men.
            const bool male = r.chance(90);
            const QString first = u(FirstNames[male ? r.below(MaleNames) : MaleNames + r.below(count(FirstNames) - MaleNames)]);
            const QString surname = u(r.pick(Surnames));
            const QString name = first + QLatin1Char(' ') + u(r.pick(Surnames)) + QLatin1Char(' ') + surname;
            const QDate born = QDate(1965, 1, 1).addDays(r.below(35 * 365));
            const QDate registered = QDate(2008, 6, 1).addDays(r.below(12 * 365));
            const QString number = QString::number(1 + r.below(900));
            const QString plate = QStringLiteral("%1%2%3-%4")
                                      .arg(letters[r.below(26)])
                                      .arg(letters[r.below(26)])
                                      .arg(letters[r.below(26)])
                                      .arg(1000 + r.below(9000));
            const bool left = p.lastDay < m_size.days - 1;
            const QVariant leftAt = left ? QVariant(stamp(m_historyStart.addDays(p.lastDay + 1))) : QVariant();
            insert(QStringLiteral("tb_motoqueiro"), columns,
                   {p.matricula,
                    name,
                    p.shift,
                    u(StreetNames[(k * 37 + s * 13) % count(StreetNames)]) + QStringLiteral(", ") + number,
                    street,
                    number,
                    r.chance(30) ? QVariant(QStringLiteral("CASA %1").arg(1 + r.below(5))) : QVariant(),
                    neighbourhoodName(k).left(40),
                    neighbourhoodId(k),
                    (city.cepBase + k % 100) * 1000 + 100 + s * 10,
                    u(city.name).left(40),
                    cityOf(k) + 1,
                    u(r.pick(Cities).name).left(30),
                    u(city.uf),
                    QStringLiteral("(81) 3%1-%2").arg(digits(r, 3), digits(r, 4)),
                    cpf(r),
                    digits(r, 7),
                    male,
                    stamp(QDateTime(born, QTime(0, 0))),
                    u(FirstNames[r.below(MaleNames)]) + QLatin1Char(' ') + surname,
                    u(FirstNames[MaleNames + r.below(count(FirstNames) - MaleNames)]) + QLatin1Char(' ') + surname,
                    r.chance(30) ? u("AB") : u("A"),
                    1,
                    stamp(QDateTime(registered, QTime(9, 0).addSecs(r.below(8 * 3600)))),
                    r.chance(50) ? QVariant(first.toLower().normalized(QString::NormalizationForm_D)
                                                .remove(QRegularExpression(QStringLiteral("[^a-z]")))
                                            + QString::number(p.matricula) + QStringLiteral("@email.com.br"))
                                 : QVariant(),
                    p.shift == 4 ? 100.0 : (p.matricula % 3 == 0 ? 30.0 : 50.0),
                    digits(r, 11),
                    stamp(QDateTime(m_historyStart.date().addDays(-400 + r.below(2000)), QTime(0, 0))),
                    QString::number(1 + r.below(2)),
                    QStringLiteral("(81) 9%1-%2").arg(digits(r, 3), digits(r, 4)),
                    1 + r.below(5),
                    r.chance(40),
                    leftAt,
                    left ? QVariant(r.chance(50) ? u("PEDIU DESLIGAMENTO") : u("MUDOU DE CIDADE")) : QVariant(),
                    r.chance(10) ? QVariant(u("PREFERE CORRIDAS CURTAS")) : QVariant(),
                    plate,
                    p.category,
                    1 + r.below(count(Models)),
                    1 + r.below(count(Colours)),
                    1 + r.below(count(Conditions)),
                    r.chance(85) ? 1 : 1 + r.below(count(Papers)),
                    cityOf(k) + 1,
                    u("SDS/") + u(city.uf),
                    1 + r.below(count(Cities)),
                    stamp(QDateTime(born.addYears(18 + r.below(5)), QTime(0, 0))),
                    QString::number(2003 + r.below(20)),
                    cityOf(k) + 1});
        }
        exec(QStringLiteral("CREATE TEMP TABLE rv_demo_escala (ci INTEGER PRIMARY KEY, matricula INTEGER, radio INTEGER, "
                            "categoria INTEGER, taxa DECIMAL(12,2), hora INTEGER, horas INTEGER, padrao INTEGER, "
                            "ultimo INTEGER, aberta INTEGER)"));
        const QList<Plan> all = plans();
        for (int ci = 0; ci < all.size(); ++ci) {
            const Plan &p = all[ci];
            const double fee = p.category == 1 ? 10.0 : p.category == 2 ? 6.0 : 0.0;
            insert(QStringLiteral("rv_demo_escala"),
                   {QStringLiteral("ci"), QStringLiteral("matricula"), QStringLiteral("radio"), QStringLiteral("categoria"),
                    QStringLiteral("taxa"), QStringLiteral("hora"), QStringLiteral("horas"), QStringLiteral("padrao"),
                    QStringLiteral("ultimo"), QStringLiteral("aberta")},
                   {ci, p.matricula, p.radio, p.category, fee, p.hour, p.hours, p.pattern, p.lastDay,
                    p.holdsAtEnd ? 1 : 0});
        }
    }

    // -------------------------------------------------------------- orders

    void orders()
    {
        const qint64 span = qint64(m_size.days) * 86400;
        const int clients = m_size.clients;
        const int routes = m_size.routesPerNeighbourhood;
        // The orders come one after another over the days of the history; some
        // clients call far more than others (the product of two uniform draws).
        const QString inner =
            QStringLiteral("SELECT n.i AS i, ((n.i - 1) * %1) / %2 AS s, 1 + (%3 * %4) / %5 AS j FROM n")
                .arg(span)
                .arg(m_size.orders)
                .arg(rnd(QStringLiteral("n.i"), 21, clients), rnd(QStringLiteral("n.i"), 22, clients))
                .arg(clients);
        const QString hour = QStringLiteral("((o.s %% 86400) / 3600)").replace(QStringLiteral("%%"), QStringLiteral("%"));
        const QString dayTime = QStringLiteral("(%1 BETWEEN 7 AND 18)").arg(hour);
        const QString route = QStringLiteral("(2 + (c.ID_BAIRRO - 2) * %1 + %2)").arg(routes).arg(rnd(QStringLiteral("o.i"), 23, routes));
        const QString destination = QStringLiteral("(2 + (c.ID_BAIRRO - 2 + 1 + %1) %% %2)")
                                        .arg(rnd(QStringLiteral("o.i"), 23, routes))
                                        .arg(m_size.neighbourhoods)
                                        .replace(QStringLiteral("%%"), QStringLiteral("%"));
        const QString courier =
            QStringLiteral("CASE WHEN %1 = 0 THEN 0 WHEN %2 THEN 101 + %3 ELSE %4 + %3 END")
                .arg(rnd(QStringLiteral("o.i"), 24, 100), dayTime, rnd(QStringLiteral("o.i"), 25, DayCouriers))
                .arg(101 + DayCouriers);
        const QString requester =
            QStringLiteral("CASE WHEN %1 < 7 THEN c.NOME ELSE nm.nome || ' ' || %2 END")
                .arg(rnd(QStringLiteral("o.i"), 26, 10), QStringLiteral("s1.nome"));
        const QString observation =
            QStringLiteral("CASE WHEN %1 < %2 THEN ob.obs END").arg(rnd(QStringLiteral("o.i"), 27, 40)).arg(count(Observations));
        // The indexes of the orders are built once, after the rows are in.
        const TableDef *pedido = table(QStringLiteral("pedido"));
        for (const IndexDef &index : pedido->indexes)
            exec(QStringLiteral("DROP INDEX %1").arg(index.name));
        exec(series()
                 + QStringLiteral("INSERT INTO pedido (id_pedido, telefone, solicitante, id_logradouro, numero, complemento, "
                                  "antiga, id_bairro, id_destino, id_trajeto, VALOR, ID_MOTOQUEIRO, ID_CATEGORIA, "
                                  "ID_USUARIO, OBS, datacad) "
                                  "SELECT o.i, c.TELEFONE, %1, c.ID_LOGRADOURO, c.NUMERO, c.COMPLEMENTO, c.ANTIGA, "
                                  "c.ID_BAIRRO, %2, t.id_trajeto, "
                                  "CASE WHEN %3 THEN cv.valorDia ELSE COALESCE(cv.valorNoite, cv.valorDia) END, "
                                  "%4, c.ID_CATEGORIA, 2 + %5, %6, %7 "
                                  "FROM (%8) o "
                                  "JOIN cliente c ON c.TELEFONE = %9 "
                                  "JOIN trajeto2009 t ON t.id_trajeto = %10 "
                                  "JOIN categoria_valor cv ON cv.id_categoria_valor = t.id_categoria_Valor "
                                  "JOIN rv_demo_nome nm ON nm.i = %11 "
                                  "JOIN rv_demo_sobrenome s1 ON s1.i = %12 "
                                  "LEFT JOIN rv_demo_obs ob ON ob.i = %13")
                       .arg(requester, destination, dayTime, courier, rnd(QStringLiteral("o.i"), 28, 4), observation,
                            after(QStringLiteral("{start}"), QStringLiteral("o.s")), inner,
                            telephoneOf(QStringLiteral("o.j")))
                       .arg(route, rnd(QStringLiteral("o.i"), 29, count(FirstNames)),
                            rnd(QStringLiteral("o.i"), 30, count(Surnames)), rnd(QStringLiteral("o.i"), 27, 40)),
             {{QStringLiteral("count"), m_size.orders}, {QStringLiteral("start"), stamp(m_historyStart)}});
        for (const IndexDef &index : pedido->indexes)
            exec(indexStatement(*pedido, index));
    }

    // -------------------------------------------------------------- radios, partners, rentals

    static constexpr int Radios = 53;

    void radios()
    {
        Random r(505);
        for (int radio = 1; radio <= Radios; ++radio) {
            // 51 and 52 are being repaired, 53 was lost; the states of the others follow their rentals.
            const int state = radio == 53 ? 4 : radio >= 51 ? 3 : 1;
            insert(QStringLiteral("tb_radio"),
                   {QStringLiteral("Cd_Radio"), QStringLiteral("Nr_Serial"), QStringLiteral("Id_Status_Radio")},
                   {radio, QStringLiteral("MTR%1").arg(7000000 + r.below(2000000)), state});
        }
        // The partners of each radio in use (registration numbers as text).
        const QList<Plan> all = plans();
        QHash<int, QPair<int, int>> partners;
        for (const Plan &p : all) {
            if (p.lastDay < m_size.days - 1)
                continue;
            auto &pair = partners[p.radio];
            const bool night = p.shift == 2 || (p.pattern == 2);
            if (night)
                pair.second = p.matricula;
            else
                pair.first = p.matricula;
        }
        QList<int> radios = partners.keys();
        std::sort(radios.begin(), radios.end());
        for (int radio : radios) {
            QPair<int, int> pair = partners.value(radio);
            // A radio kept by one courier has him for both shifts.
            if (!pair.first)
                pair.first = pair.second;
            if (!pair.second)
                pair.second = pair.first;
            insert(QStringLiteral("tb_Radio_Parceiro"),
                   {QStringLiteral("radio"), QStringLiteral("ParceiroDia"), QStringLiteral("Parceironoite")},
                   {QString::number(radio), QString::number(pair.first), QString::number(pair.second)});
        }
    }

    // The days a courier of the plan e works, for the day d of the history.
    QString works() const
    {
        return QStringLiteral("(d.d <= e.ultimo AND ((e.padrao = 0 AND (d.d + e.ci) % 7 <> 0) "
                              "OR (e.padrao = 1 AND d.d % 2 = 0) OR (e.padrao = 2 AND d.d % 2 = 1) "
                              "OR (e.padrao = 3 AND %1 = 0)))")
            .arg(rnd(QStringLiteral("d.d * 100 + e.ci"), 31, 3));
    }

    // The rule of payment of a rental (the day d, the plan's index ci):
    //   (d + ci) % 5 = 0: the courier pays nothing that day;
    //   (d + ci) % 5 = 1: he pays at the rental and also settles the day before with a loose receipt;
    //   otherwise he pays at the rental, or one time in three at the return.
    // So no balance falls below two daily fees, well within every debit limit.
    static QString dayOf(const QString &rental) { return QStringLiteral("((%1 - 1) / 100)").arg(rental); }
    static QString planOf(const QString &rental) { return QStringLiteral("((%1 - 1) % 100)").arg(rental); }

    void rentals()
    {
        const QString rental = QStringLiteral("(d.d * 100 + e.ci + 1)");
        const QString open = QStringLiteral("(d.d = %1 AND e.aberta = 1)").arg(m_size.days - 1);
        const QString q = QStringLiteral("((d.d + e.ci) % 5)");
        const QString atReturn = QStringLiteral("(%1 = 0)").arg(rnd(rental, 32, 3));
        const QString payAtRental =
            QStringLiteral("CASE WHEN %1 = 0 OR (%1 > 1 AND %2) THEN 0 ELSE e.taxa END").arg(q, atReturn);
        const QString payAtReturn = QStringLiteral("CASE WHEN %1 > 1 AND %2 THEN e.taxa ELSE 0 END").arg(q, atReturn);
        const QString start = after(QStringLiteral("{start}"),
                                    QStringLiteral("d.d * 86400 + e.hora * 3600 + %1 * 60").arg(rnd(rental, 33, 20)));
        const QString back = after(QStringLiteral("{start}"), QStringLiteral("d.d * 86400 + (e.hora + e.horas) * 3600 - (1 + %1) * 60")
                                                                  .arg(rnd(rental, 34, 25)));
        exec(series()
                 + QStringLiteral("INSERT INTO tb_locacao_radio (Id_Locacao, Cd_Radio, Nr_Matricula, Dt_Locacao, Cd_Usuario, "
                                  "Id_Categoria, Vl_Pagamento, Vl_Locacao, Id_Status_Radio, Dt_Devolucao, "
                                  "Vl_Pagamento_Devolucao, Cd_Usuario_Devolucao) "
                                  "SELECT %1, e.radio, e.matricula, %2, 1, e.categoria, %3, e.taxa, "
                                  "CASE WHEN %4 THEN 2 ELSE 5 END, CASE WHEN %4 THEN NULL ELSE %5 END, "
                                  "CASE WHEN %4 THEN NULL ELSE %6 END, CASE WHEN %4 THEN NULL ELSE 1 END "
                                  "FROM (SELECT i - 1 AS d FROM n) d JOIN rv_demo_escala e ON %7")
                       .arg(rental, start, payAtRental, open, back, payAtReturn, works()),
             {{QStringLiteral("count"), m_size.days}, {QStringLiteral("start"), stamp(m_historyStart)}});
        // A radio in an open rental is rented; one that came back is returned.
        exec(QStringLiteral("UPDATE tb_radio SET Id_Status_Radio = CASE "
                            "WHEN EXISTS (SELECT 1 FROM tb_locacao_radio l WHERE l.Cd_Radio = tb_radio.Cd_Radio "
                            "AND l.Dt_Devolucao IS NULL) THEN 2 ELSE 5 END "
                            "WHERE EXISTS (SELECT 1 FROM tb_locacao_radio l WHERE l.Cd_Radio = tb_radio.Cd_Radio)"));
    }

    // -------------------------------------------------------------- the courier accounts and the cash book

    void accountsAndCash()
    {
        const QString loose = QStringLiteral("((%1 + %2) % 5 = 1)").arg(dayOf(QStringLiteral("l.Id_Locacao")),
                                                                       planOf(QStringLiteral("l.Id_Locacao")));
        const QString looseAt = after(QStringLiteral("l.Dt_Locacao"), QStringLiteral("3600"));
        const QString looseUser = QStringLiteral("(2 + %1)").arg(rnd(QStringLiteral("l.Id_Locacao"), 35, 3));
        // The movements of each rental: its fee (a debit), the payments at the
        // rental and at the return, the loose receipt settling the day before.
        const QString movements =
            QStringLiteral("SELECT l.Nr_Matricula AS m, l.Id_Locacao AS loc, %1 AS credito, l.Vl_Locacao AS v, 2 AS tipo, "
                           "1 AS usuario, l.Dt_Locacao AS quando, 1 AS ordem FROM tb_locacao_radio l WHERE l.Vl_Locacao > 0 "
                           "UNION ALL SELECT l.Nr_Matricula, l.Id_Locacao, %2, l.Vl_Pagamento, 1, 1, l.Dt_Locacao, 2 "
                           "FROM tb_locacao_radio l WHERE l.Vl_Pagamento > 0 "
                           "UNION ALL SELECT l.Nr_Matricula, l.Id_Locacao, %2, l.Vl_Pagamento_Devolucao, 1, 1, "
                           "l.Dt_Devolucao, 3 FROM tb_locacao_radio l WHERE l.Vl_Pagamento_Devolucao > 0 "
                           "UNION ALL SELECT l.Nr_Matricula, NULL, %2, l.Vl_Locacao, 3, %3, %4, 4 "
                           "FROM tb_locacao_radio l WHERE l.Vl_Locacao > 0 AND %5")
                .arg(truth(false), truth(true), looseUser, looseAt, loose);
        exec(QStringLiteral("INSERT INTO tb_motoqueiro_movimento (nr_matricula, id_locacao, fl_credito, vl_movimento, "
                            "id_tipo_movimento, id_usuario, dt_lancamento) "
                            "SELECT x.m, x.loc, x.credito, x.v, x.tipo, x.usuario, x.quando FROM (%1) x "
                            "ORDER BY x.quando, x.loc, x.ordem")
                 .arg(movements));

        // Employees, who take advances from the cash book.
        Random r(606);
        const QDateTime employed(QDate(2015, 3, 2), QTime(9, 0));
        for (int e = 1; e <= 5; ++e) {
            const QString name = u(r.pick(FirstNames)) + QLatin1Char(' ') + u(r.pick(Surnames)) + QLatin1Char(' ')
                + u(r.pick(Surnames));
            const int k = r.below(m_size.neighbourhoods);
            insert(QStringLiteral("tb_funcionario"),
                   {QStringLiteral("id_funcionario"), QStringLiteral("nm_funcionario"), QStringLiteral("ds_endereco"),
                    QStringLiteral("ds_bairro"), QStringLiteral("ds_email"), QStringLiteral("nr_telefone"),
                    QStringLiteral("nr_celular"), QStringLiteral("dt_cadastro")},
                   {e, name,
                    u("RUA ") + u(StreetNames[(k * 37) % count(StreetNames)]) + QStringLiteral(", %1").arg(1 + r.below(900)),
                    neighbourhoodName(k), QStringLiteral("funcionario%1@ravelto.com.br").arg(e),
                    30000000 + r.below(9999999), 90000000 + r.below(9999999), stamp(employed.addDays(r.below(2000)))});
        }

        // The cash book: every payment of a radio (kind 1, entered by the radio
        // screens as user 1), the loose receipts (kind 3), a daily expense
        // (kind 2) and the advances of the employees (kind 4).
        const QString day = QStringLiteral("d.d");
        const QString cash =
            QStringLiteral("SELECT 1 AS tipo, l.Vl_Pagamento AS v, l.Dt_Locacao AS quando, l.Nr_Matricula AS m, 1 AS usuario, "
                           "CAST(NULL AS INTEGER) AS f FROM tb_locacao_radio l WHERE l.Vl_Pagamento > 0 "
                           "UNION ALL SELECT 1, l.Vl_Pagamento_Devolucao, l.Dt_Devolucao, l.Nr_Matricula, 1, NULL "
                           "FROM tb_locacao_radio l WHERE l.Vl_Pagamento_Devolucao > 0 "
                           "UNION ALL SELECT 3, l.Vl_Locacao, %1, l.Nr_Matricula, %2, NULL "
                           "FROM tb_locacao_radio l WHERE l.Vl_Locacao > 0 AND %3 "
                           "UNION ALL SELECT 2, 10 + %4, %5, NULL, 2 + %6, NULL FROM (SELECT i - 1 AS d FROM n) d "
                           "UNION ALL SELECT 4, 20 + %7 * 10, %8, NULL, 5, f.id_funcionario "
                           "FROM (SELECT i - 1 AS d FROM n) d JOIN tb_funcionario f ON (d.d + 3 * f.id_funcionario) % 12 = 0")
                .arg(looseAt, looseUser, loose, rnd(day, 36, 70),
                     after(QStringLiteral("{start}"), QStringLiteral("d.d * 86400 + 12 * 3600 + %1 * 60").arg(rnd(day, 37, 90))),
                     rnd(day, 38, 3), rnd(QStringLiteral("d.d * 10 + f.id_funcionario"), 39, 14),
                     after(QStringLiteral("{start}"), QStringLiteral("d.d * 86400 + 10 * 3600 + f.id_funcionario * 60")));
        exec(series()
                 + QStringLiteral("INSERT INTO tb_movimento_caixa (id_caixa, id_tipo_lancamento, vl_lancamento, dt_lancamento, "
                                  "nr_matricula, id_usuario, id_funcionario) "
                                  "SELECT 15, x.tipo, x.v, x.quando, x.m, x.usuario, x.f FROM (%1) x "
                                  "ORDER BY x.quando, x.tipo")
                       .arg(cash),
             {{QStringLiteral("count"), m_size.days}, {QStringLiteral("start"), stamp(m_historyStart)}});
    }

    // -------------------------------------------------------------- keys

    // Keys were given explicitly: the next ones the database assigns come after them.
    void fixIdentities()
    {
        if (sqlite())
            return; // AUTOINCREMENT keeps the largest key given
        for (const TableDef &t : tables())
            for (const ColumnDef &c : t.columns)
                if (c.identity)
                    m_c.serverQuery(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                                                   "COALESCE((SELECT MAX(%2) FROM %1), 0) + 1, false)")
                                        .arg(t.name, c.name.toLower()),
                                    {});
    }

    Connection &m_c;
    Backend m_backend;
    DemoSize m_size;
    QDateTime m_historyStart;
    QString m_pendingTable;
    QStringList m_pendingColumns;
    QList<QVariantList> m_pending;
};

// The tables the reference rows leave empty: any row in them is someone's data.
const char *const OwnDataTables[] = {"cidade", "logradouro", "cliente", "pedido", "tb_motoqueiro", "tb_radio",
                                     "tb_locacao_radio", "tb_funcionario", "tb_movimento_caixa",
                                     "tb_motoqueiro_movimento", "trajeto", "RUA_ANTIGA"};

} // namespace

DemoSize DemoSize::of(DemoScale scale)
{
    DemoSize s;
    if (scale == DemoScale::Benchmark) {
        s.clients = 200000;
        s.orders = 2000000;
        s.days = 365;
    } else {
        s.clients = 5000;
        s.orders = 36000;
        s.days = 180;
    }
    return s;
}

bool hasOwnData(Connection &connection, QString *where)
{
    for (const char *t : OwnDataTables) {
        const qint64 n = connection.serverQuery(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(t)), {})
                             .rows.value(0)
                             .value(0)
                             .toLongLong();
        if (n > 0) {
            if (where)
                *where = QStringLiteral("%1 linhas em %2").arg(n).arg(QLatin1String(t));
            return true;
        }
    }
    return false;
}

void loadDemoData(Connection &connection, DemoScale scale, const QDate &loadDate)
{
    if (!hasSchema(connection))
        throw Error(QStringLiteral("O banco de dados não tem as tabelas do sistema: crie-as primeiro."));
    QString where;
    if (hasOwnData(connection, &where))
        throw Error(QStringLiteral("O banco de dados já tem dados (%1): os dados de demonstração só entram num banco "
                                   "recém-criado.")
                        .arg(where));
    const bool sqlite = connection.backend() == Backend::SQLite;
    if (sqlite)
        connection.serverExec(QStringLiteral("PRAGMA cache_size = -262144"), {}); // 256 MB while the indexes grow
    connection.serverExec(QStringLiteral("BEGIN"), {});
    try {
        Loader(connection, DemoSize::of(scale), loadDate).run();
        connection.serverExec(QStringLiteral("COMMIT"), {});
    } catch (...) {
        try {
            connection.serverExec(QStringLiteral("ROLLBACK"), {});
        } catch (...) {
        }
        if (sqlite)
            connection.serverExec(QStringLiteral("PRAGMA cache_size = -2000"), {});
        throw;
    }
    // Statistics for the planner, for the tables of the system only.
    for (const TableDef &t : tables())
        connection.serverExec(QStringLiteral("ANALYZE ") + t.name, {});
    if (sqlite)
        connection.serverExec(QStringLiteral("PRAGMA cache_size = -2000"), {});
}

QList<QPair<QString, qint64>> rowCounts(Connection &connection)
{
    QList<QPair<QString, qint64>> out;
    for (const char *t : {"bairro", "logradouro", "RUA_ANTIGA", "cliente", "trajeto2009", "tb_motoqueiro", "tb_radio",
                          "pedido", "tb_locacao_radio", "tb_motoqueiro_movimento", "tb_movimento_caixa", "usuario"})
        out.append({QLatin1String(t), connection.serverQuery(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(t)), {})
                                          .rows.value(0)
                                          .value(0)
                                          .toLongLong()});
    return out;
}

} // namespace rv::db
