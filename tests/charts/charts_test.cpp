// The chart windows read the right sums: bars per period, pies per cash type and bill
// type, and the cash-flow browser with its direction, type filter and date range.
#include "chartsfixture.h"

#include "charts/chartparts.h"
#include "charts/charts.h"
#include "charts/periodbars.h"
#include "entries/dialogs/idoszak.h"

#include <QBarSet>
#include <QChart>
#include <QComboBox>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QRadioButton>

using namespace zorva;
using charttest::Entry;

namespace {

QList<double> valuesOf(const QBarSet *set)
{
    QList<double> out;
    for (int i = 0; i < set->count(); ++i)
        out << set->at(i);
    return out;
}

QStringList comboItems(const QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// The shown percentages in tenths, read back from the slice marks ("12,5%").
int tenthsOf(const QPieSeries *pie)
{
    int sum = 0;
    for (const QPieSlice *s : pie->slices()) {
        QString t = s->label();
        t.chop(1);
        sum += qRound(t.replace(QLatin1Char(','), QLatin1Char('.')).toDouble() * 10);
    }
    return sum;
}

}  // namespace

class ChartsTest : public charttest::ChartTest {};

TEST_F(ChartsTest, IncomeExpenseChartHasTheMonthsOfTheRangeWithTheirSums)
{
    Tfrm_chBevKiad w(QStringLiteral("202401"), QStringLiteral("202402"));
    EXPECT_EQ(w.windowTitle(), "Bevételek, kiadások");
    EXPECT_EQ(w.chart()->title(), "Bevételek, kiadások");
    ASSERT_EQ(w.periods(), QStringList({"202401", "202402"}));
    QList<double> income, expense, balance;
    for (const QString &p : w.periods()) {
        const auto in = [&p](const Entry &e) { return periodOf(e) == p; };
        income << sumOf(in, 1);
        expense << sumOf(in, -1);
        balance << sumOf(in);
    }
    EXPECT_EQ(valuesOf(w.incomeSet()), income);
    EXPECT_EQ(valuesOf(w.expenseSet()), expense);
    ASSERT_EQ(w.balanceSeries()->count(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_DOUBLE_EQ(w.balanceSeries()->at(i).y(), balance[i]);

    EXPECT_EQ(w.incomeSet()->color(), QColor(Qt::red));
    EXPECT_EQ(w.expenseSet()->color(), charts::chartGreen());
    EXPECT_EQ(w.balanceSeries()->color(), QColor(0, 128, 255));
    // the balance is not listed; the bars are
    EXPECT_FALSE(w.chart()->legend()->markers(w.balanceSeries()).value(0)->isVisible());
    // one mark per bar, in the program's amount form
    ASSERT_EQ(w.marks()->marks().size(), 4);
    EXPECT_EQ(w.marks()->marks()[0].text, "250 000");
    EXPECT_EQ(w.marks()->marks()[2].text, charts::amountText(expense[0]));
    EXPECT_EQ(charts::amountText(expense[0]), "-42 346");

    Tfrm_chBevKiad empty(QStringLiteral("209901"), QStringLiteral("209912"));
    EXPECT_TRUE(empty.periods().isEmpty());
    EXPECT_EQ(empty.incomeSet()->count(), 0);
    EXPECT_EQ(empty.expenseSet()->count(), 0);
}

TEST_F(ChartsTest, DistributionPiesTakeTheMagnitudesOfTheirSignOnly)
{
    for (int sign : {1, -1}) {
        Tfrm_chMegoszlas w(QStringLiteral("202401"), QStringLiteral("202403"), sign);
        EXPECT_EQ(w.windowTitle(), "Bevételek elemzése");
        ASSERT_EQ(w.chart()->series().size(), 1) << "the other pie is removed";
        const QStringList names =
            sign == 1 ? QStringList{"Fizetés", "Ajándék"} : QStringList{"Élelmiszer", "Rezsi", "Kati's bolt"};
        EXPECT_EQ(w.names(), names);
        const QList<QLegendMarker *> markers = w.chart()->legend()->markers(w.pie());
        ASSERT_EQ(markers.size(), names.size());
        const int types[] = {sign == 1 ? 1 : 2, sign == 1 ? 3 : 4, 5};
        for (qsizetype i = 0; i < names.size(); ++i) {
            EXPECT_EQ(markers[i]->label(), names[i]);
            const double sum = sumOf([&](const Entry &e) {
                return e.kasszatip == types[i] && periodOf(e) >= "202401" && periodOf(e) <= "202403";
            });
            EXPECT_DOUBLE_EQ(w.pie()->slices()[i]->value(), std::abs(sum)) << names[i].toStdString();
        }
        EXPECT_EQ(tenthsOf(w.pie()), 1000);
        const QColor base = sign == 1 ? charts::chartGreen() : charts::chartRed();
        EXPECT_EQ(w.pie()->slices()[0]->brush().color().hue(), base.hue());
    }
    Tfrm_chMegoszlas empty(QStringLiteral("209901"), QStringLiteral("209912"), -1);
    EXPECT_EQ(empty.pie()->count(), 0);
}

TEST_F(ChartsTest, BillChartsCountEveryPaymentOfTheirPeriods)
{
    db().execute(
        "INSERT INTO csekk (csekk, csekk_nev, kellgen, nap_hatid, osszeg) VALUES "
        "(1, 'Villany', 'I', 5, 8500), (2, 'Gáz', 'I', 20, 12000)");
    db().execute(
        "INSERT INTO csekkfizet (csekkfizet, csekk, idoszak, dat_hatid, osszeg, fizetve) VALUES "
        "(1, 1, '202401', '2024-01-05', 8500, 'I'), (2, 2, '202401', '2024-01-20', 12000, 'N'), "
        "(3, 1, '202402', '2024-02-05', 9100, 'N'), (4, 2, '202403', '2024-03-20', 11000, 'I')");

    Tfrm_chCsekkMegoszlas pie(QStringLiteral("202401"), QStringLiteral("202402"));
    EXPECT_EQ(pie.windowTitle(), "Megoszlás csekk típusonként");
    EXPECT_EQ(pie.names(), QStringList({"Villany", "Gáz"}));
    ASSERT_EQ(pie.pie()->count(), 2);
    EXPECT_DOUBLE_EQ(pie.pie()->slices()[0]->value(), 8500 + 9100);
    EXPECT_DOUBLE_EQ(pie.pie()->slices()[1]->value(), 12000);
    EXPECT_EQ(pie.pie()->slices()[0]->label(), "59,5%");
    EXPECT_EQ(pie.pie()->slices()[1]->label(), "40,5%");

    Tfrm_chCsekkIdoszak bars(QStringLiteral("202401"), QStringLiteral("202403"));
    EXPECT_EQ(bars.windowTitle(), "Csekk befizetések");
    EXPECT_EQ(bars.chart()->title(), "Csekk befizetések");
    EXPECT_EQ(bars.bars().periods(), QStringList({"202401", "202402", "202403"}));
    EXPECT_EQ(valuesOf(bars.bars().set()), QList<double>({20500, 9100, 11000}));
    EXPECT_EQ(bars.bars().set()->color(), QColor(Qt::red));
    EXPECT_FALSE(bars.chart()->legend()->isVisible());

    Tfrm_chCsekkIdoszak none(QStringLiteral("209901"), QStringLiteral("209912"));
    EXPECT_EQ(none.bars().set()->count(), 0);
}

TEST_F(ChartsTest, BrowserDirectionsListTheirTypesAndSumTheirColumn)
{
    Tfrm_chElemzes w(QDate(2024, 1, 1), QDate(2024, 2, 29));
    EXPECT_TRUE(w.directionButton(Tfrm_chElemzes::Direction::Bevetelek)->isChecked());
    EXPECT_EQ(comboItems(w.typeCombo()), QStringList({"<nincs szűrés>", "Ajándék", "Fizetés"}));
    EXPECT_EQ(w.typeCombo()->currentIndex(), 0);
    EXPECT_EQ(w.bars().set()->label(), "Bevételek");
    const auto inJanFeb = [](const Entry &e) {
        return e.datum >= QDate(2024, 1, 1) && e.datum <= QDate(2024, 2, 29);
    };
    const auto month = [&](int m) {
        return [&, m](const Entry &e) { return inJanFeb(e) && e.datum.month() == m; };
    };
    EXPECT_EQ(valuesOf(w.bars().set()), QList<double>({sumOf(month(1), 1), sumOf(month(2), 1)}));

    w.directionButton(Tfrm_chElemzes::Direction::Egyenleg)->click();
    EXPECT_EQ(w.direction(), Tfrm_chElemzes::Direction::Egyenleg);
    EXPECT_EQ(comboItems(w.typeCombo()),
              QStringList({"<nincs szűrés>", "Ajándék", "Élelmiszer", "Fizetés", "Kati's bolt", "Rezsi"}));
    EXPECT_EQ(valuesOf(w.bars().set()), QList<double>({sumOf(month(1)), sumOf(month(2))}));
    EXPECT_EQ(w.bars().set()->label(), "Bevételek") << "the series keeps its title";

    // a type with an apostrophe, then back to incomes: the filter is reset
    w.typeCombo()->setCurrentText(QStringLiteral("Kati's bolt"));
    w.refresh();
    EXPECT_EQ(w.bars().periods(), QStringList({"202402"}));
    EXPECT_EQ(valuesOf(w.bars().set()), QList<double>({-1500}));
    w.directionButton(Tfrm_chElemzes::Direction::Kiadasok)->click();
    EXPECT_EQ(w.typeCombo()->currentText(), "<nincs szűrés>");
    EXPECT_EQ(valuesOf(w.bars().set()), QList<double>({sumOf(month(1), -1), sumOf(month(2), -1)}));
    w.directionButton(Tfrm_chElemzes::Direction::Bevetelek)->click();
    EXPECT_EQ(comboItems(w.typeCombo()), QStringList({"<nincs szűrés>", "Ajándék", "Fizetés"}));
    EXPECT_EQ(w.typeCombo()->currentIndex(), 0);
}

TEST_F(ChartsTest, BrowserRangeIsInclusiveAndTheStatusShowsItsBalances)
{
    Tfrm_chElemzes w(QDate(2023, 12, 31), QDate(2024, 3, 1));
    EXPECT_EQ(w.bars().periods(), QStringList({"202312", "202401", "202402", "202403"}))
        << "entries on the first and the last day count";
    EXPECT_EQ(w.statusPanel(0)->text(), "2023.12.31 - 2024.03.01");
    // over the whole range: the bank account ends February at 252 654,5, its first
    // entry in January leaves it at -12 345,5
    EXPECT_EQ(w.statusPanel(1)->text(), "Maximum 252655");
    EXPECT_EQ(w.statusPanel(2)->text(), "Minimum -12346");

    w.setDateRange(QDate(2024, 1, 2), QDate(2024, 2, 28));
    EXPECT_EQ(w.bars().periods(), QStringList({"202401", "202402"}));
    EXPECT_EQ(valuesOf(w.bars().set()), QList<double>({0, 5000}))
        << "only Ajándék on 3 February is an income";
    w.setDateRange(QDate(2030, 1, 1), QDate(2030, 12, 31));
    EXPECT_EQ(w.bars().set()->count(), 0);
    EXPECT_EQ(w.statusPanel(1)->text(), "Maximum 0");
    EXPECT_EQ(w.statusPanel(2)->text(), "Minimum 0");
}

TEST_F(ChartsTest, BrowserAsksForTheRangeAndKeepsItOnCancel)
{
    Tfrm_chElemzes w(QDate(2024, 1, 1), QDate(2024, 1, 31));
    mdtest::whenModal<Tfrm_Idoszak>([](Tfrm_Idoszak *d) {
        EXPECT_EQ(d->fromDate(), QDate(2024, 1, 1));
        d->setDates(QDate(2024, 2, 1), QDate(2024, 2, 29));
        d->okButton()->click();
    });
    w.aIdoszak()->trigger();
    EXPECT_EQ(w.fromDate(), QDate(2024, 2, 1));
    EXPECT_EQ(w.statusPanel(0)->text(), "2024.02.01 - 2024.02.29");
    mdtest::whenModal<Tfrm_Idoszak>([](Tfrm_Idoszak *d) { d->cancelButton()->click(); });
    w.aIdoszak()->trigger();
    EXPECT_EQ(w.toDate(), QDate(2024, 2, 29));
}

TEST_F(ChartsTest, AFailingReadOpensNoWindow)
{
    db().execute("SET FOREIGN_KEY_CHECKS=0");
    db().execute("DROP TABLE csekkfizet");
    EXPECT_THROW(ShowBillPaymentChart(QStringLiteral("202401"), QStringLiteral("202402")), std::exception);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
