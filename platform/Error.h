// Errors that end an operation. Each carries the exact text the user is shown.
#pragma once

#include <QString>
#include <stdexcept>

namespace lumelle {

class Error : public std::runtime_error
{
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// A field that should hold a decimal integer does not: "'%s' is not a valid integer value".
class ConversionError : public Error
{
public:
    explicit ConversionError(const QString& offendingText)
        : Error(QStringLiteral("'%1' is not a valid integer value").arg(offendingText))
    {}
};

} // namespace lumelle
