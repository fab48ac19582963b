#include "reportframe.h"

#include "core/numberformat.h"
#include "db/database.h"
#include "db/query.h"

namespace zorva::report {

namespace {

QString &publisher()
{
    static QString address;
    return address;
}

// Line height of a text of `points`, in mm.
double lineHeight(double points)
{
    return points * 25.4 / 72.0 * 1.25;
}

}  // namespace

QString publisherAddress()
{
    return publisher();
}

void setPublisherAddress(const QString &address)
{
    publisher() = address;
}

OwnerInfo readOwner(TmySQLDatabase &db, const QString &addressColumn)
{
    TmySQLQuery q(&db);
    q.setSQL(QStringLiteral("SELECT * FROM vw_tulajdonos"));
    q.open();
    OwnerInfo o;
    if (!q.isEmpty()) {
        const auto text = [&q](const QString &name) {
            const TField *f = q.findField(name);
            return f ? f->asString() : QString();
        };
        o.name = text(QStringLiteral("tulajdonos"));
        o.address = text(addressColumn);
        o.phone = text(QStringLiteral("telefon"));
    }
    q.close();
    return o;
}

void addTitleBox(ReportBand &header, const QString &title, double width, double height)
{
    header.addBox(QRectF(0.0, 0.0, width, height));
    ReportElement &t = header.addText(QRectF(1.3, 1.3, width - 1.3, lineHeight(16)), title,
                                      reportFont(QStringLiteral("Arial"), 16, true));
    t.name = QStringLiteral("title");
}

ReportBand &startPageHeader(Report &report, const QString &title, double height, double titleHeight)
{
    ReportBand &head = report.pageHeader;
    head.height = height;
    head.bottomRule = ruleGrey();
    addTitleBox(head, title, 77.1, titleHeight);
    return head;
}

ReportBand &startSummary(Report &report, double height)
{
    ReportBand &sum = report.summary;
    sum.height = height;
    sum.topRule = ruleGrey();
    sum.bottomRule = ruleGrey();
    return sum;
}

void addReportColumns(Report &report, const std::vector<ReportColumn> &cols, double titleY,
                      const QString &family, double points, double rowHeight)
{
    const QFont body = reportFont(family, points);
    const QFont italic = reportFont(family, points, false, true);
    for (const ReportColumn &c : cols) {
        const Qt::Alignment a = c.right ? Qt::AlignRight : Qt::AlignLeft;
        report.pageHeader.addText(QRectF(c.x, titleY, c.w, rowHeight), c.title, italic, a).name =
            QStringLiteral("title_") + c.field;
        report.detail.addField(QRectF(c.cellX >= 0 ? c.cellX : c.x, 0.0, c.w, rowHeight), c.field, body, a)
            .name = c.field;
    }
}

void addOwnerBlock(ReportBand &header, double bandWidth, const OwnerInfo &owner, const QString &family)
{
    const double x = bandWidth - 190.0 + 112.4;
    const double w = bandWidth - x;
    header.addBox(QRectF(x, 0.0, 77.1, 16.2));
    const double h = lineHeight(10);
    header.addText(QRectF(x, 1.3, w, h), owner.name, reportFont(family, 10, true), Qt::AlignRight).name =
        QStringLiteral("tulajdonos");
    header.addText(QRectF(x, 6.6, w, h), owner.address, reportFont(family, 10), Qt::AlignRight).name =
        QStringLiteral("irszvaroscim");
    header.addText(QRectF(x, 10.6, w, h), owner.phone, reportFont(family, 10), Qt::AlignRight).name =
        QStringLiteral("telefon");
}

void setStandardPageFooter(Report &report, const QString &leftText, const FooterStyle &style)
{
    ReportBand &f = report.pageFooter;
    f.height = style.height;
    f.topRule = style.rule;
    const QFont font = reportFont(style.family, style.points);
    const double w = report.bandWidth();
    const double h = lineHeight(style.points);
    const double half = w / 2.0;
    f.addText(QRectF(0, style.line1, half, h), leftText, font).name = QStringLiteral("footerLeft");
    f.addValue(
         QRectF(0, style.line3, w / 3.0, h),
         [](const PrintContext &ctx) { return QStringLiteral("oldal: ") + QString::number(ctx.page); }, font)
        .name = QStringLiteral("pageNumber");
    f.addValue(
         QRectF(half, style.line1, half, h),
         [](const PrintContext &ctx) {
             return FormatDateTime(QStringLiteral("yyyy.mm.dd hh:nn:ss"), ctx.printedAt);
         },
         font, Qt::AlignRight)
        .name = QStringLiteral("printedAt");
    const Report *r = &report;
    f.addValue(
         QRectF(half, style.line2, half, h), [r](const PrintContext &) { return r->title; }, font,
         Qt::AlignRight)
        .name = QStringLiteral("footerTitle");
    f.addValue(
         QRectF(w * 2.0 / 3.0, style.line3, w / 3.0, h), [r](const PrintContext &) { return r->identifier; },
         font, Qt::AlignRight)
        .name = QStringLiteral("identifier");
    f.addText(QRectF(w / 3.0, style.line3, w / 3.0, h), publisherAddress(), font, Qt::AlignHCenter).name =
        QStringLiteral("publisher");
}

}  // namespace zorva::report
