#include "usertables.h"
#include "admin/profiles/adatbazisnyit.h"
#include "admin/profiles/profileconnection.h"
#include "core/ui/messagebox.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

// A port on which nothing listens.
int closedPort() { return 1; }

TEST(PortText, OnlyWholeNumbersFrom1To65535)
{
    int port = 7;
    EXPECT_TRUE(parsePort(QStringLiteral("3306"), port));
    EXPECT_EQ(port, 3306);
    EXPECT_TRUE(parsePort(QStringLiteral(" 65535 "), port));
    EXPECT_EQ(port, 65535);
    EXPECT_TRUE(parsePort(QStringLiteral("1"), port));
    port = 7;
    for (const char *bad : {"", "0", "65536", "99999", "-1", "33o6", "12.5", "3306x", "+80", "123456"})
        EXPECT_FALSE(parsePort(QString::fromLatin1(bad), port)) << bad;
    EXPECT_EQ(port, 7);
}

class ChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        MessageBox::clearLog();
    }
    // Runs `drive` on the dialog once it is shown modally.
    static void whenShown(std::function<void(Tfrm_AdatbazisNyit *)> drive)
    {
        QTimer::singleShot(50, [drive] {
            auto *dlg = qobject_cast<Tfrm_AdatbazisNyit *>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            drive(dlg);
            // A dialog the drive left open must not hang the test.
            QTimer::singleShot(3000, dlg, [dlg] {
                ADD_FAILURE() << "the chooser stayed open";
                dlg->reject();
            });
        });
    }
    std::unique_ptr<testsupport::ScratchSchema> schema;
};

TEST_F(ChooserTest, SingleProfileThatConnectsIsTakenWithoutTheDialog)
{
    Tfrm_AdatbazisNyit dlg({QStringLiteral("1; Otthon")}, {testsupport::profileOf(schema->name(), "Otthon")},
                           QStringLiteral("Választás"));
    EXPECT_EQ(dlg.choose(), 0);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(MessageBox::log().isEmpty());
    EXPECT_FALSE(dlg.testConnection().connected());  // the test connection is closed again
}

TEST_F(ChooserTest, SingleProfileThatFailsShowsTheErrorAndThenTheDialog)
{
    Tfrm_AdatbazisNyit dlg({QStringLiteral("1; Távoli")},
                           {testsupport::profileOf(schema->name(), "Távoli", closedPort())},
                           QStringLiteral("Zorva program adatbázis választás"));
    bool shown = false;
    whenShown([&shown](Tfrm_AdatbazisNyit *d) {
        shown = true;
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Zorva program adatbázis választás"));
        d->cancelButton()->click();
    });
    EXPECT_EQ(dlg.choose(), -1);
    EXPECT_TRUE(shown);
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_TRUE(MessageBox::log().at(0).text.startsWith(QStringLiteral("Hiba: ")));
    EXPECT_EQ(MessageBox::log().at(0).caption, QStringLiteral("Hiba"));
}

TEST_F(ChooserTest, OkReturnsTheSelectedLineOnlyWhenItConnects)
{
    const QStringList profiles = {testsupport::profileOf(schema->name(), "Rossz", closedPort()),
                                  testsupport::profileOf(schema->name(), "Jó"),
                                  QStringLiteral("x;127.0.0.1;nem-port;root;;Hibás port")};
    Tfrm_AdatbazisNyit dlg({QStringLiteral("1; Rossz"), QStringLiteral("2; Jó"), QStringLiteral("4; Hibás port")},
                           profiles, QStringLiteral("Választás"));
    whenShown([](Tfrm_AdatbazisNyit *d) {
        EXPECT_EQ(d->list()->currentRow(), 0);
        d->okButton()->click();  // fails: stays open
        EXPECT_TRUE(d->isVisible());
        d->list()->setCurrentRow(2);
        d->okButton()->click();  // a port that is no number: a clear message, stays open
        EXPECT_TRUE(d->isVisible());
        d->list()->setCurrentRow(1);
        d->okButton()->click();
    });
    EXPECT_EQ(dlg.choose(), 1);
    ASSERT_EQ(MessageBox::log().size(), 2);
    EXPECT_TRUE(MessageBox::log().at(0).text.startsWith(QStringLiteral("Hiba: ")));
    EXPECT_TRUE(MessageBox::log().at(1).text.contains(QStringLiteral("nem-port")));
}

TEST_F(ChooserTest, DoubleClickOnALineTestsAndChoosesIt)
{
    Tfrm_AdatbazisNyit dlg({QStringLiteral("1; A"), QStringLiteral("3; B")},
                           {testsupport::profileOf(schema->name(), "A"), testsupport::profileOf(schema->name(), "B")},
                           QStringLiteral("Választás"));
    whenShown([](Tfrm_AdatbazisNyit *d) {
        d->list()->setCurrentRow(1);
        QListWidgetItem *item = d->list()->item(1);
        const QPoint at = d->list()->visualItemRect(item).center();
        QTest::mouseClick(d->list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(d->list()->viewport(), Qt::LeftButton, {}, at);
    });
    EXPECT_EQ(dlg.choose(), 1);
}

}  // namespace
