// Dates and periods.  A period is a month written as six digits "yyyymm"; users
// type it as "yyyy.mm" through the mask "0000.00;0;_", which does not keep the dot.
#pragma once

#include <QDate>
#include <QString>

namespace zorva {

// Today's date, asked of the system at most once a second: asking reads the time zone each
// time, and the grids' colour rules want it for every cell they paint.
QDate Today();

int YearOfDate(const QDate &d);
int MonthOfDate(const QDate &d);
int WeekOfDate(const QDate &d);  // ISO-8601 week number

// Edit mask of a period field.
inline QString PeriodMask()
{
    return QStringLiteral("0000.00;0;_");
}

// "yyyymm" of a date.
QString PeriodOfDate(const QDate &d);
// True for six digits with a month from 01 to 12.
bool IsValidPeriod(const QString &period);
// "201003" -> "2010.03" (the masked field's display text); other texts unchanged.
QString PeriodToMaskText(const QString &period);
// The text of a masked period field ("2010.03", "201003", "2010.03." ...) -> "201003";
// empty when it does not hold a valid period.
QString PeriodFromMaskText(const QString &text);
// First and last day of a period; invalid dates for an invalid period.
QDate PeriodFirstDay(const QString &period);
QDate PeriodLastDay(const QString &period);

}  // namespace zorva
