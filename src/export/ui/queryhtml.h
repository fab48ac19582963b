// The HTML page of a dataset in columns the caller describes: the pages of the
// printed reports.
#pragma once

#include "db/dataset.h"

#include <QDateTime>
#include <QStringList>

class QWidget;

namespace zorva {

// Writes the rows of `data` in `columns` ("field;title;width", width in percent)
// under `title` and `subtitle`, without a sum row or a row count, to
// `targetFile` (its folder created when missing) and opens the page.  Without a
// target the HTML export window proposes the documents folder and the title as
// file name.  The dataset is left on its first row.  False when nothing was
// written (a failure has been shown).
bool ExportQueryHtml(TDataSet &data, const QString &title, const QString &subtitle,
                     const QStringList &columns, const QString &targetFile = QString(),
                     QWidget *parent = nullptr);

namespace queryhtml {
// Tests fix the time printed on the page; a null time goes back to the clock.
void setExportTime(const QDateTime &t);
}  // namespace queryhtml

}  // namespace zorva
