// Money movements on an existing loan: a repayment of part of it, the settlement of what
// remains and a further loan.  Each books the money into the current cash box first and
// then records the movement on the loan through sp_torleszt or sp_megkolcsonad; when
// the database refuses the movement, the booking is taken back.
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

// The checks before a booking into the current cash box: the cash type it needs is set
// (otherwise the user is told which setting is missing and offered "Beállítások") and
// the current cash box exists (otherwise the cash boxes window is offered).
bool CheckCashTypeSet(int kasszatip, const QString &settingName, QWidget *parent = nullptr);

// Runs the step that follows the booking of entry `hid`; when it fails, the entry is
// deleted again and the error travels on, so that neither is left half done.
void UndoEntryOnFailure(int hid, const std::function<void()> &step);

}  // namespace zorva
