#include "gridreport.h"

#include "reportframe.h"
#include "reportlayout.h"
#include "export/valuetext.h"

namespace zorva::report {

namespace {

constexpr double kColumnGap = 1.3;
constexpr double kRowHeight = 4.3;

}  // namespace

std::vector<PlacedColumn> placeGridColumns(const ExportColumns &columns, int gridWidth, double bandWidth)
{
    std::vector<PlacedColumn> placed;
    const qint64 band = qint64(bandWidth + 0.5);
    double x = 0.0;
    for (int i = 0; i < columns.size(); ++i) {
        const ExportColumn &c = columns.at(i);
        double w = 0.0;
        if (c.visible && gridWidth > 0)
            w = double(roundRatioHalfEven(band * c.width, gridWidth));
        w = std::max(0.0, std::min(w, bandWidth - x));
        placed.push_back({i, x, w});
        x += w + kColumnGap;
    }
    return placed;
}

std::unique_ptr<Report> buildGridReport(TDataSet &data, const ExportColumns &columns, int gridWidth,
                                        const GridPrintOptions &opt)
{
    auto r = std::make_unique<Report>();
    r->landscape = !opt.portrait;
    r->title = opt.title;
    r->identifier = QStringLiteral("qrGridPrint");
    r->data = &data;
    const QString tahoma = QStringLiteral("Tahoma");
    const QFont cellFont = reportFont(tahoma, opt.fontSize);
    const QFont titleFont = reportFont(tahoma, opt.fontSize, false, true);
    const QFont boldFont = reportFont(tahoma, opt.fontSize, true);

    ReportBand &head = r->pageHeader;
    head.height = 20.8;
    head.bottomRule = QColor(Qt::black);
    addTitleBox(head, opt.title, 75.7, 14.9);
    head.addText(QRectF(1.3, 9.3, 74.4, 4.3), opt.subtitle, reportFont(tahoma, 9, true)).name =
        QStringLiteral("subtitle");

    r->detail.height = kRowHeight;
    r->detail.bottomRule = QColor(Qt::black);

    const std::vector<PlacedColumn> placed = placeGridColumns(columns, gridWidth, r->bandWidth());
    const PlacedColumn *sumColumn = nullptr;
    for (const PlacedColumn &p : placed) {
        const ExportColumn &c = columns.at(p.index);
        if (p.width <= 0.0)
            continue;
        const Qt::Alignment align = c.alignment & Qt::AlignHorizontal_Mask;
        head.addText(QRectF(p.x, 15.9, p.width, kRowHeight), c.title, titleFont, align);
        if (!c.fieldName.isEmpty())
            r->detail.addField(QRectF(p.x, 0.0, p.width, kRowHeight), c.fieldName, cellFont, align);
        if (!sumColumn && !opt.sumField.isEmpty() &&
            c.fieldName.compare(opt.sumField, Qt::CaseInsensitive) == 0)
            sumColumn = &p;
    }

    ReportBand &sum = r->summary;
    sum.visible = !opt.sumField.isEmpty();
    if (sum.visible) {
        sum.height = 6.6;
        sum.bottomRule = QColor(Qt::black);
        sum.addText(QRectF(1.3, 1.3, 20.0, kRowHeight), QStringLiteral("Összesen"), cellFont);
        const QString countLabel = QStringLiteral("sorok száma: ");
        const double labelX = 25.0;
        const double labelW = textWidth(countLabel, cellFont);
        sum.addText(QRectF(labelX, 1.3, labelW + 1.0, kRowHeight), countLabel, cellFont);
        sum.addValue(
               QRectF(labelX + labelW, 1.3, 30.0, kRowHeight),
               [](const PrintContext &ctx) { return QString::number(ctx.recordCount); }, boldFont)
            .name = QStringLiteral("recordCount");
        const int id = r->addSum(opt.sumField);
        const QRectF at = sumColumn ? QRectF(sumColumn->x, 1.3, sumColumn->width, kRowHeight)
                                    : QRectF(83.0, 1.3, 14.2, kRowHeight);
        sum.addValue(
               at, [id](const PrintContext &ctx) { return generalNumberText(ctx.sum(id)); }, boldFont,
               Qt::AlignRight)
            .name = QStringLiteral("sum");
    }

    FooterStyle footer;
    footer.rule = QColor(Qt::black);
    setStandardPageFooter(*r, opt.applicationTitle, footer);
    return r;
}

}  // namespace zorva::report
