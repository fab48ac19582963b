// The installer: creating a database from nothing, refusing an existing one, upgrading a
// version 1 database in place, the demo data, backups loading back, the command line.
#include "zorvaschema.h"
#include "admin/dbinstall/dbinstall.h"
#include "admin/dbinstall/schemascripts.h"
#include "admin/dbinstall/sqlscript.h"
#include "core/dbhelpers/tabledump.h"
#include "db/database.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace sqltest;
using namespace zorva;

namespace {

QString uniqueName(const char *what)
{
    return QStringLiteral("zt_%1_%2_%3")
        .arg(QString::fromLatin1(what))
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::global()->bounded(1000000));
}

// Drops the databases a test created, also when it fails half-way.
struct DropLater {
    QStringList names;
    ~DropLater()
    {
        try {
            auto admin = testsupport::connect();
            for (const QString &n : names)
                admin->execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(n));
        } catch (...) {
        }
    }
};

QString fixtureText(const char *name)
{
    QFile f(QStringLiteral(ZORVA_SQL_FIXTURES "/") + QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(f.readAll());
}

// Broken links of a box counted by the server: nyito not the zaro before it, or zaro
// not nyito + osszeg.
qint64 brokenLinks(TmySQLDatabase &db, int kassza)
{
    return db.queryInt(QStringLiteral("SELECT COUNT(*) FROM (SELECT nyito, zaro, osszeg, "
                                      "  LAG(zaro) OVER (ORDER BY datum, hazikassza, hid) AS elozo "
                                      "  FROM hazikassza WHERE kassza = %1) c, kassza k "
                                      "WHERE k.kassza = %1 AND (c.nyito <> COALESCE(c.elozo, k.nyito) "
                                      "   OR ABS(c.zaro - c.nyito - c.osszeg) > 0.00001)")
                           .arg(kassza));
}

qint64 count(TmySQLDatabase &db, const QString &what)
{
    return db.queryInt(QStringLiteral("SELECT COUNT(*) FROM ") + what);
}

}  // namespace

TEST(Installer, CreatesAWorkingDatabaseAndNeverOverwritesOne)
{
    REQUIRE_TEST_SERVER();
    DropLater drop;
    const QString name = uniqueName("create");
    drop.names << name;
    auto server = testsupport::connect();
    createDatabase(*server, name);

    EXPECT_EQ(server->queryText(QStringLiteral("SELECT DATABASE()")), name);
    EXPECT_EQ(schemaVersion(*server), currentSchemaVersion());
    EXPECT_EQ(server->queryText(QStringLiteral("SELECT MAX(verzio) FROM verzio;")),
              versionText(currentSchemaVersion()));
    EXPECT_EQ(server->queryText(
                  QStringLiteral("SELECT CONCAT(DEFAULT_CHARACTER_SET_NAME, ' ', DEFAULT_COLLATION_NAME) "
                                 "FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = DATABASE()")),
              QStringLiteral("latin2 latin2_hungarian_ci"));
    // with the statement import's importszabaly and importforras, and kassza_valtozat and csekkgen_idoszak
    EXPECT_EQ(server->tableNames().size(), 18);
    EXPECT_EQ(
        count(*server, QStringLiteral("information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() AND "
                                      "(ENGINE <> 'InnoDB' OR TABLE_COLLATION <> 'latin2_hungarian_ci') AND "
                                      "TABLE_TYPE = 'BASE TABLE'")),
        0);
    EXPECT_EQ(count(*server, QStringLiteral("information_schema.VIEWS WHERE TABLE_SCHEMA = DATABASE()")), 7);
    EXPECT_EQ(
        count(*server, QStringLiteral("information_schema.ROUTINES WHERE ROUTINE_SCHEMA = DATABASE() AND "
                                      "ROUTINE_NAME IN ('sp_kassza_ins', 'sp_kassza_edit', 'sp_kassza_del', "
                                      "'sp_hazikasszasum', 'sp_csekkfizet', 'sp_csekkgen', 'sp_torleszt', "
                                      "'sp_megkolcsonad')")),
        8);
    EXPECT_EQ(count(*server, QStringLiteral("beallit")), 1);
    EXPECT_EQ(count(*server, QStringLiteral("tulajdonos")), 1);
    EXPECT_EQ(server->queryText(QStringLiteral("SELECT vanbelep FROM beallit")), QStringLiteral("N"));

    server->execute(QStringLiteral("INSERT INTO kassza (kassza_nev) VALUES ('Megmarad')"));
    server->execute(QStringLiteral("INSERT INTO kasszatip (kasszatip_nev, szorzo) VALUES ('Bevétel', 1)"));
    book(*server, QDate(2024, 1, 1), 1, 1, 100);

    auto again = testsupport::connect();
    try {
        createDatabase(*again, name);
        ADD_FAILURE() << "an existing database was not refused";
    } catch (const DbInstallError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("már létezik"))) << e.message().toStdString();
    }
    EXPECT_EQ(count(*server, QStringLiteral("hazikassza")), 1);
    EXPECT_EQ(server->queryText(QStringLiteral("SELECT kassza_nev FROM kassza")), QStringLiteral("Megmarad"));
}

TEST(Installer, RefusesBadNamesAndDatabasesThatHoldSomething)
{
    REQUIRE_TEST_SERVER();
    auto server = testsupport::connect();
    for (const char *bad : {"", "a b", "x;DROP", "név", "`q`"})
        EXPECT_THROW(createDatabase(*server, QString::fromUtf8(bad)), DbInstallError) << bad;

    testsupport::ScratchSchema schema;
    schema.db().execute(QStringLiteral("CREATE TABLE sajat (x INT)"));
    try {
        installSchema(schema.db());
        ADD_FAILURE() << "a database with a table was not refused";
    } catch (const DbInstallError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("nem üres"))) << e.message().toStdString();
    }
    EXPECT_EQ(schema.db().tableNames(), QStringList{QStringLiteral("sajat")});
}

TEST(Installer, UpgradesAVersionOneDatabaseInPlaceKeepingItsData)
{
    REQUIRE_TEST_SERVER();
    testsupport::ScratchSchema schema;
    TmySQLDatabase &db = schema.db();
    runSqlScript(db, fixtureText("zorva_v1.sql"), QStringLiteral("zorva_v1.sql"));
    ASSERT_EQ(schemaVersion(db), 1);

    const UpgradeResult r = upgradeDatabase(db);
    EXPECT_EQ(r.from, 1);
    EXPECT_EQ(r.to, currentSchemaVersion());
    EXPECT_EQ(count(db, QStringLiteral("hazikassza")), 4);
    EXPECT_EQ(db.queryText(QStringLiteral("SELECT szoveg FROM hazikassza WHERE hid = 4")),
              QStringLiteral("O'Brian \\ bolt"));
    // The password column holds a hash now; the password as typed stays until its user signs in.
    EXPECT_EQ(db.queryText(QStringLiteral("SELECT jelszo FROM felhasznalo WHERE felhasznalo = 'admin'")),
              QStringLiteral("titok"));
    EXPECT_EQ(db.queryInt(QStringLiteral("SELECT CHARACTER_MAXIMUM_LENGTH FROM information_schema.COLUMNS "
                                         "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = 'felhasznalo' "
                                         "AND COLUMN_NAME = 'jelszo'")),
              128);
    EXPECT_EQ(db.queryFloat(QStringLiteral("SELECT tartozik FROM ugyfel WHERE ugyfel = 1")), 3000);
    EXPECT_EQ(brokenLinks(db, 1), 0);
    EXPECT_EQ(count(db, QStringLiteral("kassza_valtozat")), count(db, QStringLiteral("kassza")));

    // The procedures are the new ones: deleting mends the balances after the entry.
    db.execute(callKasszaDel(2));
    EXPECT_EQ(brokenLinks(db, 1), 0);
    EXPECT_EQ(db.queryFloat(QStringLiteral("SELECT zaro FROM hazikassza WHERE hid = 4")), 244499.5);
    const int hid = book(db, QDate(2024, 2, 2), 1, 2, 100);
    EXPECT_EQ(db.queryInt(QStringLiteral("SELECT hazikassza FROM hazikassza WHERE hid = %1").arg(hid)), 5);
    EXPECT_EQ(db.queryText(QStringLiteral("SELECT kellgenstr FROM vw_csekk")), QStringLiteral("igen"));

    // Running it again changes nothing.
    const UpgradeResult again = upgradeDatabase(db);
    EXPECT_EQ(again.from, again.to);
    EXPECT_EQ(count(db, QStringLiteral("hazikassza")), 4);
    EXPECT_EQ(count(db, QStringLiteral("verzio")), currentSchemaVersion());
}

TEST(Installer, UpgradeRefusesForeignAndNewerDatabases)
{
    REQUIRE_TEST_SERVER();
    testsupport::ScratchSchema foreign;
    foreign.db().execute(QStringLiteral("CREATE TABLE valami (x INT)"));
    EXPECT_THROW(upgradeDatabase(foreign.db()), DbInstallError);
    EXPECT_EQ(foreign.db().tableNames(), QStringList{QStringLiteral("valami")});

    ZorvaSchema newer;
    newer.db().execute(QStringLiteral("INSERT INTO verzio (verzio) VALUES ('999')"));
    try {
        upgradeDatabase(newer.db());
        ADD_FAILURE() << "a newer database was not refused";
    } catch (const DbInstallError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("újabb program"))) << e.message().toStdString();
    }
}

TEST(DemoData, FillsAnEmptyDatabaseWithABelievableHousehold)
{
    REQUIRE_TEST_SERVER();
    ZorvaSchema schema;
    TmySQLDatabase &db = schema.db();
    fillDemoData(db, 3000);

    EXPECT_EQ(count(db, QStringLiteral("kassza")), 3);
    EXPECT_EQ(count(db, QStringLiteral("kasszatip WHERE szin IS NOT NULL")), 24);
    EXPECT_EQ(count(db, QStringLiteral("ugyfel")), 30);
    EXPECT_EQ(count(db, QStringLiteral(
                            "ugyfel u WHERE cim_irsz <> '' AND NOT EXISTS "
                            "(SELECT 1 FROM irsz i WHERE i.irsz = u.cim_irsz AND i.varos = u.cim_varos)")),
              0);
    EXPECT_GT(count(db, QStringLiteral("fix")), 4);
    EXPECT_EQ(count(db, QStringLiteral("hazikassza")), 3000);
    EXPECT_EQ(count(db, QStringLiteral("hazikassza WHERE kassza = 1")), 2100);
    EXPECT_EQ(count(db, QStringLiteral("hazikassza WHERE kassza = 2")), 750);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(brokenLinks(db, k), 0) << "box " << k;
    EXPECT_GT(count(db, QStringLiteral("hazikassza WHERE kassza = 3 AND osszeg <> ROUND(osszeg)")), 0);
    EXPECT_GE(count(db, QStringLiteral("(SELECT DISTINCT kasszatip FROM hazikassza) t")), 20);
    EXPECT_GE(count(db, QStringLiteral("(SELECT DISTINCT idoszak FROM hazikassza) p")), 24);
    EXPECT_EQ(count(db, QStringLiteral("hazikassza WHERE datum > CURDATE() OR datum <= DATE_SUB(CURDATE(), "
                                       "INTERVAL 2 YEAR)")),
              0);
    EXPECT_EQ(count(db, QStringLiteral("hazikassza WHERE szoveg LIKE 'Havi fizetés%'")), 24);

    // Two years of bills, once per type and month; the old ones paid, a few recent ones not.
    EXPECT_EQ(count(db, QStringLiteral("(SELECT csekk, idoszak FROM csekkfizet GROUP BY csekk, idoszak "
                                       "HAVING COUNT(*) > 1) d")),
              0);
    EXPECT_GE(count(db, QStringLiteral("csekkfizet")), 6 * 24);
    EXPECT_EQ(count(db, QStringLiteral("csekkfizet WHERE csekk = 7")), 0);
    EXPECT_GT(count(db, QStringLiteral("csekkfizet WHERE fizetve = 'N' AND dat_hatid < CURDATE()")), 0);
    EXPECT_EQ(count(db, QStringLiteral("csekkfizet WHERE fizetve = 'N' AND dat_hatid < "
                                       "DATE_SUB(CURDATE(), INTERVAL 4 MONTH)")),
              0);

    // Loans with their repayments, the client balances worked out by the database.
    EXPECT_EQ(count(db, QStringLiteral("tartozik WHERE megadva = 'I'")), 1);
    EXPECT_GT(count(db, QStringLiteral("torleszt")), 5);
    EXPECT_EQ(
        count(db, QStringLiteral("ugyfel u WHERE u.tartozik <> (SELECT COALESCE(SUM(IF(t.tartozas = 'I', "
                                 "t.marad, -t.marad)), 0) FROM tartozik t WHERE t.ugyfel = u.ugyfel)")),
        0);
    EXPECT_EQ(db.queryText(QStringLiteral("SELECT tulajdonos FROM vw_tulajdonos")).left(6),
              QStringLiteral("Kovács"));
    EXPECT_GT(db.queryInt(QStringLiteral("SELECT kasszatip_csekk FROM beallit")), 0);

    try {
        fillDemoData(db, 10);
        ADD_FAILURE() << "demo data went into a database that holds data";
    } catch (const DbInstallError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("már vannak adatok"))) << e.message().toStdString();
    }
    EXPECT_EQ(count(db, QStringLiteral("hazikassza")), 3000);
}

TEST(DemoData, GeneratesExactlyTheEntriesAskedForAcrossStatements)
{
    REQUIRE_TEST_SERVER();
    ZorvaSchema schema;
    TmySQLDatabase &db = schema.db();
    fillDemoData(db, 1);
    db.execute(QStringLiteral("INSERT INTO kassza (kassza, kassza_nev, nyito) VALUES (9, 'Nagy', 123.5)"));
    generateEntries(db, 9, DemoBoxKind::Cash, 60007, QDate(2020, 1, 1), QDate(2024, 12, 31));
    EXPECT_EQ(count(db, QStringLiteral("hazikassza WHERE kassza = 9")), 60007);
    EXPECT_EQ(brokenLinks(db, 9), 0);
    EXPECT_EQ(db.queryInt(QStringLiteral("SELECT MAX(hazikassza) FROM hazikassza WHERE kassza = 9")), 60007);
    EXPECT_EQ(db.queryText(QStringLiteral("SELECT MIN(datum) FROM hazikassza WHERE kassza = 9")),
              QStringLiteral("2020-01-01"));
    EXPECT_EQ(db.queryText(QStringLiteral("SELECT MAX(datum) FROM hazikassza WHERE kassza = 9")),
              QStringLiteral("2024-12-31"));
    EXPECT_THROW(generateEntries(db, 9, DemoBoxKind::Cash, 5, QDate(2020, 1, 1), QDate(2020, 2, 1)),
                 DbInstallError);
    EXPECT_THROW(generateEntries(db, 77, DemoBoxKind::Cash, 5, QDate(2020, 1, 1), QDate(2020, 2, 1)),
                 DbInstallError);
}

TEST(DemoData, ABackupOfTheDemoLoadsBackWithItsChainsAndBalances)
{
    REQUIRE_TEST_SERVER();
    ZorvaSchema schema;
    TmySQLDatabase &db = schema.db();
    fillDemoData(db, 400);
    const QString before = db.queryText(QStringLiteral(
        "SELECT CONCAT((SELECT COUNT(*) FROM hazikassza), '/', (SELECT SUM(zaro) FROM hazikassza), '/', "
        "(SELECT GROUP_CONCAT(tartozik ORDER BY ugyfel) FROM ugyfel), '/', (SELECT COUNT(*) FROM "
        "torleszt))"));
    testsupport::TempFolder folder;
    const QString file = folder.file(QStringLiteral("mentes.sql"));
    DumpTableInserts(db, {}, file);

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QString script = db.decode(bytes.constData(), size_t(bytes.size()));
    db.execute(QStringLiteral("UPDATE kassza SET nyito = nyito + 1"));
    db.execute(QStringLiteral("DELETE FROM tartozik"));
    runSqlScript(db, script, QStringLiteral("mentes.sql"));

    EXPECT_EQ(
        db.queryText(QStringLiteral(
            "SELECT CONCAT((SELECT COUNT(*) FROM hazikassza), '/', (SELECT SUM(zaro) FROM hazikassza), '/', "
            "(SELECT GROUP_CONCAT(tartozik ORDER BY ugyfel) FROM ugyfel), '/', (SELECT COUNT(*) FROM "
            "torleszt))")),
        before);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(brokenLinks(db, k), 0) << "box " << k;
    EXPECT_EQ(db.queryInt(QStringLiteral("SELECT @@foreign_key_checks")), 1);
}

TEST(CommandLine, CreatesUpgradesAndFillsThroughADsn)
{
    REQUIRE_TEST_SERVER();
    const testsupport::ServerParams p = testsupport::serverParams();
    DropLater drop;
    const QString name = uniqueName("cli");
    const QString demoName = uniqueName("clidemo");
    drop.names << name << demoName;
    const QString dsn = QStringLiteral("%1:%2@%3:%4/").arg(p.user, p.password, p.host).arg(p.port);
    auto runCommand = [](const QStringList &args, QString *output = nullptr) {
        QString out, err;
        QTextStream o(&out), e(&err);
        const int code = runDatabaseCommand(args, o, e);
        o.flush();
        e.flush();
        if (output)
            *output = out + err;
        return code;
    };

    QString text;
    EXPECT_EQ(runCommand({QStringLiteral("--create-database"), dsn + name}, &text), 0) << text.toStdString();
    EXPECT_TRUE(text.contains(name));
    EXPECT_EQ(runCommand({QStringLiteral("--create-database"), dsn + name}, &text), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("már létezik"))) << text.toStdString();
    EXPECT_EQ(runCommand({QStringLiteral("--upgrade-database"), dsn + name}, &text), 0) << text.toStdString();
    {
        // Without demo data the database is ready to use: a cash box, cash types with signs
        // and colours, and every cash-type setting pointing at a type of the right sign.
        auto fresh = testsupport::connect(name);
        EXPECT_EQ(fresh->queryText(QStringLiteral("SELECT GROUP_CONCAT(kassza_nev) FROM kassza")),
                  QStringLiteral("Pénztárca"));
        EXPECT_GE(count(*fresh, QStringLiteral("kasszatip WHERE szin IS NOT NULL")), 10);
        // a new entry asks for a client: one is there for entries without a partner
        EXPECT_EQ(fresh->queryText(QStringLiteral("SELECT GROUP_CONCAT(ugyfel_nev) FROM ugyfel")),
                  QStringLiteral("Egyéb"));
        EXPECT_EQ(
            fresh->queryText(QStringLiteral(
                "SELECT CONCAT_WS(' ', (SELECT szorzo FROM kasszatip WHERE kasszatip = b.kasszatip_ki), "
                "(SELECT szorzo FROM kasszatip WHERE kasszatip = b.kasszatip_vissza), "
                "(SELECT szorzo FROM kasszatip WHERE kasszatip = b.kapkasszatip_ki), "
                "(SELECT szorzo FROM kasszatip WHERE kasszatip = b.kapkasszatip_vissza), "
                "(SELECT szorzo FROM kasszatip WHERE kasszatip = b.kasszatip_csekk)) FROM beallit b")),
            QStringLiteral("-1 1 1 -1 -1"));
        EXPECT_EQ(fresh->queryText(QStringLiteral("SELECT vanbelep FROM beallit")), QStringLiteral("N"));
    }
    // ... and the demo data still go into it, in place of the untouched starter set
    const QString profile =
        QStringLiteral("%1;%2;%3;%4;%5;Teszt").arg(name, p.host).arg(p.port).arg(p.user, p.password);
    EXPECT_EQ(runCommand({QStringLiteral("--demo-data"), profile, QStringLiteral("--entries"),
                          QStringLiteral("300")},
                         &text),
              0)
        << text.toStdString();
    EXPECT_EQ(runCommand({QStringLiteral("--demo-data"), dsn + name}, &text), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("már vannak adatok"))) << text.toStdString();

    EXPECT_EQ(runCommand({QStringLiteral("--create-database"), dsn + demoName, QStringLiteral("--demo"),
                          QStringLiteral("--entries"), QStringLiteral("250")},
                         &text),
              0)
        << text.toStdString();
    auto demo = testsupport::connect(demoName);
    EXPECT_EQ(demo->queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza")), 250);
    auto created = testsupport::connect(name);
    EXPECT_EQ(created->queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza")), 300);

    EXPECT_EQ(runCommand({QStringLiteral("--create-database")}), 2);
    EXPECT_EQ(runCommand({QStringLiteral("--create-database"), QStringLiteral("nincs-kukac")}), 2);
    EXPECT_EQ(runCommand({QStringLiteral("--create-database"), dsn}), 2);
    EXPECT_EQ(runCommand({QStringLiteral("--upgrade-database"), dsn + name, QStringLiteral("--demo")}), 2);
    EXPECT_EQ(runCommand({QStringLiteral("--demo-data"), dsn + name, QStringLiteral("--entries"),
                          QStringLiteral("sok")}),
              2);
    const QString wrong =
        QStringLiteral("%1:rossz-jelszo@%2:%3/%4").arg(p.user, p.host).arg(p.port).arg(name);
    EXPECT_EQ(runCommand({QStringLiteral("--upgrade-database"), wrong}, &text), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Adatbázis hiba"))) << text.toStdString();
}
