#include "sqlbuild_p.h"

#include "cellconv.h"
#include "valueconv.h"

#include "core/sqltext.h"

namespace sqlbuild {

QString identifier(const QString &name)
{
    QString n = name;
    n.replace(u'`', QStringLiteral("``"));
    return u'`' + n + u'`';
}

QString qualifiedName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.contains(u'`'))
        return trimmed;  // already quoted by the caller
    QStringList parts;
    for (const QString &part : trimmed.split(u'.'))
        parts << identifier(part);
    return parts.join(u'.');
}

namespace {

QString hexLiteral(const QByteArray &bytes)
{
    return bytes.isEmpty() ? QStringLiteral("''")
                           : QStringLiteral("X'%1'").arg(QString::fromLatin1(bytes.toHex()));
}

bool plainNumber(const char *p, qsizetype n)
{
    if (n == 0)
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    }
    return true;
}

}  // namespace

QString literal(const QVariant &value, const ColumnInfo &col)
{
    if (!value.isValid())
        return QStringLiteral("NULL");
    switch (col.type) {
        case TFieldType::ftSmallint:
        case TFieldType::ftInteger:
        case TFieldType::ftLargeint:
        case TFieldType::ftAutoInc:
            return QString::number(value.toLongLong());
        case TFieldType::ftFloat:
        case TFieldType::ftBCD:
            return dbconv::formatDouble(value.toDouble());
        case TFieldType::ftDate:
            return zorva::SqlDate(value.toDate());
        case TFieldType::ftDateTime:
            return zorva::SqlDateTime(value.toDateTime());
        case TFieldType::ftTime:
            return u'\'' + value.toTime().toString(u"hh:mm:ss") + u'\'';
        case TFieldType::ftBlob:
            return hexLiteral(value.toByteArray());
        default:
            return zorva::SqlText(value.toString());
    }
}

QString storedLiteral(const RowStore &store, int row, int column)
{
    const CellRef cell = store.storedCell(row, column);
    const ColumnInfo &col = store.column(column);
    if (cell.isNull())
        return QStringLiteral("NULL");
    if (cell.value)
        return literal(*cell.value, col);
    // The server's own text of the value: numbers as they are, everything else quoted.
    if (col.type == TFieldType::ftBlob || col.bitField)
        return hexLiteral(QByteArray(cell.data, cell.length));
    if (isNumericType(col.type) && plainNumber(cell.data, cell.length))
        return QString::fromLatin1(cell.data, cell.length);
    if (isTextType(col.type) || col.type == TFieldType::ftUnknown)
        return zorva::SqlText(store.codec().decode(cell.data, cell.length));
    return zorva::SqlText(QString::fromLatin1(cell.data, cell.length));
}

}  // namespace sqlbuild
