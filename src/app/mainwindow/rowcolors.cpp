#include "rowcolors.h"

#include "core/globals.h"

namespace zorva {

CellColors cashBookCellColors(const CashBookCell &cell, const QDate &today)
{
    CellColors c;
    if (cell.osszeg < 0 && !cell.selected)
        c.text = DarkRed();
    if (cell.sortColumn)
        c.background = SortColumnColor();
    else if (!cell.selected && !cell.szin.isNull() && cell.szin.isValid())
        c.background = colorFromTColor(cell.szin.toInt());
    if (cell.datum.isValid() && cell.datum > today)
        c.text = cell.selected ? FutureSilver() : FutureGrey();
    return c;
}

}  // namespace zorva
