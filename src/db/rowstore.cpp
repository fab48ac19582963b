#include "rowstore.h"

#include "cellconv.h"
#include "textcodec.h"

#include <mysql.h>

RowStore::RowStore() : m_codec(std::make_shared<TextCodec>(QStringLiteral("utf8mb4"))) {}

RowStore::~RowStore()
{
    if (m_result)
        mysql_free_result(m_result);
}

ColumnInfo columnFromServerField(const st_mysql_field &f, const TextCodec &codec)
{
    ColumnInfo c;
    c.name = codec.decode(f.name, qsizetype(f.name_length));
    c.primaryKey = (f.flags & PRI_KEY_FLAG) != 0;
    c.autoIncrement = (f.flags & AUTO_INCREMENT_FLAG) != 0;
    c.isUnsigned = (f.flags & UNSIGNED_FLAG) != 0;
    const bool binary = f.charsetnr == 63;
    const int chars = int(f.length / unsigned(std::max(1, codec.maxBytesPerChar())));
    switch (f.type) {
        case MYSQL_TYPE_TINY:
        case MYSQL_TYPE_SHORT:
        case MYSQL_TYPE_YEAR:
            c.type = TFieldType::ftSmallint;
            break;
        case MYSQL_TYPE_LONG:
        case MYSQL_TYPE_INT24:
            c.type =
                c.isUnsigned && f.type == MYSQL_TYPE_LONG ? TFieldType::ftLargeint : TFieldType::ftInteger;
            break;
        case MYSQL_TYPE_LONGLONG:
            c.type = TFieldType::ftLargeint;
            break;
        case MYSQL_TYPE_BIT:
            c.type = TFieldType::ftLargeint;
            c.bitField = true;
            break;
        case MYSQL_TYPE_FLOAT:
        case MYSQL_TYPE_DOUBLE:
            c.type = TFieldType::ftFloat;
            break;
        case MYSQL_TYPE_DECIMAL:
        case MYSQL_TYPE_NEWDECIMAL:
            c.type = TFieldType::ftBCD;
            break;
        case MYSQL_TYPE_DATE:
        case MYSQL_TYPE_NEWDATE:
            c.type = TFieldType::ftDate;
            break;
        case MYSQL_TYPE_DATETIME:
        case MYSQL_TYPE_TIMESTAMP:
            c.type = TFieldType::ftDateTime;
            break;
        case MYSQL_TYPE_TIME:
            c.type = TFieldType::ftTime;
            break;
        case MYSQL_TYPE_TINY_BLOB:
        case MYSQL_TYPE_BLOB:
        case MYSQL_TYPE_MEDIUM_BLOB:
        case MYSQL_TYPE_LONG_BLOB:
        case MYSQL_TYPE_GEOMETRY:
            c.type = binary ? TFieldType::ftBlob : TFieldType::ftMemo;
            c.size = chars;
            break;
        default:  // CHAR, VARCHAR, ENUM, SET, JSON, NULL
            c.type = binary && f.type != MYSQL_TYPE_NULL ? TFieldType::ftBlob : TFieldType::ftString;
            c.size = chars;
            break;
    }
    if (c.autoIncrement && isIntegerType(c.type))
        c.type = TFieldType::ftAutoInc;
    return c;
}

void RowStore::adoptResult(st_mysql_res *result, std::shared_ptr<const TextCodec> codec)
{
    m_result = result;
    m_codec = std::move(codec);
    const unsigned n = mysql_num_fields(result);
    const MYSQL_FIELD *fields = mysql_fetch_fields(result);
    m_columns.clear();
    m_columns.reserve(n);
    for (unsigned i = 0; i < n; ++i)
        m_columns.push_back(columnFromServerField(fields[i], *m_codec));
    m_dataColumns = int(n);
    m_extraColumns = 0;

    m_rows.reserve(size_t(mysql_num_rows(result)));
    bool layoutChecked = false;
    bool usualLayout = true;
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        m_rows.push_back(Row{row, kServer});
        if (!layoutChecked) {
            layoutChecked = true;
            const unsigned long *lengths = mysql_fetch_lengths(result);
            for (unsigned c = 0; c < n && usualLayout; ++c) {
                const CellRef cell = storedCell(0, int(c));
                usualLayout = (cell.data == nullptr) == (row[c] == nullptr) &&
                              (cell.data == nullptr || qsizetype(lengths[c]) == cell.length);
            }
        }
    }
    if (!usualLayout) {
        m_lengths.resize(m_rows.size() * n);
        mysql_data_seek(result, 0);
        size_t r = 0;
        while (mysql_fetch_row(result)) {
            const unsigned long *lengths = mysql_fetch_lengths(result);
            for (unsigned c = 0; c < n; ++c)
                m_lengths[r * n + c] = quint32(lengths[c]);
            ++r;
        }
    }
}

void RowStore::setColumns(const std::vector<ColumnInfo> &columns)
{
    m_columns = columns;
    m_dataColumns = int(columns.size());
    m_extraColumns = 0;
}

void RowStore::setExtraColumns(const std::vector<ColumnInfo> &columns)
{
    m_columns.resize(size_t(m_dataColumns));
    m_columns.insert(m_columns.end(), columns.begin(), columns.end());
    m_extraColumns = int(columns.size());
    m_extra.assign(m_rows.size() * size_t(m_extraColumns), QVariant());
}

int RowStore::appendOwnedRow(std::vector<QVariant> values)
{
    values.resize(size_t(m_dataColumns));
    m_owned.push_back(std::move(values));
    m_rows.push_back(Row{nullptr, int(m_owned.size() - 1)});
    m_extra.resize(m_extra.size() + size_t(m_extraColumns));
    return rowCount() - 1;
}

QVariant RowStore::toVariant(const CellRef &cell, const ColumnInfo &col) const
{
    if (cell.value)
        return *cell.value;
    if (!cell.data)
        return QVariant();
    switch (col.type) {
        case TFieldType::ftSmallint:
        case TFieldType::ftInteger:
            return QVariant(int(cellconv::toInt64(cell, col)));
        case TFieldType::ftLargeint:
        case TFieldType::ftAutoInc:
            return QVariant(qlonglong(cellconv::toInt64(cell, col)));
        case TFieldType::ftFloat:
        case TFieldType::ftBCD:
            return QVariant(cellconv::toDouble(cell, col));
        case TFieldType::ftDate:
            return QVariant(cellconv::toDate(cell, col));
        case TFieldType::ftDateTime:
            return QVariant(cellconv::toDateTime(cell, col));
        case TFieldType::ftTime:
            return QVariant(cellconv::toTime(cell, col));
        case TFieldType::ftBlob:
            return QVariant(QByteArray(cell.data, cell.length));
        default:
            return QVariant(m_codec->decode(cell.data, cell.length));
    }
}

QVariant RowStore::value(int r, int c) const
{
    return toVariant(cell(r, c), m_columns[size_t(c)]);
}

QVariant RowStore::storedValue(int r, int c) const
{
    return toVariant(storedCell(r, c), m_columns[size_t(c)]);
}

void RowStore::setExtraValue(int r, int c, const QVariant &v)
{
    if (r == m_pending.row)
        m_pending.values[size_t(c)] = v;
    else
        m_extra[size_t(r) * size_t(m_extraColumns) + size_t(c - m_dataColumns)] = v;
}

void RowStore::clearExtraValues(int r)
{
    for (int c = m_dataColumns; c < columnCount(); ++c)
        setExtraValue(r, c, QVariant());
}

void RowStore::beginEdit(int r)
{
    m_pending.row = -1;
    std::vector<QVariant> values;
    values.reserve(size_t(columnCount()));
    for (int c = 0; c < columnCount(); ++c)
        values.push_back(value(r, c));
    m_pending.values = std::move(values);
    m_pending.assigned.assign(size_t(columnCount()), 0);
    m_pending.inserting = false;
    m_pending.row = r;
}

int RowStore::beginInsert()
{
    const int r = appendOwnedRow(std::vector<QVariant>(size_t(m_dataColumns)));
    m_pending.values.assign(size_t(columnCount()), QVariant());
    m_pending.assigned.assign(size_t(columnCount()), 0);
    m_pending.inserting = true;
    m_pending.row = r;
    return r;
}

void RowStore::commitPending()
{
    const int r = m_pending.row;
    if (r < 0)
        return;
    Row &row = m_rows[size_t(r)];
    std::vector<QVariant> data(m_pending.values.begin(), m_pending.values.begin() + m_dataColumns);
    if (row.owned >= 0) {
        m_owned[size_t(row.owned)] = std::move(data);
    } else {
        m_owned.push_back(std::move(data));
        row.owned = int(m_owned.size() - 1);
        row.cells = nullptr;
    }
    for (int c = m_dataColumns; c < columnCount(); ++c)
        m_extra[size_t(r) * size_t(m_extraColumns) + size_t(c - m_dataColumns)] = m_pending.values[size_t(c)];
    m_pending = PendingRow();
}

void RowStore::discardPending()
{
    const int r = m_pending.row;
    const bool inserting = m_pending.inserting;
    m_pending = PendingRow();
    if (inserting && r >= 0)
        kill(r);
}

void RowStore::kill(int r)
{
    Row &row = m_rows[size_t(r)];
    if (row.owned >= 0)
        std::vector<QVariant>().swap(m_owned[size_t(row.owned)]);
    row.owned = kDead;
    row.cells = nullptr;
    for (int k = 0; k < m_extraColumns; ++k)
        m_extra[size_t(r) * size_t(m_extraColumns) + size_t(k)] = QVariant();
}
