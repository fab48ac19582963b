#include "chcsekkmegoszlas.h"

#include "chartparts.h"
#include "core/dbhelpers/mainconnection.h"
#include "db/field.h"
#include "db/query.h"

#include <QChart>
#include <QPieSeries>

namespace zorva {

Tfrm_chCsekkMegoszlas::Tfrm_chCsekkMegoszlas(const QString &from, const QString &to, QWidget *parent)
    : ChartWindow(QStringLiteral("frm_chCsekkMegoszlas"), QStringLiteral("Megoszlás csekk típusonként"),
                  Buttons::RightPanel, parent)
{
    m_qry = new TmySQLQuery(&mainConnection(), this);
    m_qry->setObjectName(QStringLiteral("Qry"));
    m_qry->setSQL(QStringList{
        QStringLiteral("SELECT csekkfizet.csekk, csekk.csekk_nev, SUM(csekkfizet.osszeg) AS kiadas"),
        QStringLiteral("FROM csekkfizet INNER JOIN csekk ON (csekkfizet.csekk = csekk.csekk)"),
        QStringLiteral("WHERE (csekkfizet.idoszak BETWEEN :pido1 AND :pido2)"),
        QStringLiteral("GROUP BY csekkfizet.csekk, csekk.csekk_nev"), QStringLiteral("ORDER BY 1;")});
    m_qry->paramByName(QStringLiteral("pido1")).setAsString(from);
    m_qry->paramByName(QStringLiteral("pido2")).setAsString(to);
    m_qry->open();

    QList<double> sums;
    TField &nev = m_qry->fieldByName(QStringLiteral("csekk_nev"));
    TField &kiadas = m_qry->fieldByName(QStringLiteral("kiadas"));
    for (m_qry->first(); !m_qry->eof(); m_qry->next()) {
        m_names << nev.asString();
        sums << kiadas.asFloat();
    }
    m_pie = new QPieSeries;
    chart()->addSeries(m_pie);
    chart()->setBackgroundRoundness(0);
    chart()->setBackgroundPen(Qt::NoPen);
    chartView()->setZoomable(false);
    charts::fillPie(chart(), m_pie, m_names, sums, charts::chartRed());
    charts::keepPieBesideLegend(chart(), m_pie);
}

Tfrm_chCsekkMegoszlas::~Tfrm_chCsekkMegoszlas()
{
    m_qry->close();
}

void ShowBillTypeChart(const QString &from, const QString &to, QWidget *parent)
{
    Tfrm_chCsekkMegoszlas w(from, to, parent);
    w.exec();
}

}  // namespace zorva
