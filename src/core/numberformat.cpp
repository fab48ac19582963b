#include "numberformat.h"

#include "globals.h"

#include <QStringList>

#include <cmath>
#include <vector>

namespace zorva {

namespace {

struct Token {
    enum Kind { Digit, Zero, Point, Comma, Literal } kind;
    QString text;  // Literal only
};

std::vector<Token> tokenize(const QString &section)
{
    std::vector<Token> tokens;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        if (c == QLatin1Char('#')) {
            tokens.push_back({Token::Digit, {}});
        } else if (c == QLatin1Char('0')) {
            tokens.push_back({Token::Zero, {}});
        } else if (c == QLatin1Char('.')) {
            tokens.push_back({Token::Point, {}});
        } else if (c == QLatin1Char(',')) {
            tokens.push_back({Token::Comma, {}});
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = section.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? section.size() : end;
            tokens.push_back({Token::Literal, section.mid(i + 1, stop - i - 1)});
            i = stop;
        } else {
            tokens.push_back({Token::Literal, QString(c)});
        }
    }
    return tokens;
}

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

// |value| as decimal digits rounded half away from zero to `decimals` places:
// the integer digits (no leading zeros, empty for 0) and exactly `decimals` fraction digits.
void roundedDigits(double value, int decimals, QString &intDigits, QString &fracDigits)
{
    // 15 significant digits first, as the value was entered, so that 2.675 stays 2.675.
    const QString e = QString::number(std::fabs(value), 'e', 14);  // d.dddddddddddddde±XX
    const qsizetype ePos = e.indexOf(QLatin1Char('e'));
    QString mantissa = e.left(ePos);
    mantissa.remove(QLatin1Char('.'));
    const int exponent = e.mid(ePos + 1).toInt();
    // digits[i] has the weight 10^(exponent - i); place the point after exponent + 1 digits.
    int pointPos = exponent + 1;
    QString digits = mantissa;
    if (pointPos < 0) {
        digits = QString(-pointPos, QLatin1Char('0')) + digits;
        pointPos = 0;
    }
    const int keep = pointPos + decimals;  // digits kept
    if (digits.size() < keep)
        digits += QString(keep - digits.size(), QLatin1Char('0'));
    bool roundUp = keep < digits.size() && digits.at(keep) >= QLatin1Char('5');
    digits.truncate(qMax(keep, 0));
    if (keep < 0)
        roundUp = false;
    if (roundUp) {
        int i = digits.size() - 1;
        for (; i >= 0; --i) {
            if (digits[i] == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
            } else {
                digits[i] = QChar(digits[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            digits.prepend(QLatin1Char('1'));
            ++pointPos;
        }
    }
    if (keep < 0) {
        digits.clear();
        pointPos = 0;
    }
    intDigits = digits.left(pointPos);
    fracDigits = digits.mid(pointPos);
    if (fracDigits.size() < decimals)
        fracDigits += QString(decimals - fracDigits.size(), QLatin1Char('0'));
    while (!intDigits.isEmpty() && intDigits.at(0) == QLatin1Char('0'))
        intDigits.remove(0, 1);
}

bool isPlace(const Token &t)
{
    return t.kind == Token::Digit || t.kind == Token::Zero;
}

QString formatSection(const std::vector<Token> &tokens, double value, QChar decimalSeparator,
                      QChar groupSeparator)
{
    size_t pointAt = tokens.size();
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == Token::Point) {
            pointAt = i;
            break;
        }
    }
    bool grouping = false;
    int intPlaces = 0, minInt = 0;
    for (size_t i = 0; i < pointAt; ++i) {
        if (tokens[i].kind == Token::Comma)
            grouping = true;
        if (isPlace(tokens[i])) {
            ++intPlaces;
            if (tokens[i].kind == Token::Zero || minInt > 0)
                ++minInt;
        }
    }
    int fracPlaces = 0, minFrac = 0;
    for (size_t i = pointAt + 1; i < tokens.size(); ++i) {
        if (isPlace(tokens[i])) {
            ++fracPlaces;
            if (tokens[i].kind == Token::Zero)
                minFrac = fracPlaces;
        }
    }

    QString intDigits, fracDigits;
    roundedDigits(value, fracPlaces, intDigits, fracDigits);
    while (fracDigits.size() > minFrac && fracDigits.endsWith(QLatin1Char('0')))
        fracDigits.chop(1);
    if (intDigits.size() < minInt)
        intDigits.prepend(QString(minInt - intDigits.size(), QLatin1Char('0')));

    QString out;
    const int nDigits = int(intDigits.size());
    int written = 0;  // integer digits written so far
    auto putDigit = [&]() {
        out += intDigits.at(written++);
        const int right = nDigits - written;
        if (grouping && right > 0 && right % 3 == 0)
            out += groupSeparator;
    };
    int placesLeft = intPlaces;
    for (size_t i = 0; i < pointAt; ++i) {
        const Token &t = tokens[i];
        if (isPlace(t)) {
            if (placesLeft == intPlaces) {
                while (nDigits - written > intPlaces)  // digits beyond the places go first
                    putDigit();
            }
            if (placesLeft <= nDigits - written)
                putDigit();
            --placesLeft;
        } else if (t.kind == Token::Literal) {
            const bool beforeFirst = placesLeft == intPlaces;
            const bool afterLast = placesLeft == 0;
            if (beforeFirst || afterLast || written > 0)
                out += t.text;
        }
    }
    if (intPlaces == 0 && pointAt < tokens.size()) {
        while (written < nDigits)
            putDigit();
    }
    bool separatorWritten = false;
    int fracWritten = 0;
    for (size_t i = pointAt + 1; i < tokens.size(); ++i) {
        const Token &t = tokens[i];
        if (isPlace(t)) {
            if (fracWritten < fracDigits.size()) {
                if (!separatorWritten) {
                    out += decimalSeparator;
                    separatorWritten = true;
                }
                out += fracDigits.at(fracWritten++);
            }
        } else if (t.kind == Token::Literal || t.kind == Token::Point) {
            out += t.kind == Token::Point ? QStringLiteral(".") : t.text;
        }
    }
    return out;
}

}  // namespace

QString FormatFloat(const QString &format, double value, QChar decimalSeparator, QChar groupSeparator)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? QStringLiteral("NAN")
               : value > 0       ? QStringLiteral("INF")
                                 : QStringLiteral("-INF");
    if (format.isEmpty()) {
        QString s = QString::number(value, 'g', 15);
        s.replace(QLatin1Char('.'), decimalSeparator);
        return s;
    }
    const QStringList sections = splitSections(format);
    const std::vector<Token> positive = tokenize(sections.at(0));

    // Which section: the zero section when the value rounds to zero by the first section.
    int fracPlaces = 0;
    bool afterPoint = false;
    for (const Token &t : positive) {
        if (t.kind == Token::Point)
            afterPoint = true;
        else if (afterPoint && isPlace(t))
            ++fracPlaces;
    }
    QString intDigits, fracDigits;
    roundedDigits(value, fracPlaces, intDigits, fracDigits);
    bool isZero = intDigits.isEmpty();
    for (const QChar c : fracDigits)
        isZero = isZero && c == QLatin1Char('0');

    if (isZero) {
        if (sections.size() >= 3 && !sections.at(2).isEmpty())
            return formatSection(tokenize(sections.at(2)), 0.0, decimalSeparator, groupSeparator);
        return formatSection(positive, 0.0, decimalSeparator, groupSeparator);
    }
    if (value < 0) {
        if (sections.size() >= 2 && !sections.at(1).isEmpty())
            return formatSection(tokenize(sections.at(1)), value, decimalSeparator, groupSeparator);
        return QLatin1Char('-') + formatSection(positive, value, decimalSeparator, groupSeparator);
    }
    return formatSection(positive, value, decimalSeparator, groupSeparator);
}

QString MoneyFormat(int decimals)
{
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
    return FormatDateTime(format, QDateTime(value, QTime(0, 0)));
}

}  // namespace zorva
