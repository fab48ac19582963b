// The user list and the user editor on the real database: order and pictures of the
// list, new and edited users, the password checks, taken names, the last administrator
// and the keys of both windows.
#include "masterdata/masterdatafixture.h"

#include "admin/users/felhasznalo.h"
#include "admin/users/felhasznaloszerkeszt.h"
#include "admin/users/rightdelegate.h"
#include "core/passwordhash.h"

#include "core/ui/dbgrid.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zorva;
using mdtest::whenModal;
using Editor = Tfrm_FelhasznaloSzerkeszt;

namespace {

const QString Missing = QStringLiteral("Hiányos adat megadás");
const QString Mismatch = QStringLiteral("Hibás jelszó megadás");

// Three users, out of name order: Zoli the only administrator, Anna data entry, Béla none.
class Users : public mdtest::MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        db().execute("DELETE FROM felhasznalo");
        db().execute(
            "INSERT INTO felhasznalo VALUES ('Zoli', 'Kiss Zoltán', 'zz', 'I', 'I', 'I', 'I'), "
            "('Anna', 'Kovács Anna', 'Titok1', 'N', 'I', 'N', 'N'), "
            "('Béla', NULL, 'jelszó', 'N', 'N', 'N', 'N')");
        w = std::make_unique<Tfrm_Felhasznalo>();
        w->table().open();
    }
    void TearDown() override
    {
        w.reset();
        MasterDataTest::TearDown();
    }

    QList<QStringList> stored()
    {
        return rows(
            "SELECT felhasznalo, IFNULL(felhasznalo_nev, 'NULL'), "
            "IF(jelszo LIKE '$argon2id$%', 'hash', jelszo), rendszergazda, "
            "torzsszerkeszt, szerkeszthet, torolhet FROM felhasznalo ORDER BY felhasznalo");
    }
    // Whether the user's stored password is the hash of `typed`.
    bool hashOf(const QString &user, const QString &typed)
    {
        const QString stored = db().queryText(
            QStringLiteral("SELECT jelszo FROM felhasznalo WHERE felhasznalo = '%1'").arg(user));
        return IsPasswordHash(stored) && CheckPassword(stored, typed) == PasswordCheck::Matches;
    }
    QStringList namesShown() const
    {
        QStringList out;
        for (int r = 0; r < w->grid()->model()->rowCount(); ++r)
            out << w->grid()->model()->index(r, 0).data().toString();
        return out;
    }
    // The boxes shown since the last call, joined; the log starts again.
    QString takeShown()
    {
        const QString text = shownTexts().join(" | ");
        MessageBox::clearLog();
        return text;
    }
    // Opens the editor on the current row (or a new one) and runs `drive` in it.
    void edit(bool inserting, std::function<void(Editor *)> drive)
    {
        whenModal<Editor>(std::move(drive));
        if (inserting)
            w->newRow();
        else
            w->editRow();
    }

    std::unique_ptr<Tfrm_Felhasznalo> w;
};

void fill(Editor *d, const QString &user, const QString &password, const QString &repeat)
{
    d->userEdit()->setText(user);
    d->passwordEdit()->setText(password);
    d->repeatEdit()->setText(repeat);
}

}  // namespace

TEST_F(Users, ListIsInNameOrderWithTheRightsAsPictures)
{
    w->show();
    EXPECT_EQ(w->windowTitle(), "Felhasználók adatai");
    EXPECT_EQ(w->title(), "Felhasználók");
    EXPECT_EQ(namesShown(), QStringList({"Anna", "Béla", "Zoli"}));
    EXPECT_EQ(w->positionPanel()->text(), "3: 1");

    QAbstractItemModel *m = w->grid()->model();
    QStringList titles;
    for (int c = 0; c < m->columnCount(); ++c)
        titles << m->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles,
              QStringList({"felhasználó", "rendszergazda", "szerkesztés", "szerkeszthet", "törölhet"}));

    // Widths: the right columns keep 77 pixels, the name takes the rest less 348.
    for (int width : {600, 420}) {
        w->resize(width, 339);
        w->applyColumnWidths();
        EXPECT_EQ(w->grid()->columnWidth(0), w->grid()->width() - 348) << width;
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(w->grid()->columnWidth(c), 77) << width << " column " << c;
    }

    // A right is granted by exactly "I"; the picture of a granted right differs from the
    // picture of a denied one and no text is drawn.
    EXPECT_TRUE(RightDelegate::granted(QStringLiteral("I")));
    for (const QVariant &v : {QVariant(QStringLiteral("i")), QVariant(QStringLiteral("N")), QVariant(),
                              QVariant(QStringLiteral(" I"))})
        EXPECT_FALSE(RightDelegate::granted(v)) << v.toString().toStdString();
    for (int c = 1; c <= 4; ++c)
        EXPECT_NE(qobject_cast<RightDelegate *>(w->grid()->itemDelegateForColumn(c)), nullptr) << c;
    w->grid()->clearSelection();
    w->grid()->setCurrentIndex(QModelIndex());
    const auto cell = [this](int row, int column) {
        const QRect r = w->grid()->visualRect(w->grid()->model()->index(row, column));
        return w->grid()->viewport()->grab(r).toImage();
    };
    EXPECT_NE(cell(2, 1), cell(0, 1));  // Zoli administrator, Anna not
    EXPECT_EQ(cell(1, 1), cell(0, 1));  // Béla and Anna both not
    EXPECT_EQ(cell(0, 2), cell(2, 1));  // Anna's data entry looks like Zoli's administrator

    EXPECT_EQ(w->action("aUj")->text(), "Új");
    EXPECT_EQ(w->action("aUj")->toolTip(), "Új Felhasználó");
    EXPECT_EQ(w->action("aElfogad"), nullptr);
    w->reject();
}

TEST_F(Users, NewUserStartsWithoutRightsAndTakesItsPlaceInTheOrder)
{
    w->show();
    bool anyTicked = true;
    QString repeatAtStart = "x";
    edit(true, [&](Editor *d) {
        EXPECT_EQ(d->windowTitle(), "Felhasználó adatainak szerkesztése");
        EXPECT_EQ(QApplication::focusWidget(), d->userEdit());
        anyTicked = d->adminBox()->isChecked() || d->dataEntryBox()->isChecked() ||
                    d->mayEditBox()->isChecked() || d->mayDeleteBox()->isChecked();
        repeatAtStart = d->repeatEdit()->text();
        fill(d, "  Csaba ", "cs1", "cs1");
        d->fullNameEdit()->setText("Tóth Csaba");
        d->mayDeleteBox()->setChecked(true);
        d->okButton()->click();
    });
    EXPECT_FALSE(anyTicked);
    EXPECT_EQ(repeatAtStart, "");
    EXPECT_EQ(namesShown(), QStringList({"Anna", "Béla", "Csaba", "Zoli"}));
    EXPECT_EQ(w->currentUser(), "Csaba");
    EXPECT_EQ(w->positionPanel()->text(), "4: 3");
    EXPECT_EQ(stored()[2], QStringList({"Csaba", "Tóth Csaba", "hash", "N", "N", "N", "I"}));
    EXPECT_TRUE(hashOf("Csaba", "cs1"));
    w->reject();
}

TEST_F(Users, PasswordsMustBeGivenAndRepeatedAndARefusalKeepsTheEditorOpen)
{
    const auto before = stored();
    QStringList afterEachOk;
    bool openAfterRefusals = false;
    edit(true, [&](Editor *d) {
        d->userEdit()->setText("Dóra");
        d->okButton()->click();  // both password fields empty
        afterEachOk << takeShown();
        fill(d, "Dóra", "abc", "abd");
        d->okButton()->click();
        afterEachOk << takeShown();
        fill(d, "Dóra", "", "abc");  // a repetition alone is no password
        d->okButton()->click();
        afterEachOk << takeShown();
        fill(d, "", "abc", "abc");  // nor is a password without a name a user
        d->okButton()->click();
        afterEachOk << takeShown();
        openAfterRefusals =
            d->isVisible() && d->userEdit()->text().isEmpty() && d->passwordEdit()->text() == "abc";
        d->cancelButton()->click();
    });
    EXPECT_EQ(afterEachOk, QStringList({Missing, Mismatch, Missing, Missing}));
    EXPECT_TRUE(openAfterRefusals);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(namesShown(), QStringList({"Anna", "Béla", "Zoli"}));
}

TEST_F(Users, EditingWithEmptyPasswordFieldsKeepsTheStoredPasswordAndMayRenameTheUser)
{
    w->show();
    ASSERT_TRUE(w->moveToUser("Béla"));
    QString repeatAtStart;
    // Enter on the grid opens the editor on the current row.
    whenModal<Editor>([&](Editor *d) {
        repeatAtStart = d->repeatEdit()->text();
        d->fullNameEdit()->setText("Nagy Béla");
        d->dataEntryBox()->setChecked(true);
        d->okButton()->click();
    });
    QTest::keyClick(w->grid(), Qt::Key_Return);
    EXPECT_EQ(repeatAtStart, "");
    EXPECT_EQ(stored()[1], QStringList({"Béla", "Nagy Béla", "jelszó", "N", "I", "N", "N"}));

    // A new name and a new password; the row moves to its new place.
    mdtest::reactivate(w.get());
    edit(false, [](Editor *d) {
        fill(d, "Ábel", "új", "új");
        d->okButton()->click();
    });
    EXPECT_EQ(namesShown(), QStringList({"Ábel", "Anna", "Zoli"}));
    EXPECT_EQ(w->currentUser(), "Ábel");
    EXPECT_EQ(rows("SELECT felhasznalo FROM felhasznalo WHERE felhasznalo_nev = 'Nagy Béla'"),
              QList<QStringList>({{"Ábel"}}));
    EXPECT_TRUE(hashOf("Ábel", "új"));

    // A cancelled edit restores the row.
    edit(false, [](Editor *d) {
        fill(d, "Xavér", "q", "q");
        d->cancelButton()->click();
    });
    EXPECT_EQ(namesShown(), QStringList({"Ábel", "Anna", "Zoli"}));
    w->reject();
}

TEST_F(Users, ANameTakenUnderTheTablesCollationIsRefusedInHungarian)
{
    const auto before = stored();
    QStringList shown;
    edit(true, [&](Editor *d) {
        // The table's collation ignores case and accents: "bela" is Béla.
        for (const QString &name : QStringList{"anna", "bela", "ZOLI "}) {
            fill(d, name, "pw", "pw");
            d->okButton()->click();
            shown << takeShown();
        }
        EXPECT_TRUE(d->isVisible());
        d->cancelButton()->click();
    });
    EXPECT_EQ(shown,
              QStringList({"Már van ilyen nevű felhasználó: Anna", "Már van ilyen nevű felhasználó: Béla",
                           "Már van ilyen nevű felhasználó: Zoli"}));
    EXPECT_EQ(stored(), before);

    // Renaming a user to its own name in another case is not a collision.
    ASSERT_TRUE(w->moveToUser("Anna"));
    edit(false, [](Editor *d) {
        d->userEdit()->setText("ANNA");
        d->okButton()->click();
    });
    EXPECT_EQ(rows("SELECT felhasznalo FROM felhasznalo WHERE jelszo = 'Titok1'"),
              QList<QStringList>({{"ANNA"}}));
}

TEST_F(Users, TextsOutsideTheDatabasesCharacterSetAreRefused)
{
    const auto before = stored();
    QStringList shown;
    edit(true, [&](Editor *d) {
        fill(d, "Eszter", "5€", "5€");
        d->okButton()->click();
        shown << takeShown();
        fill(d, "Эмма", "pw", "pw");
        d->okButton()->click();
        shown << takeShown();
        // Hungarian letters are fine.
        fill(d, "Ővé", "őű", "őű");
        d->okButton()->click();
    });
    EXPECT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown.value(0).startsWith("A jelszóban olyan karakter van")) << shown.value(0).toStdString();
    EXPECT_TRUE(shown.value(1).startsWith("A felhasználó nevében olyan karakter van"))
        << shown.value(1).toStdString();
    EXPECT_TRUE(hashOf("Ővé", "őű"));
    EXPECT_EQ(stored().size(), before.size() + 1);
}

TEST_F(Users, TheLastAdministratorIsNeitherDeletedNorDemoted)
{
    const auto before = stored();
    ASSERT_TRUE(w->moveToUser("Zoli"));
    w->deleteRow();
    EXPECT_EQ(MessageBox::log().size(), 1);  // refused without the question
    EXPECT_EQ(MessageBox::log().value(0).kind, MessageBox::Error);
    EXPECT_TRUE(MessageBox::log().value(0).text.startsWith("Az utolsó rendszergazdát nem lehet törölni"));

    MessageBox::clearLog();
    bool stayedOpen = false;
    edit(false, [&](Editor *d) {
        d->adminBox()->setChecked(false);
        d->okButton()->click();
        stayedOpen = d->isVisible();
        d->cancelButton()->click();
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_TRUE(MessageBox::log().value(0).text.startsWith("Legalább egy rendszergazdának maradnia kell"));
    EXPECT_EQ(stored(), before);

    // With a second administrator the first one may go, after the question.
    ASSERT_TRUE(w->moveToUser("Anna"));
    edit(false, [](Editor *d) {
        d->adminBox()->setChecked(true);
        d->okButton()->click();
    });
    ASSERT_TRUE(w->moveToUser("Zoli"));
    MessageBox::clearLog();
    MessageBox::setNextAnswer(QMessageBox::No);
    w->deleteRow();
    EXPECT_EQ(namesShown(), QStringList({"Anna", "Béla", "Zoli"}));
    MessageBox::setNextAnswer(QMessageBox::Yes);
    w->deleteRow();
    EXPECT_EQ(namesShown(), QStringList({"Anna", "Béla"}));
    ASSERT_EQ(MessageBox::log().size(), 2);
    EXPECT_EQ(MessageBox::log().value(0).text, "Valóban töröljem a sort?");
    EXPECT_EQ(MessageBox::log().value(0).caption, "Megerősítés");
    EXPECT_EQ(rows("SELECT COUNT(*) FROM felhasznalo WHERE felhasznalo = 'Zoli'"),
              QList<QStringList>({{"0"}}));

    // A database without any administrator takes users without one.
    db().execute("UPDATE felhasznalo SET rendszergazda = 'N'");
    w->table().refresh();
    ASSERT_TRUE(w->moveToUser("Béla"));
    MessageBox::setNextAnswer(QMessageBox::Yes);
    w->deleteRow();
    EXPECT_EQ(namesShown(), QStringList({"Anna"}));
}

TEST_F(Users, DeletingTheSignedInUserLeavesTheRightsOfTheRun)
{
    beall().UserName = "Zoli";
    beall().rendszergazda = beall().torzsszerkeszt = beall().szerkeszthet = beall().torolhet = true;
    db().execute("UPDATE felhasznalo SET rendszergazda = 'I' WHERE felhasznalo = 'Anna'");
    w->table().refresh();
    ASSERT_TRUE(w->moveToUser("Zoli"));
    MessageBox::setNextAnswer(QMessageBox::Yes);
    w->deleteRow();
    EXPECT_EQ(namesShown(), QStringList({"Anna", "Béla"}));
    EXPECT_EQ(beall().UserName, "Zoli");
    EXPECT_TRUE(beall().rendszergazda && beall().torzsszerkeszt && beall().szerkeszthet && beall().torolhet);
}

TEST_F(Users, KeysOfTheListAndTheEditor)
{
    w->table().close();
    QStringList focusPath;
    QString shownFirst;
    whenModal<Tfrm_Felhasznalo>([&](Tfrm_Felhasznalo *lw) {
        shownFirst = lw->currentUser();
        // Ins: a new user; Enter walks through every field, the check boxes included.
        whenModal<Editor>([&](Editor *d) {
            // The offscreen platform hands the focus over a little later than a desktop.
            (void)QTest::qWaitFor(
                [d] { return QApplication::focusWidget() && QApplication::focusWidget()->window() == d; },
                2000);
            for (int i = 0; i < 8; ++i) {
                QWidget *f = QApplication::focusWidget();
                ASSERT_NE(f, nullptr);
                ASSERT_EQ(f->window(), d);
                focusPath << f->objectName();
                QTest::keyClick(f, Qt::Key_Return);
            }
            EXPECT_FALSE(d->adminBox()->isChecked());  // Enter does not tick
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        lw->action("aUj")->trigger();
        mdtest::reactivate(lw);
        EXPECT_EQ(lw->positionPanel()->text(), "3: 1");
        // A double click edits; Esc closes the list.
        bool editing = false;
        whenModal<Editor>([&](Editor *d) {
            editing = d->userEdit()->text() == "Béla";
            d->cancelButton()->click();
        });
        lw->moveToUser("Béla");
        const QModelIndex cell = lw->grid()->model()->index(1, 0);
        const QPoint at = lw->grid()->visualRect(cell).center();
        QTest::mouseClick(lw->grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(lw->grid()->viewport(), Qt::LeftButton, {}, at);
        EXPECT_TRUE(editing);
        mdtest::reactivate(lw);
        QTest::keyClick(lw->grid(), Qt::Key_Escape);
    });
    ShowUsers();
    EXPECT_EQ(shownFirst, "Anna");
    EXPECT_EQ(focusPath, QStringList({"DBEdit1", "DBEdit2", "DBCheckBox1", "DBCheckBox2", "DBCheckBox3",
                                      "DBCheckBox4", "DBEdit3", "Edit1"}));
    EXPECT_EQ(stored().size(), 3);
}
