#pragma once

#include <QString>

#include <exception>

namespace lorva {

// A failure that a procedure hands to its caller, carrying what the user is
// shown: the description and the procedure it came from.
class AppError : public std::exception
{
public:
    AppError(QString description, QString source)
        : m_description(std::move(description)), m_source(std::move(source)),
          m_what(message().toUtf8())
    {
    }

    const QString &description() const { return m_description; }
    const QString &source() const { return m_source; }

    // The text of the failure message box: description, " Source : ", source.
    QString message() const { return m_description + QStringLiteral(" Source : ") + m_source; }

    const char *what() const noexcept override { return m_what.constData(); }

private:
    QString m_description;
    QString m_source;
    QByteArray m_what;
};

} // namespace lorva
