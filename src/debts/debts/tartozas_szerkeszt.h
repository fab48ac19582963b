// The new-loan dialog: amount, date, due date and remark of one row of tartozik; the
// client is chosen before and shown read-only, the repaid and remaining amounts are shown
// as the database keeps them.
#pragma once

#include "core/ui/editdialog.h"

#include <QDate>

class QDateEdit;
class QLineEdit;

namespace zorva {

class Tfrm_Tartozas_Szerkeszt : public EditDialog {
    Q_OBJECT
public:
    // Edits the pending row of `table` (a row of tartozik in insert or edit state).
    explicit Tfrm_Tartozas_Szerkeszt(TDataSet *table, QWidget *parent = nullptr);

    QLineEdit *clientEdit() const { return m_client; }
    QLineEdit *amountEdit() const { return m_amount; }
    QDateEdit *dateEdit() const { return m_date; }
    QDateEdit *dueDateEdit() const { return m_due; }
    QLineEdit *noteEdit() const { return m_note; }
    QLineEdit *settledEdit() const { return m_settled; }
    QLineEdit *repaidEdit() const { return m_repaid; }
    QLineEdit *remainingEdit() const { return m_remaining; }

    // The amount typed (0 when empty or no number).
    double amount() const;

public slots:
    // An amount of 0 is refused with "Nincs összeg megadva"; the dialog stays open.
    void accept() override;

protected:
    void loadValues() override;
    bool checkValues(QString *reason) override;
    void storeValues() override;

private:
    QLineEdit *m_client = nullptr;
    QLineEdit *m_amount = nullptr;
    QDateEdit *m_date = nullptr;
    QDateEdit *m_due = nullptr;
    QLineEdit *m_note = nullptr;
    QLineEdit *m_settled = nullptr;
    QLineEdit *m_repaid = nullptr;
    QLineEdit *m_remaining = nullptr;
};

// The due date of a loan made on `date`: the same day a month later, or the last day of
// that month when it is shorter.
QDate DueDateOfLoan(const QDate &date);

// Opens the dialog on loan `id`, or for -1 on a new unsettled loan to client `ugyfel` in
// the given direction (claim: the client owes the user), dated today and due a month
// later.  After "OK" the row is written with marad = osszeg and its tartozik returned;
// after "Mégsem" nothing is written and -1 returned.  A refused write reaches the caller
// as EmySQLDatabaseError.
int EditTartozas(int id, int ugyfel, bool claim, QWidget *parent = nullptr);

}  // namespace zorva
