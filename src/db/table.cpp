#include "table.h"

#include "database.h"
#include "rowstore.h"
#include "sqlbuild_p.h"

#include <QPointer>

#include <mysql.h>

struct TmySQLTable::Private {
    QPointer<TmySQLDatabase> db;
    QString tableName;
    QString indexFieldNames;
};

TmySQLTable::TmySQLTable(TmySQLDatabase *db, QObject *parent)
    : TDataSet(parent), t(std::make_unique<Private>())
{
    t->db = db;
}

TmySQLTable::~TmySQLTable()
{
    closeSilently();
}

TmySQLDatabase *TmySQLTable::database() const
{
    return t->db;
}
void TmySQLTable::setDatabase(TmySQLDatabase *db)
{
    t->db = db;
}
TmySQLDatabase *TmySQLTable::connection() const
{
    return t->db;
}
QString TmySQLTable::tableName() const
{
    return t->tableName;
}
void TmySQLTable::setTableName(const QString &name)
{
    t->tableName = name;
}
QString TmySQLTable::indexFieldNames() const
{
    return t->indexFieldNames;
}
void TmySQLTable::setIndexFieldNames(const QString &names)
{
    t->indexFieldNames = names;
}

namespace {

TmySQLDatabase &requireDatabase(TmySQLDatabase *db, const QString &table)
{
    if (!db)
        throw EmySQLDatabaseError(QStringLiteral("Nincs adatbázis-kapcsolat megadva (%1)").arg(table));
    return *db;
}

QList<int> keyColumns(const RowStore &store)
{
    QList<int> keys;
    for (int c = 0; c < store.dataColumnCount(); ++c)
        if (store.column(c).primaryKey)
            keys << c;
    return keys;
}

// The row as the server holds it: by primary key, or by every column when the table has
// none (then at most one row is touched).
QString rowCondition(const RowStore &store, int row)
{
    QStringList parts;
    const QList<int> keys = keyColumns(store);
    if (!keys.isEmpty()) {
        for (int c : keys) {
            const QString lit = sqlbuild::storedLiteral(store, row, c);
            parts << sqlbuild::identifier(store.column(c).name) +
                         (lit == u"NULL" ? QStringLiteral(" IS NULL") : QStringLiteral(" = ") + lit);
        }
        return QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    }
    for (int c = 0; c < store.dataColumnCount(); ++c)
        parts << sqlbuild::identifier(store.column(c).name) + QStringLiteral(" <=> ") +
                     sqlbuild::storedLiteral(store, row, c);
    return QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND ")) + QStringLiteral(" LIMIT 1");
}

}  // namespace

void TmySQLTable::doOpen(RowStore &store)
{
    TmySQLDatabase &db = requireDatabase(t->db, t->tableName);
    if (t->tableName.trimmed().isEmpty())
        throw EmySQLDatabaseError(QStringLiteral("Nincs megadva a tábla neve (%1)").arg(objectName()));
    QString sql = QStringLiteral("SELECT * FROM ") + sqlbuild::qualifiedName(t->tableName);
    QStringList order;
    for (const QString &name : t->indexFieldNames.split(u';', Qt::SkipEmptyParts))
        order << sqlbuild::identifier(name.trimmed());
    if (!order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + order.join(u',');
    st_mysql_res *res = db.openResult(sql);
    if (!res)
        throw EmySQLDatabaseError(QStringLiteral("A tábla nem adott vissza sorokat: %1").arg(t->tableName));
    store.adoptResult(res, db.codec());
}

// After writing, the row is read back by its key so that it shows what the server made of
// it (defaults, the auto-increment value, time stamps).
static void readBack(TmySQLDatabase &db, const QString &table, RowStore &store, const QList<int> &keys)
{
    PendingRow &pending = store.pending();
    QStringList parts;
    for (int c : keys) {
        const QVariant &v = pending.values[size_t(c)];
        if (!v.isValid())
            return;
        parts << sqlbuild::identifier(store.column(c).name) + QStringLiteral(" = ") +
                     sqlbuild::literal(v, store.column(c));
    }
    st_mysql_res *res = db.openResult(QStringLiteral("SELECT * FROM ") + sqlbuild::qualifiedName(table) +
                                      QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND ")));
    if (!res)
        return;
    RowStore fresh;
    fresh.adoptResult(res, db.codec());
    if (fresh.rowCount() != 1 || fresh.dataColumnCount() != store.dataColumnCount())
        return;
    for (int c = 0; c < store.dataColumnCount(); ++c)
        pending.values[size_t(c)] = fresh.value(0, c);
}

void TmySQLTable::doPost(RowStore &store, int storeRow, bool inserting)
{
    TmySQLDatabase &db = requireDatabase(t->db, t->tableName);
    PendingRow &pending = store.pending();
    const QString table = sqlbuild::qualifiedName(t->tableName);
    const QList<int> keys = keyColumns(store);

    if (inserting) {
        QStringList names, values;
        for (int c = 0; c < store.dataColumnCount(); ++c) {
            if (!pending.assigned[size_t(c)])
                continue;
            names << sqlbuild::identifier(store.column(c).name);
            values << sqlbuild::literal(pending.values[size_t(c)], store.column(c));
        }
        db.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(table, names.join(u','), values.join(u',')));
        const quint64 id = db.lastInsertId();
        for (int c = 0; c < store.dataColumnCount(); ++c) {
            QVariant &v = pending.values[size_t(c)];
            if (store.column(c).autoIncrement && id != 0 && (!v.isValid() || v.toLongLong() == 0))
                v = store.column(c).type == TFieldType::ftInteger ||
                            store.column(c).type == TFieldType::ftSmallint
                        ? QVariant(int(id))
                        : QVariant(qlonglong(id));
        }
        if (!keys.isEmpty())
            readBack(db, t->tableName, store, keys);
        return;
    }

    QStringList sets;
    for (int c = 0; c < store.dataColumnCount(); ++c) {
        if (!pending.assigned[size_t(c)])
            continue;
        const QVariant &v = pending.values[size_t(c)];
        const QVariant old = store.storedValue(storeRow, c);
        if (v.isValid() == old.isValid() && (!v.isValid() || (v == old && v.typeId() == old.typeId())))
            continue;
        sets << sqlbuild::identifier(store.column(c).name) + QStringLiteral(" = ") +
                    sqlbuild::literal(v, store.column(c));
    }
    if (sets.isEmpty())
        return;
    db.execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + sets.join(QStringLiteral(", ")) +
               rowCondition(store, storeRow));
    if (!keys.isEmpty())
        readBack(db, t->tableName, store, keys);
}

void TmySQLTable::doDelete(RowStore &store, int storeRow)
{
    TmySQLDatabase &db = requireDatabase(t->db, t->tableName);
    db.execute(QStringLiteral("DELETE FROM ") + sqlbuild::qualifiedName(t->tableName) +
               rowCondition(store, storeRow));
}
