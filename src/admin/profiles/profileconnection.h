// Connection profiles ("database;host;port;user;password;display name[;]") turned into
// connections.
#pragma once

#include <QString>

class QWidget;
class TmySQLDatabase;

namespace zorva {

// A port typed by a user or read from a profile: a whole number from 1 to 65535
// (surrounding spaces allowed).  False, and `port` untouched, otherwise.
bool parsePort(const QString &text, int &port);
// The message that refuses such a port.
QString portErrorText(const QString &text);

// Sets database, host, port, user and password of `db` from the plain profile.
// Throws EmySQLDatabaseError with portErrorText when the port is not valid.
void applyProfile(TmySQLDatabase &db, const QString &plain);

// Opens `db` on the profile and closes it again.  A failure shows "Hiba: " + the error
// text and gives false.
bool TestProfileConnection(TmySQLDatabase &db, const QString &plain, QWidget *parent = nullptr);

}  // namespace zorva
