#include "numberformat.h"

#include "globals.h"

#include <QStringList>
#include <QVarLengthArray>

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <unordered_map>

namespace zorva {

namespace {

// Splits a format into its sections; ';' inside quotes does not count.
QStringList splitSections(const QString &format)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

using DigitBuffer = QVarLengthArray<char, 64>;

}  // namespace

// |value| as decimal digits rounded to a number of places: the integer digits
// without leading zeros (none for 0), then exactly that many fraction digits.
namespace {

// The 15 significant digits of v >= 0, rounded half away from zero on its exact value,
// and the decimal exponent of the first one.
int significantDigits(double v, char *mantissa)
{
    // The shortest digits that read back as v are, when there are at most 15 of them, also
    // v rounded to 15 digits: a normal double is closer to them than half a step of the
    // 15th digit.  (Not so for subnormal numbers, which carry fewer bits.)
    if (v >= std::numeric_limits<double>::min()) {
        char s[40];  // d.ddde±XX
        const auto r = std::to_chars(s, s + sizeof s, v, std::chars_format::scientific);
        const char *ePos = static_cast<const char *>(std::memchr(s, 'e', size_t(r.ptr - s)));
        const int fraction = ePos - s > 2 ? int(ePos - s - 2) : 0;
        if (1 + fraction <= 15) {
            mantissa[0] = s[0];
            std::memcpy(mantissa + 1, s + 2, size_t(fraction));
            std::memset(mantissa + 1 + fraction, '0', size_t(14 - fraction));
            const char *expText = ePos + 1 + (ePos[1] == '+' ? 1 : 0);
            int exponent = 0;
            std::from_chars(expText, r.ptr, exponent);
            return exponent;
        }
    }
    // 17 digits are rounded already; only a tail of exactly "50" can hide which way
    // the 16th digit goes, and then the exact value tells.
    char e[64];  // d.dddddddddddddddde±XX
    auto r = std::to_chars(e, e + sizeof e, v, std::chars_format::scientific, 16);
    mantissa[0] = e[0];
    std::memcpy(mantissa + 1, e + 2, 14);
    bool up = e[16] > '5' || (e[16] == '5' && e[17] > '0');
    if (e[16] == '5' && e[17] == '0') {
        char x[80];
        std::to_chars(x, x + sizeof x, v, std::chars_format::scientific, 40);
        up = x[16] >= '5';
    }
    const char *expText = static_cast<const char *>(std::memchr(e, 'e', size_t(r.ptr - e))) + 1;
    if (*expText == '+')
        ++expText;
    int exponent = 0;
    std::from_chars(expText, r.ptr, exponent);
    if (up) {
        int i = 14;
        for (; i >= 0 && mantissa[i] == '9'; --i)
            mantissa[i] = '0';
        if (i >= 0) {
            ++mantissa[i];
        } else {
            mantissa[0] = '1';  // 999...9 became 1000...0
            ++exponent;
        }
    }
    return exponent;
}

}  // namespace

struct PreparedNumberFormat::Digits {
    DigitBuffer digits;
    int start = 0;     // first integer digit in `digits`
    int intCount = 0;  // integer digits
    int fracCount = 0;

    const char *integer() const { return digits.constData() + start; }
    const char *fraction() const { return digits.constData() + start + intCount; }
    bool isZero() const
    {
        if (intCount > 0)
            return false;
        const char *f = fraction();
        for (int i = 0; i < fracCount; ++i) {
            if (f[i] != '0')
                return false;
        }
        return true;
    }

    // Rounds half away from zero on the value's 15 significant digits, as it was
    // entered, so that 2.675 stays 2.675 and gives 2.68.
    void round(double value, int decimals)
    {
        char mantissa[16];
        const int exponent = significantDigits(std::fabs(value), mantissa);
        // digits[i] has the weight 10^(exponent - i); the point comes after exponent + 1 digits.
        int pointPos = exponent + 1;
        digits.clear();
        if (pointPos < 0) {
            digits.insert(digits.end(), -pointPos, '0');
            pointPos = 0;
        }
        digits.append(mantissa, 15);
        const int keep = pointPos + decimals;
        if (digits.size() < keep)
            digits.insert(digits.end(), keep - int(digits.size()), '0');
        const bool roundUp = keep < digits.size() && digits[keep] >= '5';
        digits.resize(keep);
        if (roundUp) {
            int i = keep - 1;
            for (; i >= 0; --i) {
                if (digits[i] == '9') {
                    digits[i] = '0';
                } else {
                    ++digits[i];
                    break;
                }
            }
            if (i < 0) {
                digits.insert(digits.begin(), '1');
                ++pointPos;
            }
        }
        start = 0;
        while (start < pointPos && digits[start] == '0')
            ++start;
        intCount = pointPos - start;
        fracCount = decimals;
    }

    void zero(int decimals)
    {
        digits.clear();
        digits.insert(digits.end(), decimals, '0');
        start = 0;
        intCount = 0;
        fracCount = decimals;
    }
};

PreparedNumberFormat::Section PreparedNumberFormat::prepareSection(const QString &text)
{
    Section s;
    bool afterPoint = false;
    bool zeroSeen = false;
    auto literal = [&s, &afterPoint](QStringView t) {
        const Item item{false, int(s.chars.size()), int(t.size())};
        s.chars += t;
        (afterPoint ? s.fracItems : s.intItems).push_back(item);
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('#') || c == QLatin1Char('0')) {
            if (afterPoint) {
                ++s.fracPlaces;
                if (c == QLatin1Char('0'))
                    s.minFrac = s.fracPlaces;
                s.fracItems.push_back({true, 0, 0});
            } else {
                ++s.intPlaces;
                zeroSeen = zeroSeen || c == QLatin1Char('0');
                if (zeroSeen)
                    ++s.minInt;
                s.intItems.push_back({true, 0, 0});
            }
        } else if (c == QLatin1Char('.')) {
            if (afterPoint)
                literal(u".");  // only the first point is the decimal separator
            afterPoint = true;
            s.hasPoint = true;
        } else if (c == QLatin1Char(',')) {
            if (!afterPoint)
                s.grouping = true;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = text.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? text.size() : end;
            literal(QStringView(text).mid(i + 1, stop - i - 1));
            i = stop;
        } else {
            literal(QStringView(&c, 1));
        }
    }
    return s;
}

PreparedNumberFormat::PreparedNumberFormat(const QString &format)
{
    if (format.isEmpty()) {
        m_general = true;
        return;
    }
    const QStringList sections = splitSections(format);
    m_positive = prepareSection(sections.at(0));
    m_hasNegative = sections.size() >= 2 && !sections.at(1).isEmpty();
    if (m_hasNegative)
        m_negative = prepareSection(sections.at(1));
    m_hasZero = sections.size() >= 3 && !sections.at(2).isEmpty();
    if (m_hasZero)
        m_zero = prepareSection(sections.at(2));
}

void PreparedNumberFormat::writeSection(const Section &s, const Digits &d, QChar decimalSeparator,
                                        QChar groupSeparator, QString &out)
{
    int fracCount = d.fracCount;
    const char *frac = d.fraction();
    while (fracCount > s.minFrac && frac[fracCount - 1] == '0')
        --fracCount;
    // The integer digits, with the leading zeros of the '0' places.
    const int pad = d.intCount < s.minInt ? s.minInt - d.intCount : 0;
    const int nDigits = d.intCount + pad;
    const char *intDigits = d.integer();
    auto digitAt = [&](int i) { return QLatin1Char(i < pad ? '0' : intDigits[i - pad]); };

    QVarLengthArray<QChar, 96> buf;
    int written = 0;  // integer digits written so far
    auto putDigit = [&]() {
        buf.append(digitAt(written++));
        const int right = nDigits - written;
        if (s.grouping && right > 0 && right % 3 == 0)
            buf.append(groupSeparator);
    };
    auto putText = [&](const Item &item) { buf.append(s.chars.constData() + item.offset, item.length); };

    int placesLeft = s.intPlaces;
    for (const Item &item : s.intItems) {
        if (item.place) {
            if (placesLeft == s.intPlaces) {
                while (nDigits - written > s.intPlaces)  // digits beyond the places go first
                    putDigit();
            }
            if (placesLeft <= nDigits - written)
                putDigit();
            --placesLeft;
        } else {
            const bool beforeFirst = placesLeft == s.intPlaces;
            const bool afterLast = placesLeft == 0;
            if (beforeFirst || afterLast || written > 0)
                putText(item);
        }
    }
    if (s.intPlaces == 0 && s.hasPoint) {
        while (written < nDigits)
            putDigit();
    }
    int fracWritten = 0;
    for (const Item &item : s.fracItems) {
        if (!item.place) {
            putText(item);
        } else if (fracWritten < fracCount) {
            if (fracWritten == 0)
                buf.append(decimalSeparator);
            buf.append(QLatin1Char(frac[fracWritten++]));
        }
    }
    out.append(buf.constData(), buf.size());
}

void PreparedNumberFormat::appendTo(QString &out, double value, QChar decimalSeparator,
                                    QChar groupSeparator) const
{
    if (!std::isfinite(value)) {
        out += std::isnan(value) ? QLatin1String("NAN")
               : value > 0       ? QLatin1String("INF")
                                 : QLatin1String("-INF");
        return;
    }
    if (m_general) {
        QString s = QString::number(value, 'g', 15);
        s.replace(QLatin1Char('.'), decimalSeparator);
        out += s;
        return;
    }
    // Which section: the zero section when the value rounds to zero by the first section.
    Digits d;
    d.round(value, m_positive.fracPlaces);
    if (d.isZero()) {
        const Section &s = m_hasZero ? m_zero : m_positive;
        d.zero(s.fracPlaces);
        writeSection(s, d, decimalSeparator, groupSeparator, out);
        return;
    }
    if (value < 0) {
        if (m_hasNegative) {
            d.round(value, m_negative.fracPlaces);
            writeSection(m_negative, d, decimalSeparator, groupSeparator, out);
            return;
        }
        out += QLatin1Char('-');
    }
    writeSection(m_positive, d, decimalSeparator, groupSeparator, out);
}

QString PreparedNumberFormat::format(double value, QChar decimalSeparator, QChar groupSeparator) const
{
    QString out;
    appendTo(out, value, decimalSeparator, groupSeparator);
    return out;
}

const PreparedNumberFormat *PreparedNumberFormat::cached(const QString &format)
{
    constexpr qsizetype kMaxFormats = 256;
    struct Cache {
        QString lastText;
        const PreparedNumberFormat *last = nullptr;
        std::unordered_map<QString, std::unique_ptr<PreparedNumberFormat>> all;
    };
    thread_local Cache cache;
    if (cache.last && cache.lastText == format)
        return cache.last;
    auto it = cache.all.find(format);
    if (it == cache.all.end()) {
        if (qsizetype(cache.all.size()) >= kMaxFormats)
            return nullptr;
        it = cache.all.emplace(format, std::make_unique<PreparedNumberFormat>(format)).first;
    }
    cache.lastText = format;
    cache.last = it->second.get();
    return cache.last;
}

QString FormatFloat(const QString &format, double value, QChar decimalSeparator, QChar groupSeparator)
{
    if (const PreparedNumberFormat *prepared = PreparedNumberFormat::cached(format))
        return prepared->format(value, decimalSeparator, groupSeparator);
    return PreparedNumberFormat(format).format(value, decimalSeparator, groupSeparator);
}

QString FormatFloat(const QString &format, double value)
{
    // The default locale's separators, read again only when the default locale changes.
    struct Separators {
        QLocale locale;
        QChar decimal;
        QChar group;
        bool known = false;
    };
    thread_local Separators sep;
    const QLocale now;
    if (!sep.known || now != sep.locale) {
        const QString dp = now.decimalPoint();
        const QString gs = now.groupSeparator();
        sep.locale = now;
        sep.decimal = dp.isEmpty() ? QLatin1Char('.') : dp.at(0);
        sep.group = gs.isEmpty() ? QLatin1Char(' ') : gs.at(0);
        sep.known = true;
    }
    return FormatFloat(format, value, sep.decimal, sep.group);
}

QString MoneyFormat(int decimals)
{
    // The usual texts are built once, so that a list formatting its amounts finds
    // the prepared format by the same text without building it again.
    constexpr int kKept = 10;
    static const std::array<QString, kKept> kept = [] {
        std::array<QString, kKept> texts;
        for (int i = 0; i < kKept; ++i)
            texts[size_t(i)] = QStringLiteral("### ### ##0") +
                               (i > 0 ? QLatin1Char('.') + QString(i, QLatin1Char('0')) : QString());
        return texts;
    }();
    if (decimals >= 0 && decimals < kKept)
        return kept[size_t(decimals)];
    QString f = QStringLiteral("### ### ##0");
    if (decimals > 0)
        f += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    return f;
}

QString MoneyFormat()
{
    return MoneyFormat(CassaDecimals());
}

namespace {

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString FormatDateTime(const QString &format, const QDateTime &value)
{
    const QDate d = value.date();
    const QTime t = value.time();
    QString out;
    bool afterHour = false;  // "mm" right after an hour means minutes
    qsizetype i = 0;
    const qsizetype n = format.size();
    auto run = [&](QChar c) {
        qsizetype j = i;
        while (j < n && format.at(j).toLower() == c)
            ++j;
        return int(j - i);
    };
    while (i < n) {
        const QChar c = format.at(i);
        const QChar lc = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = format.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? n : end;
            out += format.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        int len = 0;
        if (lc == QLatin1Char('y')) {
            len = run(lc);
            out += len <= 2 ? twoDigits(d.year() % 100)
                            : QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
            afterHour = false;
        } else if (lc == QLatin1Char('m')) {
            len = run(lc);
            const int v = afterHour ? t.minute() : d.month();
            out += len >= 2 ? twoDigits(v) : QString::number(v);
            afterHour = false;
        } else if (lc == QLatin1Char('d')) {
            len = run(lc);
            out += len >= 2 ? twoDigits(d.day()) : QString::number(d.day());
            afterHour = false;
        } else if (lc == QLatin1Char('h')) {
            len = run(lc);
            out += len >= 2 ? twoDigits(t.hour()) : QString::number(t.hour());
            afterHour = true;
        } else if (lc == QLatin1Char('n')) {
            len = run(lc);
            out += len >= 2 ? twoDigits(t.minute()) : QString::number(t.minute());
            afterHour = false;
        } else if (lc == QLatin1Char('s')) {
            len = run(lc);
            out += len >= 2 ? twoDigits(t.second()) : QString::number(t.second());
            afterHour = false;
        } else if (lc == QLatin1Char('z')) {
            len = run(lc);
            out += len >= 3 ? QStringLiteral("%1").arg(t.msec(), 3, 10, QLatin1Char('0'))
                            : QString::number(t.msec());
            afterHour = false;
        } else {
            out += c;
            len = 1;
        }
        i += len;
    }
    return out;
}

QString FormatDateTime(const QString &format, const QDate &value)
{
    // Only the fields are read: UTC spares the time-zone lookup (and a midnight that a
    // daylight-saving change skips cannot move the date).
    return FormatDateTime(format, QDateTime(value, QTime(0, 0), Qt::UTC));
}

}  // namespace zorva
