// One cash-type rule of the statement import: the text to look for, the cash type it
// gives, and its place among the rules.
#pragma once

#include "core/ui/editdialog.h"
#include "db/dataset.h"

class QLineEdit;
class QSpinBox;

namespace zorva {

class LookupCombo;

class Tfrm_ImportSzabaly_Szerkeszt : public EditDialog {
    Q_OBJECT
public:
    Tfrm_ImportSzabaly_Szerkeszt(TDataSet *table, TDataSet *types, QWidget *parent = nullptr);
    QLineEdit *patternEdit() const { return m_pattern; }
    LookupCombo *typeCombo() const { return m_type; }
    QSpinBox *orderEdit() const { return m_order; }

protected:
    void loadValues() override;
    bool checkValues(QString *reason) override;
    void storeValues() override;

private:
    QLineEdit *m_pattern = nullptr;
    LookupCombo *m_type = nullptr;
    QSpinBox *m_order = nullptr;
};

}  // namespace zorva
