// Repayments, settlement and further loans from the loans window, and the movements window,
// on the real database.
#include "debts/debtfixture.h"

#include "debts/repayments/debtmoves.h"
#include "debts/repayments/torleszt.h"

#include "core/dbhelpers/proccalls.h"
#include "core/ui/dbgrid.h"
#include "db/errors.h"
#include "entries/dialogs/inpszamszoveg.h"
#include "masterdata/cashtypes/torzskasszatip.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zorva;
using mdtest::whenModal;

namespace {

class Repayments : public debttest::DebtTest {
protected:
    QList<QStringList> movements(int id)
    {
        return rows(QStringLiteral("SELECT osszeg, megjegyzes, novel, datum = CURDATE() FROM torleszt "
                                   "WHERE tartozik=%1 ORDER BY torleszt")
                        .arg(id));
    }
};

}  // namespace

TEST_F(Repayments, RepaymentProposesWhatRemainsAndPassesTheNoteIntact)
{
    int refreshed = 0;
    auto w = openWindow(DebtDirection::Claims, {[&refreshed] { ++refreshed; }});
    ASSERT_TRUE(w->moveToKey(1));
    QString proposed, caption;
    whenModal<Tfrm_InpSzamSzoveg>([&](Tfrm_InpSzamSzoveg *d) {
        caption = d->windowTitle();
        proposed = d->amountEdit()->text();
        d->amountEdit()->setText(amountText(1234.5));
        d->textEdit()->setText("Pál'né hozta");
        d->okButton()->click();
    });
    w->action("aTorleszt")->trigger();
    EXPECT_EQ(caption, "Törlesztés");
    EXPECT_EQ(proposed.remove(' '), amountText(6000));
    EXPECT_EQ(cashBook(), QList<QStringList>({{"1", "3", "1234.5", "Törlesztés: Kovács Ödön", "1"}}));
    EXPECT_EQ(movements(1), QList<QStringList>({{"1234.5", "Pál'né hozta", "N", "1"}}));
    EXPECT_EQ(loan(1), QList<QStringList>({{"10000", "5234.5", "4765.5", "N"}}));
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(w->grid()->model()->index(0, 6).data().toString(), "4 766");

    // the proposed amount confirmed unchanged settles the loan: it leaves the pending list
    whenModal<Tfrm_InpSzamSzoveg>([](Tfrm_InpSzamSzoveg *d) { d->okButton()->click(); });
    w->action("aTorleszt")->trigger();
    EXPECT_EQ(loan(1), QList<QStringList>({{"10000", "10000", "0", "I"}}));
    EXPECT_EQ(cashBook().size(), 2);
    EXPECT_EQ(cashBook()[1][2], "4765.5");
    EXPECT_TRUE(listedKeys(*w).isEmpty());
}

TEST_F(Repayments, RepaymentTheDatabaseWouldRefuseBooksNothing)
{
    auto w = openWindow(DebtDirection::Claims);
    ASSERT_TRUE(w->moveToKey(1));
    for (const char *amount : {"7000", "0", "-100"}) {
        whenModal<Tfrm_InpSzamSzoveg>([amount](Tfrm_InpSzamSzoveg *d) {
            d->amountEdit()->setText(QString::fromLatin1(amount));
            d->okButton()->click();
        });
        w->action("aTorleszt")->trigger();
    }
    EXPECT_EQ(shownTexts().size(), 3);
    EXPECT_TRUE(cashBook().isEmpty());
    EXPECT_TRUE(movements(1).isEmpty());

    // a settled loan offers no repayment at all
    w->action("aSzur")->trigger();
    ASSERT_TRUE(w->moveToKey(2));
    MessageBox::clearLog();
    EXPECT_FALSE(debttest::opensAModal([&] { w->action("aTorleszt")->trigger(); }));
    EXPECT_EQ(shownTexts(), QStringList({"Ez a tartozás már rendezve van, nincs mit törleszteni."}));
    EXPECT_TRUE(cashBook().isEmpty());
}

TEST_F(Repayments, SettlementOffersTypesOfTheDirectionsSignAndCancellingDoesNothing)
{
    auto w = openWindow(DebtDirection::Debts);
    ASSERT_TRUE(w->moveToKey(3));
    int offered = 0;
    whenModal<Tfrm_TorzsKasszaTip>([&](Tfrm_TorzsKasszaTip *c) {
        offered = c->dataSet()->recordCount();
        c->reject();
    });
    w->action("aMegad")->trigger();
    EXPECT_EQ(offered, 2);  // the two expense types
    EXPECT_TRUE(cashBook().isEmpty());
    EXPECT_TRUE(movements(3).isEmpty());

    int refreshed = 0;
    auto claims = openWindow(DebtDirection::Claims, {[&refreshed] { ++refreshed; }});
    ASSERT_TRUE(claims->moveToKey(1));
    QList<int> incomeTypes;
    whenModal<Tfrm_TorzsKasszaTip>([&](Tfrm_TorzsKasszaTip *c) {
        for (int r = 0; r < c->dataSet()->recordCount(); ++r)
            incomeTypes << c->dataSet()->valueAt(r, c->dataSet()->fieldIndex("kasszatip")).toInt();
        ASSERT_TRUE(c->moveToKey(3));
        c->acceptRow();
    });
    claims->action("aMegad")->trigger();
    std::sort(incomeTypes.begin(), incomeTypes.end());
    EXPECT_EQ(incomeTypes, QList<int>({1, 3}));
    EXPECT_EQ(cashBook(), QList<QStringList>({{"1", "3", "6000", "Törlesztés: Kovács Ödön", "1"}}));
    EXPECT_EQ(movements(1), QList<QStringList>({{"6000", "", "N", "1"}}));
    EXPECT_EQ(loan(1), QList<QStringList>({{"10000", "10000", "0", "I"}}));
    EXPECT_EQ(refreshed, 1);
}

TEST_F(Repayments, FurtherLoanRaisesTheLoanAndReopensASettledOne)
{
    auto w = openWindow(DebtDirection::Claims);
    w->action("aSzur")->trigger();
    ASSERT_TRUE(w->moveToKey(2));
    QString proposed;
    whenModal<Tfrm_InpSzamSzoveg>([&](Tfrm_InpSzamSzoveg *d) {
        proposed = d->amountEdit()->text();
        d->amountEdit()->setText(amountText(2000.5));
        d->okButton()->click();
    });
    w->action("aNovel")->trigger();
    EXPECT_EQ(proposed.remove(' '), amountText(0));
    EXPECT_EQ(cashBook(), QList<QStringList>({{"1", "4", "2000.5", "További kölcsön: Szabó Éva", "2"}}));
    EXPECT_EQ(movements(2), QList<QStringList>({{"2000.5", "", "I", "1"}}));
    EXPECT_EQ(loan(2), QList<QStringList>({{"5000.5", "3000", "2000.5", "N"}}));
    EXPECT_EQ(w->currentKey(), 2);

    // a cancelled amount books nothing
    whenModal<Tfrm_InpSzamSzoveg>([](Tfrm_InpSzamSzoveg *d) { d->reject(); });
    w->action("aNovel")->trigger();
    EXPECT_EQ(cashBook().size(), 1);
}

TEST_F(Repayments, MovementsWindowShowsTheClientTheRemainderAndMarksFurtherLoans)
{
    ExecSql(callTorleszt(1, 1000, "első"));
    ExecSql(callMegkolcsonad(1, 500, ""));
    Tfrm_Torleszt w(1);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(w.windowTitle(), "Részletek");
        EXPECT_EQ(w.clientLabel()->text(), "Kovács Ödön  ");
        EXPECT_EQ(w.totalLabel()->text(), "5 500");
        EXPECT_EQ(w.query()->recordCount(), 2);
        EXPECT_EQ(w.grid()->model()->index(0, 2).data().toString(), "első");
        ASSERT_TRUE(w.moveToKey(w.query()->valueAt(0, w.query()->fieldIndex("torleszt")).toInt()));
        const QColor lightRed(255, 221, 221);
        EXPECT_EQ(w.grid()->model()->index(1, 1).data(Qt::BackgroundRole).value<QColor>(), lightRed);
        EXPECT_EQ(w.grid()->model()->index(1, 0).data(Qt::BackgroundRole).value<QColor>(), SortColumnColor());
        EXPECT_FALSE(w.grid()->model()->index(0, 1).data(Qt::BackgroundRole).value<QColor>().isValid());
        // a title click sorts by the column, movements of one value in the order they came
        emit w.grid()->titleClicked(QStringLiteral("osszeg"), 1);
        EXPECT_EQ(w.query()->sql().last(), "ORDER BY osszeg,torleszt;");
        EXPECT_EQ(w.searchField(), "osszeg");
        EXPECT_EQ(w.grid()->columnColor(1), SortColumnColor());
        EXPECT_EQ(w.query()->valueAt(0, w.query()->fieldIndex("osszeg")).toDouble(), 500);
        w.resize(552, 390);
        EXPECT_EQ(w.grid()->columnWidth(3), 44);
        checked = true;
        w.reject();
    });
    w.openAndExec(-1);
    EXPECT_TRUE(checked);

    Tfrm_Torleszt empty(3);
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(empty.clientLabel()->text(), "  ");
        EXPECT_EQ(empty.totalLabel()->text(), "0");
        EXPECT_EQ(empty.query()->recordCount(), 0);
        empty.reject();
    });
    empty.openAndExec(-1);
}

TEST_F(Repayments, AMovementTheDatabaseRefusesTakesItsBookingBack)
{
    // The procedure that records the movement fails after the entry was booked.
    struct Case {
        const char *procedure;
        std::function<void(Tfrm_Tartozas &)> run;
    };
    const Case cases[] = {
        {"sp_torleszt",
         [](Tfrm_Tartozas &w) {
             whenModal<Tfrm_InpSzamSzoveg>([](Tfrm_InpSzamSzoveg *d) {
                 d->amountEdit()->setText("1500");
                 d->okButton()->click();
             });
             w.repay();
         }},
        {"sp_torleszt",
         [](Tfrm_Tartozas &w) {
             whenModal<Tfrm_TorzsKasszaTip>([](Tfrm_TorzsKasszaTip *c) {
                 ASSERT_TRUE(c->moveToKey(3));
                 c->acceptRow();
             });
             w.settle();
         }},
        {"sp_megkolcsonad",
         [](Tfrm_Tartozas &w) {
             whenModal<Tfrm_InpSzamSzoveg>([](Tfrm_InpSzamSzoveg *d) {
                 d->amountEdit()->setText("800");
                 d->okButton()->click();
             });
             w.lendMore();
         }},
    };
    auto w = openWindow(DebtDirection::Claims);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.procedure);
        db().execute(QStringLiteral("DROP PROCEDURE IF EXISTS %1").arg(QLatin1String(c.procedure)));
        ASSERT_TRUE(w->moveToKey(1));
        EXPECT_THROW(c.run(*w), EmySQLDatabaseError);
        EXPECT_TRUE(cashBook().isEmpty());
        EXPECT_TRUE(movements(1).isEmpty());
        EXPECT_EQ(loan(1), QList<QStringList>({{"10000", "4000", "6000", "N"}}));
    }
}
