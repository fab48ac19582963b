#include "mainconnection.h"

#include "db/database.h"
#include "db/errors.h"
#include "db/textcodec.h"

#include <QPointer>

namespace zorva {

namespace {
// One per thread: the program has only its user-interface thread, and tests run several
// program-side users side by side, each on a thread with a connection of its own.
QPointer<TmySQLDatabase> &current()
{
    static thread_local QPointer<TmySQLDatabase> db;
    return db;
}
}  // namespace

void setMainConnection(TmySQLDatabase *db)
{
    current() = db;
}

bool hasMainConnection()
{
    return !current().isNull();
}

TmySQLDatabase &mainConnection()
{
    if (!current())
        throw EmySQLDatabaseError(QStringLiteral("Nincs megnyitott adatbázis-kapcsolat"));
    return *current();
}

void ExecSql(const QString &sql)
{
    mainConnection().execute(sql);
}

qint64 QueryInt(const QString &sql, qint64 defaultValue)
{
    return mainConnection().queryInt(sql, defaultValue);
}

QString QueryText(const QString &sql, const QString &defaultValue)
{
    return mainConnection().queryText(sql, defaultValue);
}

double QueryFloat(const QString &sql, double defaultValue)
{
    return mainConnection().queryFloat(sql, defaultValue);
}

QString LookupName(qint64 id, const QString &x, const QString &defaultValue)
{
    return QueryText(QStringLiteral("SELECT ") + x + QStringLiteral("_nev FROM ") + x +
                         QStringLiteral(" WHERE ") + x + QLatin1Char('=') + QString::number(id) +
                         QLatin1Char(';'),
                     defaultValue);
}

QString UnstorableChars(const QString &text)
{
    const auto codec = mainConnection().codec();
    QString bad;
    if (!codec)
        return bad;
    for (const QChar c : text) {
        if (c.unicode() < 0x80 || bad.contains(c))
            continue;
        const QString one(c);
        if (codec->decode(codec->encode(one)) != one)
            bad += c;
    }
    return bad;
}

}  // namespace zorva
