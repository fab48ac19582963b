#include "exportcolumn.h"

#include <QStringList>

namespace zorva {

Qt::Alignment fieldAlignment(TFieldType type)
{
    return isNumericType(type) ? Qt::AlignRight : Qt::AlignLeft;
}

Qt::Alignment fieldAlignment(const TField &field)
{
    return fieldAlignment(field.dataType());
}

ExportColumns columnsFromDescriptions(const QStringList &descriptions)
{
    ExportColumns columns;
    for (const QString &setup : descriptions) {
        const QStringList parts = setup.split(QLatin1Char(';'));
        ExportColumn c;
        c.fieldName = parts.value(0).trimmed();
        c.title = parts.value(1);
        c.width = parts.value(2).trimmed().toInt();
        columns.append(c);
    }
    return columns;
}

}  // namespace zorva
