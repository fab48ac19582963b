#include "datehelpers.h"

#include <QElapsedTimer>

namespace zorva {

QDate Today()
{
    thread_local QDate today;
    thread_local QElapsedTimer age;
    if (!age.isValid() || age.elapsed() >= 1000) {
        today = QDate::currentDate();
        age.start();
    }
    return today;
}

int YearOfDate(const QDate &d)
{
    return d.year();
}

int MonthOfDate(const QDate &d)
{
    return d.month();
}

int WeekOfDate(const QDate &d)
{
    return d.weekNumber();
}

QString PeriodOfDate(const QDate &d)
{
    if (!d.isValid())
        return QString();
    return QStringLiteral("%1%2")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'));
}

bool IsValidPeriod(const QString &period)
{
    if (period.size() != 6)
        return false;
    for (const QChar c : period) {
        if (!c.isDigit() || c.unicode() > '9')
            return false;
    }
    // Year 0000 has no days (the calendar goes from 1 BC to AD 1).
    const int month = period.mid(4, 2).toInt();
    return period.left(4).toInt() >= 1 && month >= 1 && month <= 12;
}

QString PeriodToMaskText(const QString &period)
{
    if (!IsValidPeriod(period))
        return period;
    return period.left(4) + QLatin1Char('.') + period.mid(4, 2);
}

QString PeriodFromMaskText(const QString &text)
{
    QString digits;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
        else if (c != QLatin1Char('.') && c != QLatin1Char(' ') && c != QLatin1Char('_'))
            return QString();
    }
    return IsValidPeriod(digits) ? digits : QString();
}

QDate PeriodFirstDay(const QString &period)
{
    if (!IsValidPeriod(period))
        return QDate();
    return QDate(period.left(4).toInt(), period.mid(4, 2).toInt(), 1);
}

QDate PeriodLastDay(const QString &period)
{
    const QDate first = PeriodFirstDay(period);
    return first.isValid() ? first.addMonths(1).addDays(-1) : QDate();
}

}  // namespace zorva
