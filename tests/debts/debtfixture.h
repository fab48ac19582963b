// What the loan tests share: the cash types of loans and repayments, three loans and the
// loans window on its list, and a "today" of 31 January 2024.
#pragma once

#include "masterdata/masterdatafixture.h"

#include "core/globals.h"
#include "debts/debts/tartozas.h"
#include "entries/dialogs/dialogclock.h"

#include "db/query.h"

namespace debttest {

// Runs `action`; a modal window it opens is closed at once and reported.
inline bool opensAModal(const std::function<void()> &action)
{
    bool opened = false;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&opened] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            opened = true;
            if (auto *d = qobject_cast<QDialog *>(w))
                d->reject();
        }
    });
    timer.start();
    action();
    QTest::qWait(50);
    return opened;
}

// Loans (cash types: lent 4 Rezsi, repaid to me 3 Ajándék, borrowed 1 Fizetés, I repay 2
// Élelmiszer; cash box 1):
//   1 claim Kovács Ödön  10 000, 4 000 repaid, 6 000 left, note "autóra"
//   2 claim Szabó Éva     3 000, settled
//   3 debt  Szabó Éva     8 000, nothing repaid
class DebtTest : public mdtest::MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        if (HasFatalFailure())
            return;
        zorva::setDialogClock([] { return QDate(2024, 1, 31); });
        zorva::beall().kasszatip_ki = 4;
        zorva::beall().kasszatip_vissza = 3;
        zorva::beall().kapkasszatip_ki = 1;
        zorva::beall().kapkasszatip_vissza = 2;
        zorva::Cassa() = 1;
        db().execute(
            "INSERT INTO tartozik (tartozik, ugyfel, datum, dat_megad_kell, dat_megad, osszeg, torlesztve, "
            "marad, "
            "szoveg, megadva, tartozas) VALUES "
            "(1, 1, '2023-12-01', '2024-01-01', NULL, 10000, 4000, 6000, 'autóra', 'N', 'I'), "
            "(2, 2, '2023-11-05', '2023-12-05', '2023-12-01', 3000, 3000, 0, NULL, 'I', 'I'), "
            "(3, 2, '2024-01-10', '2024-02-10', NULL, 8000, 0, 8000, NULL, 'N', 'N')");
    }
    void TearDown() override
    {
        zorva::setDialogClock({});
        zorva::beall().kasszatip_ki = -1;
        zorva::beall().kasszatip_vissza = -1;
        zorva::beall().kapkasszatip_ki = -1;
        zorva::beall().kapkasszatip_vissza = -1;
        MasterDataTest::TearDown();
    }

    // The window on its list, not modal, so that the test calls its actions.
    std::unique_ptr<zorva::Tfrm_Tartozas> openWindow(zorva::DebtDirection direction,
                                                     zorva::DebtWindowHooks hooks = {})
    {
        auto w = std::make_unique<zorva::Tfrm_Tartozas>(direction, std::move(hooks));
        w->query()->open();
        w->show();
        mdtest::reactivate(w.get());
        return w;
    }
    QList<int> listedKeys(zorva::Tfrm_Tartozas &w)
    {
        QList<int> keys;
        TmySQLQuery *q = w.query();
        const int col = q->fieldIndex(QStringLiteral("tartozik"));
        for (int r = 0; r < q->recordCount(); ++r)
            keys << q->valueAt(r, col).toInt();
        return keys;
    }
    // kassza, kasszatip, |osszeg|, szoveg, ugyfel of every cash-book entry.
    QList<QStringList> cashBook()
    {
        return rows(
            "SELECT kassza, kasszatip, ABS(osszeg), szoveg, COALESCE(ugyfel, 0) FROM hazikassza ORDER BY "
            "hid");
    }
    QList<QStringList> loan(int id)
    {
        return rows(
            QStringLiteral("SELECT osszeg, torlesztve, marad, megadva FROM tartozik WHERE tartozik=%1")
                .arg(id));
    }
};

}  // namespace debttest
