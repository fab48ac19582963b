// The loans window on the real database: the two directions and the pending filter, a new
// loan with its booking, cancelling it, a missing cash-type setting and deleting.
#include "debts/debtfixture.h"

#include "debts/debts/tartozas_szerkeszt.h"

#include "core/ui/dbgrid.h"
#include "db/errors.h"
#include "entries/dialogs/ugyfelvalaszt.h"
#include "entries/editor/entryroutines.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zorva;
using mdtest::whenModal;

namespace {

class DebtList : public debttest::DebtTest {};

}  // namespace

TEST_F(DebtList, EachDirectionListsItsOwnLoansAndThePendingFilterTogglesSettledOnes)
{
    auto claims = openWindow(DebtDirection::Claims);
    EXPECT_EQ(claims->windowTitle(), "Tartozások");
    EXPECT_EQ(claims->title(), "Nekem tartoznak  ");
    EXPECT_TRUE(claims->action("aSzur")->isChecked());
    EXPECT_EQ(listedKeys(*claims), QList<int>({1}));
    EXPECT_EQ(claims->notePanel()->text(), "Megjegyzés: autóra");
    QStringList titles;
    for (int c = 0; c < claims->grid()->model()->columnCount(); ++c)
        titles << claims->grid()->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles,
              QStringList({"Ügyfél", "Dátum", "Határidő", "Megadva", "Összeg", "Törlesztve", "Marad"}));
    EXPECT_EQ(claims->grid()->model()->index(0, 6).data().toString(), "6 000");
    EXPECT_EQ(claims->grid()->columnColor(0), SortColumnColor());

    claims->action("aSzur")->trigger();
    EXPECT_FALSE(claims->action("aSzur")->isChecked());
    EXPECT_EQ(listedKeys(*claims), QList<int>({1, 2}));  // by client name
    ASSERT_TRUE(claims->moveToKey(2));
    EXPECT_EQ(claims->notePanel()->text(), "Megjegyzés: ");
    claims->action("aSzur")->trigger();
    EXPECT_EQ(listedKeys(*claims), QList<int>({1}));

    auto debts = openWindow(DebtDirection::Debts);
    EXPECT_EQ(debts->title(), "Én tartozom  ");
    EXPECT_EQ(listedKeys(*debts), QList<int>({3}));
    debts->action("aSzur")->trigger();
    EXPECT_EQ(listedKeys(*debts), QList<int>({3}));
}

TEST_F(DebtList, NewLoanIsDueAMonthLaterAndIsBookedIntoTheCurrentCashBox)
{
    int refreshed = 0;
    auto w = openWindow(DebtDirection::Claims, {[&refreshed] { ++refreshed; }});
    QDate shownDate, shownDue;
    QString shownClient;
    QWidget *firstFocus = nullptr;
    whenModal<Tfrm_UgyfelValaszt>([&](Tfrm_UgyfelValaszt *c) {
        ASSERT_TRUE(c->moveToKey(2));
        whenModal<Tfrm_Tartozas_Szerkeszt>([&](Tfrm_Tartozas_Szerkeszt *d) {
            EXPECT_EQ(d->windowTitle(), "Tartozás");
            shownDate = d->dateEdit()->date();
            shownDue = d->dueDateEdit()->date();
            shownClient = d->clientEdit()->text();
            firstFocus = d->focusWidget();
            // an empty amount is refused and the dialog stays open
            d->okButton()->click();
            EXPECT_TRUE(d->isVisible());
            EXPECT_EQ(d->focusWidget(), d->amountEdit());
            d->amountEdit()->setText("5000");
            d->noteEdit()->setText("nyaralásra");
            d->okButton()->click();
        });
        c->acceptRow();
    });
    w->newRow();
    EXPECT_EQ(shownDate, QDate(2024, 1, 31));
    EXPECT_EQ(shownDue, QDate(2024, 2, 29));  // February is shorter
    EXPECT_EQ(shownClient, "Szabó Éva");
    EXPECT_NE(firstFocus, nullptr);
    EXPECT_EQ(shownTexts(), QStringList({"Nincs összeg megadva"}));

    const auto loans = rows(
        "SELECT tartozik, ugyfel, datum, dat_megad_kell, osszeg, torlesztve, marad, megadva, tartozas, "
        "szoveg "
        "FROM tartozik WHERE tartozik > 3");
    ASSERT_EQ(loans.size(), 1);
    EXPECT_EQ(loans[0].mid(1),
              QStringList({"2", "2024-01-31", "2024-02-29", "5000", "0", "5000", "N", "I", "nyaralásra"}));
    EXPECT_EQ(cashBook(), QList<QStringList>({{"1", "4", "5000", "Kölcsön: Szabó Éva", "2"}}));
    EXPECT_EQ(w->currentKey(), loans[0][0].toInt());
    EXPECT_EQ(refreshed, 1);
}

TEST_F(DebtList, CancelledChoiceOrDialogWritesAndBooksNothing)
{
    auto w = openWindow(DebtDirection::Debts);
    whenModal<Tfrm_UgyfelValaszt>([](Tfrm_UgyfelValaszt *c) { c->reject(); });
    w->newRow();
    whenModal<Tfrm_UgyfelValaszt>([](Tfrm_UgyfelValaszt *c) {
        whenModal<Tfrm_Tartozas_Szerkeszt>([](Tfrm_Tartozas_Szerkeszt *d) {
            d->amountEdit()->setText("700");
            d->cancelButton()->click();
        });
        c->acceptRow();
    });
    w->newRow();
    EXPECT_EQ(rows("SELECT COUNT(*) FROM tartozik"), QList<QStringList>({{"3"}}));
    EXPECT_TRUE(cashBook().isEmpty());
}

TEST_F(DebtList, DebtsWindowBooksTheBorrowedCashTypeAndRefusesWithoutTheSetting)
{
    auto w = openWindow(DebtDirection::Debts);
    whenModal<Tfrm_UgyfelValaszt>([](Tfrm_UgyfelValaszt *c) {
        ASSERT_TRUE(c->moveToKey(1));
        whenModal<Tfrm_Tartozas_Szerkeszt>([](Tfrm_Tartozas_Szerkeszt *d) {
            d->amountEdit()->setText("1 250,5");
            d->okButton()->click();
        });
        c->acceptRow();
    });
    w->newRow();
    EXPECT_EQ(rows("SELECT osszeg, marad, tartozas FROM tartozik WHERE tartozik > 3"),
              QList<QStringList>({{"1250.5", "1250.5", "N"}}));
    EXPECT_EQ(cashBook(), QList<QStringList>({{"1", "1", "1250.5", "Kölcsön: Kovács Ödön", "1"}}));

    // without the setting no client is asked for and nothing is written
    beall().kapkasszatip_ki = -1;
    MessageBox::clearLog();
    EXPECT_FALSE(debttest::opensAModal([&] { w->newRow(); }));
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_TRUE(shownTexts()[0].contains("kölcsönbe kapok kasszatípus"));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM tartozik"), QList<QStringList>({{"4"}}));
}

TEST_F(DebtList, DeleteAsksAboutTheLoanAndKeepsItsBookings)
{
    db().execute(
        "INSERT INTO torleszt (tartozik, datum, osszeg, megjegyzes, novel) VALUES (1, '2024-01-05', 4000, "
        "'', 'N')");
    InsertEntryToday(1, 4, 1, QStringLiteral("Kölcsön: Kovács Ödön"), 10000);
    auto w = openWindow(DebtDirection::Claims);
    ASSERT_TRUE(w->moveToKey(1));
    MessageBox::setNextAnswer(QMessageBox::No);
    w->action("aTorol")->trigger();
    EXPECT_EQ(listedKeys(*w), QList<int>({1}));
    ASSERT_FALSE(MessageBox::log().isEmpty());
    EXPECT_EQ(MessageBox::log().last().text, "Valóban töröljem a tartozást?");
    EXPECT_EQ(MessageBox::log().last().caption, "Megerősítés");

    MessageBox::setNextAnswer(QMessageBox::Yes);
    w->action("aTorol")->trigger();
    EXPECT_TRUE(listedKeys(*w).isEmpty());
    EXPECT_EQ(rows("SELECT COUNT(*) FROM tartozik WHERE tartozik=1"), QList<QStringList>({{"0"}}));
    EXPECT_EQ(cashBook().size(), 1);
}

TEST_F(DebtList, ANewLoanWhoseBookingIsRefusedIsTakenBack)
{
    beall().kasszatip_ki = 99;  // a cash type that no longer exists
    const auto owedBefore = rows("SELECT tartozik FROM ugyfel WHERE ugyfel = 2");
    auto w = openWindow(DebtDirection::Claims);
    whenModal<Tfrm_UgyfelValaszt>([](Tfrm_UgyfelValaszt *c) {
        ASSERT_TRUE(c->moveToKey(2));
        whenModal<Tfrm_Tartozas_Szerkeszt>([](Tfrm_Tartozas_Szerkeszt *d) {
            d->amountEdit()->setText("5000");
            d->okButton()->click();
        });
        c->acceptRow();
    });
    EXPECT_THROW(w->newRow(), EmySQLDatabaseError);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM tartozik"), QList<QStringList>({{"3"}}));
    EXPECT_EQ(rows("SELECT tartozik FROM ugyfel WHERE ugyfel = 2"), owedBefore)
        << "the client owes nothing new";
    EXPECT_TRUE(cashBook().isEmpty());
}
