// The pieces every report of the program shares: the header boxes, the owner
// block from vw_tulajdonos, the column titles over their cells, the summary band
// and the standard page footer.
#pragma once

#include "report.h"

#include <vector>

class TmySQLDatabase;

namespace zorva::report {

inline QColor ruleGrey()
{
    return QColor(0x80, 0x80, 0x80);
}
inline QColor ruleSilver()
{
    return QColor(0xC0, 0xC0, 0xC0);
}

// The first row of the owner view; empty texts when the view has no row or
// lacks a column.
struct OwnerInfo {
    QString name;     // tulajdonos
    QString address;  // irszvaroscim
    QString phone;    // telefon
};
OwnerInfo readOwner(TmySQLDatabase &db, const QString &addressColumn = QStringLiteral("irszvaroscim"));

// A header box (top and bottom edges only) at the band's left edge with the
// title in Arial 16 bold at y 1.3 mm.
void addTitleBox(ReportBand &header, const QString &title, double width, double height);

// The right header box (77.1 x 16.2 mm) with the owner's three lines, 10 pt,
// right-aligned to the band's right edge.
void addOwnerBlock(ReportBand &header, double bandWidth, const OwnerInfo &owner, const QString &family);

// The page header: `height` mm tall with a grey rule below it, and the title box
// (77.1 mm wide, `titleHeight` tall) at its left.
ReportBand &startPageHeader(Report &report, const QString &title, double height, double titleHeight);

// The summary band: `height` mm between two grey rules.
ReportBand &startSummary(Report &report, double height);

// A column: its italic title in the page header at `titleY`, its cells in the detail
// band (at `cellX` when they stand apart from the title).
struct ReportColumn {
    QString title;
    QString field;
    double x;
    double w;
    bool right = false;
    double cellX = -1.0;
};
// Titles named "title_" + field, cells named after their field; `points` in `family`.
void addReportColumns(Report &report, const std::vector<ReportColumn> &cols, double titleY,
                      const QString &family, double points, double rowHeight);

struct FooterStyle {
    QString family = QStringLiteral("Courier New");
    double points = 6.0;
    double line1 = 1.3, line2 = 4.0, line3 = 6.6;  // y of the three lines, mm
    double height = 13.5;
    QColor rule = ruleGrey();
};

// Left: the fixed text (line 1) and "oldal: " + the page number (line 3);
// right: the printing time (line 1), the report's title (line 2) and its
// identifier (line 3); centred on line 3 the publisher's web address.
void setStandardPageFooter(Report &report, const QString &leftText, const FooterStyle &style = FooterStyle());

// The web address in the centre of the footer (empty by default).
QString publisherAddress();
void setPublisherAddress(const QString &address);

}  // namespace zorva::report
