#include "outputpictures.h"

#include <QPainter>
#include <QPainterPath>

namespace zorva {

namespace {

// A sheet of paper with a folded corner and a few lines of text, in a 100x100 box.
void drawSheet(QPainter &p, const QRectF &r, int lines)
{
    QPainterPath sheet;
    const double fold = r.width() * 0.22;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 2));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
    p.setPen(QPen(QColor(0x80, 0x9c, 0xc8), 2.5));
    const double step = (r.height() - fold - 8) / std::max(1, lines);
    for (int i = 0; i < lines; ++i) {
        const double y = r.top() + fold + 4 + i * step;
        const double right = i == lines - 1 ? r.center().x() : r.right() - 8;
        p.drawLine(QPointF(r.left() + 8, y), QPointF(right, y));
    }
}

void drawPreview(QPainter &p)
{
    drawSheet(p, QRectF(14, 8, 56, 76), 6);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(72, 72), QPointF(90, 90));
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 4));
    p.setBrush(QColor(0xd8, 0xec, 0xff, 200));
    p.drawEllipse(QPointF(60, 60), 17, 17);
}

void drawPrinter(QPainter &p)
{
    drawSheet(p, QRectF(28, 6, 44, 40), 3);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 2));
    p.setBrush(QColor(0x9a, 0xa4, 0xae));
    p.drawRoundedRect(QRectF(8, 40, 84, 36), 6, 6);
    p.setBrush(QColor(0x5c, 0x66, 0x70));
    p.drawRect(QRectF(20, 66, 60, 8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(24, 72, 52, 20));
    p.setBrush(QColor(0x3c, 0xc0, 0x50));
    p.drawEllipse(QPointF(80, 50), 3.5, 3.5);
}

void drawSpreadsheet(QPainter &p)
{
    const QRectF r(10, 14, 80, 72);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setBrush(QColor(0x21, 0x73, 0x46));
    p.drawRect(QRectF(r.left(), r.top(), r.width(), 14));
    p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(r.left() + i * r.width() / 4, r.top()),
                   QPointF(r.left() + i * r.width() / 4, r.bottom()));
    for (int i = 1; i < 6; ++i)
        p.drawLine(QPointF(r.left(), r.top() + 2 + i * 12), QPointF(r.right(), r.top() + 2 + i * 12));
    QFont f;
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(r.left(), r.top() - 1, r.width(), 16), Qt::AlignCenter, QStringLiteral("CSV"));
}

void drawHtml(QPainter &p)
{
    drawSheet(p, QRectF(16, 6, 68, 88), 0);
    QFont f;
    f.setPixelSize(22);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0xd0, 0x50, 0x20));
    p.drawText(QRectF(16, 30, 68, 40), Qt::AlignCenter, QStringLiteral("</>"));
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawText(QRectF(16, 66, 68, 18), Qt::AlignCenter, QStringLiteral("HTML"));
}

}  // namespace

QPixmap outputPicture(int choice, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    switch (choice) {
        case 0:
            drawPreview(p);
            break;
        case 1:
            drawPrinter(p);
            break;
        case 2:
            drawSpreadsheet(p);
            break;
        default:
            drawHtml(p);
            break;
    }
    return pm;
}

}  // namespace zorva
