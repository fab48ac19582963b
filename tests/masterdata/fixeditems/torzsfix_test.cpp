// The fixed items window on the real database: the list with its looked-up names, both
// chooser forms, booking a chosen item, and the edit dialog with its choosers and refusals.
#include "fixeditems_fixture.h"

#include "masterdata/fixeditems/lookupcombo.h"
#include "masterdata/fixeditems/torzsfix.h"
#include "masterdata/fixeditems/torzsfix_szerkeszt.h"

#include "core/ui/dbgrid.h"
#include "entries/dialogs/ugyfelvalaszt.h"
#include "masterdata/cashtypes/torzskasszatip.h"
#include "masterdata/cashtypes/torzskasszatip_szerkeszt.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace zorva;
using fixtest::FixedItems;
using mdtest::whenModal;

namespace {

QStringList rowShown(Tfrm_Torzsfix *w, int row)
{
    QStringList out;
    for (int c = 0; c < w->grid()->model()->columnCount(); ++c)
        out << w->grid()->model()->index(row, c).data().toString();
    return out;
}

// Runs `drive` on the edit dialog that `open` (New or Edit of the window) shows.
void inDialog(Tfrm_Torzsfix *w, void (Tfrm_Torzsfix::*open)(),
              const std::function<void(Tfrm_Torzsfix_Szerkeszt *)> &drive)
{
    whenModal<Tfrm_Torzsfix_Szerkeszt>([drive](Tfrm_Torzsfix_Szerkeszt *d) {
        fixtest::settle(d);
        drive(d);
    });
    (w->*open)();
}

}  // namespace

TEST_F(FixedItems, ListShowsLookedUpNamesAndTheSecondFormReturnsTheWholeItem)
{
    // A cash type that vanished behind the database's back shows as an empty name.
    db().execute("SET FOREIGN_KEY_CHECKS=0");
    db().execute("INSERT INTO fix (fix, kasszatip, osszeg) VALUES (3, 99, 5)");
    db().execute("SET FOREIGN_KEY_CHECKS=1");

    whenModal<Tfrm_Torzsfix>([](Tfrm_Torzsfix *w) {
        EXPECT_EQ(w->windowTitle(), "Fix tételek");
        QAbstractItemModel *m = w->grid()->model();
        EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "kitől/kinek");
        EXPECT_EQ(rowShown(w, 0), QStringList({"Rezsi", "Kovács Ödön", "12 346"}));
        EXPECT_EQ(rowShown(w, 1), QStringList({"Fizetés", "", ""}));
        EXPECT_EQ(rowShown(w, 2), QStringList({"", "", "5"}));
        EXPECT_EQ(w->positionPanel()->text(), "3: 2");
        QTest::keyClick(w->grid(), Qt::Key_Return);
    });
    TFix item;
    item.szoveg = "régi";
    EXPECT_EQ(ChooseFix(2, true, &item), 2);
    // Empty columns come back as 0 and as empty texts.
    EXPECT_EQ(item.kasszatip, 1);
    EXPECT_EQ(item.ugyfel, 0);
    EXPECT_EQ(item.osszeg, 0);
    EXPECT_EQ(item.szoveg, "");
    EXPECT_EQ(item.kasszatip_nev, "Fizetés");
    EXPECT_EQ(item.ugyfel_nev, "");

    whenModal<Tfrm_Torzsfix>([](Tfrm_Torzsfix *w) { QTest::keyClick(w->grid(), Qt::Key_Escape); });
    EXPECT_EQ(ChooseFix(1, true, &item), -1);
    EXPECT_EQ(item.kasszatip_nev, "Fizetés");  // unchanged

    whenModal<Tfrm_Torzsfix>([](Tfrm_Torzsfix *w) { w->grid()->doubleClicked(w->grid()->currentIndex()); });
    EXPECT_EQ(ChooseFix(-1, true, &item), 1);
    EXPECT_EQ(item.ugyfel, 1);
    EXPECT_DOUBLE_EQ(item.osszeg, 12345.6);
    EXPECT_EQ(item.szoveg, "Albérlet");
    EXPECT_EQ(item.ugyfel_nev, "Kovács Ödön");
}

TEST_F(FixedItems, BookingAChosenItemWritesTodaysEntryAndACancelWritesNothing)
{
    // The item without text or amount: an entry with an empty text, amount 0, no client.
    whenModal<Tfrm_Torzsfix>([](Tfrm_Torzsfix *w) {
        EXPECT_TRUE(w->action("aElfogad")->isVisible());
        QTest::keyClick(w->grid(), Qt::Key_Down);
        QTest::keyClick(w->grid(), Qt::Key_Return);
    });
    const int first = BookFixedItem(2);
    ASSERT_GT(first, 0);
    const QString entry =
        "SELECT kassza, kasszatip, ugyfel, osszeg, szoveg, datum = CURDATE() FROM hazikassza "
        "WHERE hid = ";
    EXPECT_EQ(rows(entry + QString::number(first)), QList<QStringList>({{"2", "1", "NULL", "0", "", "1"}}));

    // The expense type signs the amount.
    whenModal<Tfrm_Torzsfix>([](Tfrm_Torzsfix *w) { QTest::keyClick(w->grid(), Qt::Key_Return); });
    const int second = BookFixedItem(1);
    EXPECT_EQ(rows(entry + QString::number(second)),
              QList<QStringList>({{"1", "4", "1", "-12345.6", "Albérlet", "1"}}));

    whenModal<Tfrm_Torzsfix>([](Tfrm_Torzsfix *w) { w->action("aBezar")->trigger(); });
    EXPECT_EQ(BookFixedItem(1), -1);
    EXPECT_EQ(count("hazikassza"), 2);
}

TEST_F(FixedItems, NewItemIsTypedWithEnterBetweenFieldsAndNewLinesInTheText)
{
    fixtest::OpenWindow w;
    inDialog(&w, &Tfrm_Torzsfix::newRow, [](Tfrm_Torzsfix_Szerkeszt *d) {
        EXPECT_EQ(d->windowTitle(), "Fix tétel szerkesztés");
        EXPECT_EQ(QApplication::focusWidget(), d->typeCombo());
        EXPECT_EQ(d->typeCombo()->currentIndex(), -1);
        QTest::keyClick(d->typeCombo(), Qt::Key_Down);  // Ajándék, Élelmiszer, Fizetés, Rezsi
        QTest::keyClick(d->typeCombo(), Qt::Key_Down);
        EXPECT_EQ(d->typeCombo()->currentText(), "Élelmiszer");
        QTest::keyClick(d->typeCombo(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d->amountEdit());
        QTest::keyClicks(d->amountEdit(), "1500");
        QTest::keyClick(d->amountEdit(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d->clientCombo());
        QTest::keyClick(d->clientCombo(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d->textEdit());
        mdtest::typeText(d->textEdit(), "kenyér");
        QTest::keyClick(d->textEdit(), Qt::Key_Return);
        mdtest::typeText(d->textEdit(), "tej");
        EXPECT_EQ(QApplication::focusWidget(), d->textEdit());
        d->okButton()->click();
    });
    EXPECT_EQ(rows("SELECT kasszatip, ugyfel, osszeg, szoveg FROM fix WHERE fix > 2"),
              QList<QStringList>({{"2", "NULL", "1500", "kenyér\ntej"}}));
    EXPECT_EQ(rowShown(&w, w.table().recNo() - 1), QStringList({"Élelmiszer", "", "1 500"}));

    // A cancelled edit leaves the row as it was.
    w.moveToKey(1);
    inDialog(&w, &Tfrm_Torzsfix::editRow, [](Tfrm_Torzsfix_Szerkeszt *d) {
        EXPECT_EQ(d->amountEdit()->text(), QString("12345") + QLocale().decimalPoint() + "6");
        EXPECT_EQ(d->clientCombo()->currentText(), "Kovács Ödön");
        d->amountEdit()->setText("1");
        d->cancelButton()->click();
    });
    EXPECT_EQ(rowShown(&w, 0), QStringList({"Rezsi", "Kovács Ödön", "12 346"}));
    EXPECT_EQ(rows("SELECT osszeg FROM fix WHERE fix = 1"), QList<QStringList>({{"12345.6"}}));
    w.reject();
}

TEST_F(FixedItems, ChooserButtonsStartOnTheItemsValuesAndTheirNewRowsReachTheLists)
{
    fixtest::OpenWindow w;
    w.moveToKey(1);
    inDialog(&w, &Tfrm_Torzsfix::editRow, [](Tfrm_Torzsfix_Szerkeszt *d) {
        // A type made inside the chooser and chosen there.
        whenModal<Tfrm_TorzsKasszaTip>([](Tfrm_TorzsKasszaTip *chooser) {
            EXPECT_EQ(chooser->currentKey(), 4);
            whenModal<Tfrm_TorzsKasszaTip_Szerkeszt>([](Tfrm_TorzsKasszaTip_Szerkeszt *t) {
                mdtest::typeText(t->nameEdit(), "Bérlet");
                t->okButton()->click();
            });
            chooser->newRow();
            fixtest::settle(chooser);
            chooser->action("aElfogad")->trigger();
        });
        d->typeButton()->click();
        fixtest::settle(d);
        EXPECT_EQ(d->typeCombo()->currentText(), "Bérlet");
        EXPECT_EQ(d->typeCombo()->itemText(1), "Bérlet");  // in the name order

        whenModal<Tfrm_UgyfelValaszt>([](Tfrm_UgyfelValaszt *chooser) {
            fixtest::settle(chooser);
            EXPECT_EQ(chooser->currentKey(), 1);
            QTest::keyClick(chooser->grid(), Qt::Key_Down);
            QTest::keyClick(chooser->grid(), Qt::Key_Return);
        });
        d->clientButton()->click();
        fixtest::settle(d);
        EXPECT_EQ(d->clientCombo()->currentText(), "Szabó Éva");
        d->okButton()->click();
    });
    EXPECT_EQ(rows("SELECT t.kasszatip_nev, f.ugyfel FROM fix f JOIN kasszatip t USING (kasszatip) "
                   "WHERE f.fix = 1"),
              QList<QStringList>({{"Bérlet", "2"}}));
    EXPECT_EQ(rowShown(&w, 0), QStringList({"Bérlet", "Szabó Éva", "12 346"}));

    // The empty client item takes the client away.
    inDialog(&w, &Tfrm_Torzsfix::editRow, [](Tfrm_Torzsfix_Szerkeszt *d) {
        d->clientCombo()->setFocus();
        QTest::keyClick(d->clientCombo(), Qt::Key_Home);
        d->okButton()->click();
    });
    EXPECT_EQ(rows("SELECT ugyfel FROM fix WHERE fix = 1"), QList<QStringList>({{"NULL"}}));
    w.reject();
}

TEST_F(FixedItems, RefusedValuesKeepTheDialogOpenAndWriteNothing)
{
    fixtest::OpenWindow w;
    QStringList reasons;
    inDialog(&w, &Tfrm_Torzsfix::newRow, [&reasons](Tfrm_Torzsfix_Szerkeszt *d) {
        const auto refused = [&] {
            const int before = int(zorva::MessageBox::log().size());
            d->okButton()->click();
            EXPECT_TRUE(d->isVisible());
            const auto shown = zorva::MessageBox::log();
            ASSERT_EQ(shown.size(), before + 1);
            EXPECT_TRUE(shown.last().text.startsWith("Hiányos, vagy hibás adatmegadás\r\n"));
            reasons << shown.last().text.section("\r\n", 1);
        };
        d->amountEdit()->setText("100");
        refused();  // no cash type: the database says so
        d->typeCombo()->setKey(2);
        d->amountEdit()->setText("1O0");
        refused();
        d->amountEdit()->setText("100");
        d->textEdit()->setPlainText(QString(256, 'x'));
        refused();
        d->textEdit()->setPlainText("10 €");
        refused();
        EXPECT_EQ(d->textEdit()->toPlainText(), "10 €");  // what was typed stays
        d->cancelButton()->click();
    });
    ASSERT_EQ(reasons.size(), 4);
    EXPECT_TRUE(reasons[0].endsWith("A fix tételhez kassza típust kell választani."))
        << reasons[0].toStdString();
    EXPECT_TRUE(reasons[1].startsWith("Az összeg csak szám lehet")) << reasons[1].toStdString();
    EXPECT_TRUE(reasons[2].contains("255")) << reasons[2].toStdString();
    EXPECT_TRUE(reasons[3].contains("€")) << reasons[3].toStdString();
    EXPECT_EQ(count("fix"), 2);
    EXPECT_EQ(w.table().recordCount(), 2);
}
