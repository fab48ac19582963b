#include "valuetext.h"

#include "core/cp1250.h"
#include "core/numberformat.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace zorva {

int generalNumberAscii(double v, char *out)
{
    // Subnormal numbers carry too few bits for the argument below.
    if (!std::isfinite(v) || std::fabs(v) < std::numeric_limits<double>::min())
        return -1;
    // The shortest exact digits; with at most 15 of them they are also the value
    // rounded to 15 significant digits, laid out as printf's %.15g would.
    char sci[40];
    const auto r = std::to_chars(sci, sci + sizeof sci, v, std::chars_format::scientific);
    const char *p = sci;
    const char *end = r.ptr;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[24];
    int nd = 0;
    while (p < end && *p != 'e') {
        if (*p != '.') {
            if (nd == 17)
                return -1;
            digits[nd++] = *p;
        }
        ++p;
    }
    if (nd > 15 || p >= end)
        return -1;
    while (nd > 1 && digits[nd - 1] == '0')
        --nd;
    int exp = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exp);

    char *o = out;
    if (negative)
        *o++ = '-';
    if (exp < -4 || exp >= 15) {
        *o++ = digits[0];
        if (nd > 1) {
            *o++ = '.';
            std::memcpy(o, digits + 1, size_t(nd - 1));
            o += nd - 1;
        }
        *o++ = 'e';
        *o++ = exp < 0 ? '-' : '+';
        const int e = exp < 0 ? -exp : exp;
        if (e < 10)
            *o++ = '0';
        o = std::to_chars(o, o + 4, e).ptr;
    } else if (exp < 0) {
        *o++ = '0';
        *o++ = '.';
        for (int i = -1; i > exp; --i)
            *o++ = '0';
        std::memcpy(o, digits, size_t(nd));
        o += nd;
    } else {
        for (int i = 0; i <= exp; ++i)
            *o++ = i < nd ? digits[i] : '0';
        if (nd > exp + 1) {
            *o++ = '.';
            std::memcpy(o, digits + exp + 1, size_t(nd - exp - 1));
            o += nd - exp - 1;
        }
    }
    return int(o - out);
}

QString generalNumberText(double value, const QLocale &locale)
{
    const QChar dp = locale.decimalPoint().at(0);
    char buf[40];
    const int n = generalNumberAscii(value, buf);
    if (n < 0)
        return FormatFloat(QString(), value, dp, locale.groupSeparator().at(0));
    QString s = QString::fromLatin1(buf, n);
    if (dp != QLatin1Char('.'))
        s.replace(QLatin1Char('.'), dp);
    return s;
}

QString plainValueText(const TField &field, const QLocale &locale)
{
    return PlainValueFormatter(locale).text(field);
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

PlainValueFormatter::PlainValueFormatter(const QLocale &locale)
    : m_locale(locale), m_decimal(locale.decimalPoint().at(0)), m_asciiDecimal(m_decimal.unicode() < 0x80)
{
    if (!compileDateFormat())
        m_date.clear();
}

// The short date format taken apart into day, month and year fields, when it
// has nothing else; checked against the locale's own output.
bool PlainValueFormatter::compileDateFormat()
{
    const QString f = m_locale.dateFormat(QLocale::ShortFormat);
    for (qsizetype i = 0; i < f.size();) {
        const QChar c = f.at(i);
        qsizetype j = i;
        while (j < f.size() && f.at(j) == c)
            ++j;
        const int run = int(j - i);
        if (c == u'd' || c == u'M') {
            if (run > 2)
                return false;
            m_date.push_back({char(c.unicode()), run, QString()});
        } else if (c == u'y') {
            if (run != 1 && run != 2 && run != 4)
                return false;
            m_date.push_back({'y', run == 2 ? 2 : 4, QString()});
        } else if (c.isLetter() || c == u'\'') {
            return false;
        } else {
            m_date.push_back({0, 0, f.mid(i, run)});
        }
        i = j;
    }
    bool same = true;
    for (const QDate d : {QDate(2024, 3, 5), QDate(1999, 12, 31), QDate(2001, 10, 1), QDate(987, 1, 2)})
        same = same && dateText(d) == m_locale.toString(d, QLocale::ShortFormat);
    m_dates.clear();
    return same;
}

QString PlainValueFormatter::dateText(const QDate &date) const
{
    if (!date.isValid())
        return QString();
    const qint64 day = date.toJulianDay();
    const auto hit = m_dates.constFind(day);
    if (hit != m_dates.cend())
        return *hit;
    QString s;
    if (m_date.empty()) {
        s = m_locale.toString(date, QLocale::ShortFormat);
    } else {
        s.reserve(16);
        for (const DatePart &p : m_date) {
            if (p.kind == 0) {
                s += p.literal;
                continue;
            }
            int v = p.kind == 'd' ? date.day() : p.kind == 'M' ? date.month() : date.year();
            if (p.kind == 'y' && p.width == 2)
                v %= 100;
            char digits[12];
            const int n = int(std::to_chars(digits, digits + sizeof digits, v).ptr - digits);
            for (int i = n; i < p.width; ++i)
                s += QLatin1Char('0');
            s += QLatin1StringView(digits, n);
        }
    }
    if (m_dates.size() >= 100000)
        m_dates.clear();
    m_dates.insert(day, s);
    return s;
}

void PlainValueFormatter::appendInteger(QByteArray &out, qint64 value) const
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, r.ptr - buf);
}

void PlainValueFormatter::appendNumber(QByteArray &out, double value) const
{
    char buf[40];
    const int n = generalNumberAscii(value, buf);
    if (n < 0 || !m_asciiDecimal) {
        appendCp1250(out, generalNumberText(value, m_locale));
        return;
    }
    if (m_decimal != QLatin1Char('.')) {
        if (char *dot = static_cast<char *>(std::memchr(buf, '.', size_t(n))))
            *dot = char(m_decimal.unicode());
    }
    out.append(buf, n);
}

void PlainValueFormatter::appendDate(QByteArray &out, const QDate &date) const
{
    if (!date.isValid())
        return;
    m_encodedDates.append(out, date.toJulianDay(), [&] { return toCp1250(dateText(date)); });
}

QString PlainValueFormatter::text(const TField &field) const
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
            return generalNumberText(field.asFloat(), m_locale);
        case TFieldType::ftDate:
            return dateText(field.asDate());
        case TFieldType::ftDateTime: {
            const QDateTime v = field.asDateTime();
            return dateText(v.date()) + QLatin1Char(' ') + v.time().toString(QStringLiteral("HH:mm:ss"));
        }
        case TFieldType::ftTime:
            return field.value().toTime().toString(QStringLiteral("HH:mm:ss"));
        default:
            return field.asString();
    }
}

}  // namespace zorva
