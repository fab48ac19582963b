// The profile list on its settings file: loading, the order and numbering of the stored
// profiles, sorting, the window's parts and the profile editor.
#include "profilefixture.h"

#include "admin/backup/backuppanel.h"
#include "core/ui/dbgrid.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

using namespace zorva;
using profiletest::whenModal;
using Editor = Tfrm_Adatbazis_Szerkeszt;

namespace {

class ProfileList : public profiletest::ProfileListTest {};

QString plain(const QString &db, const QString &host, const QString &name)
{
    return QStringLiteral("%1;%2;3306;root;titok;%3").arg(db, host, name);
}

TEST_F(ProfileList, LoadsSortedByNameAndSavesRenumberedFromOne)
{
    store({{9, plain("c", "gamma", "Cecil")},
           {2, plain("a", "beta", "Aladár")},
           {5, QStringLiteral("b;alfa;nem-szam;u;p;Béla")},  // no trailing ";", a port that is no number
           {7, QString()}});                                 // an empty key is skipped
    auto w = openWindow();
    EXPECT_EQ(column(*w, "adatbazisnev"), QStringList({"Aladár", "Béla", "Cecil"}));
    EXPECT_EQ(column(*w, "port"), QStringList({"3306", "0", "3306"}));
    EXPECT_EQ(w->table().recNo(), 1);

    w->saveProfiles();
    EXPECT_EQ(storedKeys(),
              QStringList({"ConStr1=a;beta;3306;root;titok;Aladár;", "ConStr2=b;alfa;0;u;p;Béla;",
                           "ConStr3=c;gamma;3306;root;titok;Cecil;"}));

    // Deleting the second row after the question leaves exactly the keys 1 and 2.
    w->table().setRecNo(2);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    w->deleteRow();
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log().at(0).text, "Valóban töröljem az adatbázist a listából?");
    EXPECT_EQ(MessageBox::log().at(0).caption, "Megerősítés");
    MessageBox::setNextAnswer(QMessageBox::No);
    w->deleteRow();
    EXPECT_EQ(w->table().recordCount(), 2);
    w->saveProfiles();
    EXPECT_EQ(storedKeys(), QStringList({"ConStr1=a;beta;3306;root;titok;Aladár;",
                                         "ConStr2=c;gamma;3306;root;titok;Cecil;"}));
}

TEST_F(ProfileList, ShrunkListLeavesNoStaleKeysAndClosingSavesWhicheverWay)
{
    QStringList sixty;
    for (int i = 1; i <= 60; ++i)
        sixty << plain(QStringLiteral("db%1").arg(i, 2, 10, QLatin1Char('0')), "h",
                       QStringLiteral("N%1").arg(i, 2, 10, QLatin1Char('0')));
    ASSERT_TRUE(writeConnectionProfiles(sixty, IniPath()));
    IniFile ini(IniPath());
    ini.writeString("frm_Adatbazis", "MysqlDump", "/opt/eszkoz/mysqldump");
    ASSERT_TRUE(ini.save());

    Tfrm_Adatbazis w;
    whenModal<Tfrm_Adatbazis>([](Tfrm_Adatbazis *d) {
        EXPECT_EQ(d->table().recordCount(), 60);
        EXPECT_EQ(d->backupPanel()->dumpPath(), "/opt/eszkoz/mysqldump");
        d->table().last();
        for (int i = 0; i < 5; ++i)
            d->table().deleteRecord();
        d->backupPanel()->setDumpPath("/usr/bin/mariadb-dump");
        d->reject();  // Esc and the window's close button end the same way
    });
    w.openAndExec(-1);
    const QStringList keys = storedKeys();
    ASSERT_EQ(keys.size(), 55);
    EXPECT_TRUE(keys.last().startsWith("ConStr55=db55;"));
    EXPECT_EQ(IniFile(IniPath()).readString("frm_Adatbazis", "MysqlDump", ""), "/usr/bin/mariadb-dump");
}

TEST_F(ProfileList, TitleClickSortsMarksTheColumnAndRenumbersInThatOrder)
{
    store({{1, plain("x", "zeta.hu", "A")}, {2, plain("y", "alfa.hu", "B")}, {3, plain("z", "mu.hu", "C")}});
    auto w = openWindow();
    w->show();
    EXPECT_EQ(w->grid()->columnColor(0), SortColumnColor());
    emit w->grid()->titleClicked("kiszolgalo", 2);
    EXPECT_EQ(column(*w, "kiszolgalo"), QStringList({"alfa.hu", "mu.hu", "zeta.hu"}));
    EXPECT_EQ(w->grid()->columnColor(2), SortColumnColor());
    EXPECT_NE(w->grid()->columnColor(0), SortColumnColor());
    w->saveProfiles();
    EXPECT_EQ(storedKeys(),
              QStringList({"ConStr1=y;alfa.hu;3306;root;titok;B;", "ConStr2=z;mu.hu;3306;root;titok;C;",
                           "ConStr3=x;zeta.hu;3306;root;titok;A;"}));
    w->reject();
}

TEST_F(ProfileList, WindowPartsWidthsAndFont)
{
    beall().FontSize = 14;
    auto w = openWindow();
    w->show();
    EXPECT_EQ(w->windowTitle(), "Tárhelyek");
    EXPECT_EQ(w->title(), "Tárhelyek");
    EXPECT_EQ(w->font().pointSize(), 9);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w->backupPanel()->isVisible());

    QStringList titles;
    for (int c = 0; c < w->grid()->model()->columnCount(); ++c)
        titles << w->grid()->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Megjelenített név", "Adatbázis / tárhely", "Kiszolgáló", "Port",
                                   "Felhasználó", "Verzió"}));
    for (int width : {700, 533}) {
        w->resize(width, 400);
        QApplication::processEvents();
        const double W = w->grid()->width() - 44;
        const QList<double> shares = {0.3, 0.15, 0.15, 0.1, 0.15, 0.15};
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(w->grid()->columnWidth(c), int(W * shares[c])) << width << " column " << c;
    }

    QStringList bar;
    for (QAction *a : w->toolBar()->actions())
        bar << (a->isSeparator() ? QStringLiteral("|") : a->text());
    EXPECT_EQ(bar, QStringList({"Új", "Szerkeszt", "Töröl", "|", "Teszt", "|", "Mentés", "|", "Bezár"}));
    ASSERT_NE(w->saveMenuButton(), nullptr);
    QStringList menu;
    for (QAction *a : w->saveMenuButton()->defaultAction()->menu()->actions())
        menu << (a->isSeparator() ? QStringLiteral("|") : a->text());
    EXPECT_EQ(menu, QStringList({"Biztonsági mentés készítés", "|", "Teljes biztonsági mentés készítés", "|",
                                 "Visszaállítás"}));
    const std::pair<const char *, QKeySequence> keys[] = {{"aUj", QKeySequence(Qt::Key_Insert)},
                                                          {"aSzerkeszt", QKeySequence(Qt::Key_F2)},
                                                          {"aTorol", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
                                                          {"aTeszt", QKeySequence(Qt::CTRL | Qt::Key_T)},
                                                          {"aBackup", QKeySequence(Qt::Key_F3)},
                                                          {"aMySQLDump", QKeySequence(Qt::Key_F6)},
                                                          {"aBezar", QKeySequence(Qt::Key_Escape)}};
    for (const auto &[name, key] : keys)
        EXPECT_EQ(w->action(name)->shortcut(), key) << name;

    // F6 shows the panel, again hides it; its close button hides it too.
    w->action("aMySQLDump")->trigger();
    EXPECT_TRUE(w->backupPanel()->isVisible());
    w->action("aMySQLDump")->trigger();
    EXPECT_FALSE(w->backupPanel()->isVisible());
    w->action("aMySQLDump")->trigger();
    w->backupPanel()->closeButton()->click();
    EXPECT_FALSE(w->backupPanel()->isVisible());
    w->reject();
    beall().FontSize = 9;
}

TEST_F(ProfileList, EditorWritesTheRowCancelLeavesItAndRefusesWhatCannotBeStored)
{
    store({{1, plain("a", "h", "Első")}});
    auto w = openWindow();
    w->show();

    // A new row starts with port 3306; cancelling it removes it.
    whenModal<Editor>([](Editor *d) {
        EXPECT_EQ(d->windowTitle(), "Tárhely");
        EXPECT_EQ(d->portEdit()->text(), "3306");
        EXPECT_EQ(d->font().pointSize(), 9);
        d->nameEdit()->setText("Félbehagyott");
        d->reject();
    });
    w->newRow();
    EXPECT_EQ(column(*w, "adatbazisnev"), QStringList({"Első"}));

    // Cancelling an edit after typing leaves the row as it was.
    whenModal<Editor>([](Editor *d) {
        EXPECT_EQ(d->passwordEdit()->text(), "titok");
        d->hostEdit()->setText("masik.hu");
        d->cancelButton()->click();
    });
    w->editRow();
    EXPECT_EQ(column(*w, "kiszolgalo"), QStringList({"h"}));

    // The password shows as "*" until its button shows it, and the focus goes into it.
    whenModal<Editor>([](Editor *d) {
        EXPECT_EQ(d->passwordEdit()->echoMode(), QLineEdit::Password);
        d->showPasswordButton()->click();
        EXPECT_EQ(d->passwordEdit()->echoMode(), QLineEdit::Normal);
        EXPECT_EQ(d->focusWidget(), d->passwordEdit());
        d->showPasswordButton()->click();
        EXPECT_EQ(d->passwordEdit()->echoMode(), QLineEdit::Password);
        // A ";" would split the stored record; a port outside 1-65535 is refused.
        d->passwordEdit()->setText("ti;tok");
        d->okButton()->click();
        EXPECT_TRUE(d->isVisible());
        d->passwordEdit()->setText("uj jelszo");
        d->portEdit()->setText("70000");
        d->okButton()->click();
        EXPECT_TRUE(d->isVisible());
        d->portEdit()->setText("3307");
        d->databaseEdit()->setText("b");
        d->okButton()->click();
    });
    w->editRow();
    ASSERT_EQ(shownTexts().size(), 2);
    EXPECT_TRUE(shownTexts().at(0).contains("Jelszó"));
    EXPECT_TRUE(shownTexts().at(1).contains("70000"));

    // Ctrl+Enter accepts a new row from any field.
    whenModal<Editor>([](Editor *d) {
        d->nameEdit()->setText("Második");
        d->hostEdit()->setText("h2");
        d->hostEdit()->setFocus();
        QTest::keyClick(d->hostEdit(), Qt::Key_Return, Qt::ControlModifier);
    });
    w->newRow();
    w->saveProfiles();
    EXPECT_EQ(storedKeys(),
              QStringList({"ConStr1=b;h;3307;root;uj jelszo;Első;", "ConStr2=;h2;3306;;;Második;"}));
    w->reject();
}

}  // namespace
