// Backing up a profile's database: the script of every table (plain ".sql" or packed into a
// ".zip" archive) and the command file that runs the dump tool.
#pragma once

#include "core/dbhelpers/tabledump.h"
#include "core/programsettings.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;
class TmySQLDatabase;

namespace zorva {

// The save dialog's initial name: database + "-" + "yyyy-MM-dd-HH-mm-ss" of `now`.
QString BackupFileName(const QString &database, const QDateTime &now);

// The file the script goes to: `chosen` itself, or for a ".zip" name the same name ending in
// ".sql".
QString ScriptFileName(const QString &chosen);

// Packs `sqlFile` as the only entry (its own name, no folder, Deflate level 9) of a new
// archive `zipFile`, replacing an earlier one.  False with `error` set on failure; the
// script is left alone either way.
bool PackScript(const QString &sqlFile, const QString &zipFile, QString &error);

// Writes the script of db's database (already open) for the chosen file name; a ".zip" name
// is packed and the loose script removed.  Database and file errors are thrown on; a packing
// failure shows "Hiba az archiválás közben" + the error and keeps the script.  True when
// the backup is complete.  `progress` follows the tables and their rows.
bool WriteScriptBackup(TmySQLDatabase &db, const QString &chosen, QWidget *parent = nullptr,
                       const std::function<void(const DumpProgress &)> &progress = {});

// "A biztonsági mentés elkészült." with the file's name and size.
QString BackupDoneText(const QString &file);
// A file size as the messages show it ("512 bájt", "1,5 kB", "23,4 MB").
QString FileSizeText(qint64 bytes);

// Script backup of the profile's database over `db`: save dialog, connecting (a failure
// shows "Hiba: " + the error), writing with progress, closing, and the closing message.
// Opens `db` on the profile's server and database; a refusal is shown ("Hiba: ...") and false
// returned, with `db` closed.
bool OpenProfileDatabase(TmySQLDatabase &db, const ProfileFields &profile, QWidget *parent);

void ScriptBackup(TmySQLDatabase &db, const ProfileFields &profile, QWidget *parent = nullptr,
                  const std::function<void(const DumpProgress &)> &progress = {});

// The dump tool's command line for the profile, without the line end.
QString DumpCommandLine(const QString &dumpPath, const ProfileFields &profile, const QString &resultFile);
// The dump tool's arguments for the profile: the options of the command line except the
// password, which the tool takes from the environment (MYSQL_PWD) instead.
QStringList DumpArguments(const ProfileFields &profile, const QString &resultFile);

// The command file's path in `dataDir`.
QString DumpCommandFile(const QString &dataDir);

struct DumpRunResult {
    bool started = false;
    int exitCode = -1;
    bool crashed = false;
    QString errorOutput;  // what the tool wrote as errors (its progress lines left out)
    QString startError;   // why it could not be started
};

// Full backup through the dump tool: writes the command file in `dataDir` (one line, readable
// only by its owner), runs the tool as a child process with the password in its environment
// (never on a command line), hands each progress line of the tool and the size of the result
// file so far to `progress`, waits for it while the user interface keeps running, and removes
// the command file.
DumpRunResult RunDumpTool(const QString &dumpPath, const ProfileFields &profile, const QString &resultFile,
                          const QString &dataDir,
                          const std::function<void(const QString &line, qint64 bytes)> &progress = {});
// The message of a finished run: the file and its size, or what went wrong.
QString DumpResultText(const DumpRunResult &r, const QString &dumpPath, const QString &resultFile);

// Full backup through the dump tool: save dialog, then RunDumpTool in DataDir() and its
// result in a message box.
void FullBackup(const QString &dumpPath, const ProfileFields &profile, QWidget *parent = nullptr,
                const std::function<void(const QString &line, qint64 bytes)> &progress = {});

}  // namespace zorva
