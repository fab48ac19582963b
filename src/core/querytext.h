// Rewriting the lines of a query's statement.  Each helper changes the lines in place
// and returns the whole text (lines joined by "\n").
#pragma once

#include <QString>
#include <QStringList>

namespace zorva {

// Every line whose upper-cased text begins with "WHERE" becomes "WHERE " + condition
// (with firstOnly only the first).  Without such a line nothing changes.
QString SetWhereLine(QStringList &lines, const QString &condition, bool firstOnly);
// The first line whose upper-cased text begins with "ORDER" becomes "ORDER BY " + field + ";".
QString SetOrderLine(QStringList &lines, const QString &field);
// The first line whose trimmed, upper-cased text begins with "WHERE" gets condition
// appended; a ";" on that line moves behind the condition.
QString AppendWhereLine(QStringList &lines, const QString &condition);

// A search over up to 15 ";"-separated column expressions:
//   " AND ((a LIKE '%x%') OR (b LIKE '%x%'))" for the columns "a;b", the text x and withAnd.
// Empty when text is empty.
QString BuildLikeFilter(const QString &columns, const QString &text, bool withAnd);

}  // namespace zorva
