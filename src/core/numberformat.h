// Display formats of amounts and the program's date formats.
#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

namespace zorva {

// Formats a number by a display format such as "### ### ##0", "### ### ##0.00",
// "0000000" or "#,##0.00":
//   '#'  an optional digit, '0' a digit always shown;
//   '.'  the decimal separator (the first one; `decimalSeparator` is written);
//   ','  anywhere in the integer part: digits are grouped by three with `groupSeparator`;
//   "…" or '…' a literal text; any other character is copied: before the first and
//   after the last digit place always, between digit places only once a digit was written.
// Up to three sections "positive;negative;zero" may be given; a negative value
// formatted by the first section gets a leading "-".  Rounding is half away from
// zero on the value's 15 significant digits.  An empty format gives the shortest
// general form.
QString FormatFloat(const QString &format, double value,
                    QChar decimalSeparator = QLocale().decimalPoint().at(0),
                    QChar groupSeparator = QLocale().groupSeparator().at(0));

// Format of amounts in lists: "### ### ##0" and, when the current cash box has
// decimals, "." and that many "0".
QString MoneyFormat();
QString MoneyFormat(int decimals);

// The program's date formats: yyyy, yy, mm/m (month, or minutes right after an hour),
// dd/d, hh/h, nn/n (minutes), ss/s, zzz (milliseconds), "…"/'…' literal;
// every other character is copied.  Example: "yyyy-mm-dd hh:nn:ss".
QString FormatDateTime(const QString &format, const QDateTime &value);
QString FormatDateTime(const QString &format, const QDate &value);

}  // namespace zorva
