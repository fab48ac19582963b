#include "flagmarkdelegate.h"

#include "db/datasetmodel.h"

#include <QPainter>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>

namespace zorva {

namespace {

// The marks drawn once per pixel ratio: stroking an anti-aliased path for every row shows in
// the time a long list takes to paint.
const QPixmap &markPixmap(bool yes, qreal ratio)
{
    static QPixmap tick, cross;
    QPixmap &mark = yes ? tick : cross;
    if (mark.isNull() || mark.devicePixelRatio() != ratio) {
        mark = QPixmap(QSize(16, 16) * ratio);
        mark.setDevicePixelRatio(ratio);
        mark.fill(Qt::transparent);
        QPainter p(&mark);
        if (yes)
            FlagMarkDelegate::drawTick(&p, QPoint(0, 0));
        else
            FlagMarkDelegate::drawCross(&p, QPoint(0, 0));
    }
    return mark;
}

}  // namespace

FlagMarkDelegate::FlagMarkDelegate(int left, QObject *parent) : QStyledItemDelegate(parent), m_left(left) {}

bool FlagMarkDelegate::isYes(const QVariant &value)
{
    return !value.isNull() && value.toString() == QLatin1String("I");
}

void FlagMarkDelegate::drawTick(QPainter *painter, const QPoint &topLeft)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(topLeft);
    QPainterPath path;
    path.moveTo(2.5, 8.5);
    path.lineTo(6.5, 12.5);
    path.lineTo(13.5, 3.5);
    painter->setPen(QPen(QColor(0x00, 0x99, 0x00), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(path);
    painter->restore();
}

void FlagMarkDelegate::drawCross(QPainter *painter, const QPoint &topLeft)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(topLeft);
    painter->setPen(QPen(QColor(0xD0, 0x10, 0x10), 2.4, Qt::SolidLine, Qt::RoundCap));
    painter->drawLine(QPointF(4, 4), QPointF(12, 12));
    painter->drawLine(QPointF(12, 4), QPointF(4, 12));
    painter->restore();
}

void FlagMarkDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    // The cell's background: the selection's in the selected row, else the model's.
    QBrush background = option.palette.base();
    if (option.state & QStyle::State_Selected) {
        background = option.palette.brush(QPalette::Highlight);
    } else {
        const QVariant bg = index.data(Qt::BackgroundRole);
        if (bg.userType() == QMetaType::QColor && bg.value<QColor>().isValid())
            background = QBrush(bg.value<QColor>());
        else if (bg.userType() == QMetaType::QBrush && bg.value<QBrush>().style() != Qt::NoBrush)
            background = bg.value<QBrush>();
    }
    painter->fillRect(option.rect, background);
    const QPoint at(option.rect.left() + m_left, option.rect.top());
    const bool yes = isYes(index.data(TDataSetModel::RawValueRole));
    // On screen from the drawn marks; a printer gets them drawn at its own resolution.
    if (painter->paintEngine() && painter->paintEngine()->type() == QPaintEngine::Raster &&
        painter->device()) {
        painter->drawPixmap(at, markPixmap(yes, painter->device()->devicePixelRatioF()));
        return;
    }
    if (yes)
        drawTick(painter, at);
    else
        drawCross(painter, at);
}

}  // namespace zorva
