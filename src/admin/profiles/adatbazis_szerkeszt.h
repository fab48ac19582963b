// The editor of one connection profile of the profile list: display name, server, account,
// password (hidden unless its button shows it), database and port.  It edits the list's
// pending row; OK writes the row into the list.
#pragma once

#include "core/ui/editdialog.h"

class QLineEdit;
class QToolButton;

namespace zorva {

class Tfrm_Adatbazis_Szerkeszt : public EditDialog {
    Q_OBJECT
public:
    explicit Tfrm_Adatbazis_Szerkeszt(TDataSet *list, QWidget *parent = nullptr);

    QLineEdit *nameEdit() const { return m_name; }
    QLineEdit *hostEdit() const { return m_host; }
    QLineEdit *userEdit() const { return m_user; }
    QLineEdit *passwordEdit() const { return m_password; }
    QLineEdit *databaseEdit() const { return m_database; }
    QLineEdit *portEdit() const { return m_port; }
    QToolButton *showPasswordButton() const { return m_showPassword; }

protected:
    void loadValues() override;
    bool checkValues(QString *reason) override;
    // The texts go to the settings file, not the database: checkValues judges them.
    QString unstorableReason(const QString &, const QString &) const override { return {}; }
    void storeValues() override;
    void showEvent(QShowEvent *event) override;

private:
    void togglePassword();

    QLineEdit *m_name = nullptr;
    QLineEdit *m_host = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QToolButton *m_showPassword = nullptr;
    QLineEdit *m_database = nullptr;
    QLineEdit *m_port = nullptr;
};

}  // namespace zorva
