// The edit dialog of a bill type: name, active flag, due day, usual amount and payee.
// The dialog's open operation writes the row.
#pragma once

#include "core/ui/editdialog.h"

class QCheckBox;
class QLineEdit;
class QToolButton;

namespace zorva {

class Tfrm_TorzsCsekk_Szerkeszt : public EditDialog {
    Q_OBJECT
public:
    // Edits the pending row of `table` (a row of csekk in insert or edit state).
    explicit Tfrm_TorzsCsekk_Szerkeszt(TDataSet *table, QWidget *parent = nullptr);

    QLineEdit *nameEdit() const { return m_name; }
    QCheckBox *activeBox() const { return m_active; }
    QLineEdit *dayEdit() const { return m_day; }
    QLineEdit *amountEdit() const { return m_amount; }
    QLineEdit *clientEdit() const { return m_client; }
    QToolButton *clientButton() const { return m_clientButton; }
    int clientKey() const { return m_ugyfel; }

    // The payee through the client chooser; the focus then moves to "OK".
    void chooseClient();

protected:
    void loadValues() override;
    bool checkValues(QString *reason) override;
    void storeValues() override;

private:
    QLineEdit *m_name = nullptr;
    QCheckBox *m_active = nullptr;
    QLineEdit *m_day = nullptr;
    QLineEdit *m_amount = nullptr;
    QLineEdit *m_client = nullptr;
    QToolButton *m_clientButton = nullptr;
    int m_ugyfel = 0;  // 0: no payee
};

// Opens the dialog for bill type `id` (-1: a new, active type due on day 1 with amount
// 0 and no payee).  After "OK" the row is written and its csekk returned (for a new type
// the key the database gave it); -1 after "Mégsem".  A refused write reaches the caller
// as EmySQLDatabaseError and nothing is saved.
int EditCsekk(int id, QWidget *parent = nullptr);

}  // namespace zorva
