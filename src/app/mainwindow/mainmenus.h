// Every action of the main window with its caption, hint, shortcut, category and icon,
// and the menus, tool bars and context menu that point to them.
#pragma once

#include <QList>
#include <QString>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace zorva {

struct MainActions {
    // Rekordok
    QAction *aKasszaValaszt, *aSzur0, *aSzur1, *aSzur2, *aSzur3, *aSzur4, *aSzur5, *aSzur6;
    QAction *aUj, *aUjFix, *aImport, *aSzerkeszt, *aTorol, *aNyomtat, *aNyomtatkep, *aExcelbe, *aHtml, *aFrissit, *aBezar;
    // Csekkek
    QAction *aCsekkFizet, *aCsekkTipus, *aChCsekkMegoszlik, *aChCsekkFizet;
    // Tartozás
    QAction *aTartozik, *aKovetel;
    // Nézet
    QAction *aBetuNovel, *aBetuCsokkent;
    // Törzsadatok
    QAction *aKassza, *aTorzsKasszaTipus, *aTorzsUgyfel, *aTorzsFix;
    // Nyomtatások
    QAction *aNyomKassza, *aNyomBevet, *aNyomKiad, *aNyomOssz, *aNyomBevet2, *aNyomKiad2, *aNyomOssz2;
    QAction *aNyomUgyfTetel, *aNyomUgyfTetel2, *aNyomTipTetel, *aNyomTipTetel2, *aNyomIdoszak;
    QAction *aChPenzforg, *aChBevKiad, *aChBevMegoszlas, *aChKiadMegoszlas;
    // Rendszer
    QAction *aFelhasznalo, *aSQL, *aAdatbazisok, *aBeallit;
    // Súgó
    QAction *aSugo, *aHonlap, *aLevel, *aUjdonsag, *aNevjegy;

    QActionGroup *filters;  // aSzur0 ... aSzur6, one checked

    // Creates every action as a child of `owner` (object name = action name, the
    // category in the dynamic property "category", status tip and tool tip = hint).
    static MainActions create(QWidget *owner);
    QList<QAction *> all() const;
};

// The pop-up menus of the large tool bar and the grid.
struct MainMenus {
    QMenu *filter;    // "Szűrés"
    QMenu *newEntry;  // "Új"
    QMenu *output;    // "Nyomtat"
    QMenu *analysis;  // "Elemzések"
    QMenu *grid;      // context menu of the list
};

// The menu bar, the two tool bars and the pop-up menus.
MainMenus buildMainMenus(QMainWindow *window, const MainActions &a);
QToolBar *buildSmallToolBar(QMainWindow *window, const MainActions &a);
QToolBar *buildLargeToolBar(QMainWindow *window, const MainActions &a, const MainMenus &menus);

}  // namespace zorva
