#include "sendmail.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

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
             const QString &recipientAddress)
{
    Q_UNUSED(senderName)
    Q_UNUSED(senderAddress)
    Q_UNUSED(recipientName)
    const QString exe = mailhandoff::resolveProgram();
    if (exe.isEmpty())
        return MailNoHandOff;
    if (!attachment.isEmpty() && !QFileInfo(attachment).isFile())
        return MailAttachmentNotFound;

    auto *proc = new QProcess(QCoreApplication::instance());
    proc->setProgram(exe);
    proc->setArguments(mailhandoff::arguments(subject, body, attachment, recipientAddress));
    proc->setStandardInputFile(QProcess::nullDevice());
    proc->setProcessChannelMode(QProcess::ForwardedChannels);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool finished = false;
    bool failedToStart = false;
    int exitCode = 0;
    QObject::connect(proc, &QProcess::finished, &loop, [&](int code, QProcess::ExitStatus status) {
        finished = true;
        exitCode = status == QProcess::NormalExit ? code : 4;
        loop.quit();
    });
    QObject::connect(proc, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            failedToStart = true;
            loop.quit();
        }
    });
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    // Whatever happens below, the process object goes away once the program ends.
    QObject::connect(proc, &QProcess::finished, proc, &QObject::deleteLater);

    proc->start();
    timer.start(mailhandoff::waitMs());
    if (!finished && !failedToStart)
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (failedToStart) {
        proc->deleteLater();
        return MailHandOffUnusable;
    }
    if (!finished)
        return MailSuccess;  // the mail program is up with the message; it lives on by itself
    return mailhandoff::resultOfExitCode(exitCode);
}

}  // namespace zorva
