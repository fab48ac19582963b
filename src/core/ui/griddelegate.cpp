#include "griddelegate.h"

#include "db/datasetmodel.h"

#include <QAbstractItemView>
#include <QGlyphRun>
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

// Text a plain run of glyphs shows as the shaper would: one glyph per character, left to
// right, no joining or combining.
bool simpleText(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x0590 || c.isMark() || c.isSurrogate() ||
            (c.unicode() >= 0x7f && c.unicode() < 0xa0))
            return false;
    }
    return true;
}

bool plainFont(const QFont &font)
{
    return !font.underline() && !font.strikeOut() && !font.overline() && font.letterSpacing() == 0 &&
           font.wordSpacing() == 0 && font.capitalization() == QFont::MixedCase &&
           (font.stretch() == 0 || font.stretch() == QFont::Unstretched);
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
    painter->save();
    painter->setPen(QPen(pen, 0));
    if (!drawGlyphLine(painter, option.font, textRect, alignment, line)) {
        const QFontMetrics metrics(option.font);
        painter->setFont(option.font);
        painter->drawText(textRect, int(alignment) | Qt::TextSingleLine | Qt::TextDontClip,
                          metrics.elidedText(line, m_elide, textRect.width()));
    }
    painter->restore();
}

const QRawFont &GridDelegate::rawFont(const QFont &font) const
{
    for (const auto &[f, raw] : m_rawFonts) {
        if (f == font)
            return raw;
    }
    if (m_rawFonts.size() > 8)
        m_rawFonts.clear();
    m_rawFonts.emplace_back(font, QRawFont::fromFont(font));
    return m_rawFonts.back().second;
}

// Cuts the glyphs as QFontMetrics::elidedText cuts a text: as many from the start (or
// the end) as stay narrower than the width less the ellipsis, and the ellipsis.
bool GridDelegate::elide(const QRawFont &raw, qreal available, QList<quint32> &glyphs, QList<QPointF> &advances,
                         qreal &width) const
{
    if (m_elide != Qt::ElideRight && m_elide != Qt::ElideLeft)
        return false;
    const QList<quint32> ellipsis = raw.glyphIndexesForString(QString(QChar(0x2026)));
    if (ellipsis.size() != 1 || ellipsis[0] == 0)
        return false;
    const QList<QPointF> ellipsisAdvance = raw.advancesForGlyphIndexes(ellipsis);
    const qreal room = available - ellipsisAdvance[0].x();
    if (room < 0) {  // not even the ellipsis fits: nothing is drawn
        glyphs.clear();
        advances.clear();
        width = 0;
        return true;
    }
    const qsizetype n = glyphs.size();
    qreal kept = 0;
    qsizetype count = 0;
    for (; count < n - 1; ++count) {
        const qsizetype i = m_elide == Qt::ElideRight ? count : n - 1 - count;
        if (kept + advances[i].x() >= room)
            break;
        kept += advances[i].x();
    }
    if (m_elide == Qt::ElideRight) {
        glyphs = glyphs.first(count) + ellipsis;
        advances = advances.first(count) + ellipsisAdvance;
    } else {
        glyphs = ellipsis + glyphs.last(count);
        advances = ellipsisAdvance + advances.last(count);
    }
    width = kept + ellipsisAdvance[0].x();
    return true;
}

// Placed as drawText places one line: the line's height is the font's ascent and descent,
// aligned in the rectangle, the glyphs from the left, right or centre of its width.
bool GridDelegate::drawGlyphLine(QPainter *painter, const QFont &font, const QRect &rect, Qt::Alignment alignment,
                                 const QString &line) const
{
    if (!plainFont(font) || !simpleText(line))
        return false;
    const QRawFont &raw = rawFont(font);
    if (!raw.isValid())
        return false;
    QList<quint32> glyphs = raw.glyphIndexesForString(line);
    if (glyphs.size() != line.size() || glyphs.contains(0u))
        return false;
    QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    qreal width = 0;
    for (const QPointF &a : advances)
        width += a.x();
    if (width > rect.width() && !elide(raw, rect.width(), glyphs, advances, width))
        return false;
    if (glyphs.isEmpty())
        return true;
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    qreal at = 0;
    for (const QPointF &a : advances) {
        positions.append(QPointF(at, 0));
        at += a.x();
    }
    const qreal height = raw.ascent() + raw.descent();
    qreal x = rect.left();
    if (alignment & Qt::AlignRight)
        x = rect.left() + rect.width() - width;
    else if (alignment & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - width) / 2;
    qreal y = rect.top();
    if (alignment & Qt::AlignBottom)
        y = rect.top() + rect.height() - height;
    else if (alignment & Qt::AlignVCenter)
        y = rect.top() + (rect.height() - height) / 2;
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter->drawGlyphRun(QPointF(x, y + raw.ascent()), run);
    return true;
}
