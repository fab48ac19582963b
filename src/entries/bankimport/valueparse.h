// Dates and amounts as banks write them in their statements.
#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorva {

// The date formats understood, in the order they are offered: "yyyy.mm.dd",
// "yyyy-mm-dd", "yyyy.mm.dd.", "dd.mm.yyyy", "yyyymmdd".
QStringList statementDateFormats();
// A date in `format`; a time after the date ("2024.03.01 14:05") is allowed and ignored.
std::optional<QDate> parseStatementDate(const QString &text, const QString &format);
// The format in which most of the non-empty values parse (the first of equals); empty
// when none reads more than half of them.
QString detectDateFormat(const QStringList &values);

struct AmountFormat {
    QChar decimal = QLatin1Char(',');
    QChar thousands = QLatin1Char(' ');  // a null QChar: none
};
// An amount such as "-1 234,50", "1,234.50", "+12.5", "1234,50-", "1 234,50 HUF".  Spaces
// (also non-breaking ones) always count as thousands separators; the thousands separator
// must come between groups of three digits.  Nothing for text that is no amount.
std::optional<double> parseStatementAmount(const QString &text, const AmountFormat &format);
// The separators under which the values read as amounts: a comma or point followed by one
// or two digits at the end is the decimal separator; the other one, or a space, separates
// the thousands.  Hungarian "1 234,50" when nothing decides.
AmountFormat detectAmountFormat(const QStringList &values);

// Lower case without accents: the way the database's collation compares names.
QString foldForMatch(const QString &text);

}  // namespace zorva
