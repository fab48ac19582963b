#pragma once
// How the dataset grids draw their cells: the colour rule may give the text colour of the
// selected row too, and plain text cells are drawn straight (background, selection, one
// elided line) instead of through the style's general item layout, which lays every cell's
// text out two or three times; a grid repaints after every search keystroke and sort.
#include <QRawFont>
#include <QStyledItemDelegate>

#include <vector>

class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(QObject *parent = nullptr, Qt::TextElideMode elide = Qt::ElideRight);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    // A line the font holds every character of, drawn as one run of its glyphs: no text
    // shaping and no line layout for it.  False when the text needs the general way
    // (characters of other scripts or missing from the font, decorations).  What does not
    // fit is cut short with an ellipsis, as the general way cuts it.
    bool drawGlyphLine(QPainter *painter, const QFont &font, const QRect &rect, Qt::Alignment alignment,
                       const QString &line) const;
    bool elide(const QRawFont &raw, qreal available, QList<quint32> &glyphs, QList<QPointF> &advances,
               qreal &width) const;
    const QRawFont &rawFont(const QFont &font) const;

    Qt::TextElideMode m_elide;
    mutable std::vector<std::pair<QFont, QRawFont>> m_rawFonts;  // a grid uses one or two fonts
};
