#include "usertables.h"
#include "admin/login/login.h"
#include "core/globals.h"
#include "core/passwordhash.h"
#include "core/ui/inputtext.h"
#include "core/ui/messagebox.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

const QString Invalid = QStringLiteral("Érvénytelen felhasználó, vagy jelszó");

class LoginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        testsupport::createStartupTables(schema->db());
        beall() = TBeall{};
        beall().rendszergazda = beall().torzsszerkeszt = beall().szerkeszthet = beall().torolhet = false;
        beall().UserName.clear();
        MessageBox::clearLog();
        MessageBox::clearAnswers();
        clearInputTexts();
        dlg = std::make_unique<Tfrm_Login>(schema->db());
        dlg->openTable();
    }
    void TearDown() override
    {
        dlg.reset();
        clearInputTexts();
    }

    void type(const QString &user, const QString &password)
    {
        dlg->userEdit()->setText(user);
        dlg->passwordEdit()->setText(password);
    }
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const auto &s : MessageBox::log())
            texts << s.text;
        return texts;
    }
    QString storedPassword(const QString &user)
    {
        return schema->db().queryText(
            QStringLiteral("SELECT jelszo FROM felhasznalo WHERE felhasznalo='%1'").arg(user));
    }

    std::unique_ptr<testsupport::ScratchSchema> schema;
    std::unique_ptr<Tfrm_Login> dlg;
};

TEST_F(LoginTest, NameAndPasswordMustMatchExactlyInCase)
{
    EXPECT_FALSE(dlg->checkUser(QStringLiteral("Anna"), QStringLiteral("titok1")));
    EXPECT_FALSE(dlg->checkUser(QStringLiteral("anna"), QStringLiteral("Titok1")));
    EXPECT_FALSE(dlg->checkUser(QStringLiteral("Ann"), QStringLiteral("Titok1")));
    EXPECT_FALSE(dlg->checkUser(QStringLiteral("Anna"), QStringLiteral("Titok")));
    EXPECT_FALSE(dlg->checkUser(QStringLiteral("Bela"), QStringLiteral("jelszó")));
    EXPECT_EQ(shownTexts(), QStringList(5, Invalid));
    EXPECT_FALSE(beall().torzsszerkeszt);
    EXPECT_TRUE(dlg->checkUser(QStringLiteral("Béla"), QStringLiteral("jelszó")));
    EXPECT_EQ(MessageBox::log().size(), 5);
}

TEST_F(LoginTest, RightsComeFromTheUsersRow)
{
    ASSERT_TRUE(dlg->checkUser(QStringLiteral("Anna"), QStringLiteral("Titok1")));
    EXPECT_FALSE(beall().rendszergazda);
    EXPECT_TRUE(beall().torzsszerkeszt);
    EXPECT_FALSE(beall().szerkeszthet);
    EXPECT_FALSE(beall().torolhet);
    ASSERT_TRUE(dlg->checkUser(QStringLiteral("Béla"), QStringLiteral("jelszó")));
    EXPECT_TRUE(beall().rendszergazda);
    EXPECT_FALSE(beall().torzsszerkeszt);
    EXPECT_FALSE(beall().szerkeszthet);
    EXPECT_TRUE(beall().torolhet);
}

TEST_F(LoginTest, ThreeFailuresThenSuccessSignsIn)
{
    type(QStringLiteral("Anna"), QStringLiteral("rossz"));
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
        EXPECT_EQ(beall().UserName, QStringLiteral("Anna"));  // kept also after a failure
    }
    type(QStringLiteral("Anna"), QStringLiteral("Titok1"));
    QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(shownTexts(), QStringList(3, Invalid));
    EXPECT_TRUE(beall().torzsszerkeszt);
}

TEST_F(LoginTest, NewPasswordIsStoredAndOnlyItSignsInAfterwards)
{
    type(QStringLiteral("Anna"), QStringLiteral("Titok1"));
    setNextInputText(QStringLiteral("Új-jelsz0"));
    setNextInputText(QStringLiteral("Új-jelsz0"));
    QTest::mouseClick(dlg->newPasswordButton(), Qt::LeftButton);
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Jelszó változtatás kész.")});
    const QString hash = storedPassword(QStringLiteral("Anna"));
    EXPECT_TRUE(IsPasswordHash(hash)) << hash.toStdString();
    EXPECT_EQ(CheckPassword(hash, QStringLiteral("Új-jelsz0")), PasswordCheck::Matches);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);  // still open: only "OK" signs in

    MessageBox::clearLog();
    EXPECT_FALSE(dlg->checkUser(QStringLiteral("Anna"), QStringLiteral("Titok1")));
    type(QStringLiteral("Anna"), QStringLiteral("Új-jelsz0"));
    QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

TEST_F(LoginTest, RefusedNewPasswordsStoreNothing)
{
    type(QStringLiteral("Anna"), QStringLiteral("Titok1"));
    setNextInputText(QStringLiteral("egyik"));
    setNextInputText(QStringLiteral("másik"));
    QTest::mouseClick(dlg->newPasswordButton(), Qt::LeftButton);
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("A megadott jelszavak nem egyezőek")});

    // Longer than a password may be: refused before the repetition is asked.
    MessageBox::clearLog();
    setNextInputText(QString(Tfrm_Login::MaxPasswordLength + 1, QLatin1Char('x')));
    QTest::mouseClick(dlg->newPasswordButton(), Qt::LeftButton);
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_TRUE(MessageBox::log().at(0).text.contains(QStringLiteral("64 karakter")));

    // A character the latin2 column cannot hold would lock the user out.
    MessageBox::clearLog();
    setNextInputText(QStringLiteral("ár€"));
    QTest::mouseClick(dlg->newPasswordButton(), Qt::LeftButton);
    EXPECT_EQ(MessageBox::log().size(), 1);

    // Cancelling either question stores nothing and says nothing.
    MessageBox::clearLog();
    setNextInputCancel();
    QTest::mouseClick(dlg->newPasswordButton(), Qt::LeftButton);
    setNextInputText(QStringLiteral("abc"));
    setNextInputCancel();
    QTest::mouseClick(dlg->newPasswordButton(), Qt::LeftButton);
    EXPECT_TRUE(MessageBox::log().isEmpty());

    // The check before the questions replaced the typed password by its hash, nothing more.
    EXPECT_EQ(CheckPassword(storedPassword(QStringLiteral("Anna")), QStringLiteral("Titok1")),
              PasswordCheck::Matches);
}

TEST_F(LoginTest, NewPasswordWithWrongCurrentPasswordAsksNothing)
{
    type(QStringLiteral("Anna"), QStringLiteral("titok1"));
    setNextInputText(QStringLiteral("uj"));
    setNextInputText(QStringLiteral("uj"));
    QTest::mouseClick(dlg->newPasswordButton(), Qt::LeftButton);
    EXPECT_EQ(shownTexts(), QStringList{Invalid});
    EXPECT_EQ(storedPassword(QStringLiteral("Anna")), QStringLiteral("Titok1"));
}

TEST_F(LoginTest, APasswordStoredAsTypedSignsInOnceAndIsReplacedByItsHash)
{
    // Anna's row comes as an older database holds it: the password as typed.
    EXPECT_FALSE(dlg->checkUser(QStringLiteral("Anna"), QStringLiteral("titok1")));
    EXPECT_EQ(storedPassword(QStringLiteral("Anna")), QStringLiteral("Titok1"));
    ASSERT_TRUE(dlg->checkUser(QStringLiteral("Anna"), QStringLiteral("Titok1")));
    const QString hash = storedPassword(QStringLiteral("Anna"));
    EXPECT_TRUE(IsPasswordHash(hash)) << hash.toStdString();
    // The hash is salted: the same password hashed again gives another text.
    EXPECT_NE(HashPassword(QStringLiteral("Titok1")), hash);
    // Only the password signs in, not the hash typed as a password.
    EXPECT_TRUE(dlg->checkUser(QStringLiteral("Anna"), QStringLiteral("Titok1")));
    EXPECT_FALSE(dlg->checkUser(QStringLiteral("Anna"), hash));
    EXPECT_EQ(storedPassword(QStringLiteral("Anna")), hash);
    EXPECT_EQ(CheckPassword(QString(), QString()), PasswordCheck::Matches);
    EXPECT_EQ(CheckPassword(QString(), QStringLiteral("x")), PasswordCheck::Wrong);
}

TEST_F(LoginTest, EscapeCancelsTheDialog)
{
    QTimer::singleShot(0, dlg.get(), [this] { QTest::keyClick(dlg->userEdit(), Qt::Key_Escape); });
    EXPECT_EQ(dlg->exec(), QDialog::Rejected);
}

TEST_F(LoginTest, MissingUserTableIsThrownToTheStartUp)
{
    schema->db().execute(QStringLiteral("DROP TABLE felhasznalo"));
    EXPECT_THROW(ExecLogin(schema->db()), EmySQLDatabaseError);
}

}  // namespace

TEST_F(LoginTest, KeyboardAloneSignsInWithEnterAndThePasswordShowsStars)
{
    // name, Enter, password, Enter (to "OK"), Enter presses it
    QTimer::singleShot(0, dlg.get(), [this] {
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        QTest::keyClicks(dlg->userEdit(), QStringLiteral("Anna"));
        QTest::keyClick(dlg->userEdit(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), dlg->passwordEdit());
        QTest::keyClicks(dlg->passwordEdit(), QStringLiteral("Titok1"));
        QTest::keyClick(dlg->passwordEdit(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), dlg->okButton());
        QTest::keyClick(dlg->okButton(), Qt::Key_Return);
    });
    EXPECT_EQ(dlg->exec(), QDialog::Accepted);
    EXPECT_TRUE(shownTexts().isEmpty());
    EXPECT_EQ(dlg->passwordEdit()->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                                      dlg->passwordEdit()),
              '*');
}
