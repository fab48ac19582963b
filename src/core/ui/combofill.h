// Filling a combo box from a query on the main connection.
#pragma once

#include <QString>

class QComboBox;

namespace zorva {

// Empties the items, adds firstItem when not empty, then the first column of every row of
// `sql` (a forward-only read on the main connection).  An editable combo box then shows
// firstItem when one was given; a pick-only one with items has its first item selected.
void FillComboFromQuery(QComboBox *combo, const QString &sql, const QString &firstItem);

}  // namespace zorva
