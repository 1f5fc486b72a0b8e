#pragma once
// Reading the statement texts that screens send, as they are written there:
// SQL Server text with ":name" parameter markers, possibly several statements
// in one text, procedure calls with or without "exec".
//
// Markers: a colon followed by letters (accented ones too), digits and
// underscores; inside quoted literals, quoted identifiers and comments a colon
// is not a marker. Names are compared without regard to case.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace rv {

struct SqlPiece {
    enum class Type { Code, Quoted, Marker };
    Type type = Type::Code;
    QString text; // for a marker: its name without the colon
};

struct ProcedureArgument {
    bool isMarker = false;
    QString marker;  // when isMarker
    QVariant literal; // otherwise; invalid QVariant for NULL
};

struct ParsedStatement {
    enum class Kind { Sql, Procedure };
    Kind kind = Kind::Sql;
    // Sql
    QList<SqlPiece> pieces;
    bool returnsRows = false; // a select (or with ... select)
    int top = -1;             // "select top N": the N, pieces already without it
    // Procedure
    QString procedure;
    QList<ProcedureArgument> arguments;

    QString original;
};

struct ParsedText {
    QList<ParsedStatement> statements;
    QStringList markers; // distinct names in order of first occurrence, as first written
};

// Parse a statement text. Throws DatabaseError on a text it cannot read
// (an unterminated literal, a malformed procedure argument).
ParsedText parseStatementText(const QString &text);

// True for characters that may follow the colon of a marker.
bool isMarkerNameChar(QChar c);

// Apply, to the code pieces of an SQL statement, the rewrites both backends
// need: "dbo." prefixes removed and a number glued to a keyword ("3where")
// separated from it.
void normaliseCode(QList<SqlPiece> &pieces);

} // namespace rv
