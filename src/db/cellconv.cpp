#include "cellconv.h"

#include "errors.h"

#include <cmath>

namespace cellconv {

namespace {

qint64 bitValue(const CellRef &c)
{
    quint64 v = 0;
    for (qsizetype i = 0; i < c.length; ++i)
        v = (v << 8) | static_cast<unsigned char>(c.data[i]);
    return qint64(v);
}

qint64 roundToInt64(double v)
{
    if (!std::isfinite(v) || std::fabs(v) > 9.2e18)
        return 0;
    return std::llround(v);
}

bool isIntegerValue(const QVariant &v)
{
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Bool:
            return true;
        default:
            return false;
    }
}

bool isFloatValue(const QVariant &v)
{
    return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

[[noreturn]] void badValue(const ColumnInfo &col, const QVariant &v)
{
    throw EmySQLDatabaseError(
        QStringLiteral("Érvénytelen érték a(z) %1 mezőben: '%2'").arg(col.name, v.toString()));
}

}  // namespace

QString toStringSlow(const CellRef &c, const ColumnInfo &col, const TextCodec &codec)
{
    if (c.isNull())
        return QString();
    if (c.value) {
        const QVariant &v = *c.value;
        switch (col.type) {
            case TFieldType::ftFloat:
            case TFieldType::ftBCD:
                return dbconv::formatDouble(v.toDouble());
            case TFieldType::ftDate:
                return dbconv::dateText(v.toDate());
            case TFieldType::ftDateTime:
                return dbconv::dateTimeText(v.toDateTime());
            case TFieldType::ftTime:
                return dbconv::timeText(v.toTime());
            case TFieldType::ftBlob:
                return QString::fromLatin1(v.toByteArray());
            default:
                if (v.typeId() == QMetaType::Double)
                    return dbconv::formatDouble(v.toDouble());
                if (v.typeId() == QMetaType::QDate)
                    return dbconv::dateText(v.toDate());
                if (v.typeId() == QMetaType::QDateTime)
                    return dbconv::dateTimeText(v.toDateTime());
                return v.toString();
        }
    }
    switch (col.type) {
        case TFieldType::ftDate:
            return dbconv::dateText(dbconv::parseDate(c.data, c.length));
        case TFieldType::ftDateTime:
            return dbconv::dateTimeText(dbconv::parseDateTime(c.data, c.length));
        case TFieldType::ftSmallint:
        case TFieldType::ftInteger:
        case TFieldType::ftLargeint:
        case TFieldType::ftAutoInc:
            if (col.bitField)
                return QString::number(bitValue(c));
            return QString::fromLatin1(c.data, c.length);
        case TFieldType::ftFloat:
        case TFieldType::ftBCD:
        case TFieldType::ftTime:
        case TFieldType::ftBlob:
            return QString::fromLatin1(c.data, c.length);
        default:
            return codec.decode(c.data, c.length);
    }
}

qint64 toInt64Slow(const CellRef &c, const ColumnInfo &col)
{
    if (c.isNull())
        return 0;
    if (c.value) {
        const QVariant &v = *c.value;
        if (isIntegerValue(v))
            return v.toLongLong();
        if (isFloatValue(v))
            return roundToInt64(v.toDouble());
        if (v.typeId() == QMetaType::QString) {
            qint64 n;
            if (dbconv::parseInt64(v.toString(), n))
                return n;
            double x;
            return dbconv::parseDouble(v.toString(), x) ? roundToInt64(x) : 0;
        }
        return 0;
    }
    if (col.bitField)
        return bitValue(c);
    qint64 n;
    if (dbconv::parseInt64(c.data, c.length, n))
        return n;
    double x;
    return dbconv::parseDouble(c.data, c.length, x) ? roundToInt64(x) : 0;
}

double toDoubleSlow(const CellRef &c, const ColumnInfo &col)
{
    if (c.isNull())
        return 0;
    if (c.value) {
        const QVariant &v = *c.value;
        if (isIntegerValue(v) || isFloatValue(v))
            return v.toDouble();
        double x;
        if (v.typeId() == QMetaType::QString && dbconv::parseDouble(v.toString(), x))
            return x;
        return 0;
    }
    if (col.bitField)
        return double(bitValue(c));
    double x;
    return dbconv::parseDouble(c.data, c.length, x) ? x : 0;
}

QDate toDate(const CellRef &c, const ColumnInfo &col)
{
    if (c.isNull())
        return QDate();
    if (c.value) {
        const QVariant &v = *c.value;
        if (v.typeId() == QMetaType::QDate)
            return v.toDate();
        if (v.typeId() == QMetaType::QDateTime)
            return v.toDateTime().date();
        if (v.typeId() == QMetaType::QString)
            return dbconv::parseDateText(v.toString());
        return QDate();
    }
    if (col.type == TFieldType::ftDate || col.type == TFieldType::ftDateTime)
        return dbconv::parseDate(c.data, c.length);
    return dbconv::parseDateText(QString::fromLatin1(c.data, c.length));
}

QDateTime toDateTime(const CellRef &c, const ColumnInfo &col)
{
    if (c.isNull())
        return QDateTime();
    if (c.value) {
        const QVariant &v = *c.value;
        if (v.typeId() == QMetaType::QDateTime)
            return v.toDateTime();
        if (v.typeId() == QMetaType::QDate)
            return v.toDate().isValid() ? QDateTime(v.toDate(), QTime(0, 0)) : QDateTime();
        if (v.typeId() == QMetaType::QString)
            return dbconv::parseDateTimeText(v.toString());
        return QDateTime();
    }
    if (col.type == TFieldType::ftDate || col.type == TFieldType::ftDateTime)
        return dbconv::parseDateTime(c.data, c.length);
    return dbconv::parseDateTimeText(QString::fromLatin1(c.data, c.length));
}

QTime toTime(const CellRef &c, const ColumnInfo &col)
{
    if (c.isNull())
        return QTime();
    if (c.value) {
        const QVariant &v = *c.value;
        if (v.typeId() == QMetaType::QTime)
            return v.toTime();
        if (v.typeId() == QMetaType::QDateTime)
            return v.toDateTime().time();
        if (v.typeId() == QMetaType::QString)
            return QTime::fromString(v.toString(), u"hh:mm:ss");
        return QTime();
    }
    if (col.type == TFieldType::ftDateTime) {
        const QDateTime dt = dbconv::parseDateTime(c.data, c.length);
        return dt.isValid() ? dt.time() : QTime();
    }
    return dbconv::parseTime(c.data, c.length);
}

QByteArray toBytes(const CellRef &c, const ColumnInfo &col, const TextCodec &codec)
{
    if (c.isNull())
        return QByteArray();
    if (c.data)
        return QByteArray(c.data, c.length);
    const QVariant &v = *c.value;
    if (v.typeId() == QMetaType::QByteArray)
        return v.toByteArray();
    if (v.typeId() == QMetaType::QString)
        return codec.encode(v.toString());
    return toStringSlow(c, col, codec).toLatin1();
}

bool toBool(const CellRef &c, const ColumnInfo &col, const TextCodec &codec)
{
    if (c.isNull())
        return false;
    if (isNumericType(col.type))
        return toDouble(c, col) != 0;
    const QString t = toString(c, col, codec).trimmed();
    return t.compare(u"I", Qt::CaseInsensitive) == 0 || t == u"1" ||
           t.compare(u"true", Qt::CaseInsensitive) == 0;
}

QVariant normalize(const QVariant &v, const ColumnInfo &col)
{
    if (!v.isValid() || v.typeId() == QMetaType::Nullptr)
        return QVariant();
    const bool isText = v.typeId() == QMetaType::QString;
    switch (col.type) {
        case TFieldType::ftString:
        case TFieldType::ftMemo:
        case TFieldType::ftUnknown:
            if (isText)
                return v;
            if (isFloatValue(v))
                return dbconv::formatDouble(v.toDouble());
            if (v.typeId() == QMetaType::QDate)
                return dbconv::dateText(v.toDate());
            if (v.typeId() == QMetaType::QByteArray)
                return QString::fromUtf8(v.toByteArray());
            return v.toString();
        case TFieldType::ftSmallint:
        case TFieldType::ftInteger:
        case TFieldType::ftLargeint:
        case TFieldType::ftAutoInc: {
            qint64 n = 0;
            if (isIntegerValue(v)) {
                n = v.toLongLong();
            } else if (isFloatValue(v)) {
                const double x = v.toDouble();
                if (!std::isfinite(x))
                    badValue(col, v);
                n = roundToInt64(x);
            } else if (isText) {
                const QString t = v.toString().trimmed();
                if (t.isEmpty())
                    return QVariant();
                if (!dbconv::parseInt64(t, n))
                    badValue(col, v);
            } else {
                badValue(col, v);
            }
            if (col.type == TFieldType::ftSmallint || col.type == TFieldType::ftInteger) {
                if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
                    badValue(col, v);
                return QVariant(int(n));
            }
            return QVariant(qlonglong(n));
        }
        case TFieldType::ftFloat:
        case TFieldType::ftBCD: {
            double x = 0;
            if (isIntegerValue(v) || isFloatValue(v)) {
                x = v.toDouble();
            } else if (isText) {
                const QString t = v.toString().trimmed();
                if (t.isEmpty())
                    return QVariant();
                if (!dbconv::parseDouble(t, x))
                    badValue(col, v);
            } else {
                badValue(col, v);
            }
            if (!std::isfinite(x))
                badValue(col, v);
            return QVariant(x);
        }
        case TFieldType::ftDate:
            if (v.typeId() == QMetaType::QDate)
                return v;
            if (v.typeId() == QMetaType::QDateTime)
                return QVariant(v.toDateTime().date());
            if (isText) {
                if (v.toString().trimmed().isEmpty())
                    return QVariant();
                const QDate d = dbconv::parseDateText(v.toString());
                if (!d.isValid())
                    badValue(col, v);
                return QVariant(d);
            }
            badValue(col, v);
        case TFieldType::ftDateTime:
            if (v.typeId() == QMetaType::QDateTime)
                return v;
            if (v.typeId() == QMetaType::QDate)
                return QVariant(QDateTime(v.toDate(), QTime(0, 0)));
            if (isText) {
                if (v.toString().trimmed().isEmpty())
                    return QVariant();
                const QDateTime dt = dbconv::parseDateTimeText(v.toString());
                if (!dt.isValid())
                    badValue(col, v);
                return QVariant(dt);
            }
            badValue(col, v);
        case TFieldType::ftTime:
            if (v.typeId() == QMetaType::QTime)
                return v;
            if (v.typeId() == QMetaType::QDateTime)
                return QVariant(v.toDateTime().time());
            if (isText) {
                const QString t = v.toString().trimmed();
                if (t.isEmpty())
                    return QVariant();
                QTime time = QTime::fromString(t, u"hh:mm:ss");
                if (!time.isValid())
                    time = QTime::fromString(t, u"hh:mm");
                if (!time.isValid())
                    badValue(col, v);
                return QVariant(time);
            }
            badValue(col, v);
        case TFieldType::ftBlob:
            if (v.typeId() == QMetaType::QByteArray)
                return v;
            if (isText)
                return QVariant(v.toString().toUtf8());
            badValue(col, v);
    }
    return v;
}

namespace {

// Primary weight of a character: case folded, the Hungarian accented vowels with their
// plain letters (a=á, e=é, i=í, o=ó, ö=ő, u=ú, ü=ű), ö and ü right after o and u.
int weight(QChar ch)
{
    const char16_t c = QChar::toLower(ch.unicode());
    switch (c) {
        case u'á':
            return 'a' * 2;
        case u'é':
            return 'e' * 2;
        case u'í':
            return 'i' * 2;
        case u'ó':
            return 'o' * 2;
        case u'ö':
        case u'ő':
            return 'o' * 2 + 1;
        case u'ú':
            return 'u' * 2;
        case u'ü':
        case u'ű':
            return 'u' * 2 + 1;
        default:
            return int(c) * 2;
    }
}

template <typename T>
int threeWay(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

int compareText(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int wa = weight(a[i]), wb = weight(b[i]);
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return threeWay(QString::compare(a, b, Qt::CaseSensitive), 0);
}

int compare(const CellRef &a, const CellRef &b, const ColumnInfo &col, const TextCodec &codec)
{
    const bool an = a.isNull(), bn = b.isNull();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    switch (col.type) {
        case TFieldType::ftSmallint:
        case TFieldType::ftInteger:
        case TFieldType::ftLargeint:
        case TFieldType::ftAutoInc:
            return threeWay(toInt64(a, col), toInt64(b, col));
        case TFieldType::ftFloat:
        case TFieldType::ftBCD:
            return threeWay(toDouble(a, col), toDouble(b, col));
        case TFieldType::ftDate:
            return threeWay(toDate(a, col).toJulianDay(), toDate(b, col).toJulianDay());
        case TFieldType::ftDateTime: {
            const QDateTime x = toDateTime(a, col), y = toDateTime(b, col);
            return x == y ? 0 : (x < y ? -1 : 1);
        }
        case TFieldType::ftTime:
            return threeWay(toTime(a, col).msecsSinceStartOfDay(), toTime(b, col).msecsSinceStartOfDay());
        case TFieldType::ftBlob:
            return threeWay(toBytes(a, col, codec).compare(toBytes(b, col, codec)), 0);
        default:
            return compareText(toString(a, col, codec), toString(b, col, codec));
    }
}

}  // namespace cellconv
