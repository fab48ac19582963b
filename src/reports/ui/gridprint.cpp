#include "gridprint.h"

#include "reportpreview.h"
#include "core/ui/dbgrid.h"
#include "core/ui/windowplace.h"
#include "export/ui/gridcolumns.h"
#include "reports/gridreport.h"

namespace zorva {

void PrintGrid(TDBGrid *grid, bool print, bool portrait, const QString &title, int fontSize,
               const QString &sumField, const QString &subtitle)
{
    if (!grid || !grid->dataSet())
        return;
    report::GridPrintOptions o;
    o.portrait = portrait;
    o.title = title;
    o.fontSize = fontSize;
    o.sumField = sumField;
    o.subtitle = subtitle;
    o.applicationTitle = ApplicationTitle();
    std::unique_ptr<report::Report> r =
        report::buildGridReport(*grid->dataSet(), gridColumns(*grid), gridWidth(*grid), o);
    if (print)
        printReportNow(*r, grid->window());
    else
        showReportPreview(*r, grid->window());
}

}  // namespace zorva
