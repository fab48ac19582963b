// The cash types window on the real database: sign filter, new types, the sign and
// colour in the dialog, row colours, a refused delete.
#include "masterdata/masterdatafixture.h"

#include "masterdata/cashtypes/coloursample.h"
#include "masterdata/cashtypes/torzskasszatip.h"
#include "masterdata/cashtypes/torzskasszatip_szerkeszt.h"

#include "core/ui/dbgrid.h"
#include "core/ui/filedialog.h"
#include "core/ui/searchbox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace zorva;
using mdtest::whenModal;

namespace {

// 1 Fizetés (+1), 2 Élelmiszer (-1), 3 Ajándék (+1, no colour), 4 Rezsi (-1, system colour)
class CashTypes : public mdtest::MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        ColorDialog::clearColors();
    }
    void TearDown() override
    {
        ColorDialog::clearColors();
        MasterDataTest::TearDown();
    }
};

QStringList namesShown(Tfrm_TorzsKasszaTip *w)
{
    QStringList out;
    for (int r = 0; r < w->grid()->model()->rowCount(); ++r)
        out << w->grid()->model()->index(r, 0).data().toString();
    return out;
}

}  // namespace

TEST_F(CashTypes, SignFilterShowsOnlyTheTypesOfThatSign)
{
    for (const auto &[sign, expected] :
         QList<std::pair<int, QStringList>>{{-1, {"Élelmiszer", "Rezsi"}},
                                            {1, {"Fizetés", "Ajándék"}},
                                            {0, {"Fizetés", "Élelmiszer", "Ajándék", "Rezsi"}}}) {
        QStringList shown;
        whenModal<Tfrm_TorzsKasszaTip>([&shown](Tfrm_TorzsKasszaTip *w) {
            shown = namesShown(w);
            QTest::keyClick(w->grid(), Qt::Key_End, Qt::ControlModifier);
            QTest::keyClick(w->grid(), Qt::Key_Return);
        });
        const int chosen = ChooseKasszaTip(-1, true, sign);
        EXPECT_EQ(shown, expected) << "sign " << sign;
        EXPECT_EQ(chosen, sign == 1 ? 3 : 4) << "sign " << sign;
    }
}

TEST_F(CashTypes, SecondFormReturnsTheNameAndEscapeLeavesIt)
{
    whenModal<Tfrm_TorzsKasszaTip>([](Tfrm_TorzsKasszaTip *w) {
        EXPECT_EQ(w->windowTitle(), "Kassza típusok");
        EXPECT_EQ(w->positionPanel()->text(), "4: 2");
        mdtest::typeText(w->grid(), "R");  // typing starts the search
        EXPECT_EQ(w->searchBox()->text(), "r");
        EXPECT_EQ(w->currentKey(), 4);
        QTest::keyClick(w->searchBox(), Qt::Key_Return);  // choice mode: accepted
    });
    QString name = "régi";
    EXPECT_EQ(ChooseKasszaTip(2, true, &name), 4);
    EXPECT_EQ(name, "Rezsi");

    whenModal<Tfrm_TorzsKasszaTip>(
        [](Tfrm_TorzsKasszaTip *w) { QTest::keyClick(w->grid(), Qt::Key_Escape); });
    EXPECT_EQ(ChooseKasszaTip(1, true, &name), -1);
    EXPECT_EQ(name, "Rezsi");
}

TEST_F(CashTypes, NewTypeConfirmedAsItOpensIsAnIncomeWithTheWindowColour)
{
    bool incomeChecked = false;
    int sampleColour = 0;
    whenModal<Tfrm_TorzsKasszaTip>([&](Tfrm_TorzsKasszaTip *w) {
        whenModal<Tfrm_TorzsKasszaTip_Szerkeszt>([&](Tfrm_TorzsKasszaTip_Szerkeszt *d) {
            EXPECT_EQ(d->windowTitle(), "Kassza típus szerkesztés");
            incomeChecked = d->incomeButton()->isChecked();
            sampleColour = d->colourSample()->colorValue();
            mdtest::typeText(d->nameEdit(), "Ösztöndíj");
            d->okButton()->click();
        });
        QTest::keyClick(w->grid(), Qt::Key_Insert);
        mdtest::reactivate(w);
        EXPECT_EQ(w->positionPanel()->text(), "5: 5");
        w->reject();
    });
    ChooseKasszaTip(-1, false);
    EXPECT_TRUE(incomeChecked);
    EXPECT_EQ(sampleColour, -16777211);
    EXPECT_EQ(rows("SELECT kasszatip_nev, szorzo, szin FROM kasszatip WHERE kasszatip > 4"),
              QList<QStringList>({{"Ösztöndíj", "1", "-16777211"}}));
}

TEST_F(CashTypes, DialogOpensWithTheStoredSignAndWritesOnlyOneOrMinusOne)
{
    // A sign the database would refuse today, stored behind its back.
    db().execute("DROP TRIGGER kasszatip_bi");
    db().execute("INSERT INTO kasszatip (kasszatip, kasszatip_nev, szorzo, szin) VALUES (5, 'Régi', 0, 255)");

    Tfrm_TorzsKasszaTip w;
    w.table().open();
    const auto openedAs = [&w](int key) {
        EXPECT_TRUE(w.moveToKey(key));
        w.table().edit();
        Tfrm_TorzsKasszaTip_Szerkeszt d(&w.table(), &w);
        const QString which = d.incomeButton()->isChecked()    ? "Bevétel"
                              : d.expenseButton()->isChecked() ? "Kiadás"
                                                               : "";
        w.table().cancel();
        return which;
    };
    EXPECT_EQ(openedAs(1), "Bevétel");
    EXPECT_EQ(openedAs(2), "Kiadás");
    EXPECT_EQ(openedAs(5), "Bevétel");

    // Confirming the odd one stores 1; switching a type to "Kiadás" stores -1, and the
    // sample's colour (black for a type without one) is stored with it.
    whenModal<Tfrm_TorzsKasszaTip_Szerkeszt>(
        [](Tfrm_TorzsKasszaTip_Szerkeszt *d) { d->okButton()->click(); });
    w.moveToKey(5);
    w.editRow();
    whenModal<Tfrm_TorzsKasszaTip_Szerkeszt>([](Tfrm_TorzsKasszaTip_Szerkeszt *d) {
        d->expenseButton()->setChecked(true);
        d->okButton()->click();
    });
    w.moveToKey(3);
    w.editRow();
    w.table().close();
    EXPECT_EQ(
        rows("SELECT kasszatip, szorzo, szin FROM kasszatip WHERE kasszatip IN (3, 5) ORDER BY kasszatip"),
        QList<QStringList>({{"3", "-1", "0"}, {"5", "1", "255"}}));
}

TEST_F(CashTypes, ColourComesFromTheColourDialogAndACancelKeepsIt)
{
    whenModal<Tfrm_TorzsKasszaTip_Szerkeszt>([](Tfrm_TorzsKasszaTip_Szerkeszt *d) {
        ColourSample *sample = d->colourSample();
        EXPECT_EQ(sample->colorValue(), 13434879);
        ColorDialog::setNextColor(QColor());  // cancelled
        QTest::mouseClick(sample, Qt::LeftButton);
        EXPECT_EQ(sample->colorValue(), 13434879);
        ColorDialog::setNextColor(QColor(0x11, 0x22, 0x33));
        QTest::mouseClick(sample, Qt::LeftButton);
        EXPECT_EQ(sample->colorValue(), 0x332211);
        ColorDialog::setNextColor(QColor(0x44, 0x55, 0x66));
        QTest::keyClick(sample, Qt::Key_Space);  // the keyboard way
        EXPECT_EQ(sample->colorValue(), 0x665544);
        d->okButton()->click();
    });
    Tfrm_TorzsKasszaTip w;
    w.table().open();
    w.moveToKey(2);
    w.editRow();
    EXPECT_EQ(rows("SELECT szin FROM kasszatip WHERE kasszatip = 2"),
              QList<QStringList>({{QString::number(0x665544)}}));
    // the list shows the new colour outside the first column
    const QVariant bg = w.grid()->model()->index(1, 1).data(Qt::BackgroundRole);
    EXPECT_EQ(bg.value<QColor>(), QColor(0x44, 0x55, 0x66));
}

TEST_F(CashTypes, RowColoursLeaveTheFirstColumnToTheSortColour)
{
    Tfrm_TorzsKasszaTip w;
    w.table().open();
    w.show();
    QAbstractItemModel *m = w.grid()->model();
    const auto bg = [m](int row, int column) {
        return m->index(row, column).data(Qt::BackgroundRole).value<QColor>();
    };
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(bg(r, 0), SortColumnColor()) << r;
    EXPECT_EQ(bg(0, 1), colorFromTColor(13434828));
    EXPECT_EQ(bg(2, 1), QColor(Qt::black));  // no colour stored
    EXPECT_EQ(bg(3, 1), colorFromTColor(-16777211));
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), "kassza típus");
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "szorzó");
    EXPECT_EQ(m->index(1, 1).data().toString(), "-1");
    EXPECT_EQ(w.action("aTorol")->text(), "Sor törlése");
    w.reject();
}

TEST_F(CashTypes, DeleteOfATypeInUseShowsTheServerReasonAndKeepsTheRows)
{
    sqltest::book(db(), QDate(2026, 12, 1), 1, 2, 300, "kenyér");
    int rowsAfter = 0;
    whenModal<Tfrm_TorzsKasszaTip>([&](Tfrm_TorzsKasszaTip *w) {
        MessageBox::setNextAnswer(QMessageBox::Yes);
        QTest::keyClick(w->grid(), Qt::Key_Delete, Qt::ControlModifier);
        rowsAfter = w->table().recordCount();
        EXPECT_EQ(w->currentKey(), 2);
        w->reject();
    });
    ChooseKasszaTip(2, false);
    EXPECT_EQ(rowsAfter, 4);
    const QStringList texts = shownTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[1].contains("A kassza típus nem törölhető, mert használják: 1 kassza tétel."))
        << texts[1].toStdString();
    EXPECT_EQ(rows("SELECT COUNT(*) FROM kasszatip"), QList<QStringList>({{"4"}}));
}
