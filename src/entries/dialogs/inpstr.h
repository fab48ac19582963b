// The one-line text dialog, with an optional edit mask ("0000.00;0;_" for a period).
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorva {

class Tfrm_InpStr : public QDialog {
    Q_OBJECT
public:
    // maxLength -1: no limit of its own.
    Tfrm_InpStr(const QString &caption, const QString &prompt, const QString &mask, int maxLength,
                const QString &value, QWidget *parent = nullptr);

    // The field's text; with a mask that does not keep its literals, without them
    // ("2013.02" in a period field gives "201302").
    QString value() const;

    QLabel *promptLabel() const { return m_prompt; }
    QLineEdit *edit() const { return m_edit; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_mask;
    QLabel *m_prompt = nullptr;
    QLineEdit *m_edit = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

// True and the new value on "OK".
bool AskText(const QString &caption, const QString &prompt, const QString &mask, int maxLength,
             QString &value, QWidget *parent = nullptr);

}  // namespace zorva
