// The cash-type rules of the statement import: a list window over table importszabaly and
// its edit dialog ("a text or counterparty containing ... gets cash type ...").
#pragma once

#include "editdialog.h"
#include "listwindow.h"
#include "query.h"
#include "table.h"

class QLineEdit;
class QSpinBox;

namespace zorva {

class LookupCombo;

class Tfrm_ImportSzabaly : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_ImportSzabaly(QWidget *parent = nullptr);
    ~Tfrm_ImportSzabaly() override;

protected:
    void openData() override;
    void closeData() override;
    std::unique_ptr<QDialog> createEditDialog(bool inserting) override;
    void prepareNewRow() override;

private:
    TmySQLQuery QryTip;
    TmySQLTable Tbl;
};

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

// Opens the rules window over the main connection.
void EditImportRules(QWidget *parent);

}  // namespace zorva
