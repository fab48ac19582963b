// The mail hand-off through a stand-in for xdg-email: arguments and result codes.
#include "export/ui/sendmail.h"
#include "support/testserver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

class SendMailTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        mailhandoff::setProgram(QStringLiteral("xdg-email"));
        mailhandoff::setWaitMs(15000);
    }

    // A hand-off program that writes its arguments, one a line, and ends with `code`.
    QString fakeProgram(int code, const QString &extra = QString())
    {
        const QString script = tmp.file(QStringLiteral("mail-%1.sh").arg(code));
        QFile s(script);
        EXPECT_TRUE(s.open(QIODevice::WriteOnly));
        s.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\n%2\nexit %3\n")
                    .arg(argsFile(), extra)
                    .arg(code)
                    .toUtf8());
        s.close();
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }
    QString argsFile() const { return tmp.file(QStringLiteral("args.txt")); }
    QStringList args() const
    {
        QFile f(argsFile());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)
                                           : QStringList();
    }
    QString attachment()
    {
        const QString a = tmp.file(QStringLiteral("lap.htm"));
        QFile f(a);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return a;
    }

    testsupport::TempFolder tmp;
};

}  // namespace

TEST_F(SendMailTest, HandsSubjectBodyAttachmentAndRecipientOver)
{
    mailhandoff::setProgram(fakeProgram(0));
    const QString att = attachment();
    int result = -100;
    EXPECT_EQ(SendMail(QStringLiteral("Tárgy"), QStringLiteral("Első sor\nmásodik"), att,
                       QStringLiteral("Én"), QStringLiteral("en@pelda.hu"), QStringLiteral("Te"),
                       QStringLiteral("te@pelda.hu"), [&result](int r) { result = r; }),
              MailSuccess);
    QTRY_COMPARE_WITH_TIMEOUT(result, int(MailSuccess), 10000);
    EXPECT_EQ(args(), (QStringList{"--utf8", "--subject", "Tárgy", "--body", "Első sor", "második",
                                   "--attach", att, "te@pelda.hu"}));

    mailhandoff::setProgram(fakeProgram(0));
    result = -100;
    EXPECT_EQ(SendMail(QString(), QString(), QString(), QString(), QString(), QString(), QString(),
                       [&result](int r) { result = r; }),
              MailSuccess);
    QTRY_COMPARE_WITH_TIMEOUT(result, int(MailSuccess), 10000);
    EXPECT_EQ(args(), QStringList{"--utf8"}) << "no recipient: the mail program asks for one";
}

TEST_F(SendMailTest, ResultCodesKeepTheirMeaning)
{
    mailhandoff::setProgram(tmp.file(QStringLiteral("nincs-ilyen")));
    EXPECT_EQ(SendMail(QStringLiteral("s"), QString(), QString(), QString(), QString(), QString(), QString()),
              MailNoHandOff);
    mailhandoff::setProgram(QStringLiteral("zorva-no-such-mail-tool"));
    EXPECT_EQ(SendMail(QStringLiteral("s"), QString(), QString(), QString(), QString(), QString(), QString()),
              MailNoHandOff);

    // What the hand-off ends with arrives later; SendMail itself has returned at once.
    for (const auto &[exitCode, expected] :
         {std::pair{3, MailNoHandOff}, std::pair{4, MailFailure}, std::pair{0, MailSuccess},
          std::pair{2, MailAttachmentNotFound}}) {
        mailhandoff::setProgram(fakeProgram(exitCode));
        int result = -100;
        EXPECT_EQ(SendMail(QStringLiteral("s"), QString(), QString(), QString(), QString(), QString(),
                           QString(), [&result](int r) { result = r; }),
                  MailSuccess);
        QTRY_COMPARE_WITH_TIMEOUT(result, int(expected), 10000);
    }
    EXPECT_FALSE(MailResultText(MailNoHandOff).isEmpty());
    EXPECT_NE(MailResultText(MailNoHandOff), MailResultText(MailFailure));

    mailhandoff::setProgram(fakeProgram(0));
    EXPECT_EQ(SendMail(QStringLiteral("s"), QString(), tmp.file(QStringLiteral("eltunt.htm")), QString(),
                       QString(), QString(), QString()),
              MailAttachmentNotFound);

    const QString notRunnable = tmp.file(QStringLiteral("nem-futtathato"));
    QFile f(notRunnable);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QFile::setPermissions(notRunnable, QFile::ReadOwner | QFile::WriteOwner);
    mailhandoff::setProgram(notRunnable);
    EXPECT_EQ(SendMail(QStringLiteral("s"), QString(), QString(), QString(), QString(), QString(), QString()),
              MailHandOffUnusable);
}

TEST_F(SendMailTest, AMailProgramThatStaysOpenCountsAsHandedOverAndNothingWaitsForIt)
{
    mailhandoff::setProgram(fakeProgram(4, QStringLiteral("sleep 3")));
    mailhandoff::setWaitMs(300);
    QElapsedTimer clock;
    clock.start();
    int result = -100;
    EXPECT_EQ(SendMail(QStringLiteral("s"), QString(), QString(), QString(), QString(), QString(), QString(),
                       [&result](int r) { result = r; }),
              MailSuccess);
    EXPECT_LT(clock.elapsed(), 250) << "SendMail returns before the hand-off ends";
    EXPECT_EQ(result, -100);
    QTRY_COMPARE_WITH_TIMEOUT(result, int(MailSuccess), 5000);
    EXPECT_LT(clock.elapsed(), 2500) << "the program is not waited for";
}
