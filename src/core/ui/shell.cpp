#include "shell.h"

#include "testseam.h"

#include <QDesktopServices>
#include <QProcess>

namespace zorva {

namespace {
QList<Shell::Request> &requests()
{
    static QList<Shell::Request> l;
    return l;
}
}  // namespace

bool Shell::openUrl(const QUrl &url)
{
    requests().append({url, QString(), QStringList(), QString()});
    if (seam::testMode())
        return true;
    return QDesktopServices::openUrl(url);
}

bool Shell::openFile(const QString &path)
{
    return openUrl(QUrl::fromLocalFile(path));
}

bool Shell::startDetached(const QString &program, const QStringList &arguments,
                          const QString &workingDirectory)
{
    requests().append({QUrl(), program, arguments, workingDirectory});
    if (seam::testMode())
        return true;
    return QProcess::startDetached(program, arguments, workingDirectory);
}

QList<Shell::Request> Shell::log()
{
    return requests();
}

void Shell::clearLog()
{
    requests().clear();
}

}  // namespace zorva
