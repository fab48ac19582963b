// Rows of datasets as text, and copying rows between datasets.
#pragma once

#include <QString>
#include <QStringList>

class TDataSet;
class TkbmMemTable;

namespace zorva {

// "<record count>: <current record number>".
QString RecordPosText(const TDataSet &ds);

// Appends one row to `target`, copies into it every field whose name also exists in
// the source's current row and posts it.  A closed source is opened for this and closed again.
void CopyRowByName(TDataSet &source, TDataSet &target);

// Appends the dataset's rows as text lines (used to copy a result to the clipboard):
// the fields whose name is not in the ";"-separated `excludedFields`; with withHeader a
// line of the field names first; each row with its running number first when
// withRowNumbers; every value (display text, ";" replaced by ",") followed by
// `separator`.  The program keeps text as Unicode, so the lines are the same either way;
// with asUtf8 false every character is one the Windows-1250 code page holds (others
// become "?"), which is what a consumer of 8-bit text receives.  The walk leaves the
// cursor after the last row.
void DatasetToLines(TDataSet &ds, QStringList &lines, bool withHeader, bool withRowNumbers, bool asUtf8,
                    const QString &separator, const QString &excludedFields = QString());

}  // namespace zorva
