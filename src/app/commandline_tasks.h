// The commands that work on a database without showing a window, on the same code as the
// windows: backup, restore, export, report, check.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace zorva {

// Exit codes of the commands.
enum TaskExit {
    TaskDone = 0,
    TaskFailed = 1,  // the work failed, or check found a broken balance
    TaskBadArguments = 2,
    TaskNoDatabase = 3,  // the database could not be opened (wrong password, no server)
    TaskNotFound = 4,    // the named cash box, report or profile does not exist
    TaskFileError = 5,   // a file that cannot be written or read
};

// args[0] is the command; `password` fills a --profile whose stored password is empty.
// Messages (Hungarian) go to `err`, progress too; results to `out`.  Export and report need
// a QApplication (any platform: nothing is shown).
int runTaskCommand(const QStringList &args, const std::optional<QString> &password, QTextStream &out,
                   QTextStream &err);

// The names `zorva report` knows, each with its title.
struct ReportName {
    QString name;
    QString title;
};
QList<ReportName> taskReportNames();

namespace tasks {
// Tests fix the time printed on an HTML page; a null time goes back to the clock.
void setExportTime(const QDateTime &t);
// The main window's size while a list is exported (the HTML page's column widths follow it).
QSize listWindowSize();
}  // namespace tasks

}  // namespace zorva
