// The sum of the payments still waiting to be paid, as the bill windows show it.
#pragma once

#include <QString>

namespace zorva {

// SUM(osszeg) of the payments with fizetve 'N'; 0 when there are none.
double UnpaidTotal();
// "Kifizetésre vár: " and the total in `format`.
QString UnpaidTotalText(const QString &format = QStringLiteral("### ### ##0"));

}  // namespace zorva
