#include "sendmail.h"
#include "core/ui/slotguard.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>

#include <memory>

namespace zorva {

namespace mailhandoff {

namespace {

QString &programSetting()
{
    static QString p = QStringLiteral("xdg-email");
    return p;
}

int &waitSetting()
{
    static int ms = 15000;
    return ms;
}

QString resolveProgram()
{
    const QString p = programSetting();
    if (p.contains(QLatin1Char('/'))) {
        const QFileInfo fi(p);
        return fi.isFile() ? fi.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(p);
}

// xdg-email's exit codes as the hand-off's results.
int resultOfExitCode(int code)
{
    switch (code) {
        case 0:
            return MailSuccess;
        case 2:
            return MailAttachmentNotFound;
        case 3:  // no mail program to hand the message to
            return MailNoHandOff;
        default:
            return MailFailure;
    }
}

}  // namespace

QString program()
{
    return programSetting();
}

void setProgram(const QString &nameOrPath)
{
    programSetting() = nameOrPath;
}

int waitMs()
{
    return waitSetting();
}

void setWaitMs(int ms)
{
    waitSetting() = ms;
}

QStringList arguments(const QString &subject, const QString &body, const QString &attachment,
                      const QString &recipientAddress)
{
    QStringList args{QStringLiteral("--utf8")};
    if (!subject.isEmpty())
        args << QStringLiteral("--subject") << subject;
    if (!body.isEmpty())
        args << QStringLiteral("--body") << body;
    if (!attachment.isEmpty())
        args << QStringLiteral("--attach") << QFileInfo(attachment).absoluteFilePath();
    if (!recipientAddress.isEmpty())
        args << recipientAddress;
    return args;
}

}  // namespace mailhandoff

int SendMail(const QString &subject, const QString &body, const QString &attachment,
             const QString &senderName, const QString &senderAddress, const QString &recipientName,
             const QString &recipientAddress, const std::function<void(int)> &finished)
{
    Q_UNUSED(senderName)
    Q_UNUSED(senderAddress)
    Q_UNUSED(recipientName)
    const QString exe = mailhandoff::resolveProgram();
    if (exe.isEmpty())
        return MailNoHandOff;
    if (!attachment.isEmpty() && !QFileInfo(attachment).isFile())
        return MailAttachmentNotFound;
    if (!QFileInfo(exe).isExecutable())
        return MailHandOffUnusable;

    // The hand-off runs detached, so that a mail program it leaves open is not
    // ended with this program; a small shell wrapper reports its exit code in a file.
    QString statusFile;
    {
        QTemporaryFile reserve(QDir::temp().filePath(QStringLiteral("zorva-mail-XXXXXX.status")));
        if (!reserve.open())
            return MailFailure;
        statusFile = reserve.fileName();
    }  // removed again: its appearance means the hand-off has ended
    QStringList args{QStringLiteral("-c"),
                     QStringLiteral("st=$1; shift; \"$@\"; c=$?; [ -e \"$st.wait\" ] && echo $c > \"$st\""),
                     QStringLiteral("sh"), statusFile, exe};
    args += mailhandoff::arguments(subject, body, attachment, recipientAddress);
    // While this marker exists somebody waits for the status; a hand-off that ends
    // later leaves nothing behind.
    const QString marker = statusFile + QStringLiteral(".wait");
    QFile(marker).open(QIODevice::WriteOnly);
    if (!QProcess::startDetached(QStringLiteral("/bin/sh"), args)) {
        QFile::remove(marker);
        return MailHandOffUnusable;
    }

    // The end of the hand-off is watched by a timer: the window goes on meanwhile.
    auto *timer = new QTimer(QCoreApplication::instance());
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, timer, guarded([timer, clock, statusFile, marker, finished] {
                         QString status;
                         QFile f(statusFile);
                         if (f.open(QIODevice::ReadOnly))
                             status = QString::fromLatin1(f.readAll()).trimmed();
                         if (status.isEmpty() && clock->elapsed() < mailhandoff::waitMs())
                             return;
                         timer->stop();
                         timer->deleteLater();
                         QFile::remove(marker);
                         QFile::remove(statusFile);
                         int result = MailSuccess;  // still running: the mail program is up with the message
                         if (!status.isEmpty()) {
                             bool ok = false;
                             const int code = status.toInt(&ok);
                             if (!ok)
                                 result = MailFailure;
                             else if (code == 126 || code == 127)  // found but not runnable
                                 result = MailHandOffUnusable;
                             else
                                 result = mailhandoff::resultOfExitCode(code);
                         }
                         if (finished)
                             finished(result);
                     }));
    timer->start();
    return MailSuccess;
}

QString MailResultText(int result)
{
    switch (result) {
        case MailSuccess:
            return {};
        case MailNoHandOff:
            return QStringLiteral(
                "A levél nem adható át: ezen a gépen nincs levelezőprogram beállítva "
                "(az xdg-email vagy a levelezőprogram hiányzik).");
        case MailHandOffUnusable:
            return QStringLiteral(
                "A levél nem adható át: a levelezőprogram átadója (xdg-email) nem indítható.");
        case MailAttachmentNotFound:
            return QStringLiteral("A levél nem adható át: a csatolandó fájl nem található.");
        default:
            return QStringLiteral("A levelezőprogram nem vette át a levelet (hibakód: %1).").arg(result);
    }
}

}  // namespace zorva
