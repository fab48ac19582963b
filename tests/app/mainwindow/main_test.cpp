// The main window on a real database: filters, search, sorting, colours, totals,
// deleting, rights, font size, refresh and column widths.
#include "cashbookfixture.h"

#include "app/mainwindow/main.h"
#include "app/mainwindow/mainrights.h"
#include "app/mainwindow/mainstatusbar.h"
#include "app/mainwindow/rowcolors.h"
#include "app/mainwindow/totalspanel.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/programsettings.h"
#include "core/ui/dbgrid.h"
#include "core/ui/messagebox.h"
#include "core/ui/searchbox.h"
#include "core/ui/shell.h"
#include "db/database.h"
#include "db/datasetmodel.h"
#include "db/query.h"
#include "entries/dialogs/inpstr.h"

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zorva;
using testsupport::addEntry;

namespace {

QString whereLine(Tfrm_Main &w)
{
    return w.Qry().sql().value(1);
}
QString orderLine(Tfrm_Main &w)
{
    return w.Qry().sql().value(2);
}

QStringList column(Tfrm_Main &w, const QString &field)
{
    QStringList out;
    TDataSetModel *m = w.listModel();
    const int c = m->columnOfField(field);
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, c).data().toString();
    return out;
}

// Answers the next text dialog: types `text` and presses "OK" (or "Mégsem" when `ok` is
// false); `seen` gets the caption, prompt and preset value it showed.
void answerText(const QString &text, bool ok = true, QStringList *seen = nullptr)
{
    QTimer::singleShot(0, [text, ok, seen] {
        auto *d = qobject_cast<Tfrm_InpStr *>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "no text dialog";
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        if (seen)
            *seen = {d->windowTitle(), d->promptLabel()->text(), d->value()};
        if (ok) {
            d->edit()->setText(text);
            d->okButton()->click();
        } else {
            d->cancelButton()->click();
        }
    });
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        testsupport::loadCashBookSchema(schema->db());
        beall() = TBeall{};
        Cassa() = 1;
        SumPeriod().clear();
        CassaDecimals() = 0;
        IniPath() = folder.file(QStringLiteral("Zorva.ini"));
        ProgramDir() = folder.path();
        MessageBox::clearAnswers();
        MessageBox::clearLog();
        Shell::clearLog();
        const QDate today = QDate::currentDate();
        TmySQLDatabase &db = schema->db();
        hOld = addEntry(db, today.addDays(-40), 1, 1, 300000, QStringLiteral("Havi fizetés"));
        hFood = addEntry(db, today.addDays(-10), 1, 10, 5000, QStringLiteral("Bevásárlás"));
        hBus = addEntry(db, today.addDays(-5), 1, 14, 2000, QStringLiteral("Bérlet"));
        hBonus = addEntry(db, today.addDays(-2), 1, 1, 1000, QStringLiteral("Pótlék\nmásodik sor"));
        hFuture = addEntry(db, today.addDays(1), 1, 10, 700, QStringLiteral("Holnapi piac"));
    }

    std::unique_ptr<Tfrm_Main> open() { return testsupport::openMainWindow(*schema); }

    QList<QString> errors() const
    {
        QList<QString> out;
        for (const MessageBox::Shown &s : MessageBox::log()) {
            if (s.kind == MessageBox::Error)
                out << s.text;
        }
        return out;
    }

    testsupport::TempFolder folder;
    std::unique_ptr<testsupport::ScratchSchema> schema;
    int hOld = 0, hFood = 0, hBus = 0, hBonus = 0, hFuture = 0;
};

TEST_F(MainWindowTest, StartShowsTheLastMonthSortedByNumber)
{
    auto w = open();
    EXPECT_EQ(whereLine(*w), "WHERE (kassza = 1) AND (datum>=DATE_ADD(CURDATE(), INTERVAL -1 MONTH))");
    EXPECT_EQ(orderLine(*w), "ORDER BY hazikassza;");
    EXPECT_TRUE(w->actions().aSzur0->isChecked());
    EXPECT_EQ(w->Qry().recordCount(), 4);
    EXPECT_EQ(column(*w, "hazikassza"), QStringList({"0000002", "0000003", "0000004", "0000005"}));
    EXPECT_EQ(w->headingText(), "Kassza: Pénztárca");
    EXPECT_EQ(w->mainStatusBar()->panel(MainStatusBar::CashBox), "Kassza: Pénztárca");
    EXPECT_EQ(w->mainStatusBar()->panel(MainStatusBar::RecordPos), "4: 1");
    QAbstractItemModelTester tester(w->listModel(), QAbstractItemModelTester::FailureReportingMode::Warning);
    // the whole cash box: 28500 + 300000 - 5000 - 2000 + 1000 - 700
    EXPECT_EQ(w->totalsPanel()->nyito(), "28 500");
    EXPECT_EQ(w->totalsPanel()->bevetel(), "301 000");
    EXPECT_EQ(w->totalsPanel()->kiadas(), "-7 700");
    EXPECT_EQ(w->totalsPanel()->zaro(), "321 800");
}

TEST_F(MainWindowTest, FiltersRewriteTheWhereLineAndMoveTheCheckMark)
{
    auto w = open();
    w->actions().aSzur3->trigger();
    EXPECT_EQ(whereLine(*w), "WHERE (kassza = 1) AND (osszeg>0)");
    EXPECT_EQ(w->Qry().recordCount(), 2);
    EXPECT_TRUE(w->actions().aSzur3->isChecked());
    EXPECT_FALSE(w->actions().aSzur0->isChecked());

    w->actions().aSzur4->trigger();
    EXPECT_EQ(whereLine(*w), "WHERE (kassza = 1) AND (osszeg<0)");
    EXPECT_EQ(w->Qry().recordCount(), 3);

    w->actions().aSzur5->trigger();
    EXPECT_EQ(whereLine(*w), "WHERE (kassza = 1)");
    EXPECT_EQ(w->Qry().recordCount(), 5);
    EXPECT_TRUE(w->actions().aSzur5->isChecked());

    w->actions().aSzur0->trigger();
    EXPECT_EQ(whereLine(*w), "WHERE (kassza = 1) AND (datum>=DATE_ADD(CURDATE(), INTERVAL -1 MONTH))");
    EXPECT_TRUE(SumPeriod().isEmpty());  // only the period filter changes the totals period
}

TEST_F(MainWindowTest, PeriodFilterFeedsTheTotalsAndAllKeepsThePeriod)
{
    const QDate old = QDate::currentDate().addDays(-40);
    const QString period = old.toString("yyyyMM");
    // make the old month hold exactly the salary (other entries may share the month)
    auto w = open();
    QStringList shown;
    answerText(period, true, &shown);
    w->actions().aSzur1->trigger();
    EXPECT_EQ(shown, QStringList({"Időszak", "Add meg az időszakot (pl. 2013.02)",
                                  QDate::currentDate().toString("yyyyMM")}));
    EXPECT_EQ(whereLine(*w), "WHERE (kassza = 1) AND (idoszak='" + period + "')");
    EXPECT_EQ(SumPeriod(), period);
    EXPECT_EQ(w->mainStatusBar()->panel(MainStatusBar::Period), "időszak: " + period);
    EXPECT_TRUE(w->actions().aSzur1->isChecked());
    const double income = schema->db().queryFloat(
        "SELECT SUM(osszeg) FROM hazikassza WHERE osszeg>0 AND kassza=1 AND idoszak='" + period + "'");
    const QString incomeText = w->totalsPanel()->bevetel();
    EXPECT_EQ(incomeText.contains("300 000"), income == 300000);

    w->actions().aSzur5->trigger();
    EXPECT_EQ(w->Qry().recordCount(), 5);
    EXPECT_EQ(SumPeriod(), period);
    EXPECT_EQ(w->totalsPanel()->bevetel(), incomeText);  // still the period's totals
}

TEST_F(MainWindowTest, PeriodFilterCancelledOrMistypedChangesNothing)
{
    auto w = open();
    w->actions().aSzur3->trigger();
    answerText(QString(), false);
    w->actions().aSzur1->trigger();
    EXPECT_EQ(whereLine(*w), "WHERE (kassza = 1) AND (osszeg>0)");
    EXPECT_TRUE(w->actions().aSzur3->isChecked());
    EXPECT_FALSE(w->actions().aSzur1->isChecked());

    answerText("202613");
    w->actions().aSzur1->trigger();
    EXPECT_EQ(whereLine(*w), "WHERE (kassza = 1) AND (osszeg>0)");
    EXPECT_TRUE(SumPeriod().isEmpty());
    EXPECT_TRUE(w->actions().aSzur3->isChecked());
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors().first().contains("202613"));
}

TEST_F(MainWindowTest, TypingIntoTheGridSearchesTheFourExpressions)
{
    auto w = open();
    w->show();
    w->DBGrid1()->setFocus();
    QTest::keyClick(w->DBGrid1(), Qt::Key_K, Qt::ShiftModifier, 0);  // "K" typed, "k" searched
    QApplication::processEvents();
    EXPECT_EQ(w->searchBox()->text(), "k");
    EXPECT_EQ(w->searchBox()->cursorPosition(), 1);
    EXPECT_TRUE(w->searchBox()->hasFocus());
    EXPECT_EQ(
        whereLine(*w),
        "WHERE (kassza = 1) AND (datum>=DATE_ADD(CURDATE(), INTERVAL -1 MONTH)) AND "
        "((CONVERT(DATE_FORMAT(datum,'%Y.%m.%d') USING latin2) LIKE '%k%') OR (kasszatip_nev LIKE '%k%') OR "
        "(ugyfel_nev LIKE '%k%') OR (szoveg_rovid LIKE '%k%'))");
    // "Közlekedés" by its type, "Pótlék" by its text, in any case
    EXPECT_EQ(column(*w, "hazikassza"), QStringList({"0000003", "0000004"}));

    // Down hands the focus back to the grid; a Hungarian letter starts a new search
    QTest::keyClick(w->searchBox(), Qt::Key_Down);
    EXPECT_TRUE(w->DBGrid1()->hasFocus());
    QTest::sendKeyEvent(QTest::Click, w->DBGrid1(), Qt::Key_unknown, QStringLiteral("Ő"), Qt::NoModifier);
    EXPECT_EQ(w->searchBox()->text(), "ő");
    // latin2_hungarian_ci takes ő for ö: "Közlekedés"
    EXPECT_EQ(column(*w, "hazikassza"), QStringList({"0000003"}));

    // a new load clears the search
    w->actions().aSzur5->trigger();
    EXPECT_TRUE(w->searchBox()->text().isEmpty());
    EXPECT_EQ(whereLine(*w), "WHERE (kassza = 1)");
}

TEST_F(MainWindowTest, SearchPositionsOnTheSortField)
{
    auto w = open();
    emit w->DBGrid1()->titleClicked("szoveg_rovid", w->listModel()->columnOfField("szoveg_rovid"));
    EXPECT_EQ(orderLine(*w), "ORDER BY szoveg_rovid;");
    // "Holnapi piac" and "Pótlék" contain a p; the row whose text starts with it is current
    w->searchBox()->setText("P");
    ASSERT_EQ(w->Qry().recordCount(), 2);
    EXPECT_EQ(w->Qry().recNo(), 2);
    EXPECT_EQ(w->Qry().fieldByName("hid").asInteger(), hBonus);
    EXPECT_EQ(w->DBGrid1()->currentIndex().row(), 1);
    EXPECT_EQ(w->mainStatusBar()->panel(MainStatusBar::RecordPos), "2: 2");
    // no row starts with the text: the first row stays current
    w->searchBox()->setText("iac");
    ASSERT_EQ(w->Qry().recordCount(), 1);
    EXPECT_EQ(w->Qry().recNo(), 1);
}

TEST_F(MainWindowTest, SortingByDateMarksTheColumnMasksTheSearchAndKeepsTheRow)
{
    auto w = open();
    w->show();
    QApplication::processEvents();
    ASSERT_TRUE(w->Qry().locate("hid", hBus));
    QHeaderView *header = w->DBGrid1()->horizontalHeader();
    const int dateColumn = w->listModel()->columnOfField("datum");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(dateColumn) + 5, header->height() / 2));
    EXPECT_EQ(orderLine(*w), "ORDER BY datum;");
    EXPECT_EQ(w->sortField(), "datum");
    EXPECT_EQ(w->Qry().fieldByName("hid").asInteger(), hBus);
    EXPECT_EQ(w->DBGrid1()->currentIndex().row(), w->Qry().currentIndex());
    EXPECT_EQ(w->searchBox()->editMask(), "9999.99.99");
    EXPECT_TRUE(w->searchBox()->searchText().isEmpty());
    EXPECT_TRUE(w->searchBox()->hasFocus());
    TDataSetModel *m = w->listModel();
    const int other = w->Qry().currentIndex() == 0 ? 1 : 0;
    EXPECT_EQ(m->index(other, dateColumn).data(Qt::BackgroundRole).value<QBrush>().color(),
              SortColumnColor());
    EXPECT_NE(m->index(other, 0).data(Qt::BackgroundRole).value<QBrush>().color(), SortColumnColor());

    // a date typed into the masked box positions on it
    const QString busDate = QDate::currentDate().addDays(-5).toString("yyyy.MM.dd");
    QTest::keyClicks(w->searchBox(), QString(busDate).remove('.'));
    EXPECT_EQ(w->searchBox()->searchText(), busDate);
    EXPECT_EQ(w->Qry().fieldByName("hid").asInteger(), hBus);

    // a text column takes the mask away
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
    EXPECT_EQ(orderLine(*w), "ORDER BY kasszatip_nev;");
    EXPECT_TRUE(w->searchBox()->editMask().isEmpty());
}

TEST_F(MainWindowTest, RowColoursThroughTheModel)
{
    auto w = open();
    w->showMainWindow();  // marks the first column as sort column
    TDataSetModel *m = w->listModel();
    auto rowOf = [&](int hid) {
        EXPECT_TRUE(w->Qry().locate("hid", hid));
        return w->Qry().currentIndex();
    };
    const int future = rowOf(hFuture);
    const int bonus = rowOf(hBonus);
    const int food = rowOf(hFood);
    w->Qry().setRecNo(bonus + 1);  // the selected row
    const int textCol = m->columnOfField("szoveg_rovid");
    auto fg = [&](int r, int c) { return m->index(r, c).data(Qt::ForegroundRole).value<QBrush>().color(); };
    auto bg = [&](int r, int c) { return m->index(r, c).data(Qt::BackgroundRole).value<QBrush>().color(); };
    EXPECT_EQ(fg(food, textCol), DarkRed());
    EXPECT_EQ(fg(future, textCol), FutureGrey());
    EXPECT_FALSE(m->index(bonus, textCol).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(bg(food, textCol), colorFromTColor(13434879));  // Élelmiszer
    EXPECT_EQ(bg(food, 0), SortColumnColor());
    EXPECT_FALSE(m->index(bonus, textCol).data(Qt::BackgroundRole).isValid());  // selected
    w->Qry().setRecNo(future + 1);
    EXPECT_EQ(fg(future, textCol), FutureSilver());
    // the grid draws the selected row's text with this colour
    EXPECT_EQ(m->index(future, textCol).data(TDataSetModel::SelectedForegroundRole).value<QBrush>().color(),
              FutureSilver());
    EXPECT_EQ(w->DBGrid1()->currentIndex().row(), future);
    // the short text shows one line, the totals panel the whole text
    w->Qry().setRecNo(bonus + 1);
    EXPECT_EQ(w->totalsPanel()->entryText(), "Pótlék\nmásodik sor");
    w->close();
}

TEST_F(MainWindowTest, CashBoxWithTwoDecimals)
{
    addEntry(schema->db(), QDate::currentDate(), 3, 1, 12.5, "Kamat");
    Cassa() = 3;
    auto w = open();
    EXPECT_EQ(CassaDecimals(), 2);
    EXPECT_EQ(w->headingText(), "Kassza: Euró számla");
    EXPECT_EQ(column(*w, "osszeg"), QStringList({"12.50"}));
    EXPECT_EQ(column(*w, "zaro"), QStringList({"1 262.50"}));
    EXPECT_EQ(w->totalsPanel()->nyito(), "1 250.00");
    EXPECT_EQ(w->totalsPanel()->zaro(), "1 262.50");
}

TEST_F(MainWindowTest, DeleteAsksAndSendsTheCurrentIdOrZero)
{
    TmySQLDatabase &db = schema->db();
    auto w = open();
    ASSERT_TRUE(w->Qry().locate("hid", hBus));
    MessageBox::setNextAnswer(QMessageBox::No);
    w->actions().aTorol->trigger();
    EXPECT_EQ(db.queryInt("SELECT COUNT(*) FROM hazikassza"), 5);
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].text, "Valóban töröljem a sort?");
    EXPECT_EQ(MessageBox::log()[0].caption, "Megerősítés");

    MessageBox::setNextAnswer(QMessageBox::Yes);
    w->actions().aTorol->trigger();
    EXPECT_EQ(db.queryInt("SELECT COUNT(*) FROM hazikassza WHERE hid=" + QString::number(hBus)), 0);
    EXPECT_EQ(w->Qry().recordCount(), 3);
    EXPECT_EQ(w->totalsPanel()->kiadas(), "-5 700");

    // an empty list sends 0: record what the procedure receives
    db.execute("CREATE TABLE torolt (hid INT)");
    db.execute("DROP PROCEDURE sp_kassza_del");
    db.execute("CREATE PROCEDURE sp_kassza_del(IN p_hid INT) INSERT INTO torolt VALUES (p_hid)");
    Cassa() = 2;
    w->ReloadList();
    ASSERT_TRUE(w->Qry().isEmpty());
    EXPECT_EQ(w->currentHid(), -1);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    w->actions().aTorol->trigger();
    EXPECT_EQ(db.queryText("SELECT GROUP_CONCAT(hid) FROM torolt"), "0");
}

TEST_F(MainWindowTest, EveryRightsCombinationOfTheGuardedActions)
{
    auto w = open();
    const QStringList guarded = {
        "aUj",          "aUjFix",    "aImport",      "aSzerkeszt", "aTorol",   "aTorzsKasszaTipus",
        "aTorzsUgyfel", "aTorzsFix", "aFelhasznalo", "aSQL",       "aBeallit", "aTulajdonos"};
    for (int bits = 0; bits < 16; ++bits) {
        TBeall &b = beall();
        b.rendszergazda = bits & 1;
        b.torzsszerkeszt = bits & 2;
        b.szerkeszthet = bits & 4;
        b.torolhet = bits & 8;
        for (const QString &name : guarded) {
            bool expected = true;
            if (name == "aFelhasznalo" || name == "aSQL" || name == "aBeallit" || name == "aTulajdonos")
                expected = b.rendszergazda;
            else if (name == "aSzerkeszt")
                expected = b.torzsszerkeszt && b.szerkeszthet;
            else if (name == "aTorol")
                expected = b.torzsszerkeszt && b.torolhet;
            else
                expected = b.torzsszerkeszt;
            MessageBox::clearLog();
            EXPECT_EQ(w->checkRights(name), expected) << name.toStdString() << " rights " << bits;
            EXPECT_EQ(errors(),
                      expected ? QList<QString>() : QList<QString>({"Nincs jogosultság a művelethez."}));
        }
        // "Töröl" itself: a refusal asks nothing and deletes nothing
        MessageBox::clearLog();
        MessageBox::setNextAnswer(QMessageBox::No);
        w->actions().aTorol->trigger();
        const bool asked =
            !MessageBox::log().isEmpty() && MessageBox::log().last().kind == MessageBox::Question;
        EXPECT_EQ(asked, b.torzsszerkeszt && b.torolhet) << bits;
        MessageBox::clearAnswers();
    }
    EXPECT_EQ(schema->db().queryInt("SELECT COUNT(*) FROM hazikassza"), 5);
}

TEST_F(MainWindowTest, FontSizeStaysBetweenEightAndTen)
{
    auto w = open();
    for (int i = 0; i < 3; ++i)
        w->actions().aBetuNovel->trigger();
    EXPECT_EQ(beall().FontSize, 10);
    EXPECT_EQ(w->font().pointSize(), 10);
    for (int i = 0; i < 5; ++i)
        w->actions().aBetuCsokkent->trigger();
    EXPECT_EQ(beall().FontSize, 8);
    EXPECT_EQ(w->font().pointSize(), 8);
    EXPECT_EQ(w->searchBox()->font().pointSize(), 8);
}

TEST_F(MainWindowTest, RefreshKeepsTheCurrentRowAndShowsOthersChanges)
{
    auto w = open();
    ASSERT_TRUE(w->Qry().locate("hid", hBus));
    const int newHid = addEntry(schema->db(), QDate::currentDate().addDays(-20), 1, 10, 100, "Más gépről");
    w->actions().aFrissit->trigger();
    EXPECT_EQ(w->Qry().recordCount(), 5);
    EXPECT_EQ(w->Qry().fieldByName("hid").asInteger(), hBus);
    EXPECT_TRUE(w->Qry().locate("hid", newHid));
}

TEST_F(MainWindowTest, ColumnWidthsFollowTheGridWidth)
{
    auto w = open();
    w->show();
    auto gridWidth = [&](int width) {
        w->resize(w->width() + width - w->DBGrid1()->width(), w->height());
        QApplication::processEvents();
        ASSERT_EQ(w->DBGrid1()->width(), width);
    };
    gridWidth(1049);  // 1005 pixels to share: 0.10 gives 100.5 -> 100
    QList<int> widths;
    for (int c = 0; c < 8; ++c)
        widths << w->DBGrid1()->columnWidth(c);
    EXPECT_EQ(widths, QList<int>({70, 100, 161, 151, 100, 100, 100, 221}));
    gridWidth(1059);  // 1015: 101.5 -> 102
    EXPECT_EQ(w->DBGrid1()->columnWidth(1), 102);
}

TEST_F(MainWindowTest, HelpHomePageMailAndNews)
{
    auto w = open();
    w->actions().aSugo->trigger();
    w->actions().aHonlap->trigger();
    w->actions().aLevel->trigger();
    w->actions().aUjdonsag->trigger();
    const auto log = Shell::log();
    ASSERT_EQ(log.size(), 4);
    EXPECT_EQ(log[0].url, QUrl::fromLocalFile(folder.path() + "/Help/index.htm"));
    EXPECT_EQ(log[1].url.scheme(), "https");
    EXPECT_EQ(log[2].url.scheme(), "mailto");
    EXPECT_TRUE(log[2].url.toString().contains("subject=Zorva"));
    EXPECT_EQ(log[3].url.scheme(), "https");
}

TEST_F(MainWindowTest, WithoutDatabaseTheWindowStaysUsable)
{
    auto w = open();
    w->setDatabaseOpen(false);
    EXPECT_FALSE(w->Qry().isActive());
    w->ReloadList();
    w->RefreshTotals();
    w->actions().aSzur5->trigger();
    w->actions().aFrissit->trigger();
    MessageBox::setNextAnswer(QMessageBox::Yes);
    w->actions().aTorol->trigger();
    w->searchBox()->setText("x");
    EXPECT_FALSE(w->Qry().isActive());
    EXPECT_TRUE(w->totalsPanel()->zaro().isEmpty());
    EXPECT_EQ(schema->db().queryInt("SELECT COUNT(*) FROM hazikassza"), 5);
}

TEST_F(MainWindowTest, ClosingWritesTheSettings)
{
    auto w = open();
    beall().Left = 5;
    beall().Top = 6;
    beall().Width = 900;
    beall().Height = 600;
    w->showMainWindow();
    w->close();
    EXPECT_FALSE(w->mySQLDatabase1().connected());
    TBeall read;
    int cassa = 0;
    readProgramSettings(read, cassa, IniPath(), folder.path());
    EXPECT_EQ(read.Width, w->width());
    EXPECT_EQ(read.Height, w->height());
    EXPECT_EQ(cassa, 1);
}

}  // namespace
