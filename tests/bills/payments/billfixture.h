// What the bill payment tests share: bill types, payments around a fixed "today" of
// 15 March 2024, and a check that no modal window opened.
#pragma once

#include "masterdata/masterdatafixture.h"

#include "entries/dialogs/dialogclock.h"

#include <QApplication>
#include <QTimer>

namespace billtest {

// Bill types: 1 Villany (Kovács Ödön, day 5, 8 500, active), 2 Gáz (no payee, day 20,
// 12 000, inactive).  Payments:
//   1 Villany 202403 due 2024-03-14 (yesterday)  8 500 unpaid
//   2 Villany 202403 due 2024-03-15 (today)      8 500 unpaid
//   3 Gáz     202402 due 2024-02-20             12 000 paid
//   4 Villany 202404 due 2024-04-05              8 500 unpaid
//   5 Gáz     202403 due 2024-03-01             12 000 unpaid, no payee
class BillTest : public mdtest::MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        if (HasFatalFailure())
            return;
        zorva::setDialogClock([] { return QDate(2024, 3, 15); });
        zorva::beall().kasszatip_csekk = 4;
        db().execute(
            "INSERT INTO csekk (csekk, csekk_nev, kellgen, nap_hatid, osszeg, ugyfel) VALUES "
            "(1, 'Villany', 'I', 5, 8500, 1), (2, 'Gáz', 'N', 20, 12000, NULL)");
        db().execute(
            "INSERT INTO csekkfizet (csekkfizet, csekk, idoszak, dat_hatid, dat_fizetve, osszeg, ugyfel, "
            "fizetve) "
            "VALUES (1, 1, '202403', '2024-03-14', NULL, 8500, 1, 'N'), "
            "(2, 1, '202403', '2024-03-15', NULL, 8500, 1, 'N'), "
            "(3, 2, '202402', '2024-02-20', '2024-02-18', 12000, NULL, 'I'), "
            "(4, 1, '202404', '2024-04-05', NULL, 8500, 1, 'N'), "
            "(5, 2, '202403', '2024-03-01', NULL, 12000, NULL, 'N')");
    }
    void TearDown() override
    {
        zorva::setDialogClock({});
        zorva::beall().kasszatip_csekk = -1;
        MasterDataTest::TearDown();
    }
};

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

}  // namespace billtest
