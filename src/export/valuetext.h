// A field's value as plain text, the way the delimited export and the
// worksheet's text cells write it.
#pragma once

#include "field.h"

#include <QByteArray>
#include <QHash>
#include <QLocale>
#include <QString>

#include <vector>

namespace zorva {

// Not the display format: integers in decimal, numbers in the shortest general
// form with the locale's decimal separator and no grouping, dates in the
// locale's short date format, date-times with " hh:mm:ss" after the date,
// times as hh:mm:ss, text as it is; NULL gives an empty text.
QString plainValueText(const TField &field, const QLocale &locale = QLocale());

// The shortest general form of a number (FormatFloat with an empty format),
// with the locale's decimal separator.
QString generalNumberText(double value, const QLocale &locale = QLocale());

// The same form written fast into `out` (at least 32 bytes) with "." as the
// separator; -1 for the values it leaves to generalNumberText (zero, subnormal
// numbers, NaN, infinities, numbers whose shortest exact form has more than 15 digits).
int generalNumberAscii(double value, char *out);

// Rounds numerator/denominator to the nearest integer, halves to even
// (denominator > 0).  Exact for whole numbers, unlike rounding a double.
qint64 roundRatioHalfEven(qint64 numerator, qint64 denominator);

// plainValueText for many rows: the locale's formats are prepared once, and
// numbers and dates can be appended straight to Windows-1250 output.
class PlainValueFormatter {
public:
    explicit PlainValueFormatter(const QLocale &locale = QLocale());

    QString text(const TField &field) const;
    QString dateText(const QDate &date) const;
    void appendInteger(QByteArray &out, qint64 value) const;
    void appendNumber(QByteArray &out, double value) const;

private:
    struct DatePart {
        char kind;  // 'd', 'M', 'y' (field) or 0 (literal)
        int width;  // digits: 1 (no padding), 2 or 4
        QString literal;
    };
    bool compileDateFormat();

    QLocale m_locale;
    QChar m_decimal;
    bool m_asciiDecimal;
    std::vector<DatePart> m_date;            // empty: the locale formats the date itself
    mutable QHash<qint64, QString> m_dates;  // by Julian day; a cash book has few distinct dates
};

}  // namespace zorva
