// Column widths of a list grid as shares of the grid's width.
#pragma once

#include <QList>

namespace zorva {

// round(value) with halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
qint64 roundHalfEven(qint64 numerator, qint64 denominator);

// Each column gets round((gridWidth - margin) * share), halves to even.  The shares are
// taken to four decimals so that a width that is exactly half a pixel rounds the same
// way on every machine.  A grid narrower than the margin gives widths of 0.
QList<int> shareWidths(int gridWidth, int margin, const QList<double> &shares);

}  // namespace zorva
