// Rules the user list keeps on the server's table felhasznalo, read through the main
// connection: a user name is taken at most once (the table's collation decides what counts
// as the same name), and a database that has an administrator keeps one.
#pragma once

#include <QString>

namespace zorva {

// The administrators other than `exceptUser` (all of them when it is empty).
qint64 OtherAdministrators(const QString &exceptUser);
// Whether a change would leave no administrator where there is one now: `storedUser` is
// the row's name as the server holds it (empty for a new row), `staysAdministrator`
// whether the row is an administrator afterwards (false for a deletion).
bool LosesLastAdministrator(const QString &storedUser, bool staysAdministrator);
// The stored name that `name` would collide with, other than the row `exceptUser`
// itself; empty when there is none.
QString TakenUserName(const QString &name, const QString &exceptUser);
// Whether the main connection's character set holds every character of `text`.
bool FitsCharacterSet(const QString &text);

}  // namespace zorva
