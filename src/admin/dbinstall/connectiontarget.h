// Where a database command connects: parsed from a DSN or a connection profile.
#pragma once

#include <QString>

#include <memory>
#include <optional>

class TmySQLDatabase;

namespace zorva {

struct ConnectionTarget {
    QString host;
    int port = 3306;
    QString user;
    QString password;
    QString database;
};

// "user:password@host:port/database" (the password, the port and the database may be
// left out; the password may hold ':' and '@', the last '@' ends it) or a profile
// "database;host;port;user;password;name".  Nothing, with `error` set, when the text is
// neither.
std::optional<ConnectionTarget> parseConnectionTarget(const QString &text, QString &error);

// An open connection with the program's options (compression, latin2 /
// latin2_hungarian_ci), on `database` (empty: no database chosen).  The network time-out
// is long, for the bulk statements of the demo data.
std::unique_ptr<TmySQLDatabase> openConnection(const ConnectionTarget &target, const QString &database);

}  // namespace zorva
