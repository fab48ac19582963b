#include "admin/usertables.h"
#include "app/init.h"
#include "core/globals.h"
#include "core/inifile.h"
#include "core/programsettings.h"
#include "core/scramble.h"
#include "core/ui/messagebox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

class InitDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        beall() = TBeall{};
        IniPath() = folder.file(QStringLiteral("Zorva.ini"));
        MessageBox::clearLog();
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }
    void fill(const QString &database, int port)
    {
        const testsupport::ServerParams p = testsupport::serverParams();
        dlg.hostEdit()->setText(p.host);
        dlg.userEdit()->setText(p.user);
        dlg.passwordEdit()->setText(p.password);
        dlg.databaseEdit()->setText(database);
        dlg.nameEdit()->setText(QStringLiteral("Saját"));
        dlg.portEdit()->setText(QString::number(port));
    }
    QString storedConStr(int n) const
    {
        return UnscrambleConStr(IniFile(IniPath()).readString(QStringLiteral("Adatbazis"),
                                                              QStringLiteral("ConStr%1").arg(n), {}));
    }

    testsupport::TempFolder folder;
    Tfrm_Init dlg;
};

TEST_F(InitDialogTest, LooksAsExpectedWhenOpened)
{
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Adatbázis beállítás"));
    EXPECT_EQ(dlg.portEdit()->text(), QStringLiteral("3306"));
    EXPECT_EQ(dlg.passwordEdit()->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(dlg.okButton()->isEnabled());
    EXPECT_EQ(dlg.testButton()->text(), QStringLiteral("Kapcsolat tesztelése"));
    EXPECT_EQ(dlg.cancelButton()->text(), QStringLiteral("Mégsem"));
}

TEST_F(InitDialogTest, PortThatIsNoWholeNumberIsRefused)
{
    for (const char *bad : {"abc", "0", "65536", "12.5", ""}) {
        MessageBox::clearLog();
        dlg.portEdit()->setText(QString::fromLatin1(bad));
        EXPECT_FALSE(dlg.testConnection()) << bad;
        ASSERT_EQ(MessageBox::log().size(), 1) << bad;
        EXPECT_TRUE(MessageBox::log().at(0).text.contains(QStringLiteral("65535")));
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
    EXPECT_FALSE(dlg.okButton()->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(IniPath()));
}

TEST_F(InitDialogTest, OnlyASuccessfulTestEnablesRendben)
{
    REQUIRE_TEST_SERVER();
    testsupport::ScratchSchema schema;
    fill(QStringLiteral("nincs_ilyen_adatbazis"), testsupport::serverParams().port);
    EXPECT_FALSE(dlg.testConnection());
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_TRUE(MessageBox::log().at(0).text.startsWith(QStringLiteral("Hiba: ")));
    EXPECT_GT(MessageBox::log().at(0).text.size(), 6);  // the server's message follows
    EXPECT_FALSE(dlg.okButton()->isEnabled());

    dlg.databaseEdit()->setText(schema.name());
    QTest::mouseClick(dlg.testButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.okButton()->isEnabled());
    EXPECT_EQ(dlg.focusWidget(), dlg.okButton());

    // A later failure does not take it back.
    dlg.portEdit()->setText(QStringLiteral("1"));
    EXPECT_FALSE(dlg.testConnection());
    EXPECT_TRUE(dlg.okButton()->isEnabled());
}

TEST_F(InitDialogTest, AcceptReplacesConStr1AndLeavesTheOthers)
{
    ASSERT_TRUE(writeConnectionProfile(1, QStringLiteral("regi;h;3306;u;p;Régi"), IniPath()));
    ASSERT_TRUE(writeConnectionProfile(2, QStringLiteral("masik;h;3306;u;p;Másik"), IniPath()));
    fill(QStringLiteral("uj"), 3307);
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const QString plain = dlg.conStr();
    EXPECT_TRUE(plain.startsWith(QStringLiteral("uj;")));
    EXPECT_TRUE(plain.endsWith(QStringLiteral(";3307;") + testsupport::serverParams().user + ";" +
                               testsupport::serverParams().password + QStringLiteral(";Saját")));
    EXPECT_EQ(storedConStr(1), plain);
    EXPECT_NE(IniFile(IniPath()).readString(QStringLiteral("Adatbazis"), QStringLiteral("ConStr1"), {}),
              plain);
    EXPECT_EQ(storedConStr(2), QStringLiteral("masik;h;3306;u;p;Másik"));
}

TEST_F(InitDialogTest, CtrlEnterAcceptsAtOnceAndEnterMovesOn)
{
    fill(QStringLiteral("gyors"), 3306);
    dlg.hostEdit()->setFocus();
    QTest::keyClick(dlg.hostEdit(), Qt::Key_Return);
    EXPECT_EQ(dlg.focusWidget(), dlg.userEdit());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    QTest::keyClick(dlg.userEdit(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(storedConStr(1).startsWith(QStringLiteral("gyors;")));
}

}  // namespace
