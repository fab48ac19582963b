#include "combofill.h"

#include "core/dbhelpers/mainconnection.h"
#include "db/directquery.h"

#include <QComboBox>

namespace zorva {

void FillComboFromQuery(QComboBox *combo, const QString &sql, const QString &firstItem)
{
    combo->clear();
    if (!firstItem.isEmpty())
        combo->addItem(firstItem);
    TmySQLDirectQuery query(&mainConnection());
    query.setSQL(sql);
    query.open();
    QStringList items;
    while (!query.eof()) {
        items << query.fieldValue(0);
        query.next();
    }
    query.close();
    combo->addItems(items);
    if (!firstItem.isEmpty() && combo->isEditable())
        combo->setEditText(firstItem);
    else if (!combo->isEditable() && combo->count() > 0)
        combo->setCurrentIndex(0);
}

}  // namespace zorva
