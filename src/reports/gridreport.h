// The printout of a list window's grid (qrGridPrint): its columns, widths and
// titles come from the grid, scaled to the page's band width.
#pragma once

#include "report.h"
#include "export/exportcolumn.h"

#include <memory>

namespace zorva::report {

struct GridPrintOptions {
    bool portrait = true;
    QString title;
    int fontSize = 8;
    QString sumField;  // empty: no summary band
    QString subtitle;
    QString applicationTitle;  // left text of the page footer
};

struct PlacedColumn {
    int index;     // in the grid's columns
    double x;      // mm from the band's left edge
    double width;  // mm; 0 for a hidden column
};

// Walks the columns keeping a running left edge: width = band width x (column
// width / grid width) rounded to whole millimetres (halves to even), 0 for a
// hidden column, then 1.3 mm of space.  A cell never reaches past the band.
std::vector<PlacedColumn> placeGridColumns(const ExportColumns &columns, int gridWidth, double bandWidth);

std::unique_ptr<Report> buildGridReport(TDataSet &data, const ExportColumns &columns, int gridWidth,
                                        const GridPrintOptions &options);

}  // namespace zorva::report
