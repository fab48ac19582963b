#include "settingsrow.h"

#include "db/field.h"
#include "db/query.h"

namespace zorva {

void readBeallit(TmySQLDatabase &db, TBeall &b)
{
    TmySQLQuery qry(&db);
    qry.setSQL(QStringLiteral(
        "SELECT vanbelep, kasszatip_ki, kasszatip_vissza, kapkasszatip_ki, kapkasszatip_vissza, "
        "kasszatip_csekk FROM beallit LIMIT 1;"));
    qry.open();
    if (!qry.isEmpty()) {
        auto intOrNone = [&qry](const char *name) {
            const TField &f = qry.fieldByName(QString::fromLatin1(name));
            return f.isNull() ? -1 : f.asInteger();
        };
        b.vanbelep = qry.fieldByName(QStringLiteral("vanbelep")).asString() == QLatin1String("I");
        b.kasszatip_ki = intOrNone("kasszatip_ki");
        b.kasszatip_vissza = intOrNone("kasszatip_vissza");
        b.kapkasszatip_ki = intOrNone("kapkasszatip_ki");
        b.kapkasszatip_vissza = intOrNone("kapkasszatip_vissza");
        b.kasszatip_csekk = intOrNone("kasszatip_csekk");
    }
    qry.close();
}

}  // namespace zorva
