// A banded report: A4 pages with 10 mm margins, a page header, groups that
// break on a value, one detail band per row, a summary and a page footer.
#pragma once

#include "reportband.h"

#include <QPageLayout>

#include <memory>

namespace zorva::report {

struct ReportGroup {
    std::function<QVariant(TDataSet &)> key;  // the group breaks when this value changes
    ReportBand header{BandKind::GroupHeader};
    ReportBand footer{BandKind::GroupFooter};
};

class Report {
public:
    static constexpr double kMargin = 10.0;  // mm on all four sides

    Report();
    ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    QString title;       // page footer, preview window, print job
    QString identifier;  // printed in the page footer, e.g. "qrGridPrint"
    bool landscape = false;
    QString printerName;  // empty: the system's default printer
    TDataSet *data = nullptr;
    QDateTime printedAt;  // null: the moment the report is laid out

    ReportBand pageHeader{BandKind::PageHeader};
    ReportBand detail{BandKind::Detail};
    ReportBand summary{BandKind::Summary};
    ReportBand pageFooter{BandKind::PageFooter};

    // Groups nest in the order they are added (the first is the outermost).
    ReportGroup &addGroup(std::function<QVariant(TDataSet &)> key);
    ReportGroup &addGroup(const QString &fieldName);
    int groupCount() const { return int(m_groups.size()); }
    ReportGroup &group(int level) { return *m_groups.at(size_t(level)); }

    // A running total over the detail rows, restarted after the footer of group
    // `resetGroup` (or of a group outside it); -1 totals the whole report.
    // Returns the id for PrintContext::sum.
    int addSum(const QString &fieldName, int resetGroup = -1);
    int addSum(std::function<double(TDataSet &)> value, int resetGroup = -1);

    double bandWidth() const { return landscape ? 277.0 : 190.0; }
    QSizeF pageSize() const { return landscape ? QSizeF(297.0, 210.0) : QSizeF(210.0, 297.0); }
    QPageLayout pageLayout() const;

    struct SumDef {
        std::function<double(TDataSet &)> value;
        int resetGroup;
    };
    const std::vector<SumDef> &sums() const { return m_sums; }

private:
    std::vector<std::unique_ptr<ReportGroup>> m_groups;
    std::vector<SumDef> m_sums;
};

}  // namespace zorva::report
