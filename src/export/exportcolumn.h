// A column of a list as the exports and the grid printout see it: taken from
// a grid (title, width, visibility, alignment) or given by the caller.
#pragma once

#include "db/field.h"

#include <QList>
#include <QString>
#include <Qt>

namespace zorva {

struct ExportColumn {
    QString fieldName;  // empty: a column without a field, skipped by the exports
    QString title;
    int width = 0;  // in the grid's units (pixels), or percent of a 100-wide grid
    bool visible = true;
    Qt::Alignment alignment = Qt::AlignLeft;
};
using ExportColumns = QList<ExportColumn>;

// A field's alignment: numbers to the right, everything else to the left.
Qt::Alignment fieldAlignment(const TField &field);
Qt::Alignment fieldAlignment(TFieldType type);

// Columns "field;title;width" (width in percent, out of 100), the form the
// reports use to describe their HTML pages.
ExportColumns columnsFromDescriptions(const QStringList &descriptions);

}  // namespace zorva
