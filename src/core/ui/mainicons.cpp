#include "mainicons.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

#include <functional>

namespace zorva {

namespace {

// A rounded tile in `color` with a short white symbol on it.
QIcon tile(const QColor &color, const QString &symbol)
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(color.darker(140));
        p.setBrush(color);
        p.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), size / 5.0, size / 5.0);
        QFont f = QApplication::font();
        f.setBold(true);
        f.setPixelSize(symbol.size() > 1 ? size * 4 / 10 : size * 6 / 10);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, symbol);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

// A printer: paper going in at the top, the body, the printed sheet coming out.
QIcon printer()
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal u = size / 16.0;
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), u));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4 * u, 1 * u, 8 * u, 5 * u));  // paper in
        p.setBrush(QColor(0x50, 0x50, 0x58));
        p.drawRoundedRect(QRectF(1 * u, 5.5 * u, 14 * u, 6.5 * u), 1.5 * u, 1.5 * u);  // body
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4 * u, 10 * u, 8 * u, 5 * u));  // printed sheet
        p.setPen(QPen(QColor(0x80, 0x80, 0x80), u * 0.8));
        p.drawLine(QPointF(5.5 * u, 12 * u), QPointF(10.5 * u, 12 * u));
        p.drawLine(QPointF(5.5 * u, 13.5 * u), QPointF(9 * u, 13.5 * u));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x40, 0xD0, 0x40));
        p.drawEllipse(QPointF(12.8 * u, 7.5 * u), 0.9 * u, 0.9 * u);  // power light
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QIcon standard(QStyle::StandardPixmap sp)
{
    return QApplication::style()->standardIcon(sp);
}

QIcon drawIcon(MainIcon icon)
{
    switch (icon) {
        case MainIcon::Refresh:
            return standard(QStyle::SP_BrowserReload);
        case MainIcon::Settings:
            return tile(QColor(0x60, 0x60, 0x70), QStringLiteral("\u2699"));
        case MainIcon::FontUp:
            return tile(QColor(0x30, 0x70, 0xB0), QStringLiteral("A+"));
        case MainIcon::FontDown:
            return tile(QColor(0x30, 0x70, 0xB0), QStringLiteral("A-"));
        case MainIcon::Help:
            return standard(QStyle::SP_DialogHelpButton);
        case MainIcon::HomePage:
            return tile(QColor(0x20, 0x90, 0x60), QStringLiteral("www"));
        case MainIcon::Mail:
            return tile(QColor(0xC0, 0x80, 0x20), QStringLiteral("@"));
        case MainIcon::News:
            return tile(QColor(0xB0, 0x30, 0x80), QStringLiteral("!"));
        case MainIcon::Close:
            return standard(QStyle::SP_DialogCloseButton);
        case MainIcon::About:
            return standard(QStyle::SP_MessageBoxInformation);
        case MainIcon::CashBox:
            return tile(QColor(0x20, 0x80, 0x40), QStringLiteral("Ft"));
        case MainIcon::Filter:
            return tile(QColor(0x50, 0x50, 0xA0), QStringLiteral("\u25BC"));
        case MainIcon::New:
            return standard(QStyle::SP_FileIcon);
        case MainIcon::NewFixed:
            return tile(QColor(0x20, 0x70, 0x90), QStringLiteral("F+"));
        case MainIcon::Edit:
            return tile(QColor(0x30, 0x60, 0xA0), QStringLiteral("\u270E"));
        case MainIcon::Delete:
            return tile(QColor(0xB0, 0x20, 0x20), QStringLiteral("\u2715"));
        case MainIcon::Bill:
            return tile(QColor(0xC0, 0x90, 0x10), QStringLiteral("\u2709"));
        case MainIcon::Debt:
            return tile(QColor(0x90, 0x40, 0x20), QStringLiteral("\u2193"));
        case MainIcon::Claim:
            return tile(QColor(0x20, 0x60, 0x20), QStringLiteral("\u2191"));
        case MainIcon::Print:
            return printer();
        case MainIcon::Preview:
            return standard(QStyle::SP_FileDialogContentsView);
        case MainIcon::Excel:
            return tile(QColor(0x10, 0x70, 0x30), QStringLiteral("XL"));
        case MainIcon::Html:
            return tile(QColor(0xD0, 0x50, 0x10), QStringLiteral("<>"));
        case MainIcon::Charts:
            return tile(QColor(0x70, 0x30, 0xA0), QStringLiteral("\u2587"));
        case MainIcon::Users:
            return tile(QColor(0x40, 0x70, 0x70), QStringLiteral("\u263A"));
        case MainIcon::Sql:
            return tile(QColor(0x30, 0x30, 0x80), QStringLiteral("SQL"));
        case MainIcon::Databases:
            return standard(QStyle::SP_DriveHDIcon);
        case MainIcon::Report:
            return standard(QStyle::SP_FileDialogDetailedView);
        case MainIcon::Note:
            return standard(QStyle::SP_FileDialogInfoView);
        case MainIcon::Search:
            return tile(QColor(0x50, 0x50, 0xA0), QStringLiteral("?"));
        case MainIcon::Accept:
            return standard(QStyle::SP_DialogApplyButton);
    }
    return {};
}

// Every window takes the same icon objects: a freshly drawn icon is a new pixmap-cache key,
// so the cache would grow with every window opened.
QHash<int, QIcon> &iconCache()
{
    static QHash<int, QIcon> cache;
    static const bool cleared = [] {
        qAddPostRoutine([] { iconCache().clear(); });
        return true;
    }();
    Q_UNUSED(cleared);
    return cache;
}

QIcon cached(int key, const std::function<QIcon()> &make)
{
    QHash<int, QIcon> &cache = iconCache();
    auto it = cache.constFind(key);
    if (it == cache.cend())
        it = cache.insert(key, make());
    return *it;
}

}  // namespace

QIcon mainIcon(MainIcon icon)
{
    return cached(int(icon), [icon] { return drawIcon(icon); });
}

QIcon styleIcon(QStyle::StandardPixmap sp)
{
    // Style icons take keys past the program's own.
    return cached(0x10000 + int(sp), [sp] { return standard(sp); });
}

}  // namespace zorva
