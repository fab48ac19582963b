#include "userrules.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/sqltext.h"

#include "db/database.h"
#include "db/textcodec.h"

namespace zorva {

qint64 OtherAdministrators(const QString &exceptUser)
{
    QString sql = QStringLiteral("SELECT COUNT(*) FROM felhasznalo WHERE rendszergazda='I'");
    if (!exceptUser.isEmpty())
        sql += QStringLiteral(" AND felhasznalo<>") + SqlText(exceptUser);
    return QueryInt(sql + u';', 0);
}

bool LosesLastAdministrator(const QString &storedUser, bool staysAdministrator)
{
    // A new row takes nothing away; otherwise the row must be the one administrator there is.
    if (staysAdministrator || storedUser.isEmpty())
        return false;
    return OtherAdministrators(QString()) > 0 && OtherAdministrators(storedUser) == 0;
}

QString TakenUserName(const QString &name, const QString &exceptUser)
{
    QString sql = QStringLiteral("SELECT felhasznalo FROM felhasznalo WHERE felhasznalo=") + SqlText(name);
    if (!exceptUser.isEmpty())
        sql += QStringLiteral(" AND felhasznalo<>") + SqlText(exceptUser);
    return QueryText(sql + QStringLiteral(" LIMIT 1;"), QString());
}

bool FitsCharacterSet(const QString &text)
{
    return UnstorableChars(text).isEmpty();
}

}  // namespace zorva
