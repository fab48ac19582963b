// The edit dialog of one bill payment: period, due date and amount.  The period always
// follows the due date when the row is written.
#pragma once

#include "core/ui/editdialog.h"

#include <QDate>

class QDateEdit;
class QLineEdit;

namespace zorva {

struct TCsekk;

class Tfrm_CsekkFizet_Szerkeszt : public EditDialog {
    Q_OBJECT
public:
    // Edits the pending row of `table` (a row of csekkfizet in insert or edit state).
    explicit Tfrm_CsekkFizet_Szerkeszt(TDataSet *table, QWidget *parent = nullptr);

    QLineEdit *periodEdit() const { return m_period; }
    QDateEdit *dueDateEdit() const { return m_due; }
    QLineEdit *amountEdit() const { return m_amount; }

    // The picker's date; the picker is not bound to the row.
    void setDueDate(const QDate &date);
    QDate dueDate() const;

protected:
    void loadValues() override;
    bool checkValues(QString *reason) override;
    void storeValues() override;

private:
    QLineEdit *m_period = nullptr;
    QDateEdit *m_due = nullptr;
    QLineEdit *m_amount = nullptr;
};

// Opens the dialog on payment `id`, or for -1 on a new unpaid payment of bill type
// `type` (its amount and payee, due today, in this month).  After "OK" the row is written
// with dat_hatid from the picker and idoszak that date's month; returns its csekkfizet
// (for a new payment the key the database gave it), or -1 after "Mégsem".  A refused
// write reaches the caller as EmySQLDatabaseError and nothing is saved.
int EditCsekkFizet(int id, const TCsekk *type, QWidget *parent = nullptr);

}  // namespace zorva
