// Reading a cell as the program's types, and bringing written values to a column's type.
#pragma once

#include "rowstore.h"
#include "textcodec.h"
#include "valueconv.h"

namespace cellconv {

QString toStringSlow(const CellRef &c, const ColumnInfo &col, const TextCodec &codec);
qint64 toInt64Slow(const CellRef &c, const ColumnInfo &col);
double toDoubleSlow(const CellRef &c, const ColumnInfo &col);

// NULL reads as empty text.  Numbers keep the server's form ("." as separator); dates read
// as "yyyy.mm.dd.".
inline QString toString(const CellRef &c, const ColumnInfo &col, const TextCodec &codec)
{
    if (c.data && (col.type == TFieldType::ftString || col.type == TFieldType::ftMemo))
        return codec.decode(c.data, c.length);
    return toStringSlow(c, col, codec);
}

// NULL or text that is not a number reads as 0; a fractional number is rounded.
inline qint64 toInt64(const CellRef &c, const ColumnInfo &col)
{
    if (c.data && !col.bitField) {
        qint64 v;
        const auto r = std::from_chars(c.data, c.data + c.length, v);
        if (r.ec == std::errc() && r.ptr == c.data + c.length)
            return v;
    }
    return toInt64Slow(c, col);
}

inline double toDouble(const CellRef &c, const ColumnInfo &col)
{
    if (c.data && !col.bitField) {
        double v;
        const auto r = std::from_chars(c.data, c.data + c.length, v);
        if (r.ec == std::errc() && r.ptr == c.data + c.length)
            return v;
    }
    return toDoubleSlow(c, col);
}

QDate toDate(const CellRef &c, const ColumnInfo &col);
QDateTime toDateTime(const CellRef &c, const ColumnInfo &col);
QTime toTime(const CellRef &c, const ColumnInfo &col);
// Raw bytes: the wire form for server rows, the connection's encoding of owned text.
QByteArray toBytes(const CellRef &c, const ColumnInfo &col, const TextCodec &codec);
// "I", "1", "true" (any case) and non-zero numbers are true.
bool toBool(const CellRef &c, const ColumnInfo &col, const TextCodec &codec);

// A value written by the program, brought to the column's type; an invalid QVariant stays
// NULL.  Throws when the value does not fit the type (text that is not a number ...).
QVariant normalize(const QVariant &v, const ColumnInfo &col);

// Orders two cells of the same column: NULL first, then by value (text ignoring case
// first, the Hungarian accented vowels next to their plain letters).
int compare(const CellRef &a, const CellRef &b, const ColumnInfo &col, const TextCodec &codec);
int compareText(const QString &a, const QString &b);

}  // namespace cellconv
