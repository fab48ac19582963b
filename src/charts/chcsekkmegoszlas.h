// The distribution of the bill payments of a range of periods over the bill types, as
// a pie; every payment counts, paid or not.
#pragma once

#include "chartwindow.h"

#include <QStringList>

class QPieSeries;
class TmySQLQuery;

namespace zorva {

class Tfrm_chCsekkMegoszlas : public ChartWindow {
    Q_OBJECT
public:
    Tfrm_chCsekkMegoszlas(const QString &from, const QString &to, QWidget *parent = nullptr);
    ~Tfrm_chCsekkMegoszlas() override;

    QPieSeries *pie() const { return m_pie; }
    QStringList names() const { return m_names; }

private:
    TmySQLQuery *m_qry = nullptr;
    QPieSeries *m_pie = nullptr;
    QStringList m_names;
};

void ShowBillTypeChart(const QString &from, const QString &to, QWidget *parent = nullptr);

}  // namespace zorva
