// Backing up a profile's database: the script of every table (plain ".sql" or packed into a
// ".zip" archive) and the command file that runs the dump tool.
#pragma once

#include "programsettings.h"

#include <QDateTime>
#include <QString>

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
// the backup is complete.
bool WriteScriptBackup(TmySQLDatabase &db, const QString &chosen, QWidget *parent = nullptr);

// Script backup of the profile's database over `db`: save dialog, connecting (a failure
// shows "Hiba: " + the error), writing, closing.
void ScriptBackup(TmySQLDatabase &db, const ProfileFields &profile, QWidget *parent = nullptr);

// The dump tool's command line for the profile, without the line end.
QString DumpCommandLine(const QString &dumpPath, const ProfileFields &profile, const QString &resultFile);

// The command file's path in `dataDir`.
QString DumpCommandFile(const QString &dataDir);

// Writes the command file in `dataDir` (one line; LF, as the shell reads it), starts it with the shell
// without waiting for it, and removes it `waitMs` later (the user interface is blocked meanwhile, so the
// shell has read it).  False when the file could not be written or started.
bool RunDumpCommand(const QString &dumpPath, const ProfileFields &profile, const QString &resultFile,
                    const QString &dataDir, int waitMs = 3000);

// Full backup through the dump tool: save dialog, then RunDumpCommand in DataDir().
void FullBackup(const QString &dumpPath, const ProfileFields &profile, QWidget *parent = nullptr);

}  // namespace zorva
