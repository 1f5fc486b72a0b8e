#include "StatementText.h"
#include "Errors.h"
#include "RowSet.h"

#include <QRegularExpression>

namespace rv {

bool isMarkerNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

namespace {

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@')
        || c == QLatin1Char('#') || c == QLatin1Char('$');
}

// Split a text into pieces: code, quoted parts (literals, quoted identifiers,
// comments) and markers.
QList<SqlPiece> tokenize(const QString &text)
{
    QList<SqlPiece> pieces;
    QString code;
    auto flushCode = [&] {
        if (!code.isEmpty()) {
            pieces.append({SqlPiece::Type::Code, code});
            code.clear();
        }
    };
    const int n = text.size();
    int i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            int j = i + 1;
            for (;;) {
                if (j >= n)
                    throw DatabaseError(QStringLiteral("Unclosed quotation mark in the statement text"), text);
                if (text[j] == close) {
                    if (close != QLatin1Char(']') && j + 1 < n && text[j + 1] == close) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            flushCode();
            pieces.append({SqlPiece::Type::Quoted, text.mid(i, j - i + 1)});
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && text[i + 1] == QLatin1Char('-')) {
            int j = text.indexOf(QLatin1Char('\n'), i);
            if (j < 0)
                j = n;
            flushCode();
            pieces.append({SqlPiece::Type::Quoted, text.mid(i, j - i)});
            i = j;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && text[i + 1] == QLatin1Char('*')) {
            int j = text.indexOf(QStringLiteral("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            flushCode();
            pieces.append({SqlPiece::Type::Quoted, text.mid(i, j - i)});
            i = j;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < n && isMarkerNameChar(text[i + 1])
            && (i == 0 || text[i - 1] != QLatin1Char(':'))) {
            int j = i + 1;
            while (j < n && isMarkerNameChar(text[j]))
                ++j;
            flushCode();
            pieces.append({SqlPiece::Type::Marker, text.mid(i + 1, j - i - 1)});
            i = j;
            continue;
        }
        code.append(c);
        ++i;
    }
    flushCode();
    return pieces;
}

const QStringList &sqlStatementKeywords()
{
    static const QStringList words = {
        QStringLiteral("select"), QStringLiteral("insert"), QStringLiteral("update"),
        QStringLiteral("delete"), QStringLiteral("with"), QStringLiteral("create"),
        QStringLiteral("drop"), QStringLiteral("alter"), QStringLiteral("begin"),
        QStringLiteral("commit"), QStringLiteral("rollback"), QStringLiteral("set"),
        QStringLiteral("values"), QStringLiteral("pragma"), QStringLiteral("explain"),
        QStringLiteral("truncate"), QStringLiteral("declare"), QStringLiteral("if"),
        QStringLiteral("grant"), QStringLiteral("vacuum"), QStringLiteral("analyze"),
        QStringLiteral("lock"), QStringLiteral("show"),
    };
    return words;
}

// Keywords that, at the start of a new line, begin a further statement of a batch.
bool startsBatchStatement(const QString &word)
{
    static const QStringList words = {QStringLiteral("update"), QStringLiteral("insert"),
                                      QStringLiteral("delete"), QStringLiteral("exec"),
                                      QStringLiteral("execute")};
    for (const QString &w : words)
        if (sameName(w, word))
            return true;
    return false;
}

// Split the token stream into statements at ';' and at line breaks that are
// followed by a statement keyword (the batch form of several updates in one text).
QList<QList<SqlPiece>> splitStatements(const QList<SqlPiece> &pieces)
{
    QList<QList<SqlPiece>> result;
    QList<SqlPiece> current;
    int depth = 0;
    auto finish = [&] {
        bool blank = true;
        for (const SqlPiece &p : current)
            if (p.type != SqlPiece::Type::Code || !p.text.trimmed().isEmpty()) {
                blank = false;
                break;
            }
        if (!blank)
            result.append(current);
        current.clear();
    };
    static const QRegularExpression leadingWord(QStringLiteral("^\\s*([A-Za-z]+)\\b"));
    for (const SqlPiece &piece : pieces) {
        if (piece.type != SqlPiece::Type::Code) {
            current.append(piece);
            continue;
        }
        QString buffer;
        const QString &t = piece.text;
        for (int i = 0; i < t.size(); ++i) {
            const QChar c = t[i];
            if (c == QLatin1Char('('))
                ++depth;
            else if (c == QLatin1Char(')'))
                depth = std::max(0, depth - 1);
            if (depth == 0 && c == QLatin1Char(';')) {
                if (!buffer.isEmpty())
                    current.append({SqlPiece::Type::Code, buffer});
                buffer.clear();
                finish();
                continue;
            }
            if (depth == 0 && c == QLatin1Char('\n')) {
                const auto m = leadingWord.match(t.mid(i + 1));
                if (m.hasMatch() && startsBatchStatement(m.captured(1))) {
                    if (!buffer.isEmpty())
                        current.append({SqlPiece::Type::Code, buffer});
                    buffer.clear();
                    finish();
                    continue;
                }
            }
            buffer.append(c);
        }
        if (!buffer.isEmpty())
            current.append({SqlPiece::Type::Code, buffer});
    }
    finish();
    return result;
}

QString joined(const QList<SqlPiece> &pieces)
{
    QString s;
    for (const SqlPiece &p : pieces)
        s += p.type == SqlPiece::Type::Marker ? QLatin1Char(':') + p.text : p.text;
    return s;
}

QString firstWord(const QList<SqlPiece> &pieces, int *endOffset = nullptr)
{
    if (pieces.isEmpty() || pieces.first().type != SqlPiece::Type::Code)
        return {};
    const QString &t = pieces.first().text;
    int i = 0;
    while (i < t.size() && t[i].isSpace())
        ++i;
    const int start = i;
    while (i < t.size() && isIdentChar(t[i]))
        ++i;
    // a procedure name may carry a schema prefix (dbo.name)
    while (i + 1 < t.size() && t[i] == QLatin1Char('.') && isIdentChar(t[i + 1])) {
        ++i;
        while (i < t.size() && isIdentChar(t[i]))
            ++i;
    }
    if (endOffset)
        *endOffset = i;
    return t.mid(start, i - start);
}

QString withoutSchema(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.mid(dot + 1);
}

bool isSqlKeyword(const QString &word)
{
    for (const QString &k : sqlStatementKeywords())
        if (sameName(k, word))
            return true;
    return false;
}

ProcedureArgument parseLiteralArgument(const QString &raw, const QString &statement)
{
    const QString t = raw.trimmed();
    ProcedureArgument a;
    if (t.compare(QLatin1String("null"), Qt::CaseInsensitive) == 0)
        return a;
    bool ok = false;
    const qlonglong i = t.toLongLong(&ok);
    if (ok) {
        a.literal = i;
        return a;
    }
    const double d = t.toDouble(&ok);
    if (ok) {
        a.literal = d;
        return a;
    }
    throw DatabaseError(QStringLiteral("Incorrect syntax near '%1'.").arg(t), statement);
}

ParsedStatement parseProcedureCall(const QString &name, QList<SqlPiece> rest, const QString &original)
{
    ParsedStatement st;
    st.kind = ParsedStatement::Kind::Procedure;
    st.procedure = withoutSchema(name);
    st.original = original;
    // Arguments: markers, quoted literals or numbers, separated by commas.
    QList<QList<SqlPiece>> args(1);
    for (const SqlPiece &p : rest) {
        if (p.type != SqlPiece::Type::Code) {
            args.last().append(p);
            continue;
        }
        QString buffer;
        for (QChar c : p.text) {
            if (c == QLatin1Char(',')) {
                args.last().append({SqlPiece::Type::Code, buffer});
                buffer.clear();
                args.append(QList<SqlPiece>());
            } else {
                buffer.append(c);
            }
        }
        args.last().append({SqlPiece::Type::Code, buffer});
    }
    bool onlyEmpty = args.size() == 1;
    for (const SqlPiece &p : args.first())
        if (p.type != SqlPiece::Type::Code || !p.text.trimmed().isEmpty())
            onlyEmpty = false;
    if (onlyEmpty)
        return st;
    for (const QList<SqlPiece> &arg : args) {
        ProcedureArgument a;
        int meaningful = 0;
        QString code;
        for (const SqlPiece &p : arg) {
            if (p.type == SqlPiece::Type::Code) {
                code += p.text;
                if (!p.text.trimmed().isEmpty())
                    ++meaningful;
                continue;
            }
            ++meaningful;
            if (p.type == SqlPiece::Type::Marker) {
                a.isMarker = true;
                a.marker = p.text;
            } else if (p.text.startsWith(QLatin1Char('\''))) {
                QString lit = p.text.mid(1, p.text.size() - 2);
                lit.replace(QStringLiteral("''"), QStringLiteral("'"));
                a.literal = lit;
            } else {
                // a comment inside the argument list
                --meaningful;
            }
        }
        if (a.isMarker || a.literal.isValid()) {
            if (meaningful != 1)
                throw DatabaseError(QStringLiteral("Incorrect syntax near ','."), original);
        } else {
            if (code.trimmed().isEmpty())
                throw DatabaseError(QStringLiteral("Incorrect syntax near ','."), original);
            a = parseLiteralArgument(code, original);
        }
        st.arguments.append(a);
    }
    return st;
}

ParsedStatement parseSql(QList<SqlPiece> pieces, const QString &original)
{
    ParsedStatement st;
    st.kind = ParsedStatement::Kind::Sql;
    st.original = original;
    const QString first = firstWord(pieces);
    st.returnsRows = sameName(first, QStringLiteral("select")) || sameName(first, QStringLiteral("with"))
        || sameName(first, QStringLiteral("values")) || sameName(first, QStringLiteral("pragma"));
    if (sameName(first, QStringLiteral("select")) && !pieces.isEmpty()
        && pieces.first().type == SqlPiece::Type::Code) {
        static const QRegularExpression top(
            QStringLiteral("^(\\s*select\\s+(?:distinct\\s+)?)top\\s*\\(?\\s*(\\d+)\\s*\\)?\\s*"),
            QRegularExpression::CaseInsensitiveOption);
        const auto m = top.match(pieces.first().text);
        if (m.hasMatch()) {
            st.top = m.captured(2).toInt();
            pieces.first().text = m.captured(1) + pieces.first().text.mid(m.capturedEnd(0));
        }
    }
    normaliseCode(pieces);
    st.pieces = pieces;
    return st;
}

} // namespace

void normaliseCode(QList<SqlPiece> &pieces)
{
    static const QRegularExpression dbo(QStringLiteral("\\bdbo\\s*\\.\\s*"),
                                        QRegularExpression::CaseInsensitiveOption);
    for (SqlPiece &p : pieces) {
        if (p.type != SqlPiece::Type::Code)
            continue;
        p.text.replace(dbo, QString());
        // A number followed directly by a letter ("3where"): put a blank between.
        QString out;
        const QString &t = p.text;
        out.reserve(t.size() + 4);
        for (int i = 0; i < t.size(); ++i) {
            out.append(t[i]);
            if (!t[i].isDigit())
                continue;
            // find the start of this run of identifier characters
            int s = i;
            while (s > 0 && isIdentChar(t[s - 1]))
                --s;
            bool numeric = true;
            for (int k = s; k <= i; ++k)
                if (!t[k].isDigit())
                    numeric = false;
            if (numeric && i + 1 < t.size() && t[i + 1].isLetter())
                out.append(QLatin1Char(' '));
        }
        p.text = out;
    }
}

ParsedText parseStatementText(const QString &text)
{
    ParsedText parsed;
    const QList<SqlPiece> pieces = tokenize(text);
    for (const SqlPiece &p : pieces) {
        if (p.type != SqlPiece::Type::Marker)
            continue;
        bool known = false;
        for (const QString &m : std::as_const(parsed.markers))
            if (sameName(m, p.text)) {
                known = true;
                break;
            }
        if (!known)
            parsed.markers.append(p.text);
    }
    for (QList<SqlPiece> st : splitStatements(pieces)) {
        const QString original = joined(st).trimmed();
        int end = 0;
        const QString first = firstWord(st, &end);
        if (sameName(first, QStringLiteral("exec")) || sameName(first, QStringLiteral("execute"))) {
            QList<SqlPiece> rest = st;
            rest.first().text = rest.first().text.mid(end);
            int nameEnd = 0;
            const QString name = firstWord(rest, &nameEnd);
            if (name.isEmpty())
                throw DatabaseError(QStringLiteral("Incorrect syntax near 'exec'."), original);
            rest.first().text = rest.first().text.mid(nameEnd);
            parsed.statements.append(parseProcedureCall(name, rest, original));
        } else if (!first.isEmpty() && !isSqlKeyword(first) && first[0].isLetter()) {
            QList<SqlPiece> rest = st;
            rest.first().text = rest.first().text.mid(end);
            parsed.statements.append(parseProcedureCall(first, rest, original));
        } else {
            parsed.statements.append(parseSql(st, original));
        }
    }
    return parsed;
}

} // namespace rv
