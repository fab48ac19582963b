// The edit dialog of a cash box: its name and the number of decimals its amounts show.
// OK writes the row.
#pragma once

#include "core/ui/editdialog.h"

class QLineEdit;

namespace zorva {

class Tfrm_TorzsKassza_Szerkeszt : public EditDialog {
    Q_OBJECT
public:
    // Edits the pending row of `table` (a row of kassza in insert or edit state).
    explicit Tfrm_TorzsKassza_Szerkeszt(TDataSet *table, QWidget *parent = nullptr);

    QLineEdit *nameEdit() const { return m_name; }
    QLineEdit *decimalsEdit() const { return m_decimals; }

protected:
    void loadValues() override;
    void storeValues() override;

private:
    QLineEdit *m_name = nullptr;
    QLineEdit *m_decimals = nullptr;
};

}  // namespace zorva
