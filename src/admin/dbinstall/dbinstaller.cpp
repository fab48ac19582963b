#include "dbinstall.h"

#include "schemascripts.h"
#include "sqlscript.h"
#include "core/sqltext.h"
#include "db/database.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace zorva {

namespace {

// The routines keep the sql_mode they were created under: give them a known one, and
// put the caller's back afterwards.
class SessionModeForInstall {
public:
    explicit SessionModeForInstall(TmySQLDatabase &db) : m_db(db)
    {
        m_saved = db.queryText(QStringLiteral("SELECT @@SESSION.sql_mode"));
        db.execute(
            QStringLiteral("SET SESSION sql_mode = "
                           "'STRICT_TRANS_TABLES,ERROR_FOR_DIVISION_BY_ZERO,NO_ENGINE_SUBSTITUTION'"));
    }
    ~SessionModeForInstall()
    {
        try {
            m_db.execute(QStringLiteral("SET SESSION sql_mode = ") + SqlText(m_saved));
        } catch (...) {
        }
    }
    SessionModeForInstall(const SessionModeForInstall &) = delete;
    SessionModeForInstall &operator=(const SessionModeForInstall &) = delete;

private:
    TmySQLDatabase &m_db;
    QString m_saved;
};

QString currentDatabase(TmySQLDatabase &db)
{
    const QString name = db.queryText(QStringLiteral("SELECT DATABASE()"));
    if (name.isEmpty())
        throw DbInstallError(QStringLiteral("A kapcsolaton nincs kiválasztott adatbázis."));
    return name;
}

void runResource(TmySQLDatabase &db, const QString &resource)
{
    runSqlScript(db, readSqlResource(resource), QFileInfo(resource).fileName());
}

void ensureSingleRows(TmySQLDatabase &db)
{
    db.execute(QStringLiteral("INSERT IGNORE INTO beallit (beallit_id, vanbelep) VALUES (1, 'N')"));
    db.execute(QStringLiteral("INSERT IGNORE INTO tulajdonos (tulajdonos_id, tulajdonos) VALUES (1, '')"));
}

void runStep(TmySQLDatabase &db, const SchemaStep &step)
{
    runResource(db, step.resource);
    db.execute(QStringLiteral("INSERT IGNORE INTO verzio (verzio, leiras) VALUES (%1, %2)")
                   .arg(SqlText(versionText(step.version)),
                        SqlText(QStringLiteral("Frissítés a(z) %1. változatra").arg(step.version))));
}

}  // namespace

void runSqlScript(TmySQLDatabase &db, const QString &script, const QString &name)
{
    for (const SqlStatement &statement : splitSqlScript(script)) {
        try {
            db.execute(statement.text);
        } catch (const EmySQLDatabaseError &e) {
            throw DbInstallError(
                QStringLiteral("%1, %2. sor: %3").arg(name).arg(statement.line).arg(e.message()));
        }
    }
}

int schemaVersion(TmySQLDatabase &db)
{
    const qint64 tables =
        db.queryInt(QStringLiteral("SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = "
                                   "DATABASE() AND TABLE_NAME = 'verzio'"));
    if (tables == 0)
        return 0;
    return int(db.queryInt(QStringLiteral("SELECT COALESCE(MAX(CAST(verzio AS UNSIGNED)), 0) FROM verzio")));
}

void installRoutines(TmySQLDatabase &db)
{
    SessionModeForInstall mode(db);
    for (const QString &resource : routineResources())
        runResource(db, resource);
}

void installSchema(TmySQLDatabase &db)
{
    const QString name = currentDatabase(db);
    const qint64 objects = db.queryInt(
        QStringLiteral("SELECT (SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = "
                       "DATABASE()) + (SELECT COUNT(*) FROM information_schema.ROUTINES WHERE "
                       "ROUTINE_SCHEMA = DATABASE())"));
    if (objects > 0)
        throw DbInstallError(
            QStringLiteral("A(z) \"%1\" adatbázis nem üres (%2 tábla, nézet vagy eljárás van benne); "
                           "nem telepítek bele.")
                .arg(name)
                .arg(objects));
    SessionModeForInstall mode(db);
    // Procedure parameters take the database's default character set.
    db.execute(
        QStringLiteral("ALTER DATABASE `%1` CHARACTER SET latin2 COLLATE latin2_hungarian_ci").arg(name));
    runResource(db, baseSchemaResource());
    for (const SchemaStep &step : upgradeSteps())
        runStep(db, step);
    for (const QString &resource : routineResources())
        runResource(db, resource);
}

void createDatabase(TmySQLDatabase &serverConn, const QString &name)
{
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9_$]{1,64}$"));
    if (!valid.match(name).hasMatch())
        throw DbInstallError(QStringLiteral("Érvénytelen adatbázisnév: \"%1\" (betűk, számjegyek, _ és $ "
                                            "lehetnek benne, legfeljebb 64).")
                                 .arg(name));
    const qint64 exists = serverConn.queryInt(
        QStringLiteral("SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = %1")
            .arg(SqlText(name)));
    if (exists > 0)
        throw DbInstallError(
            QStringLiteral("A(z) \"%1\" adatbázis már létezik ezen a kiszolgálón; nem írom felül. "
                           "Frissíteni az --upgrade-database paranccsal lehet.")
                .arg(name));
    serverConn.execute(
        QStringLiteral("CREATE DATABASE `%1` CHARACTER SET latin2 COLLATE latin2_hungarian_ci").arg(name));
    try {
        serverConn.execute(QStringLiteral("USE `%1`").arg(name));
        installSchema(serverConn);
    } catch (...) {
        try {
            serverConn.execute(QStringLiteral("DROP DATABASE `%1`").arg(name));
        } catch (...) {
        }
        throw;
    }
}

UpgradeResult upgradeDatabase(TmySQLDatabase &db)
{
    const QString name = currentDatabase(db);
    UpgradeResult result;
    result.from = schemaVersion(db);
    if (result.from == 0)
        throw DbInstallError(
            QStringLiteral("A(z) \"%1\" nem Zorva adatbázis (nincs verzio táblája); nem frissítem.")
                .arg(name));
    const int newest = currentSchemaVersion();
    if (result.from > newest)
        throw DbInstallError(QStringLiteral("A(z) \"%1\" adatbázis %2. változatú, ez a program csak a(z) %3. "
                                            "változatig ismeri; újabb program kell hozzá.")
                                 .arg(name)
                                 .arg(result.from)
                                 .arg(newest));
    SessionModeForInstall mode(db);
    for (const SchemaStep &step : upgradeSteps())
        if (step.version > result.from)
            runStep(db, step);
    ensureSingleRows(db);
    for (const QString &resource : routineResources())
        runResource(db, resource);
    result.to = schemaVersion(db);
    return result;
}

}  // namespace zorva
