#include "commandline.h"

#include "globals.h"
#include "inifile.h"
#include "profileconnection.h"
#include "programsettings.h"
#include "startup.h"
#include "texthelpers.h"

namespace zorva {

namespace {

const QStringList DatabaseCommands = {QStringLiteral("--create-database"), QStringLiteral("--upgrade-database"),
                                      QStringLiteral("--demo-data")};

const char *const Usage =
    "Használat: zorva [parancs]\n"
    "Parancs nélkül a program ablaka nyílik meg.\n"
    "\n"
    "  --create-database DSN [--demo]   adatbázis létrehozása (DSN: felhasználó:jelszó@gép:port/adatbázis)\n"
    "  --upgrade-database DSN           adatbázis frissítése\n"
    "  --demo-data DSN                  mintaadatok betöltése\n"
    "  --add-profile \"adatbázis;gép;port;felhasználó;jelszó;megjelenített név\"\n"
    "                                   kapcsolat felvétele a beállítás fájlba\n"
    "  --has-profile                    kilépési kód 0, ha van induláskor felkínált kapcsolat, különben 1\n"
    "  --help                           ez a leírás\n";

int addProfile(const QString &plain, QTextStream &out, QTextStream &err)
{
    const QString sep = QStringLiteral(";");
    const QString portText = FieldOf(sep, plain, 3);
    int port = 0;
    if (FieldOf(sep, plain, 1).isEmpty() || FieldOf(sep, plain, 2).isEmpty() ||
        FieldOf(sep, plain, 6).isEmpty()) {
        err << "Hiányos kapcsolat: az adatbázis, a gép és a megjelenített név nem lehet üres.\n";
        return 2;
    }
    if (!parsePort(portText, port)) {
        err << portErrorText(portText) << '\n';
        return 2;
    }
    for (const ConnectionProfile &p : readConnectionProfiles(100, IniPath())) {
        if (p.text == plain) {
            out << "A kapcsolat már szerepel: ConStr" << p.number << " (" << IniPath() << ")\n";
            return 0;
        }
    }
    const int n = firstFreeProfileNumber(IniPath());
    if (n == 0) {
        err << "Nincs szabad hely újabb kapcsolatnak: " << IniPath() << '\n';
        return 1;
    }
    if (!writeConnectionProfile(n, plain, IniPath())) {
        err << "A beállítás fájl nem írható: " << IniPath() << '\n';
        return 1;
    }
    out << "Kapcsolat felvéve: ConStr" << n << " (" << IniPath() << ")\n";
    return 0;
}

}  // namespace

int firstFreeProfileNumber(const QString &iniPath)
{
    const IniFile ini(iniPath);
    for (int n = 1; n <= 100; ++n) {
        if (ini.readString(QStringLiteral("Adatbazis"), QStringLiteral("ConStr%1").arg(n), QString()).isEmpty())
            return n;
    }
    return 0;
}

bool isCommandLine(const QStringList &args)
{
    for (const QString &a : args) {
        if (DatabaseCommands.contains(a) || a == QLatin1String("--add-profile") ||
            a == QLatin1String("--has-profile") || a == QLatin1String("--help") || a == QLatin1String("-h"))
            return true;
    }
    return false;
}

std::optional<int> runCommandLine(const QStringList &args, QTextStream &out, QTextStream &err,
                                  const DatabaseCommand &databaseCommand)
{
    if (args.isEmpty())
        return std::nullopt;
    const QString &command = args.first();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out << QString::fromUtf8(Usage);
        return 0;
    }
    if (DatabaseCommands.contains(command)) {
        if (!databaseCommand) {
            err << "Ez a program adatbázis-kezelő parancsok nélkül készült.\n";
            return 1;
        }
        return databaseCommand(args, out, err);
    }
    if (command == QLatin1String("--has-profile"))
        return readOfferedProfiles(IniPath()).lines.isEmpty() ? 1 : 0;
    if (command == QLatin1String("--add-profile")) {
        if (args.size() != 2) {
            err << "Az --add-profile egy paramétert vár: \"adatbázis;gép;port;felhasználó;jelszó;név\"\n";
            return 2;
        }
        return addProfile(args.at(1), out, err);
    }
    if (isCommandLine(args)) {
        err << "Ismeretlen parancssor: " << args.join(QLatin1Char(' ')) << "\n" << QString::fromUtf8(Usage);
        return 2;
    }
    return std::nullopt;
}

}  // namespace zorva
