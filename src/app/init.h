// The connection dialog: the data of a new database profile, with a connection test
// that must succeed before "Rendben" can be pressed.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zorva {

class Tfrm_Init : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Init(QWidget *parent = nullptr);

    // database;host;port;user;password;display name of the fields.
    QString conStr() const;

    // "Kapcsolat tesztelése": opens a separate connection on the fields; success enables
    // "Rendben" and gives it the focus, a failure shows "Hiba: " + the server's message.
    bool testConnection();
    // "Rendben" and Ctrl+Enter: a valid port is required; the profile is written,
    // scrambled, as ConStr1 of the settings file and the dialog closes with OK.
    void accept() override;

    QLineEdit *hostEdit() const { return edtHost; }
    QLineEdit *userEdit() const { return edtUser; }
    QLineEdit *passwordEdit() const { return edtPassword; }
    QLineEdit *databaseEdit() const { return edtDatabase; }
    QLineEdit *nameEdit() const { return edtName; }
    QLineEdit *portEdit() const { return edtPort; }
    QPushButton *testButton() const { return btnTest; }
    QPushButton *okButton() const { return btnOK; }
    QPushButton *cancelButton() const { return btnCancel; }

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    bool checkPort(int &port);

    QLineEdit *edtHost = nullptr;
    QLineEdit *edtUser = nullptr;
    QLineEdit *edtPassword = nullptr;
    QLineEdit *edtDatabase = nullptr;
    QLineEdit *edtName = nullptr;
    QLineEdit *edtPort = nullptr;
    QPushButton *btnTest = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
};

// Shows the connection dialog; true when a new profile was accepted: ConStr of beall()
// holds it and the settings file holds it as ConStr1.
bool OpenConnectionDialog(QWidget *parent = nullptr);

}  // namespace zorva
