#include "dberror_p.h"

#include "textcodec.h"

#include <errmsg.h>
#include <mysql.h>

#include <cstring>

EmySQLDatabaseError dbError(st_mysql *mysql, const TextCodec &codec)
{
    const unsigned int code = mysql_errno(mysql);
    const char *text = mysql_error(mysql);
    const bool clientError =
        (code >= CR_MIN_ERROR && code <= CR_MAX_ERROR) || (code >= CER_MIN_ERROR && code <= CER_MAX_ERROR);
    if (clientError)
        return EmySQLDatabaseError(QString::fromUtf8(text), static_cast<int>(code));
    return EmySQLDatabaseError::fromServer(static_cast<int>(code),
                                           codec.decode(text, static_cast<qsizetype>(std::strlen(text))));
}
