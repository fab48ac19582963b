// The client dialog: creates one client or edits one.  The chooser of the clients opens
// it; the dialog has no list of its own.
#pragma once

#include "core/ui/editdialog.h"

#include <QString>

class QLineEdit;
class QTabWidget;
class QToolButton;

namespace zorva {

class Tfrm_TorzsUgyfel : public EditDialog {
    Q_OBJECT
public:
    // Edits the pending row of `table` (a table of ugyfel); the caller writes it.
    explicit Tfrm_TorzsUgyfel(TDataSet *table, QWidget *parent = nullptr);

    QLineEdit *nameEdit() const { return m_nev; }
    QLineEdit *contactEdit() const { return m_kapcsolat; }
    QLineEdit *phoneEdit() const { return m_telefon; }
    QLineEdit *postalCodeEdit() const { return m_irsz; }
    QLineEdit *cityEdit() const { return m_varos; }
    QLineEdit *addressEdit() const { return m_cim; }
    QLineEdit *mailEdit() const { return m_emil; }
    QLineEdit *bankAccountEdit() const { return m_bankszamla; }
    QLineEdit *debtEdit() const { return m_tartozik; }
    QToolButton *mailButton() const { return m_mail; }
    QTabWidget *pages() const { return m_pages; }

    // Leaving the postal-code box: an empty city is filled from irsz (emptied again when
    // the code is not there); a city already typed stays.
    void fillCityFromPostalCode();
    // Hands "mailto:" + the address in the box to the desktop shell.
    void sendMail();

protected:
    void loadValues() override;
    void storeValues() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *textField(const QString &objectName, int maxLength);

    QTabWidget *m_pages = nullptr;
    QLineEdit *m_nev = nullptr;
    QLineEdit *m_kapcsolat = nullptr;
    QLineEdit *m_telefon = nullptr;
    QLineEdit *m_irsz = nullptr;
    QLineEdit *m_varos = nullptr;
    QLineEdit *m_cim = nullptr;
    QLineEdit *m_emil = nullptr;
    QLineEdit *m_bankszamla = nullptr;
    QLineEdit *m_tartozik = nullptr;
    QToolButton *m_mail = nullptr;
};

// Opens the dialog for client `id` (-1: a new client).  On "OK" the row is written and
// its ugyfel returned (for a new client the key the database gave it); -1 when cancelled.
// A refused write reaches the caller as EmySQLDatabaseError.
int EditClient(int id, QWidget *parent = nullptr);

}  // namespace zorva
