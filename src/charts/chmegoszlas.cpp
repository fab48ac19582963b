#include "chmegoszlas.h"

#include "chartparts.h"
#include "core/dbhelpers/mainconnection.h"
#include "db/field.h"
#include "db/query.h"

#include <QChart>
#include <QPieSeries>

namespace zorva {

Tfrm_chMegoszlas::Tfrm_chMegoszlas(const QString &from, const QString &to, int sign, QWidget *parent)
    : ChartWindow(QStringLiteral("frm_chMegoszlas"), QStringLiteral("Bevételek elemzése"),
                  Buttons::RightPanel, parent)
{
    m_qry = new TmySQLQuery(&mainConnection(), this);
    m_qry->setObjectName(QStringLiteral("Qry"));
    m_qry->setSQL(QStringList{
        QStringLiteral("SELECT hazikassza.kasszatip, kasszatip.kasszatip_nev,"),
        QStringLiteral(" SUM(hazikassza.bevetel) AS bevetel, SUM(hazikassza.kiadas) AS kiadas"),
        QStringLiteral(
            "FROM hazikassza INNER JOIN kasszatip ON (hazikassza.kasszatip = kasszatip.kasszatip)"),
        QStringLiteral("WHERE (idoszak BETWEEN :pido1 AND :pido2) AND (kasszatip.szorzo = :pszorzo)"),
        QStringLiteral("GROUP BY hazikassza.kasszatip, kasszatip.kasszatip_nev"),
        QStringLiteral("ORDER BY 1;")});
    m_qry->paramByName(QStringLiteral("pido1")).setAsString(from);
    m_qry->paramByName(QStringLiteral("pido2")).setAsString(to);
    m_qry->paramByName(QStringLiteral("pszorzo")).setAsInteger(sign);
    m_qry->open();

    // Two pies from the same rows; the one of the other sign is removed before showing.
    auto *income = new QPieSeries;
    income->setName(QStringLiteral("bevetel"));
    auto *expense = new QPieSeries;
    expense->setName(QStringLiteral("kiadas"));
    chart()->addSeries(income);
    chart()->addSeries(expense);
    QList<double> bevetel, kiadas;
    TField &nev = m_qry->fieldByName(QStringLiteral("kasszatip_nev"));
    TField &bev = m_qry->fieldByName(QStringLiteral("bevetel"));
    TField &kiad = m_qry->fieldByName(QStringLiteral("kiadas"));
    for (m_qry->first(); !m_qry->eof(); m_qry->next()) {
        m_names << nev.asString();
        bevetel << bev.asFloat();
        kiadas << kiad.asFloat();
    }
    const bool incomes = sign == 1;
    QPieSeries *other = incomes ? expense : income;
    chart()->removeSeries(other);
    delete other;
    m_pie = incomes ? income : expense;

    chart()->setTitle(QString());
    chart()->setBackgroundRoundness(0);
    chart()->setBackgroundPen(Qt::NoPen);
    chartView()->setZoomable(false);
    charts::fillPie(chart(), m_pie, m_names, incomes ? bevetel : kiadas,
                    incomes ? charts::chartGreen() : charts::chartRed());
    charts::keepPieBesideLegend(chart(), m_pie);
}

Tfrm_chMegoszlas::~Tfrm_chMegoszlas()
{
    m_qry->close();
}

void ShowDistributionChart(const QString &from, const QString &to, int sign, QWidget *parent)
{
    Tfrm_chMegoszlas w(from, to, sign, parent);
    w.exec();
}

}  // namespace zorva
