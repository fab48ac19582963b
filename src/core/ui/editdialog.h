// The edit dialog of the list windows: a fixed-size modal dialog with "OK" and "Mégsem".
// It takes its position from the settings file and the font size when it shows, stores
// the position when it closes, starts the focus in its first field, moves on with Enter
// and paints the focused field light blue.
//
// Two ways of writing: with OkWrites "OK" stores the fields into the dataset's pending
// row and posts it; a refusal shows "Hiányos, vagy hibás adatmegadás" and the reason and
// keeps the dialog open with what the user typed.  With CallerWrites "OK" only checks
// and closes; the dialog's open operation writes.  "Mégsem" (and Esc) cancels the
// dataset's pending row.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

class QDateEdit;
class QFont;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class TDataSet;

namespace zorva {

class EditDialog : public QDialog {
    Q_OBJECT
public:
    enum WriteMode { OkWrites, CallerWrites };

    // `objectName` names the settings-file section of the dialog's position.
    EditDialog(const QString &objectName, const QString &caption, WriteMode mode, QWidget *parent = nullptr,
               bool ctrlEnterAccepts = false);
    ~EditDialog() override;

    WriteMode writeMode() const { return m_mode; }
    // The row the dialog edits (the list's pending row).
    void setDataSet(TDataSet *dataSet);
    TDataSet *dataSet() const;

    // The fields: a label above each control, in tab order.  The label is returned.
    QLabel *addField(const QString &label, QWidget *field);
    void addWidget(QWidget *widget);
    QVBoxLayout *fieldLayout() const { return m_fields; }
    void setFirstFocus(QWidget *field) { m_firstFocus = field; }
    QWidget *firstFocus() const { return m_firstFocus; }

    // The controls the dialogs share, each a child of the dialog, named `objectName`.
    // An amount: bold, right-aligned, `width` pixels wide.
    QLineEdit *amountBox(const QString &objectName, int width);
    // A value shown but not typed: read-only, skipped by Tab.
    QLineEdit *readOnlyBox(const QString &objectName, int width);
    // A date with a calendar pop-up, shown as "yyyy.MM.dd.".
    QDateEdit *datePicker(const QString &objectName);
    // The bold 15-pixel Arial of a dialog's main field (a name or an amount).
    static QFont emphasisFont();

    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    // "Hiányos, vagy hibás adatmegadás" + CR LF + reason.
    static QString refusalText(const QString &reason);
    // For "the caller writes": writes the pending row of `table`; when the database refuses
    // it, the row is cancelled and the error travels on.
    static void postPending(TDataSet &table);

    // Fills the controls from the row (also done once when the dialog first shows).
    void load();

public slots:
    void accept() override;
    void reject() override;

protected:
    // The row's values into the controls.
    virtual void loadValues() {}
    // Checks the typed values before anything is stored; false with a reason refuses OK.
    virtual bool checkValues(QString *reason);
    // The reason a typed text cannot be stored as it is (empty when it can): by default the
    // characters the main connection's character set has no place for, which the server
    // would keep as "?".  Every text field of the dialog is checked after checkValues.
    virtual QString unstorableReason(const QString &label, const QString &text) const;
    // The controls into the dataset's pending row; may throw EmySQLDatabaseError.
    virtual void storeValues() {}
    // Writes the row (OkWrites); by default the dataset's post.
    virtual void writeRow();

    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    bool textsStorable();

    WriteMode m_mode;
    QPointer<TDataSet> m_ds;
    QVBoxLayout *m_fields = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QPointer<QWidget> m_firstFocus;
    bool m_loaded = false;
    bool m_placed = false;
};

}  // namespace zorva
