#include "demodata.h"

#include "dbinstall.h"
#include "schemascripts.h"
#include "core/sqltext.h"
#include "db/database.h"

#include <QFileInfo>

#include <algorithm>

namespace zorva {

namespace {

constexpr int ChunkSize = 50000;

QChar kindLetter(DemoBoxKind kind)
{
    switch (kind) {
        case DemoBoxKind::Cash:
            return QLatin1Char('P');
        case DemoBoxKind::Account:
            return QLatin1Char('B');
        case DemoBoxKind::Euro:
            return QLatin1Char('E');
    }
    return QLatin1Char('P');
}

// SELECT ... AS n giving 0 .. 10^k - 1 for the smallest k with 10^k >= count.
QString numberStream(qint64 count)
{
    static const QString digit = QStringLiteral(
        "(SELECT 0 i UNION ALL SELECT 1 UNION ALL SELECT 2 UNION ALL SELECT 3 UNION ALL SELECT 4 UNION ALL "
        "SELECT 5 UNION ALL SELECT 6 UNION ALL SELECT 7 UNION ALL SELECT 8 UNION ALL SELECT 9) d");
    int places = 1;
    for (qint64 p = 10; p < count; p *= 10)
        ++places;
    QStringList sum;
    QStringList from;
    qint64 weight = 1;
    for (int i = 0; i < places; ++i, weight *= 10) {
        sum << QStringLiteral("%1 * d%2.i").arg(weight).arg(i);
        from << digit + QString::number(i);
    }
    return QStringLiteral("SELECT ") + sum.join(QStringLiteral(" + ")) + QStringLiteral(" AS n FROM ") +
           from.join(QStringLiteral(", "));
}

// Day index of the n-th everyday entry, as the generating statement computes it.
QDate dateOfEntry(const QDate &from, qint64 n, qint64 days, qint64 everyday)
{
    return from.addDays((n * days) / everyday);
}

void buildMonthlyRows(TmySQLDatabase &db, QChar kind, const QDate &from, const QDate &to)
{
    const int months = (to.year() - from.year()) * 12 + to.month() - from.month() + 1;
    db.execute(QStringLiteral("DROP TEMPORARY TABLE IF EXISTS demo_havi_sor"));
    db.execute(QStringLiteral(
                   "CREATE TEMPORARY TABLE demo_havi_sor ENGINE=MEMORY "
                   "SELECT DATE_ADD(h.ho, INTERVAL LEAST(m.nap, DAY(LAST_DAY(h.ho))) - 1 DAY) AS datum, "
                   "       m.havi - 1000000 AS sorrend, m.kasszatip, m.ugyfel, m.szoveg, "
                   "       ROUND((m.tol + (CRC32(h.n * 101 + m.havi) MOD (FLOOR((m.ig - m.tol) / m.lepes + "
                   "0.5) + 1)) "
                   "              * m.lepes) * m.szorzo, 4) AS osszeg "
                   "  FROM (SELECT s.n, DATE_ADD(%1, INTERVAL s.n MONTH) AS ho FROM (%2) s WHERE s.n < %3) h "
                   "  JOIN demo_havi m ON m.fajta = '%4' "
                   " HAVING datum BETWEEN %5 AND %6")
                   .arg(SqlDate(QDate(from.year(), from.month(), 1)), numberStream(months))
                   .arg(months)
                   .arg(kind)
                   .arg(SqlDate(from), SqlDate(to)));
}

}  // namespace

void generateEntries(TmySQLDatabase &db, int kassza, DemoBoxKind kind, int count, const QDate &from,
                     const QDate &to)
{
    if (count < 0 || !from.isValid() || !to.isValid() || to < from)
        throw DbInstallError(QStringLiteral("Hibás mintaadat-kérés: %1 tétel, %2 - %3.")
                                 .arg(count)
                                 .arg(from.toString(Qt::ISODate), to.toString(Qt::ISODate)));
    if (db.queryInt(QStringLiteral("SELECT COUNT(*) FROM kassza WHERE kassza = %1").arg(kassza)) == 0)
        throw DbInstallError(QStringLiteral("Nem létező kassza: %1.").arg(kassza));
    if (db.queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza WHERE kassza = %1").arg(kassza)) > 0)
        throw DbInstallError(QStringLiteral("A(z) %1. kasszában már vannak tételek; mintatételek csak üres "
                                            "kasszába kerülhetnek.")
                                 .arg(kassza));
    if (count == 0)
        return;
    const QChar letter = kindLetter(kind);
    runSqlScript(db, readSqlResource(demoPatternsResource()), QFileInfo(demoPatternsResource()).fileName());
    buildMonthlyRows(db, letter, from, to);

    qint64 monthly = db.queryInt(QStringLiteral("SELECT COUNT(*) FROM demo_havi_sor"));
    if (monthly * 2 > count) {
        db.execute(QStringLiteral("DELETE FROM demo_havi_sor"));
        monthly = 0;
    }
    const qint64 everyday = count - monthly;
    const qint64 weights = db.queryInt(
        QStringLiteral("SELECT COALESCE(SUM(suly), 0) FROM demo_minta WHERE fajta = '%1'").arg(letter));
    const qint64 days = from.daysTo(to) + 1;

    qint64 written = 0;
    double balance = db.queryFloat(QStringLiteral("SELECT nyito FROM kassza WHERE kassza = %1").arg(kassza));
    for (qint64 a = 0; a < everyday || (a == 0 && monthly > 0); a += ChunkSize) {
        const qint64 b = std::min(a + ChunkSize, everyday);
        const bool last = b >= everyday;
        const QString low =
            a == 0 ? QStringLiteral("'1000-01-01'") : SqlDate(dateOfEntry(from, a, days, everyday));
        const QString high =
            last ? QStringLiteral("'9999-12-31'") : SqlDate(dateOfEntry(from, b, days, everyday));
        const QString sql =
            QStringLiteral(
                "INSERT INTO hazikassza (hazikassza, kassza, idoszak, datum, kasszatip, ugyfel, osszeg, "
                "szoveg, "
                "                        nyito, zaro, rogzitve) "
                "SELECT %1 + ROW_NUMBER() OVER (ORDER BY x.datum, x.sorrend), %2, '', x.datum, x.kasszatip, "
                "       x.ugyfel, x.osszeg, x.szoveg, "
                "       ROUND(%3 + SUM(x.osszeg) OVER w - x.osszeg, 4), ROUND(%3 + SUM(x.osszeg) OVER w, 4), "
                "       TIMESTAMP(x.datum, SEC_TO_TIME(25200 + ABS(x.sorrend * 7919) MOD 50400)) "
                "  FROM (SELECT r.datum, r.n AS sorrend, p.kasszatip, p.ugyfel, p.szoveg, "
                "               ROUND(LEAST(p.ig, p.tol + (CRC32(r.n * 3 + 1) MOD (FLOOR((p.ig - p.tol) / "
                "p.lepes "
                "                     + 0.5) + 1)) * p.lepes) * p.szorzo, 4) AS osszeg "
                "          FROM (SELECT s.n, DATE_ADD(%4, INTERVAL (s.n * %5) DIV %6 DAY) AS datum, "
                "                       CRC32(s.n) MOD %7 AS r "
                "                  FROM (SELECT %8 + t.n AS n FROM (%9) t) s WHERE s.n < %10) r "
                "          JOIN demo_minta p ON p.fajta = '%11' AND r.r >= p.suly_tol AND r.r < p.suly_ig "
                "        UNION ALL "
                "        SELECT h.datum, h.sorrend, h.kasszatip, h.ugyfel, h.szoveg, h.osszeg "
                "          FROM demo_havi_sor h WHERE h.datum >= %12 AND h.datum < %13) x "
                "WINDOW w AS (ORDER BY x.datum, x.sorrend ROWS BETWEEN UNBOUNDED PRECEDING AND CURRENT ROW)")
                .arg(written)
                .arg(kassza)
                .arg(SqlNumber(balance))
                .arg(SqlDate(from))
                .arg(days)
                .arg(std::max<qint64>(everyday, 1))
                .arg(std::max<qint64>(weights, 1))
                .arg(a)
                .arg(numberStream(std::max<qint64>(b - a, 1)))
                .arg(b)
                .arg(letter)
                .arg(low, high);
        db.execute(sql);
        written =
            db.queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza WHERE kassza = %1").arg(kassza));
        balance = db.queryFloat(QStringLiteral("SELECT zaro FROM hazikassza WHERE kassza = %1 "
                                               "ORDER BY datum DESC, hazikassza DESC LIMIT 1")
                                    .arg(kassza));
        if (last)
            break;
    }
    if (written != count)
        throw DbInstallError(
            QStringLiteral("A mintatételek száma nem stimmel: %1 helyett %2.").arg(count).arg(written));
    db.execute(QStringLiteral("DROP TEMPORARY TABLE IF EXISTS demo_havi_sor"));
}

namespace {

// The rows of the starter set (starter.sql) exactly as it writes them.
const char *const StarterBoxes = "(1, 'Pénztárca', 0)";
const char *const StarterClients = "(1, 'Egyéb')";
const char *const StarterTypes =
    "(1, 'Fizetés', 1), (2, 'Egyéb bevétel', 1), (3, 'Kölcsönt visszakaptam', 1), (4, 'Kölcsönt kaptam', 1), "
    "(5, 'Élelmiszer', -1), (6, 'Háztartás', -1), (7, 'Rezsi, csekk', -1), (8, 'Közlekedés', -1), "
    "(9, 'Ruházat', -1), (10, 'Egészség', -1), (11, 'Szórakozás', -1), (12, 'Kölcsönt adtam', -1), "
    "(13, 'Kölcsönt törlesztek', -1), (14, 'Egyéb kiadás', -1)";

// Nothing but the untouched starter set: no entries, fixed items, bills or loans, and
// the cash boxes, cash types and clients exactly as starter.sql wrote them.
bool holdsOnlyStarterSet(TmySQLDatabase &db)
{
    const qint64 other =
        db.queryInt(QStringLiteral("SELECT (SELECT COUNT(*) FROM hazikassza) + (SELECT COUNT(*) FROM fix) + "
                                   "(SELECT COUNT(*) FROM csekk) + (SELECT COUNT(*) FROM tartozik)"));
    if (other > 0)
        return false;
    const qint64 differing = db.queryInt(
        QStringLiteral(
            "SELECT (SELECT COUNT(*) FROM kassza WHERE (kassza, kassza_nev, nyito) NOT IN (%1)) + "
            "(SELECT COUNT(*) FROM kasszatip WHERE (kasszatip, kasszatip_nev, szorzo) NOT IN (%2)) + "
            "(SELECT COUNT(*) FROM ugyfel WHERE (ugyfel, ugyfel_nev) NOT IN (%3))")
            .arg(QString::fromUtf8(StarterBoxes), QString::fromUtf8(StarterTypes),
                 QString::fromUtf8(StarterClients)));
    const qint64 present =
        db.queryInt(QStringLiteral("SELECT (SELECT COUNT(*) FROM kassza) + (SELECT COUNT(*) FROM kasszatip) "
                                   "+ (SELECT COUNT(*) FROM ugyfel)"));
    return differing == 0 && present == 16;
}

}  // namespace

void fillStarterData(TmySQLDatabase &db)
{
    if (schemaVersion(db) == 0)
        throw DbInstallError(QStringLiteral("Ez nem Zorva adatbázis (nincs verzio táblája)."));
    const qint64 used = db.queryInt(
        QStringLiteral("SELECT (SELECT COUNT(*) FROM kassza) + (SELECT COUNT(*) FROM kasszatip) + "
                       "(SELECT COUNT(*) FROM ugyfel) + (SELECT COUNT(*) FROM hazikassza)"));
    if (used > 0)
        throw DbInstallError(QStringLiteral(
            "Az adatbázisban már vannak adatok; az alapadatok csak üres adatbázisba kerülhetnek."));
    runSqlScript(db, readSqlResource(starterResource()), QFileInfo(starterResource()).fileName());
}

void fillDemoData(TmySQLDatabase &db, int entries)
{
    if (schemaVersion(db) == 0)
        throw DbInstallError(QStringLiteral("Ez nem Zorva adatbázis (nincs verzio táblája)."));
    // A database made without demo data starts with the starter set; the household's
    // own cash boxes and types take its place.
    if (holdsOnlyStarterSet(db)) {
        db.execute(QStringLiteral("DELETE FROM ugyfel"));
        db.execute(QStringLiteral("DELETE FROM kasszatip"));
        db.execute(QStringLiteral("DELETE FROM kassza"));
    }
    const qint64 used =
        db.queryInt(QStringLiteral("SELECT (SELECT COUNT(*) FROM kassza) + (SELECT COUNT(*) FROM ugyfel) + "
                                   "(SELECT COUNT(*) FROM hazikassza)"));
    if (used > 0)
        throw DbInstallError(
            QStringLiteral("Az adatbázisban már vannak adatok; mintaadatok csak üres adatbázisba "
                           "tölthetők, hogy semmi ne keveredjen össze."));
    if (entries <= 0)
        entries = DefaultDemoEntries;

    runSqlScript(db, readSqlResource(demoHouseholdResource()), QFileInfo(demoHouseholdResource()).fileName());

    const QDate today = QDate::fromString(db.queryText(QStringLiteral("SELECT CURDATE()")), Qt::ISODate);
    const QDate from = today.addYears(-2).addDays(1);
    const int cash = int(qint64(entries) * 70 / 100);
    const int account = int(qint64(entries) * 25 / 100);
    generateEntries(db, 1, DemoBoxKind::Cash, cash, from, today);
    generateEntries(db, 2, DemoBoxKind::Account, account, from, today);
    generateEntries(db, 3, DemoBoxKind::Euro, entries - cash - account, from, today);

    // Two years of bill payments; all paid a few days before they fell due, except some
    // of the last three months, which the due list then shows.
    for (QDate month(from.year(), from.month(), 1); month <= today; month = month.addMonths(1))
        db.execute(callCsekkGen(month.toString(QStringLiteral("yyyyMM"))));
    db.execute(QStringLiteral(
        "UPDATE csekkfizet SET fizetve = 'I', dat_fizetve = DATE_SUB(dat_hatid, INTERVAL csekkfizet MOD 6 "
        "DAY) "
        " WHERE dat_hatid < CURDATE() "
        "   AND NOT (dat_hatid >= DATE_SUB(CURDATE(), INTERVAL 3 MONTH) AND csekkfizet MOD 4 = 0)"));

    db.execute(QStringLiteral("ANALYZE TABLE hazikassza, csekkfizet, tartozik, ugyfel"));
}

}  // namespace zorva
