// Creating, upgrading and filling a Zorva database; the program's database commands.
//
// The SQL of the database lives in sql/ of the source tree and is built into the
// program, so nothing is read from disk at run time.  Every function works on an open
// connection and throws DbInstallError for what it refuses (with a message for the
// user) or EmySQLDatabaseError for a failure of the server.
#pragma once

#include "dbinstallerror.h"
#include "demodata.h"
#include "core/dbhelpers/proccalls.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

class TmySQLDatabase;

namespace zorva {

// The database commands of the command line; args[0] is the command.
//   --create-database DSN [--demo] [--entries N] [--use-existing]
//   --upgrade-database DSN
//   --demo-data DSN [--entries N]
// DSN is user:password@host:port/database (":password" and ":port" may be left out;
// the port defaults to 3306) or a profile "database;host;port;user;password;name".
// --use-existing installs into a database that exists already but is empty (a hosting
// company's database); without it an existing database is refused.
// Returns the exit code: 0 done, 1 refused or failed, 2 wrong arguments.
int runDatabaseCommand(const QStringList &args, QTextStream &out, QTextStream &err);

// Runs the statements of a script (see splitSqlScript) one by one.  A failing statement
// stops it with DbInstallError "<name>, <line>. sor: <server message>".
void runSqlScript(TmySQLDatabase &db, const QString &script, const QString &name);

// The schema version of the connection's database: the highest number in table verzio;
// 0 when the table is missing (not a Zorva database).
int schemaVersion(TmySQLDatabase &db);

// Creates the database `name` (latin2 / latin2_hungarian_ci) on the server of
// `serverConn` with the newest schema, and makes it the connection's current database.
// An existing database is refused, never overwritten; a database this call created is
// dropped again when installing it fails.
void createDatabase(TmySQLDatabase &serverConn, const QString &name);

// Installs the newest schema into the connection's current database, which must be
// empty (no tables, views or routines): the way tests fill a scratch schema.
void installSchema(TmySQLDatabase &db);

struct UpgradeResult {
    int from = 0;
    int to = 0;
};
// Brings the connection's database to the newest schema version in place: each missing
// version step runs once (steps are idempotent), then the triggers, views and procedures
// are installed anew.  Refuses a database without table verzio and one newer than this
// program.  Data is kept.
UpgradeResult upgradeDatabase(TmySQLDatabase &db);

// (Re)creates every trigger, view and procedure.
void installRoutines(TmySQLDatabase &db);

}  // namespace zorva
