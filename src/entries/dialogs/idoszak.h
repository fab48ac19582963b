// The date range dialog: two date pickers and five buttons for the usual intervals.
#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

#include <utility>

class QDateEdit;
class QPushButton;

namespace zorva {

enum class DateInterval { Today, ThisWeek, ThisMonth, LastMonth, ThisYear };

// First and last day of an interval around `today`; weeks run from Monday to Sunday
// (ISO-8601).
std::pair<QDate, QDate> intervalDates(DateInterval interval, const QDate &today);

class Tfrm_Idoszak : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Idoszak(const QString &caption = QString(), QWidget *parent = nullptr);

    void setDates(const QDate &from, const QDate &to);
    QDate fromDate() const;
    QDate toDate() const;

    QDateEdit *fromEdit() const { return m_from; }
    QDateEdit *toEdit() const { return m_to; }
    QPushButton *intervalButton(DateInterval interval) const;
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    void done(int result) override;

private:
    void setInterval(DateInterval interval);

    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QPushButton *m_buttons[5] = {};
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

// Caption "Időszak megadása" unless one is given; from and to preset the pickers and
// receive the chosen dates on "OK" (a start after the end is left as it is).
bool AskDateRange(QDate &from, QDate &to, const QString &caption = QString(), QWidget *parent = nullptr);

}  // namespace zorva
