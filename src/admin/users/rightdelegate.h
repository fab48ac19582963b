// The cells of the user list's right columns: the text is not drawn, a check box picture
// shows the right instead, ticked when the column holds "I".
#pragma once

#include <QStyledItemDelegate>

namespace zorva {

class RightDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The picture's distance from the cell's left edge.
    static constexpr int PictureLeft = 32;

    // Whether a right column's value grants the right: exactly "I".
    static bool granted(const QVariant &value);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

}  // namespace zorva
