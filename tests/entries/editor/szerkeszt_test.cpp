// The entry editor on a real database: the new-entry and edit flows, what reaches the
// procedures, refused amounts, and the window's own behaviour.
#include "editorfixture.h"
#include "core/globals.h"
#include "core/ui/listwindow.h"
#include "core/ui/messagebox.h"
#include "entries/editor/entryroutines.h"
#include "entries/editor/szerkeszt.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zorva;
using namespace editortest;

namespace {

const QDate March5(2024, 3, 5);

QStringList callsAndIdReads(const QStringList &statements)
{
    QStringList out;
    for (const QString &s : statements) {
        if (s.startsWith(QLatin1String("CALL")) || s.contains(QLatin1String("LAST_INSERT_ID")) ||
            s.contains(QLatin1String("MAX(hid)"), Qt::CaseInsensitive))
            out << s;
    }
    return out;
}

}  // namespace

TEST_F(EditorTest, EditingAnExpenseShowsItUnsignedAndKeepsItNegative)
{
    const int hid = InsertEntry(1, Elelmiszer, Kovacs, QStringLiteral("Kenyér"), 450, March5);
    ASSERT_EQ(stored(hid).osszeg, -450);

    whenEditorShows([](Tfrm_Szerkeszt &dlg) {
        EXPECT_EQ(dlg.amountEdit()->text(), QStringLiteral("450"));
        EXPECT_FALSE(dlg.dateEdit()->isEnabled());
        EXPECT_EQ(dlg.dateEdit()->date(), March5);
        EXPECT_EQ(dlg.cashTypeName()->text(), QStringLiteral("Élelmiszer"));
        EXPECT_EQ(dlg.clientName()->text(), QStringLiteral("Kovács Ödön"));
        EXPECT_EQ(dlg.textEdit()->text(), QStringLiteral("Kenyér"));
        dlg.amountEdit()->setText(QStringLiteral("480"));
        dlg.okButton()->click();
    });
    EXPECT_EQ(EditEntry(hid), hid);
    EXPECT_EQ(editorsShown(), 1);
    const StoredEntry e = stored(hid);
    EXPECT_EQ(e.osszeg, -480);
    EXPECT_EQ(e.datum, March5);
    EXPECT_EQ(e.kasszatip, Elelmiszer);
    EXPECT_EQ(e.ugyfel, Kovacs);
    EXPECT_EQ(e.szoveg, QStringLiteral("Kenyér"));
    EXPECT_TRUE(cashTypeAsked.isEmpty()) << "editing an entry asks for nothing first";
    EXPECT_TRUE(errorTexts().isEmpty()) << errorTexts().join(QLatin1Char('\n')).toStdString();
}

TEST_F(EditorTest, StatementTextsAreTheProcedureCallsWithTheNewEntrysOwnId)
{
    const int old = InsertEntry(1, Fizetes, 0, QStringLiteral("Bér"), 1000, March5);
    startStatementLog();

    // A new entry: income "Ajándék" from Szabó Éva, dated in February.
    cashTypeAnswers << Ajandek;
    clientAnswers << Szabo;
    whenEditorShows([](Tfrm_Szerkeszt &dlg) {
        EXPECT_TRUE(dlg.dateEdit()->isEnabled());
        EXPECT_EQ(dlg.dateEdit()->date(), QDate::currentDate());
        EXPECT_EQ(dlg.cashTypeName()->text(), QStringLiteral("Ajándék"));
        EXPECT_EQ(dlg.clientName()->text(), QStringLiteral("Szabó Éva"));
        EXPECT_TRUE(dlg.amountEdit()->text().isEmpty());
        dlg.dateEdit()->setDate(QDate(2024, 2, 10));
        dlg.amountEdit()->setText(QStringLiteral("  12,50 Ft"));
        dlg.textEdit()->setText(QStringLiteral("O'Brian \\ C:\\temp\\n"));
        dlg.okButton()->click();
    });
    const int hid = EditEntry(-1);
    EXPECT_EQ(cashTypeAsked, QList<int>{-1});
    EXPECT_EQ(clientAsked, QList<int>{-1});
    ASSERT_GT(hid, old);
    const StoredEntry e = stored(hid);
    EXPECT_EQ(e.kassza, 1);
    EXPECT_EQ(e.kasszatip, Ajandek);
    EXPECT_EQ(e.ugyfel, Szabo);
    EXPECT_EQ(e.datum, QDate(2024, 2, 10));
    EXPECT_EQ(e.osszeg, 12.5);
    EXPECT_EQ(e.szoveg, QStringLiteral("O'Brian \\ C:\\temp\\n"));

    // Editing it again: the stored date goes back unchanged.
    whenEditorShows([](Tfrm_Szerkeszt &dlg) {
        EXPECT_EQ(dlg.textEdit()->text(), QStringLiteral("O'Brian \\ C:\\temp\\n"));
        dlg.okButton()->click();
    });
    EXPECT_EQ(EditEntry(hid), hid);

    // The server's log shows each statement without its closing ";".
    const QString h = QString::number(hid);
    const QStringList sent = callsAndIdReads(loggedStatements());
    EXPECT_EQ(
        sent,
        (QStringList{
            QStringLiteral("CALL sp_kassza_ins('2024-02-10',1,3,12.5,'O''Brian \\\\ C:\\\\temp\\\\n',2)"),
            QStringLiteral("SELECT LAST_INSERT_ID()"),
            QStringLiteral("CALL sp_kassza_edit(") + h +
                QStringLiteral(",'2024-02-10',1,3,12.5,'O''Brian \\\\ C:\\\\temp\\\\n',2)"),
        }))
        << sent.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(stored(hid).szoveg, QStringLiteral("O'Brian \\ C:\\temp\\n"));
}

TEST_F(EditorTest, CancellingEitherChooserOpensNoEditor)
{
    whenEditorShows([](Tfrm_Szerkeszt &dlg) { dlg.cancelButton()->click(); });

    EXPECT_EQ(EditEntry(-1), -1);  // no cash type chosen
    EXPECT_EQ(cashTypeAsked.size(), 1);
    EXPECT_TRUE(clientAsked.isEmpty()) << "the client is not asked for after a cancelled cash type";

    cashTypeAnswers << Fizetes;
    EXPECT_EQ(EditEntry(-1), -1);  // cash type chosen, no client
    EXPECT_EQ(clientAsked.size(), 1);

    entryChoosers() = EntryChoosers{};  // no chooser at all
    EXPECT_EQ(EditEntry(-1), -1);

    QApplication::processEvents();
    EXPECT_EQ(editorsShown(), 0);
    EXPECT_EQ(entryCount(), 0);
}

TEST_F(EditorTest, CancellingTheEditorWritesNothing)
{
    const int hid = InsertEntry(1, Fizetes, Kovacs, QStringLiteral("Bér"), 1000, March5);
    whenEditorShows([](Tfrm_Szerkeszt &dlg) {
        dlg.amountEdit()->setText(QStringLiteral("5"));
        dlg.textEdit()->setText(QStringLiteral("más"));
        dlg.cancelButton()->click();
    });
    EXPECT_EQ(EditEntry(hid), -1);
    EXPECT_EQ(stored(hid).osszeg, 1000);
    EXPECT_EQ(stored(hid).szoveg, QStringLiteral("Bér"));

    cashTypeAnswers << Rezsi;
    clientAnswers << 0;
    whenEditorShows([](Tfrm_Szerkeszt &dlg) {
        dlg.amountEdit()->setText(QStringLiteral("5"));
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    EXPECT_EQ(EditEntry(-1), -1);
    EXPECT_EQ(entryCount(), 1);
}

TEST_F(EditorTest, ChangingIncomeToExpenseFlipsTheSignAndEveryLaterBalance)
{
    const int first = InsertEntry(1, Fizetes, 0, QStringLiteral("Bér"), 1000, QDate(2024, 3, 1));
    InsertEntry(1, Elelmiszer, 0, QStringLiteral("Bolt"), 200, QDate(2024, 3, 2));
    InsertEntry(1, Ajandek, 0, QStringLiteral("Ajándék"), 50, QDate(2024, 3, 3));
    QList<sqltest::ChainRow> chain = sqltest::chainOf(db(), 1);
    ASSERT_EQ(chain.size(), 3);
    EXPECT_EQ(chain[2].zaro, 1000 + 1000 - 200 + 50);

    cashTypeAnswers << Rezsi;
    whenEditorShows([](Tfrm_Szerkeszt &dlg) {
        dlg.cashTypeButton()->click();
        EXPECT_EQ(dlg.cashTypeName()->text(), QStringLiteral("Rezsi"));
        dlg.okButton()->click();
    });
    EXPECT_EQ(EditEntry(first), first);
    EXPECT_EQ(cashTypeAsked, QList<int>{Fizetes}) << "the chooser starts on the entry's cash type";

    chain = sqltest::chainOf(db(), 1);
    ASSERT_EQ(chain.size(), 3);
    EXPECT_EQ(chain[0].kasszatip, Rezsi);
    EXPECT_EQ(chain[0].osszeg, -1000);
    EXPECT_EQ(chain[0].zaro, 0);
    EXPECT_EQ(chain[1].nyito, 0);
    EXPECT_EQ(chain[1].zaro, -200);
    EXPECT_EQ(chain[2].zaro, -150);
    EXPECT_TRUE(sqltest::chainIsIntact(db(), 1));
}

TEST_F(EditorTest, ChoosersChangeTheEntrysTypeAndClientOnlyWhenAccepted)
{
    const int hid = InsertEntry(1, Elelmiszer, Kovacs, QStringLiteral("Bolt"), 300, March5);
    cashTypeAnswers << -1;
    clientAnswers << -1 << Szabo;
    whenEditorShows([](Tfrm_Szerkeszt &dlg) {
        dlg.cashTypeButton()->click();  // cancelled
        dlg.clientButton()->click();    // cancelled
        EXPECT_EQ(dlg.cashTypeName()->text(), QStringLiteral("Élelmiszer"));
        EXPECT_EQ(dlg.clientName()->text(), QStringLiteral("Kovács Ödön"));
        dlg.clientButton()->click();
        EXPECT_EQ(dlg.clientName()->text(), QStringLiteral("Szabó Éva"));
        dlg.okButton()->click();
    });
    EXPECT_EQ(EditEntry(hid), hid);
    EXPECT_EQ(clientAsked, (QList<int>{Kovacs, Kovacs}));
    const StoredEntry e = stored(hid);
    EXPECT_EQ(e.kasszatip, Elelmiszer);
    EXPECT_EQ(e.ugyfel, Szabo);
    EXPECT_EQ(e.osszeg, -300);
}

TEST_F(EditorTest, AnAmountThatIsNoNumberKeepsTheEditorOpenAndWritesNothing)
{
    cashTypeAnswers << Elelmiszer;
    clientAnswers << Kovacs;
    QStringList keptTexts;
    int refused = 0;
    whenEditorShows([&](Tfrm_Szerkeszt &dlg) {
        dlg.textEdit()->setText(QStringLiteral("Tej"));
        for (const char *bad : {"", "   ", "abc", "1O00", "12a", "1.234,5", "1e5", "--5", "12-3"}) {
            dlg.amountEdit()->setText(QString::fromUtf8(bad));
            dlg.okButton()->click();
            EXPECT_TRUE(dlg.isVisible()) << bad;
            keptTexts << dlg.amountEdit()->text();
            ++refused;
        }
        EXPECT_EQ(dlg.textEdit()->text(), QStringLiteral("Tej"));
        EXPECT_EQ(entryCount(), 0);
        // A character the database cannot store is refused the same way.
        dlg.amountEdit()->setText(QStringLiteral("1 250"));
        dlg.textEdit()->setText(QStringLiteral("Tej 5 €"));
        dlg.okButton()->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(entryCount(), 0);
        dlg.textEdit()->setText(QStringLiteral("Tej és tűrő"));
        dlg.okButton()->click();
    });
    const int hid = EditEntry(-1);
    ASSERT_GT(hid, 0);
    EXPECT_EQ(keptTexts, (QStringList{"", "   ", "abc", "1O00", "12a", "1.234,5", "1e5", "--5", "12-3"}));
    const QStringList errors = errorTexts();
    ASSERT_EQ(errors.size(), refused + 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("összeg"))) << errors[0].toStdString();
    EXPECT_TRUE(errors[2].contains(QStringLiteral("„abc”"))) << errors[2].toStdString();
    EXPECT_TRUE(errors.last().contains(QStringLiteral("€"))) << errors.last().toStdString();
    const StoredEntry e = stored(hid);
    EXPECT_EQ(e.osszeg, -1250);
    EXPECT_EQ(e.szoveg, QStringLiteral("Tej és tűrő"));
    EXPECT_EQ(entryCount(), 1);
}

TEST_F(EditorTest, AFailingCallIsShownAndTheEditorKeepsWhatWasTyped)
{
    const int hid = InsertEntry(1, Fizetes, 0, QStringLiteral("Bér"), 1000, March5);
    whenEditorShows([&](Tfrm_Szerkeszt &dlg) {
        // Another user deletes the entry meanwhile.
        std::unique_ptr<TmySQLDatabase> other = schema->connect();
        other->execute(QStringLiteral("CALL sp_kassza_del(%1);").arg(hid));
        dlg.amountEdit()->setText(QStringLiteral("1100"));
        dlg.okButton()->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.amountEdit()->text(), QStringLiteral("1100"));
        EXPECT_EQ(errorTexts().size(), 1);
        dlg.cancelButton()->click();
    });
    EXPECT_EQ(EditEntry(hid), -1);
    EXPECT_EQ(entryCount(), 0);

    // An entry that is gone before the editor opens is reported, and nothing opens.
    MessageBox::clearLog();
    whenEditorShows([](Tfrm_Szerkeszt &dlg) { dlg.cancelButton()->click(); });
    EXPECT_EQ(EditEntry(hid), -1);
    EXPECT_EQ(editorsShown(), 1);
    ASSERT_EQ(errorTexts().size(), 1);
    EXPECT_TRUE(errorTexts()[0].contains(QString::number(hid)));
}

TEST_F(EditorTest, WindowLayoutFontsTabOrderAndPlace)
{
    const int hid = InsertEntry(1, Elelmiszer, Kovacs, QStringLiteral("Kenyér"), 450.25, March5);
    beall().FontSize = 10;
    Tfrm_Szerkeszt dlg;
    ASSERT_TRUE(dlg.openExisting(hid));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Kassza tétel Szerkesztés"));
    EXPECT_EQ(dlg.objectName(), QStringLiteral("frm_Szerkeszt"));
    EXPECT_EQ(dlg.amountEdit()->text(),
              QStringLiteral("450.25").replace(QLatin1Char('.'), QLocale().decimalPoint()));

    QStringList labels;
    for (const QLabel *l : dlg.findChildren<QLabel *>())
        labels << l->text();
    labels.sort();
    EXPECT_EQ(labels, (QStringList{"dátum", "kasszatípus", "kitől/kinek", "szöveg", "összeg"}));

    const QFont amount = dlg.amountEdit()->font();
    EXPECT_TRUE(amount.bold());
    EXPECT_EQ(amount.pixelSize(), 19);
    EXPECT_EQ(amount.family(), QStringLiteral("Arial"));
    EXPECT_EQ(dlg.textEdit()->font().pointSize(), 10);
    EXPECT_EQ(dlg.textEdit()->maxLength(), 255);

    dlg.move(123, 77);
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    QApplication::processEvents();
    EXPECT_EQ(dlg.pos(), QPoint(10, 10)) << "no stored place yet: the default";
    ASSERT_TRUE(dlg.amountEdit()->hasFocus());
    EXPECT_EQ(dlg.amountEdit()->palette().color(QPalette::Base), FocusColor());

    // Enter walks the fields in tab order; the name fields are never reached.
    QList<QWidget *> order{QApplication::focusWidget()};
    for (int i = 0; i < 5; ++i) {
        if (qobject_cast<QLineEdit *>(QApplication::focusWidget()))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget();
    }
    EXPECT_EQ(order, (QList<QWidget *>{dlg.amountEdit(), dlg.textEdit(), dlg.okButton(), dlg.cancelButton(),
                                       dlg.cashTypeButton(), dlg.clientButton()}));
    EXPECT_NE(dlg.amountEdit()->palette().color(QPalette::Base), FocusColor());
    EXPECT_TRUE(dlg.isVisible()) << "Enter in a field must not accept";

    dlg.move(200, 150);
    dlg.reject();
    Tfrm_Szerkeszt again;
    again.openNew(Fizetes, 0);
    again.show();
    QApplication::setActiveWindow(&again);
    QApplication::processEvents();
    EXPECT_EQ(again.pos(), QPoint(200, 150));
    EXPECT_TRUE(again.dateEdit()->isEnabled());
    EXPECT_TRUE(again.dateEdit()->hasFocus() || again.dateEdit()->isAncestorOf(QApplication::focusWidget()));

    // Pictures to look at: ZORVA_SHOT_DIR=folder.
    const QString shots = qEnvironmentVariable("ZORVA_SHOT_DIR");
    if (!shots.isEmpty()) {
        again.amountEdit()->setText(QStringLiteral("12500"));
        again.textEdit()->setText(QStringLiteral("Fizetés március"));
        again.amountEdit()->setFocus();
        QApplication::processEvents();
        again.grab().save(QDir(shots).filePath(QStringLiteral("editor-new.png")));
        Tfrm_Szerkeszt existing;
        existing.openExisting(hid);
        existing.show();
        QApplication::setActiveWindow(&existing);
        QApplication::processEvents();
        existing.grab().save(QDir(shots).filePath(QStringLiteral("editor-existing.png")));
    }
}

TEST_F(EditorTest, TheProgramsChoosersAreTheListWindowsInChoiceMode)
{
    const int hid = InsertEntry(1, Elelmiszer, Kovacs, QStringLiteral("Bolt"), 300, March5);
    resetEntryChoosers();
    // What each chooser window does when it shows: -1 closes it ("Bezár"), else that row is accepted.
    QList<int> picks{-1, Rezsi, Szabo, -1};
    QStringList seen;
    QTimer chooser;
    chooser.setInterval(5);
    QObject::connect(&chooser, &QTimer::timeout, [&] {
        auto *w = qobject_cast<ListWindow *>(QApplication::activeModalWidget());
        if (!w || !w->isVisible() || picks.isEmpty())
            return;
        seen << QStringLiteral("%1 %2 %3").arg(w->objectName()).arg(w->choiceMode()).arg(w->currentKey());
        const int pick = picks.takeFirst();
        if (pick == -1) {
            w->reject();
        } else {
            w->moveToKey(pick);
            w->acceptRow();
        }
    });
    chooser.start();
    whenEditorShows([](Tfrm_Szerkeszt &dlg) {
        dlg.cashTypeButton()->click();
        EXPECT_EQ(dlg.cashTypeName()->text(), QStringLiteral("Élelmiszer"));
        dlg.cashTypeButton()->click();
        EXPECT_EQ(dlg.cashTypeName()->text(), QStringLiteral("Rezsi"));
        dlg.clientButton()->click();
        EXPECT_EQ(dlg.clientName()->text(), QStringLiteral("Szabó Éva"));
        dlg.okButton()->click();
    });
    EXPECT_EQ(EditEntry(hid), hid);
    const StoredEntry e = stored(hid);
    EXPECT_EQ(e.kasszatip, Rezsi);
    EXPECT_EQ(e.ugyfel, Szabo);

    // A new entry whose cash type is not chosen: no client window, no editor.
    EXPECT_EQ(EditEntry(-1), -1);
    EXPECT_EQ(editorsShown(), 1);
    const QString cashTypes = QStringLiteral("frm_TorzsKasszaTip 1 %1");
    EXPECT_EQ(seen,
              (QStringList{cashTypes.arg(Elelmiszer), cashTypes.arg(Elelmiszer),
                           QStringLiteral("frm_UgyfelValaszt 1 %1").arg(Kovacs), cashTypes.arg(Fizetes)}));
}

TEST_F(EditorTest, TheKeyboardAloneFinishesTheEditorWithEnter)
{
    const int hid = InsertEntry(1, Elelmiszer, Kovacs, QStringLiteral("Kenyér"), 450, March5);
    whenEditorShows([](Tfrm_Szerkeszt &dlg) {
        QApplication::setActiveWindow(&dlg);
        dlg.amountEdit()->setFocus();
        dlg.amountEdit()->selectAll();
        QTest::keyClicks(dlg.amountEdit(), QStringLiteral("520"));
        QTest::keyClick(dlg.amountEdit(), Qt::Key_Return);  // to the text
        QTest::keyClick(dlg.textEdit(), Qt::Key_Return);    // to "OK"
        ASSERT_EQ(QApplication::focusWidget(), dlg.okButton());
        QTest::keyClick(dlg.okButton(), Qt::Key_Return);  // presses it
    });
    EXPECT_EQ(EditEntry(hid), hid);
    EXPECT_EQ(stored(hid).osszeg, -520);
}
