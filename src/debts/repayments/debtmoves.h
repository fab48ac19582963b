// Money movements on an existing loan: a repayment of part of it, the settlement of what
// remains and a further loan.  Each books the money into the current cash box first and
// then records the movement on the loan through sp_torleszt or sp_megkolcsonad.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace zorva {

// The loan a movement is made on, as the loans list shows it.
struct DebtRecord {
    int tartozik = -1;
    int ugyfel = 0;
    QString ugyfelNev;
    double marad = 0;
    bool megadva = false;
    // 'I': the client owes the user (claim); 'N': the user owes the client (debt).
    bool claim = true;
};

// The check the database makes before it records a repayment of `amount`: empty when it
// may go on, otherwise the reason in Hungarian.
QString RepaymentProblem(const DebtRecord &debt, double amount);
// Likewise for a further loan of `amount` on a loan of `osszeg`.
QString FurtherLoanProblem(double osszeg, double amount);

// "Törleszt": asks for the amount (proposed: what remains) and a remark, books it with the
// repayment cash type `kasszatip` and sends sp_torleszt.  False when nothing was done.
bool RepayDebt(const DebtRecord &debt, int kasszatip, QWidget *parent = nullptr);

// "Megad": the user chooses an income (claim) or expense (debt) cash type, what remains is
// booked with it, `afterBooking` runs, and sp_torleszt settles the loan.  False when
// nothing was done.
bool SettleDebt(const DebtRecord &debt, const std::function<void()> &afterBooking, QWidget *parent = nullptr);

// "Még kölcsönad": asks for the amount (proposed: 0) and a remark, books it with the loan
// cash type `kasszatip` and sends sp_megkolcsonad on a loan of `osszeg`.  False when
// nothing was done.
bool LendMore(const DebtRecord &debt, double osszeg, int kasszatip, QWidget *parent = nullptr);

// The error shown when the cash type a booking needs is not set; false then.
bool CheckCashTypeSet(int kasszatip, const QString &settingName, QWidget *parent = nullptr);

}  // namespace zorva
