#include "chbevkiad.h"

#include "chartparts.h"
#include "core/dbhelpers/mainconnection.h"
#include "db/field.h"
#include "db/query.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>

namespace zorva {

using namespace charts;

Tfrm_chBevKiad::Tfrm_chBevKiad(const QString &from, const QString &to, QWidget *parent)
    : ChartWindow(QStringLiteral("frm_chBevKiad"), QStringLiteral("Bevételek, kiadások"), Buttons::RightPanel,
                  parent)
{
    m_qry = new TmySQLQuery(&mainConnection(), this);
    m_qry->setObjectName(QStringLiteral("Qry"));
    m_qry->setSQL(QStringList{
        QStringLiteral(
            "SELECT idoszak, SUM(osszeg) AS osszeg, SUM(bevetel) AS bevetel, SUM(kiadas) AS kiadas,"),
        QStringLiteral(" MIN(zaro) AS legkevesebb, MAX(zaro) AS legtobb"), QStringLiteral("FROM hazikassza"),
        QStringLiteral("WHERE idoszak BETWEEN :pido1 AND :pido2"), QStringLiteral("GROUP BY idoszak"),
        QStringLiteral("ORDER BY 1;")});
    m_qry->paramByName(QStringLiteral("pido1")).setAsString(from);
    m_qry->paramByName(QStringLiteral("pido2")).setAsString(to);
    // Expenses are stored negative: the sum of both is the month's net change.
    m_qry->addCalculatedField(QStringLiteral("egyenleg"), TFieldType::ftFloat);
    m_qry->onCalcFields = [](TDataSet &ds) {
        ds.fieldByName(QStringLiteral("egyenleg"))
            .setAsFloat(ds.fieldByName(QStringLiteral("bevetel")).asFloat() +
                        ds.fieldByName(QStringLiteral("kiadas")).asFloat());
    };
    m_qry->open();

    QStringList periods;
    QList<double> income, expense, balance;
    TField &idoszak = m_qry->fieldByName(QStringLiteral("idoszak"));
    TField &bevetel = m_qry->fieldByName(QStringLiteral("bevetel"));
    TField &kiadas = m_qry->fieldByName(QStringLiteral("kiadas"));
    TField &egyenleg = m_qry->fieldByName(QStringLiteral("egyenleg"));
    for (m_qry->first(); !m_qry->eof(); m_qry->next()) {
        periods << idoszak.asString();
        income << bevetel.asFloat();
        expense << kiadas.asFloat();
        balance << egyenleg.asFloat();
    }

    setChartTitle(QStringLiteral("Bevételek, kiadások"));
    auto *bars = new QBarSeries;
    m_income = new QBarSet(QStringLiteral("Bevételek"));
    m_income->setColor(chartRed());
    m_income->append(income);
    m_expense = new QBarSet(QStringLiteral("Kiadások"));
    m_expense->setColor(chartGreen());
    m_expense->append(expense);
    bars->append(m_income);
    bars->append(m_expense);
    m_balance = new QLineSeries;
    m_balance->setName(QStringLiteral("Egyenleg"));
    m_balance->setColor(balanceBlue());
    QPen pen = m_balance->pen();
    pen.setWidth(2);
    pen.setColor(balanceBlue());
    m_balance->setPen(pen);
    for (qsizetype i = 0; i < balance.size(); ++i)
        m_balance->append(double(i), balance[i]);
    chart()->addSeries(bars);
    chart()->addSeries(m_balance);

    auto *categories = new QBarCategoryAxis;
    chart()->addAxis(categories, Qt::AlignBottom);
    QList<double> all = income + expense + balance;
    QValueAxis *amounts = amountAxis(all);
    chart()->addAxis(amounts, Qt::AlignLeft);
    for (QAbstractSeries *s :
         {static_cast<QAbstractSeries *>(bars), static_cast<QAbstractSeries *>(m_balance)}) {
        s->attachAxis(categories);
        s->attachAxis(amounts);
    }
    m_labels = new CategoryLabels(chart(), categories, periods);
    // The balance line is not listed in the legend.
    for (QLegendMarker *m : chart()->legend()->markers(m_balance))
        m->setVisible(false);
    chart()->legend()->setAlignment(Qt::AlignBottom);

    m_marks = new ValueMarks(chart(), bars, bars->barWidth() / 2);
    m_marks->setMarks(barMarks(income, 0, 2, bars->barWidth()) + barMarks(expense, 1, 2, bars->barWidth()));
}

Tfrm_chBevKiad::~Tfrm_chBevKiad()
{
    m_qry->close();
}

QStringList Tfrm_chBevKiad::periods() const
{
    return m_labels->categories();
}

void ShowIncomeExpenseChart(const QString &from, const QString &to, QWidget *parent)
{
    Tfrm_chBevKiad w(from, to, parent);
    w.exec();
}

}  // namespace zorva
