// The cash boxes window on the real database: choosing, creating, refusals, deleting.
#include "masterdata/masterdatafixture.h"

#include "masterdata/cashboxes/torzskassza.h"
#include "masterdata/cashboxes/torzskassza_szerkeszt.h"

#include "core/ui/dbgrid.h"
#include "core/ui/searchbox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zorva;
using mdtest::whenModal;

namespace {

class CashBoxes : public mdtest::MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        if (HasFatalFailure())
            return;
        // 1 Pénztárca, 2 Bank, 3 kártya, 4 Kassza
        db().execute(
            "INSERT INTO kassza (kassza, kassza_nev, nyito) VALUES (3, 'kártya', 0), (4, 'Kassza', 0)");
    }
};

}  // namespace

TEST_F(CashBoxes, ChoiceModeReturnsTheChosenBoxAndEscapeReturnsMinusOne)
{
    whenModal<Tfrm_TorzsKassza>([](Tfrm_TorzsKassza *w) {
        EXPECT_EQ(w->windowTitle(), "Kasszák");
        EXPECT_EQ(w->positionPanel()->text(), "4: 2");  // moved to box 2
        QTest::keyClick(w->grid(), Qt::Key_Down);
        QTest::keyClick(w->grid(), Qt::Key_Return);
    });
    QString name = "régi";
    EXPECT_EQ(ChooseCassa(2, true, &name), 3);
    EXPECT_EQ(name, "kártya");

    whenModal<Tfrm_TorzsKassza>([](Tfrm_TorzsKassza *w) { QTest::keyClick(w->grid(), Qt::Key_Escape); });
    EXPECT_EQ(ChooseCassa(1, true, &name), -1);
    EXPECT_EQ(name, "kártya");

    // Maintenance mode: Enter on the grid does nothing, the window stays open.
    bool openAfterEnter = false;
    whenModal<Tfrm_TorzsKassza>([&](Tfrm_TorzsKassza *w) {
        EXPECT_FALSE(w->action("aElfogad")->isVisible());
        QTest::keyClick(w->grid(), Qt::Key_Return);
        openAfterEnter = w->isVisible();
        w->action("aBezar")->trigger();
    });
    EXPECT_EQ(ChooseCassa(-1, false), -1);
    EXPECT_TRUE(openAfterEnter);
}

TEST_F(CashBoxes, TypingKOnTheGridFindsTheFirstBoxBeginningWithK)
{
    whenModal<Tfrm_TorzsKassza>([](Tfrm_TorzsKassza *w) {
        QTest::keyClick(w->grid(), Qt::Key_K, Qt::ShiftModifier);
        EXPECT_EQ(w->searchBox()->text(), "k");
        EXPECT_EQ(w->currentKey(), 3);
        EXPECT_EQ(w->table().recordCount(), 4);  // the search never filters
        QTest::keyClicks(w->searchBox(), "as");
        EXPECT_EQ(w->currentKey(), 4);
        QTest::keyClick(w->searchBox(), Qt::Key_Return);  // choice mode: Enter accepts here too
    });
    EXPECT_EQ(ChooseCassa(-1, true), 4);
}

TEST_F(CashBoxes, NewBoxIsWrittenAndACancelledOneLeavesTheListAsBefore)
{
    whenModal<Tfrm_TorzsKassza>([](Tfrm_TorzsKassza *w) {
        // cancelled
        whenModal<Tfrm_TorzsKassza_Szerkeszt>([](Tfrm_TorzsKassza_Szerkeszt *d) {
            QTest::keyClicks(d->nameEdit(), "Eldobott");
            d->cancelButton()->click();
        });
        QTest::keyClick(w->grid(), Qt::Key_Insert);
        mdtest::reactivate(w);
        EXPECT_EQ(w->table().recordCount(), 4);
        EXPECT_EQ(w->positionPanel()->text(), "4: 1");

        // written
        whenModal<Tfrm_TorzsKassza_Szerkeszt>([](Tfrm_TorzsKassza_Szerkeszt *d) {
            EXPECT_EQ(d->windowTitle(), "Kassza szerkesztés");
            EXPECT_EQ(d->focusWidget(), d->nameEdit());
            EXPECT_EQ(d->nameEdit()->maxLength(), 25);
            mdtest::typeText(d->nameEdit(), "Megtakarítás");
            QTest::keyClicks(d->decimalsEdit(), "2");
            d->okButton()->click();
        });
        QTest::keyClick(w->grid(), Qt::Key_Insert);
        mdtest::reactivate(w);
        EXPECT_EQ(w->positionPanel()->text(), "5: 5");
        EXPECT_EQ(w->currentName(), "Megtakarítás");
        w->reject();
    });
    ChooseCassa(-1, false);
    EXPECT_EQ(rows("SELECT kassza_nev, tizedesjegy FROM kassza WHERE kassza > 4"),
              QList<QStringList>({{"Megtakarítás", "2"}}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM kassza"), QList<QStringList>({{"5"}}));
}

TEST_F(CashBoxes, RefusedWriteShowsTheReasonAndKeepsTheDialogOpen)
{
    db().execute(
        "CREATE TRIGGER teszt_kassza_nev BEFORE UPDATE ON kassza FOR EACH ROW "
        "IF NEW.kassza_nev = '' THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'A kassza neve nem lehet "
        "üres.'; "
        "END IF");
    QStringList boxes;
    QString keptName, keptDecimals;
    whenModal<Tfrm_TorzsKassza>([&](Tfrm_TorzsKassza *w) {
        whenModal<Tfrm_TorzsKassza_Szerkeszt>([&](Tfrm_TorzsKassza_Szerkeszt *d) {
            EXPECT_EQ(d->nameEdit()->text(), "Bank");
            d->nameEdit()->clear();
            d->decimalsEdit()->setText("1");
            d->okButton()->click();
            EXPECT_TRUE(d->isVisible());
            keptName = d->nameEdit()->text();
            keptDecimals = d->decimalsEdit()->text();
            // a number the column cannot take is refused the same way
            d->nameEdit()->setText("Bankszámla");
            d->decimalsEdit()->setText("két");
            d->okButton()->click();
            EXPECT_TRUE(d->isVisible());
            d->decimalsEdit()->setText("2");
            d->okButton()->click();
        });
        QTest::keyClick(w->grid(), Qt::Key_F2);
        w->reject();
    });
    ChooseCassa(2, false);
    EXPECT_EQ(keptName, "");
    EXPECT_EQ(keptDecimals, "1");
    const QStringList texts = shownTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].startsWith("Hiányos, vagy hibás adatmegadás\r\n")) << texts[0].toStdString();
    EXPECT_TRUE(texts[0].contains("A kassza neve nem lehet üres.")) << texts[0].toStdString();
    EXPECT_TRUE(texts[1].startsWith("Hiányos, vagy hibás adatmegadás\r\n")) << texts[1].toStdString();
    EXPECT_EQ(MessageBox::log()[0].caption, "Hiba");
    EXPECT_EQ(rows("SELECT kassza_nev, tizedesjegy FROM kassza WHERE kassza = 2"),
              QList<QStringList>({{"Bankszámla", "2"}}));
}

TEST_F(CashBoxes, DeleteOfABoxInUseShowsTheServerReasonAndKeepsTheRow)
{
    sqltest::book(db(), QDate(2026, 12, 1), 1, 1, 500, "fizetés");
    int rowsAfter = 0;
    whenModal<Tfrm_TorzsKassza>([&](Tfrm_TorzsKassza *w) {
        MessageBox::setNextAnswer(QMessageBox::Yes);
        QTest::keyClick(w->grid(), Qt::Key_Delete, Qt::ControlModifier);  // box 1 has an entry
        rowsAfter = w->table().recordCount();
        EXPECT_EQ(w->currentKey(), 1);
        QTest::keyClick(w->grid(), Qt::Key_Down);
        MessageBox::setNextAnswer(QMessageBox::Yes);
        QTest::keyClick(w->grid(), Qt::Key_Delete, Qt::ControlModifier);  // box 2 is free
        EXPECT_EQ(w->table().recordCount(), 3);
        w->reject();
    });
    ChooseCassa(-1, false);
    EXPECT_EQ(rowsAfter, 4);
    const QStringList texts = shownTexts();
    ASSERT_GE(texts.size(), 2);
    EXPECT_EQ(texts[0], "Valóban töröljem a sort?");
    EXPECT_TRUE(texts[1].contains("A kassza nem törölhető, mert 1 kassza tétel tartozik hozzá."))
        << texts[1].toStdString();
    EXPECT_EQ(rows("SELECT kassza FROM kassza ORDER BY kassza"), QList<QStringList>({{"1"}, {"3"}, {"4"}}));
}
