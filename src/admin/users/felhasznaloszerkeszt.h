// The editor of one user: name, full name, the four rights and the password typed twice.
// It edits the user list's pending row; OK checks the row and writes it, a refusal keeps
// the editor open with what was typed.
#pragma once

#include "core/ui/editdialog.h"

class QCheckBox;
class QLineEdit;

namespace zorva {

class Tfrm_FelhasznaloSzerkeszt : public EditDialog {
    Q_OBJECT
public:
    // Edits the pending row of `table` (a row of felhasznalo in insert or edit state).
    explicit Tfrm_FelhasznaloSzerkeszt(TDataSet *table, QWidget *parent = nullptr);

    QLineEdit *userEdit() const { return m_user; }
    QLineEdit *fullNameEdit() const { return m_fullName; }
    QCheckBox *adminBox() const { return m_admin; }
    QCheckBox *dataEntryBox() const { return m_dataEntry; }
    QCheckBox *mayEditBox() const { return m_mayEdit; }
    QCheckBox *mayDeleteBox() const { return m_mayDelete; }
    QLineEdit *passwordEdit() const { return m_password; }
    QLineEdit *repeatEdit() const { return m_repeat; }

public slots:
    // The checks of the row, then the write; a refused row keeps the editor open.
    void accept() override;

protected:
    void loadValues() override;
    void storeValues() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QCheckBox *addRight(const QString &caption, const char *objectName);
    // Shows `text`, puts the focus into `field` and selects its text.
    void refuse(const QString &text, QLineEdit *field);

    QLineEdit *m_user = nullptr;
    QLineEdit *m_fullName = nullptr;
    QCheckBox *m_admin = nullptr;
    QCheckBox *m_dataEntry = nullptr;
    QCheckBox *m_mayEdit = nullptr;
    QCheckBox *m_mayDelete = nullptr;
    QLineEdit *m_password = nullptr;
    QLineEdit *m_repeat = nullptr;
    QString m_storedUser;      // the row's name as the server holds it; empty for a new row
    bool m_inserting = false;  // a new row: it needs a password
};

}  // namespace zorva
