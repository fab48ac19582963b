#include "columnwidths.h"

#include <QtGlobal>

namespace zorva {

qint64 roundHalfEven(qint64 numerator, qint64 denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    qint64 q = numerator / denominator;
    qint64 r = numerator % denominator;
    if (r < 0) {  // floor division
        q -= 1;
        r += denominator;
    }
    const qint64 twice = 2 * r;
    if (twice > denominator || (twice == denominator && (q % 2 != 0)))
        ++q;
    return q;
}

QList<int> shareWidths(int gridWidth, int margin, const QList<double> &shares)
{
    constexpr qint64 kScale = 10000;
    const qint64 room = qMax(0, gridWidth - margin);
    QList<int> widths;
    widths.reserve(shares.size());
    for (double share : shares)
        widths.append(int(roundHalfEven(room * qRound64(share * kScale), kScale)));
    return widths;
}

}  // namespace zorva
