// The bill payments of a range of periods, summed per period.
#pragma once

#include "chartwindow.h"

#include <memory>

class TmySQLQuery;

namespace zorva {

namespace charts {
class PeriodBars;
}

class Tfrm_chCsekkIdoszak : public ChartWindow {
    Q_OBJECT
public:
    Tfrm_chCsekkIdoszak(const QString &from, const QString &to, QWidget *parent = nullptr);
    ~Tfrm_chCsekkIdoszak() override;

    charts::PeriodBars &bars() const { return *m_bars; }

private:
    TmySQLQuery *m_qry = nullptr;
    std::unique_ptr<charts::PeriodBars> m_bars;
};

void ShowBillPaymentChart(const QString &from, const QString &to, QWidget *parent = nullptr);

}  // namespace zorva
