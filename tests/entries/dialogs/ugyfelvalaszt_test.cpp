#include "dialogfixture.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/ui/dbgrid.h"
#include "core/ui/editdialog.h"
#include "core/ui/messagebox.h"
#include "core/ui/searchbox.h"
#include "entries/dialogs/ugyfelvalaszt.h"
#include "sql/zorvaschema.h"

#include "db/query.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorva;
using dialogtest::onModal;
using dialogtest::onNextModal;

namespace {

const QString Chooser = QStringLiteral("frm_UgyfelValaszt");
const QString Editor = QStringLiteral("frm_TorzsUgyfel");

class ClientChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<sqltest::ZorvaSchema>();
        setMainConnection(&schema->db());
        MessageBox::clearLog();
        MessageBox::clearAnswers();
        // Clients 1 "Kovács Ödön" and 2 "Szabó Éva", cash boxes and types.
        sqltest::addBasicMasterData(schema->db());
        exec("INSERT INTO ugyfel (ugyfel, ugyfel_nev, telefon) VALUES (3, 'Áramszolgáltató', '06-80-111')");
        exec("INSERT INTO ugyfel (ugyfel, ugyfel_nev, telefon) VALUES (4, 'Bérlő Béla', '06-30-999')");
        exec("UPDATE ugyfel SET telefon='06-1-222' WHERE ugyfel=1");
        exec("UPDATE ugyfel SET telefon='06-20-555' WHERE ugyfel=2");
    }
    void TearDown() override
    {
        MessageBox::clearAnswers();
        setMainConnection(nullptr);
    }

    void exec(const char *sql) { schema->db().execute(QString::fromUtf8(sql)); }
    int clientCount() { return int(schema->db().queryInt(QStringLiteral("SELECT COUNT(*) FROM ugyfel"))); }

    static Tfrm_UgyfelValaszt *chooser(QWidget *w) { return static_cast<Tfrm_UgyfelValaszt *>(w); }
    static QString currentName(QWidget *w) { return chooser(w)->currentName(); }
    static void doubleClickRow(QWidget *w, int row)
    {
        TDBGrid *g = chooser(w)->grid();
        const QRect r = g->visualRect(g->model()->index(row, 1));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, r.center());
    }

    dialogtest::SettingsFile settings;
    std::unique_ptr<sqltest::ZorvaSchema> schema;
};

}  // namespace

TEST_F(ClientChooserTest, ChoiceModeAcceptsWithEnterAndReturnsKeyAndName)
{
    QString name = QStringLiteral("unchanged");
    onNextModal([](QWidget *w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Ügyfél választása"));
        EXPECT_EQ(chooser(w)->title(), QStringLiteral("Ügyfelek"));
        EXPECT_EQ(currentName(w), QStringLiteral("Szabó Éva"));  // moved to the given id
        EXPECT_TRUE(chooser(w)->action(QStringLiteral("aElfogad"))->isVisible());
        QTest::keyClick(chooser(w)->grid(), Qt::Key_Down);       // name order: ... Kovács, Szabó
        EXPECT_EQ(currentName(w), QStringLiteral("Szabó Éva"));  // already the last row
        QTest::keyClick(chooser(w)->grid(), Qt::Key_Up);
        QTest::keyClick(chooser(w)->grid(), Qt::Key_Return);
    });
    EXPECT_EQ(ChooseClient(2, true, &name), 1);
    EXPECT_EQ(name, QStringLiteral("Kovács Ödön"));

    // Esc: -1 and the name left alone.
    onNextModal([](QWidget *w) { QTest::keyClick(chooser(w)->grid(), Qt::Key_Escape); });
    EXPECT_EQ(ChooseClient(1, true, &name), -1);
    EXPECT_EQ(name, QStringLiteral("Kovács Ödön"));
}

TEST_F(ClientChooserTest, MissingIdOpensOnTheFirstRowAndDoubleClickAccepts)
{
    exec("DELETE FROM ugyfel WHERE ugyfel=4");
    QString name;
    onNextModal([](QWidget *w) {
        EXPECT_EQ(chooser(w)->query()->recNo(), 1);
        EXPECT_EQ(currentName(w), QStringLiteral("Áramszolgáltató"));  // á sorts with a
        doubleClickRow(w, 1);
    });
    EXPECT_EQ(ChooseClient(4, true, &name), 1);
    EXPECT_EQ(name, QStringLiteral("Kovács Ödön"));
}

TEST_F(ClientChooserTest, MaintenanceModeNeverChoosesAndDoubleClickEdits)
{
    bool editorOpened = false;
    onNextModal([&editorOpened](QWidget *w) {
        EXPECT_FALSE(chooser(w)->action(QStringLiteral("aElfogad"))->isVisible());
        EXPECT_FALSE(chooser(w)->action(QStringLiteral("aElfogad"))->isEnabled());
        QTest::keyClick(chooser(w)->grid(), Qt::Key_Return);
        EXPECT_TRUE(w->isVisible());  // Enter does not close the list here
        onModal(Editor, [&editorOpened](QWidget *editor) {
            editorOpened = true;
            EXPECT_EQ(editor->windowTitle(), QStringLiteral("Ügyfél adatok szerkesztése"));
            auto *name = editor->findChild<QLineEdit *>(QStringLiteral("ugyfel_nev"));
            EXPECT_EQ(name->text(), QStringLiteral("Bérlő Béla"));
            QTest::keyClick(editor, Qt::Key_Escape);
        });
        doubleClickRow(w, 1);
        EXPECT_TRUE(w->isVisible());
        QTest::keyClick(chooser(w)->grid(), Qt::Key_Escape);
    });
    EXPECT_EQ(ChooseClient(1, false), -1);
    EXPECT_TRUE(editorOpened);
}

TEST_F(ClientChooserTest, TypingSearchesWithoutFilteringAndTitleClickSorts)
{
    onNextModal([](QWidget *w) {
        Tfrm_UgyfelValaszt *c = chooser(w);
        const int rows = c->query()->recordCount();
        ASSERT_EQ(rows, 4);
        QTest::keyClick(c->grid(), Qt::Key_S, Qt::ShiftModifier);  // a letter starts the search box
        EXPECT_EQ(c->searchBox()->text(), QStringLiteral("s"));
        EXPECT_EQ(QApplication::focusWidget(), c->searchBox());
        dialogtest::typeText(c->searchBox(), QStringLiteral("Z"));
        EXPECT_EQ(currentName(w), QStringLiteral("Szabó Éva"));
        EXPECT_EQ(c->query()->recordCount(), rows);
        dialogtest::typeText(c->searchBox(), QStringLiteral("x"));  // no match: the row stays
        EXPECT_EQ(currentName(w), QStringLiteral("Szabó Éva"));

        // By telephone: the column turns pale yellow and the search follows it.
        const int phone = c->grid()->columnOfField(QStringLiteral("telefon"));
        QTest::mouseClick(c->grid()->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(c->grid()->horizontalHeader()->sectionViewportPosition(phone) + 5, 5));
        EXPECT_EQ(c->grid()->columnColor(phone), SortColumnColor());
        EXPECT_NE(c->grid()->columnColor(0), SortColumnColor());
        EXPECT_TRUE(c->query()->sqlText().endsWith(QStringLiteral("ORDER BY telefon;")));
        EXPECT_EQ(QApplication::focusWidget(), c->searchBox());
        c->query()->first();
        EXPECT_EQ(currentName(w), QStringLiteral("Kovács Ödön"));  // 06-1-222 comes first
        c->searchBox()->setText(QStringLiteral("06-30"));
        EXPECT_EQ(currentName(w), QStringLiteral("Bérlő Béla"));
        QTest::keyClick(c->grid(), Qt::Key_Escape);
    });
    ChooseClient(-1, true);
}

TEST_F(ClientChooserTest, DebtorsAreLightRedOutsideTheSortColumn)
{
    exec("UPDATE ugyfel SET tartozik=-1500 WHERE ugyfel=2");
    exec("UPDATE ugyfel SET tartozik=800 WHERE ugyfel=1");
    onNextModal([](QWidget *w) {
        Tfrm_UgyfelValaszt *c = chooser(w);
        QAbstractItemModel *m = c->grid()->model();
        const int debtor = 3;  // Szabó Éva, last by name
        ASSERT_EQ(m->index(debtor, 0).data().toString(), QStringLiteral("Szabó Éva"));
        for (int col = 1; col < m->columnCount(); ++col)
            EXPECT_EQ(m->index(debtor, col).data(Qt::BackgroundRole).value<QColor>(),
                      QColor(0xFF, 0xDD, 0xDD));
        EXPECT_EQ(m->index(debtor, 0).data(Qt::BackgroundRole).value<QColor>(), SortColumnColor());
        for (int row = 0; row < 3; ++row)  // a positive balance or none is not marked
            EXPECT_NE(m->index(row, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(0xFF, 0xDD, 0xDD));
        QTest::keyClick(c->grid(), Qt::Key_Escape);
    });
    ChooseClient(-1, true);
}

TEST_F(ClientChooserTest, ColumnWidthsDropTheFraction)
{
    EXPECT_EQ(Tfrm_UgyfelValaszt::columnWidthsFor(1043), (QList<int>{200, 150, 150, 150, 250, 100}));
    EXPECT_EQ(Tfrm_UgyfelValaszt::columnWidthsFor(30), (QList<int>{0, 0, 0, 0, 0, 0}));
    onNextModal([](QWidget *w) {
        Tfrm_UgyfelValaszt *c = chooser(w);
        w->resize(700, 400);
        QApplication::processEvents();
        const QList<int> expected = Tfrm_UgyfelValaszt::columnWidthsFor(c->grid()->width());
        for (int col = 0; col < 6; ++col)
            EXPECT_EQ(c->grid()->columnWidth(col), expected[col]) << col;
        QTest::keyClick(c->grid(), Qt::Key_Escape);
    });
    ChooseClient(-1, false);
}

TEST_F(ClientChooserTest, RefusedDeleteShowsTheReasonAndKeepsTheRows)
{
    sqltest::book(schema->db(), QDate(2013, 5, 2), 1, 2, -300, QStringLiteral("villany"), 3);
    onNextModal([this](QWidget *w) {
        Tfrm_UgyfelValaszt *c = chooser(w);
        ASSERT_EQ(currentName(w), QStringLiteral("Áramszolgáltató"));
        MessageBox::setNextAnswer(QMessageBox::Yes);
        QTest::keyClick(c->grid(), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(c->query()->recordCount(), 4);
        EXPECT_EQ(currentName(w), QStringLiteral("Áramszolgáltató"));
        EXPECT_EQ(clientCount(), 4);

        // A client nobody refers to goes, after the question.
        c->searchBox()->setText(QStringLiteral("bér"));
        ASSERT_EQ(currentName(w), QStringLiteral("Bérlő Béla"));
        MessageBox::setNextAnswer(QMessageBox::No);
        QTest::keyClick(c->grid(), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(clientCount(), 4);
        MessageBox::setNextAnswer(QMessageBox::Yes);
        QTest::keyClick(c->grid(), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(clientCount(), 3);
        EXPECT_EQ(c->query()->recordCount(), 3);
        QTest::keyClick(c->grid(), Qt::Key_Escape);
    });
    ChooseClient(-1, false);

    QStringList shown;
    for (const auto &s : MessageBox::log())
        shown << s.text;
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0], QStringLiteral("Valóban töröljem a sort?"));
    EXPECT_EQ(MessageBox::log()[1].kind, MessageBox::Error);
    EXPECT_TRUE(
        shown[1].endsWith(QStringLiteral("Az ügyfél nem törölhető, mert hivatkoznak rá: 1 kassza tétel.")))
        << shown[1].toStdString();
}

TEST_F(ClientChooserTest, NewClientIsListedAndCurrentAfterwards)
{
    QString name;
    onNextModal([](QWidget *w) {
        onModal(Editor, [](QWidget *editor) {
            auto *nev = editor->findChild<QLineEdit *>(QStringLiteral("ugyfel_nev"));
            // The focus arrives with the window's activation, which a loaded machine delivers late.
            (void)QTest::qWaitFor([nev] { return QApplication::focusWidget() == nev; }, 2000);
            EXPECT_EQ(QApplication::focusWidget(), nev);
            dialogtest::typeText(nev, QStringLiteral("Cserép Kft"));
            QTest::mouseClick(static_cast<EditDialog *>(editor)->okButton(), Qt::LeftButton);
        });
        chooser(w)->action(QStringLiteral("aUj"))->trigger();
        EXPECT_EQ(chooser(w)->query()->recordCount(), 5);
        EXPECT_EQ(currentName(w), QStringLiteral("Cserép Kft"));
        w->activateWindow();  // back from the editor
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        QTest::keyClick(chooser(w)->grid(), Qt::Key_Return);
    });
    const int id = ChooseClient(-1, true, &name);
    EXPECT_EQ(name, QStringLiteral("Cserép Kft"));
    EXPECT_EQ(schema->db().queryText(QStringLiteral("SELECT ugyfel_nev FROM ugyfel WHERE ugyfel=%1").arg(id)),
              QStringLiteral("Cserép Kft"));
}
