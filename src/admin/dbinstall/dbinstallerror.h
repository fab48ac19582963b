// The error the installer raises for what it refuses or cannot do.
#pragma once

#include <QString>

#include <stdexcept>

namespace zorva {

class DbInstallError : public std::runtime_error {
public:
    explicit DbInstallError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

}  // namespace zorva
