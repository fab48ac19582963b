// An amount shown in a line edit with a display format that may drop decimals
// ("### ### ##0"): the stored value is kept while the shown text is left as it was, so
// that an OK after changing some other field never rounds the amount.
#pragma once

#include <QString>

class QLineEdit;

namespace zorva {

// Shows `value` formatted with `format` and remembers it.
void showAmount(QLineEdit *edit, double value, const QString &format);
// The amount to store: the remembered value while the text is still the one shown,
// otherwise the typed text read with ParseAmount (`fallback` when it is no number).
double amountToStore(const QLineEdit *edit, double fallback);

}  // namespace zorva
