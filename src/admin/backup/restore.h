// Restoring a backup script the program wrote (plain ".sql" or the ".sql" entry of its ".zip"
// archive) into a database, statement by statement, and comparing each table's row count
// with the script's afterwards.
#pragma once

#include "core/programsettings.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class QWidget;
class TmySQLDatabase;

namespace zorva {

// The bytes of the script in `file`: the file itself, or the single ".sql" entry of a ".zip"
// archive.  Empty with `error` set when it cannot be read.
QByteArray ReadBackupFile(const QString &file, QString &error);

struct RestoreTableCount {
    QString table;
    qint64 inScript = 0;    // rows of the table's INSERT statements
    qint64 inDatabase = 0;  // rows after the restore
};

struct RestoreResult {
    int statementCount = 0;
    int statementsRun = 0;  // statements that took effect
    bool completed = false;
    // A failing statement: its number (1-based), the script line it begins on, the table
    // it writes and the server's message.
    int failedStatement = 0;
    int failedLine = 0;
    QString failedTable;
    QString error;
    QList<RestoreTableCount> counts;  // in the script's order, when completed
};

// Runs the script on db's current database.  A failing statement stops the run; the
// statements before it have taken effect.  `progress` is told (statements done, count)
// after each statement.
RestoreResult RestoreScript(TmySQLDatabase &db, const QByteArray &script,
                            const std::function<void(int done, int total)> &progress = {});

// The closing message of a restore of `database`.
QString RestoreResultText(const RestoreResult &r, const QString &database);
// True when the run completed and every table holds as many rows as the script.
bool RestoreMatches(const RestoreResult &r);

// "Visszaállítás" of the profile's database over `db`: open dialog, the question naming the
// database, connecting (a failure shows "Hiba: " + the error), the run with progress, and
// the closing message.
void RestoreBackup(TmySQLDatabase &db, const ProfileFields &profile, QWidget *parent = nullptr,
                   const std::function<void(int done, int total)> &progress = {});

}  // namespace zorva
