// The bill types window and its dialog on the real database: the new type's defaults,
// the payee, refused input, sorting and searching by title, the chooser's record, the
// "kell gen." marks and a refused delete.
#include "masterdata/masterdatafixture.h"

#include "bills/types/flagmarkdelegate.h"
#include "bills/types/torzscsekk.h"
#include "bills/types/torzscsekk_szerkeszt.h"

#include "core/ui/dbgrid.h"
#include "core/ui/searchbox.h"
#include "entries/dialogs/ugyfelvalaszt.h"

#include "db/query.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

using namespace zorva;
using mdtest::whenModal;

namespace {

// 1 Villany (Kovács Ödön, day 10, 8 500, active), 2 Gáz (no payee, day 20, 12 000,
// inactive), 3 Albérlet (Szabó Éva, day 1, 95 000, active)
class BillTypes : public mdtest::MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        if (HasFatalFailure())
            return;
        db().execute(
            "INSERT INTO csekk (csekk, csekk_nev, kellgen, nap_hatid, osszeg, ugyfel) VALUES "
            "(1, 'Villany', 'I', 10, 8500, 1), (2, 'Gáz', 'N', 20, 12000, NULL), "
            "(3, 'Albérlet', 'I', 1, 95000, 2)");
    }
};

QStringList column(TDBGrid *grid, int c)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->model()->index(r, c).data().toString();
    return out;
}

}  // namespace

TEST_F(BillTypes, ListShowsTheViewSortedByNameWithTheShapeOfTheWindow)
{
    Tfrm_TorzsCsekk w(false);
    w.query()->open();
    w.show();
    EXPECT_EQ(w.windowTitle(), "Csekkek");
    EXPECT_EQ(w.title(), "Csekkek");
    EXPECT_EQ(column(w.grid(), 0), QStringList({"Albérlet", "Gáz", "Villany"}));
    EXPECT_EQ(column(w.grid(), 1), QStringList({"Szabó Éva", "", "Kovács Ödön"}));
    EXPECT_EQ(column(w.grid(), 3), QStringList({"95 000", "12 000", "8 500"}));
    QStringList titles;
    for (int c = 0; c < w.grid()->model()->columnCount(); ++c)
        titles << w.grid()->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"csekk", "ügyfél", "hatáidő (nap)", "összeg", "kell gen."}));
    EXPECT_EQ(w.grid()->columnColor(0), SortColumnColor());
    EXPECT_FALSE(w.action("aElfogad")->isVisible());
    EXPECT_EQ(w.action("aKeres"), nullptr);
    EXPECT_EQ(w.action("aTorol")->text(), "Sor törlése");

    // widths: (grid - 99) * share, "kell gen." keeps 55
    w.grid()->resize(599, 300);
    EXPECT_EQ(w.grid()->columnWidth(0), 175);
    EXPECT_EQ(w.grid()->columnWidth(2), 75);
    EXPECT_EQ(w.grid()->columnWidth(4), 55);
    w.reject();
}

TEST_F(BillTypes, NewTypeStartsActiveOnDayOneWithNoPayeeAndGetsTheChosenClient)
{
    QString startName, startDay, startAmount, startClient;
    bool startActive = false;
    int currentAfter = 0;
    whenModal<Tfrm_TorzsCsekk>([&](Tfrm_TorzsCsekk *w) {
        whenModal<Tfrm_TorzsCsekk_Szerkeszt>([&](Tfrm_TorzsCsekk_Szerkeszt *d) {
            EXPECT_EQ(d->windowTitle(), "Csekk szerkesztés");
            startName = d->nameEdit()->text();
            startActive = d->activeBox()->isChecked();
            startDay = d->dayEdit()->text();
            startAmount = d->amountEdit()->text();
            startClient = d->clientEdit()->text();
            EXPECT_EQ(d->focusWidget(), d->nameEdit());
            mdtest::typeText(d->nameEdit(), "Víz");
            d->dayEdit()->setText("15");
            d->amountEdit()->setText("4 250");
            // the payee through the client chooser; the focus then goes to "OK"
            whenModal<Tfrm_UgyfelValaszt>([](Tfrm_UgyfelValaszt *c) {
                c->moveToKey(2);
                c->action("aElfogad")->trigger();
            });
            d->clientButton()->click();
            EXPECT_EQ(d->clientEdit()->text(), "Szabó Éva");
            EXPECT_EQ(d->focusWidget(), d->okButton());
            d->okButton()->click();
        });
        QTest::keyClick(w->grid(), Qt::Key_Insert);
        currentAfter = w->currentKey();
        w->reject();
    });
    ChooseCsekk(-1, false);
    EXPECT_EQ(startName, "");
    EXPECT_TRUE(startActive);
    EXPECT_EQ(startDay, "1");
    EXPECT_EQ(startAmount, "0");
    EXPECT_EQ(startClient, "");
    EXPECT_EQ(rows("SELECT csekk, csekk_nev, kellgen, nap_hatid, osszeg, ugyfel FROM csekk WHERE csekk > 3"),
              QList<QStringList>({{"4", "Víz", "I", "15", "4250", "2"}}));
    EXPECT_EQ(currentAfter, 4);  // the list moved to the new type
}

TEST_F(BillTypes, EditShowsThePayeeAndCancelOrBadInputWritesNothing)
{
    Tfrm_TorzsCsekk w(false);
    w.query()->open();
    ASSERT_TRUE(w.moveToKey(1));
    whenModal<Tfrm_TorzsCsekk_Szerkeszt>([&](Tfrm_TorzsCsekk_Szerkeszt *d) {
        EXPECT_EQ(d->clientEdit()->text(), "Kovács Ödön");
        EXPECT_EQ(d->amountEdit()->text(), "8 500");
        d->activeBox()->setChecked(false);
        d->nameEdit()->setText("Áram");
        d->cancelButton()->click();
    });
    w.editRow();
    whenModal<Tfrm_TorzsCsekk_Szerkeszt>([&](Tfrm_TorzsCsekk_Szerkeszt *d) {
        // a day out of range and an amount that is no number are refused; the dialog
        // keeps what was typed
        d->dayEdit()->setText("32");
        d->okButton()->click();
        d->dayEdit()->setText("x");
        d->okButton()->click();
        d->dayEdit()->setText("28");
        d->amountEdit()->setText("sok");
        d->okButton()->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->dayEdit()->text(), "28");
        d->amountEdit()->setText("9 100");
        d->activeBox()->setChecked(false);
        d->okButton()->click();
    });
    w.editRow();
    const QStringList texts = shownTexts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_TRUE(texts[0].startsWith("Hiányos, vagy hibás adatmegadás\r\nA hónap napja"))
        << texts[0].toStdString();
    EXPECT_TRUE(texts[2].contains("Az összeg nem szám")) << texts[2].toStdString();
    EXPECT_EQ(rows("SELECT csekk_nev, kellgen, nap_hatid, osszeg, ugyfel FROM csekk WHERE csekk = 1"),
              QList<QStringList>({{"Villany", "N", "28", "9100", "1"}}));
    EXPECT_EQ(w.currentKey(), 1);
    EXPECT_EQ(w.grid()->model()->index(w.query()->currentIndex(), 3).data().toString(), "9 100");
}

TEST_F(BillTypes, TitleClickSortsAndTheSearchFollowsTheSortColumn)
{
    whenModal<Tfrm_TorzsCsekk>([](Tfrm_TorzsCsekk *w) {
        mdtest::typeText(w->grid(), "v");
        EXPECT_EQ(w->searchBox()->text(), "v");
        EXPECT_EQ(w->currentKey(), 1);
        // by amount: the order changes, the search box searches amounts
        emit w->grid()->titleClicked("osszeg", 3);
        EXPECT_EQ(column(w->grid(), 0), QStringList({"Villany", "Gáz", "Albérlet"}));
        EXPECT_EQ(w->grid()->columnColor(3), SortColumnColor());
        EXPECT_FALSE(w->grid()->columnColor(0).isValid());
        EXPECT_EQ(w->currentKey(), 1);  // stays on its row
        w->searchBox()->setText("12");
        EXPECT_EQ(w->currentKey(), 2);
        w->searchBox()->setText("x");  // a letter in an amount search: nowhere, no error
        EXPECT_EQ(w->currentKey(), 2);
        w->reject();
    });
    ChooseCsekk(-1, false);
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(BillTypes, ChooserFillsTheRecordAndEscapeLeavesItAsItWas)
{
    db().execute(
        "INSERT INTO csekk (csekk, csekk_nev, kellgen, nap_hatid, osszeg, ugyfel) "
        "VALUES (4, NULL, '', NULL, NULL, NULL)");
    TCsekk rec;
    whenModal<Tfrm_TorzsCsekk>([](Tfrm_TorzsCsekk *w) {
        EXPECT_TRUE(w->action("aElfogad")->isVisible());
        QTest::keyClick(w->grid(), Qt::Key_Return);
    });
    EXPECT_EQ(ChooseCsekk(1, true, rec), 1);
    EXPECT_EQ(rec.csekk, 1);
    EXPECT_EQ(rec.csekk_nev, "Villany");
    EXPECT_TRUE(rec.kellgen);
    EXPECT_EQ(rec.nap_hatid, 10);
    EXPECT_DOUBLE_EQ(rec.osszeg, 8500);
    EXPECT_EQ(rec.ugyfel, 1);

    whenModal<Tfrm_TorzsCsekk>([](Tfrm_TorzsCsekk *w) { QTest::keyClick(w->grid(), Qt::Key_Escape); });
    EXPECT_EQ(ChooseCsekk(2, true, rec), -1);
    EXPECT_EQ(rec.csekk, 1);

    // empty columns read as empty text, false and 0 (the empty name sorts first)
    whenModal<Tfrm_TorzsCsekk>([](Tfrm_TorzsCsekk *w) {
        EXPECT_EQ(w->currentKey(), 4);
        w->action("aElfogad")->trigger();
    });
    EXPECT_EQ(ChooseCsekk(-1, true, rec), 4);
    EXPECT_EQ(rec.csekk_nev, "");
    EXPECT_FALSE(rec.kellgen);
    EXPECT_EQ(rec.nap_hatid, 0);
    EXPECT_DOUBLE_EQ(rec.osszeg, 0);
    EXPECT_EQ(rec.ugyfel, 0);

    // in maintenance mode nothing is chosen, whatever is pressed
    whenModal<Tfrm_TorzsCsekk>([](Tfrm_TorzsCsekk *w) {
        QTest::keyClick(w->grid(), Qt::Key_Return);
        w->reject();
    });
    EXPECT_EQ(ChooseCsekk(-1, false), -1);
}

TEST_F(BillTypes, KellGenCellShowsATickForYesAndACrossOtherwise)
{
    db().execute("UPDATE csekk SET kellgen = '' WHERE csekk = 3");
    Tfrm_TorzsCsekk w(false);
    w.query()->open();
    w.show();
    auto *delegate = qobject_cast<FlagMarkDelegate *>(w.grid()->itemDelegateForColumn(4));
    ASSERT_NE(delegate, nullptr);
    // Albérlet '' , Gáz 'N', Villany 'I'
    const auto greenAndRed = [&](int row) {
        QImage img(55, 20, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 55, 20);
        option.palette = w.grid()->palette();
        delegate->paint(&p, option, w.grid()->model()->index(row, 4));
        p.end();
        int green = 0, red = 0, outside = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                const bool mark = c.green() > c.red() + 60 || c.red() > c.green() + 60;
                if (mark && (x < 12 || x >= 28 || y >= 16))
                    ++outside;
                if (c.green() > c.red() + 60)
                    ++green;
                if (c.red() > c.green() + 60)
                    ++red;
            }
        }
        EXPECT_EQ(outside, 0) << "row " << row;  // the mark stays in its 16 x 16 square
        return std::pair(green > 10, red > 10);
    };
    EXPECT_EQ(greenAndRed(0), std::pair(false, true));
    EXPECT_EQ(greenAndRed(1), std::pair(false, true));
    EXPECT_EQ(greenAndRed(2), std::pair(true, false));
    w.reject();
}

TEST_F(BillTypes, DeleteAsksAndATypeWithPaymentsIsRefusedByTheDatabase)
{
    db().execute(
        "INSERT INTO csekkfizet (csekk, idoszak, dat_hatid, osszeg, ugyfel, fizetve) "
        "VALUES (1, '202403', '2024-03-10', 8500, 1, 'N')");
    whenModal<Tfrm_TorzsCsekk>([](Tfrm_TorzsCsekk *w) {
        w->moveToKey(2);
        MessageBox::setNextAnswer(QMessageBox::No);
        QTest::keyClick(w->grid(), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(w->query()->recordCount(), 3);
        MessageBox::setNextAnswer(QMessageBox::Yes);
        QTest::keyClick(w->grid(), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(w->query()->recordCount(), 2);
        w->moveToKey(1);
        MessageBox::setNextAnswer(QMessageBox::Yes);
        QTest::keyClick(w->grid(), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(w->query()->recordCount(), 2);
        EXPECT_EQ(w->currentKey(), 1);
        w->reject();
    });
    ChooseCsekk(-1, false);
    const auto log = MessageBox::log();
    ASSERT_EQ(log.size(), 4);
    EXPECT_EQ(log[0].text, "Valóban töröljem a sort?");
    EXPECT_EQ(log[0].caption, "Megerősítés");
    EXPECT_TRUE(log[3].text.contains("A csekk nem törölhető, mert 1 befizetése van"))
        << log[3].text.toStdString();
    EXPECT_EQ(rows("SELECT csekk FROM csekk ORDER BY csekk"), QList<QStringList>({{"1"}, {"3"}}));
}

TEST_F(BillTypes, AnAmountWithDecimalsSurvivesAnEditOfTheOtherFieldsAndATypedOneIsKept)
{
    db().execute("UPDATE csekk SET osszeg = 12345.67 WHERE csekk = 1");
    Tfrm_TorzsCsekk w(false);
    w.query()->open();
    ASSERT_TRUE(w.moveToKey(1));
    // only "aktív?" and the day change: the amount stays as stored, not as shown
    whenModal<Tfrm_TorzsCsekk_Szerkeszt>([](Tfrm_TorzsCsekk_Szerkeszt *d) {
        EXPECT_EQ(d->amountEdit()->text(), "12 346");
        d->activeBox()->setChecked(false);
        d->dayEdit()->setText("9");
        d->okButton()->click();
    });
    w.editRow();
    EXPECT_EQ(rows("SELECT kellgen, nap_hatid, osszeg FROM csekk WHERE csekk = 1"),
              QList<QStringList>({{"N", "9", "12345.67"}}));
    // a typed amount is stored as typed, decimals and all; payments generated take it
    whenModal<Tfrm_TorzsCsekk_Szerkeszt>([](Tfrm_TorzsCsekk_Szerkeszt *d) {
        d->amountEdit()->setText("9 876,54");
        d->activeBox()->setChecked(true);
        d->okButton()->click();
    });
    w.editRow();
    EXPECT_EQ(rows("SELECT osszeg FROM csekk WHERE csekk = 1"), QList<QStringList>({{"9876.54"}}));
    db().execute("CALL sp_csekkgen('202405')");
    EXPECT_EQ(rows("SELECT osszeg FROM csekkfizet WHERE csekk = 1 AND idoszak = '202405'"),
              QList<QStringList>({{"9876.54"}}));
}
