// The error the exports raise for a dataset they cannot write.
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace zorva {

class ExportError : public std::exception {
public:
    explicit ExportError(const QString &message) : m_message(message), m_what(message.toUtf8()) {}
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    QString m_message;
    QByteArray m_what;
};

}  // namespace zorva
