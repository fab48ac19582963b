// The commands the program runs without opening a window.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>

namespace zorva {

// Runs the database commands (--create-database, --upgrade-database, --demo-data) and
// gives the exit code.
using DatabaseCommand = std::function<int(const QStringList &args, QTextStream &out, QTextStream &err)>;

// Whether the arguments (without the program name) ask for a command rather than the
// windows.
bool isCommandLine(const QStringList &args);

// Runs the command of the arguments (without the program name) on IniPath() and gives
// its exit code; nothing when the arguments ask for no command.
//   --add-profile "db;host;port;user;password;name"  the profile as the first free ConStr<n>
//   --has-profile                                   0 when a profile is offered at start, else 1
//   --help
std::optional<int> runCommandLine(const QStringList &args, QTextStream &out, QTextStream &err,
                                  const DatabaseCommand &databaseCommand);

// The first n (1-100) whose key ConStr<n> is missing or empty in the settings file; 0 when
// all are used.
int firstFreeProfileNumber(const QString &iniPath);

}  // namespace zorva
