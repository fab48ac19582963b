// The error every failure of the data-access layer raises.
#pragma once

#include <QString>

#include <exception>

class EmySQLDatabaseError : public std::exception {
public:
    // errorCode is the server's error number for a refusal by the server, the
    // client library's number for a client failure, 0 for the layer's own errors.
    explicit EmySQLDatabaseError(const QString &message, int errorCode = 0);

    const QString &message() const { return m_message; }
    int errorCode() const { return m_code; }
    const char *what() const noexcept override { return m_what.constData(); }

    // "MySQL Error Code: (1064)\r\nYou have an error in your SQL syntax..."
    static EmySQLDatabaseError fromServer(int errorCode, const QString &serverText);

private:
    QString m_message;
    int m_code;
    QByteArray m_what;
};
