// The yes/no mark of a flag column: the cell is cleared with its background and shows a
// green tick for "I", a red cross for anything else (16 x 16 pixels at the cell's top).
#pragma once

#include <QStyledItemDelegate>

class QPainter;
class QRect;

namespace zorva {

class FlagMarkDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // `left`: distance of the mark from the cell's left edge.
    explicit FlagMarkDelegate(int left, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    // True when the flag value means yes ("I").
    static bool isYes(const QVariant &value);
    // The two marks, drawn into the 16 x 16 square at `topLeft`.
    static void drawTick(QPainter *painter, const QPoint &topLeft);
    static void drawCross(QPainter *painter, const QPoint &topLeft);

private:
    int m_left;
};

}  // namespace zorva
