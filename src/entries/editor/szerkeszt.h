// The entry editor "Kassza tétel Szerkesztés": date, amount and text of one cash-book
// entry, with its cash type and client, held in a one-row in-memory buffer until "OK"
// hands them to the database's procedures.  EditEntry runs the whole flow.
#pragma once

#include "db/memtable.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zorva {

// Edits the entry `id` of the current cash box, or books a new one when id is -1:
// first the cash type, then the client is chosen (cancelling either opens nothing),
// then the editor shows.  Returns the entry's hid (the new one's for a new entry), or
// -1 when the user cancelled at any step or the entry no longer exists.
int EditEntry(int id, QWidget *parent = nullptr);

class Tfrm_Szerkeszt : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Szerkeszt(QWidget *parent = nullptr);
    ~Tfrm_Szerkeszt() override;

    // Fills the buffer with a new entry of the current cash box, dated today.
    void openNew(int kasszatip, int ugyfel);
    // Reads the entry into the buffer, amount without sign; the date cannot be changed.
    // False (after telling the user) when there is no entry with that hid.
    bool openExisting(int hid);

    bool isNewEntry() const { return m_hid == -1; }
    // After "OK": the hid of the entry written (a new entry's own hid).
    int resultId() const { return m_resultId; }

    // "OK": checks the amount and the text; a refused value is explained and the window
    // stays open with what was typed.  Otherwise the buffer is posted and the entry
    // written; a failing call is shown and the window stays open too.
    void okClicked();
    // The choosers, with the buffer's current value preselected.
    void cashTypeClicked();
    void clientClicked();

    // The typed amount; false for a text that is no number.
    static bool amountFromText(const QString &text, double *amount);

    TkbmMemTable &buffer() { return Tbl; }
    QDateEdit *dateEdit() const { return edtDatum; }
    QLineEdit *amountEdit() const { return edtOsszeg; }
    QLineEdit *textEdit() const { return edtSzoveg; }
    QLineEdit *cashTypeName() const { return edtKasszatip; }
    QLineEdit *clientName() const { return edtUgyfel; }
    QPushButton *okButton() const { return btnOK; }
    QPushButton *cancelButton() const { return btnMegsem; }
    QPushButton *cashTypeButton() const { return btnKasszatip; }
    QPushButton *clientButton() const { return btnUgyfel; }

    static constexpr int MaxTextLength = 255;

protected:
    void showEvent(QShowEvent *event) override;
    void done(int r) override;

private:
    void defineBuffer();
    void showBuffer();
    void showNames();
    bool checkInput(double *amount);
    void writeEntry(double amount);

    TkbmMemTable Tbl;
    int m_hid = -1;
    int m_resultId = -1;
    QDateEdit *edtDatum = nullptr;
    QLineEdit *edtOsszeg = nullptr;
    QLineEdit *edtSzoveg = nullptr;
    QLineEdit *edtKasszatip = nullptr;
    QLineEdit *edtUgyfel = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnMegsem = nullptr;
    QPushButton *btnKasszatip = nullptr;
    QPushButton *btnUgyfel = nullptr;
};

}  // namespace zorva
