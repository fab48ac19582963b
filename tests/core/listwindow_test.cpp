// The shared list window and edit dialog over an in-memory table: modes, keys, search,
// typing into the grid, sorting, widths, the record position and the edit flow.
#include "core/formpos.h"
#include "core/globals.h"
#include "core/ui/columnwidths.h"
#include "core/ui/dbgrid.h"
#include "core/ui/editdialog.h"
#include "core/ui/listwindow.h"
#include "core/ui/messagebox.h"
#include "core/ui/searchbox.h"
#include "support/testserver.h"

#include "db/errors.h"
#include "db/memtable.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>

using namespace zorva;

namespace {

// Runs `drive` on the modal widget once it is shown and active.
void whenModal(std::function<void(QWidget *)> drive)
{
    QTimer::singleShot(0, [drive] {
        QWidget *w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        drive(w);
        // A window the drive left open must not hang the test.
        QTimer::singleShot(3000, w, [w] {
            if (w->isVisible()) {
                ADD_FAILURE() << "the window stayed open: " << w->objectName().toStdString();
                static_cast<QDialog *>(w)->reject();
            }
        });
    });
}

class NameDialog : public EditDialog {
public:
    NameDialog(TDataSet *ds, QWidget *parent) : EditDialog("frm_Nev", "Név szerkesztés", OkWrites, parent)
    {
        setDataSet(ds);
        name = new QLineEdit(this);
        name->setObjectName("name");
        other = new QLineEdit(this);
        addField("név", name);
        addField("más", other);
    }
    QLineEdit *name;
    QLineEdit *other;

protected:
    void loadValues() override { name->setText(dataSet()->fieldByName("nev").asString()); }
    void storeValues() override { dataSet()->fieldByName("nev").setAsString(name->text()); }
    void writeRow() override
    {
        // Stands in for a server that refuses the row.
        if (name->text() == "foglalt")
            throw EmySQLDatabaseError("Ez a név már létezik");
        EditDialog::writeRow();
    }
};

class TestList : public ListWindow {
public:
    explicit TestList(QWidget *parent = nullptr) : ListWindow("frm_Proba", "Próba", parent)
    {
        tbl.addFieldDef("id", TFieldType::ftInteger);
        tbl.addFieldDef("nev", TFieldType::ftString, 30);
        tbl.addFieldDef("szam", TFieldType::ftInteger);
        tbl.createTable();
        const QList<std::pair<QString, int>> rows = {
            {"Bank", 30}, {"kassza", 10}, {"Ötös", 20}, {"Kártya", 40}, {"alma", 50}};
        int id = 1;
        for (const auto &[nev, szam] : rows) {
            tbl.append();
            tbl.fieldByName("id").setAsInteger(id++);
            tbl.fieldByName("nev").setAsString(nev);
            tbl.fieldByName("szam").setAsInteger(szam);
            tbl.post();
        }
        tbl.first();
        setTitle("Próbák");
        setDesignSize(400, 300);
        setDataSet(&tbl);
        setKeyField("id");
        setNameField("nev");
        setColumns({{"nev", "név"}, {"szam", "szám"}});
        setColumnShares(40, {0.67, 0.33});
        enableSearch("nev", true);
        QAction *aUj = addStandardAction(New);
        QAction *aSzerkeszt = addStandardAction(Edit);
        QAction *aTorol = addStandardAction(Delete);
        addStandardAction(Search);
        QAction *aElfogad = addStandardAction(Accept);
        QAction *aBezar = addStandardAction(Close);
        setToolBarActions({aUj, aSzerkeszt, aTorol, nullptr, aElfogad, aBezar});
    }

    TkbmMemTable tbl;
    int dialogs = 0;
    std::function<void(NameDialog *)> onDialog;

protected:
    void openData() override {}   // the rows live in memory
    void closeData() override {}  // and stay for the checks
    void reorder(const QString &field) override { tbl.sortOn(field); }
    std::unique_ptr<QDialog> createEditDialog(bool) override
    {
        ++dialogs;
        auto dlg = std::make_unique<NameDialog>(&tbl, this);
        if (onDialog) {
            NameDialog *d = dlg.get();
            auto drive = onDialog;
            whenModal([d, drive](QWidget *) { drive(d); });
        }
        return dlg;
    }
};

class ListWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        IniPath() = folder.file("Zorva.ini");
        WorkArea() = QRect(0, 0, 1280, 800);
        MessageBox::clearLog();
        MessageBox::clearAnswers();
    }
    testsupport::TempFolder folder;
};

QString namesOf(TkbmMemTable &t)
{
    QStringList out;
    const TBookmark b = t.bookmark();
    for (t.first(); !t.eof(); t.next())
        out << t.fieldByName("nev").asString();
    t.gotoBookmark(b);
    return out.join(",");
}

}  // namespace

TEST_F(ListWindowTest, ChoiceModeAcceptsWithEnterAnywhereAndWithDoubleClick)
{
    {
        TestList w;
        w.setChoiceMode(true);
        EXPECT_TRUE(w.action("aElfogad")->isVisible());
        whenModal([&w](QWidget *) {
            w.tbl.setRecNo(3);
            QTest::keyClick(w.grid(), Qt::Key_Return);
        });
        QString name = "régi";
        EXPECT_EQ(w.openAndExec(-1, &name), 3);
        EXPECT_EQ(name, "Ötös");
    }
    {
        TestList w;
        w.setChoiceMode(true);
        whenModal([&w](QWidget *) {
            w.searchBox()->setFocus();
            QTest::keyClick(w.searchBox(), Qt::Key_Enter);  // Enter in the search box accepts too
        });
        EXPECT_EQ(w.openAndExec(4), 4);  // moved to the key first
    }
    {
        TestList w;
        w.setChoiceMode(true);
        whenModal([&w](QWidget *) {
            w.grid()->setCurrentIndex(w.grid()->model()->index(1, 0));
            emit w.grid()->doubleClicked(w.grid()->model()->index(1, 0));
        });
        EXPECT_EQ(w.openAndExec(-1), 2);
    }
}

TEST_F(ListWindowTest, EscapeReturnsMinusOneAndLeavesTheName)
{
    TestList w;
    w.setChoiceMode(true);
    whenModal([](QWidget *win) { QTest::keyClick(win, Qt::Key_Escape); });
    QString name = "régi";
    EXPECT_EQ(w.openAndExec(2, &name), -1);
    EXPECT_EQ(name, "régi");
}

TEST_F(ListWindowTest, MaintenanceModeIgnoresEnterAndEditsOnDoubleClick)
{
    TestList w;
    EXPECT_FALSE(w.action("aElfogad")->isVisible());
    EXPECT_FALSE(w.action("aElfogad")->isEnabled());
    bool editorAfterEnter = true;
    w.onDialog = [](NameDialog *d) { d->reject(); };
    whenModal([&](QWidget *win) {
        QTest::keyClick(w.grid(), Qt::Key_Return);
        editorAfterEnter = w.dialogs > 0;
        EXPECT_TRUE(win->isVisible());
        emit w.grid()->doubleClicked(w.grid()->model()->index(0, 0));
        // the edit dialog ran (and was cancelled); the window is still open
        EXPECT_TRUE(win->isVisible());
        QTest::keyClick(win, Qt::Key_Escape);
    });
    EXPECT_EQ(w.openAndExec(-1), -1);
    EXPECT_FALSE(editorAfterEnter);
    EXPECT_EQ(w.dialogs, 1);
}

TEST_F(ListWindowTest, SearchFindsTheFirstPrefixIgnoringCaseAndNeverFilters)
{
    TestList w;
    w.show();
    SearchBox *box = w.searchBox();
    ASSERT_NE(box, nullptr);
    box->setText("k");
    EXPECT_EQ(w.currentKey(), 2);  // "kassza" before "Kártya"
    box->setText("KÁ");
    EXPECT_EQ(w.currentKey(), 4);
    box->setText("ö");
    EXPECT_EQ(w.currentKey(), 3);  // "Ötös"
    box->setText("xyz");
    EXPECT_EQ(w.currentKey(), 3);  // no match: the row stays
    EXPECT_EQ(w.tbl.recordCount(), 5);
    EXPECT_EQ(w.positionPanel()->text(), "5: 3");

    // A search column that cannot take the text is ignored.
    w.setSearchField("nincs_ilyen");
    box->setText("b");
    EXPECT_EQ(w.currentKey(), 3);
}

TEST_F(ListWindowTest, TypingOnTheGridStartsTheSearchInLowerCase)
{
    TestList w;
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.grid()->setFocus();
    QTest::keyClick(w.grid(), Qt::Key_K, Qt::ShiftModifier, 10);
    EXPECT_EQ(w.searchBox()->text(), "k");
    EXPECT_TRUE(w.searchBox()->hasFocus());
    EXPECT_EQ(w.currentKey(), 2);
    // the next key goes on after the first one
    QTest::sendKeyEvent(QTest::Click, w.searchBox(), Qt::Key_unknown, QStringLiteral("á"), Qt::NoModifier);
    EXPECT_EQ(w.searchBox()->text(), "ká");
    EXPECT_EQ(w.currentKey(), 4);
    // Down hands the focus back to the grid; Ctrl+F brings it into the box, text selected
    QTest::keyClick(w.searchBox(), Qt::Key_Down);
    EXPECT_TRUE(w.grid()->hasFocus());
    QTest::keyClick(w.grid(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(w.searchBox()->hasFocus());
    EXPECT_EQ(w.searchBox()->selectedText(), "ká");
    // Enter in the box (maintenance mode) moves to the grid
    QTest::keyClick(w.searchBox(), Qt::Key_Return);
    EXPECT_TRUE(w.grid()->hasFocus());
}

TEST_F(ListWindowTest, TitleClickSortsWhenEnabledAndKeepsTheRow)
{
    TestList w;
    w.show();
    w.tbl.setRecNo(2);                       // "kassza", szam 10
    emit w.grid()->titleClicked("szam", 1);  // not enabled: nothing happens
    EXPECT_EQ(namesOf(w.tbl), "Bank,kassza,Ötös,Kártya,alma");

    w.enableTitleSort(true);
    emit w.grid()->titleClicked("szam", 1);
    EXPECT_EQ(namesOf(w.tbl), "kassza,Ötös,Bank,Kártya,alma");
    EXPECT_EQ(w.currentKey(), 2);
    EXPECT_EQ(w.sortField(), "szam");
    EXPECT_EQ(w.searchField(), "szam");
    EXPECT_EQ(w.grid()->columnColor(1), SortColumnColor());
    EXPECT_FALSE(w.grid()->columnColor(0).isValid());
    w.searchBox()->setText("4");
    EXPECT_EQ(w.currentKey(), 4);
}

TEST_F(ListWindowTest, ShellColumnsWidthsStatusAndBounds)
{
    {
        TestList w;
        w.setFixedColumnWidth(1, 55);
        w.show();
        EXPECT_EQ(w.titleLabel()->text(), "Próbák");
        EXPECT_TRUE(w.titleLabel()->font().bold());
        EXPECT_EQ(w.titleLabel()->font().pixelSize(), 15);
        EXPECT_EQ(w.toolBar()->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        EXPECT_EQ(w.positionPanel()->width(), 77);
        EXPECT_EQ(w.positionPanel()->text(), "5: 1");
        EXPECT_EQ(w.grid()->columnColor(0), SortColumnColor());  // the search column is marked

        w.resize(500, 320);
        QApplication::processEvents();
        const QList<int> expected = shareWidths(w.grid()->width(), 40, {0.67, 0.33});
        EXPECT_EQ(w.grid()->columnWidth(0), expected[0]);
        EXPECT_EQ(w.grid()->columnWidth(1), 55);

        w.tbl.last();
        EXPECT_EQ(w.positionPanel()->text(), "5: 5");
        w.move(900, 600);  // partly off a 1280 x 800 work area
        w.reject();
    }
    EXPECT_EQ(IniReadText("frm_Proba", "Width", ""), "500");
    TestList again;
    again.show();
    EXPECT_EQ(again.size(), QSize(500, 320));
    EXPECT_LE(again.x() + again.width(), 1280);
    EXPECT_LE(again.y() + again.height(), 800);
}

TEST_F(ListWindowTest, CancelledNewRowLeavesTheListAsBefore)
{
    TestList w;
    w.show();
    w.tbl.setRecNo(3);
    w.onDialog = [](NameDialog *d) {
        d->name->setText("Új név");
        d->cancelButton()->click();
    };
    w.newRow();
    EXPECT_EQ(namesOf(w.tbl), "Bank,kassza,Ötös,Kártya,alma");
    EXPECT_EQ(w.tbl.state(), TDataSetState::dsBrowse);
    EXPECT_EQ(w.positionPanel()->text(), "5: 3");

    // Edit and cancel restores the values
    w.onDialog = [](NameDialog *d) {
        d->name->setText("Más");
        QTest::keyClick(d, Qt::Key_Escape);
    };
    w.editRow();
    EXPECT_EQ(w.tbl.fieldByName("nev").asString(), "Ötös");
}

TEST_F(ListWindowTest, RefusedWriteKeepsTheDialogOpenWithTheValues)
{
    TestList w;
    w.show();
    QString typedAfterRefusal;
    bool openAfterRefusal = false;
    w.onDialog = [&](NameDialog *d) {
        EXPECT_TRUE(d->name->hasFocus());
        QTest::keyClicks(d->name, "foglalt");
        QTest::keyClick(d->name, Qt::Key_Return);  // Enter moves on, it does not accept
        EXPECT_TRUE(d->other->hasFocus());
        d->okButton()->click();
        openAfterRefusal = d->isVisible();
        typedAfterRefusal = d->name->text();
        d->name->setText("Szabad");
        d->okButton()->click();
    };
    w.newRow();
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(typedAfterRefusal, "foglalt");
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].caption, "Hiba");
    EXPECT_EQ(MessageBox::log()[0].text, "Hiányos, vagy hibás adatmegadás\r\nEz a név már létezik");
    EXPECT_EQ(namesOf(w.tbl), "Bank,kassza,Ötös,Kártya,alma,Szabad");
    EXPECT_EQ(w.positionPanel()->text(), "6: 6");
}

TEST_F(ListWindowTest, DeleteAsksFirstAndAnEmptyListEditsAsNew)
{
    TestList w;
    w.show();
    w.tbl.setRecNo(2);
    MessageBox::setNextAnswer(QMessageBox::No);
    w.deleteRow();
    EXPECT_EQ(w.tbl.recordCount(), 5);
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].caption, "Megerősítés");
    EXPECT_EQ(MessageBox::log()[0].text, "Valóban töröljem a sort?");
    EXPECT_EQ(MessageBox::log()[0].kind, MessageBox::Question);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    w.deleteRow();
    EXPECT_EQ(namesOf(w.tbl), "Bank,Ötös,Kártya,alma");

    w.tbl.emptyTable();
    MessageBox::clearLog();
    w.deleteRow();  // nothing to delete: no question
    EXPECT_TRUE(MessageBox::log().isEmpty());
    w.onDialog = [](NameDialog *d) {
        d->name->setText("Első");
        d->okButton()->click();
    };
    w.editRow();
    EXPECT_EQ(namesOf(w.tbl), "Első");
}

TEST_F(ListWindowTest, EditDialogRemembersItsPlace)
{
    TkbmMemTable t;
    t.addFieldDef("nev", TFieldType::ftString, 30);
    t.createTable();
    t.append();
    {
        NameDialog d(&t, nullptr);
        d.show();
        d.move(123, 77);
        d.reject();
        EXPECT_EQ(t.state(), TDataSetState::dsBrowse);  // Mégsem cancels the pending row
        EXPECT_EQ(t.recordCount(), 0);
    }
    NameDialog again(&t, nullptr);
    again.show();
    EXPECT_EQ(again.pos(), QPoint(123, 77));
    EXPECT_EQ(again.okButton()->text(), "OK");
    EXPECT_EQ(again.cancelButton()->text(), "Mégsem");
    again.reject();
}

// Kept here with the shared widgets they test.
TEST(ColumnWidths, HalvesRoundToEven)
{
    EXPECT_EQ(roundHalfEven(5, 2), 2);
    EXPECT_EQ(roundHalfEven(7, 2), 4);
    EXPECT_EQ(roundHalfEven(-5, 2), -2);
    EXPECT_EQ(roundHalfEven(26, 10), 3);
    EXPECT_EQ(shareWidths(1049, 44, {0.10, 0.07, 0.22}), QList<int>({100, 70, 221}));
    EXPECT_EQ(shareWidths(1059, 44, {0.10}), QList<int>({102}));
    EXPECT_EQ(shareWidths(30, 44, {0.5}), QList<int>({0}));  // narrower than the margin
}

TEST(Search, StartCharactersAndMaskedText)
{
    for (QChar c : QStringLiteral("0a9zZáÁéíóÖőŐúüűŰ"))
        EXPECT_TRUE(isSearchStartChar(c)) << QString(c).toStdString();
    for (QChar c : QStringLiteral(" .-+äß\t"))
        EXPECT_FALSE(isSearchStartChar(c)) << QString(c).toStdString();

    SearchBox box;
    box.setEditMask("9999.99.99");
    EXPECT_TRUE(box.searchText().isEmpty());
    box.setText("202612");
    EXPECT_EQ(box.searchText(), "2026.12");
    box.setText("20261205");
    EXPECT_EQ(box.searchText(), "2026.12.05");
    box.setEditMask(QString());
    EXPECT_EQ(box.searchText(), "2026.12.05");  // taking the mask away keeps the text
}
