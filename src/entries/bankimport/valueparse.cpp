#include "valueparse.h"

#include <QRegularExpression>

#include <cmath>

namespace zorva {

QStringList statementDateFormats()
{
    return {QStringLiteral("yyyy.mm.dd"), QStringLiteral("yyyy-mm-dd"), QStringLiteral("yyyy.mm.dd."),
            QStringLiteral("dd.mm.yyyy"), QStringLiteral("yyyymmdd")};
}

std::optional<QDate> parseStatementDate(const QString &text, const QString &format)
{
    QString t = text.trimmed();
    // a time after the date: "2024.03.01 14:05:00", "2024-03-01T14:05"
    static const QRegularExpression timePart(QStringLiteral("^(\\S+?)(?:[ T]\\d{1,2}:\\d{2}(?::\\d{2})?)?$"));
    const QRegularExpressionMatch tm = timePart.match(t);
    if (!tm.hasMatch())
        return std::nullopt;
    t = tm.captured(1);
    // one compiled expression per format
    static const QRegularExpression dotted(QStringLiteral("^(\\d{4})\\.(\\d{1,2})\\.(\\d{1,2})$"));
    static const QRegularExpression dashed(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    static const QRegularExpression dottedEnd(QStringLiteral("^(\\d{4})\\.(\\d{1,2})\\.(\\d{1,2})\\.$"));
    static const QRegularExpression dayFirst(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})\\.?$"));
    static const QRegularExpression compact(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
    const QRegularExpression *re = nullptr;
    int y = 1, m = 2, d = 3;
    if (format == u"yyyy.mm.dd")
        re = &dotted;
    else if (format == u"yyyy-mm-dd")
        re = &dashed;
    else if (format == u"yyyy.mm.dd.")
        re = &dottedEnd;
    else if (format == u"dd.mm.yyyy") {
        re = &dayFirst;
        y = 3;
        d = 1;
    } else if (format == u"yyyymmdd")
        re = &compact;
    else
        return std::nullopt;
    const QRegularExpressionMatch mm = re->match(t);
    if (!mm.hasMatch())
        return std::nullopt;
    const QDate date(mm.captured(y).toInt(), mm.captured(m).toInt(), mm.captured(d).toInt());
    if (!date.isValid() || date.year() < 1900 || date.year() > 2999)
        return std::nullopt;
    return date;
}

QString detectDateFormat(const QStringList &values)
{
    QString best;
    int bestParsed = 0, nonEmpty = 0;
    for (const QString &v : values)
        if (!v.trimmed().isEmpty())
            ++nonEmpty;
    for (const QString &format : statementDateFormats()) {
        int parsed = 0;
        for (const QString &v : values)
            if (!v.trimmed().isEmpty() && parseStatementDate(v, format))
                ++parsed;
        if (parsed > bestParsed) {
            best = format;
            bestParsed = parsed;
        }
    }
    return bestParsed * 2 > nonEmpty ? best : QString();
}

namespace {

bool isSpace(QChar c)
{
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F) || c == QChar(0x2009);
}

}  // namespace

std::optional<double> parseStatementAmount(const QString &text, const AmountFormat &format)
{
    QString t = text.trimmed();
    // a currency before or after the number
    static const QRegularExpression currency(
        QStringLiteral("^([A-Za-z]{1,3}\\.?|€|\\$)?\\s*(.*?)\\s*([A-Za-z]{1,3}\\.?|€|\\$)?$"));
    const QRegularExpressionMatch cm = currency.match(t);
    if (cm.hasMatch())
        t = cm.captured(2);
    bool negative = false;
    if (!t.isEmpty() && (t.front() == u'-' || t.front() == QChar(0x2212) || t.front() == u'+')) {
        negative = t.front() != u'+';
        t = t.mid(1).trimmed();
    } else if (!t.isEmpty() && t.back() == u'-') {
        negative = true;
        t.chop(1);
        t = t.trimmed();
    }
    if (t.isEmpty() || !t.front().isDigit())
        return std::nullopt;
    // Digits, then groups of three after each thousands separator, then the decimals.
    QString digits;
    int groupLen = -1;  // digits since the last thousands separator, -1 before the first
    int leadLen = 0;
    bool decimals = false;
    bool anyDigit = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            anyDigit = true;
            if (!decimals) {
                if (groupLen >= 0)
                    ++groupLen;
                else
                    ++leadLen;
            }
            continue;
        }
        if (decimals)
            return std::nullopt;
        if (c == format.decimal) {
            if (groupLen >= 0 && groupLen != 3)
                return std::nullopt;
            digits += u'.';
            decimals = true;
            continue;
        }
        if ((isSpace(c) || (!format.thousands.isNull() && c == format.thousands)) && anyDigit) {
            if ((groupLen >= 0 && groupLen != 3) || (groupLen < 0 && leadLen > 3))
                return std::nullopt;
            if (i + 1 >= t.size() || !t.at(i + 1).isDigit())
                return std::nullopt;
            groupLen = 0;
            continue;
        }
        return std::nullopt;
    }
    if (!decimals && groupLen >= 0 && groupLen != 3)
        return std::nullopt;
    if (digits.endsWith(u'.'))
        digits.chop(1);
    bool ok = false;
    const double v = digits.toDouble(&ok);
    if (!ok || !std::isfinite(v) || digits.size() > 20)
        return std::nullopt;
    return negative ? -v : v;
}

AmountFormat detectAmountFormat(const QStringList &values)
{
    int commaDecimal = 0, pointDecimal = 0, spaces = 0, commas = 0, points = 0;
    static const QRegularExpression decimalEnd(
        QStringLiteral("([.,])\\d{1,2}\\s*(?:[A-Za-z]{1,3}\\.?|€)?-?$"));
    for (const QString &raw : values) {
        const QString v = raw.trimmed();
        if (v.isEmpty())
            continue;
        const QRegularExpressionMatch m = decimalEnd.match(v);
        if (m.hasMatch()) {
            if (m.captured(1) == u",")
                ++commaDecimal;
            else
                ++pointDecimal;
        }
        for (qsizetype i = 1; i + 1 < v.size(); ++i)
            if (isSpace(v.at(i)) && v.at(i - 1).isDigit() && v.at(i + 1).isDigit())
                ++spaces;
        commas += int(v.count(u','));
        points += int(v.count(u'.'));
    }
    AmountFormat f;
    if (pointDecimal > commaDecimal) {
        f.decimal = QLatin1Char('.');
        f.thousands = commas > 0 ? QLatin1Char(',') : QLatin1Char(' ');
    } else if (commaDecimal > 0) {
        f.decimal = QLatin1Char(',');
        f.thousands = points > 0 ? QLatin1Char('.') : QLatin1Char(' ');
    } else if (commas > 0 && points == 0 && spaces == 0) {
        // "1,234" without decimals anywhere: thousands
        f.decimal = QLatin1Char('.');
        f.thousands = QLatin1Char(',');
    } else if (points > 0 && commas == 0 && spaces == 0) {
        f.decimal = QLatin1Char(',');
        f.thousands = QLatin1Char('.');
    }
    return f;
}

QString foldForMatch(const QString &text)
{
    const QString d = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(d.size());
    for (const QChar c : d) {
        const QChar::Category cat = c.category();
        if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining ||
            cat == QChar::Mark_Enclosing)
            continue;
        out += c.toLower();
    }
    return out.simplified();
}

}  // namespace zorva
