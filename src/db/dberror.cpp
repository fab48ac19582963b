#include "dberror_p.h"

#include "textcodec.h"

#include <errmsg.h>
#include <mysql.h>

#include <cstring>

namespace {

// What the user reads when the server cannot be reached or the connection broke; the
// client library's own text follows in parentheses.
QString unreachableText(unsigned int code)
{
    switch (code) {
        case CR_CONNECTION_ERROR:
        case CR_CONN_HOST_ERROR:
        case CR_UNKNOWN_HOST:
        case CR_SERVER_GONE_ERROR:
            return QStringLiteral(
                "Az adatbázis nem érhető el: a kiszolgáló nem válaszol. Ellenőrizze, hogy "
                "fut-e és elérhető-e, majd próbálja újra.");
        case CR_SERVER_LOST:
        case CR_SERVER_LOST_EXTENDED:
            return QStringLiteral(
                "Megszakadt a kapcsolat az adatbázissal. Egy megkezdett művelet vagy teljesen "
                "megtörtént, vagy egyáltalán nem; ellenőrizze a listában, majd próbálja újra.");
        default:
            return QString();
    }
}

// The server's own word that it ends the session: killed from another session (1927) or
// shutting down (1053).
QString endedByServerText(unsigned int code)
{
    if (code == 1927 || code == 1053)
        return QStringLiteral(
            "A kiszolgáló megszakította a kapcsolatot az adatbázissal. Egy megkezdett "
            "művelet vagy teljesen megtörtént, vagy egyáltalán nem; ellenőrizze a "
            "listában, majd próbálja újra.");
    return QString();
}

}  // namespace

EmySQLDatabaseError dbError(st_mysql *mysql, const TextCodec &codec)
{
    const unsigned int code = mysql_errno(mysql);
    const char *text = mysql_error(mysql);
    const bool clientError =
        (code >= CR_MIN_ERROR && code <= CR_MAX_ERROR) || (code >= CER_MIN_ERROR && code <= CER_MAX_ERROR);
    if (clientError) {
        const QString own = QString::fromUtf8(text);
        const QString hungarian = unreachableText(code);
        return EmySQLDatabaseError(
            hungarian.isEmpty() ? own : hungarian + QStringLiteral("\r\n(") + own + u')',
            static_cast<int>(code));
    }
    const EmySQLDatabaseError refusal = EmySQLDatabaseError::fromServer(
        static_cast<int>(code), codec.decode(text, static_cast<qsizetype>(std::strlen(text))));
    const QString ended = endedByServerText(code);
    if (ended.isEmpty())
        return refusal;
    return EmySQLDatabaseError(ended + QStringLiteral("\r\n") + refusal.message(), static_cast<int>(code));
}
