#include "periodbars.h"

#include "chartparts.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>

namespace zorva::charts {

PeriodBars::PeriodBars(QChart *chart, const QString &title, bool listed) : m_chart(chart)
{
    m_series = new QBarSeries;
    m_series->setBarWidth(0.6);
    m_set = new QBarSet(title);
    m_set->setColor(chartRed());
    m_series->append(m_set);
    chart->addSeries(m_series);
    auto *categories = new QBarCategoryAxis;
    chart->addAxis(categories, Qt::AlignBottom);
    m_amounts = amountAxis({});
    chart->addAxis(m_amounts, Qt::AlignLeft);
    m_series->attachAxis(categories);
    m_series->attachAxis(m_amounts);
    m_labels = new CategoryLabels(chart, categories, {});
    if (!listed)
        chart->legend()->hide();
    else
        chart->legend()->setAlignment(Qt::AlignBottom);
    m_marks = new ValueMarks(chart, m_series, m_series->barWidth());
}

void PeriodBars::setData(const QStringList &periods, const QList<double> &values)
{
    m_chart->zoomReset();
    m_set->remove(0, m_set->count());
    m_set->append(values);
    m_labels->setCategories(periods);
    setAmountRange(m_amounts, values);
    m_marks->setMarks(barMarks(values, 0, 1, m_series->barWidth()));
}

QStringList PeriodBars::periods() const
{
    return m_labels->categories();
}

}  // namespace zorva::charts
