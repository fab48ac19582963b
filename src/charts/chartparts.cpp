#include "chartparts.h"

#include "core/numberformat.h"
#include "core/ui/slotguard.h"

#include <QChart>
#include <QFontMetricsF>
#include <QLegend>
#include <QLegendMarker>
#include <QPainter>
#include <QPieSlice>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace zorva::charts {

QString amountText(double value)
{
    return FormatFloat(QStringLiteral("### ### ##0"), value, QLatin1Char(','), QLatin1Char(' '));
}

QStringList percentTexts(const QList<double> &magnitudes)
{
    double total = 0;
    for (double m : magnitudes)
        total += std::abs(m);
    QStringList out;
    if (total <= 0) {
        for (qsizetype i = 0; i < magnitudes.size(); ++i)
            out << QStringLiteral("0,0%");
        return out;
    }
    // Tenths of a percent, rounded down, then the tenths still missing from 1000 go to
    // the shares that lost the most by rounding.
    QList<qint64> tenths;
    QList<std::pair<double, qsizetype>> remainders;
    qint64 given = 0;
    for (qsizetype i = 0; i < magnitudes.size(); ++i) {
        const double exact = std::abs(magnitudes[i]) / total * 1000.0;
        const qint64 whole = qint64(std::floor(exact));
        tenths << whole;
        given += whole;
        remainders.append({exact - double(whole), i});
    }
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    for (qsizetype k = 0; given < 1000 && k < remainders.size(); ++k, ++given)
        ++tenths[remainders[k].second];
    for (qint64 t : tenths)
        out << QStringLiteral("%1,%2%").arg(t / 10).arg(t % 10);
    return out;
}

QColor chartRed()
{
    return QColor(255, 0, 0);
}

QColor chartGreen()
{
    return QColor(0, 128, 0);
}

QColor balanceBlue()
{
    return QColor(0, 128, 255);
}

QFont titleFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(11);
    f.setBold(true);
    return f;
}

// --- ZoomChartView

ZoomChartView::ZoomChartView(QChart *chart, QWidget *parent) : QChartView(chart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setZoomable(true);
}

void ZoomChartView::setZoomable(bool on)
{
    m_zoomable = on;
    setRubberBand(on ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);
}

void ZoomChartView::animateBriefly()
{
    chart()->setAnimationOptions(QChart::SeriesAnimations | QChart::GridAxisAnimations);
    QTimer::singleShot(chart()->animationDuration() + 100, this,
                       [this] { chart()->setAnimationOptions(QChart::NoAnimation); });
}

void ZoomChartView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_zoomable)
        animateBriefly();
    QChartView::mouseReleaseEvent(event);
}

void ZoomChartView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_zoomable) {
        animateBriefly();
        chart()->zoomReset();
        return;
    }
    QChartView::mouseDoubleClickEvent(event);
}

// --- ValueMarks

ValueMarks::ValueMarks(QChart *chart, QAbstractSeries *series, double barSlot)
    : QGraphicsObject(chart), m_chart(chart), m_series(series), m_barSlot(barSlot)
{
    setZValue(100);
    connect(chart, &QChart::plotAreaChanged, this, guarded([this] {
                prepareGeometryChange();
                update();
            }));
    for (QAbstractAxis *axis : series->attachedAxes()) {
        if (auto *v = qobject_cast<QValueAxis *>(axis))
            connect(v, &QValueAxis::rangeChanged, this, guarded([this] { update(); }));
        else if (auto *c = qobject_cast<QBarCategoryAxis *>(axis))
            connect(c, &QBarCategoryAxis::rangeChanged, this, guarded([this] { update(); }));
    }
}

void ValueMarks::setMarks(const QList<Mark> &marks)
{
    m_marks = marks;
    update();
}

void ValueMarks::setFont(const QFont &font)
{
    m_font = font;
    update();
}

ValueMarks::Layout ValueMarks::layout() const
{
    if (m_marks.isEmpty())
        return Layout::Hidden;
    const QFontMetricsF fm(m_font);
    double widest = 0;
    for (const Mark &m : m_marks)
        widest = std::max(widest, fm.horizontalAdvance(m.text));
    const double slot = std::abs(m_chart->mapToPosition(QPointF(m_barSlot, 0), m_series).x() -
                                 m_chart->mapToPosition(QPointF(0, 0), m_series).x());
    if (widest + 2 <= slot)
        return Layout::Level;
    if (fm.height() <= slot)
        return Layout::Upright;
    return Layout::Hidden;
}

QRectF ValueMarks::boundingRect() const
{
    return QRectF(QPointF(0, 0), m_chart->size());
}

void ValueMarks::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const Layout how = layout();
    if (how == Layout::Hidden)
        return;
    const QRectF plot = m_chart->plotArea();
    const QFontMetricsF fm(m_font);
    const double h = fm.height();
    painter->save();
    painter->setClipRect(boundingRect());
    painter->setFont(m_font);
    painter->setPen(Qt::black);
    for (const Mark &m : m_marks) {
        const QPointF at = m_chart->mapToPosition(QPointF(m.x, m.value), m_series);
        if (at.x() < plot.left() || at.x() > plot.right())
            continue;
        const double w = fm.horizontalAdvance(m.text);
        const bool up = m.value >= 0;
        if (how == Layout::Level) {
            const QRectF r(at.x() - w / 2 - 1, up ? at.y() - h - 2 : at.y() + 2, w + 2, h);
            painter->drawText(r, Qt::AlignCenter, m.text);
        } else {
            painter->save();
            painter->translate(at.x(), up ? at.y() - 3 : at.y() + 3);
            painter->rotate(-90);
            if (up)
                painter->drawText(QRectF(0, -h / 2, w + 2, h), Qt::AlignLeft | Qt::AlignVCenter, m.text);
            else
                painter->drawText(QRectF(-w - 2, -h / 2, w + 2, h), Qt::AlignRight | Qt::AlignVCenter,
                                  m.text);
            painter->restore();
        }
    }
    painter->restore();
}

QList<ValueMarks::Mark> barMarks(const QList<double> &values, int setIndex, int setCount, double barWidth)
{
    QList<ValueMarks::Mark> out;
    const double slot = barWidth / std::max(1, setCount);
    for (qsizetype i = 0; i < values.size(); ++i)
        out.append({double(i) - barWidth / 2 + (setIndex + 0.5) * slot, values[i], amountText(values[i])});
    return out;
}

// --- CategoryLabels

CategoryLabels::CategoryLabels(QChart *chart, QBarCategoryAxis *axis, const QStringList &categories)
    : QObject(axis), m_chart(chart), m_axis(axis), m_categories(categories)
{
    m_axis->setCategories(categories);
    connect(chart, &QChart::plotAreaChanged, this, guarded(this, &CategoryLabels::update));
}

void CategoryLabels::setCategories(const QStringList &categories)
{
    m_categories = categories;
    m_step = 1;
    m_angle = 0;
    m_axis->clear();
    m_axis->setLabelsAngle(0);
    m_axis->setCategories(categories);
    update();
}

void CategoryLabels::update()
{
    if (m_applying || m_categories.isEmpty())
        return;
    const double width = m_chart->plotArea().width();
    if (width <= 0)
        return;
    const QFontMetricsF fm(m_axis->labelsFont());
    double widest = 0;
    for (const QString &c : m_categories)
        widest = std::max(widest, fm.horizontalAdvance(c));
    const double per = width / double(m_categories.size());
    const double upright = fm.height() + 4;
    // The axis cuts a label short well before it touches its neighbour.
    if (widest * 1.2 + 16 <= per)
        apply(0, 1);
    else if (upright <= per)
        apply(-90, 1);
    else
        apply(-90, int(std::ceil(upright / per)));
}

void CategoryLabels::apply(int angle, int step)
{
    if (angle == m_angle && step == m_step)
        return;
    m_applying = true;
    m_angle = angle;
    m_axis->setLabelsAngle(angle);
    if (step != m_step) {
        m_step = step;
        // The axis wants distinct categories: the left-out labels become distinct
        // invisible texts (runs of zero-width spaces), the zoom is kept.
        const int lo = std::max(0, int(m_axis->categories().indexOf(m_axis->min())));
        const int hi = std::max(0, int(m_axis->categories().indexOf(m_axis->max())));
        QStringList shown;
        for (qsizetype i = 0; i < m_categories.size(); ++i)
            shown << (i % step == 0 ? m_categories[i] : QString(i, QChar(0x200B)));
        m_axis->clear();
        m_axis->setCategories(shown);
        if (hi > lo && hi < shown.size())
            m_axis->setRange(shown[lo], shown[hi]);
    }
    m_applying = false;
}

// --- value axis

QValueAxis *amountAxis(const QList<double> &values)
{
    auto *axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%.0f"));
    setAmountRange(axis, values);
    return axis;
}

void setAmountRange(QValueAxis *axis, const QList<double> &values)
{
    double lo = 0, hi = 0;
    for (double v : values) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    if (hi - lo <= 0)
        hi = 100;
    // Room for the marks above the highest and below the lowest bar.
    const double room = (hi - lo) * 0.12;
    axis->setRange(lo < 0 ? lo - room : 0, hi > 0 ? hi + room : 0);
    axis->applyNiceNumbers();
}

// --- pies

void fillPie(QChart *chart, QPieSeries *pie, const QStringList &names, const QList<double> &sums,
             const QColor &base)
{
    pie->clear();
    QList<double> magnitudes;
    for (double s : sums)
        magnitudes << std::abs(s);
    const QStringList percents = percentTexts(magnitudes);
    const qsizetype n = magnitudes.size();
    float hue = 0, saturation = 0, lightness = 0;
    base.getHslF(&hue, &saturation, &lightness);
    for (qsizetype i = 0; i < n; ++i) {
        auto *slice = new QPieSlice(percents[i], magnitudes[i]);
        // Neighbours alternate between dark and light shades of the base colour.
        const qsizetype place = i % 2 == 0 ? i / 2 : n - 1 - i / 2;
        const double light = n < 2 ? lightness : 0.28 + 0.5 * double(place) / double(n - 1);
        QColor c;
        c.setHslF(hue, saturation, float(light));
        slice->setBrush(c);
        slice->setBorderColor(Qt::white);
        slice->setLabelVisible(magnitudes[i] > 0);
        pie->append(slice);
    }
    const QList<QLegendMarker *> markers = chart->legend()->markers(pie);
    for (qsizetype i = 0; i < markers.size() && i < names.size(); ++i)
        markers[i]->setLabel(names[i]);
}

void keepPieBesideLegend(QChart *chart, QPieSeries *pie)
{
    QLegend *legend = chart->legend();
    legend->detachFromChart();
    legend->setAlignment(Qt::AlignRight);
    legend->setBackgroundVisible(false);
    const auto place = [chart, pie, legend] {
        const QSizeF size = chart->size();
        if (size.width() <= 0 || size.height() <= 0)
            return;
        const QFontMetricsF fm(legend->font());
        double widest = 0;
        const QList<QLegendMarker *> markers = legend->markers(pie);
        for (QLegendMarker *m : markers)
            widest = std::max(widest, fm.horizontalAdvance(m->label()));
        const double lw = std::min(size.width() * 0.4, widest + 60);
        const double lh = std::min(size.height() - 20, (fm.height() + 8) * double(markers.size()) + 24);
        legend->setGeometry(QRectF(size.width() - lw - 10, (size.height() - lh) / 2, lw, lh));
        legend->update();
        const double free = size.width() - lw - 20;
        pie->setHorizontalPosition(std::clamp(free / 2 / size.width(), 0.2, 0.5));
        const double shorter = std::min(size.width(), size.height());
        pie->setPieSize(std::clamp(0.72 * std::min(free, size.height()) / shorter, 0.3, 0.72));
    };
    QObject::connect(chart, &QChart::geometryChanged, legend, place);
    QObject::connect(pie, &QPieSeries::countChanged, legend, place);
    place();
}

}  // namespace zorva::charts
