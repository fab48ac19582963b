#include "field.h"

#include "cellconv.h"
#include "dataset_p.h"
#include "errors.h"

#include "core/numberformat.h"

#include <QLocale>

bool isTextType(TFieldType t)
{
    return t == TFieldType::ftString || t == TFieldType::ftMemo;
}

bool isIntegerType(TFieldType t)
{
    return t == TFieldType::ftSmallint || t == TFieldType::ftInteger || t == TFieldType::ftLargeint ||
           t == TFieldType::ftAutoInc;
}

bool isNumericType(TFieldType t)
{
    return isIntegerType(t) || t == TFieldType::ftFloat || t == TFieldType::ftBCD;
}

TField::TField(TDataSet *owner, int index, const QString &name, TFieldType type, int size)
    : m_owner(owner), m_index(index), m_name(name), m_type(type), m_size(size)
{
}

// Every read goes through the owner's current row (or the row being calculated); with no
// row, the field reads as NULL.
#define ZORVA_FIELD_CELL(defaultValue)                \
    const TDataSet::Private &p = *m_owner->d;         \
    const int row = p.readRow();                      \
    if (row < 0 || m_index >= p.store->columnCount()) \
        return defaultValue;                          \
    const CellRef cell = p.store->cell(row, m_index); \
    const ColumnInfo &col = p.store->column(m_index); \
    Q_UNUSED(col)

// The current row's bytes straight from the server's field array, when there is one (a
// NULL goes the general way).
inline bool TField::fastBytes(const char *&data, qsizetype &length) const
{
    const TDataSet::Private &p = *m_owner->d;
    char **cells = p.fastCells;
    if (!cells || m_index >= p.fastColumns)
        return false;
    const char *s = cells[m_index];
    if (!s)
        return false;
    int j = m_index + 1;
    while (!cells[j])
        ++j;
    data = s;
    length = cells[j] - s - 1;
    return true;
}

bool TField::isNull() const
{
    ZORVA_FIELD_CELL(true);
    return cell.isNull();
}

QVariant TField::value() const
{
    ZORVA_FIELD_CELL(QVariant());
    return p.store->toVariant(cell, col);
}

QString TField::asString() const
{
    const char *data;
    qsizetype length;
    if (isTextType(m_type) && fastBytes(data, length))
        return m_owner->d->store->codec().decode(data, length);
    ZORVA_FIELD_CELL(QString());
    return cellconv::toString(cell, col, p.store->codec());
}

int TField::asInteger() const
{
    const char *data;
    qsizetype length;
    if (!m_bitField && fastBytes(data, length)) {
        qint64 v;
        const auto r = std::from_chars(data, data + length, v);
        if (r.ec == std::errc() && r.ptr == data + length)
            return int(v);
    }
    ZORVA_FIELD_CELL(0);
    return int(cellconv::toInt64(cell, col));
}

qint64 TField::asLargeInt() const
{
    ZORVA_FIELD_CELL(0);
    return cellconv::toInt64(cell, col);
}

double TField::asFloat() const
{
    const char *data;
    qsizetype length;
    if (!m_bitField && fastBytes(data, length)) {
        double v;
        const auto r = std::from_chars(data, data + length, v);
        if (r.ec == std::errc() && r.ptr == data + length)
            return v;
    }
    ZORVA_FIELD_CELL(0.0);
    return cellconv::toDouble(cell, col);
}

bool TField::asBoolean() const
{
    ZORVA_FIELD_CELL(false);
    return cellconv::toBool(cell, col, p.store->codec());
}

QDate TField::asDate() const
{
    const char *data;
    qsizetype length;
    if (m_type == TFieldType::ftDate && fastBytes(data, length))
        return dbconv::parseDate(data, length);
    ZORVA_FIELD_CELL(QDate());
    return cellconv::toDate(cell, col);
}

QDateTime TField::asDateTime() const
{
    ZORVA_FIELD_CELL(QDateTime());
    return cellconv::toDateTime(cell, col);
}

QByteArray TField::asBytes() const
{
    ZORVA_FIELD_CELL(QByteArray());
    return cellconv::toBytes(cell, col, p.store->codec());
}

QString TField::displayText() const
{
    ZORVA_FIELD_CELL(QString());
    return cell.isNull() ? QString() : formatCell(cell);
}

#undef ZORVA_FIELD_CELL

QString TField::formatCell(const CellRef &cell) const
{
    const RowStore &st = *m_owner->d->store;
    const ColumnInfo &col = st.column(m_index);
    if (cell.isNull())
        return QString();
    if (isNumericType(m_type)) {
        if (!m_format.isEmpty())
            return zorva::FormatFloat(m_format, cellconv::toDouble(cell, col));
        QString text = cellconv::toString(cell, col, st.codec());
        if (!isIntegerType(m_type))
            text.replace(u'.', QLocale().decimalPoint());
        return text;
    }
    if (!m_format.isEmpty()) {
        if (m_type == TFieldType::ftDate) {
            const QDate date = cellconv::toDate(cell, col);
            return date.isValid() ? zorva::FormatDateTime(m_format, date) : QString();
        }
        if (m_type == TFieldType::ftDateTime) {
            const QDateTime dt = cellconv::toDateTime(cell, col);
            return dt.isValid() ? zorva::FormatDateTime(m_format, dt) : QString();
        }
    }
    return cellconv::toString(cell, col, st.codec());
}

void TField::setValue(const QVariant &v)
{
    TDataSet::Private &p = *m_owner->d;
    if (m_lookup)
        throw EmySQLDatabaseError(QStringLiteral("A(z) %1 mező csak olvasható").arg(m_name));
    if (m_calculated) {
        if (!p.inCalc || p.calcRow < 0)
            throw EmySQLDatabaseError(
                QStringLiteral("A(z) %1 számított mező csak a számítás közben írható").arg(m_name));
        p.store->setExtraValue(p.calcRow, m_index, cellconv::normalize(v, p.store->column(m_index)));
        return;
    }
    p.requireActive();
    p.requireEditing();
    PendingRow &pending = p.store->pending();
    pending.values[size_t(m_index)] = cellconv::normalize(v, p.store->column(m_index));
    pending.assigned[size_t(m_index)] = 1;
    p.computeExtras(pending.row);
    p.notifyRowChanged(p.pos);
}

void TField::setAsString(const QString &v)
{
    setValue(QVariant(v));
}

void TField::setAsInteger(qint64 v)
{
    setValue(QVariant(qlonglong(v)));
}

void TField::setAsFloat(double v)
{
    setValue(QVariant(v));
}

void TField::setAsDate(const QDate &v)
{
    setValue(QVariant(v));
}

void TField::setAsDateTime(const QDateTime &v)
{
    setValue(QVariant(v));
}

void TField::clear()
{
    setValue(QVariant());
}
