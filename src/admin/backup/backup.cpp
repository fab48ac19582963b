#include "backup.h"

#include "database.h"
#include "errors.h"
#include "globals.h"
#include "messagebox.h"
#include "tabledump.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <zip.h>

namespace zorva {

namespace {

const QString kSaveTitle = QStringLiteral("Biztonsági mentés készítés");

bool isZipName(const QString &name)
{
    return QFileInfo(name).suffix().toLower() == QStringLiteral("zip");
}

QString askFile(const QString &database, const QString &filter, QWidget *parent)
{
    QFileDialog dlg(parent, kSaveTitle);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setNameFilters(filter.split(QStringLiteral(";;")));
    dlg.setDefaultSuffix(QStringLiteral("sql"));
    dlg.selectFile(BackupFileName(database, QDateTime::currentDateTime()));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    QString name = dlg.selectedFiles().constFirst();
    // The zip filter was chosen but no extension typed: the archive is meant.
    if (dlg.selectedNameFilter().contains(QStringLiteral("*.zip")) && QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".zip");
    return name;
}

QString zipErrorText(zip_error_t *err)
{
    return QString::fromLocal8Bit(zip_error_strerror(err));
}

}  // namespace

QString BackupFileName(const QString &database, const QDateTime &now)
{
    return database + QStringLiteral("-") + now.toString(QStringLiteral("yyyy-MM-dd-HH-mm-ss"));
}

QString ScriptFileName(const QString &chosen)
{
    if (!isZipName(chosen))
        return chosen;
    const QFileInfo fi(chosen);
    return fi.dir().filePath(fi.completeBaseName() + QStringLiteral(".sql"));
}

bool PackScript(const QString &sqlFile, const QString &zipFile, QString &error)
{
    QFile::remove(zipFile);
    int code = 0;
    const QByteArray zipPath = QFile::encodeName(zipFile);
    zip_t *za = zip_open(zipPath.constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!za) {
        zip_error_t err;
        zip_error_init_with_code(&err, code);
        error = zipErrorText(&err);
        zip_error_fini(&err);
        return false;
    }
    const QByteArray src = QFile::encodeName(sqlFile);
    zip_source_t *source = zip_source_file(za, src.constData(), 0, -1);
    if (!source) {
        error = QString::fromLocal8Bit(zip_strerror(za));
        zip_discard(za);
        return false;
    }
    const QByteArray entry = QFileInfo(sqlFile).fileName().toUtf8();
    const zip_int64_t index =
        zip_file_add(za, entry.constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        error = QString::fromLocal8Bit(zip_strerror(za));
        zip_source_free(source);
        zip_discard(za);
        return false;
    }
    if (zip_set_file_compression(za, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9) < 0 ||
        zip_close(za) < 0) {
        error = QString::fromLocal8Bit(zip_strerror(za));
        zip_discard(za);
        QFile::remove(zipFile);
        return false;
    }
    return true;
}

bool WriteScriptBackup(TmySQLDatabase &db, const QString &chosen, QWidget *parent)
{
    const QString script = ScriptFileName(chosen);
    DumpTableInserts(db, {}, script);
    if (script == chosen)
        return true;
    QString error;
    if (!PackScript(script, chosen, error)) {
        ShowError(QStringLiteral("Hiba az archiválás közben\n") + error, parent);
        return false;
    }
    QFile::remove(script);
    return true;
}

void ScriptBackup(TmySQLDatabase &db, const ProfileFields &profile, QWidget *parent)
{
    const QString chosen =
        askFile(profile.database, QStringLiteral("SQL file (*.sql);;Tömörített SQL file (*.zip)"), parent);
    if (chosen.isEmpty())
        return;
    QCoreApplication::processEvents();
    try {
        db.close();
        db.setHost(profile.host);
        db.setUserName(profile.user);
        db.setUserPassword(profile.password);
        db.setDatabaseName(profile.database);
        db.setPort(profile.port);
        db.open();
    } catch (const EmySQLDatabaseError &e) {
        db.close();
        ShowError(QStringLiteral("Hiba: ") + e.message(), parent);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        WriteScriptBackup(db, chosen, parent);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        db.close();
        throw;
    }
    QApplication::restoreOverrideCursor();
    db.close();
}

QString DumpCommandLine(const QString &dumpPath, const ProfileFields &profile, const QString &resultFile)
{
    const QString q = QStringLiteral("\"");
    return q + dumpPath + q + QStringLiteral(" -c -C --force --databases ") + profile.database +
           QStringLiteral(" --password=") + profile.password + QStringLiteral(" --port=") +
           QString::number(profile.port) + QStringLiteral(" --host=") + profile.host +
           QStringLiteral(" --user=") + profile.user + QStringLiteral(" --result-file=") + q + resultFile + q;
}

QString DumpCommandFile(const QString &dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("Mentes.cmd"));
}

bool RunDumpCommand(const QString &dumpPath, const ProfileFields &profile, const QString &resultFile,
                    const QString &dataDir, int waitMs)
{
    const QString cmdFile = DumpCommandFile(dataDir);
    QFile f(cmdFile);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EmySQLDatabaseError(
            QStringLiteral("A parancsfájl nem hozható létre: %1\n%2").arg(cmdFile, f.errorString()));
    f.write((DumpCommandLine(dumpPath, profile, resultFile) + QStringLiteral("\n")).toUtf8());
    f.close();
    // The shell runs the file in its own process; nobody waits for the dump.
    const bool started = QProcess::startDetached(QStringLiteral("/bin/sh"), {cmdFile}, dataDir);
    QThread::msleep(static_cast<unsigned long>(waitMs));
    QFile::remove(cmdFile);
    return started;
}

void FullBackup(const QString &dumpPath, const ProfileFields &profile, QWidget *parent)
{
    const QString chosen = askFile(profile.database, QStringLiteral("SQL file (*.sql)"), parent);
    if (chosen.isEmpty())
        return;
    RunDumpCommand(dumpPath, profile, chosen, DataDir(), 3000);
}

}  // namespace zorva
