#include "scaledata.h"

#include "admin/dbinstall/dbinstall.h"
#include "admin/dbinstall/demodata.h"
#include "db/database.h"

#include <QtGlobal>

#include <unistd.h>
#include <cstdio>

namespace zorva::bench {

void configureConnection(TmySQLDatabase &db, const QString &database, bool compress)
{
    db.setHost(qEnvironmentVariable("ZORVA_TEST_HOST", QStringLiteral("127.0.0.1")));
    db.setPort(qEnvironmentVariableIntValue("ZORVA_TEST_PORT"));
    db.setUserName(qEnvironmentVariable("ZORVA_TEST_USER", QStringLiteral("root")));
    db.setUserPassword(qEnvironmentVariable("ZORVA_TEST_PASSWORD"));
    db.setDatabaseName(database);
    db.setConnectOptions(compress ? coCompress : 0);
    db.setParams({QStringLiteral("Port=%1").arg(db.port()), QStringLiteral("TIMEOUT=1800")});
    db.setConnectionCharacterSet(QStringLiteral("latin2"));
    db.setConnectionCollation(QStringLiteral("latin2_hungarian_ci"));
}

std::unique_ptr<TmySQLDatabase> connectServer(const QString &database, bool compress)
{
    auto db = std::make_unique<TmySQLDatabase>();
    configureConnection(*db, database, compress);
    db->open();
    return db;
}

namespace {

// Numbers 1..n from the server's sequence engine.
QString numbers(int n)
{
    return QStringLiteral("seq_1_to_%1").arg(n);
}

void addClients(TmySQLDatabase &db)
{
    const qint64 have = db.queryInt(QStringLiteral("SELECT COUNT(*) FROM ugyfel"));
    if (have >= ScaleClients)
        return;
    db.execute(
        QStringLiteral(
            "INSERT INTO ugyfel (ugyfel_nev, kapcsolat, telefon, emil, cim_irsz, cim_varos, cim_cim, "
            "bankszamla) "
            "SELECT CONCAT(ELT(1 + seq MOD 12, 'Kovács', 'Nagy', 'Tóth', 'Szabó', 'Horváth', 'Varga', "
            "'Kiss', 'Molnár', 'Németh', 'Farkas', 'Balogh', 'Papp'), ' ', "
            "ELT(1 + (seq DIV 12) MOD 10, 'Anna', 'Béla', 'Csilla', 'Dénes', 'Éva', 'Ferenc', 'Gábor', "
            "'Hajnalka', 'István', 'Judit'), ' ', seq), "
            "IF(seq MOD 3 = 0, 'ügyintéző', ''), CONCAT('06-30-', LPAD(seq, 7, '0')), "
            "CONCAT('ugyfel', seq, '@pelda.hu'), i.irsz, i.varos, CONCAT('Fő utca ', seq MOD 200 + 1, "
            "'.'), '' "
            "  FROM %1 s JOIN (SELECT irsz, varos, ROW_NUMBER() OVER (ORDER BY irsz) - 1 AS k, "
            "                         COUNT(*) OVER () AS db FROM irsz) i "
            "    ON i.k = s.seq MOD i.db")
            .arg(numbers(int(ScaleClients - have))));
}

void addBillPayments(TmySQLDatabase &db)
{
    const qint64 have = db.queryInt(QStringLiteral("SELECT COUNT(*) FROM csekkfizet"));
    if (have >= ScaleBillPayments)
        return;
    // Older months of the household's bill types, all paid, before the demo's two years.
    db.execute(
        QStringLiteral(
            "INSERT INTO csekkfizet (csekk, idoszak, dat_hatid, dat_fizetve, osszeg, ugyfel, fizetve) "
            "SELECT c.csekk, DATE_FORMAT(m.ho, '%Y%m'), "
            "       DATE_ADD(m.ho, INTERVAL LEAST(COALESCE(c.nap_hatid, 1), 28) - 1 DAY), "
            "       DATE_ADD(m.ho, INTERVAL LEAST(COALESCE(c.nap_hatid, 1), 28) - 3 DAY), "
            "       COALESCE(c.osszeg, 0), c.ugyfel, 'I' "
            "  FROM (SELECT DATE_SUB((SELECT DATE_FORMAT(MIN(dat_hatid), '%Y-%m-01') FROM csekkfizet), "
            "                        INTERVAL seq MONTH) AS ho FROM %1) m "
            " CROSS JOIN csekk c "
            " ORDER BY m.ho DESC, c.csekk "
            " LIMIT %2")
            .arg(numbers(ScaleBillPayments))
            .arg(ScaleBillPayments - have));
}

void addLoans(TmySQLDatabase &db)
{
    const qint64 have = db.queryInt(QStringLiteral("SELECT COUNT(*) FROM tartozik"));
    if (have >= ScaleLoans)
        return;
    const qint64 first = db.queryInt(QStringLiteral("SELECT COALESCE(MAX(tartozik), 0) FROM tartozik"));
    // The triggers of tartozik write ugyfel, so the statement itself may not read it.
    const qint64 clients = db.queryInt(QStringLiteral("SELECT MAX(ugyfel) FROM ugyfel"));
    // Every client-side trigger runs per row; the loans get two repayments each, the
    // repaid sum then set on the loan (as the demo household does).
    db.execute(QStringLiteral(
                   "INSERT INTO tartozik (ugyfel, datum, dat_megad_kell, osszeg, torlesztve, marad, szoveg, "
                   "tartozas) "
                   "SELECT 1 + (seq * 7) MOD %2, "
                   "       DATE_SUB(CURDATE(), INTERVAL seq MOD 1500 DAY), "
                   "       DATE_ADD(DATE_SUB(CURDATE(), INTERVAL seq MOD 1500 DAY), INTERVAL 90 DAY), "
                   "       1000 * (1 + seq MOD 50), 0, 1000 * (1 + seq MOD 50), "
                   "       CONCAT('Kölcsön ', seq), IF(seq MOD 3 = 0, 'N', 'I') "
                   "  FROM %1")
                   .arg(numbers(int(ScaleLoans - have)))
                   .arg(clients));
    db.execute(QStringLiteral("INSERT INTO torleszt (tartozik, datum, osszeg, megjegyzes, novel) "
                              "SELECT t.tartozik, DATE_ADD(t.datum, INTERVAL 10 * r.seq DAY), "
                              "       ROUND(t.osszeg / 4, 4), CONCAT(r.seq, '. részlet'), 'N' "
                              "  FROM tartozik t CROSS JOIN seq_1_to_2 r WHERE t.tartozik > %1")
                   .arg(first));
    // One loan paid back in many small sums: the repayment window's long list.
    db.execute(
        QStringLiteral("INSERT INTO torleszt (tartozik, datum, osszeg, megjegyzes, novel) "
                       "SELECT %1 + 1, DATE_SUB(CURDATE(), INTERVAL seq DAY), 1, CONCAT('napi ', seq), 'N' "
                       "FROM seq_1_to_%2")
            .arg(first)
            .arg(ScaleLongRepayments));
    db.execute(QStringLiteral("UPDATE tartozik SET osszeg = osszeg + %2 WHERE tartozik = %1 + 1")
                   .arg(first)
                   .arg(ScaleLongRepayments));
    db.execute(QStringLiteral("UPDATE tartozik t SET t.torlesztve = (SELECT COALESCE(SUM(r.osszeg), 0) "
                              "FROM torleszt r WHERE r.tartozik = t.tartozik AND r.novel = 'N') "
                              "WHERE t.tartozik > %1")
                   .arg(first));
}

}  // namespace

void createScaleDatabase(const QString &name, int entries)
{
    auto server = connectServer(QString());
    server->execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(name));
    zorva::createDatabase(*server, name);
    zorva::fillDemoData(*server, entries);
    addClients(*server);
    addBillPayments(*server);
    addLoans(*server);
    server->execute(QStringLiteral("ANALYZE TABLE hazikassza, ugyfel, csekkfizet, tartozik, torleszt"));
}

QString sharedScaleDatabase(int entries)
{
    const char *var = entries >= 1000000 ? "ZORVA_BENCH_DB_1M" : "ZORVA_BENCH_DB_100K";
    const int shared = entries >= 1000000 ? 1000000 : 100000;
    return entries == shared ? qEnvironmentVariable(var) : QString();
}

QString scaleDatabase(int entries, const QString &fallback, bool *created)
{
    const QString shared = sharedScaleDatabase(entries);
    *created = shared.isEmpty();
    if (!shared.isEmpty())
        return shared;
    createScaleDatabase(fallback, entries);
    return fallback;
}

long residentBytes()
{
    FILE *f = std::fopen("/proc/self/statm", "r");
    long size = 0, resident = 0;
    if (f) {
        if (std::fscanf(f, "%ld %ld", &size, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

}  // namespace zorva::bench
