#include "restore.h"

#include "backup.h"
#include "admin/dbinstall/dbinstall.h"
#include "admin/dbinstall/sqlscript.h"
#include "core/ui/filedialog.h"
#include "core/ui/messagebox.h"
#include "db/database.h"
#include "db/errors.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

namespace zorva {

namespace {

bool isZip(const QString &file)
{
    return QFileInfo(file).suffix().compare(QStringLiteral("zip"), Qt::CaseInsensitive) == 0;
}

QByteArray readZipScript(const QString &file, QString &error)
{
    int code = 0;
    const QByteArray path = QFile::encodeName(file);
    zip_t *za = zip_open(path.constData(), ZIP_RDONLY, &code);
    if (!za) {
        zip_error_t err;
        zip_error_init_with_code(&err, code);
        error = QString::fromLocal8Bit(zip_error_strerror(&err));
        zip_error_fini(&err);
        return {};
    }
    QByteArray data;
    const zip_int64_t count = zip_get_num_entries(za, 0);
    zip_int64_t index = -1;
    for (zip_int64_t i = 0; i < count && index < 0; ++i) {
        const char *name = zip_get_name(za, zip_uint64_t(i), 0);
        if (name && QString::fromUtf8(name).endsWith(QStringLiteral(".sql"), Qt::CaseInsensitive))
            index = i;
    }
    zip_stat_t st;
    if (index < 0) {
        error = QStringLiteral("Az archívumban nincs SQL fájl.");
    } else if (zip_stat_index(za, zip_uint64_t(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) {
        error = QString::fromLocal8Bit(zip_strerror(za));
    } else {
        zip_file_t *zf = zip_fopen_index(za, zip_uint64_t(index), 0);
        if (!zf) {
            error = QString::fromLocal8Bit(zip_strerror(za));
        } else {
            data.resize(qsizetype(st.size));
            const zip_int64_t read = zip_fread(zf, data.data(), st.size);
            if (read < 0 || zip_uint64_t(read) != st.size) {
                error = QString::fromLocal8Bit(zip_file_strerror(zf));
                data.clear();
            }
            zip_fclose(zf);
        }
    }
    zip_discard(za);
    return data;
}

// The table a statement of the script writes, and for an INSERT its row count (one row a
// line after the header line).
QString statementTable(const QString &text, bool &isInsert, qint64 &rows)
{
    static const QString truncate = QStringLiteral("TRUNCATE ");
    static const QString insert = QStringLiteral("INSERT IGNORE INTO ");
    isInsert = false;
    rows = 0;
    if (text.startsWith(truncate, Qt::CaseInsensitive))
        return text.mid(truncate.size()).trimmed();
    if (text.startsWith(insert, Qt::CaseInsensitive)) {
        isInsert = true;
        rows = text.count(QLatin1Char('\n'));
        const qsizetype end = text.indexOf(QLatin1Char(' '), insert.size());
        return text.mid(insert.size(), end < 0 ? -1 : end - insert.size());
    }
    return QString();
}

}  // namespace

QByteArray ReadBackupFile(const QString &file, QString &error)
{
    error.clear();
    if (isZip(file))
        return readZipScript(file, error);
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        error = f.errorString();
        return {};
    }
    return f.readAll();
}

RestoreResult RestoreScript(TmySQLDatabase &db, const QByteArray &script,
                            const std::function<void(int done, int total)> &progress)
{
    RestoreResult r;
    const QList<SqlStatement> statements =
        splitSqlScript(db.decode(script.constData(), size_t(script.size())));
    r.statementCount = int(statements.size());
    QList<RestoreTableCount> counts;
    for (const SqlStatement &s : statements) {
        bool isInsert = false;
        qint64 rows = 0;
        const QString table = statementTable(s.text, isInsert, rows);
        if (!table.isEmpty()) {
            if (counts.isEmpty() || counts.constLast().table != table)
                counts.append({table, 0, 0});
            counts.last().inScript += rows;
        }
        try {
            db.execute(s.text);
        } catch (const EmySQLDatabaseError &e) {
            r.failedStatement = r.statementsRun + 1;
            r.failedLine = s.line;
            r.failedTable = table;
            r.error = e.message();
            return r;
        }
        ++r.statementsRun;
        if (progress)
            progress(r.statementsRun, r.statementCount);
        QCoreApplication::processEvents();
    }
    for (RestoreTableCount &c : counts)
        c.inDatabase = db.queryInt(QStringLiteral("SELECT COUNT(*) FROM `%1`").arg(c.table), -1);
    r.counts = counts;
    r.completed = true;
    return r;
}

bool RestoreMatches(const RestoreResult &r)
{
    if (!r.completed)
        return false;
    for (const RestoreTableCount &c : r.counts) {
        if (c.inScript != c.inDatabase)
            return false;
    }
    return true;
}

QString RestoreResultText(const RestoreResult &r, const QString &database)
{
    if (!r.completed) {
        QString where = QStringLiteral("a(z) %1. utasításnál (a mentés %2. sora")
                            .arg(r.failedStatement)
                            .arg(r.failedLine);
        if (!r.failedTable.isEmpty())
            where += QStringLiteral(", %1 tábla").arg(r.failedTable);
        where += QLatin1Char(')');
        return QStringLiteral(
                   "A(z) \"%1\" adatbázis visszaállítása %2 megszakadt:\n%3\n\n"
                   "Az előtte lévő %4 utasítás lefutott. A mentés újra futtatható: minden táblát "
                   "kiürít és újratölt.")
            .arg(database, where, r.error)
            .arg(r.statementsRun);
    }
    qint64 rows = 0;
    QStringList differ;
    for (const RestoreTableCount &c : r.counts) {
        rows += c.inScript;
        if (c.inScript != c.inDatabase)
            differ << QStringLiteral("%1: a mentésben %2 sor, az adatbázisban %3")
                          .arg(c.table)
                          .arg(c.inScript)
                          .arg(c.inDatabase);
    }
    QString text = QStringLiteral("A(z) \"%1\" adatbázis visszaállítása kész: %2 tábla, %3 sor.\n")
                       .arg(database)
                       .arg(r.counts.size())
                       .arg(rows);
    if (differ.isEmpty())
        text += QStringLiteral("Minden tábla sorainak száma egyezik a mentésével.");
    else
        text += QStringLiteral("Eltérő sorszámú táblák:\n") + differ.join(QLatin1Char('\n'));
    return text;
}

void RestoreBackup(TmySQLDatabase &db, const ProfileFields &profile, QWidget *parent,
                   const std::function<void(int done, int total)> &progress)
{
    const QString file = FileDialog::getOpenFileName(
        parent, QStringLiteral("Visszaállítás"), QString(),
        QStringLiteral(
            "Biztonsági mentés (*.sql *.zip)|*.sql;*.zip|SQL file (*.sql)|*.sql|Tömörített SQL file "
            "(*.zip)|*.zip"));
    if (file.isEmpty())
        return;
    if (!AskYesNo(
            QStringLiteral("A(z) \"%1\" adatbázis (%2 kiszolgáló) tábláinak tartalmát a mentés tartalmára "
                           "cserélem:\n%3\n\nFolytassam?")
                .arg(profile.database, profile.host, QDir::toNativeSeparators(file)),
            QStringLiteral("Megerősítés"), parent))
        return;
    QString error;
    const QByteArray script = ReadBackupFile(file, error);
    if (!error.isEmpty()) {
        ShowError(QStringLiteral("A mentés nem olvasható: %1\n%2").arg(QDir::toNativeSeparators(file), error),
                  parent);
        return;
    }
    // The script goes to the server uncompressed, as the stock client sends it: compressing
    // the large INSERT statements costs more time than it saves on a local network.
    const int options = db.connectOptions();
    struct RestoreOptions {
        TmySQLDatabase &db;
        int options;
        ~RestoreOptions() { db.setConnectOptions(options); }
    } restoreOptions{db, options};
    db.setConnectOptions(options & ~coCompress);
    if (!OpenProfileDatabase(db, profile, parent))
        return;
    RestoreResult r;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        r = RestoreScript(db, script, progress);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        db.close();
        throw;
    }
    QApplication::restoreOverrideCursor();
    db.close();
    if (RestoreMatches(r))
        ShowInfo(RestoreResultText(r, profile.database), parent);
    else
        ShowError(RestoreResultText(r, profile.database), parent);
}

}  // namespace zorva
