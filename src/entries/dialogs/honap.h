// The month range dialog: two periods picked from those the cash book holds, or typed.
#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QPushButton;

namespace zorva {

class Tfrm_Honap : public QDialog {
    Q_OBJECT
public:
    // Reads the periods of the cash book on the main connection.
    explicit Tfrm_Honap(QWidget *parent = nullptr);

    QString fromPeriod() const;
    QString toPeriod() const;

    QComboBox *fromCombo() const { return m_from; }
    QComboBox *toCombo() const { return m_to; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QComboBox *m_from = nullptr;
    QComboBox *m_to = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

// True and the two texts of the boxes, unchecked, on "OK".
bool AskMonthRange(QString &from, QString &to, QWidget *parent = nullptr);

}  // namespace zorva
