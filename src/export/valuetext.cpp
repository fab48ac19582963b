#include "valuetext.h"

#include "numberformat.h"

namespace zorva {

QString generalNumberText(double value, const QLocale &locale)
{
    return FormatFloat(QString(), value, locale.decimalPoint().at(0));
}

QString plainValueText(const TField &field, const QLocale &locale)
{
    if (field.isNull())
        return QString();
    switch (field.dataType()) {
        case TFieldType::ftSmallint:
        case TFieldType::ftInteger:
        case TFieldType::ftLargeint:
        case TFieldType::ftAutoInc:
            return QString::number(field.asLargeInt());
        case TFieldType::ftFloat:
        case TFieldType::ftBCD:
            return generalNumberText(field.asFloat(), locale);
        case TFieldType::ftDate:
            return locale.toString(field.asDate(), QLocale::ShortFormat);
        case TFieldType::ftDateTime: {
            const QDateTime v = field.asDateTime();
            return locale.toString(v.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                   v.time().toString(QStringLiteral("HH:mm:ss"));
        }
        case TFieldType::ftTime:
            return field.value().toTime().toString(QStringLiteral("HH:mm:ss"));
        default:
            return field.asString();
    }
}

qint64 roundRatioHalfEven(qint64 numerator, qint64 denominator)
{
    const bool negative = (numerator < 0) != (denominator < 0);
    const qint64 n = numerator < 0 ? -numerator : numerator;
    const qint64 d = denominator < 0 ? -denominator : denominator;
    qint64 q = n / d;
    const qint64 r2 = (n % d) * 2;
    if (r2 > d || (r2 == d && (q & 1)))
        ++q;
    return negative ? -q : q;
}

}  // namespace zorva
