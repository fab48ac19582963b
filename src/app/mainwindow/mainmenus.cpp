#include "mainmenus.h"

#include "core/ui/mainicons.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace zorva {

namespace {

QAction *make(QWidget *owner, const char *name, const char *category, const QString &caption,
              const QString &hint = QString(), const QKeySequence &shortcut = QKeySequence(),
              std::optional<MainIcon> icon = std::nullopt)
{
    auto *a = new QAction(caption, owner);
    a->setObjectName(QString::fromLatin1(name));
    a->setProperty("category", QString::fromUtf8(category));
    const QString h = hint.isEmpty() ? caption : hint;
    a->setToolTip(h);
    a->setStatusTip(h);
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    if (icon)
        a->setIcon(mainIcon(*icon));
    owner->addAction(a);
    return a;
}

}  // namespace

MainActions MainActions::create(QWidget *o)
{
    MainActions m{};
    const char *rek = "Rekordok";
    m.aKasszaValaszt = make(o, "aKasszaValaszt", rek, QStringLiteral("Kassza"), QStringLiteral("Kassza választás"),
                            {}, MainIcon::CashBox);
    m.aSzur0 = make(o, "aSzur0", rek, QStringLiteral("Utolsó hónap"));
    m.aSzur1 = make(o, "aSzur1", rek, QStringLiteral("Időszak szűrés"));
    m.aSzur2 = make(o, "aSzur2", rek, QStringLiteral("Egy kassza típus"));
    m.aSzur3 = make(o, "aSzur3", rek, QStringLiteral("Csak bevételek"));
    m.aSzur4 = make(o, "aSzur4", rek, QStringLiteral("Csak kiadások"));
    m.aSzur5 = make(o, "aSzur5", rek, QStringLiteral("Összes"));
    m.aSzur6 = make(o, "aSzur6", rek, QStringLiteral("Egy ügyfél"));
    m.filters = new QActionGroup(o);
    m.filters->setExclusive(true);
    for (QAction *f : {m.aSzur0, m.aSzur1, m.aSzur2, m.aSzur3, m.aSzur4, m.aSzur5, m.aSzur6}) {
        f->setCheckable(true);
        m.filters->addAction(f);
    }
    m.aSzur0->setChecked(true);
    m.aSzur1->setIcon(mainIcon(MainIcon::Filter));

    m.aUj = make(o, "aUj", rek, QStringLiteral("Új"), {}, QKeySequence(Qt::Key_Insert), MainIcon::New);
    m.aUjFix = make(o, "aUjFix", rek, QStringLiteral("Új fix tétel"), {},
                    QKeySequence(Qt::CTRL | Qt::Key_Insert), MainIcon::NewFixed);
    m.aImport = make(o, "aImport", rek, QStringLiteral("Importálás…"),
                     QStringLiteral("Bankkivonat (CSV) importálása a kasszába"));
    m.aSzerkeszt = make(o, "aSzerkeszt", rek, QStringLiteral("Szerkeszt"), {}, QKeySequence(Qt::Key_F2),
                        MainIcon::Edit);
    m.aTorol = make(o, "aTorol", rek, QStringLiteral("Töröl"), {}, QKeySequence(Qt::CTRL | Qt::Key_Delete),
                    MainIcon::Delete);
    m.aNyomtat = make(o, "aNyomtat", rek, QStringLiteral("Nyomtat"), {}, QKeySequence(Qt::CTRL | Qt::Key_P),
                      MainIcon::Print);
    m.aNyomtatkep = make(o, "aNyomtatkep", rek, QStringLiteral("Nyomtatási kép"), {},
                         QKeySequence(Qt::CTRL | Qt::Key_K), MainIcon::Preview);
    m.aExcelbe = make(o, "aExcelbe", rek, QStringLiteral("Excelbe..."), {}, QKeySequence(Qt::CTRL | Qt::Key_E),
                      MainIcon::Excel);
    m.aHtml = make(o, "aHtml", rek, QStringLiteral("HTML export"), {}, QKeySequence(Qt::CTRL | Qt::Key_H),
                   MainIcon::Html);
    m.aFrissit = make(o, "aFrissit", rek, QStringLiteral("Frissít"), {}, QKeySequence(Qt::Key_F5),
                      MainIcon::Refresh);
    m.aBezar = make(o, "aBezar", rek, QStringLiteral("Bezár"), {}, {}, MainIcon::Close);

    const char *cs = "Csekkek";
    m.aCsekkFizet = make(o, "aCsekkFizet", cs, QStringLiteral("Csekk"), QStringLiteral("Csekkek fizetése"), {},
                         MainIcon::Bill);
    m.aCsekkTipus = make(o, "aCsekkTipus", cs, QStringLiteral("Csekk típusok"));
    m.aChCsekkMegoszlik = make(o, "aChCsekkMegoszlik", cs, QStringLiteral("Megoszlás csekk típusonként"), {}, {},
                               MainIcon::Charts);
    m.aChCsekkFizet = make(o, "aChCsekkFizet", cs, QStringLiteral("Csekkbefizetések időszakra"), {}, {},
                           MainIcon::Charts);

    const char *ta = "Tartozás";
    m.aTartozik = make(o, "aTartozik", ta, QStringLiteral("Tartozik"), QStringLiteral("Nekem tartozik"), {},
                       MainIcon::Claim);
    m.aKovetel = make(o, "aKovetel", ta, QStringLiteral("Követel"), {}, {}, MainIcon::Debt);

    const char *ne = "Nézet";
    m.aBetuNovel = make(o, "aBetuNovel", ne, QStringLiteral("Betűméret növelése"), {}, {}, MainIcon::FontUp);
    m.aBetuCsokkent = make(o, "aBetuCsokkent", ne, QStringLiteral("Betűméret csökkentése"), {}, {},
                           MainIcon::FontDown);

    const char *to = "Törzsadatok";
    m.aKassza = make(o, "aKassza", to, QStringLiteral("Kasszák"), {}, {}, MainIcon::CashBox);
    m.aTorzsKasszaTipus = make(o, "aTorzsKasszaTipus", to, QStringLiteral("Kassza típusok"));
    m.aTorzsUgyfel = make(o, "aTorzsUgyfel", to, QStringLiteral("Ügyfelek"));
    m.aTorzsFix = make(o, "aTorzsFix", to, QStringLiteral("Fix tételek"));

    const char *ny = "Nyomtatások";
    m.aNyomKassza = make(o, "aNyomKassza", ny, QStringLiteral("Kasszatörténet"), {}, {}, MainIcon::Report);
    m.aNyomBevet = make(o, "aNyomBevet", ny, QStringLiteral("Bevételek időszakra"));
    m.aNyomKiad = make(o, "aNyomKiad", ny, QStringLiteral("Kiadások időszakra"));
    m.aNyomOssz = make(o, "aNyomOssz", ny, QStringLiteral("Pénzmozgások időszakra"));
    m.aNyomBevet2 = make(o, "aNyomBevet2", ny, QStringLiteral("Bevételek időszakra (összes)"));
    m.aNyomKiad2 = make(o, "aNyomKiad2", ny, QStringLiteral("Kiadások időszakra (összes)"));
    m.aNyomOssz2 = make(o, "aNyomOssz2", ny, QStringLiteral("Pénzmozgások időszakra (összes)"));
    m.aNyomUgyfTetel = make(o, "aNyomUgyfTetel", ny, QStringLiteral("Tételek ügyfelenként"));
    m.aNyomUgyfTetel2 = make(o, "aNyomUgyfTetel2", ny, QStringLiteral("Tételek ügyfelenként (csak egy ügyfél)"));
    m.aNyomTipTetel = make(o, "aNyomTipTetel", ny, QStringLiteral("Tételek típusonként"));
    m.aNyomTipTetel2 = make(o, "aNyomTipTetel2", ny, QStringLiteral("Tételek típusonként (csak egy típus)"));
    m.aNyomIdoszak = make(o, "aNyomIdoszak", ny, QStringLiteral("Időszak összesítés"));
    m.aChPenzforg = make(o, "aChPenzforg", ny, QStringLiteral("Pénzforgalom böngésző"), {}, {}, MainIcon::Charts);
    m.aChBevKiad = make(o, "aChBevKiad", ny, QStringLiteral("Pénzforgalmi összesítés"),
                        QStringLiteral("Bevételek - Kiadások összesen"), {}, MainIcon::Charts);
    m.aChBevMegoszlas = make(o, "aChBevMegoszlas", ny, QStringLiteral("Bevételek megoszlása"), {}, {},
                             MainIcon::Charts);
    m.aChKiadMegoszlas = make(o, "aChKiadMegoszlas", ny, QStringLiteral("Kiadások megoszlása"), {}, {},
                              MainIcon::Charts);

    const char *re = "Rendszer";
    m.aFelhasznalo = make(o, "aFelhasznalo", re, QStringLiteral("Felhasználók"), {}, {}, MainIcon::Users);
    m.aSQL = make(o, "aSQL", re, QStringLiteral("Szabad lekérdezés"), {}, {}, MainIcon::Sql);
    m.aAdatbazisok = make(o, "aAdatbazisok", re, QStringLiteral("Adatbázisok"), {}, {}, MainIcon::Databases);
    m.aBeallit = make(o, "aBeallit", re, QStringLiteral("Beállítások"), {}, QKeySequence(Qt::ALT | Qt::Key_Return),
                      MainIcon::Settings);

    const char *su = "Súgó";
    m.aSugo = make(o, "aSugo", su, QStringLiteral("Súgó"), {}, QKeySequence(Qt::Key_F1), MainIcon::Help);
    m.aHonlap = make(o, "aHonlap", su, QStringLiteral("Velmo honlapja"), {}, {}, MainIcon::HomePage);
    m.aLevel = make(o, "aLevel", su, QStringLiteral("Levélküldés Velmónak"), {}, {}, MainIcon::Mail);
    m.aUjdonsag = make(o, "aUjdonsag", su, QStringLiteral("Újdonságok az Interneten"), {}, {}, MainIcon::News);
    m.aNevjegy = make(o, "aNevjegy", su, QStringLiteral("Névjegy"), {}, {}, MainIcon::About);
    return m;
}

QList<QAction *> MainActions::all() const
{
    return {aKasszaValaszt, aSzur0, aSzur1, aSzur2, aSzur3, aSzur4, aSzur5, aSzur6, aUj, aUjFix, aImport,
            aSzerkeszt, aTorol, aNyomtat, aNyomtatkep, aExcelbe, aHtml, aFrissit, aBezar, aCsekkFizet,
            aCsekkTipus, aChCsekkMegoszlik, aChCsekkFizet, aTartozik, aKovetel, aBetuNovel, aBetuCsokkent,
            aKassza, aTorzsKasszaTipus, aTorzsUgyfel, aTorzsFix, aNyomKassza, aNyomBevet, aNyomKiad,
            aNyomOssz, aNyomBevet2, aNyomKiad2, aNyomOssz2, aNyomUgyfTetel, aNyomUgyfTetel2, aNyomTipTetel,
            aNyomTipTetel2, aNyomIdoszak, aChPenzforg, aChBevKiad, aChBevMegoszlas, aChKiadMegoszlas,
            aFelhasznalo, aSQL, aAdatbazisok, aBeallit, aSugo, aHonlap, aLevel, aUjdonsag, aNevjegy};
}

MainMenus buildMainMenus(QMainWindow *w, const MainActions &a)
{
    QMenuBar *bar = w->menuBar();
    QMenu *m = bar->addMenu(QStringLiteral("Rekordok"));
    m->addAction(a.aKasszaValaszt);
    m->addSeparator();
    m->addAction(a.aSzur1);
    m->addSeparator();
    m->addActions({a.aUj, a.aUjFix, a.aImport});
    m->addSeparator();
    m->addActions({a.aSzerkeszt, a.aTorol});
    m->addSeparator();
    m->addActions({a.aNyomtat, a.aNyomtatkep});
    m->addSeparator();
    m->addActions({a.aExcelbe, a.aHtml});
    m->addSeparator();
    m->addAction(a.aBezar);

    m = bar->addMenu(QStringLiteral("Csekkek"));
    m->addActions({a.aCsekkFizet, a.aCsekkTipus});
    m->addSeparator();
    m->addActions({a.aChCsekkMegoszlik, a.aChCsekkFizet});

    m = bar->addMenu(QStringLiteral("Nézet"));
    m->addActions({a.aBetuNovel, a.aBetuCsokkent});

    m = bar->addMenu(QStringLiteral("Törzsadatok"));
    m->addActions({a.aKassza, a.aTorzsKasszaTipus, a.aTorzsUgyfel});
    m->addSeparator();
    m->addAction(a.aTorzsFix);

    m = bar->addMenu(QStringLiteral("Nyomtatások"));
    QMenu *cur = m->addMenu(QStringLiteral("Aktuális kassza"));
    cur->addAction(a.aNyomKassza);
    cur->addSeparator();
    cur->addActions({a.aNyomBevet, a.aNyomKiad, a.aNyomOssz});
    QMenu *every = m->addMenu(QStringLiteral("Összes kassza"));
    every->addActions({a.aNyomBevet2, a.aNyomKiad2, a.aNyomOssz2});
    m->addSeparator();
    m->addActions({a.aNyomUgyfTetel, a.aNyomUgyfTetel2});
    m->addSeparator();
    m->addActions({a.aNyomTipTetel, a.aNyomTipTetel2});
    m->addSeparator();
    m->addAction(a.aNyomIdoszak);
    m->addSeparator();
    m->addAction(a.aChPenzforg);
    m->addSeparator();
    m->addActions({a.aChBevKiad, a.aChBevMegoszlas, a.aChKiadMegoszlas});

    m = bar->addMenu(QStringLiteral("Rendszer"));
    m->addActions({a.aFelhasznalo, a.aSQL});
    m->addSeparator();
    m->addAction(a.aAdatbazisok);
    m->addSeparator();
    m->addAction(a.aBeallit);

    m = bar->addMenu(QStringLiteral("Súgó"));
    m->addAction(a.aSugo);
    m->addSeparator();
    m->addActions({a.aHonlap, a.aLevel, a.aUjdonsag});
    m->addSeparator();
    m->addAction(a.aNevjegy);

    MainMenus menus{};
    menus.filter = new QMenu(QStringLiteral("Szűrés"), w);
    menus.filter->setObjectName(QStringLiteral("pmSzures"));
    menus.filter->addAction(a.aSzur0);
    menus.filter->addSeparator();
    menus.filter->addActions({a.aSzur1, a.aSzur2, a.aSzur6});
    menus.filter->addSeparator();
    menus.filter->addActions({a.aSzur3, a.aSzur4});
    menus.filter->addSeparator();
    menus.filter->addAction(a.aSzur5);

    menus.newEntry = new QMenu(QStringLiteral("Új"), w);
    menus.newEntry->addActions({a.aUj, a.aUjFix});

    menus.output = new QMenu(QStringLiteral("Nyomtat"), w);
    menus.output->addActions({a.aNyomtat, a.aNyomtatkep, a.aExcelbe, a.aHtml});

    menus.analysis = new QMenu(QStringLiteral("Elemzések"), w);
    menus.analysis->addAction(a.aChPenzforg);
    menus.analysis->addSeparator();
    menus.analysis->addActions({a.aChBevKiad, a.aChBevMegoszlas, a.aChKiadMegoszlas});
    menus.analysis->addSeparator();
    menus.analysis->addActions({a.aChCsekkFizet, a.aChCsekkMegoszlik});

    menus.grid = new QMenu(w);
    menus.grid->setObjectName(QStringLiteral("pmGrid"));
    menus.grid->addActions({a.aUj, a.aUjFix, a.aSzerkeszt, a.aTorol});
    menus.grid->addSeparator();
    menus.grid->addActions({a.aNyomtat, a.aNyomtatkep});
    menus.grid->addSeparator();
    menus.grid->addActions({a.aExcelbe, a.aHtml});
    return menus;
}

QToolBar *buildSmallToolBar(QMainWindow *w, const MainActions &a)
{
    auto *tb = new QToolBar(QStringLiteral("Eszközök"), w);
    tb->setObjectName(QStringLiteral("ToolBar2"));
    tb->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tb->setIconSize(QSize(16, 16));
    tb->setMovable(false);
    tb->addAction(a.aFrissit);
    tb->addSeparator();
    tb->addAction(a.aBeallit);
    tb->addSeparator();
    tb->addActions({a.aBetuNovel, a.aBetuCsokkent});
    tb->addSeparator();
    tb->addActions({a.aSugo, a.aHonlap, a.aLevel, a.aUjdonsag});
    tb->addSeparator();
    tb->addAction(a.aBezar);
    w->addToolBar(Qt::TopToolBarArea, tb);
    return tb;
}

namespace {

// A captioned tool-bar button that opens `menu`; `action` gives caption, hint and icon.
QToolButton *menuButton(QToolBar *tb, const QString &caption, const QString &name, const QIcon &icon,
                        QMenu *menu, QAction *defaultAction = nullptr)
{
    auto *b = new QToolButton(tb);
    b->setObjectName(name);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setMenu(menu);
    if (defaultAction) {
        b->setDefaultAction(defaultAction);
        b->setPopupMode(QToolButton::MenuButtonPopup);
    } else {
        b->setPopupMode(QToolButton::InstantPopup);
        b->setText(caption);
        b->setIcon(icon);
        b->setToolTip(caption);
        b->setStatusTip(caption);
    }
    b->setAutoRaise(true);
    tb->addWidget(b);
    return b;
}

}  // namespace

QToolBar *buildLargeToolBar(QMainWindow *w, const MainActions &a, const MainMenus &menus)
{
    auto *tb = new QToolBar(QStringLiteral("Műveletek"), w);
    tb->setObjectName(QStringLiteral("ToolBar1"));
    tb->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tb->setIconSize(QSize(24, 24));
    tb->setMovable(false);
    tb->addAction(a.aKasszaValaszt);
    menuButton(tb, QStringLiteral("Szűrés"), QStringLiteral("tbSzures"), mainIcon(MainIcon::Filter),
               menus.filter);
    menuButton(tb, QStringLiteral("Új"), QStringLiteral("tbUj"), mainIcon(MainIcon::New), menus.newEntry);
    tb->addActions({a.aSzerkeszt, a.aTorol, a.aCsekkFizet, a.aTartozik, a.aKovetel});
    menuButton(tb, QStringLiteral("Nyomtat"), QStringLiteral("tbNyomtat"), mainIcon(MainIcon::Print), menus.output);
    menuButton(tb, QStringLiteral("Elemzések"), QStringLiteral("tbElemzesek"), mainIcon(MainIcon::Charts),
               menus.analysis);
    w->addToolBarBreak(Qt::TopToolBarArea);
    w->addToolBar(Qt::TopToolBarArea, tb);
    return tb;
}

}  // namespace zorva
