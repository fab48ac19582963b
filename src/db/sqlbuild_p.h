// Pieces of the statements the table object writes.
#pragma once

#include "rowstore.h"

#include <QString>
#include <QVariant>

namespace sqlbuild {

// `name` with backticks doubled; "schema.table" becomes `schema`.`table`.
QString identifier(const QString &name);
QString qualifiedName(const QString &name);
// A value of the program as a literal of the column's type.
QString literal(const QVariant &value, const ColumnInfo &col);
// A stored cell as a literal that compares equal to what the server holds.
QString storedLiteral(const RowStore &store, int row, int column);

}  // namespace sqlbuild
