#include "report.h"

#include <QPageSize>

namespace zorva::report {

Report::Report() = default;
Report::~Report() = default;

ReportGroup &Report::addGroup(std::function<QVariant(TDataSet &)> key)
{
    auto g = std::make_unique<ReportGroup>();
    g->key = std::move(key);
    m_groups.push_back(std::move(g));
    return *m_groups.back();
}

ReportGroup &Report::addGroup(const QString &fieldName)
{
    return addGroup([fieldName](TDataSet &ds) { return ds.fieldByName(fieldName).value(); });
}

int Report::addSum(const QString &fieldName, int resetGroup)
{
    return addSum(
        [fieldName](TDataSet &ds) {
            const TField &f = ds.fieldByName(fieldName);
            return f.isNull() ? 0.0 : f.asFloat();
        },
        resetGroup);
}

int Report::addSum(std::function<double(TDataSet &)> value, int resetGroup)
{
    m_sums.push_back({std::move(value), resetGroup});
    return int(m_sums.size()) - 1;
}

QPageLayout Report::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

}  // namespace zorva::report
