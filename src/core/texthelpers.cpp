#include "texthelpers.h"

#include "cp1250.h"

namespace zorva {

QString FieldOf(const QString &delimiters, const QString &text, int n)
{
    if (n < 1)
        return QString();
    int field = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || delimiters.contains(text.at(i))) {
            if (field == n)
                return text.mid(start, i - start);
            ++field;
            start = i + 1;
        }
    }
    return QString();
}

QString ReplaceChar(const QString &text, QChar from, QChar to)
{
    QString out = text.isNull() ? QString(QLatin1String("")) : text;
    out.replace(from, to);
    return out;
}

QString ReplaceChar(const QVariant &value, QChar from, QChar to)
{
    if (value.isNull())
        return QString(QLatin1String(""));
    return ReplaceChar(value.toString(), from, to);
}

QString RemoveChars(const QString &chars, const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!chars.contains(c))
            out += c;
    }
    return out;
}

QString RemoveSpaces(const QString &text)
{
    return RemoveChars(QStringLiteral(" "), text);
}

int CountChar(QChar c, const QString &text)
{
    return int(text.count(c));
}

QString NumericText(const QString &text)
{
    const QString t = text.trimmed();
    QString out;
    bool separatorSeen = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            out += c;
        } else if (c == QLatin1Char('-')) {
            if (i == 0)
                out += c;
        } else if (c == QLatin1Char(',') || c == QLatin1Char('.')) {
            if (!separatorSeen)
                out += c;
            separatorSeen = true;
        }
    }
    return out;
}

double ParseAmount(const QString &text, double defaultValue, QChar decimalSeparator)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return defaultValue;
    QString kept;
    for (const QChar c : t) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(',') ||
            c == QLatin1Char('-') || c == QLatin1Char('.'))
            kept += c;
    }
    if (decimalSeparator == QLatin1Char('.'))
        kept.replace(QLatin1Char(','), QLatin1Char('.'));
    else
        kept.replace(QLatin1Char('.'), decimalSeparator);
    // Convert by the separator chosen above; the text holds only digits, "-" and it.
    if (decimalSeparator != QLatin1Char('.')) {
        if (kept.contains(QLatin1Char('.')))
            return defaultValue;
        kept.replace(decimalSeparator, QLatin1Char('.'));
    }
    if (kept.isEmpty() || kept == QLatin1String("-") || kept == QLatin1String(".") ||
        kept == QLatin1String("-."))
        return defaultValue;
    bool ok = false;
    const double v = kept.toDouble(&ok);  // C locale: only the point
    return ok ? v : defaultValue;
}

qint64 ParseInteger(const QString &text)
{
    const QString t = NumericText(text).trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    return ok ? v : 0;
}

QString SafeFileName(const QString &text)
{
    static const QString hyphened = QStringLiteral(" !\"#%&'*+/:?@\\");
    QString out;
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x80) {
            const QChar ch{char16_t(c)};
            out += hyphened.contains(ch) ? QChar(QLatin1Char('-')) : ch.toLower();
            continue;
        }
        const int b = cp1250Byte(c);
        if (b == 0x80)
            out += QChar(char16_t(c));  // the euro sign, the one high byte below 0x81
        else
            out += QLatin1Char('_');
    }
    return out;
}

QString TextOrDefault(const QVariant &value, const QString &defaultValue)
{
    return value.isNull() ? defaultValue : value.toString();
}

qint64 IntOrDefault(const QVariant &value, qint64 defaultValue)
{
    if (value.isNull())
        return defaultValue;
    bool ok = false;
    const qint64 v = value.toLongLong(&ok);
    if (ok)
        return v;
    return value.toString().trimmed().toLongLong();
}

double FloatOrDefault(const QVariant &value, double defaultValue)
{
    if (value.isNull())
        return defaultValue;
    bool ok = false;
    const double v = value.toDouble(&ok);
    return ok ? v : 0.0;
}

}  // namespace zorva
