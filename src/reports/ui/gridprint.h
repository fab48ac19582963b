// Printing a list window's grid: its columns, widths and titles on the page.
#pragma once

#include <QString>

class TDBGrid;

namespace zorva {

// Prints at once (`print`) or shows the preview; `portrait` or landscape pages;
// `sumField` (may be empty) adds the summary band with the row count and the
// field's total; `subtitle` is the header's second line.
void PrintGrid(TDBGrid *grid, bool print, bool portrait, const QString &title, int fontSize,
               const QString &sumField = QString(), const QString &subtitle = QString());

}  // namespace zorva
