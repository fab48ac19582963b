#include "rightdelegate.h"

#include "db/datasetmodel.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace zorva {

bool RightDelegate::granted(const QVariant &value)
{
    return !value.isNull() && value.toString() == QLatin1String("I");
}

void RightDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const
{
    QStyleOptionViewItem cell(option);
    initStyleOption(&cell, index);
    cell.text.clear();
    cell.features &= ~QStyleOptionViewItem::HasDisplay;
    const QWidget *widget = cell.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    // Background and selection as any other cell, without the text.
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    QStyleOptionButton box;
    box.state = QStyle::State_Enabled |
                (granted(index.data(TDataSetModel::RawValueRole)) ? QStyle::State_On : QStyle::State_Off);
    const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &box, widget);
    const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &box, widget);
    box.rect = QRect(cell.rect.left() + PictureLeft, cell.rect.top(), w, qMin(h, cell.rect.height()));
    box.palette = cell.palette;
    painter->save();
    painter->setClipRect(cell.rect);
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
    painter->restore();
}

}  // namespace zorva
