#include "coloursample.h"

#include "core/globals.h"
#include "core/ui/filedialog.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace zorva {

ColourSample::ColourSample(const QString &text, QWidget *parent) : QWidget(parent), m_text(text)
{
    setCursor(Qt::PointingHandCursor);
    setToolTip(text);
    setFocusPolicy(Qt::TabFocus);  // reachable from the keyboard; Space opens the colour dialog
}

void ColourSample::setColorValue(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    update();
    emit colorChanged(value);
}

bool ColourSample::chooseColor()
{
    const QColor chosen = ColorDialog::getColor(colorFromTColor(m_value), this);
    if (!chosen.isValid())
        return false;
    setColorValue(tColorFromColor(chosen));
    return true;
}

QSize ColourSample::sizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(m_text) + 40, fontMetrics().height() + 24);
}

void ColourSample::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.setBrush(colorFromTColor(m_value));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont f = font();
    f.setUnderline(true);
    p.setFont(f);
    p.setPen(QColor(0, 0, 0xFF));
    p.drawText(rect(), Qt::AlignCenter, m_text);
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void ColourSample::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        chooseColor();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ColourSample::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        chooseColor();
    QWidget::mouseReleaseEvent(event);
}

}  // namespace zorva
