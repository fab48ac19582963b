#include "errors.h"

EmySQLDatabaseError::EmySQLDatabaseError(const QString &message, int errorCode)
    : m_message(message), m_code(errorCode), m_what(message.toUtf8())
{
}

EmySQLDatabaseError EmySQLDatabaseError::fromServer(int errorCode, const QString &serverText)
{
    return EmySQLDatabaseError(
        QStringLiteral("MySQL Error Code: (%1)").arg(errorCode) + QStringLiteral("\r\n") + serverText,
        errorCode);
}
