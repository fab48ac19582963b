#include "flagmarkdelegate.h"

#include "db/datasetmodel.h"

#include <QPainter>
#include <QPainterPath>

namespace zorva {

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
    if (isYes(index.data(TDataSetModel::RawValueRole)))
        drawTick(painter, at);
    else
        drawCross(painter, at);
}

}  // namespace zorva
