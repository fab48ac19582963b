// The bill payments window on the real database: colours, new payments from a bill
// type, the period that follows the due date, paying with and without booking,
// un-paying, the unpaid filter, generating a period and deleting.
#include "billfixture.h"

#include "bills/payments/csekkfizet.h"
#include "bills/payments/csekkfizet_szerkeszt.h"
#include "bills/types/torzscsekk.h"

#include "core/ui/dbgrid.h"
#include "entries/dialogs/inpstr.h"
#include "masterdata/cashboxes/torzskassza.h"

#include "db/errors.h"
#include "db/query.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zorva;
using mdtest::whenModal;

namespace {

class BillPayments : public billtest::BillTest {
protected:
    // The window on its list, not modal, so that the test calls its actions.
    std::unique_ptr<Tfrm_CsekkFizet> openWindow(BillPaymentHooks hooks = {})
    {
        auto w = std::make_unique<Tfrm_CsekkFizet>(std::move(hooks));
        w->query()->open();
        w->show();
        mdtest::reactivate(w.get());  // its shortcuts work in the active window
        return w;
    }
    QList<QStringList> payment(int id)
    {
        return rows(
            QStringLiteral("SELECT csekk, idoszak, dat_hatid, osszeg, ugyfel, fizetve FROM csekkfizet "
                           "WHERE csekkfizet = %1")
                .arg(id));
    }
    QList<QStringList> cashBook()
    {
        return rows(
            "SELECT kassza, kasszatip, osszeg, szoveg, COALESCE(ugyfel, 0), datum = CURDATE() "
            "FROM hazikassza ORDER BY hid");
    }
};

QColor colour(Tfrm_CsekkFizet &w, int row, int column, int role)
{
    return w.grid()->model()->index(row, column).data(role).value<QColor>();
}

}  // namespace

TEST_F(BillPayments, RowsAreColouredByDueDateAndPaidStateOutsideTheSelectedRow)
{
    auto w = openWindow();
    EXPECT_EQ(w->windowTitle(), "Csekk befizetések");
    EXPECT_EQ(w->unpaidPanel()->text(), "");  // empty at opening
    EXPECT_EQ(w->grid()->columnColor(1), SortColumnColor());
    QStringList titles;
    for (int c = 0; c < w->grid()->model()->columnCount(); ++c)
        titles << w->grid()->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles,
              QStringList({"!", "sorszám", "csekk", "időszak", "ügyfél", "határidő", "befizetés", "összeg"}));
    w->grid()->resize(758, 300);
    EXPECT_EQ(w->grid()->columnWidth(0), 18);
    EXPECT_EQ(w->grid()->columnWidth(2), 140);

    const QColor maroon(128, 0, 0), lightRed(255, 221, 221), lightGreen(193, 255, 224);
    ASSERT_TRUE(w->moveToKey(4));  // row 4 selected
    // 1: due yesterday, unpaid: maroon on light red, the sort column keeps its colour
    EXPECT_EQ(colour(*w, 0, 2, Qt::ForegroundRole), maroon);
    EXPECT_EQ(colour(*w, 0, 2, Qt::BackgroundRole), lightRed);
    EXPECT_EQ(colour(*w, 0, 1, Qt::ForegroundRole), maroon);
    EXPECT_EQ(colour(*w, 0, 1, Qt::BackgroundRole), SortColumnColor());
    // 2: due today: no colours
    EXPECT_FALSE(colour(*w, 1, 2, Qt::ForegroundRole).isValid());
    EXPECT_FALSE(colour(*w, 1, 2, Qt::BackgroundRole).isValid());
    // 3: paid: light green, normal text
    EXPECT_EQ(colour(*w, 2, 7, Qt::BackgroundRole), lightGreen);
    EXPECT_FALSE(colour(*w, 2, 7, Qt::ForegroundRole).isValid());
    EXPECT_EQ(colour(*w, 2, 1, Qt::BackgroundRole), SortColumnColor());
    // the selected row is drawn as a selection only
    EXPECT_FALSE(colour(*w, 3, 2, Qt::BackgroundRole).isValid());
    ASSERT_TRUE(w->moveToKey(1));
    EXPECT_FALSE(colour(*w, 0, 2, Qt::ForegroundRole).isValid());
    EXPECT_EQ(colour(*w, 3, 2, Qt::BackgroundRole), QColor());  // 4 is not due yet
    EXPECT_EQ(w->grid()->model()->index(2, 7).data().toString(), "12 000");
    EXPECT_EQ(w->grid()->model()->index(2, 6).data().toString(), "2024.02.18");
}

TEST_F(BillPayments, NewPaymentIsDueTodayInThisMonthWhateverTheTypesDay)
{
    auto w = openWindow();
    ASSERT_TRUE(w->moveToKey(3));
    // a cancelled bill-type chooser opens no dialog and writes nothing
    whenModal<Tfrm_TorzsCsekk>([](Tfrm_TorzsCsekk *c) { c->reject(); });
    EXPECT_FALSE(billtest::opensAModal([&] { w->newRow(); }));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM csekkfizet"), QList<QStringList>({{"5"}}));
    EXPECT_EQ(w->currentKey(), 3);

    QDate shownDate;
    QString shownPeriod, shownAmount;
    whenModal<Tfrm_TorzsCsekk>([&](Tfrm_TorzsCsekk *c) {
        EXPECT_TRUE(c->action("aElfogad")->isVisible());
        c->moveToKey(1);
        whenModal<Tfrm_CsekkFizet_Szerkeszt>([&](Tfrm_CsekkFizet_Szerkeszt *d) {
            EXPECT_EQ(d->windowTitle(), "Csekk fizetés szerkesztés");
            shownDate = d->dueDateEdit()->date();
            shownPeriod = d->periodEdit()->text();
            shownAmount = d->amountEdit()->text();
            EXPECT_EQ(d->focusWidget(), d->periodEdit());
            d->okButton()->click();
        });
        c->action("aElfogad")->trigger();
    });
    w->newRow();
    EXPECT_EQ(shownDate, QDate(2024, 3, 15));
    EXPECT_EQ(shownPeriod, "2024.03");
    EXPECT_EQ(shownAmount, "8 500");
    EXPECT_EQ(payment(6), QList<QStringList>({{"1", "202403", "2024-03-15", "8500", "1", "N"}}));
    EXPECT_EQ(w->currentKey(), 6);
    EXPECT_EQ(w->unpaidPanel()->text(), "Kifizetésre vár: 46 000");
}

TEST_F(BillPayments, PeriodFollowsTheDueDateAndPaidOrBadInputChangesNothing)
{
    auto w = openWindow();
    ASSERT_TRUE(w->moveToKey(4));
    whenModal<Tfrm_CsekkFizet_Szerkeszt>([](Tfrm_CsekkFizet_Szerkeszt *d) {
        EXPECT_EQ(d->dueDateEdit()->date(), QDate(2024, 4, 5));
        d->periodEdit()->setText("202301");
        d->dueDateEdit()->setDate(QDate(2024, 4, 2));
        d->amountEdit()->setText("kilencezer");
        d->okButton()->click();  // refused: the dialog stays
        EXPECT_TRUE(d->isVisible());
        d->amountEdit()->setText("9 000");
        d->okButton()->click();
    });
    w->editRow();
    EXPECT_EQ(payment(4), QList<QStringList>({{"1", "202404", "2024-04-02", "9000", "1", "N"}}));
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_TRUE(shownTexts()[0].contains("Az összeg nem szám")) << shownTexts()[0].toStdString();
    EXPECT_EQ(w->unpaidPanel()->text(), "Kifizetésre vár: 38 000");

    // the due date moved into another month: the period goes with it
    whenModal<Tfrm_CsekkFizet_Szerkeszt>([](Tfrm_CsekkFizet_Szerkeszt *d) {
        d->dueDateEdit()->setDate(QDate(2024, 5, 31));
        d->cancelButton()->click();
    });
    w->editRow();
    EXPECT_EQ(payment(4), QList<QStringList>({{"1", "202404", "2024-04-02", "9000", "1", "N"}}));

    // a paid payment cannot be edited: the message, and no dialog
    MessageBox::clearLog();
    ASSERT_TRUE(w->moveToKey(3));
    mdtest::reactivate(w.get());
    EXPECT_FALSE(billtest::opensAModal([&] { QTest::keyClick(w->grid(), Qt::Key_F2); }));
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].text, "A csekk kifizetése már megtörtént, nem módosítható");
    EXPECT_EQ(MessageBox::log()[0].caption, "Hiba");
}

TEST_F(BillPayments, PayingBooksIntoTheChosenBoxOnlyWhenAskedTo)
{
    int refreshed = 0;
    auto w = openWindow({[&refreshed] { ++refreshed; }, {}});

    // Yes, then box 2: a paid payment and one expense entry of the bill cash type
    ASSERT_TRUE(w->moveToKey(1));
    MessageBox::setNextAnswer(QMessageBox::Yes);
    whenModal<Tfrm_TorzsKassza>([](Tfrm_TorzsKassza *c) {
        EXPECT_EQ(c->currentKey(), 1);  // no key to move to
        c->moveToKey(2);
        c->action("aElfogad")->trigger();
    });
    QTest::keyClick(w->grid(), Qt::Key_F3);
    EXPECT_EQ(rows("SELECT fizetve, dat_fizetve = CURDATE() FROM csekkfizet WHERE csekkfizet = 1"),
              QList<QStringList>({{"I", "1"}}));
    EXPECT_EQ(cashBook(), QList<QStringList>({{"2", "4", "-8500", "Csekk befizetés", "1", "1"}}));
    EXPECT_EQ(refreshed, 1);
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].text, "Csökkentsem az összeggel a kasszát?");
    EXPECT_EQ(MessageBox::log()[0].caption, "Kérdés");
    EXPECT_EQ(w->unpaidPanel()->text(), "Kifizetésre vár: 29 000");
    EXPECT_EQ(w->currentKey(), 1);

    // No: paid, nothing booked
    ASSERT_TRUE(w->moveToKey(2));
    MessageBox::setNextAnswer(QMessageBox::No);
    EXPECT_FALSE(billtest::opensAModal([&] { w->payOrUnpay(); }));
    EXPECT_EQ(payment(2)[0][5], "I");
    // Yes, but the cash-box chooser is closed: nothing booked
    ASSERT_TRUE(w->moveToKey(5));
    MessageBox::setNextAnswer(QMessageBox::Yes);
    whenModal<Tfrm_TorzsKassza>([](Tfrm_TorzsKassza *c) { c->reject(); });
    w->payOrUnpay();
    EXPECT_EQ(payment(5)[0][5], "I");
    EXPECT_EQ(cashBook().size(), 1);
    EXPECT_EQ(refreshed, 1);

    // Without the bill cash type in the settings the user is told which setting is
    // missing (and offered it), no box is asked for, and the payment is not paid either
    beall().kasszatip_csekk = -1;
    ASSERT_TRUE(w->moveToKey(4));
    MessageBox::clearLog();
    MessageBox::setNextAnswer(QMessageBox::Yes);
    EXPECT_FALSE(billtest::opensAModal([&] { w->payOrUnpay(); }));
    EXPECT_EQ(payment(4)[0][5], "N");
    EXPECT_EQ(cashBook().size(), 1);
    ASSERT_EQ(MessageBox::log().size(), 2);
    EXPECT_TRUE(MessageBox::log()[1].text.startsWith(
        "Nincs beállítva a(z) \"Csekk befizetés kasszatípus\" (Beállítások)"));
    EXPECT_EQ(w->unpaidPanel()->text(), "Kifizetésre vár: 8 500");
}

TEST_F(BillPayments, ARefusedBookingLeavesThePaymentUnpaid)
{
    auto w = openWindow();
    // the database refuses the entry (its cash type is gone)
    beall().kasszatip_csekk = 99;
    ASSERT_TRUE(w->moveToKey(1));
    MessageBox::setNextAnswer(QMessageBox::Yes);
    whenModal<Tfrm_TorzsKassza>([](Tfrm_TorzsKassza *c) { c->action("aElfogad")->trigger(); });
    EXPECT_THROW(w->payOrUnpay(), EmySQLDatabaseError);
    EXPECT_EQ(rows("SELECT fizetve, dat_fizetve IS NULL FROM csekkfizet WHERE csekkfizet = 1"),
              QList<QStringList>({{"N", "1"}}));
    EXPECT_TRUE(cashBook().isEmpty());
    // the list and the total were read again before the error went on
    EXPECT_EQ(w->query()->fieldByName("fizetve").asString(), "N");
    EXPECT_EQ(w->unpaidPanel()->text(), "Kifizetésre vár: 37 500");

    // no cash box at all: the user is told, the payment stays unpaid
    beall().kasszatip_csekk = 4;
    db().execute("DELETE FROM kassza");
    MessageBox::clearLog();
    MessageBox::setNextAnswer(QMessageBox::Yes);  // reduce the cash box
    MessageBox::setNextAnswer(QMessageBox::No);   // do not open the cash boxes window
    EXPECT_FALSE(billtest::opensAModal([&] { w->payOrUnpay(); }));
    EXPECT_EQ(payment(1)[0][5], "N");
    ASSERT_EQ(MessageBox::log().size(), 2);
    EXPECT_TRUE(MessageBox::log()[1].text.startsWith("Még nincs egyetlen kassza sem."));
}

TEST_F(BillPayments, APaymentAmountWithDecimalsSurvivesTheDialog)
{
    db().execute("UPDATE csekkfizet SET osszeg = 12345.67 WHERE csekkfizet = 4");
    auto w = openWindow();
    ASSERT_TRUE(w->moveToKey(4));
    whenModal<Tfrm_CsekkFizet_Szerkeszt>([](Tfrm_CsekkFizet_Szerkeszt *d) {
        EXPECT_EQ(d->amountEdit()->text(), "12 346");
        d->dueDateEdit()->setDate(d->dueDateEdit()->date().addDays(1));
        d->okButton()->click();
    });
    w->editRow();
    EXPECT_EQ(rows("SELECT osszeg FROM csekkfizet WHERE csekkfizet = 4"), QList<QStringList>({{"12345.67"}}));
    whenModal<Tfrm_CsekkFizet_Szerkeszt>([](Tfrm_CsekkFizet_Szerkeszt *d) {
        d->amountEdit()->setText("100,5");
        d->okButton()->click();
    });
    w->editRow();
    EXPECT_EQ(rows("SELECT osszeg FROM csekkfizet WHERE csekkfizet = 4"), QList<QStringList>({{"100.5"}}));
}

TEST_F(BillPayments, UnpayingAsksAndWarnsEveryTimeAndLeavesTheCashBook)
{
    sqltest::book(db(), QDate(2024, 2, 18), 1, 4, 12000, "Gáz befizetés", 0);
    auto w = openWindow();
    ASSERT_TRUE(w->moveToKey(3));
    MessageBox::setNextAnswer(QMessageBox::No);
    w->payOrUnpay();
    EXPECT_EQ(payment(3)[0][5], "I");
    for (int round = 0; round < 2; ++round) {
        MessageBox::clearLog();
        MessageBox::setNextAnswer(QMessageBox::Yes);  // un-pay
        w->payOrUnpay();
        EXPECT_EQ(payment(3)[0][5], "N");
        ASSERT_EQ(MessageBox::log().size(), 2) << round;
        EXPECT_EQ(MessageBox::log()[0].text, "Valóban törlöd a kifizetést?");
        EXPECT_EQ(MessageBox::log()[0].caption, "Megerősítés");
        EXPECT_EQ(MessageBox::log()[1].kind, MessageBox::Warning);
        EXPECT_EQ(MessageBox::log()[1].text,
                  "A kasszából a csekk kifizetés összege nem került eltávolításra.");
        MessageBox::setNextAnswer(QMessageBox::No);  // paid again, not booked
        w->payOrUnpay();
        EXPECT_EQ(payment(3)[0][5], "I");
    }
    EXPECT_EQ(rows("SELECT dat_fizetve IS NULL FROM csekkfizet WHERE csekkfizet = 3"),
              QList<QStringList>({{"0"}}));
    EXPECT_EQ(cashBook(), QList<QStringList>({{"1", "4", "-12000", "Gáz befizetés", "0", "0"}}));
}

TEST_F(BillPayments, UnpaidFilterDropsAPaymentOnceItIsPaid)
{
    auto w = openWindow();
    QAction *aSzur = w->action("aSzur");
    ASSERT_NE(aSzur, nullptr);
    EXPECT_FALSE(aSzur->isChecked());
    EXPECT_EQ(aSzur->iconText(), "Kifizetetlen");
    QTest::keyClick(w->grid(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(aSzur->isChecked());
    EXPECT_EQ(w->query()->recordCount(), 4);
    ASSERT_TRUE(w->moveToKey(2));
    MessageBox::setNextAnswer(QMessageBox::No);
    w->payOrUnpay();
    EXPECT_EQ(w->query()->recordCount(), 3);
    EXPECT_FALSE(w->moveToKey(2));
    // the filter stays through a re-sort
    emit w->grid()->titleClicked("osszeg", 7);
    EXPECT_EQ(w->query()->recordCount(), 3);
    aSzur->trigger();
    EXPECT_EQ(w->query()->recordCount(), 5);
    EXPECT_EQ(w->grid()->model()->index(0, 7).data().toString(), "8 500");
}

TEST_F(BillPayments, GenerateAsksForThePeriodAndTheDatabaseRefusesABadOne)
{
    auto w = openWindow();
    whenModal<Tfrm_InpStr>([](Tfrm_InpStr *d) {
        EXPECT_EQ(d->windowTitle(), "Időszak");
        EXPECT_EQ(d->promptLabel()->text(), "Add meg az időszakot!");
        EXPECT_EQ(d->value(), "202403");
        d->edit()->setText("202405");
        d->okButton()->click();
    });
    w->generate();
    EXPECT_EQ(
        rows("SELECT csekk, dat_hatid, osszeg, ugyfel, fizetve FROM csekkfizet WHERE idoszak = '202405'"),
        QList<QStringList>({{"1", "2024-05-05", "8500", "1", "N"}}));
    EXPECT_EQ(w->query()->recordCount(), 6);
    EXPECT_EQ(w->unpaidPanel()->text(), "Kifizetésre vár: 46 000");

    // cancelled: nothing is called
    whenModal<Tfrm_InpStr>([](Tfrm_InpStr *d) { d->reject(); });
    w->generate();
    EXPECT_EQ(rows("SELECT COUNT(*) FROM csekkfizet"), QList<QStringList>({{"6"}}));

    whenModal<Tfrm_InpStr>([](Tfrm_InpStr *d) {
        d->edit()->setText("202413");
        d->okButton()->click();
    });
    try {
        w->generate();
        ADD_FAILURE() << "a month 13 was accepted";
    } catch (const EmySQLDatabaseError &e) {
        EXPECT_TRUE(e.message().contains("Érvénytelen időszak")) << e.message().toStdString();
    }
    EXPECT_EQ(rows("SELECT COUNT(*) FROM csekkfizet"), QList<QStringList>({{"6"}}));
}

TEST_F(BillPayments, DeleteRemovesEvenAPaidPaymentAndKeepsItsEntry)
{
    sqltest::book(db(), QDate(2024, 2, 18), 1, 4, 12000, "Csekk befizetés", 0);
    auto w = openWindow();
    ASSERT_TRUE(w->moveToKey(3));
    MessageBox::setNextAnswer(QMessageBox::No);
    QTest::keyClick(w->grid(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(w->query()->recordCount(), 5);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    QTest::keyClick(w->grid(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(w->query()->recordCount(), 4);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM csekkfizet WHERE csekkfizet = 3"), QList<QStringList>({{"0"}}));
    EXPECT_EQ(cashBook().size(), 1);
    EXPECT_EQ(w->unpaidPanel()->text(), "Kifizetésre vár: 37 500");
    EXPECT_EQ(MessageBox::log()[0].text, "Valóban töröljem a sort?");
}
