#include "sqltext.h"

#include <cmath>

namespace zorva {

QString SqlText(const QString &value)
{
    QString out;
    out.reserve(value.size() + 8);
    out += QLatin1Char('\'');
    for (const QChar c : value) {
        switch (c.unicode()) {
            case '\\':
                out += QLatin1String("\\\\");
                break;
            case '\r':
                out += QLatin1String("\\r");
                break;
            case '\n':
                out += QLatin1String("\\n");
                break;
            case '\'':
                out += QLatin1String("''");
                break;
            default:
                out += c;
        }
    }
    out += QLatin1Char('\'');
    return out;
}

QString SqlText(const QVariant &value)
{
    if (value.isNull())
        return QStringLiteral("''");
    return SqlText(value.toString());
}

QString SqlDate(const QDate &date)
{
    if (!date.isValid())
        return QStringLiteral("'0000-00-00'");
    return QLatin1Char('\'') + date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
}

QString SqlDateTime(const QDateTime &value)
{
    if (!value.isValid())
        return QStringLiteral("'0000-00-00 00:00:00'");
    return QLatin1Char('\'') + value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char('\'');
}

QString SqlNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("NULL");
    if (value == 0.0)
        return QStringLiteral("0");  // also for -0
    // QString::number never uses the locale: the decimal separator is always a point.
    return QString::number(value, 'g', 15);
}

QString SqlIntOrZero(const QVariant &value)
{
    if (value.isNull())
        return QStringLiteral("0");
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok)
        return QStringLiteral("0");
    return QString::number(n);
}

QString CsvEscape(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
            case '\\':
                out += QLatin1String("\\\\");
                break;
            case '\r':
                out += QLatin1String("\\n");
                break;
            case '\n':
                break;
            default:
                out += c;
        }
    }
    return out;
}

QString CsvEscape(const QVariant &value)
{
    if (value.isNull())
        return QString();
    return CsvEscape(value.toString());
}

}  // namespace zorva
