// The dialog that asks for an amount and a remark (repayments, further loans).
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace zorva {

// A character that may be typed into an amount field: a digit, ",", "-" or ".".
bool isAmountChar(QChar c);
// The amount text in the locale's shortest form, without grouping (1234.5 -> "1234,5" on a
// decimal-comma locale).
QString amountText(double amount);
// Whether the text, spaces removed, is a number in the locale's form.
bool isLocaleNumber(const QString &text);

class Tfrm_InpSzamSzoveg : public QDialog {
    Q_OBJECT
public:
    Tfrm_InpSzamSzoveg(const QString &caption, const QString &amountPrompt, double amount,
                       const QString &textPrompt, const QString &text, QWidget *parent = nullptr);

    // ParseAmount of the amount text without spaces (0 when it is no number).
    double amount() const;
    QString text() const;

    QLineEdit *amountEdit() const { return m_amount; }
    QLineEdit *textEdit() const { return m_text; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // "OK": a text that is no number is refused and the focus goes back to the field.
    void checkAndAccept();

    QLineEdit *m_amount = nullptr;
    QLineEdit *m_text = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

// True, the amount and the text when accepted: "OK" checks the amount, Ctrl+Enter accepts
// without the check.
bool AskAmountAndText(const QString &caption, const QString &amountPrompt, double &amount,
                      const QString &textPrompt, QString &text, QWidget *parent = nullptr);

}  // namespace zorva
