#include "windowplace.h"

#include "core/formpos.h"
#include "core/globals.h"

#include <QPrinterInfo>
#include <QWidget>

namespace zorva {

namespace {
QString sectionOf(const QWidget *w, const QString &section)
{
    return section.isEmpty() ? w->objectName() : section;
}
}  // namespace

void restoreDialogPos(QWidget *w, const QString &section)
{
    applyFontSize(w);
    w->move(LoadFormPos(sectionOf(w, section)));
}

void storeDialogPos(QWidget *w, const QString &section)
{
    SaveFormPos(sectionOf(w, section), w->pos().x(), w->pos().y());
}

void restoreListBounds(QWidget *w, const QString &section)
{
    int left = w->x(), top = w->y(), height = w->height(), width = w->width();
    LoadFormBounds(sectionOf(w, section), left, top, height, width);
    w->resize(width, height);
    w->move(left, top);
}

void storeListBounds(QWidget *w, const QString &section)
{
    SaveFormBounds(sectionOf(w, section), w->x(), w->y(), w->height(), w->width());
}

void applyFontSize(QWidget *w, int points)
{
    const int size = points > 0 ? points : beall().FontSize;
    if (size <= 0)
        return;
    QFont f = w->font();
    f.setPointSize(size);
    w->setFont(f);
}

QString CurrentPrinterName()
{
    return QPrinterInfo::defaultPrinterName();
}

QString &ApplicationTitle()
{
    static QString title = QStringLiteral("Zorva");
    return title;
}

}  // namespace zorva
