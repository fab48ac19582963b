// The edit dialog of a cash type: its name, income or expense, and its row colour.
// OK writes the row.
#pragma once

#include "core/ui/editdialog.h"

class QLineEdit;
class QRadioButton;

namespace zorva {

class ColourSample;

class Tfrm_TorzsKasszaTip_Szerkeszt : public EditDialog {
    Q_OBJECT
public:
    // Edits the pending row of `table` (a row of kasszatip in insert or edit state).
    explicit Tfrm_TorzsKasszaTip_Szerkeszt(TDataSet *table, QWidget *parent = nullptr);

    QLineEdit *nameEdit() const { return m_name; }
    QRadioButton *expenseButton() const { return m_expense; }
    QRadioButton *incomeButton() const { return m_income; }
    ColourSample *colourSample() const { return m_sample; }

protected:
    void loadValues() override;
    void storeValues() override;

private:
    QLineEdit *m_name = nullptr;
    QRadioButton *m_expense = nullptr;
    QRadioButton *m_income = nullptr;
    ColourSample *m_sample = nullptr;
};

}  // namespace zorva
