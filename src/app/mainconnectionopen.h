// Opening the program's one connection on a profile, and the first reads on it.
#pragma once

#include "core/dbhelpers/settingsrow.h"
#include "core/globals.h"

#include <QString>

class TmySQLDatabase;

namespace zorva {

// The statement run on a connection the client library has re-established by itself.
QString reconnectStatement();

// Closes `db`, takes database, host, port, user and password from the plain profile,
// sets DbName (sixth field) and the application title "Zorva - " + DbName, and opens `db`
// compressed, in latin2 / latin2_hungarian_ci with a 30 s time-out.  A re-established
// connection gets reconnectStatement().  False when the connection could not be opened
// (a port that is no whole number 1-65535 included); no message is shown.
bool openMainConnection(TmySQLDatabase &db, const QString &conStr, QString *error = nullptr);

// The column tulajdonos of the first row of the table tulajdonos (empty without a row).
QString readOwnerName(TmySQLDatabase &db);
// "Zorva: [" + owner + "]"
QString mainCaption(const QString &owner);

}  // namespace zorva
