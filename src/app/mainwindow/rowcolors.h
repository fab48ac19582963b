// The colour rule of the cash-book list: which text and background colour a cell gets.
#pragma once

#include <QColor>
#include <QDate>
#include <QVariant>

namespace zorva {

// What the list knows about one cell when it paints it.
struct CashBookCell {
    double osszeg = 0;      // the row's amount
    QDate datum;            // the row's date
    QVariant szin;          // the cash type's colour as a Windows colour value; null: none
    bool selected = false;  // the row is the current (selected) row
    bool sortColumn = false;
};

// An invalid colour means "the grid's own colour" (window colour, text colour, or
// the selection colours for the selected row).
struct CellColors {
    QColor text;
    QColor background;
};

inline QColor DarkRed() { return QColor(0x80, 0, 0); }
inline QColor FutureGrey() { return QColor(0x80, 0x80, 0x80); }
inline QColor FutureSilver() { return QColor(0xC0, 0xC0, 0xC0); }

// 1. a negative amount on an unselected row: dark red text;
// 2. outside the sort column on an unselected row: the cash type's colour as background
//    (the sort column keeps SortColumnColor);
// 3. a date after today: grey text, silver on the selected row.
CellColors cashBookCellColors(const CashBookCell &cell, const QDate &today);

}  // namespace zorva
