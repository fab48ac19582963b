// Handing a message with an attachment to the user's mail program, which shows
// it for completing and sending.  On this platform the hand-off is the
// desktop's xdg-email.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace zorva {

// Result codes of the hand-off.
enum MailResult {
    MailNoHandOff = -1,  // no mail hand-off on this machine
    MailSuccess = 0,
    MailHandOffUnusable = 1,      // the hand-off exists but cannot be started
    MailFailure = 2,              // the mail program refused or failed
    MailAttachmentNotFound = 11,  // the attachment does not exist
};

// Any argument may be empty.  Without a recipient the mail program asks for one.
// The sender is left to the mail program (it chooses the account); the names are
// not passed on.  Returns at once, never waiting for the mail program: a MailResult
// for what is known before it starts (MailNoHandOff, MailAttachmentNotFound,
// MailHandOffUnusable) or MailSuccess when the hand-off was started.  Once the hand-off
// has ended (or after waitMs(), when the mail program stays open with the message, as
// MailSuccess) `finished` receives its result on the user-interface thread.
int SendMail(const QString &subject, const QString &body, const QString &attachment,
             const QString &senderName, const QString &senderAddress, const QString &recipientName,
             const QString &recipientAddress, const std::function<void(int)> &finished = {});

// The Hungarian message of a result other than MailSuccess, for the user.
QString MailResultText(int result);

namespace mailhandoff {

// The program used: a name looked up in PATH ("xdg-email") or a path.
QString program();
void setProgram(const QString &nameOrPath);
// How long the hand-off is watched for its end before the message counts as handed
// over (the mail program then keeps running on its own).
int waitMs();
void setWaitMs(int ms);

QStringList arguments(const QString &subject, const QString &body, const QString &attachment,
                      const QString &recipientAddress);

}  // namespace mailhandoff

}  // namespace zorva
