// The main window's pieces that need no database: the colour rule, the rights table,
// the actions.
#include "app/mainwindow/mainmenus.h"
#include "app/mainwindow/mainrights.h"
#include "app/mainwindow/rowcolors.h"
#include "core/globals.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

using namespace zorva;

TEST(RowColors, NegativeFutureCashTypeAndSortColumn)
{
    const QDate today(2026, 12, 9);
    CashBookCell c;
    c.osszeg = -10;
    c.datum = today;
    c.szin = 0x0000FF;  // red in a Windows colour value
    CellColors r = cashBookCellColors(c, today);
    EXPECT_EQ(r.text, DarkRed());
    EXPECT_EQ(r.background, QColor(0xFF, 0, 0));

    c.sortColumn = true;
    EXPECT_EQ(cashBookCellColors(c, today).background, SortColumnColor());

    c.sortColumn = false;
    c.selected = true;
    r = cashBookCellColors(c, today);
    EXPECT_FALSE(r.text.isValid());        // selection colours on the selected row
    EXPECT_FALSE(r.background.isValid());

    c.datum = today.addDays(1);  // the future wins over the negative amount
    EXPECT_EQ(cashBookCellColors(c, today).text, FutureSilver());
    c.selected = false;
    EXPECT_EQ(cashBookCellColors(c, today).text, FutureGrey());

    c.szin = QVariant();  // no cash-type colour: the grid's own
    c.osszeg = 5;
    c.datum = today;
    r = cashBookCellColors(c, today);
    EXPECT_FALSE(r.background.isValid());
    EXPECT_FALSE(r.text.isValid());
}

TEST(Rights, TableOfTheGuardedActions)
{
    TBeall none;
    none.rendszergazda = none.torzsszerkeszt = none.szerkeszthet = none.torolhet = false;
    EXPECT_TRUE(rightsAllow("aSzur1", none));
    EXPECT_TRUE(rightsAllow("aKassza", none));  // cash boxes: no check here
    EXPECT_TRUE(rightsAllow("aCsekkFizet", none));
    EXPECT_FALSE(rightsAllow("aUj", none));

    TBeall admin = none;
    admin.rendszergazda = true;  // does not imply the others
    EXPECT_TRUE(rightsAllow("aSQL", admin));
    EXPECT_FALSE(rightsAllow("aUjFix", admin));
    EXPECT_FALSE(rightsAllow("aTorol", admin));

    TBeall entry = none;
    entry.torzsszerkeszt = true;
    EXPECT_TRUE(rightsAllow("aUj", entry));
    EXPECT_TRUE(rightsAllow("aImport", entry));
    EXPECT_FALSE(rightsAllow("aImport", admin));
    EXPECT_FALSE(rightsAllow("aSzerkeszt", entry));
    EXPECT_FALSE(rightsAllow("aTorol", entry));
    TBeall deleteOnly = none;
    deleteOnly.torolhet = true;
    EXPECT_FALSE(rightsAllow("aTorol", deleteOnly));  // both rights needed
}

TEST(Actions, CaptionsHintsShortcutsAndPlaces)
{
    QMainWindow w;
    const MainActions a = MainActions::create(&w);
    const MainMenus menus = buildMainMenus(&w, a);
    EXPECT_EQ(a.all().size(), 56);
    for (QAction *x : a.all()) {
        EXPECT_FALSE(x->objectName().isEmpty());
        EXPECT_FALSE(x->property("category").toString().isEmpty()) << x->objectName().toStdString();
        EXPECT_FALSE(x->statusTip().isEmpty());
    }
    EXPECT_EQ(a.aKasszaValaszt->statusTip(), "Kassza választás");
    EXPECT_EQ(a.aCsekkFizet->text(), "Csekk");
    EXPECT_EQ(a.aCsekkFizet->statusTip(), "Csekkek fizetése");
    EXPECT_EQ(a.aTorol->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    EXPECT_EQ(a.aUjFix->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Insert));
    EXPECT_EQ(a.aBeallit->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Return));
    EXPECT_EQ(a.aNyomOssz2->text(), "Pénzmozgások időszakra (összes)");
    EXPECT_TRUE(a.aSzur0->isChecked());
    a.aSzur4->trigger();
    EXPECT_FALSE(a.aSzur0->isChecked());  // one radio group

    QStringList menuTitles;
    for (QAction *m : w.menuBar()->actions())
        menuTitles << m->text();
    EXPECT_EQ(menuTitles, QStringList({"Rekordok", "Csekkek", "Nézet", "Törzsadatok", "Nyomtatások", "Rendszer", "Súgó"}));
    QStringList filterMenu;
    for (QAction *x : menus.filter->actions())
        filterMenu << (x->isSeparator() ? QStringLiteral("-") : x->objectName());
    EXPECT_EQ(filterMenu, QStringList({"aSzur0", "-", "aSzur1", "aSzur2", "aSzur6", "-", "aSzur3", "aSzur4", "-", "aSzur5"}));
    const QList<QAction *> records = w.menuBar()->actions().first()->menu()->actions();
    EXPECT_TRUE(records.contains(a.aImport));
    EXPECT_EQ(a.aImport->text(), "Importálás…");
}
