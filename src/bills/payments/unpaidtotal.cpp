#include "unpaidtotal.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/numberformat.h"

namespace zorva {

double UnpaidTotal()
{
    return QueryFloat(QStringLiteral("SELECT SUM(osszeg) FROM csekkfizet WHERE fizetve='N';"), 0);
}

QString UnpaidTotalText(const QString &format)
{
    return QStringLiteral("Kifizetésre vár: ") + FormatFloat(format, UnpaidTotal());
}

}  // namespace zorva
