// Pieces the chart windows share: the amount and percentage texts, the colours and the
// title font, the zooming chart view, the value marks over bars, readable category
// labels, and the pie filled from named sums.
#pragma once

#include <QBarCategoryAxis>
#include <QChartView>
#include <QColor>
#include <QFont>
#include <QGraphicsObject>
#include <QList>
#include <QPieSeries>
#include <QString>
#include <QStringList>
#include <QValueAxis>

namespace zorva::charts {

// Amounts as the lists and reports show them: "### ### ##0" (1 234 567, -8 500).
QString amountText(double value);
// Each magnitude's share of their sum as "12,5%", with one decimal; the shown shares
// add up to exactly 100 (the largest remainders get the rounding).  All zero: "0,0%".
QStringList percentTexts(const QList<double> &magnitudes);

QColor chartRed();
QColor chartGreen();
QColor balanceBlue();
// Arial 11 pt bold.
QFont titleFont();

// A chart view that zooms into the rectangle drawn with the left mouse button, back
// out one step with the right button and to the whole chart on a double click; the
// zoom is animated, opening and refreshing are not.
class ZoomChartView : public QChartView {
    Q_OBJECT
public:
    explicit ZoomChartView(QChart *chart, QWidget *parent = nullptr);
    void setZoomable(bool on);
    bool zoomable() const { return m_zoomable; }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void animateBriefly();
    bool m_zoomable = true;
};

// The value marks over the bars of a bar series: each bar's amount above a bar that
// rises and below one that falls.  A mark wider than its bar is turned upright; where
// even an upright mark would not fit, the marks are left out rather than overlap.
class ValueMarks : public QGraphicsObject {
    Q_OBJECT
public:
    struct Mark {
        double x = 0;  // the bar's centre on the category axis
        double value = 0;
        QString text;
    };
    // `barSlot` is the width of one bar in category units.
    ValueMarks(QChart *chart, QAbstractSeries *series, double barSlot);
    void setMarks(const QList<Mark> &marks);
    const QList<Mark> &marks() const { return m_marks; }
    void setFont(const QFont &font);
    // How the marks are drawn at the chart's current size.
    enum class Layout { Level, Upright, Hidden };
    Layout layout() const;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QChart *m_chart;
    QAbstractSeries *m_series;
    double m_barSlot;
    QList<Mark> m_marks;
    QFont m_font;
};

// Marks for every bar of `values` in set `setIndex` of `setCount` sets side by side.
QList<ValueMarks::Mark> barMarks(const QList<double> &values, int setIndex, int setCount, double barWidth);

// Keeps the labels of a category axis apart: level while they fit side by side, upright
// when they do not, and only every n-th label when even upright ones would touch.  It
// follows every change of the chart's plot area.
class CategoryLabels : public QObject {
    Q_OBJECT
public:
    CategoryLabels(QChart *chart, QBarCategoryAxis *axis, const QStringList &categories);
    void setCategories(const QStringList &categories);
    const QStringList &categories() const { return m_categories; }
    // Every n-th label is shown (1: all).
    int step() const { return m_step; }
    int angle() const { return m_angle; }
    void update();

private:
    void apply(int angle, int step);
    QChart *m_chart;
    QBarCategoryAxis *m_axis;
    QStringList m_categories;
    int m_step = 1;
    int m_angle = 0;
    bool m_applying = false;
};

// The value axis of the bar charts: amounts in the Hungarian form, round steps.
QValueAxis *amountAxis(const QList<double> &values);
void setAmountRange(QValueAxis *axis, const QList<double> &values);

// Fills `pie` with one slice per name, sized by the magnitude of its sum and marked
// with its percentage; the slices take shades of `base`.  The legend, which must
// already hold the series, names the slices.
void fillPie(QChart *chart, QPieSeries *pie, const QStringList &names, const QList<double> &sums,
             const QColor &base);

// Pies keep their size: the legend stands in the free space at the right instead of
// taking room from the chart.
void keepPieBesideLegend(QChart *chart, QPieSeries *pie);

}  // namespace zorva::charts
