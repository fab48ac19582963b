// The settings window: the workstation's settings of the settings file and the
// database-wide row of the table beallit (sign-in, the cash types of loans and bills).
#pragma once

#include "db/table.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace zorva {

class Tfrm_Beallit : public QDialog {
    Q_OBJECT
public:
    // The five cash-type columns of beallit, in the order of their rows on the window.
    static constexpr int CashTypeRows = 5;
    static const std::array<const char *, CashTypeRows> &cashTypeColumns();
    // The window text of each cash-type row, as the windows that need it name it.
    static QString cashTypeLabel(int row);
    static int rowOfColumn(const QString &column);

    explicit Tfrm_Beallit(QWidget *parent = nullptr);
    ~Tfrm_Beallit() override;

    // Opens the row of beallit and shows its values and those of TBeall.
    void openSettings();

    QCheckBox *fullScreenBox() const { return chkFullScreen; }
    QCheckBox *loginBox() const { return chkVanbelep; }
    QCheckBox *lookForBox() const { return chkLookFor; }
    QLineEdit *htmlPathEdit() const { return edtHtmlPath; }
    QToolButton *folderButton() const { return btnFolder; }
    QLineEdit *cashTypeEdit(int row) const { return m_typeEdits.at(size_t(row)); }
    QToolButton *cashTypeButton(int row) const { return m_typeButtons.at(size_t(row)); }
    QPushButton *okButton() const { return btnOK; }
    QPushButton *cancelButton() const { return btnMegsem; }
    TmySQLTable &table() { return Tbl; }

    // "Belépésnél jelszót kér" needs a user who can sign in with every right: someone
    // with the rendszergazda right and a password.  Empty when there is one, otherwise
    // why the sign-in cannot be switched on.
    static QString signInProblem();

public slots:
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void chooseCashType(int row);
    void chooseFolder();
    void showCashType(int row);

    TmySQLTable Tbl;
    QCheckBox *chkFullScreen = nullptr;
    QCheckBox *chkVanbelep = nullptr;
    QCheckBox *chkLookFor = nullptr;
    QLineEdit *edtHtmlPath = nullptr;
    QToolButton *btnFolder = nullptr;
    std::array<QLineEdit *, CashTypeRows> m_typeEdits{};
    std::array<QToolButton *, CashTypeRows> m_typeButtons{};
    QPushButton *btnOK = nullptr;
    QPushButton *btnMegsem = nullptr;
    bool m_placed = false;
};

// Shows the settings window modally over `parent`; when it has closed, however it
// closed, the row of beallit is read again into beall().
void ShowSettings(QWidget *parent = nullptr);

// The check of the windows that book with a cash-type setting: true when `kasszatip` is
// set.  Otherwise it says which setting is missing and offers to open "Beállítások"
// (with the rendszergazda right); the action is refused either way, so false.
bool CashTypeSettingReady(int kasszatip, const QString &settingName, QWidget *parent = nullptr);

}  // namespace zorva
