#include "commandline.h"

#include "commandline_password.h"

#include "startup.h"
#include "admin/profiles/profileconnection.h"
#include "core/globals.h"
#include "core/inifile.h"
#include "core/programsettings.h"
#include "core/texthelpers.h"

namespace zorva {

namespace {

const QStringList DatabaseCommands = {QStringLiteral("--create-database"),
                                      QStringLiteral("--upgrade-database"), QStringLiteral("--demo-data")};

const QStringList TaskCommands = {QStringLiteral("backup"), QStringLiteral("restore"),
                                  QStringLiteral("export"), QStringLiteral("report"),
                                  QStringLiteral("check")};

const char *const Usage =
    "Használat: zorva [parancs]\n"
    "Parancs nélkül a program ablaka nyílik meg.\n"
    "\n"
    "Munka az adatbázissal ablak nélkül (KAPCSOLAT: --profile N vagy --dsn DSN):\n"
    "  backup KAPCSOLAT FÁJL.sql|FÁJL.zip      biztonsági mentés (SQL parancsfájl, vagy tömörítve)\n"
    "  restore KAPCSOLAT FÁJL                  mentés visszaállítása (.sql vagy .zip)\n"
    "  export KAPCSOLAT --box NÉV|SZÁM [--from DÁTUM] [--to DÁTUM] --format csv|xls|html FÁJL\n"
    "                                          egy kassza tételei a főablak listájának alakjában\n"
    "  report NÉV KAPCSOLAT [--box NÉV|SZÁM] [--from DÁTUM] [--to DÁTUM] --pdf FÁJL\n"
    "                                          nyomtatvány PDF fájlba (a nevek: zorva report --list)\n"
    "  check KAPCSOLAT [--repair]              a kasszák egyenleg-láncának ellenőrzése (és javítása)\n"
    "    --profile N    a beállítás fájl ConStrN kapcsolata (N: a szám vagy a megjelenített név)\n"
    "    --dsn DSN      felhasználó[:jelszó]@gép:port/adatbázis\n"
    "    DÁTUM          éééé-hh-nn vagy éééé.hh.nn\n"
    "\n"
    "Adatbázis és kapcsolat:\n"
    "  --create-database DSN [--demo] [--entries N] [--use-existing]\n"
    "                                   adatbázis létrehozása (DSN: "
    "felhasználó[:jelszó]@gép:port/adatbázis)\n"
    "  --upgrade-database DSN           adatbázis frissítése\n"
    "  --demo-data DSN [--entries N]    mintaadatok betöltése\n"
    "  --add-profile \"adatbázis;gép;port;felhasználó;jelszó;megjelenített név\"\n"
    "                                   kapcsolat felvétele a beállítás fájlba\n"
    "  --has-profile                    kilépési kód 0, ha van induláskor felkínált kapcsolat, különben 1\n"
    "  --help                           ez a leírás\n"
    "\n"
    "A jelszó a parancssor helyett (így a folyamatlistában sem látszik):\n"
    "  --password-file FÁJL             a fájl első sora\n"
    "  --password-stdin                 a szabványos bemenet első sora\n"
    "  ZORVA_PASSWORD                   környezeti változó (ha a fenti kettő egyike sincs megadva)\n"
    "A DSN-ben vagy a kapcsolatban hagyja üresen a jelszót (root@127.0.0.1:3307/zorva,\n"
    "\"zorva;127.0.0.1;3307;root;;Zorva\").\n"
    "\n"
    "Kilépési kód: 0 siker, 1 a munka nem sikerült (a check hibát talált), 2 hibás parancssor,\n"
    "3 az adatbázis nem nyitható meg, 4 a megnevezett kassza, nyomtatvány vagy kapcsolat nincs meg,\n"
    "5 a fájl nem írható vagy nem olvasható.\n"
    "Az ablak nélküli parancsok a haladást a szabványos hibakimenetre írják.\n";

// The index of the connection text among the arguments of a database command (args[0] is
// the command); -1 when there is none.
qsizetype connectionArgument(const QStringList &args)
{
    const QString &command = args.first();
    if (command == QLatin1String("--add-profile"))
        return args.size() > 1 ? 1 : -1;
    if (TaskCommands.contains(command)) {
        const qsizetype i = args.indexOf(QStringLiteral("--dsn"));
        return i > 0 && i + 1 < args.size() ? i + 1 : -1;
    }
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--entries"))
            ++i;
        else if (!args.at(i).startsWith(QLatin1String("--")))
            return i;
    }
    return -1;
}

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
        if (ini.readString(QStringLiteral("Adatbazis"), QStringLiteral("ConStr%1").arg(n), QString())
                .isEmpty())
            return n;
    }
    return 0;
}

bool isTaskCommand(const QStringList &args)
{
    return !args.isEmpty() && TaskCommands.contains(args.first());
}

bool isCommandLine(const QStringList &args)
{
    if (!args.isEmpty() && TaskCommands.contains(args.first()))
        return true;
    for (const QString &a : args) {
        if (DatabaseCommands.contains(a) || a == QLatin1String("--add-profile") ||
            a == QLatin1String("--has-profile") || a == QLatin1String("--help") || a == QLatin1String("-h"))
            return true;
    }
    return false;
}

std::optional<int> runCommandLine(const QStringList &givenArgs, QTextStream &out, QTextStream &err,
                                  const DatabaseCommand &databaseCommand, const TaskCommand &taskCommand,
                                  QIODevice *input)
{
    if (givenArgs.isEmpty())
        return std::nullopt;
    const QString &command = givenArgs.first();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out << QString::fromUtf8(Usage);
        return 0;
    }
    if (command == QLatin1String("--has-profile"))
        return readOfferedProfiles(IniPath()).lines.isEmpty() ? 1 : 0;

    const bool database = DatabaseCommands.contains(command);
    const bool task = TaskCommands.contains(command);
    if (!database && !task && command != QLatin1String("--add-profile")) {
        if (isCommandLine(givenArgs)) {
            err << "Ismeretlen parancssor: " << givenArgs.join(QLatin1Char(' ')) << "\n"
                << QString::fromUtf8(Usage);
            return 2;
        }
        return std::nullopt;
    }

    // The password, when it does not come on the command line, goes into the connection
    // text here; the commands see it as if it had been written there.
    QStringList args = givenArgs;
    const PasswordOption password = takePasswordOption(args, input);
    if (!password.error.isEmpty()) {
        err << password.error << '\n';
        return 2;
    }
    if (password.password) {
        const qsizetype i = connectionArgument(args);
        if (i > 0) {
            QString error;
            const QString text = withPassword(args.at(i), *password.password, password.overrides, error);
            if (!error.isEmpty()) {
                err << error << '\n';
                return 2;
            }
            args[i] = text;
        }
    }

    if (database) {
        if (!databaseCommand) {
            err << "Ez a program adatbázis-kezelő parancsok nélkül készült.\n";
            return 1;
        }
        return databaseCommand(args, out, err);
    }
    if (task) {
        if (!taskCommand) {
            err << "Ez a program ablak nélküli parancsok nélkül készült.\n";
            return 1;
        }
        return taskCommand(args, password.password, out, err);
    }
    if (args.size() != 2) {
        err << "Az --add-profile egy paramétert vár: \"adatbázis;gép;port;felhasználó;jelszó;név\"\n";
        return 2;
    }
    return addProfile(args.at(1), out, err);
}

}  // namespace zorva
