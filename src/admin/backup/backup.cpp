#include "backup.h"

#include "core/dbhelpers/tabledump.h"
#include "core/globals.h"
#include "core/ui/filedialog.h"
#include "core/ui/messagebox.h"
#include "db/database.h"
#include "db/errors.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QProcessEnvironment>

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
    return FileDialog::getSaveFileName(parent, kSaveTitle,
                                       BackupFileName(database, QDateTime::currentDateTime()), filter,
                                       QStringLiteral("sql"));
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

bool WriteScriptBackup(TmySQLDatabase &db, const QString &chosen, QWidget *parent,
                       const std::function<void(const DumpProgress &)> &progress)
{
    const QString script = ScriptFileName(chosen);
    WriteBackupScript(db, progress, script);
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

QString FileSizeText(qint64 bytes)
{
    const QLocale hu(QLocale::Hungarian, QLocale::Hungary);
    if (bytes < 1024)
        return QStringLiteral("%1 bájt").arg(bytes);
    if (bytes < 1024 * 1024)
        return hu.toString(double(bytes) / 1024.0, 'f', 1) + QStringLiteral(" kB");
    return hu.toString(double(bytes) / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MB");
}

QString BackupDoneText(const QString &file)
{
    return QStringLiteral("A biztonsági mentés elkészült:\n%1\n(%2)")
        .arg(QDir::toNativeSeparators(file), FileSizeText(QFileInfo(file).size()));
}

bool OpenProfileDatabase(TmySQLDatabase &db, const ProfileFields &profile, QWidget *parent)
{
    try {
        db.close();
        db.setHost(profile.host);
        db.setUserName(profile.user);
        db.setUserPassword(profile.password);
        db.setDatabaseName(profile.database);
        db.setPort(profile.port);
        db.open();
        return true;
    } catch (const EmySQLDatabaseError &e) {
        db.close();
        ShowError(QStringLiteral("Hiba: ") + e.message(), parent);
        return false;
    }
}

void ScriptBackup(TmySQLDatabase &db, const ProfileFields &profile, QWidget *parent,
                  const std::function<void(const DumpProgress &)> &progress)
{
    const QString chosen = askFile(
        profile.database, QStringLiteral("SQL file (*.sql)|*.sql|Tömörített SQL file (*.zip)|*.zip"), parent);
    if (chosen.isEmpty())
        return;
    QCoreApplication::processEvents();
    if (!OpenProfileDatabase(db, profile, parent))
        return;
    bool done = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        done = WriteScriptBackup(db, chosen, parent, progress);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        db.close();
        throw;
    }
    QApplication::restoreOverrideCursor();
    db.close();
    if (done)
        ShowInfo(BackupDoneText(chosen), parent);
}

QString DumpCommandLine(const QString &dumpPath, const ProfileFields &profile, const QString &resultFile)
{
    const QString q = QStringLiteral("\"");
    return q + dumpPath + q + QStringLiteral(" -c -C --force --databases ") + profile.database +
           QStringLiteral(" --password=") + profile.password + QStringLiteral(" --port=") +
           QString::number(profile.port) + QStringLiteral(" --host=") + profile.host +
           QStringLiteral(" --user=") + profile.user + QStringLiteral(" --result-file=") + q + resultFile + q;
}

QStringList DumpArguments(const ProfileFields &profile, const QString &resultFile)
{
    return {QStringLiteral("-c"),
            QStringLiteral("-C"),
            QStringLiteral("--force"),
            QStringLiteral("--verbose"),
            QStringLiteral("--databases"),
            profile.database,
            QStringLiteral("--port=") + QString::number(profile.port),
            QStringLiteral("--host=") + profile.host,
            QStringLiteral("--user=") + profile.user,
            QStringLiteral("--result-file=") + resultFile};
}

QString DumpCommandFile(const QString &dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("Mentes.cmd"));
}

namespace {

void writeCommandFile(const QString &cmdFile, const QString &line)
{
    constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QFile f(cmdFile);
    // It holds the server password: nobody but its owner may read it, from the first byte on.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate, ownerOnly) || !f.setPermissions(ownerOnly))
        throw EmySQLDatabaseError(
            QStringLiteral("A parancsfájl nem hozható létre: %1\n%2").arg(cmdFile, f.errorString()));
    f.write((line + QStringLiteral("\r\n")).toUtf8());
    f.close();
}

}  // namespace

DumpRunResult RunDumpTool(const QString &dumpPath, const ProfileFields &profile, const QString &resultFile,
                          const QString &dataDir,
                          const std::function<void(const QString &line, qint64 bytes)> &progress)
{
    DumpRunResult r;
    const QString cmdFile = DumpCommandFile(dataDir);
    writeCommandFile(cmdFile, DumpCommandLine(dumpPath, profile, resultFile));

    QProcess tool;
    tool.setProgram(dumpPath);
    tool.setArguments(DumpArguments(profile, resultFile));
    tool.setWorkingDirectory(dataDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The password reaches the tool through its environment, never through a command line
    // that any user of the machine could list.
    if (profile.password.isEmpty())
        env.remove(QStringLiteral("MYSQL_PWD"));
    else
        env.insert(QStringLiteral("MYSQL_PWD"), profile.password);
    tool.setProcessEnvironment(env);
    tool.setStandardInputFile(QProcess::nullDevice());
    tool.setStandardOutputFile(QProcess::nullDevice());
    tool.start();
    if (dumpPath.isEmpty() || !tool.waitForStarted(10000)) {
        r.startError =
            dumpPath.isEmpty() ? QStringLiteral("Nincs megadva a mentőprogram helye.") : tool.errorString();
        QFile::remove(cmdFile);
        return r;
    }
    r.started = true;

    QByteArray pending;
    QStringList errors;
    const auto takeLines = [&](bool all) {
        pending += tool.readAllStandardError();
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0 || (all && !pending.isEmpty())) {
            if (end < 0)
                end = pending.size();
            const QString line = QString::fromLocal8Bit(pending.left(end)).trimmed();
            pending.remove(0, end + 1);
            if (line.isEmpty())
                continue;
            // The tool's own progress lines begin with "--".
            if (line.startsWith(QStringLiteral("--"))) {
                if (progress)
                    progress(line, QFileInfo(resultFile).size());
            } else {
                errors << line;
            }
        }
    };
    while (tool.state() != QProcess::NotRunning) {
        tool.waitForFinished(100);
        takeLines(false);
        if (progress)
            progress(QString(), QFileInfo(resultFile).size());
        QCoreApplication::processEvents();
    }
    takeLines(true);
    r.exitCode = tool.exitCode();
    r.crashed = tool.exitStatus() == QProcess::CrashExit;
    r.errorOutput = errors.join(QLatin1Char('\n'));
    QFile::remove(cmdFile);
    return r;
}

QString DumpResultText(const DumpRunResult &r, const QString &dumpPath, const QString &resultFile)
{
    if (!r.started)
        return QStringLiteral("A mentőprogram nem indítható: \"%1\"\n%2").arg(dumpPath, r.startError);
    if (r.crashed)
        return QStringLiteral("A mentőprogram váratlanul leállt.\n\n%1").arg(r.errorOutput).trimmed();
    if (r.exitCode != 0)
        return QStringLiteral("A teljes mentés nem sikerült (a mentőprogram kilépési kódja: %1).\n\n%2")
            .arg(r.exitCode)
            .arg(r.errorOutput)
            .trimmed();
    QString text = QStringLiteral("A teljes mentés elkészült:\n%1\n(%2)")
                       .arg(QDir::toNativeSeparators(resultFile), FileSizeText(QFileInfo(resultFile).size()));
    if (!r.errorOutput.isEmpty())
        text += QStringLiteral("\n\nA mentőprogram üzenetei:\n") + r.errorOutput;
    return text;
}

void FullBackup(const QString &dumpPath, const ProfileFields &profile, QWidget *parent,
                const std::function<void(const QString &line, qint64 bytes)> &progress)
{
    const QString chosen = askFile(profile.database, QStringLiteral("SQL file (*.sql)|*.sql"), parent);
    if (chosen.isEmpty())
        return;
    const DumpRunResult r = RunDumpTool(dumpPath, profile, chosen, DataDir(), progress);
    const bool failed = !r.started || r.crashed || r.exitCode != 0;
    // A file the failed tool left empty is no backup.
    if (failed && QFileInfo(chosen).exists() && QFileInfo(chosen).size() == 0)
        QFile::remove(chosen);
    if (failed)
        ShowError(DumpResultText(r, dumpPath, chosen), parent);
    else
        ShowInfo(DumpResultText(r, dumpPath, chosen), parent);
}

}  // namespace zorva
