// The sign-in dialog: user name and password checked against the table felhasznalo;
// a successful check sets the four rights of the run.  The user may change his own
// password here.
#pragma once

#include "db/table.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class TmySQLDatabase;

namespace zorva {

class Tfrm_Login : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Login(TmySQLDatabase &db, QWidget *parent = nullptr);

    // Opens the user table (also done when the dialog shows); database errors go to the caller.
    void openTable();

    // The check of "OK" and "Új jelszó": the row whose felhasznalo equals `user` exactly,
    // with a jelszo that is the hash of `password` (or, in an older database, `password`
    // exactly, which is then replaced by its hash).  On success the rights of beall() are set
    // from the row; otherwise "Érvénytelen felhasználó, vagy jelszó" is shown.
    bool checkUser(const QString &user, const QString &password);

    // "OK": the check; the typed name becomes UserName also when it fails; success closes
    // the dialog with OK.
    void okClicked();
    // "Új jelszó": the check, then the new password asked twice and stored.
    void newPasswordClicked();

    QLineEdit *userEdit() const { return edtFelhasznalo; }
    QLineEdit *passwordEdit() const { return edtJelszo; }
    QPushButton *okButton() const { return btnOK; }
    QPushButton *newPasswordButton() const { return btnUjJelszo; }
    QPushButton *cancelButton() const { return btnMegsem; }

    // Longest password a user may choose (the table holds its hash).
    static constexpr int MaxPasswordLength = 64;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    bool locateUser(const QString &user);
    void replaceTypedPassword(const QString &password);

    TmySQLTable Tbl;
    QLineEdit *edtFelhasznalo = nullptr;
    QLineEdit *edtJelszo = nullptr;
    QPushButton *btnUjJelszo = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnMegsem = nullptr;
};

// Opens the table and shows the dialog modally; QDialog::Accepted after a successful
// sign-in.  A database error while opening the table is thrown to the caller.
int ExecLogin(TmySQLDatabase &db, QWidget *parent = nullptr);

}  // namespace zorva
