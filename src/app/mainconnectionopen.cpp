#include "mainconnectionopen.h"

#include "admin/profiles/profileconnection.h"
#include "core/programsettings.h"
#include "core/ui/windowplace.h"
#include "db/database.h"
#include "db/errors.h"
#include "db/query.h"

namespace zorva {

namespace {
const char *const Charset = "latin2";
const char *const Collation = "latin2_hungarian_ci";
const char *const ReconnectHooked = "zorvaReconnectHooked";
}  // namespace

QString reconnectStatement()
{
    return QStringLiteral("SET NAMES '%1' COLLATE '%2'")
        .arg(QLatin1String(Charset), QLatin1String(Collation));
}

bool openMainConnection(TmySQLDatabase &db, const QString &conStr, QString *error)
{
    db.close();
    beall().DbName = splitConnectionProfile(conStr).displayName;
    ApplicationTitle() = QStringLiteral("Zorva - ") + beall().DbName;
    db.setConnectOptions(coCompress);
    db.setConnectionCharacterSet(QLatin1String(Charset));
    db.setConnectionCollation(QLatin1String(Collation));
    db.setParams({QStringLiteral("TIMEOUT=30")});
    if (!db.property(ReconnectHooked).toBool()) {
        db.setProperty(ReconnectHooked, true);
        QObject::connect(&db, &TmySQLDatabase::onReconnect, &db, [&db] { db.execute(reconnectStatement()); });
    }
    try {
        applyProfile(db, conStr);
        db.open();
    } catch (const EmySQLDatabaseError &e) {
        if (error)
            *error = e.message();
        db.close();
        return false;
    }
    return true;
}

QString readOwnerName(TmySQLDatabase &db)
{
    return db.queryText(QStringLiteral("SELECT tulajdonos FROM tulajdonos LIMIT 1;"), QString());
}

QString mainCaption(const QString &owner)
{
    return QStringLiteral("Zorva: [") + owner + QLatin1Char(']');
}

}  // namespace zorva
