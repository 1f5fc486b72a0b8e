#pragma once
// Errors raised by the data layer and by the screens' own rules. A handler
// that meets one stops where it is; the screen's guard shows the text in the
// program's error box (no message boxes are opened from this layer).

#include <QString>
#include <exception>

namespace rv {

class Error : public std::exception {
public:
    explicit Error(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString &text() const noexcept { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

// The database refused or could not run a statement. The shown text is the
// driver's or the procedure's own; the statement is kept for diagnosis.
class DatabaseError : public Error {
public:
    DatabaseError(QString text, QString statement = {})
        : Error(std::move(text)), m_statement(std::move(statement)) {}
    const QString &statement() const noexcept { return m_statement; }

private:
    QString m_statement;
};

// A text could not be turned into the number a parameter or a rule needs.
class ConversionError : public Error {
public:
    using Error::Error;
};

// A rule of a screen refused the action (required fields, a business rule).
class ValidationError : public Error {
public:
    using Error::Error;
};

} // namespace rv
