// The desktop shell's "open" and the start of outside programs, behind a seam:
// in test mode nothing is started, the requests are only recorded.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace zorva {

class Shell {
public:
    // Documents, folders, web and "mailto:" addresses; false when the shell refused.
    static bool openUrl(const QUrl &url);
    static bool openFile(const QString &path);
    // Starts a program and leaves it to itself (never waited for).
    static bool startDetached(const QString &program, const QStringList &arguments,
                              const QString &workingDirectory);

    // --- test hooks (test mode as for message boxes)
    struct Request {
        QUrl url;         // openUrl / openFile
        QString program;  // startDetached
        QStringList arguments;
        QString workingDirectory;
    };
    static QList<Request> log();
    static void clearLog();
};

}  // namespace zorva
