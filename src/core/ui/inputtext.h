// A small generated dialog that asks for one text.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorva {

// round(a * b / c), halves away from zero, as the dialog-unit conversions need.
int MulDiv(int a, int b, int c);

// Edit masks written as "mask;keep-literals;blank" (for example "0000.00;0;_": four
// digits, a dot, two digits, the dot not kept in the value, "_" for empty places).
// The Qt input mask of such a mask:
QString qtInputMask(const QString &editMask);
// The value of a masked field's text: without the literal characters when the mask
// says they are not kept, without blanks, trimmed.
QString maskedValue(const QString &editMask, const QString &text);

// The dialog of InputText, laid out in dialog units: hu is the average width of the
// letters A-Z a-z in the dialog font, vu the font's height.
class InputTextDialog : public QDialog {
    Q_OBJECT
public:
    InputTextDialog(const QString &caption, const QString &prompt, const QString &mask, const QString &value,
                    QWidget *parent = nullptr);

    QString value() const;
    int horizontalUnit() const { return m_hu; }
    int verticalUnit() const { return m_vu; }
    QLabel *promptLabel() const { return m_prompt; }
    QLineEdit *edit() const { return m_edit; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QString m_mask;
    int m_hu = 0;
    int m_vu = 0;
    QLabel *m_prompt = nullptr;
    QLineEdit *m_edit = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

// Shows the dialog; true and the new value in `value` when the user pressed "OK".
bool InputText(const QString &caption, const QString &prompt, const QString &mask, QString &value,
               QWidget *parent = nullptr);

// --- test hooks (test mode as for message boxes): a queued answer is used instead of the
// dialog; without one a test run cancels.
void setNextInputText(const QString &value);
void setNextInputCancel();
void clearInputTexts();

}  // namespace zorva
