// The distribution of income (sign 1) or of expense (sign -1) over the cash types in a
// range of periods, every cash box together, as a pie.
#pragma once

#include "chartwindow.h"

#include <QList>
#include <QStringList>

class QPieSeries;
class TmySQLQuery;

namespace zorva {

class Tfrm_chMegoszlas : public ChartWindow {
    Q_OBJECT
public:
    Tfrm_chMegoszlas(const QString &from, const QString &to, int sign, QWidget *parent = nullptr);
    ~Tfrm_chMegoszlas() override;

    // The pie kept for the sign; the other one is gone.
    QPieSeries *pie() const { return m_pie; }
    QStringList names() const { return m_names; }

private:
    TmySQLQuery *m_qry = nullptr;
    QPieSeries *m_pie = nullptr;
    QStringList m_names;
};

void ShowDistributionChart(const QString &from, const QString &to, int sign, QWidget *parent = nullptr);

}  // namespace zorva
