#include "logo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace zorva {

namespace {

const QColor Ink(0x1f, 0x3b, 0x2e);
const QColor Gold(0xe8, 0xb8, 0x3a);
const QColor GoldDark(0xa8, 0x7a, 0x12);

void paintCoin(QPainter &p, const QRectF &r)
{
    // The coin's edge, then its face.
    QRectF edge = r.translated(0, r.height() * 0.18);
    p.setPen(Qt::NoPen);
    p.setBrush(GoldDark);
    p.drawEllipse(edge);
    p.drawRect(QRectF(r.left(), r.center().y(), r.width(), edge.center().y() - r.center().y()));
    QRadialGradient face(r.center() - QPointF(r.width() * 0.15, r.height() * 0.2), r.width() * 0.7);
    face.setColorAt(0, QColor(0xff, 0xe6, 0x9a));
    face.setColorAt(1, Gold);
    p.setBrush(face);
    p.setPen(QPen(GoldDark, 1.2));
    p.drawEllipse(r);
}

}  // namespace

void paintLogoPicture(QPainter &p, const QRect &area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = qMin(area.width() / 1.5, qreal(area.height()));
    const QPointF o(area.left() + (area.width() - 1.5 * s) / 2, area.top() + (area.height() - s) / 2);
    auto at = [&](qreal x, qreal y) { return o + QPointF(x * s, y * s); };

    // The open cash book: two pages with ruled lines and a green cover behind.
    QPainterPath cover;
    cover.addRoundedRect(QRectF(at(0.02, 0.12), at(1.02, 0.92)), s * 0.04, s * 0.04);
    p.fillPath(cover, QColor(0x2e, 0x7d, 0x4f));
    for (int page = 0; page < 2; ++page) {
        const qreal x0 = 0.06 + page * 0.47;
        QRectF r(at(x0, 0.08), at(x0 + 0.45, 0.86));
        p.setPen(QPen(QColor(0xb8, 0xb0, 0x98), 1));
        p.setBrush(QColor(0xfb, 0xf8, 0xee));
        p.drawRect(r);
        p.setPen(QPen(QColor(0x9c, 0xb8, 0xd8), 1));
        for (int line = 1; line < 8; ++line) {
            const qreal y = r.top() + r.height() * line / 8.0;
            p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
        }
        // The amount column of each page.
        p.setPen(QPen(QColor(0xd0, 0x70, 0x70), 1));
        const qreal xa = r.left() + r.width() * 0.68;
        p.drawLine(QPointF(xa, r.top() + 2), QPointF(xa, r.bottom() - 2));
    }
    // A stack of coins on the right page.
    const qreal cw = 0.42, ch = 0.14;
    for (int i = 0; i < 4; ++i)
        paintCoin(p, QRectF(at(1.0 - cw / 2 + 0.02, 0.80 - i * 0.11), QSizeF(cw * s, ch * s)));
    // The forint sign on the top coin.
    QFont f(QStringLiteral("Sans Serif"));
    f.setBold(true);
    f.setPixelSize(qMax(6, int(s * 0.09)));
    p.setFont(f);
    p.setPen(GoldDark);
    p.drawText(QRectF(at(1.0 - cw / 2 + 0.02, 0.80 - 3 * 0.11), QSizeF(cw * s, ch * s)), Qt::AlignCenter,
               QStringLiteral("Ft"));
    p.restore();
}

void paintLogo(QPainter &p, const QRect &area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(area.topLeft(), area.bottomRight());
    bg.setColorAt(0, QColor(0xf4, 0xf1, 0xe4));
    bg.setColorAt(1, QColor(0xdc, 0xe8, 0xd6));
    p.fillRect(area, bg);
    p.setPen(QPen(Ink, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(area).adjusted(1, 1, -1, -1));

    const int h = area.height();
    const QRect picture(area.left() + h / 10, area.top() + h / 8, h * 3 / 2 * 3 / 4, h * 3 / 4);
    paintLogoPicture(p, picture);

    const QRect text(picture.right() + h / 6, area.top(), area.right() - picture.right() - h / 4, area.height());
    QFont name(QStringLiteral("Serif"));
    name.setBold(true);
    name.setPixelSize(qMax(8, h * 38 / 100));
    p.setFont(name);
    p.setPen(Ink);
    p.drawText(text.adjusted(0, 0, 0, -h / 5), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zorva"));
    QFont sub(QStringLiteral("Sans Serif"));
    sub.setPixelSize(qMax(6, h * 11 / 100));
    p.setFont(sub);
    p.setPen(QColor(0x2e, 0x7d, 0x4f));
    p.drawText(text.adjusted(0, h * 40 / 100, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Házi pénztárkönyv"));
    p.restore();
}

}  // namespace zorva
