#include "commandline_tasks.h"

#include "mainconnectionopen.h"
#include "admin/backup/backup.h"
#include "admin/backup/restore.h"
#include "admin/dbinstall/connectiontarget.h"
#include "app/mainwindow/main.h"
#include "app/mainwindow/mainstatusbar.h"
#include "app/mainwindow/totalspanel.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/dbhelpers/settingsrow.h"
#include "core/globals.h"
#include "core/programsettings.h"
#include "core/sqltext.h"
#include "core/ui/dbgrid.h"
#include "core/ui/messagebox.h"
#include "core/ui/slotguard.h"
#include "db/database.h"
#include "db/errors.h"
#include "db/query.h"
#include "export/ui/grid2html.h"
#include "export/ui/gridcolumns.h"
#include "export/ui/hatarolt.h"
#include "reports/cashbook/cashbookreports.h"
#include "reports/lists/listreports.h"
#include "reports/reportlayout.h"
#include "reports/reportpaint.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMap>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSet>

#include <cmath>
#include <memory>

namespace zorva {

namespace {

QDateTime &exportTime()
{
    static QDateTime t;
    return t;
}

// The options of a command: flags, options with a value, and the rest in order.
struct TaskOptions {
    QString command;
    QStringList positional;
    QMap<QString, QString> values;
    QSet<QString> flags;
    bool has(const QString &name) const { return values.contains(name) || flags.contains(name); }
    QString value(const QString &name) const { return values.value(name); }
};

const QStringList ValueOptions = {QStringLiteral("--profile"), QStringLiteral("--dsn"),
                                  QStringLiteral("--box"),     QStringLiteral("--from"),
                                  QStringLiteral("--to"),      QStringLiteral("--format"),
                                  QStringLiteral("--pdf")};
const QStringList FlagOptions = {QStringLiteral("--repair"), QStringLiteral("--list")};

bool parseTaskOptions(const QStringList &args, TaskOptions &o, QString &error)
{
    o.command = args.first();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (ValueOptions.contains(a)) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("A(z) %1 után érték kell.").arg(a);
                return false;
            }
            if (o.values.contains(a)) {
                error = QStringLiteral("A(z) %1 kétszer szerepel.").arg(a);
                return false;
            }
            o.values.insert(a, args.at(++i));
        } else if (FlagOptions.contains(a)) {
            o.flags.insert(a);
        } else if (a.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("Ismeretlen kapcsoló: %1").arg(a);
            return false;
        } else {
            o.positional << a;
        }
    }
    return true;
}

// A task's result: the exit code, its message already written.
struct Failure {
    int code;
};

[[noreturn]] void fail(QTextStream &err, int code, const QString &message)
{
    err << message << '\n';
    err.flush();
    throw Failure{code};
}

// --- connection -------------------------------------------------------------------------

struct Connection {
    QString plain;  // database;host;port;user;password;name
    QString where;  // for messages: name, or user@host:port/database
};

Connection resolveConnection(const TaskOptions &o, const std::optional<QString> &password, QTextStream &err)
{
    const bool byProfile = o.has(QStringLiteral("--profile"));
    const bool byDsn = o.has(QStringLiteral("--dsn"));
    if (byProfile == byDsn)
        fail(err, TaskBadArguments,
             QStringLiteral("A kapcsolatot vagy a --profile N, vagy a --dsn DSN adja meg (a "
                            "kettő közül pontosan az egyik)."));
    Connection c;
    if (byProfile) {
        const QString wanted = o.value(QStringLiteral("--profile"));
        for (const ConnectionProfile &p : readConnectionProfiles(100, IniPath())) {
            const ProfileFields f = splitConnectionProfile(p.text);
            if (QString::number(p.number) != wanted && f.displayName != wanted)
                continue;
            QStringList fields = p.text.split(QLatin1Char(';'));
            while (fields.size() < 6)
                fields << QString();
            if (fields.at(4).isEmpty() && password)
                fields[4] = *password;
            c.plain = fields.join(QLatin1Char(';'));
            c.where = f.displayName.isEmpty() ? QStringLiteral("ConStr%1").arg(p.number) : f.displayName;
            return c;
        }
        fail(err, TaskNotFound,
             QStringLiteral("Nincs \"%1\" kapcsolat a beállítás fájlban (%2).").arg(wanted, IniPath()));
    }
    QString error;
    const QString text = o.value(QStringLiteral("--dsn"));
    std::optional<ConnectionTarget> t = parseConnectionTarget(text, error);
    if (t && t->password.isEmpty() && password)
        t->password = *password;
    if (!t)
        fail(err, TaskBadArguments, error);
    if (t->database.isEmpty())
        fail(err, TaskBadArguments,
             QStringLiteral("A kapcsolatból hiányzik az adatbázis neve: \"%1\"").arg(text));
    if (t->password.contains(QLatin1Char(';')))
        fail(err, TaskBadArguments, QStringLiteral("A jelszó nem tartalmazhat ';' jelet."));
    c.where = QStringLiteral("%1@%2:%3/%4").arg(t->user, t->host).arg(t->port).arg(t->database);
    c.plain = QStringList{t->database, t->host, QString::number(t->port), t->user, t->password, c.where}.join(
        QLatin1Char(';'));
    return c;
}

void openDatabase(TmySQLDatabase &db, const Connection &c, QTextStream &err)
{
    QString error;
    if (!openMainConnection(db, c.plain, &error))
        fail(err, TaskNoDatabase,
             QStringLiteral("Az adatbázis nem nyitható meg (%1): %2").arg(c.where, error));
}

// --- files ------------------------------------------------------------------------------

// Refuses, before any work, a target that cannot be written: a folder, a file without
// write permission, or one in a folder that is missing or not writable.
void checkWritable(const QString &file, QTextStream &err)
{
    const QFileInfo fi(file);
    const QFileInfo dir(fi.absolutePath());
    QString why;
    if (fi.isDir())
        why = QStringLiteral("ez egy mappa");
    else if (fi.exists() && !fi.isWritable())
        why = QStringLiteral("nincs írási jog");
    else if (!dir.isDir())
        why = QStringLiteral("a mappa nem létezik: %1").arg(QDir::toNativeSeparators(dir.filePath()));
    else if (!dir.isWritable())
        why = QStringLiteral("a mappa nem írható: %1").arg(QDir::toNativeSeparators(dir.filePath()));
    if (!why.isEmpty())
        fail(err, TaskFileError,
             QStringLiteral("A(z) %1 fájl nem írható: %2.").arg(QDir::toNativeSeparators(file), why));
}

QString onlyFile(const TaskOptions &o, QTextStream &err, const QString &what)
{
    if (o.positional.size() != 1)
        fail(err, TaskBadArguments,
             QStringLiteral("A(z) %1 parancs egy fájlnevet vár (%2).").arg(o.command, what));
    return o.positional.first();
}

// The message boxes the windows' code asked for while a task ran: errors and warnings go
// to the error output; true when there was an error.
bool reportMessages(QTextStream &err)
{
    bool failed = false;
    for (const MessageBox::Shown &m : MessageBox::log()) {
        if (m.kind == MessageBox::Error || m.kind == MessageBox::Warning) {
            err << m.text << '\n';
            failed = failed || m.kind == MessageBox::Error;
        }
    }
    MessageBox::clearLog();
    err.flush();
    return failed;
}

// --- dates and cash boxes ---------------------------------------------------------------

std::optional<QDate> dateOption(const TaskOptions &o, const QString &name, QTextStream &err)
{
    if (!o.has(name))
        return std::nullopt;
    const QString text = o.value(name).trimmed();
    for (const char *format : {"yyyy-MM-dd", "yyyy.MM.dd", "yyyy.MM.dd."}) {
        const QDate d = QDate::fromString(text, QString::fromLatin1(format));
        if (d.isValid())
            return d;
    }
    fail(err, TaskBadArguments,
         QStringLiteral("Hibás dátum a(z) %1 után: \"%2\" (éééé-hh-nn alakban, például 2024-03-01).")
             .arg(name, text));
}

struct DateRange {
    std::optional<QDate> from, to;
};

DateRange dateRange(const TaskOptions &o, QTextStream &err)
{
    DateRange r{dateOption(o, QStringLiteral("--from"), err), dateOption(o, QStringLiteral("--to"), err)};
    if (r.from && r.to && *r.from > *r.to)
        fail(err, TaskBadArguments, QStringLiteral("A --from dátuma a --to dátuma után van."));
    return r;
}

// The cash box by its number or its name (as the database compares names).
int findCashBox(TmySQLDatabase &db, const QString &wanted, QTextStream &err)
{
    bool number = false;
    const int id = wanted.toInt(&number);
    const QString sql = number
                            ? QStringLiteral("SELECT kassza FROM kassza WHERE kassza=%1;").arg(id)
                            : QStringLiteral("SELECT kassza FROM kassza WHERE kassza_nev=%1 ORDER BY kassza;")
                                  .arg(SqlText(wanted));
    const qint64 found = db.queryInt(sql, -1);
    if (found < 0)
        fail(err, TaskNotFound, QStringLiteral("Nincs \"%1\" kassza az adatbázisban.").arg(wanted));
    return int(found);
}

// --- backup, restore --------------------------------------------------------------------

int backup(const TaskOptions &o, const Connection &c, QTextStream &out, QTextStream &err)
{
    const QString file =
        QFileInfo(onlyFile(o, err, QStringLiteral("FÁJL.sql vagy FÁJL.zip"))).absoluteFilePath();
    checkWritable(file, err);
    if (ScriptFileName(file) != file)
        checkWritable(ScriptFileName(file), err);
    TmySQLDatabase db;
    openDatabase(db, c, err);
    int lastTable = 0;
    const bool done = WriteScriptBackup(db, file, nullptr, [&](const DumpProgress &p) {
        if (p.table != lastTable) {
            lastTable = p.table;
            err << QStringLiteral("Mentés: %1/%2 %3\n").arg(p.table).arg(p.tableCount).arg(p.tableName);
            err.flush();
        }
    });
    db.close();
    if (reportMessages(err) || !done)
        return TaskFileError;
    out << BackupDoneText(file) << '\n';
    return TaskDone;
}

int restore(const TaskOptions &o, const Connection &c, QTextStream &out, QTextStream &err)
{
    const QString file = onlyFile(o, err, QStringLiteral("FÁJL.sql vagy FÁJL.zip"));
    QString error;
    const QByteArray script = ReadBackupFile(file, error);
    if (script.isEmpty())
        fail(err, TaskFileError, error.isEmpty() ? QStringLiteral("A(z) %1 fájl üres.").arg(file) : error);
    TmySQLDatabase db;
    openDatabase(db, c, err);
    int lastTenth = -1;
    const RestoreResult r = RestoreScript(db, script, [&](int done, int total) {
        const int tenth = total > 0 ? done * 10 / total : 10;
        if (tenth != lastTenth) {
            lastTenth = tenth;
            err << QStringLiteral("Visszaállítás: %1/%2 utasítás\n").arg(done).arg(total);
            err.flush();
        }
    });
    const QString text = RestoreResultText(r, splitConnectionProfile(c.plain).database);
    if (!RestoreMatches(r)) {
        err << text << '\n';
        return TaskFailed;
    }
    out << text << '\n';
    return TaskDone;
}

// --- check ------------------------------------------------------------------------------

double round4(double v)
{
    return std::round(v * 10000.0) / 10000.0;
}
bool sameMoney(double a, double b)
{
    return std::fabs(a - b) < 0.00005;
}

struct ChainFault {
    int kassza = 0;
    int hid = 0;
    int sorszam = 0;
    QDate datum;
    double nyito = 0, zaro = 0, rightNyito = 0, rightZaro = 0;
};

// Walks every cash box's entries in the chain's order from the box's opening balance and
// collects the entries whose nyito or zaro differ from the running sum of the amounts.
QList<ChainFault> findChainFaults(TmySQLDatabase &db)
{
    QMap<int, double> opening;
    {
        TmySQLQuery q(&db);
        q.setSQL(QStringLiteral("SELECT kassza, nyito FROM kassza ORDER BY kassza;"));
        q.open();
        for (q.first(); !q.eof(); q.next())
            opening.insert(q.fieldByName(QStringLiteral("kassza")).asInteger(),
                           q.fieldByName(QStringLiteral("nyito")).asFloat());
    }
    QList<ChainFault> faults;
    TmySQLQuery q(&db);
    q.setSQL(
        QStringLiteral("SELECT kassza, hid, hazikassza, datum, osszeg, nyito, zaro FROM hazikassza "
                       "ORDER BY kassza, datum, hazikassza, hid;"));
    q.open();
    int box = -1;
    double balance = 0;
    for (q.first(); !q.eof(); q.next()) {
        const int kassza = q.fieldByName(QStringLiteral("kassza")).asInteger();
        if (kassza != box) {
            box = kassza;
            balance = round4(opening.value(kassza, 0.0));
        }
        ChainFault f;
        f.kassza = kassza;
        f.nyito = q.fieldByName(QStringLiteral("nyito")).asFloat();
        f.zaro = q.fieldByName(QStringLiteral("zaro")).asFloat();
        f.rightNyito = balance;
        f.rightZaro = round4(balance + q.fieldByName(QStringLiteral("osszeg")).asFloat());
        balance = f.rightZaro;
        if (sameMoney(f.nyito, f.rightNyito) && sameMoney(f.zaro, f.rightZaro))
            continue;
        f.hid = q.fieldByName(QStringLiteral("hid")).asInteger();
        f.sorszam = q.fieldByName(QStringLiteral("hazikassza")).asInteger();
        f.datum = q.fieldByName(QStringLiteral("datum")).asDate();
        faults << f;
    }
    return faults;
}

QString money(double v)
{
    return QString::number(v, 'f', 4).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

int check(const TaskOptions &o, const Connection &c, QTextStream &out, QTextStream &err)
{
    if (!o.positional.isEmpty())
        fail(err, TaskBadArguments, QStringLiteral("Fölösleges paraméter: %1").arg(o.positional.first()));
    TmySQLDatabase db;
    openDatabase(db, c, err);
    const int boxes = int(db.queryInt(QStringLiteral("SELECT COUNT(*) FROM kassza;")));
    const int entries = int(db.queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza;")));
    err << QStringLiteral("Ellenőrzés: %1 kassza, %2 tétel\n").arg(boxes).arg(entries);
    err.flush();
    QList<ChainFault> faults = findChainFaults(db);
    if (faults.isEmpty()) {
        out << QStringLiteral("Minden kassza egyenlege rendben van (%1 kassza, %2 tétel).\n")
                   .arg(boxes)
                   .arg(entries);
        return TaskDone;
    }
    QMap<int, int> perBox;
    for (const ChainFault &f : faults) {
        if (++perBox[f.kassza] > 20)
            continue;
        out << QStringLiteral(
                   "Hibás egyenleg: kassza %1, tétel %2 (sorszám %3, %4): nyitó %5, záró %6; "
                   "helyesen nyitó %7, záró %8\n")
                   .arg(f.kassza)
                   .arg(f.hid)
                   .arg(f.sorszam)
                   .arg(f.datum.toString(QStringLiteral("yyyy.MM.dd")), money(f.nyito), money(f.zaro),
                        money(f.rightNyito), money(f.rightZaro));
    }
    for (auto it = perBox.cbegin(); it != perBox.cend(); ++it) {
        const QString name =
            db.queryText(QStringLiteral("SELECT kassza_nev FROM kassza WHERE kassza=%1;").arg(it.key()));
        out << QStringLiteral("Kassza %1 (%2): %3 hibás tétel.\n").arg(it.key()).arg(name).arg(it.value());
    }
    if (!o.flags.contains(QStringLiteral("--repair"))) {
        out << QStringLiteral(
            "A hibás egyenlegeket a --repair kapcsoló javítja (a lánc újraszámolásával).\n");
        return TaskFailed;
    }
    for (auto it = perBox.cbegin(); it != perBox.cend(); ++it) {
        err << QStringLiteral("Javítás: kassza %1\n").arg(it.key());
        err.flush();
        db.execute(QStringLiteral("CALL lanc_ujraszamol(%1);").arg(it.key()));
    }
    faults = findChainFaults(db);
    if (!faults.isEmpty()) {
        out << QStringLiteral("A javítás után is %1 hibás tétel maradt.\n").arg(faults.size());
        return TaskFailed;
    }
    out << QStringLiteral("Javítva: %1 kassza egyenleg-lánca újraszámolva, most minden rendben van.\n")
               .arg(perBox.size());
    return TaskDone;
}

// --- export and report: on the main window, as the user would have it -----------------

// The main window on the connection, not shown, with the program's settings read as at
// start-up; the settings row of the database is read, and everything is granted (whoever
// holds the connection data reaches the data anyway).
class ListWindow {
public:
    ListWindow(const Connection &c, QTextStream &err)
    {
        readProgramSettings();
        w = std::make_unique<Tfrm_Main>();
        w->setAttribute(Qt::WA_DontShowOnScreen);
        TmySQLDatabase &db = w->mySQLDatabase1();
        openDatabase(db, c, err);
        setMainConnection(&db);  // the window's destructor takes it back
        try {
            readBeallit(db, beall());
        } catch (const EmySQLDatabaseError &e) {
            w.reset();
            fail(err, TaskNoDatabase,
                 QStringLiteral("Ez nem a program adatbázisa (%1): %2").arg(c.where, e.message()));
        }
        TBeall &b = beall();
        b.rendszergazda = b.torzsszerkeszt = b.szerkeszthet = b.torolhet = true;
        w->setDatabaseOpen(true);
        w->setSortField(QStringLiteral("hazikassza"));
        w->resize(tasks::listWindowSize());
        w->show();
        QApplication::processEvents();
    }
    ~ListWindow() = default;
    ListWindow(const ListWindow &) = delete;
    ListWindow &operator=(const ListWindow &) = delete;

    // The list of one cash box over the range (every entry without one).
    void showList(int box, const DateRange &r)
    {
        Cassa() = box;
        QString filter;
        if (r.from && r.to)
            filter = QStringLiteral("(datum BETWEEN %1 AND %2)").arg(SqlDate(*r.from), SqlDate(*r.to));
        else if (r.from)
            filter = QStringLiteral("(datum>=%1)").arg(SqlDate(*r.from));
        else if (r.to)
            filter = QStringLiteral("(datum<=%1)").arg(SqlDate(*r.to));
        w->setListFilter(filter);
        w->ReloadList();
        w->fitColumnWidths();
        QApplication::processEvents();
    }

    std::unique_ptr<Tfrm_Main> w;
};

void progressToErr(QProgressBar *bar, QTextStream &err, const QString &what)
{
    QObject::connect(bar, &QProgressBar::valueChanged, bar, guarded([bar, &err, what](int value) {
                         const int max = bar->maximum();
                         if (value > 0 && max > 0 && (value == max || value % 1000 == 0)) {
                             err << QStringLiteral("%1: %2/%3 sor\n").arg(what).arg(value).arg(max);
                             err.flush();
                         }
                     }));
}

int exportList(const TaskOptions &o, const Connection &c, QTextStream &out, QTextStream &err)
{
    const QString format = o.value(QStringLiteral("--format")).toLower();
    if (format != QLatin1String("csv") && format != QLatin1String("xls") && format != QLatin1String("html"))
        fail(err, TaskBadArguments, QStringLiteral("A --format értéke csv, xls vagy html lehet."));
    if (!o.has(QStringLiteral("--box")))
        fail(err, TaskBadArguments, QStringLiteral("Az export a --box NÉV|SZÁM kasszát írja ki; hiányzik."));
    const QString file = QFileInfo(onlyFile(o, err, QStringLiteral("a cél fájl"))).absoluteFilePath();
    const QString ext = QFileInfo(file).suffix().toLower();
    // The export window chooses its format by the file's extension.
    if (format == QLatin1String("xls") && ext != QLatin1String("xls"))
        fail(err, TaskBadArguments, QStringLiteral("Az xls formátumú fájl neve .xls végű legyen."));
    if (format == QLatin1String("csv") && (ext == QLatin1String("xls") || ext == QLatin1String("xml")))
        fail(err, TaskBadArguments, QStringLiteral("A csv formátumú fájl neve nem lehet .%1 végű.").arg(ext));
    const DateRange range = dateRange(o, err);
    checkWritable(file, err);

    ListWindow lw(c, err);
    const int box = findCashBox(lw.w->mySQLDatabase1(), o.value(QStringLiteral("--box")), err);
    lw.showList(box, range);
    TmySQLQuery &qry = lw.w->Qry();
    err << QStringLiteral("Export: %1 tétel\n").arg(qry.recordCount());
    err.flush();
    MessageBox::clearLog();
    bool written = false;
    if (format == QLatin1String("html")) {
        TDBGrid &grid = *lw.w->DBGrid1();
        Tfrm_Grid2Html page(qry, gridColumns(grid), gridWidth(grid), QStringLiteral("Kassza"),
                            lw.w->headingText(), QString(), lw.w.get());
        page.setExportTime(exportTime());
        page.pathEdit()->setText(file);
        page.openAfterSave()->setChecked(false);
        progressToErr(page.progressBar(), err, QStringLiteral("Export"));
        written = page.writePage();
    } else {
        Tfrm_Hatarolt window(qry, QString(), lw.w.get());
        window.fileEdit()->setText(file);
        window.openAfterExport()->setChecked(false);
        progressToErr(window.progressBar(), err, QStringLiteral("Export"));
        window.startExport();
        written = QFileInfo::exists(file);
    }
    if (reportMessages(err) || !written)
        return TaskFileError;
    out << QStringLiteral("Az export elkészült: %1 (%2 tétel, %3)\n")
               .arg(QDir::toNativeSeparators(file))
               .arg(qry.recordCount())
               .arg(FileSizeText(QFileInfo(file).size()));
    return TaskDone;
}

using ReportBuilder =
    std::function<std::unique_ptr<CashbookReport>(ListWindow &, int box, const QDate &from, const QDate &to)>;
struct ReportKind {
    ReportName name;
    bool needsBox;
    ReportBuilder build;
};

QString month(const QDate &d)
{
    return d.toString(QStringLiteral("yyyyMM"));
}

const QList<ReportKind> &reportKinds()
{
    const auto movements = [](int mode, bool everyBox) {
        return [mode, everyBox](ListWindow &lw, int box, const QDate &from, const QDate &to) {
            return buildPeriodMovements(lw.w->mySQLDatabase1(), mode, everyBox ? -1 : box, from, to);
        };
    };
    static const QList<ReportKind> kinds = {
        {{QStringLiteral("kassza"),
          QStringLiteral("A kassza tételei a főablak összesítőivel (a --from/--to szűrés)")},
         true,
         [](ListWindow &lw, int, const QDate &, const QDate &) {
             const TotalsPanel &t = *lw.w->totalsPanel();
             return buildCashHistory(lw.w->mySQLDatabase1(), t.nyito(), t.bevetel(), t.kiadas(), t.zaro(),
                                     lw.w->mainStatusBar()->panel(MainStatusBar::Period));
         }},
        {{QStringLiteral("mozgas"), QStringLiteral("Kassza mozgások")}, true, movements(0, false)},
        {{QStringLiteral("bevetel"), QStringLiteral("Kassza bevételek")}, true, movements(1, false)},
        {{QStringLiteral("kiadas"), QStringLiteral("Kassza kiadások")}, true, movements(2, false)},
        {{QStringLiteral("mozgas-mind"), QStringLiteral("Minden kassza mozgásai")},
         false,
         movements(0, true)},
        {{QStringLiteral("bevetel-mind"), QStringLiteral("Minden kassza bevételei")},
         false,
         movements(1, true)},
        {{QStringLiteral("kiadas-mind"), QStringLiteral("Minden kassza kiadásai")},
         false,
         movements(2, true)},
        {{QStringLiteral("ugyfel-tetelek"), QStringLiteral("Tételek ügyfelenként")},
         true,
         [](ListWindow &lw, int, const QDate &from, const QDate &to) {
             return buildEntriesByClient(lw.w->mySQLDatabase1(), -1, from, to);
         }},
        {{QStringLiteral("tipus-tetelek"), QStringLiteral("Tételek kassza típusonként")},
         true,
         [](ListWindow &lw, int, const QDate &from, const QDate &to) {
             return buildEntriesByType(lw.w->mySQLDatabase1(), -1, from, to);
         }},
        {{QStringLiteral("idoszak"), QStringLiteral("Időszak összesítés (a --from és a --to hónapjai)")},
         true,
         [](ListWindow &lw, int box, const QDate &from, const QDate &to) {
             return buildPeriodSummary(lw.w->mySQLDatabase1(), month(from), month(to), box);
         }},
        {{QStringLiteral("ugyfelek"), QStringLiteral("Ügyfelek, tartozások")},
         false,
         [](ListWindow &lw, int, const QDate &, const QDate &) {
             return buildClientList(lw.w->mySQLDatabase1());
         }},
        {{QStringLiteral("csekkek"), QStringLiteral("Csekkek")},
         false,
         [](ListWindow &lw, int, const QDate &, const QDate &) {
             return buildBillTypeList(lw.w->mySQLDatabase1());
         }},
    };
    return kinds;
}

int printReport(const TaskOptions &o, const Connection &c, QTextStream &out, QTextStream &err)
{
    if (o.positional.isEmpty())
        fail(err, TaskBadArguments,
             QStringLiteral("A report után a nyomtatvány neve kell (zorva report --list)."));
    if (o.positional.size() > 1)
        fail(err, TaskBadArguments, QStringLiteral("Fölösleges paraméter: %1").arg(o.positional.at(1)));
    const QString name = o.positional.first();
    const ReportKind *kind = nullptr;
    for (const ReportKind &k : reportKinds()) {
        if (k.name.name == name)
            kind = &k;
    }
    if (!kind)
        fail(err, TaskNotFound,
             QStringLiteral("Nincs \"%1\" nevű nyomtatvány (zorva report --list).").arg(name));
    if (!o.has(QStringLiteral("--pdf")))
        fail(err, TaskBadArguments,
             QStringLiteral("A nyomtatvány a --pdf FÁJL kapcsolóval adott fájlba kerül."));
    const QString file = QFileInfo(o.value(QStringLiteral("--pdf"))).absoluteFilePath();
    const DateRange range = dateRange(o, err);
    checkWritable(file, err);
    // As the windows ask it: from a month before today to today.
    const QDate to = range.to.value_or(QDate::currentDate());
    const QDate from = range.from.value_or(to.addMonths(-1));

    ListWindow lw(c, err);
    int box = Cassa();
    if (o.has(QStringLiteral("--box")))
        box = findCashBox(lw.w->mySQLDatabase1(), o.value(QStringLiteral("--box")), err);
    else if (kind->needsBox)
        box = findCashBox(lw.w->mySQLDatabase1(), QString::number(std::max(1, Cassa())), err);
    lw.showList(box, name == QLatin1String("kassza") ? range : DateRange{from, to});
    std::unique_ptr<CashbookReport> rep = kind->build(lw, box, from, to);
    bool stopped = false;
    report::ReportLayout layout = report::layoutReport(
        *rep->report,
        [&err](int done, int total) {
            if (total > 0 && (done == total || done % 1000 == 0)) {
                err << QStringLiteral("Nyomtatvány: %1/%2 sor\n").arg(done).arg(total);
                err.flush();
            }
            return true;
        },
        &stopped);
    QString error;
    if (!report::writePdf(layout, file, &error))
        fail(err, TaskFileError, error);
    if (reportMessages(err))
        return TaskFailed;
    out << QStringLiteral("A nyomtatvány elkészült: %1 (%2 oldal)\n")
               .arg(QDir::toNativeSeparators(file))
               .arg(layout.pageCount());
    return TaskDone;
}

}  // namespace

QList<ReportName> taskReportNames()
{
    QList<ReportName> names;
    for (const ReportKind &k : reportKinds())
        names << k.name;
    return names;
}

namespace tasks {
void setExportTime(const QDateTime &t)
{
    exportTime() = t;
}
QSize listWindowSize()
{
    return QSize(1100, 600);
}
}  // namespace tasks

int runTaskCommand(const QStringList &args, const std::optional<QString> &password, QTextStream &out,
                   QTextStream &err)
{
    TaskOptions o;
    QString error;
    if (!parseTaskOptions(args, o, error)) {
        err << error << "\nLásd: zorva --help\n";
        return TaskBadArguments;
    }
    if (o.command == QLatin1String("report") && o.flags.contains(QStringLiteral("--list"))) {
        for (const ReportName &n : taskReportNames())
            out << n.name.leftJustified(16) << n.title << '\n';
        return TaskDone;
    }
    // No window may wait for an answer: every message box is logged instead of shown.
    MessageBox::setTestMode(true);
    MessageBox::clearLog();
    try {
        const Connection c = resolveConnection(o, password, err);
        if (o.command == QLatin1String("backup"))
            return backup(o, c, out, err);
        if (o.command == QLatin1String("restore"))
            return restore(o, c, out, err);
        if (o.command == QLatin1String("check"))
            return check(o, c, out, err);
        if (o.command == QLatin1String("export"))
            return exportList(o, c, out, err);
        if (o.command == QLatin1String("report"))
            return printReport(o, c, out, err);
        err << QStringLiteral("Ismeretlen parancs: %1\n").arg(o.command);
        return TaskBadArguments;
    } catch (const Failure &f) {
        return f.code;
    } catch (const EmySQLDatabaseError &e) {
        err << QStringLiteral("Adatbázis hiba: ") << e.message() << '\n';
    } catch (const std::exception &e) {
        err << QStringLiteral("Hiba: ") << QString::fromUtf8(e.what()) << '\n';
    }
    return TaskFailed;
}

}  // namespace zorva
