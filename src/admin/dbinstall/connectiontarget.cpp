#include "connectiontarget.h"

#include "db/database.h"

namespace zorva {

namespace {

bool parsePort(const QString &text, int &port)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > 65535)
        return false;
    port = value;
    return true;
}

}  // namespace

std::optional<ConnectionTarget> parseConnectionTarget(const QString &text, QString &error)
{
    ConnectionTarget t;
    if (text.contains(QLatin1Char(';'))) {
        const QStringList f = text.split(QLatin1Char(';'));
        if (f.size() < 5) {
            error = QStringLiteral(
                        "A kapcsolat mezői: adatbázis;gép;port;felhasználó;jelszó;név – kevés mező: \"%1\"")
                        .arg(text);
            return std::nullopt;
        }
        t.database = f.at(0).trimmed();
        t.host = f.at(1).trimmed();
        t.user = f.at(3);
        t.password = f.at(4);
        if (!f.at(2).trimmed().isEmpty() && !parsePort(f.at(2).trimmed(), t.port)) {
            error = QStringLiteral("Érvénytelen port: \"%1\"").arg(f.at(2));
            return std::nullopt;
        }
    } else {
        const qsizetype at = text.lastIndexOf(QLatin1Char('@'));
        if (at <= 0) {
            error =
                QStringLiteral("A kapcsolat alakja felhasználó:jelszó@gép:port/adatbázis, ez nem az: \"%1\"")
                    .arg(text);
            return std::nullopt;
        }
        const QString account = text.left(at);
        QString place = text.mid(at + 1);
        const qsizetype colon = account.indexOf(QLatin1Char(':'));
        t.user = colon < 0 ? account : account.left(colon);
        t.password = colon < 0 ? QString() : account.mid(colon + 1);
        const qsizetype slash = place.indexOf(QLatin1Char('/'));
        if (slash >= 0) {
            t.database = place.mid(slash + 1);
            place = place.left(slash);
        }
        const qsizetype portColon = place.lastIndexOf(QLatin1Char(':'));
        t.host = portColon < 0 ? place : place.left(portColon);
        if (portColon >= 0 && !parsePort(place.mid(portColon + 1), t.port)) {
            error = QStringLiteral("Érvénytelen port: \"%1\"").arg(place.mid(portColon + 1));
            return std::nullopt;
        }
    }
    if (t.user.isEmpty() || t.host.isEmpty()) {
        error = QStringLiteral("A kapcsolatból hiányzik a felhasználó vagy a gép: \"%1\"").arg(text);
        return std::nullopt;
    }
    return t;
}

std::unique_ptr<TmySQLDatabase> openConnection(const ConnectionTarget &target, const QString &database)
{
    auto db = std::make_unique<TmySQLDatabase>();
    db->setHost(target.host);
    db->setPort(target.port);
    db->setUserName(target.user);
    db->setUserPassword(target.password);
    db->setDatabaseName(database);
    db->setConnectOptions(coCompress);
    db->setParams({QStringLiteral("Port=%1").arg(target.port), QStringLiteral("TIMEOUT=900")});
    db->setConnectionCharacterSet(QStringLiteral("latin2"));
    db->setConnectionCollation(QStringLiteral("latin2_hungarian_ci"));
    db->open();
    return db;
}

}  // namespace zorva
