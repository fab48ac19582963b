#pragma once
// How the dataset grids draw their cells: the colour rule may give the text colour of the
// selected row too, and plain text cells are drawn straight (background, selection, one
// elided line) instead of through the style's general item layout, which lays every cell's
// text out two or three times; a grid repaints after every search keystroke and sort.
#include <QStyledItemDelegate>

class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(QObject *parent = nullptr, Qt::TextElideMode elide = Qt::ElideRight);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    Qt::TextElideMode m_elide;
};
