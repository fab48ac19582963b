#include "chcsekkidoszak.h"

#include "periodbars.h"
#include "core/dbhelpers/mainconnection.h"
#include "db/field.h"
#include "db/query.h"

namespace zorva {

Tfrm_chCsekkIdoszak::Tfrm_chCsekkIdoszak(const QString &from, const QString &to, QWidget *parent)
    : ChartWindow(QStringLiteral("frm_chCsekkIdoszak"), QStringLiteral("Csekk befizetések"),
                  Buttons::RightPanel, parent)
{
    m_qry = new TmySQLQuery(&mainConnection(), this);
    m_qry->setObjectName(QStringLiteral("Qry"));
    m_qry->setSQL(QStringList{QStringLiteral("SELECT idoszak, SUM(osszeg) AS osszeg"),
                              QStringLiteral("FROM csekkfizet"),
                              QStringLiteral("WHERE idoszak BETWEEN :pido1 AND :pido2"),
                              QStringLiteral("GROUP BY idoszak"), QStringLiteral("ORDER BY 1;")});
    m_qry->paramByName(QStringLiteral("pido1")).setAsString(from);
    m_qry->paramByName(QStringLiteral("pido2")).setAsString(to);
    m_qry->open();

    QStringList periods;
    QList<double> sums;
    TField &idoszak = m_qry->fieldByName(QStringLiteral("idoszak"));
    TField &osszeg = m_qry->fieldByName(QStringLiteral("osszeg"));
    for (m_qry->first(); !m_qry->eof(); m_qry->next()) {
        periods << idoszak.asString();
        sums << osszeg.asFloat();
    }
    setChartTitle(QStringLiteral("Csekk befizetések"));
    m_bars = std::make_unique<charts::PeriodBars>(chart(), QStringLiteral("Csekk befizetések"), false);
    m_bars->setData(periods, sums);
}

Tfrm_chCsekkIdoszak::~Tfrm_chCsekkIdoszak()
{
    m_qry->close();
}

void ShowBillPaymentChart(const QString &from, const QString &to, QWidget *parent)
{
    Tfrm_chCsekkIdoszak w(from, to, parent);
    w.exec();
}

}  // namespace zorva
