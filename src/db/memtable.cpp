#include "memtable.h"

#include "rowstore.h"

struct TkbmMemTable::Private {
    std::vector<ColumnInfo> defs;
    QString sortFields;
};

TkbmMemTable::TkbmMemTable(QObject *parent) : TDataSet(parent), m(std::make_unique<Private>()) {}

TkbmMemTable::~TkbmMemTable() = default;

void TkbmMemTable::addFieldDef(const QString &name, TFieldType type, int size)
{
    if (isActive())
        throw EmySQLDatabaseError(QStringLiteral("Nyitott táblához nem adható mező: %1").arg(name));
    ColumnInfo col;
    col.name = name;
    col.type = type;
    col.size = size;
    col.autoIncrement = type == TFieldType::ftAutoInc;
    m->defs.push_back(col);
    // The fields exist at once, so that labels and formats can be set before opening.
    RowStore columns;
    columns.setColumns(m->defs);
    prepareFields(columns);
}

void TkbmMemTable::clearFieldDefs()
{
    if (isActive())
        throw EmySQLDatabaseError(QStringLiteral("Nyitott tábla mezői nem törölhetők"));
    m->defs.clear();
    RowStore columns;
    prepareFields(columns);
}

void TkbmMemTable::emptyTable()
{
    if (!isActive())
        open();
    else
        reopenRows();
}

QString TkbmMemTable::sortFields() const
{
    return m->sortFields;
}

void TkbmMemTable::setSortFields(const QString &names)
{
    m->sortFields = names;
}

void TkbmMemTable::sort()
{
    QList<int> columns;
    for (const QString &name : m->sortFields.split(u';', Qt::SkipEmptyParts)) {
        const int c = fieldIndex(name.trimmed());
        if (c < 0)
            throw EmySQLDatabaseError(QStringLiteral("Mező nem található: %1").arg(name.trimmed()));
        columns << c;
    }
    if (!columns.isEmpty())
        sortRows(columns);
}

void TkbmMemTable::sortOn(const QString &fieldName)
{
    const int c = fieldIndex(fieldName);
    if (c < 0)
        throw EmySQLDatabaseError(QStringLiteral("Mező nem található: %1").arg(fieldName));
    sortRows({c});
}

void TkbmMemTable::doOpen(RowStore &store)
{
    store.setColumns(m->defs);
}
