// The database commands of the command line.
#include "connectiontarget.h"
#include "dbinstall.h"
#include "schemascripts.h"
#include "db/database.h"

namespace zorva {

namespace {

struct CommandOptions {
    QString command;
    QString target;
    bool demo = false;
    bool useExisting = false;
    int entries = 0;
};

const char *const CommandUsage =
    "Használat:\n"
    "  zorva --create-database DSN [--demo] [--entries N] [--use-existing]\n"
    "  zorva --upgrade-database DSN\n"
    "  zorva --demo-data DSN [--entries N]\n"
    "DSN: felhasználó:jelszó@gép:port/adatbázis, vagy \"adatbázis;gép;port;felhasználó;jelszó;név\".\n"
    "--demo: mintaadatok is; --entries N: N kassza tétel a mintaadatokban;\n"
    "--use-existing: a már létező, de üres adatbázisba telepít.\n";

bool parseOptions(const QStringList &args, CommandOptions &o, QString &error)
{
    if (args.isEmpty()) {
        error = QStringLiteral("Hiányzik a parancs.");
        return false;
    }
    o.command = args.first();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--demo")) {
            o.demo = true;
        } else if (a == QLatin1String("--use-existing")) {
            o.useExisting = true;
        } else if (a == QLatin1String("--entries")) {
            bool ok = false;
            o.entries = i + 1 < args.size() ? args.at(i + 1).toInt(&ok) : 0;
            if (!ok || o.entries < 1) {
                error = QStringLiteral("Az --entries után pozitív egész szám kell.");
                return false;
            }
            ++i;
        } else if (a.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("Ismeretlen kapcsoló: %1").arg(a);
            return false;
        } else if (o.target.isEmpty()) {
            o.target = a;
        } else {
            error = QStringLiteral("Fölösleges paraméter: %1").arg(a);
            return false;
        }
    }
    if (o.target.isEmpty()) {
        error = QStringLiteral("Hiányzik a kapcsolat (DSN).");
        return false;
    }
    const bool create = o.command == QLatin1String("--create-database");
    if (!create && (o.demo || o.useExisting)) {
        error = QStringLiteral("A --demo és a --use-existing csak a --create-database mellett érvényes.");
        return false;
    }
    if (o.command == QLatin1String("--upgrade-database") && o.entries > 0) {
        error = QStringLiteral("Az --upgrade-database nem tölt be mintaadatot.");
        return false;
    }
    if (create && o.entries > 0)
        o.demo = true;
    return true;
}

QString where(const ConnectionTarget &t)
{
    return QStringLiteral("%1:%2").arg(t.host).arg(t.port);
}

int run(const CommandOptions &o, const ConnectionTarget &t, QTextStream &out)
{
    if (o.command == QLatin1String("--create-database")) {
        std::unique_ptr<TmySQLDatabase> db;
        if (o.useExisting) {
            db = openConnection(t, t.database);
            installSchema(*db);
        } else {
            db = openConnection(t, QString());
            createDatabase(*db, t.database);
        }
        out << QStringLiteral("A(z) \"%1\" adatbázis elkészült (%2. változat) itt: %3.\n")
                   .arg(t.database)
                   .arg(schemaVersion(*db))
                   .arg(where(t));
        out.flush();
        if (o.demo) {
            fillDemoData(*db, o.entries);
            out << QStringLiteral("Mintaadatok betöltve: %1 kassza tétel.\n")
                       .arg(db->queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza")));
        } else {
            fillStarterData(*db);
            out << QStringLiteral(
                       "Alapadatok: a \"Pénztárca\" kassza és %1 kasszatípus, a beállítások "
                       "kitöltve.\n")
                       .arg(db->queryInt(QStringLiteral("SELECT COUNT(*) FROM kasszatip")));
        }
        return 0;
    }
    auto db = openConnection(t, t.database);
    if (o.command == QLatin1String("--upgrade-database")) {
        const UpgradeResult r = upgradeDatabase(*db);
        if (r.from == r.to)
            out << QStringLiteral(
                       "A(z) \"%1\" adatbázis már a(z) %2. változaton volt; az eljárásokat, nézeteket és "
                       "triggereket újra telepítettem.\n")
                       .arg(t.database)
                       .arg(r.to);
        else
            out << QStringLiteral("A(z) \"%1\" adatbázis frissítve: %2. változatról %3. változatra.\n")
                       .arg(t.database)
                       .arg(r.from)
                       .arg(r.to);
        return 0;
    }
    fillDemoData(*db, o.entries);
    out << QStringLiteral("Mintaadatok betöltve a(z) \"%1\" adatbázisba: %2 kassza tétel.\n")
               .arg(t.database)
               .arg(db->queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza")));
    return 0;
}

}  // namespace

int runDatabaseCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    CommandOptions o;
    QString error;
    if (!parseOptions(args, o, error)) {
        err << error << '\n' << QString::fromUtf8(CommandUsage);
        return 2;
    }
    if (o.command != QLatin1String("--create-database") && o.command != QLatin1String("--upgrade-database") &&
        o.command != QLatin1String("--demo-data")) {
        err << QStringLiteral("Ismeretlen parancs: %1\n").arg(o.command) << QString::fromUtf8(CommandUsage);
        return 2;
    }
    const std::optional<ConnectionTarget> target = parseConnectionTarget(o.target, error);
    if (!target) {
        err << error << '\n';
        return 2;
    }
    if (target->database.isEmpty()) {
        err << QStringLiteral("A kapcsolatból hiányzik az adatbázis neve: \"%1\"\n").arg(o.target);
        return 2;
    }
    try {
        return run(o, *target, out);
    } catch (const DbInstallError &e) {
        err << e.message() << '\n';
    } catch (const EmySQLDatabaseError &e) {
        err << QStringLiteral("Adatbázis hiba (%1): ").arg(where(*target)) << e.message() << '\n';
    }
    return 1;
}

}  // namespace zorva
