// Income, expense and the month's net change per period over a range of periods, every
// cash box together.
#pragma once

#include "chartwindow.h"

#include <QList>
#include <QStringList>

class QBarSet;
class QLineSeries;
class TmySQLQuery;

namespace zorva {

namespace charts {
class CategoryLabels;
class ValueMarks;
}  // namespace charts

class Tfrm_chBevKiad : public ChartWindow {
    Q_OBJECT
public:
    // Reads the periods from `from` to `to` (texts yyyymm); a failing read throws and
    // no window is left.
    Tfrm_chBevKiad(const QString &from, const QString &to, QWidget *parent = nullptr);
    ~Tfrm_chBevKiad() override;

    QBarSet *incomeSet() const { return m_income; }
    QBarSet *expenseSet() const { return m_expense; }
    QLineSeries *balanceSeries() const { return m_balance; }
    QStringList periods() const;
    charts::ValueMarks *marks() const { return m_marks; }
    charts::CategoryLabels *categoryLabels() const { return m_labels; }

private:
    TmySQLQuery *m_qry = nullptr;
    QBarSet *m_income = nullptr;
    QBarSet *m_expense = nullptr;
    QLineSeries *m_balance = nullptr;
    charts::ValueMarks *m_marks = nullptr;
    charts::CategoryLabels *m_labels = nullptr;
};

// Shows the window modally; returns when it is closed.
void ShowIncomeExpenseChart(const QString &from, const QString &to, QWidget *parent = nullptr);

}  // namespace zorva
