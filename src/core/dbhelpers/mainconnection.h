// The program's one shared connection, and one-value reads on it.
#pragma once

#include <QString>

class TmySQLDatabase;

namespace zorva {

// The main window's connection; set at start-up, cleared when it is closed.
void setMainConnection(TmySQLDatabase *db);
// Throws EmySQLDatabaseError when no connection has been set.
TmySQLDatabase &mainConnection();
bool hasMainConnection();

// A statement that returns no rows.
void ExecSql(const QString &sql);
// First column of the first row; the default only when no row comes back (a NULL or a
// text that is no number reads as 0, a NULL text as empty text).
qint64 QueryInt(const QString &sql, qint64 defaultValue);
QString QueryText(const QString &sql, const QString &defaultValue);
double QueryFloat(const QString &sql, double defaultValue);
// QueryText of "SELECT x_nev FROM x WHERE x=id;" (the name of cash box 1 is
// LookupName(1, "kassza", "")).
QString LookupName(qint64 id, const QString &x, const QString &defaultValue);

// The characters of `text`, each once, that the main connection's character set has no
// place for (they would be stored as "?"); empty when every character fits.
QString UnstorableChars(const QString &text);

}  // namespace zorva
