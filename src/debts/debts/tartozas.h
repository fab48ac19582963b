// The loans window: the loans of one direction from vw_tartozik (claims, where clients owe
// the user, or debts, where the user owes clients), the pending filter, a new loan with its
// booking, deletion, repayment, settlement, further loans and the movements of a loan.
#pragma once

#include "core/ui/listwindow.h"
#include "debts/repayments/debtmoves.h"

#include <functional>

class QAction;
class QLabel;
class TmySQLQuery;

namespace zorva {

enum class DebtDirection { Claims, Debts };

// What the window needs of the main window.
struct DebtWindowHooks {
    // Re-reads the main window's totals after an entry was booked.
    std::function<void()> refreshTotals;
};

class Tfrm_Tartozas : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_Tartozas(DebtDirection direction, DebtWindowHooks hooks = {}, QWidget *parent = nullptr);
    ~Tfrm_Tartozas() override;

    TmySQLQuery *query() const { return m_qry; }
    DebtDirection direction() const { return m_direction; }
    QLabel *notePanel() const { return m_note; }
    // "(tartozas='I')" or "(tartozas='N')".
    QString directionCondition() const;
    // The cash types of the direction's loans and repayments (-1 when not set).
    int loanCashType() const;
    int repaymentCashType() const;
    // The labels of those settings, for the message shown when one is not set.
    QString loanSettingName() const;
    QString repaymentSettingName() const;

    // Reads the list again and moves to loan `id` (-1: stays near the current row).
    void reloadList(int id = -1);
    // The current row as a loan record (tartozik -1 on an empty list).
    DebtRecord currentDebt() const;

public slots:
    void newRow() override;   // aKolcsonad
    void editRow() override;  // loans are never edited here
    void deleteRow() override;
    void setPendingOnly(bool on);
    void repay();
    void settle();
    void lendMore();
    void showMovements();

protected:
    void openData() override;
    void deleteCurrentRow() override;

private:
    void applyFormats();
    void applyCondition();
    void showNote();
    void refreshTotals();
    // After a booking whose movement the database refused: the list and the totals show
    // the booking, then the error goes on.
    void runMovement(const std::function<bool()> &movement, bool refreshAfter);

    DebtDirection m_direction;
    DebtWindowHooks m_hooks;
    TmySQLQuery *m_qry = nullptr;
    QLabel *m_note = nullptr;
    QAction *m_aSzur = nullptr;
};

// Opens the loans window of `direction` modally; returns when it is closed.
void ShowDebtWindow(DebtDirection direction, const DebtWindowHooks &hooks = {}, QWidget *parent = nullptr);
// The main window's "Tartozik" (clients owe the user) and "Követel" (the user owes).
void ShowClaims(const DebtWindowHooks &hooks = {}, QWidget *parent = nullptr);
void ShowDebts(const DebtWindowHooks &hooks = {}, QWidget *parent = nullptr);

}  // namespace zorva
