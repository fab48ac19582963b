// The windows opened from the main window: the cash-box choice, the cash-type and client
// filters, the master-data windows and the entry editor, with the list read again after.
#include "cashbookfixture.h"

#include "app/mainwindow/main.h"
#include "app/mainwindow/totalspanel.h"
#include "core/globals.h"
#include "core/programsettings.h"
#include "core/ui/listwindow.h"
#include "core/ui/messagebox.h"
#include "db/query.h"
#include "entries/editor/entrychoosers.h"
#include "entries/editor/szerkeszt.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zorva;
using testsupport::addEntry;

namespace {

// What the next modal window was, and what the answer did with it.
struct Shown {
    bool came = false;
    bool choiceMode = false;
    int keyAtOpen = -2;
    QString caption;
};

// Answers the next list window: moves to `key` and accepts, or closes it when key is -1.
void answerList(Shown &shown, int key)
{
    shown = Shown{};
    QTimer::singleShot(0, [&shown, key] {
        auto *w = qobject_cast<ListWindow *>(QApplication::activeModalWidget());
        if (!w) {
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        shown.came = true;
        shown.choiceMode = w->choiceMode();
        shown.keyAtOpen = w->currentKey();
        shown.caption = w->windowTitle();
        if (key == -1 || !w->moveToKey(key)) {
            w->close();
            return;
        }
        w->acceptRow();
    });
}

// Answers the next entry editor with an amount and a text, then "OK".
void answerEditor(Shown &shown, const QString &amount, const QString &text)
{
    shown = Shown{};
    QTimer::singleShot(0, [&shown, amount, text] {
        auto *d = qobject_cast<Tfrm_Szerkeszt *>(QApplication::activeModalWidget());
        if (!d) {
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        shown.came = true;
        shown.caption = d->windowTitle();
        d->amountEdit()->setText(amount);
        d->textEdit()->setText(text);
        d->okButton()->click();
    });
}

class MainWindowWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        testsupport::loadCashBookSchema(schema->db());
        beall() = TBeall{};
        Cassa() = 1;
        SumPeriod().clear();
        CassaDecimals() = 0;
        IniPath() = folder.file(QStringLiteral("Zorva.ini"));
        ProgramDir() = folder.path();
        MessageBox::clearAnswers();
        MessageBox::clearLog();
        const QDate today = QDate::currentDate();
        hFood = addEntry(schema->db(), today.addDays(-3), 1, 10, 4000, QStringLiteral("Piac"));
        hSalary = addEntry(schema->db(), today.addDays(-2), 1, 1, 100000, QStringLiteral("Fizetés"));
        addEntry(schema->db(), today.addDays(-1), 3, 4, 12.5, QStringLiteral("Kamat"));
        w = testsupport::openMainWindow(*schema);
    }
    void TearDown() override { resetEntryChoosers(); }

    QString whereLine() const { return w->Qry().sql().value(1); }

    testsupport::TempFolder folder;
    std::unique_ptr<testsupport::ScratchSchema> schema;
    std::unique_ptr<Tfrm_Main> w;
    int hFood = 0, hSalary = 0;
};

TEST_F(MainWindowWindowsTest, CashBoxChoiceSwitchesTheListAndItsDecimals)
{
    Shown shown;
    answerList(shown, -1);  // closed without a choice: nothing changes
    w->actions().aKasszaValaszt->trigger();
    ASSERT_TRUE(shown.came);
    EXPECT_TRUE(shown.choiceMode);
    EXPECT_EQ(shown.keyAtOpen, 1);  // preset to the current box
    EXPECT_EQ(Cassa(), 1);
    EXPECT_EQ(w->headingText(), "Kassza: Pénztárca");

    answerList(shown, 3);
    w->actions().aKasszaValaszt->trigger();
    ASSERT_TRUE(shown.came);
    EXPECT_EQ(Cassa(), 3);
    EXPECT_EQ(CassaDecimals(), 2);
    EXPECT_EQ(w->headingText(), "Kassza: Euró számla");
    EXPECT_EQ(whereLine(), "WHERE (kassza = 3) AND (datum>=DATE_ADD(CURDATE(), INTERVAL -1 MONTH))");
    EXPECT_EQ(w->Qry().recordCount(), 1);
    EXPECT_EQ(w->totalsPanel()->zaro(), "1 262.50");

    // the maintenance window: no choice, the list stays as it is
    answerList(shown, 1);
    w->actions().aKassza->trigger();
    ASSERT_TRUE(shown.came);
    EXPECT_FALSE(shown.choiceMode);
    EXPECT_EQ(Cassa(), 3);
}

TEST_F(MainWindowWindowsTest, CashTypeAndClientFiltersTakeTheChosenRowOrChangeNothing)
{
    schema->db().execute("UPDATE hazikassza SET ugyfel=8 WHERE hid=" + QString::number(hFood));
    w->actions().aSzur3->trigger();
    Shown shown;
    answerList(shown, -1);
    w->actions().aSzur2->trigger();
    ASSERT_TRUE(shown.came);
    EXPECT_TRUE(shown.choiceMode);
    EXPECT_EQ(whereLine(), "WHERE (kassza = 1) AND (osszeg>0)");
    EXPECT_TRUE(w->actions().aSzur3->isChecked());

    answerList(shown, 10);
    w->actions().aSzur2->trigger();
    EXPECT_EQ(whereLine(), "WHERE (kassza = 1) AND (kasszatip=10)");
    EXPECT_TRUE(w->actions().aSzur2->isChecked());
    ASSERT_EQ(w->Qry().recordCount(), 1);
    EXPECT_EQ(w->currentHid(), hFood);

    answerList(shown, -1);
    w->actions().aSzur6->trigger();
    ASSERT_TRUE(shown.came);
    EXPECT_TRUE(shown.choiceMode);
    EXPECT_TRUE(w->actions().aSzur2->isChecked());

    answerList(shown, 8);
    w->actions().aSzur6->trigger();
    EXPECT_EQ(whereLine(), "WHERE (kassza = 1) AND (ugyfel=8)");
    EXPECT_TRUE(w->actions().aSzur6->isChecked());
    EXPECT_EQ(w->Qry().recordCount(), 1);
    EXPECT_TRUE(SumPeriod().isEmpty());
}

TEST_F(MainWindowWindowsTest, MasterDataWindowsOpenInMaintenanceModeOnlyWithTheRight)
{
    Shown shown;
    for (QAction *a : {w->actions().aTorzsKasszaTipus, w->actions().aTorzsUgyfel}) {
        answerList(shown, -1);
        a->trigger();
        EXPECT_TRUE(shown.came) << a->objectName().toStdString();
        EXPECT_FALSE(shown.choiceMode);
    }
    beall().torzsszerkeszt = false;
    for (QAction *a : {w->actions().aTorzsKasszaTipus, w->actions().aTorzsUgyfel}) {
        MessageBox::clearLog();
        answerList(shown, -1);
        a->trigger();
        QApplication::processEvents();
        EXPECT_FALSE(shown.came) << a->objectName().toStdString();
        ASSERT_EQ(MessageBox::log().size(), 1);
        EXPECT_EQ(MessageBox::log()[0].text, "Nincs jogosultság a művelethez.");
    }
}

TEST_F(MainWindowWindowsTest, NewAndEditedEntriesBecomeTheCurrentRowWithFreshTotals)
{
    entryChoosers().cashType = [](int, QWidget *) { return 10; };
    entryChoosers().client = [](int, QWidget *) { return 0; };
    ASSERT_TRUE(w->Qry().locate("hid", hSalary));
    Shown shown;
    answerEditor(shown, "1500", "Kenyér");
    w->actions().aUj->trigger();
    ASSERT_TRUE(shown.came);
    const int newHid = int(schema->db().queryInt("SELECT MAX(hid) FROM hazikassza"));
    EXPECT_EQ(w->currentHid(), newHid);
    EXPECT_EQ(w->Qry().fieldByName("szoveg").asString(), "Kenyér");
    EXPECT_EQ(w->totalsPanel()->kiadas(), "-5 500");

    // editing keeps the row current and re-reads the totals
    ASSERT_TRUE(w->Qry().locate("hid", hFood));
    answerEditor(shown, "2500", "Piac, zöldség");
    w->actions().aSzerkeszt->trigger();
    ASSERT_TRUE(shown.came);
    EXPECT_EQ(w->currentHid(), hFood);
    EXPECT_EQ(w->Qry().fieldByName("osszeg").asFloat(), -2500);
    EXPECT_EQ(w->totalsPanel()->kiadas(), "-4 000");

    // an empty list: "Szerkeszt" books a new entry
    Cassa() = 2;
    w->ReloadList();
    ASSERT_TRUE(w->Qry().isEmpty());
    answerEditor(shown, "300", "Első tétel");
    w->actions().aSzerkeszt->trigger();
    ASSERT_TRUE(shown.came);
    ASSERT_EQ(w->Qry().recordCount(), 1);
    EXPECT_EQ(w->Qry().fieldByName("kassza").asInteger(), 2);

    // without the right nothing opens
    beall().torzsszerkeszt = false;
    MessageBox::clearLog();
    answerEditor(shown, "1", "x");
    w->actions().aUj->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(shown.came);
    EXPECT_EQ(w->Qry().recordCount(), 1);
}

TEST_F(MainWindowWindowsTest, FixedItemsBillsAndUsersOpenFromTheirActions)
{
    Shown shown;
    const struct {
        QAction *action;
        QString caption;
    } windows[] = {{w->actions().aTorzsFix, "Fix tételek"},
                   {w->actions().aCsekkTipus, "Csekkek"},
                   {w->actions().aCsekkFizet, "Csekk befizetések"},
                   {w->actions().aTartozik, "Tartozások"},
                   {w->actions().aKovetel, "Tartozások"},
                   {w->actions().aFelhasznalo, "Felhasználók adatai"}};
    for (const auto &win : windows) {
        EXPECT_TRUE(win.action->isEnabled()) << win.caption.toStdString();
        answerList(shown, -1);
        win.action->trigger();
        EXPECT_TRUE(shown.came) << win.caption.toStdString();
        EXPECT_EQ(shown.caption, win.caption);
        EXPECT_FALSE(shown.choiceMode) << win.caption.toStdString();
    }

    // the due list is what the start-up reminder opens
    ASSERT_TRUE(w->onDueBillsTimer);
    answerList(shown, -1);
    w->onDueBillsTimer();
    EXPECT_TRUE(shown.came);
    EXPECT_EQ(shown.caption, "Lejárt csekkek");

    // without the rights: the fixed items need data entry, the users the administrator
    beall().torzsszerkeszt = false;
    beall().rendszergazda = false;
    for (QAction *a : {w->actions().aTorzsFix, w->actions().aUjFix, w->actions().aFelhasznalo}) {
        MessageBox::clearLog();
        answerList(shown, -1);
        a->trigger();
        QApplication::processEvents();
        EXPECT_FALSE(shown.came) << a->objectName().toStdString();
        ASSERT_EQ(MessageBox::log().size(), 1);
        EXPECT_EQ(MessageBox::log()[0].text, "Nincs jogosultság a művelethez.");
    }
}

TEST_F(MainWindowWindowsTest, BookingAFixedItemAddsTodaysEntryAndMakesItCurrent)
{
    schema->db().execute("INSERT INTO fix (kasszatip, osszeg, szoveg, ugyfel) VALUES (10, 750, 'Kenyér', NULL)");
    const int fix = int(schema->db().queryInt("SELECT MAX(fix) FROM fix"));
    const int before = w->Qry().recordCount();
    Shown shown;
    answerList(shown, -1);  // closed without a choice: nothing is booked
    w->actions().aUjFix->trigger();
    ASSERT_TRUE(shown.came);
    EXPECT_TRUE(shown.choiceMode);
    EXPECT_EQ(w->Qry().recordCount(), before);

    answerList(shown, fix);
    w->actions().aUjFix->trigger();
    ASSERT_TRUE(shown.came);
    ASSERT_EQ(w->Qry().recordCount(), before + 1);
    EXPECT_EQ(w->Qry().fieldByName("szoveg").asString(), "Kenyér");
    EXPECT_EQ(w->Qry().fieldByName("osszeg").asFloat(), -750);
    EXPECT_EQ(w->Qry().fieldByName("datum").asDate(), QDate::currentDate());
    EXPECT_EQ(w->totalsPanel()->kiadas(), "-4 750");
}

}  // namespace
