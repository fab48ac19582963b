#include "reportpaint.h"

#include <QFileInfo>
#include <QPdfWriter>

namespace zorva::report {

namespace {

constexpr double kRuleWidthMm = 0.2;

void paintAll(QPainter &p, QPagedPaintDevice &device, const ReportLayout &layout)
{
    const double dotsPerMm = device.logicalDpiX() / 25.4;
    for (int i = 0; i < layout.pageCount(); ++i) {
        if (i > 0)
            device.newPage();
        paintPage(p, layout.pages[size_t(i)], dotsPerMm);
    }
}

}  // namespace

void paintPage(QPainter &p, const LaidPage &page, double dotsPerMm)
{
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    const auto dev = [dotsPerMm](const QRectF &mm) {
        return QRectF(mm.x() * dotsPerMm, mm.y() * dotsPerMm, mm.width() * dotsPerMm,
                      mm.height() * dotsPerMm);
    };
    for (const LaidItem &it : page.items) {
        if (it.kind == LaidItem::Kind::Line) {
            QPen pen(it.color);
            pen.setWidthF(kRuleWidthMm * dotsPerMm);
            p.setPen(pen);
            const QRectF r = dev(it.rect);
            p.drawLine(QPointF(r.left(), r.top()), QPointF(r.right(), r.top()));
            continue;
        }
        p.setPen(it.color);
        p.setFont(it.font);
        p.drawText(dev(it.rect), it.flags, it.text);
    }
    p.restore();
}

void preparePrinter(QPrinter &printer, const ReportLayout &layout)
{
    printer.setFullPage(true);
    printer.setPageLayout(layout.pageLayout);
    printer.setDocName(layout.title);
    printer.setCopyCount(1);
}

bool printLayout(const ReportLayout &layout, QPrinter &printer, QString *error)
{
    QPainter p;
    if (!p.begin(&printer)) {
        if (error)
            *error = QStringLiteral("A nyomtató nem indítható el.");
        return false;
    }
    paintAll(p, printer, layout);
    return p.end();
}

bool writePdf(const ReportLayout &layout, const QString &fileName, QString *error)
{
    QPdfWriter writer(fileName);
    writer.setPageLayout(layout.pageLayout);
    writer.setTitle(layout.title);
    writer.setCreator(QStringLiteral("Zorva"));
    QPainter p;
    if (!p.begin(&writer)) {
        if (error)
            *error = QStringLiteral("A(z) %1 fájl nem írható.").arg(QFileInfo(fileName).absoluteFilePath());
        return false;
    }
    paintAll(p, writer, layout);
    if (!p.end()) {
        if (error)
            *error = QStringLiteral("A(z) %1 fájl írása nem sikerült.")
                         .arg(QFileInfo(fileName).absoluteFilePath());
        return false;
    }
    return true;
}

QImage renderPageImage(const ReportLayout &layout, int pageIndex, int dpi)
{
    const QSizeF mm = layout.pageLayout.fullRect(QPageLayout::Millimeter).size();
    const double dotsPerMm = dpi / 25.4;
    QImage img(QSize(int(mm.width() * dotsPerMm + 0.5), int(mm.height() * dotsPerMm + 0.5)),
               QImage::Format_RGB32);
    const int dpm = int(dpi / 0.0254 + 0.5);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    img.fill(Qt::white);
    if (pageIndex >= 0 && pageIndex < layout.pageCount()) {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        paintPage(p, layout.pages[size_t(pageIndex)], dotsPerMm);
    }
    return img;
}

}  // namespace zorva::report
