// The commands the program runs without opening a window.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

class QIODevice;

#include <functional>
#include <optional>

namespace zorva {

// Runs the database commands (--create-database, --upgrade-database, --demo-data) and
// gives the exit code.
using DatabaseCommand = std::function<int(const QStringList &args, QTextStream &out, QTextStream &err)>;

// The commands that work on a database without a window (backup, restore, export, report,
// check); args[0] is the command.  `password` is the one given by --password-file,
// --password-stdin or ZORVA_PASSWORD, already put into a --dsn text; a --profile whose
// stored password is empty takes it.
using TaskCommand = std::function<int(const QStringList &args, const std::optional<QString> &password,
                                      QTextStream &out, QTextStream &err)>;

// Whether the arguments (without the program name) ask for a command rather than the
// windows.
bool isCommandLine(const QStringList &args);
// Whether the arguments ask for one of the commands of TaskCommand.
bool isTaskCommand(const QStringList &args);

// Runs the command of the arguments (without the program name) on IniPath() and gives
// its exit code; nothing when the arguments ask for no command.
//   --add-profile "db;host;port;user;password;name"  the profile as the first free ConStr<n>
//   --has-profile                                   0 when a profile is offered at start, else 1
//   --help
// Every command that connects takes its password from --password-file FILE, --password-stdin
// (standard input, or `input` when given) or ZORVA_PASSWORD instead of the command line.
std::optional<int> runCommandLine(const QStringList &args, QTextStream &out, QTextStream &err,
                                  const DatabaseCommand &databaseCommand, const TaskCommand &taskCommand = {},
                                  QIODevice *input = nullptr);

// The first n (1-100) whose key ConStr<n> is missing or empty in the settings file; 0 when
// all are used.
int firstFreeProfileNumber(const QString &iniPath);

}  // namespace zorva
