// One red bar series of amounts per period with value marks, as the bill payments
// chart and the cash-flow browser draw it; it can be filled again.
#pragma once

#include <QList>
#include <QStringList>

class QBarSeries;
class QBarSet;
class QChart;
class QValueAxis;

namespace zorva::charts {

class CategoryLabels;
class ValueMarks;

class PeriodBars {
public:
    // Adds the series, titled `title`, and its axes to `chart`; `listed` says whether
    // the legend shows it.
    PeriodBars(QChart *chart, const QString &title, bool listed);
    void setData(const QStringList &periods, const QList<double> &values);
    void clear() { setData({}, {}); }

    QBarSet *set() const { return m_set; }
    QStringList periods() const;
    ValueMarks *marks() const { return m_marks; }
    CategoryLabels *categoryLabels() const { return m_labels; }

private:
    QChart *m_chart;
    QBarSeries *m_series = nullptr;
    QBarSet *m_set = nullptr;
    QValueAxis *m_amounts = nullptr;
    CategoryLabels *m_labels = nullptr;
    ValueMarks *m_marks = nullptr;
};

}  // namespace zorva::charts
