#pragma once

#include <QString>

#include <stdexcept>

namespace bw {

// What VersionInfo raises when a file's version information cannot be had.
class VersionInfoError : public std::runtime_error {
public:
    enum Number {
        NoFileSpecified = 1,
        FileNotFound = 2,
        NoVersionInformation = 3,
        CannotRead = 4,
        NoTranslationTable = 5,
    };

    VersionInfoError(Number number, const QString& message)
        : std::runtime_error(message.toStdString())
        , m_number(number)
        , m_message(message)
    {
    }

    Number number() const { return m_number; }
    const QString& message() const { return m_message; }

private:
    Number m_number;
    QString m_message;
};

} // namespace bw
