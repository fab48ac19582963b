#include "griddelegate.h"

#include "db/datasetmodel.h"

#include <QAbstractItemView>
#include <QPainter>

namespace {

QBrush brushOf(const QVariant &v)
{
    if (v.typeId() == QMetaType::QColor)
        return QBrush(v.value<QColor>());
    if (v.typeId() == QMetaType::QBrush)
        return v.value<QBrush>();
    return QBrush();
}

}  // namespace

GridDelegate::GridDelegate(QObject *parent, Qt::TextElideMode elide) : QStyledItemDelegate(parent), m_elide(elide)
{
}

void GridDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->textElideMode = m_elide;
    if (!(option->state & QStyle::State_Selected))
        return;
    const QBrush selected = brushOf(index.data(TDataSetModel::SelectedForegroundRole));
    if (selected.style() != Qt::NoBrush)
        option->palette.setBrush(QPalette::HighlightedText, selected);
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // Only the dataset model's cells are known to be plain text; the focused cell keeps the
    // style's focus frame.
    if (!qobject_cast<const TDataSetModel *>(index.model()) || (option.state & QStyle::State_HasFocus)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const bool selected = option.state & QStyle::State_Selected;
    QPalette::ColorGroup group = (option.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(option.state & QStyle::State_Active))
        group = QPalette::Inactive;

    if (selected) {
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    } else {
        const QBrush background = brushOf(index.data(Qt::BackgroundRole));
        if (background.style() != Qt::NoBrush) {
            const QPointF origin = painter->brushOrigin();
            painter->setBrushOrigin(option.rect.topLeft());
            painter->fillRect(option.rect, background);
            painter->setBrushOrigin(origin);
        }
    }

    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return;
    QBrush pen = brushOf(index.data(selected ? int(TDataSetModel::SelectedForegroundRole) : int(Qt::ForegroundRole)));
    if (pen.style() == Qt::NoBrush)
        pen = option.palette.brush(group, selected ? QPalette::HighlightedText : QPalette::Text);

    const QWidget *view = option.widget;
    QStyle *style = view ? view->style() : nullptr;
    const int margin = (style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) : 2) + 1;
    const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
    const QVariant align = index.data(Qt::TextAlignmentRole);
    Qt::Alignment alignment = option.displayAlignment;
    if (align.typeId() == QMetaType::Int)
        alignment = Qt::Alignment(align.toInt());
    else if (align.isValid())
        alignment = align.value<Qt::Alignment>();
    if (!(alignment & Qt::AlignVertical_Mask))
        alignment |= Qt::AlignTop;
    // One line: line breaks show as spaces, and what does not fit ends in an ellipsis.
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QFontMetrics metrics(option.font);
    painter->save();
    painter->setFont(option.font);
    painter->setPen(QPen(pen, 0));
    painter->drawText(textRect, int(alignment) | Qt::TextSingleLine | Qt::TextDontClip,
                      metrics.elidedText(line, m_elide, textRect.width()));
    painter->restore();
}
