// The edit dialog of a fixed item: its cash type and client (drop-down lists with a
// chooser button each), its amount and its text.  OK writes the row.
#pragma once

#include "core/ui/editdialog.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zorva {

class LookupCombo;

class Tfrm_Torzsfix_Szerkeszt : public EditDialog {
    Q_OBJECT
public:
    // Edits the pending row of `table` (a row of fix in insert or edit state); the
    // drop-down lists show the rows of `types` (kasszatip, kasszatip_nev) and `clients`
    // (ugyfel, ugyfel_nev), both open.
    Tfrm_Torzsfix_Szerkeszt(TDataSet *table, TDataSet *types, TDataSet *clients, QWidget *parent = nullptr);

    LookupCombo *typeCombo() const { return m_type; }
    QLineEdit *amountEdit() const { return m_amount; }
    LookupCombo *clientCombo() const { return m_client; }
    QPlainTextEdit *textEdit() const { return m_text; }
    QPushButton *typeButton() const { return m_typeButton; }
    QPushButton *clientButton() const { return m_clientButton; }

    // The buttons' choosers: the cash types window and the client list in choice mode,
    // started on the chosen key.  The lists are read again afterwards, since a chooser
    // may have added or renamed rows.
    void chooseType();
    void chooseClient();

signals:
    // The cash types or the clients were read again.
    void lookupsReread();

protected:
    void loadValues() override;
    bool checkValues(QString *reason) override;
    void storeValues() override;

private:
    void reread(TDataSet *lookup);

    TDataSet *m_types;
    TDataSet *m_clients;
    LookupCombo *m_type = nullptr;
    QLineEdit *m_amount = nullptr;
    LookupCombo *m_client = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QString m_loadedText;  // the row's text as stored
    QPushButton *m_typeButton = nullptr;
    QPushButton *m_clientButton = nullptr;
};

}  // namespace zorva
